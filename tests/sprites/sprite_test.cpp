// Sprites on their own: rectangles, view clipping, keyed and clipped drawing,
// whole-period timing, frame stepping, sequences and the character classes.
#include <gtest/gtest.h>

#include "platform/headless.h"
#include "sprites/animated_sprite.h"
#include "sprites/character_sprite.h"
#include "support/sprites_support.h"

using namespace sprites;
using platform::RECT;

namespace {

class Sprites : public ::testing::Test, public sprites_support::SpriteTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartWorld()); }
};

TEST_F(Sprites, WithoutAFrameTheRectIsEmptyAndNothingIsDrawn) {
    Sprite s(&W(), 30, 40, nullptr, 5);
    EXPECT_EQ(s.rect, (RECT{30, 40, 30, 40}));
    EXPECT_EQ(s.hitBox, RECT{});
    s.SetPosition(50, 60);
    EXPECT_EQ(s.rect, (RECT{30, 40, 30, 40}));
    PaintBack(7);
    EXPECT_EQ(s.Draw(), 1);
    EXPECT_EQ(s.DrawClipped(RECT{0, 0, 640, 480}), 1);
    EXPECT_EQ(Back(50, 60), 7);
    FrameRecord out{nullptr, RECT{1, 1, 1, 1}};
    EXPECT_EQ(s.GetFrame(&out), 0);
    EXPECT_EQ(out.surface, nullptr);
}

TEST_F(Sprites, ClipToViewIsStrictAtEachEdge) {
    FrameRecord frame{Picture(10, 10, 3), RECT{0, 0, 10, 10}};
    W().AddGroup();
    W().GetGroup(1)->AddSurface(frame.surface, "");
    Sprite s(&W(), -10, 0, &frame, 1);
    RECT out;
    EXPECT_EQ(s.ClipToView(&out, W().view), 0);   // right == view.left
    s.SetPosition(-9, 0);
    EXPECT_EQ(s.ClipToView(&out, W().view), 1);
    s.SetPosition(640, 0);
    EXPECT_EQ(s.ClipToView(&out, W().view), 0);   // left == view.right
    s.SetPosition(0, 480);
    EXPECT_EQ(s.ClipToView(&out, W().view), 0);
    s.SetPosition(0, -10);
    EXPECT_EQ(s.ClipToView(&out, W().view), 0);
}

TEST_F(Sprites, DrawIsKeyedAtTheScrolledPositionAndDrawClippedCutsTheSourceAlike) {
    // A 4 x 4 picture with value 10 + c + 4r, and one keyed pixel at (1, 1).
    Surface* picture = Picture(4, 4, 0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) Put(picture, c, r, static_cast<uint8_t>(10 + c + 4 * r));
    Put(picture, 1, 1, 0);
    W().AddGroup();
    W().GetGroup(1)->AddSurface(picture, "");
    FrameRecord frame{picture, RECT{0, 0, 4, 4}};
    W().background->scrollX = 100;
    W().background->scrollY = 50;
    Sprite s(&W(), 110, 60, &frame, 1);

    PaintBack(200);
    EXPECT_EQ(s.Draw(), 1);
    EXPECT_EQ(Back(10, 10), 10);
    EXPECT_EQ(Back(13, 13), 25);
    EXPECT_EQ(Back(11, 11), 200);   // keyed
    EXPECT_EQ(Back(14, 10), 200);
    s.UpdateScreenPos();
    EXPECT_EQ(s.screenX, 10);
    EXPECT_EQ(s.screenY, 10);

    PaintBack(200);
    EXPECT_EQ(s.DrawClipped(RECT{12, 11, 40, 40}), 1);
    EXPECT_EQ(Back(11, 12), 200);
    EXPECT_EQ(Back(12, 11), 16);   // source (2, 1)
    EXPECT_EQ(Back(13, 13), 25);
    EXPECT_EQ(Back(12, 10), 200);
    // Wholly outside the rectangle: nothing to do is success.
    EXPECT_EQ(s.DrawClipped(RECT{100, 100, 120, 120}), 1);

    RECT box;
    s.hitBox = RECT{1, 2, 3, 4};
    s.GetHitBox(&box);
    EXPECT_EQ(box, (RECT{111, 62, 113, 64}));
    s.GetHitBoxOnScreen(&box);
    EXPECT_EQ(box, (RECT{11, 12, 13, 14}));
    s.GetRectOnScreenVirtual(&box);
    EXPECT_EQ(box, (RECT{10, 10, 14, 14}));
}

