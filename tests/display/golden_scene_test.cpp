// A scene of fills, keyed, clipped and stretched blits under a palette,
// compared pixel for pixel with a stored picture. The test only compares:
// the picture it drew is left in <build>/golden_candidates/, and
// scripts/update_golden.sh copies it over the stored one after a deliberate
// change (look at the diff before committing it).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/video_out.h"
#include "support/display_support.h"

using namespace platform::dd;
using platform::RECT;

namespace {

class GoldenScene : public ::testing::Test, public display_support::DisplayTest {};

void DrawScene(display::Display& d) {
    platform::PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) {
        entries[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>((i * 3) & 255), static_cast<uint8_t>(255 - i), 0};
    }
    entries[0] = {0, 0, 0, 0};
    ASSERT_EQ(d.directDraw2->CreatePalette(DDPCAPS_8BIT, entries, &d.palette), DD_OK);
    d.GPFadeInit();
    ASSERT_EQ(d.GPSetPalette(), 1);
    d.GPFadeReset();

    const RECT all{0, 0, 640, 480};
    d.GPFillBufferIndex(nullptr, &all, 40);
    const RECT band{0, 200, 640, 280};
    d.GPFillBufferRGB(nullptr, &band, platform::RGB(200, 88, 55));

    // A 32 x 32 sprite: a ring of colours around a keyed (black) hole.
    Surface* sprite = d.GPCreateSurface(32, 32, 1, 1);
    ASSERT_NE(sprite, nullptr);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int dx = x - 16, dy = y - 16;
            const int r2 = dx * dx + dy * dy;
            sprite->Pixels()[y * sprite->Pitch() + x] =
                static_cast<uint8_t>(r2 < 64 || r2 > 256 ? 0 : 100 + (x + y) * 2);
        }
    }
    for (int i = 0; i < 8; ++i) {
        const RECT at{20 + i * 70, 30 + i * 20, 52 + i * 70, 62 + i * 20};
        d.GPBlt(sprite, nullptr, nullptr, &at, i % 2);
    }
    const RECT partly{620, 450, 652, 482};
    EXPECT_EQ(d.GPBlt(sprite, nullptr, nullptr, &partly, 1), 1);
    const RECT big{300, 300, 428, 396};
    d.GPBlt(sprite, nullptr, nullptr, &big, 1);
    sprite->Release();
    ASSERT_EQ(d.GPPageFlip(), 1);
}

TEST_F(GoldenScene, MatchesTheStoredPicture) {
    ASSERT_EQ(Start(), 1);
    DrawScene(D());
    const platform::Screenshot shot = platform::CaptureScreen();
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    const platform::Screenshot front = emulation::CaptureFrontBuffer();
    EXPECT_EQ(front.rgb, shot.rgb) << "the window shows the front buffer through the palette";

    const std::string candidates = std::string(TW_BINARY_DIR) + "/golden_candidates";
    std::filesystem::create_directories(candidates);
    ASSERT_EQ(platform::WritePng(shot, candidates + "/scene.png"), 1);
    const std::string path = std::string(TW_SOURCE_DIR) + "/tests/display/golden/scene.png";
    platform::Screenshot golden;
    ASSERT_EQ(platform::ReadPng(path, &golden), 1) << "no stored picture; see scripts/update_golden.sh";
    ASSERT_EQ(golden.width, shot.width);
    ASSERT_EQ(golden.height, shot.height);
    size_t differing = 0;
    for (size_t i = 0; i < shot.rgb.size(); ++i) differing += shot.rgb[i] != golden.rgb[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u);
}

}  // namespace
