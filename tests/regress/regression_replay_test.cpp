// Every input that ever made a fuzz target fail is kept in
// tests/data/regress/<reader>/ and replayed here through the same target,
// together with one file of the generated data per reader (so that a target
// that no longer reaches its code is noticed).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "faults/faults_support.h"
#include "fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const tw_fuzz::Target* Find(const std::string& name) {
    for (const tw_fuzz::Target& target : tw_fuzz::kTargets)
        if (name == target.name) return &target;
    return nullptr;
}

TEST(RegressionReplay, EveryKeptInputRunsCleanly) {
    const fs::path root = fs::path(TW_SOURCE_DIR) / "tests" / "data" / "regress";
    int replayed = 0;
    for (const tw_fuzz::Target& target : tw_fuzz::kTargets) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(root / target.name, ec)) {
            if (!entry.is_regular_file()) continue;
            SCOPED_TRACE(entry.path().string());
            const std::vector<uint8_t> bytes = ReadAll(entry.path());
            target.run(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    // Every folder is named after a target.
    std::error_code ec;
    for (const auto& folder : fs::directory_iterator(root, ec))
        EXPECT_NE(Find(folder.path().filename().string()), nullptr) << folder.path();
    RecordProperty("replayed", replayed);
}

// One real file per reader, through the target.
TEST(RegressionReplay, TargetsRunOnTheGeneratedData) {
    const fs::path data = faults::DataDir();
    ASSERT_TRUE(fs::exists(data / "prefs.ini")) << "no generated data";
    auto run = [](const char* name, std::vector<uint8_t> bytes, int prefix = -1) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(bytes.empty());
        if (prefix >= 0) bytes.insert(bytes.begin(), uint8_t(prefix));
        ASSERT_NE(Find(name), nullptr);
        Find(name)->run(bytes.data(), bytes.size());
    };
    run("prefs", ReadAll(data / "prefs.ini"));
    run("bitmap", ReadAll(data / "graphics" / "splash" / "splash.bmp"));
    run("level", ReadAll(data / "graphics" / "den" / "den.lnd"), 3);
    run("xmidi", ReadAll(data / "seq" / "maze.xmi"));
    run("effect_library", ReadAll(data / "seq" / "fxlib.txt"));
    run("movie", ReadAll(data / "Movie" / "logo.avi"));
    run("input_script", std::vector<uint8_t>{'w', 'a', 'i', 't', ' ', '9', '\n', 'k', 'e', 'y', ' ', 'a', '\n'});
    run("demo_file", ReadAll(data / "1.demo"));
}

}  // namespace
