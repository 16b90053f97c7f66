// Sprites on their own: view clipping, keyed and clipped drawing, whole-
// period timing, frame stepping, sequences and the character classes.
#include <gtest/gtest.h>

#include <climits>

#include "sprites/animated_sprite.h"
#include "sprites/character_sprite.h"
#include "support/sprites_support.h"

using namespace sprites;
using platform::RECT;

namespace {

class Sprites : public ::testing::Test, public sprites_support::SpriteTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        W().AddGroup();
    }
    // A frame over a picture owned by the group.
    FrameRecord* Frame(Surface* picture, RECT rect) {
        W().GetGroup(1)->AddSurface(picture, "");
        auto table = std::make_unique<FrameRecord[]>(1);
        table[0] = FrameRecord{picture, rect};
        return W().GetGroup(1)->AddFrameTable(std::move(table));
    }
};

TEST_F(Sprites, WithoutAFrameTheRectIsEmptyAndNothingIsDrawn) {
    Sprite s(&W(), 30, 40, nullptr, 5);
    EXPECT_EQ(s.rect, (RECT{30, 40, 30, 40}));
    PaintBack(7);
    EXPECT_EQ(s.Draw(), 1);
    EXPECT_EQ(s.DrawClipped(RECT{0, 0, 640, 480}), 1);
    EXPECT_EQ(Back(30, 40), 7);
}

TEST_F(Sprites, DrawingIsKeyedAtTheScrolledPositionAndClippedWithItsSource) {
    // A 4 x 4 picture with value 10 + c + 4r, and one keyed pixel at (1, 1).
    Surface* picture = Picture(4, 4, 0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) Put(picture, c, r, static_cast<uint8_t>(10 + c + 4 * r));
    Put(picture, 1, 1, 0);
    W().background->scrollX = 100;
    W().background->scrollY = 50;
    Sprite s(&W(), 110, 60, Frame(picture, RECT{0, 0, 4, 4}), 1);

    PaintBack(200);
    EXPECT_EQ(s.Draw(), 1);
    EXPECT_EQ(Back(10, 10), 10);
    EXPECT_EQ(Back(13, 13), 25);
    EXPECT_EQ(Back(11, 11), 200);   // keyed
    PaintBack(200);
    EXPECT_EQ(s.DrawClipped(RECT{12, 11, 40, 40}), 1);
    EXPECT_EQ(Back(11, 12), 200);
    EXPECT_EQ(Back(12, 11), 16);    // source (2, 1)
    EXPECT_EQ(Back(13, 13), 25);

    // The view test is strict: sharing an edge is not visible.
    RECT out;
    s.SetPosition(100 - 4, 60);
    EXPECT_EQ(s.ClipToView(&out, W().view), 0);
    s.SetPosition(100 - 3, 60);
    EXPECT_EQ(s.ClipToView(&out, W().view), 1);
    s.SetPosition(110, 50 + 480);
    EXPECT_EQ(s.ClipToView(&out, W().view), 0);
}

TEST_F(Sprites, APositionAtTheEndOfTheRangeKeepsItsRectInRange) {
    FrameRecord* frame = Frame(Picture(4, 4, 1), RECT{0, 0, 4, 4});
    Sprite s(&W(), INT32_MAX, INT32_MAX - 1, frame, 1);
    EXPECT_EQ(s.rect, (RECT{INT32_MAX, INT32_MAX - 1, INT32_MAX, INT32_MAX}));
    s.SetPosition(INT32_MAX - 2, INT32_MAX);
    EXPECT_EQ(s.rect, (RECT{INT32_MAX - 2, INT32_MAX, INT32_MAX, INT32_MAX}));
    s.SetPosition(10, 20);
    EXPECT_EQ(s.rect, (RECT{10, 20, 14, 24}));
}

TEST_F(Sprites, TimeDueCountsWholePeriodsOnly) {
    AnimatedSprite s(&W(), 0, 0, nullptr, 1);
    s.frameDelay = 100;
    s.lastTime = 1000;
    EXPECT_EQ(s.TimeDue(1100), 0);
    EXPECT_EQ(s.TimeDue(1350), 1);
    EXPECT_EQ(s.lastTime, 1300u);
    s.lastTime = 0xFFFFFFF0u;   // across the wrap of the millisecond clock
    EXPECT_EQ(s.TimeDue(0xA0u), 1);
    EXPECT_EQ(s.lastTime, 0x54u);
    s.frameDelay = 0;           // due at every new millisecond, no division
    EXPECT_EQ(s.TimeDue(0xA0u), 1);
    EXPECT_EQ(s.TimeDue(0xA0u), 0);
}

