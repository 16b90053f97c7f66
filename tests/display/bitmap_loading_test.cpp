// Bitmap and palette files: the row stride rule, colour-table conversion,
// missing, short and malformed files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/headless.h"
#include "support/display_support.h"

using namespace platform::dd;
using display_support::PixelAt;
using platform::PaletteEntry;

namespace {

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An 8-bit bitmap whose rows are `stride` bytes apart; row r (bottom-up in
// the file) holds bytes r * 16 + x. Colour entry i is (blue i, green 1, red
// 255 - i, 7).
std::vector<uint8_t> MakeBitmap(int width, int height, int stride, uint16_t bitCount = 8, uint32_t clrUsed = 0) {
    const uint32_t offBits = 54 + 1024;
    std::vector<uint8_t> out(offBits + static_cast<size_t>(stride) * height, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    Put32(out, 10, offBits);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(width));
    Put32(out, 22, static_cast<uint32_t>(height));
    out[26] = 1;
    out[28] = static_cast<uint8_t>(bitCount);
    Put32(out, 46, clrUsed);
    for (int i = 0; i < 256; ++i) {
        out[54 + i * 4] = static_cast<uint8_t>(i);
        out[54 + i * 4 + 1] = 1;
        out[54 + i * 4 + 2] = static_cast<uint8_t>(255 - i);
        out[54 + i * 4 + 3] = 7;
    }
    for (int r = 0; r < height; ++r) {
        for (int x = 0; x < stride; ++x) out[offBits + r * stride + x] = static_cast<uint8_t>(r * 16 + x);
    }
    return out;
}

class BitmapLoading : public ::testing::Test, public display_support::DisplayTest {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("tw_display_bitmaps_" + std::to_string(::getpid()));
        std::filesystem::create_directories(directory_);
        ASSERT_EQ(platform::SetCurrentDirectory(directory_.c_str()), 1);
        platform::headless::ClearMessageBoxLog();
    }
    void TearDown() override {
        platform::SetCurrentDirectory(std::filesystem::temp_directory_path().c_str());
        std::filesystem::remove_all(directory_);
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(directory_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::path directory_;
};

TEST_F(BitmapLoading, RowsAreTakenAtTheStrideTheFileSizeGivesAndStoredBottomUp) {
    ASSERT_EQ(Start(), 1);
    Write("Padded.bmp", MakeBitmap(13, 3, 16));
    Surface* s = D().GPLoadBitmap(".\\padded.BMP", 1, 1);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Width(), 13);
    EXPECT_EQ(s->Height(), 3);
    EXPECT_EQ(PixelAt(s, 0, 2), 0x00) << "the file's first row is the bottom line";
    EXPECT_EQ(PixelAt(s, 12, 2), 0x0C);
    EXPECT_EQ(PixelAt(s, 0, 0), 0x20);
    EXPECT_EQ(PixelAt(s, 12, 1), 0x1C);
    ColorKey key;
    EXPECT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    // Reloading into an existing surface uses the same rule.
    Write("other.bmp", MakeBitmap(13, 3, 20));
    ASSERT_EQ(D().GPLoadBitmapIntoSurface(s, ".\\other.bmp", 0, 0), 1);
    EXPECT_EQ(PixelAt(s, 0, 0), 0x20);
    EXPECT_EQ(PixelAt(s, 12, 0), 0x2C);
    s->Release();
}

TEST_F(BitmapLoading, ShortAndMalformedFilesFailOrStopAtTheEndOfTheFile) {
    ASSERT_EQ(Start(), 1);
    auto truncated = MakeBitmap(8, 4, 8);
    truncated.resize(truncated.size() - 12);   // the top row and a half are missing
    Write("short.bmp", truncated);
    Surface* s = D().GPLoadBitmap("short.bmp", 1, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(PixelAt(s, 0, 3), 0x00);
    EXPECT_EQ(PixelAt(s, 3, 1), 0x23);
    EXPECT_EQ(PixelAt(s, 4, 1), 0x00) << "bytes past the end of the file are not invented";
    s->Release();

    Write("tiny.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_EQ(D().GPLoadBitmap("tiny.bmp", 1, 0), nullptr);
    auto huge = MakeBitmap(4, 4, 4);
    Put32(huge, 18, 0x7FFFFFFF);
    Write("huge.bmp", huge);
    EXPECT_EQ(D().GPLoadBitmap("huge.bmp", 1, 0), nullptr);
    auto offset = MakeBitmap(4, 4, 4);
    Put32(offset, 10, 0xFFFFFF00u);
    Write("offset.bmp", offset);
    s = D().GPLoadBitmap("offset.bmp", 1, 0);
    ASSERT_NE(s, nullptr) << "a pixel block outside the file leaves the surface as created";
    s->Release();
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
}

TEST_F(BitmapLoading, MissingFileShowsCouldNotLoadExceptOnTheWindowedReload) {
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(D().GPLoadBitmap(".\\graphics\\none.bmp", 1, 1), nullptr);
    ASSERT_EQ(platform::headless::MessageBoxLog().size(), 1u);
    const auto& box = platform::headless::MessageBoxLog()[0];
    EXPECT_EQ(box.caption, "Could not load");
    char cwd[1024];
    platform::GetCurrentDirectory(sizeof cwd, cwd);
    EXPECT_EQ(box.text, std::string(cwd) + "/graphics\\none.bmp");  // folder and name apart
    EXPECT_TRUE(Traces().Contains("FAILED, could not load file .\\graphics\\none.bmp."));

    ASSERT_EQ(Start(display::kConfigWindowed), 1);
    platform::headless::ClearMessageBoxLog();
    Surface* s = D().GPCreateSurface(4, 4, 1, 0);
    EXPECT_EQ(D().GPLoadBitmapIntoSurface(s, "none.bmp", 0, 0), 0);
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
    s->Release();
}

TEST_F(BitmapLoading, WindowedLoadingConvertsColoursToTheDesktopDepth) {
    ASSERT_EQ(Start(display::kConfigWindowed), 1);
    Write("pic.bmp", MakeBitmap(4, 2, 4));
    Surface* s = D().GPLoadBitmap("pic.bmp", 1, 0);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->BitsPerPixel(), 32);
    uint32_t pixel;
    std::memcpy(&pixel, s->Pixels() + 4, 4);   // (1, 0) is byte 0x11 of the file's top row
    EXPECT_EQ(pixel, (uint32_t{255 - 0x11} << 16) | (1u << 8) | 0x11u);
    s->Release();
}

TEST_F(BitmapLoading, PaletteFileSwapsOnlyTheColoursInUse) {
    ASSERT_EQ(Start(), 1);
    Write("sixteen.bmp", MakeBitmap(2, 2, 4, 8, 16));
    Palette* palette = D().GPLoadPaletteFile("sixteen.bmp");
    ASSERT_NE(palette, nullptr);
    PaletteEntry entries[256];
    palette->GetEntries(0, 256, entries);
    EXPECT_EQ(entries[3], (PaletteEntry{252, 1, 3, 7}));
    EXPECT_EQ(entries[15], (PaletteEntry{240, 1, 15, 7}));
    EXPECT_EQ(entries[16], (PaletteEntry{16, 1, 239, 7})) << "entries past the count are taken as they are";
    palette->Release();

    Write("truecolour.bmp", MakeBitmap(2, 2, 8, 24));
    palette = D().GPLoadPaletteFile("truecolour.bmp");
    ASSERT_NE(palette, nullptr);
    palette->GetEntries(0, 256, entries);
    EXPECT_EQ(entries[0], (PaletteEntry{0, 1, 255, 7}));
    palette->Release();

    auto absurd = MakeBitmap(2, 2, 4, 8, 100000);
    Write("absurd.bmp", absurd);
    palette = D().GPLoadPaletteFile("absurd.bmp");
    ASSERT_NE(palette, nullptr);
    palette->GetEntries(0, 256, entries);
    EXPECT_EQ(entries[255], (PaletteEntry{0, 1, 255, 7}));
    palette->Release();

    palette = D().GPLoadPaletteFile(nullptr);
    palette->GetEntries(0, 256, entries);
    EXPECT_EQ(entries[0xE3], (PaletteEntry{255, 0, 255, 0})) << "the default 3-3-2 palette";
    palette->Release();
    EXPECT_EQ(D().GPLoadPaletteFile("absent.bmp"), nullptr);
}

TEST_F(BitmapLoading, LoadPaletteInstallsItOnTheScreenAndMatchesTheKeyAgainstIt) {
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(D().GPLoadPalette(nullptr), 0);
    EXPECT_EQ(D().GPLoadPalette("absent.bmp"), 0);
    Write("screen.bmp", MakeBitmap(2, 2, 4));
    ASSERT_EQ(D().GPLoadPalette(".\\SCREEN.bmp"), 1);
    EXPECT_STREQ(D().paletteFile, ".\\SCREEN.bmp");
    EXPECT_EQ(D().frontBuffer->AttachedPalette(), D().palette);
    EXPECT_EQ(D().basePalette[5], (PaletteEntry{250, 1, 5, 7}));
    EXPECT_EQ(D().fadeState, display::kFadeIdle);

    // Surfaces made earlier keep the key they got; the display key moves.
    Surface* existing = D().GPCreateSurface(2, 2, 1, 1);
    const platform::DWORD before = D().colourKey;
    ASSERT_EQ(D().GPSetColorKey(nullptr, platform::RGB(0, 1, 255)), 1);
    EXPECT_EQ(D().colourKey, 255u);
    ColorKey key;
    ASSERT_EQ(existing->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.low, before);
    ASSERT_EQ(D().GPSetColorKey(existing, platform::RGB(250, 1, 5)), 1);
    existing->GetColorKey(DDCKEY_SRCBLT, &key);
    EXPECT_EQ(key.low, 5u);
    existing->Release();
}

}  // namespace
