// The small copy of a carried icon: the shape shrinks with its outline kept
// on its edge, and the dog shows the thing itself where it lies and the copy
// at its mouth.
#include <gtest/gtest.h>

#include "audio/land_sprite.h"
#include "world/carried_picture.h"
#include "world/dog_fixture.h"

namespace {

using world::KeyedPixels;
using world::PlayerDog;

constexpr uint32_t kKey = 1, kInk = 2, kPaint = 40;

// A disc of paint inside a one-pixel ring of ink, on the key.
KeyedPixels Disc(int w, int h) {
    KeyedPixels p{w, h, std::vector<uint32_t>(size_t(w) * h, kKey)};
    const double cx = w / 2.0, cy = h / 2.0, rx = w / 2.0 - 1, ry = h / 2.0 - 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry, d = dx * dx + dy * dy;
            if (d <= 1) p.pixels[size_t(y) * w + x] = d > 0.85 ? kInk : kPaint;
        }
    return p;
}

bool Edge(const KeyedPixels& p, int x, int y) {
    if (p.At(x, y) == kKey) return false;
    return x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1 || p.At(x - 1, y) == kKey ||
           p.At(x + 1, y) == kKey || p.At(x, y - 1) == kKey || p.At(x, y + 1) == kKey;
}

}  // namespace

TEST(ShrinkKeyed, FitsTheCarriedSizeAndKeepsTheOutlineOnTheEdge) {
    for (auto [w, h] : {std::pair{56, 56}, std::pair{40, 24}}) {
        const KeyedPixels small = world::ShrinkKeyed(Disc(w, h), kKey, world::CarriedPicture::kCarriedSize);
        EXPECT_EQ(world::CarriedPicture::kCarriedSize, std::max(small.width, small.height));
        EXPECT_EQ(h * world::CarriedPicture::kCarriedSize / w, small.height) << "keeps its proportions";
        int edge = 0, inside = 0;
        for (int y = 0; y < small.height; ++y)
            for (int x = 0; x < small.width; ++x) {
                if (small.At(x, y) == kKey) continue;
                if (Edge(small, x, y)) {
                    EXPECT_EQ(kInk, small.At(x, y)) << x << "," << y;
                    ++edge;
                } else {
                    inside += small.At(x, y) == kPaint;
                }
            }
        EXPECT_GT(edge, 20);
        EXPECT_GT(inside, small.width * small.height / 3);
        EXPECT_EQ(kKey, small.At(0, 0)) << "corners stay clear";
    }
    const KeyedPixels already = Disc(20, 12);
    EXPECT_EQ(already.pixels, world::ShrinkKeyed(already, kKey, 26).pixels);
}

class CarriedLook : public world_test::DogTest, public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(MakeWorld()); }
};

TEST_F(CarriedLook, TheThingLiesAtItsOwnSizeThenRidesSmallAtTheMouth) {
    platform::dd::Surface* surface = Picture(56, 40, 30, 1);
    for (int y = 0; y < 40; ++y) Put(surface, 0, y, 1);  // a keyed column keeps the edge honest
    sprites::FrameRecord picture{surface, platform::RECT{0, 0, 56, 40}};
    auto* icon = new LandSprite(&W(), 1010, 1000, &picture, nullptr, 0, 0, nullptr);
    group->Insert(icon);
    MakeDog(1000, 1000);
    dog->nearest = icon;
    dog->nearestDistance = 10;
    game.input.fire = 1;
    Tick();
    ASSERT_EQ(PlayerDog::kPickingUp, dog->carryState);
    // Nosed where it lay: its own picture, centred where it was.
    EXPECT_EQ(&picture, dog->carryFrame);
    EXPECT_EQ(1010 - 28, dog->carryRect.left);
    EXPECT_EQ(1000 - 20, dog->carryRect.top);
    for (int i = 0; i < 20 && dog->carryState == PlayerDog::kPickingUp; ++i) Tick();
    ASSERT_EQ(PlayerDog::kCarrying, dog->carryState);
    ASSERT_NE(nullptr, dog->carryFrame);
    EXPECT_NE(&picture, dog->carryFrame);
    EXPECT_EQ(26, dog->carryFrame->Width());
    EXPECT_EQ(18, dog->carryFrame->Height());
    // Facing the viewer the mouth is straight above the feet, under the head.
    EXPECT_EQ(dog->x, (dog->carryRect.left + dog->carryRect.right) / 2);
    const int32_t middle = (dog->carryRect.top + dog->carryRect.bottom) / 2;
    EXPECT_LT(middle, dog->y);
    EXPECT_GT(middle, dog->y - 30);
    // Turned right, it rides out in front.
    dog->direction = 4;
    Tick();
    EXPECT_GT((dog->carryRect.left + dog->carryRect.right) / 2, dog->x + 10);
    dog->carried = nullptr;
    dog->carryState = PlayerDog::kEmpty;
    delete icon;
    surface->Release();
}