class Stepping : public Sprites {
protected:
    // Frames of widths 1..4, so the rect tells which one is shown.
    void SetUp() override {
        Sprites::SetUp();
        Surface* strip = Picture(10, 2, 5);
        W().GetGroup(1)->AddSurface(strip, "");
        for (int i = 0; i < 4; ++i) frames_[i] = FrameRecord{strip, RECT{0, 0, i + 1, 2}};
    }
    std::unique_ptr<AnimatedSprite> Make(int x, bool pingPong, int count = 4) {
        auto s = std::make_unique<AnimatedSprite>(&W(), x, 0, &frames_[0], 1);
        s->frames = frames_;
        s->frameCount = count;
        s->frameDelay = 50;
        s->lastTime = 1000;
        s->pingPong = pingPong;
        return s;
    }
    static std::vector<int> Run(AnimatedSprite& s, int steps, uint32_t now = 1000) {
        std::vector<int> seen;
        for (int i = 0; i < steps; ++i) {
            s.Animate(now += 100);
            seen.push_back(s.frameIndex);
        }
        return seen;
    }
    FrameRecord frames_[4];
};

TEST_F(Stepping, PlainAndPingPongOrders) {
    auto plain = Make(0, false);
    EXPECT_EQ(Run(*plain, 6), (std::vector<int>{1, 2, 3, 0, 1, 2}));
    EXPECT_EQ(plain->rect, (RECT{0, 0, 3, 2}));
    auto bouncing = Make(0, true);
    EXPECT_EQ(Run(*bouncing, 8), (std::vector<int>{1, 2, 3, 2, 1, 0, 1, 2}));
    auto single = Make(0, true, 1);   // never leaves its table
    EXPECT_EQ(Run(*single, 3), (std::vector<int>{0, 0, 0}));
}

TEST_F(Stepping, OffScreenAnimationsStandStillAndChangesMarkTheUnionDirty) {
    auto s = Make(700, false);
    s->frameDelay = 100;
    s->Animate(5030);
    EXPECT_EQ(s->frameIndex, 0);
    EXPECT_EQ(s->lastTime, 5030u);
    s->SetPosition(20, 30);
    s->frame = &frames_[3];
    s->rect = RECT{20, 30, 24, 32};
    s->frameIndex = 3;
    W().dirtyCount = 0;
    s->Animate(5150);   // one step, not the periods missed while away
    EXPECT_EQ(s->frameIndex, 0);
    EXPECT_EQ(s->lastTime, 5130u);
    ASSERT_EQ(W().dirtyCount, 1);
    EXPECT_EQ(W().dirty[0], (RECT{20, 30, 24, 32}));
}

TEST(AnimSequenceCodes, EachCodeMovesTheIndexAndGivesItsResult) {
    const uint16_t frames[4] = {5, 6, 7, 8}, dxs[4] = {1, 2, 3, 0xFFFC}, dys[4] = {0, 0, 0, 0xFFF7};
    AnimSequence seq(4, frames, dxs, dys);
    EXPECT_EQ(seq.Set(AnimSequence::kPrevious), 1);
    EXPECT_EQ(seq.GetIndex(), 3);
    int16_t f, dx, dy;
    seq.Get(&f, &dx, &dy);
    EXPECT_EQ(f * 10000 + dx * 100 + dy, 80000 - 400 - 9);   // offsets read back signed
    EXPECT_EQ(seq.Set(AnimSequence::kNext), 1);
    EXPECT_EQ(seq.GetIndex(), 0);
    EXPECT_EQ(seq.Set(2), 1);
    EXPECT_EQ(seq.Set(AnimSequence::kNext), 3);
    EXPECT_EQ(seq.Set(AnimSequence::kFirst), 1);
    EXPECT_EQ(seq.Set(AnimSequence::kLast), 3);
    EXPECT_TRUE(seq.IsLast());
    for (int bad : {4, -1, -3}) EXPECT_EQ(seq.Set(bad), 0);
    AnimSequence empty(0, frames, dxs, dys);
    EXPECT_EQ(empty.Set(AnimSequence::kLast), 0);
    EXPECT_EQ(empty.Get(&f, &dx, &dy), 0);
}

