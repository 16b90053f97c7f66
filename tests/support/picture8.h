#pragma once
// An 8-bit picture of the generated data read back through the display's
// own bitmap routines, and a scratch data folder written once per test
// program by part of the generator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "display/bitmap_file.h"

namespace test_support {

struct Picture8 {
    display::BitmapHeaders headers;
    uint8_t table[1024] = {};     // blue, green, red, reserved
    std::vector<uint8_t> pixels;  // top-down
    int Width() const { return headers.biWidth; }
    int Height() const { return headers.biHeight; }
    uint8_t At(int x, int y) const { return pixels[size_t(y) * size_t(Width()) + size_t(x)]; }
    bool Is(int entry, int red, int green, int blue) const {
        return table[entry * 4 + 2] == red && table[entry * 4 + 1] == green && table[entry * 4] == blue;
    }
    // The first entry of the colour table holding this colour (256: none).
    int IndexOf(uint8_t r, uint8_t g, uint8_t b) const {
        for (int i = 0; i < 256; ++i) {
            if (Is(i, r, g, b)) return i;
        }
        return 256;
    }
};

// False when the game could not read the file as an 8-bit picture.
inline bool ReadPicture(const std::filesystem::path& path, Picture8* out) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    display::PixelBlock block;
    const bool ok = display::ReadBitmapHeaders(file, &out->headers) && out->headers.biBitCount == 8 &&
                    std::fread(out->table, 1, sizeof out->table, file) == sizeof out->table &&
                    display::ReadPixelBlock(file, out->headers, &block);
    std::fclose(file);
    if (!ok || out->Width() <= 0 || out->Height() <= 0) return false;
    out->pixels.assign(size_t(out->Width()) * size_t(out->Height()), 0);
    display::CopyRowsBottomUp(block, out->Height(), out->pixels.data(), out->Width(), out->Width());
    return true;
}

// A folder under /tmp named for this process, written by `write` the first
// time it is asked for and removed when the program ends.
inline std::filesystem::path GeneratedFolder(const std::string& name,
                                             const std::function<bool(const std::string&)>& write) {
    const auto path = std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    EXPECT_TRUE(write(path.string())) << name;
    return path;
}

}  // namespace test_support