TEST_F(Sprites, TimeDueCountsWholePeriodsOnly) {
    AnimatedSprite s(&W(), 0, 0, nullptr, 1);
    s.frameDelay = 100;
    s.lastTime = 1000;
    EXPECT_EQ(s.TimeDue(1100), 0);
    EXPECT_EQ(s.lastTime, 1000u);
    EXPECT_EQ(s.TimeDue(1350), 1);
    EXPECT_EQ(s.lastTime, 1300u);
    EXPECT_EQ(s.TimeDue(1401), 1);
    EXPECT_EQ(s.lastTime, 1400u);
    // Across the 32-bit wrap of the millisecond clock.
    s.lastTime = 0xFFFFFFF0u;
    EXPECT_EQ(s.TimeDue(0x000000A0u), 1);
    EXPECT_EQ(s.lastTime, 0x00000054u);   // one period on
    // A zero period is due at every new millisecond and divides by nothing.
    s.frameDelay = 0;
    EXPECT_EQ(s.TimeDue(0x000000A0u), 1);
    EXPECT_EQ(s.lastTime, 0x000000A0u);
    EXPECT_EQ(s.TimeDue(0x000000A0u), 0);
}

class Stepping : public Sprites {
protected:
    // Frames of widths 1..4, so the rect tells which one is shown.
    void MakeFrames() {
        Surface* strip = Picture(10, 2, 5);
        W().AddGroup();
        W().GetGroup(1)->AddSurface(strip, "");
        for (int i = 0; i < 4; ++i) frames_[i] = FrameRecord{strip, RECT{0, 0, i + 1, 2}};
    }
    std::vector<int> Run(AnimatedSprite& s, int steps) {
        std::vector<int> seen;
        uint32_t now = 1000;
        for (int i = 0; i < steps; ++i) {
            now += 100;
            s.Animate(now);
            seen.push_back(s.frameIndex);
        }
        return seen;
    }
    FrameRecord frames_[4];
};

TEST_F(Stepping, PlainAndPingPongOrders) {
    MakeFrames();
    AnimatedSprite plain(&W(), 0, 0, &frames_[0], 1);
    plain.frames = frames_;
    plain.frameCount = 4;
    plain.frameDelay = 50;
    plain.lastTime = 1000;
    EXPECT_EQ(Run(plain, 6), (std::vector<int>{1, 2, 3, 0, 1, 2}));
    EXPECT_EQ(plain.frame, &frames_[2]);
    EXPECT_EQ(plain.rect, (RECT{0, 0, 3, 2}));

    AnimatedSprite bouncing(&W(), 0, 0, &frames_[0], 1);
    bouncing.frames = frames_;
    bouncing.frameCount = 4;
    bouncing.frameDelay = 50;
    bouncing.lastTime = 1000;
    bouncing.pingPong = true;
    EXPECT_EQ(Run(bouncing, 8), (std::vector<int>{1, 2, 3, 2, 1, 0, 1, 2}));

    // A single frame never leaves its table.
    AnimatedSprite single(&W(), 0, 0, &frames_[0], 1);
    single.frames = frames_;
    single.frameCount = 1;
    single.frameDelay = 50;
    single.pingPong = true;
    EXPECT_EQ(Run(single, 3), (std::vector<int>{0, 0, 0}));
}

TEST_F(Stepping, PausedAndOffScreenAnimationsStandStillWithoutCatchingUp) {
    MakeFrames();
    AnimatedSprite s(&W(), 700, 0, &frames_[0], 1);
    s.frames = frames_;
    s.frameCount = 4;
    s.frameDelay = 100;
    s.Animate(5000);
    EXPECT_EQ(s.frameIndex, 0);
    EXPECT_EQ(s.lastTime, 5000u);
    // Back in view: one step, not the periods missed.
    s.SetPosition(100, 0);
    s.Animate(5150);
    EXPECT_EQ(s.frameIndex, 1);
    EXPECT_EQ(s.lastTime, 5100u);
    s.paused = true;
    s.Animate(6000);
    EXPECT_EQ(s.frameIndex, 1);
}

