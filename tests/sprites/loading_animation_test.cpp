// The loading animation: step sizes towards its targets, phases on the
// clock, drawing and erasing of the figures, and going on without its
// picture.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/headless.h"
#include "sprites/loading_animation.h"
#include "support/sprites_support.h"

using sprites::LoadingAnimation;
using display_support::PixelAt;
using platform::RECT;

namespace {

class Loading : public ::testing::Test, public sprites_support::SpriteTest {
protected:
    void SetUp() override {
        ASSERT_EQ(Start(), 1);
        platform::manual_clock::Set(10000);
        platform::headless::ClearMessageBoxLog();
    }
    void WritePicture() { WriteBitmap("LoadAnim.bmp", 168, 310, std::vector<uint8_t>(168 * 310, 9)); }
};

TEST_F(Loading, StepSizesReachTheTargets) {
    WritePicture();
    LoadingAnimation anim;
    ASSERT_EQ(anim.Start(&D(), 10, 370), 1);
    EXPECT_EQ(anim.stepSize, 37);
    EXPECT_EQ(anim.x, 37);   // the first frame is a step
    for (int i = 0; i < 9; ++i) anim.Step();
    EXPECT_EQ(anim.x, 370);
    anim.SetProgress(10, 670);
    EXPECT_EQ(anim.stepSize, 31);
    anim.SetProgress(0, 670);          // no steps left: stand still
    EXPECT_EQ(anim.stepSize, 0);
}

TEST_F(Loading, PhasesFollowTheClockAndTheRunnerFollowsTheSteps) {
    WritePicture();
    LoadingAnimation anim;
    anim.Start(&D(), 0, 370);
    EXPECT_EQ(anim.stepSize, 0);
    EXPECT_EQ(anim.phase, 0);
    platform::manual_clock::Advance(100);
    anim.Step();
    EXPECT_EQ(anim.phase, 0);          // not more than 100 ms yet
    platform::manual_clock::Advance(1);
    anim.Step();
    EXPECT_EQ(anim.phase, 1);
    EXPECT_EQ(anim.x, 0);
    for (int i = 0; i < 17; ++i) {
        platform::manual_clock::Advance(101);
        anim.Step();
    }
    EXPECT_EQ(anim.phase, 0);          // wraps after 18
}

TEST_F(Loading, EachFrameIsShownAndErasedFromTheBufferThatHeldIt) {
    WritePicture();
    LoadingAnimation anim;
    anim.Start(&D(), 10, 370);          // phase 0, x = 37
    // Shown: the bouncing figure (frame 2 stretched to 288..345, 189..247)
    // and the body (frame 6 at 12, 294).
    EXPECT_EQ(PixelAt(D().frontBuffer, 300, 200), 9);
    EXPECT_EQ(PixelAt(D().frontBuffer, 30, 320), 9);
    EXPECT_EQ(anim.previous[0], (RECT{12, 294, 64, 357}));
    EXPECT_EQ(anim.previous[2], (RECT{288, 189, 345, 247}));
    anim.Step();
    // The buffer that held the first frame is the back buffer again, erased.
    EXPECT_EQ(PixelAt(D().backBuffer, 30, 320), 0);
    EXPECT_EQ(PixelAt(D().backBuffer, 300, 200), 0);
    EXPECT_EQ(PixelAt(D().frontBuffer, 67, 320), 9);   // the body moved on by 37
}

TEST_F(Loading, WithoutItsPictureItStillPresentsEveryStep) {
    LoadingAnimation anim;
    EXPECT_EQ(anim.Start(&D(), 4, 400), 1);
    EXPECT_EQ(anim.surface, nullptr);
    ASSERT_EQ(platform::headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(anim.Step(), 1);
    EXPECT_EQ(anim.x, 200);
    EXPECT_EQ(PixelAt(D().frontBuffer, 300, 200), 0);
}

}  // namespace
