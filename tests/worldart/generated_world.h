#pragma once
// The world generated once per test run into a scratch folder, and small
// readers for the files in it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "assetgen/generators.h"
#include "display/bitmap_file.h"
#include "support/picture8.h"
#include "world/land_file_reader.h"

namespace worldart_test {

// The data folder with everything WriteWorld writes (generated on first use).
inline const std::filesystem::path& WorldDir() {
    static const std::filesystem::path dir = [] {
        const auto path = std::filesystem::temp_directory_path() / ("tw_worldart_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        const int ok = assetgen::WriteWorld(path.string());
        EXPECT_EQ(ok, 1) << "the generator reported a problem";
        std::atexit([] { std::filesystem::remove_all(std::filesystem::temp_directory_path() / ("tw_worldart_" + std::to_string(::getpid()))); });
        return path;
    }();
    return dir;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A generated picture as the display's file routines read it.
using test_support::Picture8;
using test_support::ReadPicture;

// Every file of an extension under the data folder, relative, '/' separated.
inline std::vector<std::string> FilesEndingIn(const std::string& extension) {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(WorldDir())) {
        if (entry.is_regular_file() && entry.path().extension() == extension)
            out.push_back(std::filesystem::relative(entry.path(), WorldDir()).generic_string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

struct LevelFile {
    std::string path;  // relative to the data folder
    world::lnd::Reader reader;
};

inline std::vector<LevelFile> AllLevels() {
    std::vector<LevelFile> out;
    for (const char* land : {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"})
        for (const char* name : {"easy", "medium", "hard"})
            out.push_back({std::string("graphics/lands/") + land + "/" + name + ".lnd", world::lnd::Reader::Land});
    for (int k = 1; k <= 3; ++k)
        out.push_back({"Subroom" + std::to_string(k) + "/subroom" + std::to_string(k) + ".lnd", world::lnd::Reader::SubRoom});
    out.push_back({"mainSub/mainsub.lnd", world::lnd::Reader::MainSubRoom});
    out.push_back({"graphics/den/den.lnd", world::lnd::Reader::Den});
    return out;
}

inline world::lnd::LandFileData ReadLevel(const std::string& relative) {
    world::lnd::LandFileData data;
    std::string error;
    EXPECT_EQ(world::lnd::ReadLandFile((WorldDir() / relative).string(), &data, &error), 1) << error;
    return data;
}

// A name inside a level (backslashes, relative to the level's folder) as a
// path in the data folder.
inline std::filesystem::path Beside(const std::string& level, std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    return (WorldDir() / level).parent_path() / name;
}

}  // namespace worldart_test
