// Palette fades: 8.8 fixed-point arithmetic, reversal, the blocking variants.
#include <gtest/gtest.h>

#include "support/display_support.h"

using display::kFadeIdle;
using display::kFadeIn;
using display::kFadeOut;
using display::kFadeShown;
using platform::PaletteEntry;

namespace {

class Fades : public ::testing::Test, public display_support::DisplayTest {
protected:
    // Full-screen display whose palette has entry 1 = (255, 128, 0).
    void StartWithPalette(platform::DWORD flags = 0) {
        ASSERT_EQ(Start(flags), 1);
        PaletteEntry entries[256] = {};
        entries[1] = PaletteEntry{255, 128, 0, 0};
        entries[2] = PaletteEntry{0, 60, 255, 0};
        entries[3] = PaletteEntry{30, 0, 90, 0};
        ASSERT_EQ(D().directDraw2->CreatePalette(platform::dd::DDPCAPS_8BIT, entries, &D().palette),
                  platform::dd::DD_OK);
        D().GPFadeInit();
    }
    PaletteEntry Shown(int index) {
        PaletteEntry entries[256];
        D().palette->GetEntries(0, 256, entries);
        return entries[index];
    }
};

TEST_F(Fades, FifteenStepsOfAFullComponentReachExactlyFullAndBackToBlack) {
    StartWithPalette();
    EXPECT_EQ(D().fadeStep[1].red, 4352);
    EXPECT_EQ(D().fadeLevel[1].red, 128);
    EXPECT_EQ(D().fadeState, kFadeIdle);
    D().GPFadeIn();
    for (int i = 0; i < 14; ++i) D().GPFadeStep();
    EXPECT_EQ(D().fadeState, kFadeIn);
    D().GPFadeStep();
    EXPECT_EQ(D().fadeState, kFadeShown);
    EXPECT_EQ(D().fadeLevel[1].red, 65408);
    EXPECT_EQ(Shown(1), (PaletteEntry{255, 128, 0, 0}));
    D().GPFadeStep();
    EXPECT_EQ(D().fadeLevel[1].red, 65408) << "a shown palette does not move";

    D().GPFadeOut();
    for (int i = 0; i < 15; ++i) D().GPFadeStep();
    EXPECT_EQ(D().fadeState, kFadeIdle);
    EXPECT_EQ(D().fadeLevel[1].red, 128);
    EXPECT_EQ(Shown(1), (PaletteEntry{0, 0, 0, 0}));
}

TEST_F(Fades, EachChannelOfEachEntryFadesOnItsOwnScale) {
    StartWithPalette();
    D().GPFadeIn();
    for (int i = 0; i < 5; ++i) D().GPFadeStep();  // a third of the way
    const PaletteEntry partBlue = Shown(2), partPurple = Shown(3);
    EXPECT_EQ(partBlue.red, 0);
    EXPECT_NEAR(partBlue.green, 20, 1);
    EXPECT_NEAR(partBlue.blue, 85, 1);
    EXPECT_NEAR(partPurple.red, 10, 1);
    EXPECT_EQ(partPurple.green, 0);
    EXPECT_NEAR(partPurple.blue, 30, 1);
    for (int i = 0; i < 10; ++i) D().GPFadeStep();
    EXPECT_EQ(Shown(2), (PaletteEntry{0, 60, 255, 0}));
    EXPECT_EQ(Shown(3), (PaletteEntry{30, 0, 90, 0}));
    D().GPFadeOut();
    for (int i = 0; i < 10; ++i) D().GPFadeStep();
    EXPECT_NEAR(Shown(2).blue, 85, 1);
    EXPECT_NEAR(Shown(3).blue, 30, 1);
    for (int i = 0; i < 5; ++i) D().GPFadeStep();
    EXPECT_EQ(Shown(2), (PaletteEntry{0, 0, 0, 0}));
    EXPECT_EQ(Shown(3), (PaletteEntry{0, 0, 0, 0}));
}

TEST_F(Fades, ReversalContinuesFromTheCurrentBrightness) {
    StartWithPalette();
    D().GPFadeIn();
    for (int i = 0; i < 5; ++i) D().GPFadeStep();
    D().GPFadeOut();
    EXPECT_EQ(D().fadeState, kFadeOut);
    for (int i = 0; i < 4; ++i) D().GPFadeStep();
    EXPECT_EQ(D().fadeState, kFadeOut);
    EXPECT_EQ(Shown(1).red, (128 + 4352) >> 8);
    D().GPFadeStep();
    EXPECT_EQ(D().fadeState, kFadeIdle) << "as many steps back as were taken";
    EXPECT_EQ(Shown(1).red, 0);

    // Fading in while fully shown drops to black and fades in again.
    D().GPFadeReset();
    EXPECT_EQ(Shown(1).red, 255);
    D().GPFadeIn();
    D().GPFadeStep();
    EXPECT_EQ(Shown(1).red, (128 + 4352) >> 8);
}

TEST_F(Fades, ReversalBeforeTheFirstStepNeitherHangsNorOvershoots) {
    StartWithPalette();
    D().GPFadeIn();
    D().GPFadeOut();   // no step taken yet: already black
    D().GPPageFlipFadeOut(0);
    EXPECT_EQ(D().fadeState, kFadeIdle);

    D().GPFadeOut();   // from idle: starts at full brightness
    D().GPFadeIn();
    D().GPFadeStep();
    EXPECT_EQ(Shown(1), (PaletteEntry{255, 128, 0, 0})) << "no colour wraps past full";
    EXPECT_EQ(D().fadeState, kFadeShown);
}

TEST_F(Fades, BlockingFadesPresentUntilDoneAndWindowedModePresentsOnce) {
    StartWithPalette();
    D().frameCount = 0;
    D().GPPageFlipFadeIn();
    EXPECT_EQ(D().fadeState, kFadeShown);
    EXPECT_EQ(D().frameCount, 15u);
    D().GPPageFlipFadeOut(1);
    EXPECT_EQ(D().fadeState, kFadeIdle);
    EXPECT_EQ(D().frameCount, 30u);

    ASSERT_EQ(Start(display::kConfigWindowed), 1);
    D().frameCount = 0;
    D().GPPageFlipFadeIn();
    D().GPPageFlipFadeOut(0);
    EXPECT_EQ(D().frameCount, 2u);
    EXPECT_EQ(D().fadeState, kFadeIdle) << "windowed, the fade never starts";
}

}  // namespace
