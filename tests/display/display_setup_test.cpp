// Display set-up: configuration, mode and buffer choices, the colour key,
// display rectangles and borders.
#include <gtest/gtest.h>

#include "support/display_support.h"

using namespace platform::dd;
namespace emu = platform::dd::emulation;
using platform::DWORD;
using platform::RECT;

namespace {

class DisplaySetup : public ::testing::Test, public display_support::DisplayTest {};

TEST_F(DisplaySetup, DefaultConfigurationGivesTwoBufferFullScreen8BitWithoutPalette) {
    ASSERT_EQ(Start(), 1);
    display::Display& d = D();
    EXPECT_TRUE(d.initialised);
    EXPECT_TRUE(d.fullScreen);
    EXPECT_EQ(d.bitsPerPixel, 8u);
    ASSERT_NE(d.frontBuffer, nullptr);
    ASSERT_NE(d.backBuffer, nullptr);
    EXPECT_NE(d.frontBuffer, d.backBuffer);
    EXPECT_EQ(d.stretchBuffer, nullptr);
    EXPECT_EQ(d.palette, nullptr) << "the empty palette file name opens nothing";
    EXPECT_EQ(d.borderX, 0);
    EXPECT_EQ(d.borderY, 0);
    EXPECT_EQ(d.gameRect, (RECT{0, 0, 640, 480}));
    EXPECT_EQ(d.displayRect, (RECT{0, 0, 640, 480}));
    EXPECT_EQ(d.frontWidth, 640);
    EXPECT_EQ(d.colourKey, 0u) << "black is entry 0 of the adapter's start-up palette";
    EXPECT_FALSE(d.useDestColourKey);
    EXPECT_TRUE(d.hasBlitter);
    EXPECT_EQ(d.monitorFrequency, 60u);

    // The game clipper covers the whole back buffer and nothing was painted.
    ASSERT_NE(d.gameClipper, nullptr);
    EXPECT_EQ(d.backBuffer->AttachedClipper(), d.gameClipper);
    EXPECT_EQ(d.gameClipper->EffectiveRects(*d.backBuffer), (std::vector<RECT>{{0, 0, 640, 480}}));
    EXPECT_FALSE(Traces().Contains("...attempting to create vid mem surface..."));
    EXPECT_TRUE(Traces().Contains("Set cooperative level SUCCESS, got 63 modes.\n"));
    EXPECT_TRUE(Traces().Contains("Attempting to go to mode 640x480x8 (using default refresh rate)..."));
    EXPECT_TRUE(Traces().Contains("Initialise page flipping SUCCESS.\n"));
    for (const auto& line : Traces().Lines()) EXPECT_EQ(line.failure, 0) << line.text;

    // Tear-down releases every surface it made.
    d.GPDestroy(1);
    EXPECT_EQ(emu::LiveSurfaceCount(), 0);
    EXPECT_EQ(d.directDraw2, nullptr);
}

TEST_F(DisplaySetup, RefreshRateRejectedAsInvalidModeIsRetriedOnceAtTheDefault) {
    display_ = std::make_unique<display::Display>();
    const DWORD rate = 61;
    D().GPConfigure(nullptr, nullptr, nullptr, &rate, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(D().GPInitDirectDraw(Window()), 1);
    EXPECT_TRUE(Traces().Contains("Attempting to go to mode 640x480x8 at 61Hz..."));
    EXPECT_TRUE(Traces().Contains("...video mode unsupported, trying default refresh rate"));

    // Any other error of the mode switch ends set-up, flagged as fatal.
    display_ = std::make_unique<display::Display>();
    Traces().Clear();
    emu::FailNext(emu::Op::SetDisplayMode, DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(D().GPInitDirectDraw(Window()), 0);
    ASSERT_FALSE(Traces().Lines().empty());
    EXPECT_EQ(Traces().Lines().back().failure, 1);
    EXPECT_EQ(Traces().Lines().back().text,
              "Set mode FAILED, Operation requires the application to have exclusive mode but the application "
              "does not have exclusive mode.\n");
}

TEST_F(DisplaySetup, MoreThanAHundredModesKeepsTheFirstHundred) {
    auto& modes = emu::Current().modes;
    for (int i = 0; i < 150; ++i) modes.push_back({1600 + i, 1200, 8, 60});
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(D().displayModes.count, 100);
    EXPECT_EQ(D().displayModes.reported, 213);
    EXPECT_EQ(D().displayModes.entries[0].width, 320);
}

TEST_F(DisplaySetup, DestinationKeyingOnlyOnDestOnlyHardwareWithEnoughMemory) {
    auto& caps = emu::Current().driverCaps;
    caps.colorKeyCaps = DDCKEYCAPS_DESTBLT;
    caps.videoMemoryTotal = 2u << 20;
    ASSERT_EQ(Start(), 1);
    EXPECT_TRUE(D().useDestColourKey);
    EXPECT_TRUE(Traces().Contains("...can do Dest colorkey in hardware..."));
    ColorKey key;
    EXPECT_EQ(D().backBuffer->GetColorKey(DDCKEY_DESTBLT, &key), DD_OK);

    caps.videoMemoryTotal = (2u << 20) - 1;
    ASSERT_EQ(Start(), 1);
    EXPECT_FALSE(D().useDestColourKey);

    caps.colorKeyCaps = DDCKEYCAPS_DESTBLT | DDCKEYCAPS_SRCBLT;
    caps.videoMemoryTotal = 8u << 20;
    ASSERT_EQ(Start(), 1);
    EXPECT_FALSE(D().useDestColourKey);

    caps.caps &= ~DDCAPS_COLORKEY;
    ASSERT_EQ(Start(), 1);
    EXPECT_TRUE(Traces().Contains("...can't do colorkey in hardware..."));
}

TEST_F(DisplaySetup, AutomaticBufferCountAndMissingMonitorFrequency) {
    emu::Current().monitorFrequency = 0;
    ASSERT_EQ(Start(0, 0), 1);
    EXPECT_EQ(D().bufferCount, 3u);
    EXPECT_EQ(D().monitorFrequency, 0u);
    EXPECT_TRUE(Traces().Contains("...could not get monitor freq, Action not supported."));
    SurfaceDesc desc;
    D().frontBuffer->GetSurfaceDesc(&desc);
    EXPECT_EQ(desc.backBufferCount, 2u);

    emu::Current().driverCaps.videoMemoryTotal = 1u << 20;
    ASSERT_EQ(Start(0, 0), 1);
    EXPECT_EQ(D().bufferCount, 2u);
    EXPECT_TRUE(Traces().Contains("...double buffering (not enough memory for 3)..."));
}

TEST_F(DisplaySetup, OneBufferUsesThePrimaryAsBackBufferAndFailuresAreFatal) {
    ASSERT_EQ(Start(0, 1), 1);
    EXPECT_EQ(D().frontBuffer, D().backBuffer);
    EXPECT_TRUE(Traces().Contains("...using primary as back buffer..."));
    D().GPDestroy(1);
    EXPECT_EQ(emu::LiveSurfaceCount(), 0) << "both references are released";

    emu::FailNext(emu::Op::CreateSurface, DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(Start(), 0);
    EXPECT_EQ(Traces().Lines().back().text,
              "Create primary surface FAILED, DirectDraw does not have enough memory to perform the operation.\n");
    EXPECT_EQ(Traces().Lines().back().failure, 1);

    emu::FailNext(emu::Op::Create, DDERR_GENERIC);
    EXPECT_EQ(Start(), 0);
    EXPECT_EQ(Traces().Lines().back().text, "DirectDraw object creation FAILED, Generic failure.\n");
}

TEST_F(DisplaySetup, ConfigureKeepsUnsetFieldsAndRebuildsARunningDisplay) {
    display_ = std::make_unique<display::Display>();
    display::Display& d = D();
    DWORD flags = display::kConfigShowInfo | display::kConfigWindowed;
    d.GPConfigure(&flags, nullptr, nullptr, nullptr, "pal.bmp", nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(d.showInfo);
    EXPECT_FALSE(d.fullScreen);
    EXPECT_STREQ(d.paletteFile, "pal.bmp");
    flags = 0;
    const DWORD noSteps = 0;
    d.GPConfigure(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &noSteps);
    EXPECT_TRUE(d.showInfo) << "a clear bit leaves its switch alone";
    EXPECT_TRUE(d.fullScreen) << "except the windowed bit, which decides both ways";
    EXPECT_EQ(d.fadeSteps, 15u) << "a fade of zero steps is refused";
    EXPECT_EQ(d.directDraw2, nullptr) << "nothing is set up before the display runs";

    ASSERT_EQ(Start(), 1);
    DirectDraw* object = D().directDraw2;
    const int32_t border[2] = {10, 20};
    ASSERT_EQ(D().GPConfigure(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, border, nullptr,
                              nullptr),
              1);
    EXPECT_EQ(D().directDraw2, object) << "the DirectDraw objects are kept";
    EXPECT_EQ(D().gameRect, (RECT{10, 20, 630, 460}));
    EXPECT_TRUE(Traces().Contains("...object already created, using existing one..."));
}

TEST_F(DisplaySetup, ShrinkingTheWindowMovesTheBorderAndItNeverLeavesItsRange) {
    ASSERT_EQ(Start(display::kConfigWindowed), 1);
    display::Display& d = D();
    EXPECT_EQ(d.bitsPerPixel, 32u) << "windowed, the depth follows the desktop";
    EXPECT_EQ(d.palette, nullptr);
    EXPECT_EQ(d.colourKey, 0u) << "black's value at 32 bits";
    ASSERT_NE(d.windowClipper, nullptr);

    // The shell reports a client area 40 x 80 smaller.
    d.displayRect = RECT{0, 0, 600, 400};
    platform::MoveWindow(Window(), 0, 0, 600, 400);
    ASSERT_EQ(d.GPSetDisplayRect(), 1);
    EXPECT_EQ(d.borderX, 20);
    EXPECT_EQ(d.borderY, 40);
    EXPECT_EQ(d.gameWidth, 600);
    EXPECT_EQ(d.gameHeight, 400);
    EXPECT_EQ(d.gameRect, (RECT{20, 40, 620, 440}));

    platform::MoveWindow(Window(), 0, 0, 640, 480);
    ASSERT_EQ(d.GPSetDisplayRect(), 1);
    EXPECT_EQ(d.borderX, 0);
    EXPECT_EQ(d.borderY, 0);

    platform::MINMAXINFO info;
    ASSERT_EQ(d.GPGetMinMaxInfo(&info), 1);
    EXPECT_EQ(info.ptMinTrackSize, (platform::POINT{100, 100}));
    EXPECT_EQ(info.ptMaxTrackSize, (platform::POINT{640, 480})) << "never larger than the picture";
    EXPECT_EQ(d.GPCopyBitmap(nullptr, nullptr, 0, 0, 0, 0), E_FAIL);

    d.GPBorderChange(-50, -50);
    EXPECT_EQ(d.borderX, 0);
    EXPECT_EQ(d.borderY, 0);
    d.GPBorderChange(1000, 1000);
    EXPECT_EQ(d.borderX, 320);
    EXPECT_EQ(d.borderY, 240);
    EXPECT_EQ(d.gameWidth, 0);
}

TEST_F(DisplaySetup, FullScreenBorderIsPaintedBlackIntoEveryBuffer) {
    ASSERT_EQ(Start(), 1);
    display::Display& d = D();
    const RECT all{0, 0, 640, 480};
    d.backBuffer->SetClipper(nullptr);
    d.GPFillBufferIndex(d.backBuffer, &all, 9);
    d.GPPageFlip();
    d.GPFillBufferIndex(d.backBuffer, &all, 9);
    ASSERT_EQ(d.GPBorderChange(8, 4), 1);
    EXPECT_TRUE(Traces().Contains("...could not load bitmap, reverting to color fill..."));
    for (Surface* s : {d.frontBuffer, d.backBuffer}) {
        EXPECT_EQ(display_support::PixelAt(s, 0, 0), d.colourKey);
        EXPECT_EQ(display_support::PixelAt(s, 639, 479), d.colourKey);
        EXPECT_EQ(display_support::PixelAt(s, 7, 200), d.colourKey);
        EXPECT_EQ(display_support::PixelAt(s, 8, 200), 9);
        EXPECT_EQ(display_support::PixelAt(s, 320, 4), 9);
        // The right and bottom strips, and the picture's last column and row.
        EXPECT_EQ(display_support::PixelAt(s, 632, 200), d.colourKey);
        EXPECT_EQ(display_support::PixelAt(s, 631, 200), 9);
        EXPECT_EQ(display_support::PixelAt(s, 320, 476), d.colourKey);
        EXPECT_EQ(display_support::PixelAt(s, 320, 475), 9);
        EXPECT_EQ(display_support::PixelAt(s, 320, 3), d.colourKey);
    }
    EXPECT_EQ(d.gameClipper->EffectiveRects(*d.backBuffer), (std::vector<RECT>{{8, 4, 632, 476}}));
}

}  // namespace
