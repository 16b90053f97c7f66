#pragma once
// The music tests read the generated data folder (TW_DATA_DIR, or "data" in
// the build folder, as ./test.sh writes it) through the game's own readers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "music_check/song_notes.h"
#include "platform/dsound.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "support/data_dir.h"

namespace music_test {

inline std::string DataDir() { return test_support::GeneratedDataDir(); }

struct SongInfo {
    const char* file;
    int sequences;
};
inline const std::vector<SongInfo>& Songs() {
    static const std::vector<SongInfo> songs = {
        {"maze.xmi", 24},     {"fun.xmi", 24},      {"aussie.xmi", 24},  {"jazz.xmi", 24},
        {"palace.xmi", 24},   {"wet.xmi", 24},      {"band.xmi", 36},    {"easyband.xmi", 36},
        {"medband.xmi", 36},  {"hardband.xmi", 36},
    };
    return songs;
}

// Every effect number the game plays: the dog's sounds, the freed band
// member, the lock's voices and the six reward fanfares.
inline const std::vector<int>& GameEffects() {
    static const std::vector<int> effects = {0, 4, 5, 6, 10, 13, 14, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25,
                                             26, 27, 28, 29, 30, 31};
    return effects;
}

// A file of the game's folder, whole (empty when missing).
inline std::vector<uint8_t> ReadBytes(const std::string& name) {
    return music_check::ReadGameFile(name);
}

// A headless platform with the data folder as the game's current folder.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(DataDir() + "/seq/wavelib.txt"))
            << "no generated data in " << DataDir() << ": run assetgen first (./test.sh does)";
        ASSERT_EQ(folder_.Enter(DataDir().c_str()), 1);
        platform::headless::ClearMessageBoxLog();
    }
    platform::ScopedHeadless platform_;
    platform::ScopedCurrentDirectory folder_;  // the previous folder comes back
};

}  // namespace music_test
