// Drawing through the display: the blit flag rules, rectangles outside the
// surface, recovery of lost surfaces, scrolling, presenting and error texts.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/video_out.h"
#include "support/display_support.h"

using namespace platform::dd;
namespace emu = platform::dd::emulation;
using display::Display;
using display_support::PixelAt;
using platform::DWORD;
using platform::RECT;

namespace {

class DisplayDraw : public ::testing::Test, public display_support::DisplayTest {
protected:
    // A 2 x 1 sprite: a keyed (black, value 0) pixel and a pixel of value 5.
    Surface* Sprite() {
        Surface* s = D().GPCreateSurface(2, 1, 1, 1);
        s->Pixels()[0] = 0;
        s->Pixels()[1] = 5;
        return s;
    }
    void PaintBack(DWORD value) {
        const RECT all{0, 0, 640, 480};
        ASSERT_EQ(D().GPFillBufferIndex(nullptr, &all, value), 1);
    }
};

TEST_F(DisplayDraw, KeyedBlitsSkipTheKeyAndDestinationKeyingDecidesAlone) {
    ASSERT_EQ(Start(), 1);
    Surface* sprite = Sprite();
    const RECT at{10, 10, 12, 11};
    PaintBack(9);
    ASSERT_EQ(D().GPBlt(sprite, nullptr, nullptr, &at, 1), 1);
    EXPECT_EQ(PixelAt(D().backBuffer, 10, 10), 9);
    EXPECT_EQ(PixelAt(D().backBuffer, 11, 10), 5);
    ASSERT_EQ(D().GPBlt(sprite, nullptr, nullptr, &at, 0), 1);
    EXPECT_EQ(PixelAt(D().backBuffer, 10, 10), 0);

    // In destination-key mode every blit writes only onto the key colour,
    // keyed or not.
    D().useDestColourKey = true;
    const ColorKey key{9, 9};
    D().backBuffer->SetColorKey(DDCKEY_DESTBLT, &key);
    PaintBack(9);
    D().backBuffer->Pixels()[10 * D().backBuffer->Pitch() + 11] = 3;
    ASSERT_EQ(D().GPBlt(sprite, nullptr, nullptr, &at, 0), 1);
    EXPECT_EQ(PixelAt(D().backBuffer, 10, 10), 0);
    EXPECT_EQ(PixelAt(D().backBuffer, 11, 10), 3);
    sprite->Release();
}

TEST_F(DisplayDraw, RectangleOutsideAnUnclippedSurfaceCountsAsDrawn) {
    ASSERT_EQ(Start(), 1);
    Surface* sprite = Sprite();
    Surface* target = D().GPCreateSurface(4, 4, 1, 0);
    const RECT outside{3, 3, 5, 4};
    Traces().Clear();
    EXPECT_EQ(D().GPBlt(sprite, nullptr, target, &outside, 1), 1);
    EXPECT_EQ(Traces().Texts(), std::vector<std::string>{"GPBlt:Blt failed err=Rectangle provided was invalid."});
    // Other errors are failures.
    emu::FailNext(emu::Op::Blt, DDERR_GENERIC);
    EXPECT_EQ(D().GPBlt(sprite, nullptr, target, nullptr, 1), 0);
    sprite->Release();
    target->Release();
}

TEST_F(DisplayDraw, LostBackBufferIsRestoredAndTheBlitRetriedButReportsZero) {
    ASSERT_EQ(Start(), 1);
    Surface* sprite = Sprite();
    const RECT at{0, 0, 2, 1};
    D().backBuffer->MarkLost();
    Traces().Clear();
    EXPECT_EQ(D().GPBlt(sprite, nullptr, nullptr, &at, 0), 0);
    EXPECT_EQ(PixelAt(D().backBuffer, 1, 0), 5) << "the retry drew";
    EXPECT_TRUE(Traces().Contains("GPBlt: surface lost, restoring all."));
    EXPECT_TRUE(Traces().Contains("...back buffer lost, attempting restore..."));
    EXPECT_TRUE(Traces().Contains("BorderChange SUCCESS.\n")) << "restoring the chain rebuilds the border";

    // A lost source that cannot be restored by the display fails the retry.
    sprite->MarkLost();
    Traces().Clear();
    EXPECT_EQ(D().GPBlt(sprite, nullptr, nullptr, &at, 0), 0);
    EXPECT_EQ(Traces().Lines().back().text,
              "GPBlt:Blt failed err=Access to this surface is being refused because the surface memory is gone. "
              "The DirectDrawSurface object representing this surface should have Restore called on it.");
    sprite->Release();
}

TEST_F(DisplayDraw, RestoreAllTracesEachSurfaceAndStopsAtAFailedRestore) {
    ASSERT_EQ(Start(display::kConfigShowFrameRate), 1);
    Traces().Clear();
    ASSERT_EQ(D().GPRestoreAll(), 1);
    EXPECT_EQ(Traces().Texts(), (std::vector<std::string>{
                                    "Attempting to restore display surfaces... ", "...front buffer not lost...",
                                    "...back buffer not lost...", "...frame rate buffer not lost...",
                                    "RestoreAll complete, SUCCESS."}));

    D().frameRateBuffer->MarkLost();
    Traces().Clear();
    ASSERT_EQ(D().GPRestoreAll(), 1);
    EXPECT_TRUE(Traces().Contains("...frame rate buffer restored SUCCESSFULLY..."));
    EXPECT_FALSE(Traces().Contains("BorderChange SUCCESS.\n")) << "only the chain needs the border";

    emu::LoseAllSurfaces();
    emu::FailNext(emu::Op::Restore, DDERR_GENERIC);
    Traces().Clear();
    EXPECT_EQ(D().GPRestoreAll(), 0);
    EXPECT_EQ(Traces().Lines().back().text, "Front buffer restore FAILED, Generic failure..");
    EXPECT_EQ(D().GPRestoreAll(), 1) << "the next attempt succeeds";
}

TEST_F(DisplayDraw, PageFlipWithOneBufferStepsTheFadeWithoutFlipping) {
    ASSERT_EQ(Start(0, 1), 1);
    D().palette = D().GPLoadPaletteFile(nullptr);
    D().GPFadeInit();
    D().GPFadeIn();
    D().frameCount = 0;
    Traces().Clear();
    EXPECT_EQ(D().GPPageFlip(), 1);
    EXPECT_EQ(D().frameCount, 1u);
    EXPECT_EQ(D().fadeCounter, 1u);
    EXPECT_TRUE(Traces().Lines().empty()) << "nothing failed, so nothing is reported";
}

TEST_F(DisplayDraw, ScrollCopiesTheVisiblePictureAndFlipsShowTheBackBuffer) {
    ASSERT_EQ(Start(), 1);
    PaintBack(4);
    const RECT spot{100, 100, 101, 101};
    D().GPFillBufferIndex(nullptr, &spot, 6);
    ASSERT_EQ(D().GPPageFlip(), 1);
    EXPECT_EQ(PixelAt(D().frontBuffer, 100, 100), 6);
    PaintBack(0);
    ASSERT_EQ(D().GPScroll(0, 0), 1);
    EXPECT_EQ(PixelAt(D().backBuffer, 100, 100), 6);
    EXPECT_EQ(PixelAt(D().backBuffer, 0, 0), 4);
    ASSERT_EQ(D().GPScroll(3, 0), 1) << "the game clipper cuts the shifted copy";
    EXPECT_EQ(PixelAt(D().backBuffer, 103, 100), 6);

    const platform::Screenshot shot = platform::CaptureScreen();
    ASSERT_EQ(shot.width, 640);
    const auto* startup = emu::StartupPalette();
    EXPECT_EQ(shot.rgb[(100 * 640 + 100) * 3], startup[6].red);
    EXPECT_EQ(shot.rgb[(100 * 640 + 100) * 3 + 2], startup[6].blue);
}

TEST_F(DisplayDraw, WindowedFramesReachTheWindowThroughTheClientArea) {
    ASSERT_EQ(Start(display::kConfigWindowed), 1);
    ASSERT_EQ(D().GPFillBufferRGB(nullptr, nullptr, platform::RGB(10, 20, 30)), 1);
    ASSERT_EQ(D().GPPageFlip(), 1);
    const platform::Screenshot shot = platform::CaptureScreen();
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    EXPECT_EQ(shot.rgb[0], 10);
    EXPECT_EQ(shot.rgb[1], 20);
    EXPECT_EQ(shot.rgb[2], 30);
}

TEST_F(DisplayDraw, StretchModeScalesTheGameAreaOverTheWholeBuffer) {
    ASSERT_EQ(Start(display::kConfigStretch), 1);
    ASSERT_NE(D().stretchBuffer, nullptr);
    EXPECT_TRUE(Traces().Contains("...detected linear frame buffer hardware, creating video mem stretch buffer..."));
    ASSERT_EQ(D().GPBorderChange(320 - 4, 240 - 2), 1);
    ASSERT_EQ(D().gameRect, (RECT{316, 238, 324, 242}));
    EXPECT_EQ(D().gameClipper->EffectiveRects(*D().backBuffer), (std::vector<RECT>{{0, 0, 640, 480}}));
    PaintBack(1);
    const RECT corner{316, 238, 317, 239};
    D().GPFillBufferIndex(nullptr, &corner, 7);
    ASSERT_EQ(D().GPPageFlip(), 1);
    // Each game pixel became an 80 x 120 block.
    EXPECT_EQ(PixelAt(D().frontBuffer, 0, 0), 7);
    EXPECT_EQ(PixelAt(D().frontBuffer, 79, 119), 7);
    EXPECT_EQ(PixelAt(D().frontBuffer, 80, 0), 1);
    EXPECT_EQ(PixelAt(D().frontBuffer, 0, 120), 1);
}

TEST_F(DisplayDraw, PaletteChangeWithoutAFlipReachesTheWindowSoonAfter) {
    ASSERT_EQ(Start(), 1);
    D().palette = D().GPLoadPaletteFile(nullptr);
    D().GPFadeInit();
    ASSERT_EQ(D().GPSetPalette(), 1);
    ASSERT_EQ(D().GPPageFlip(), 1);
    platform::PaletteEntry white[256];
    for (auto& entry : white) entry = platform::PaletteEntry{255, 255, 255, 0};
    ASSERT_EQ(D().palette->SetEntries(0, 256, white), DD_OK);
    platform::MSG msg;
    platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE);
    EXPECT_EQ(platform::CaptureScreen().rgb[0], 0) << "a frame may still come to show it";
    platform::manual_clock::Advance(150);
    platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE);
    EXPECT_EQ(platform::CaptureScreen().rgb[0], 255);
}

TEST_F(DisplayDraw, ErrorTexts) {
    EXPECT_STREQ(Display::GPErrorText(DD_OK), "No error.");
    EXPECT_STREQ(Display::GPErrorText(0x12345678), "Unrecognized error value.");
    EXPECT_STREQ(Display::GPErrorText(MakeDdResult(120)), "DirectDraw does not support the requested mode.");
    EXPECT_STREQ(Display::GPErrorText(MakeDdResult(380)), Display::GPErrorText(E_OUTOFMEMORY));
}

}  // namespace
