#pragma once
// The menu pictures written once per test run into a scratch folder, read
// back through the display's own bitmap routines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "assetgen/generators.h"
#include "assetgen/menus_layout.h"
#include "display/bitmap_file.h"

namespace menuart_test {

inline std::filesystem::path ScratchDir() {
    return std::filesystem::temp_directory_path() / ("tw_menuart_" + std::to_string(::getpid()));
}

// The data folder with what WriteMenus and WritePrefs write.
inline const std::filesystem::path& DataDir() {
    static const std::filesystem::path dir = [] {
        const auto path = ScratchDir();
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        EXPECT_EQ(assetgen::WriteMenus(path.string()), 1);
        EXPECT_EQ(assetgen::WritePrefs(path.string()), 1);
        std::atexit([] { std::filesystem::remove_all(ScratchDir()); });
        return path;
    }();
    return dir;
}

struct Picture8 {
    display::BitmapHeaders headers;
    uint8_t table[1024] = {};  // blue, green, red, reserved
    std::vector<uint8_t> pixels;  // top-down
    int Width() const { return headers.biWidth; }
    int Height() const { return headers.biHeight; }
    uint8_t At(int x, int y) const { return pixels[size_t(y) * size_t(Width()) + size_t(x)]; }
};

// A menu picture by file name; false when the game could not read it.
inline bool ReadMenuPicture(const std::string& name, Picture8* out) {
    const auto path = DataDir() / assetgen::menus::kFolder / name;
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

inline Picture8 Load(const std::string& name) {
    Picture8 p;
    EXPECT_TRUE(ReadMenuPicture(name, &p)) << name;
    return p;
}

inline const std::vector<std::string>& PageNames() {
    static const std::vector<std::string> names = {
        "mainopts2.bmp", "gameopts.bmp", "load.bmp",      "save.bmp",      "volume.bmp", "sure.bmp",    "replace.bmp",
        "aim.bmp",       "mangopup.bmp", "musicpuz1.bmp", "musicpuz2.bmp", "band.bmp",   "options.bmp"};
    return names;
}
inline const std::vector<std::string>& HelpNames() {
    static const std::vector<std::string> names = {"aim.bmp",       "mangopup.bmp", "musicpuz1.bmp",
                                                   "musicpuz2.bmp", "band.bmp",     "options.bmp"};
    return names;
}
inline const std::vector<std::string>& SpriteNames() {
    static const std::vector<std::string> names = {"weered2.bmp", "bigred2.bmp", "volnob.bmp", "empty.bmp",
                                                   "arrowl.bmp",  "cancel.bmp",  "arrowr.bmp"};
    return names;
}

}  // namespace menuart_test
