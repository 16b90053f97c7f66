// Diagnostic overlays: frame counting, the counter text and the info line.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "support/display_support.h"

using display_support::PixelAt;
namespace clock_ = platform::manual_clock;

namespace {

class Overlays : public ::testing::Test, public display_support::DisplayTest {
protected:
    int YellowPixels(const platform::dd::Surface* s, int width, int height) {
        // Yellow (255, 255, 0) is entry 0xFC of the start-up palette.
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) count += PixelAt(s, x, y) == 0xFC ? 1 : 0;
        }
        return count;
    }
};

TEST_F(Overlays, FramesAreCountedPerPeriodEvenWithTheOverlayOff) {
    clock_::Set(1000);
    ASSERT_EQ(Start(), 1);
    const platform::DWORD start = D().frameCount;
    for (int i = 0; i < 59; ++i) {
        clock_::Advance(16);
        D().GPPageFlip();
    }
    EXPECT_EQ(D().framesPerSecond, 0u) << "no period has ended yet";
    EXPECT_EQ(D().frameCount, start + 59);
    clock_::Advance(1001 - 59 * 16);
    D().GPPageFlip();
    EXPECT_EQ(D().framesPerSecond, start + 60);
    EXPECT_EQ(D().frameCount, 0u);
    EXPECT_STREQ(D().frameRateText, "        ") << "the text is only made while shown";
}

TEST_F(Overlays, CounterIsDrawnInYellowAtTheGameAreaCornerAndCutToEightCharacters) {
    clock_::Set(5000);
    ASSERT_EQ(Start(display::kConfigShowFrameRate), 1);
    ASSERT_NE(D().frameRateBuffer, nullptr);
    D().frameCount = 123456788;
    clock_::Advance(1001);
    const platform::RECT all{0, 0, 640, 480};
    D().GPFillBufferIndex(nullptr, &all, 3);
    ASSERT_EQ(D().GPBltFrameRate(), 1);
    EXPECT_STREQ(D().frameRateText, "12345678");
    EXPECT_GT(YellowPixels(D().frameRateBuffer, 40, 15), 10);
    EXPECT_GT(YellowPixels(D().backBuffer, 40, 15), 10);
    EXPECT_EQ(PixelAt(D().backBuffer, 41, 3), 3) << "nothing beyond the 40 x 15 corner";

    ASSERT_EQ(D().GPToggleFrameRate(), 1);
    EXPECT_EQ(D().frameRateBuffer, nullptr);
    EXPECT_FALSE(D().showFrameRate);
    platform::dd::emulation::FailNext(platform::dd::emulation::Op::CreateSurface, platform::dd::DDERR_GENERIC);
    EXPECT_EQ(D().GPToggleFrameRate(), 0);
    EXPECT_FALSE(D().showFrameRate);
}

TEST_F(Overlays, InfoLineDescribesTheBuffersAtTheBottomOfTheGameArea) {
    ASSERT_EQ(Start(display::kConfigShowInfo), 1);
    const platform::RECT all{0, 0, 640, 480};
    D().GPFillBufferIndex(nullptr, &all, 3);
    ASSERT_EQ(D().GPBltInfo(), 1);
    EXPECT_STREQ(D().infoText, "Front-640x480 (640x480) Back-640x480 (640x480)");
    int yellow = 0;
    for (int y = 465; y < 480; ++y) {
        for (int x = 0; x < 400; ++x) yellow += PixelAt(D().backBuffer, x, y) == 0xFC ? 1 : 0;
    }
    EXPECT_GT(yellow, 100);
    EXPECT_EQ(YellowPixels(D().backBuffer, 640, 465), 0);
}

TEST_F(Overlays, PaletteChartFillsSixteenBySixteenSwatchesCentred) {
    ASSERT_EQ(Start(display::kConfigShowPalette), 1);
    D().GPPageFlip();
    // The chart went to the front with the flip.
    EXPECT_EQ(PixelAt(D().frontBuffer, 240, 160), 0);
    EXPECT_EQ(PixelAt(D().frontBuffer, 250, 160), 1);
    EXPECT_EQ(PixelAt(D().frontBuffer, 399, 319), 255);
    EXPECT_EQ(PixelAt(D().frontBuffer, 239, 160), D().colourKey);
}

}  // namespace
