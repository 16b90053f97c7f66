// Presents convert only what changed since the last one, and the simulated
// vsynced display waits at most once a refresh.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"

using namespace platform;

namespace {

constexpr int kWidth = 64, kHeight = 24, kPitch = 72;

struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t(kPitch) * kHeight, 0);
    PaletteEntry palette[256] = {};
    explicit Picture(uint32_t noiseSeed = 0) {
        for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
        if (noiseSeed == 0) return;
        std::mt19937 noise(noiseSeed);
        for (auto& p : pixels) p = uint8_t(noise());
    }
    void Present() const { PresentIndexed(pixels.data(), kWidth, kHeight, kPitch, palette); }
    // The screen must show every pixel through the palette.
    void ExpectShown() const {
        const Screenshot shot = CaptureScreen();
        ASSERT_EQ(shot.width, kWidth);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const PaletteEntry& e = palette[pixels[size_t(y) * kPitch + x]];
                const uint8_t* rgb = &shot.rgb[(size_t(y) * kWidth + x) * 3];
                ASSERT_TRUE(rgb[0] == e.red && rgb[1] == e.green && rgb[2] == e.blue) << x << "," << y;
            }
    }
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PresentChanges, OnlyTheChangedRectangleIsConvertedAndTheScreenStaysRight) {
    ScopedHeadless headless;
    Picture picture(7);
    picture.Present();
    picture.ExpectShown();
    EXPECT_TRUE(SameRect(headless::VsyncDisplayLog().lastChanged, RECT{0, 0, kWidth, kHeight}));

    picture.Present();  // nothing changed
    EXPECT_TRUE(SameRect(headless::VsyncDisplayLog().lastChanged, RECT{0, 0, 0, 0}));

    // Single pixels at the corners and edges, spans inside rows, and a pixel
    // just past the visible width (in the pitch) that must not count.
    const RECT cases[] = {{0, 0, 1, 1},   {kWidth - 1, kHeight - 1, kWidth, kHeight}, {5, 3, 6, 4},
                          {7, 2, 30, 3},  {9, 4, 17, 20},                              {0, 10, kWidth, 11},
                          {31, 0, 40, kHeight}};
    for (const RECT& change : cases) {
        for (LONG y = change.top; y < change.bottom; ++y)
            for (LONG x = change.left; x < change.right; ++x) picture.pixels[size_t(y) * kPitch + x] ^= 0x5A;
        picture.pixels[size_t(change.top) * kPitch + kWidth + 3] ^= 1;
        picture.Present();
        picture.ExpectShown();
        EXPECT_TRUE(SameRect(headless::VsyncDisplayLog().lastChanged, change))
            << change.left << "," << change.top << "," << change.right << "," << change.bottom;
    }

    // A palette change converts everything again.
    picture.palette[picture.pixels[0]].red ^= 0xFF;
    picture.Present();
    picture.ExpectShown();
    EXPECT_TRUE(SameRect(headless::VsyncDisplayLog().lastChanged, RECT{0, 0, kWidth, kHeight}));

    // After a true-colour picture the next 8-bit one is converted whole.
    const std::vector<uint32_t> rgb(size_t(kWidth) * kHeight, 0x123456);
    PresentRgb32(rgb.data(), kWidth, kHeight, kWidth);
    picture.Present();
    picture.ExpectShown();
}

TEST(PresentChanges, AMovedPictureReusesMatchingRowsAndStaysRightWhereTheyDiffer) {
    ScopedHeadless headless;
    Picture picture(11);
    std::mt19937 random(12);
    picture.Present();
    // Each move: the old picture shifted by (dx, dy), fresh strips where it
    // left the edges, and a "sprite" drawn over a few moved rows. The last
    // move is claimed but the picture is new everywhere.
    const PictureMove moves[] = {{3, 0}, {-5, 2}, {0, -7}, {10, 10}, {-1, -1}, {kWidth - 1, 0}, {4, 4}};
    for (size_t m = 0; m < std::size(moves); ++m) {
        const PictureMove move = moves[m];
        const std::vector<uint8_t> old = picture.pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int ox = x - move.dx, oy = y - move.dy;
                const bool inside = ox >= 0 && ox < kWidth && oy >= 0 && oy < kHeight;
                uint8_t& p = picture.pixels[size_t(y) * kPitch + x];
                p = inside && m + 1 < std::size(moves) ? old[size_t(oy) * kPitch + ox] : uint8_t(random());
            }
        for (int y = 8; y < 12; ++y) picture.pixels[size_t(y) * kPitch + 20 + y] ^= 0x33;
        PresentIndexed(picture.pixels.data(), kWidth, kHeight, kPitch, picture.palette, &move);
        picture.ExpectShown();
        // The next unmoved present still finds what changed against it.
        picture.pixels[size_t(kHeight - 1) * kPitch + 2] ^= 0x0F;
        picture.Present();
        picture.ExpectShown();
        EXPECT_TRUE(SameRect(headless::VsyncDisplayLog().lastChanged, RECT{2, kHeight - 1, 3, kHeight}));
    }
}

TEST(PresentChanges, TheSimulatedDisplayWaitsOnceARefreshAndForEveryPaletteStep) {
    ScopedHeadless headless;
    headless::SimulateVsyncDisplay(true);
    Picture picture;
    manual_clock::Set(5);
    picture.Present();  // waits for the first refresh at 17 ms
    EXPECT_EQ(timeGetTime(), 17u);
    for (int i = 1; i <= 20; ++i) {  // a burst within one refresh does not wait
        picture.pixels[size_t(i)] = uint8_t(i);
        picture.Present();
    }
    EXPECT_EQ(timeGetTime(), 17u);
    manual_clock::Advance(20);  // 37: past the next refresh (34)
    picture.Present();
    EXPECT_EQ(timeGetTime(), 50u);
    picture.palette[1].blue ^= 1;  // a fade step is shown even right after a refresh
    picture.Present();
    EXPECT_EQ(timeGetTime(), 67u);
    const headless::DisplayLog& log = headless::VsyncDisplayLog();
    EXPECT_EQ(log.waits, 3);
    EXPECT_EQ(log.waitedMs, 12u + 13u + 17u);
    ASSERT_EQ(log.shownPictures.size(), 3u);
    EXPECT_NE(log.shownPictures[0], log.shownPictures[1]);
}

}  // namespace

namespace {

TEST(MessageWait, ReturnsAtOnceForAWaitingMessageElseMovesTheClockToTheTimeout) {
    ScopedHeadless headless;
    manual_clock::Set(100);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, 0, 30, QS_ALLINPUT), WAIT_TIMEOUT);
    EXPECT_EQ(timeGetTime(), 130u);
    PostQuitMessage(0);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, 0, 30, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(timeGetTime(), 130u);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, nullptr, 0, 30, QS_ALLINPUT), WAIT_FAILED);
}

}  // namespace