TEST_F(Stepping, AFrameChangeAddsTheUnionOfOldAndNewRectToTheDirtyList) {
    MakeFrames();
    AnimatedSprite s(&W(), 20, 30, &frames_[3], 1);
    s.frames = frames_;
    s.frameCount = 4;
    s.frameIndex = 3;
    s.frameDelay = 10;
    W().dirtyCount = 0;
    s.Animate(100);   // to frame 0, one pixel wide
    EXPECT_EQ(s.rect, (RECT{20, 30, 21, 32}));
    ASSERT_EQ(W().dirtyCount, 1);
    EXPECT_EQ(W().dirty[0], (RECT{20, 30, 24, 32}));
    EXPECT_EQ(s.dirtyRect, W().dirty[0]);
}

TEST(AnimSequenceCodes, EachCodeMovesTheIndexAndGivesItsResult) {
    const uint16_t frames[4] = {5, 6, 7, 8};
    const uint16_t dxs[4] = {1, 2, 3, static_cast<uint16_t>(-4)};
    const uint16_t dys[4] = {0, 0, 0, static_cast<uint16_t>(-9)};
    AnimSequence seq(4, frames, dxs, dys);
    EXPECT_EQ(seq.GetIndex(), 0);
    EXPECT_EQ(seq.Set(AnimSequence::kPrevious), 1);
    EXPECT_EQ(seq.GetIndex(), 3);
    EXPECT_TRUE(seq.IsLast());
    int16_t f, dx, dy;
    EXPECT_EQ(seq.Get(&f, &dx, &dy), 1);
    EXPECT_EQ(f, 8);
    EXPECT_EQ(dx, -4);
    EXPECT_EQ(dy, -9);
    EXPECT_EQ(seq.Set(AnimSequence::kNext), 1);   // wraps to 0
    EXPECT_EQ(seq.GetIndex(), 0);
    EXPECT_EQ(seq.Set(2), 1);
    EXPECT_EQ(seq.Set(AnimSequence::kNext), 3);   // lands on the last
    EXPECT_EQ(seq.Set(AnimSequence::kFirst), 1);
    EXPECT_EQ(seq.GetIndex(), 0);
    EXPECT_EQ(seq.Set(AnimSequence::kLast), 3);
    EXPECT_EQ(seq.GetIndex(), 3);
    EXPECT_EQ(seq.Set(4), 0);
    EXPECT_EQ(seq.Set(-3), 0);
    EXPECT_EQ(seq.Set(-1), 0);
    EXPECT_EQ(seq.GetIndex(), 3);

    AnimSequence empty(0, frames, dxs, dys);
    EXPECT_EQ(empty.Set(AnimSequence::kLast), 0);
    EXPECT_EQ(empty.Get(&f, &dx, &dy), 0);
    EXPECT_FALSE(empty.IsLast());
}

// A character with a table of three frames over its own 12 x 4 bitmap:
// frame 0 empty, frames 1 and 2 the two 4 x 4 halves.
class Character : public CharacterSprite {
public:
    Character(SpriteWorld* world, SpriteGroup* group, const char* file)
        : CharacterSprite(world, group, 100, 100, file, 1, 50) {
        table_[0] = FrameRecord{surface, RECT{}};
        table_[1] = FrameRecord{surface, RECT{0, 0, 4, 4}};
        table_[2] = FrameRecord{surface, RECT{4, 0, 12, 4}};
        SetFrames(table_, 3);
    }
    int FrameHook(uint32_t now) override {
        hookedAt = now;
        rectAtHook = rect;
        return 1;
    }
    uint32_t hookedAt = 0;
    RECT rectAtHook;

private:
    FrameRecord table_[3];
};

