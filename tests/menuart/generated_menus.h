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
#include "support/picture8.h"

namespace menuart_test {

using test_support::Picture8;

// The data folder with what WriteMenus and WritePrefs write.
inline const std::filesystem::path& DataDir() {
    static const std::filesystem::path dir = [] {
        const auto path = test_support::GeneratedFolder("tw_menuart", [](const std::string& d) {
            return assetgen::WriteMenus(d) == 1 && assetgen::WritePrefs(d) == 1;
        });
        std::atexit([] { std::filesystem::remove_all(DataDir()); });
        return path;
    }();
    return dir;
}

// A menu picture by file name; false when the game could not read it.
inline bool ReadMenuPicture(const std::string& name, Picture8* out) {
    return test_support::ReadPicture(DataDir() / assetgen::menus::kFolder / name, out);
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