// A character over its own 12 x 4 bitmap: frame 0 empty, frames 1 and 2 the
// two halves; it notes what its frame hook saw.
template <class Base>
class Character : public Base {
public:
    Character(SpriteWorld* world, const char* file) : Base(world, world->GetGroup(1), 100, 100, file, 1, 50) {
        table_[1] = FrameRecord{this->surface, RECT{0, 0, 4, 4}};
        table_[2] = FrameRecord{this->surface, RECT{4, 0, 12, 4}};
        this->SetFrames(table_, 3);
    }
    int FrameHook(uint32_t) override {
        rectAtHook = this->rect;
        return 1;
    }
    RECT rectAtHook;
    FrameRecord table_[3];
};

TEST_F(Sprites, CharacterLoadsItsKeyedBitmapAndPlacesFramesByTheSequence) {
    WriteBitmap("dog.bmp", 12, 4, std::vector<uint8_t>(48, 9));
    Character<CharacterSprite> dog(&W(), ".\\dog.bmp");
    ASSERT_NE(dog.surface, nullptr);
    ASSERT_EQ(W().GetGroup(1)->surfaces.size(), 1u);
    EXPECT_STREQ(W().GetGroup(1)->surfaces[0].fileName, ".\\dog.bmp");
    platform::dd::ColorKey key;
    dog.surface->GetColorKey(platform::dd::DDCKEY_SRCBLT, &key);
    EXPECT_EQ(key.low, D().GPColorMatch(dog.surface, platform::RGB(0, 255, 0)));
    EXPECT_TRUE(W().animated.Contains(&dog));

    const uint16_t frames[3] = {1, 2, 7}, dxs[3] = {0xFFFD, 5, 0}, dys[3] = {2, 0, 0};
    AnimSequence walk(3, frames, dxs, dys);
    dog.sequence = &walk;
    dog.FrameChanged(10);
    EXPECT_EQ(dog.rect, (RECT{97, 102, 101, 106}));
    EXPECT_EQ(dog.rectAtHook, (RECT{100, 100, 100, 100}));   // the hook runs before the move
    dog.Animate(1000);
    EXPECT_EQ(dog.rect, (RECT{105, 100, 113, 104}));
    dog.Animate(1020);   // not due
    EXPECT_EQ(walk.GetIndex(), 1);
    dog.Animate(1100);   // frame 7 is beyond the table: no picture
    EXPECT_EQ(dog.frame, nullptr);
    EXPECT_EQ(dog.Draw(), 1);
}

TEST_F(Sprites, CharacterWithoutItsBitmapRegistersNothing) {
    Character<CharacterSprite> lost(&W(), ".\\missing.bmp");
    EXPECT_EQ(lost.surface, nullptr);
    EXPECT_TRUE(W().GetGroup(1)->surfaces.empty());
    EXPECT_EQ(D().colourKey, 0u);   // the display's own key is left alone
}

TEST_F(Sprites, TwoPartSpriteCoversBothPartsAndDrawsEach) {
    WriteBitmap("band.bmp", 12, 4, std::vector<uint8_t>(48, 9));
    Character<TwoPartSprite> band(&W(), ".\\band.bmp");
    const uint16_t ones[2] = {1, 1}, zeros[2] = {0, 0};
    const uint16_t second[2] = {2, 0}, secondDx[2] = {10, 0}, secondDy[2] = {6, 0};
    AnimSequence firstSeq(2, ones, zeros, zeros), secondSeq(2, second, secondDx, secondDy);
    band.sequence = &firstSeq;
    band.secondSequence = &secondSeq;
    band.FrameChanged(0);
    EXPECT_EQ(band.rect, (RECT{100, 100, 118, 110}));
    PaintBack(1);
    EXPECT_EQ(band.DrawClipped(RECT{109, 0, 640, 480}), 1);
    EXPECT_EQ(Back(100, 100), 1);
    EXPECT_EQ(Back(110, 106), 9);
    EXPECT_EQ(band.Draw(), 1);
    EXPECT_EQ(Back(100, 100), 9);

    band.Animate(1000);   // the second sequence's frame 0: one part only
    EXPECT_EQ(band.secondFrame, nullptr);
    EXPECT_EQ(band.rect, (RECT{100, 100, 104, 104}));
    EXPECT_EQ(W().dirty[W().dirtyCount - 1], (RECT{100, 100, 118, 110}));
}

}  // namespace