TEST_F(Sprites, CharacterLoadsItsKeyedBitmapAndPlacesFramesByTheSequence) {
    WriteBitmap("dog.bmp", 12, 4, std::vector<uint8_t>(48, 9));
    W().AddGroup();
    SpriteGroup* group = W().GetGroup(1);
    Character dog(&W(), group, ".\\dog.bmp");
    ASSERT_NE(dog.surface, nullptr);
    ASSERT_EQ(group->surfaces.size(), 1u);
    EXPECT_EQ(group->surfaces[0].surface, dog.surface);
    EXPECT_STREQ(group->surfaces[0].fileName, ".\\dog.bmp");
    platform::dd::ColorKey key;
    EXPECT_EQ(dog.surface->GetColorKey(platform::dd::DDCKEY_SRCBLT, &key), platform::dd::DD_OK);
    EXPECT_EQ(key.low, D().GPColorMatch(dog.surface, platform::RGB(0, 255, 0)));
    EXPECT_TRUE(W().animated.Contains(&dog));

    const uint16_t frames[3] = {1, 2, 7};
    const uint16_t dxs[3] = {static_cast<uint16_t>(-3), 5, 0};
    const uint16_t dys[3] = {2, 0, 0};
    AnimSequence walk(3, frames, dxs, dys);
    dog.sequence = &walk;
    dog.FrameChanged(10);
    EXPECT_EQ(dog.frame->rect, (RECT{0, 0, 4, 4}));
    EXPECT_EQ(dog.rect, (RECT{97, 102, 101, 106}));
    EXPECT_EQ(dog.hookedAt, 10u);
    EXPECT_EQ(dog.rectAtHook, (RECT{100, 100, 100, 100}));   // before the move

    dog.Animate(1000);   // due: the next entry
    EXPECT_EQ(walk.GetIndex(), 1);
    EXPECT_EQ(dog.rect, (RECT{105, 100, 113, 104}));
    dog.Animate(1020);   // not yet due
    EXPECT_EQ(walk.GetIndex(), 1);
    // A frame number beyond the table leaves the sprite without a picture.
    dog.Animate(1100);
    EXPECT_EQ(dog.frame, nullptr);
    EXPECT_EQ(dog.rect, (RECT{100, 100, 100, 100}));
    EXPECT_EQ(dog.Draw(), 1);
}

TEST_F(Sprites, CharacterWithoutItsBitmapRegistersNothing) {
    W().AddGroup();
    Character lost(&W(), W().GetGroup(1), ".\\missing.bmp");
    EXPECT_EQ(lost.surface, nullptr);
    EXPECT_TRUE(W().GetGroup(1)->surfaces.empty());
    EXPECT_EQ(D().colourKey, 0u);   // the display's own key is left alone
    EXPECT_EQ(lost.Draw(), 1);
}

TEST_F(Sprites, TwoPartSpriteCoversBothPartsAndDrawsEach) {
    WriteBitmap("band.bmp", 12, 4, std::vector<uint8_t>(48, 9));
    W().AddGroup();
    SpriteGroup* group = W().GetGroup(1);
    class Band : public TwoPartSprite {
    public:
        Band(SpriteWorld* world, SpriteGroup* group) : TwoPartSprite(world, group, 200, 100, ".\\band.bmp", 1, 50) {
            table_[0] = FrameRecord{surface, RECT{}};
            table_[1] = FrameRecord{surface, RECT{0, 0, 4, 4}};
            table_[2] = FrameRecord{surface, RECT{4, 0, 12, 4}};
            SetFrames(table_, 3);
        }
        FrameRecord table_[3];
    } band(&W(), group);
    const uint16_t firstFrames[2] = {1, 1}, firstDx[2] = {0, 0}, firstDy[2] = {0, 0};
    const uint16_t secondFrames[2] = {2, 0}, secondDx[2] = {10, 0}, secondDy[2] = {6, 0};
    AnimSequence first(2, firstFrames, firstDx, firstDy), second(2, secondFrames, secondDx, secondDy);
    band.sequence = &first;
    band.secondSequence = &second;
    band.FrameChanged(0);
    ASSERT_NE(band.secondFrame, nullptr);
    EXPECT_EQ(band.rect, (RECT{200, 100, 218, 110}));

    PaintBack(1);
    EXPECT_EQ(band.Draw(), 1);
    EXPECT_EQ(Back(200, 100), 9);
    EXPECT_EQ(Back(210, 106), 9);
    EXPECT_EQ(Back(205, 100), 1);
    PaintBack(1);
    EXPECT_EQ(band.DrawClipped(RECT{209, 0, 640, 480}), 1);
    EXPECT_EQ(Back(200, 100), 1);
    EXPECT_EQ(Back(210, 106), 9);

    band.Animate(1000);   // second sequence entry has frame 0: one part only
    EXPECT_EQ(band.secondFrame, nullptr);
    EXPECT_EQ(band.rect, (RECT{200, 100, 204, 104}));
    ASSERT_GE(W().dirtyCount, 1);
    EXPECT_EQ(W().dirty[W().dirtyCount - 1], (RECT{200, 100, 218, 110}));
}

}  // namespace
