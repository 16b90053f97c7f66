#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/crt_random.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "temp_folder.h"

using namespace platform;

TEST(CrtRandom, MatchesTheRuntimeSequence) {
    platform::srand(1);
    EXPECT_EQ(platform::rand(), 41);
    EXPECT_EQ(platform::rand(), 18467);
    EXPECT_EQ(platform::rand(), 6334);
    EXPECT_EQ(platform::rand(), 26500);
    EXPECT_EQ(platform::rand(), 19169);
    // Any seed: the state steps by the same formula from the seed.
    platform::srand(12345);
    uint32_t state = 12345;
    for (int i = 0; i < 1000; ++i) {
        state = state * 214013u + 2531011u;
        ASSERT_EQ(platform::rand(), int((state >> 16) & 0x7FFF));
    }
}

namespace {
Screenshot TestPicture(int width, int height) {
    Screenshot shot;
    shot.width = width;
    shot.height = height;
    for (int i = 0; i < width * height; ++i) {
        shot.rgb.push_back(uint8_t(i * 7));
        shot.rgb.push_back(uint8_t(i * 13 + 1));
        shot.rgb.push_back(uint8_t(255 - i));
    }
    return shot;
}

std::vector<char> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

TEST(Png, RoundTripIncludingMoreThanOneStoredBlock) {
    TempFolder folder;
    for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{200, 150}}) {
        const Screenshot shot = TestPicture(w, h);
        const std::string path = folder.Path() + "/shot.png";
        ASSERT_EQ(WritePng(shot, path), 1);
        Screenshot back;
        ASSERT_EQ(ReadPng(path, &back), 1) << w << "x" << h;
        EXPECT_EQ(back.width, w);
        EXPECT_EQ(back.height, h);
        EXPECT_EQ(back.rgb, shot.rgb);
    }
}

TEST(Png, DamagedOrForeignFilesFailCleanly) {
    TempFolder folder;
    const std::string good = folder.Path() + "/good.png";
    ASSERT_EQ(WritePng(TestPicture(40, 30), good), 1);
    const std::vector<char> bytes = ReadAll(good);
    Screenshot shot;
    shot.width = 99;
    // Every truncation fails and leaves the output alone.
    for (size_t cut = 0; cut < bytes.size(); cut += 1 + cut / 8) {
        const std::string path = folder.Path() + "/cut.png";
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(cut));
        ASSERT_EQ(ReadPng(path, &shot), 0) << "cut at " << cut;
    }
    EXPECT_EQ(shot.width, 99);
    // A flipped pixel byte breaks the chunk checksum.
    std::vector<char> flipped = bytes;
    flipped[bytes.size() / 2] ^= 0x40;
    const std::string path = folder.Path() + "/flipped.png";
    std::ofstream(path, std::ios::binary).write(flipped.data(), std::streamsize(flipped.size()));
    EXPECT_EQ(ReadPng(path, &shot), 0);
    EXPECT_EQ(ReadPng(folder.Path() + "/missing.png", &shot), 0);
    // Nonsense pictures are not written.
    Screenshot wrong = TestPicture(4, 4);
    wrong.rgb.pop_back();
    EXPECT_EQ(WritePng(wrong, folder.Path() + "/wrong.png"), 0);
    EXPECT_EQ(WritePng(Screenshot{}, folder.Path() + "/empty.png"), 0);
}

TEST(VideoOut, CaptureShowsTheLastPictureThroughItsPalette) {
    ScopedHeadless headless;
    EXPECT_EQ(CaptureScreen().width, 0);
    PaletteEntry palette[256] = {};
    palette[1] = {255, 0, 0, 0};
    palette[2] = {0, 128, 255, 0};
    // Two rows of three pixels in rows four bytes apart.
    const uint8_t pixels[] = {1, 2, 1, 9, 2, 2, 1, 9};
    PresentIndexed(pixels, 3, 2, 4, palette);
    Screenshot shot = CaptureScreen();
    ASSERT_EQ(shot.width, 3);
    ASSERT_EQ(shot.height, 2);
    EXPECT_EQ(shot.rgb, (std::vector<uint8_t>{255, 0, 0, 0, 128, 255, 255, 0, 0, 0, 128, 255, 0, 128, 255, 255, 0, 0}));
    // A changed palette is used at once.
    palette[1] = {1, 2, 3, 0};
    PresentIndexed(pixels, 3, 2, 4, palette);
    EXPECT_EQ(CaptureScreen().rgb[0], 1);

    const uint32_t rgb[] = {0xFF102030, 0x00405060};
    PresentRgb32(rgb, 1, 2, 1);
    shot = CaptureScreen();
    EXPECT_EQ(shot.rgb, (std::vector<uint8_t>{0x10, 0x20, 0x30, 0x40, 0x50, 0x60}));
    // Bad pictures are ignored.
    PresentIndexed(pixels, 3, 2, 2, palette);
    PresentIndexed(nullptr, 3, 2, 4, palette);
    EXPECT_EQ(CaptureScreen().width, 1);
}
