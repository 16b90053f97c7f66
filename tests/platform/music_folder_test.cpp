// The player's music folder and files published into it: which folder is
// chosen, names that are never overwritten, and failures that leave nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/user_files.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
public:
    void Set(const char* name, const std::string& value) {
        Remember(name);
        ::setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name) {
        Remember(name);
        ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (auto& [name, value] : saved_) {
            if (value.first) ::setenv(name.c_str(), value.second.c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }

private:
    void Remember(const char* name) {
        if (saved_.count(name)) return;
        const char* old = std::getenv(name);
        saved_[name] = {old != nullptr, old ? old : ""};
    }
    std::map<std::string, std::pair<bool, std::string>> saved_;
};

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t EntriesIn(const std::string& folder) {
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}));
}

TEST(MusicFolder, OwnVariableThenDesktopVariableThenUserDirsFileThenHomeMusic) {
    TempFolder home;
    ScopedEnvironment env;
    env.Set("HOME", home.Path());
    env.Unset("XDG_CONFIG_HOME");
    env.Unset("TUNEWANDER_MUSIC_DIR");
    env.Unset("XDG_MUSIC_DIR");
    EXPECT_EQ(platform::MusicFolder(), home.Path() + "/Music");
    // The desktop's file names the folder relative to $HOME; naming the home
    // folder itself means there is none.
    home.Make(".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME\"\n");
    EXPECT_EQ(platform::MusicFolder(), home.Path() + "/Music");
    home.Make(".config/user-dirs.dirs", "# written by the desktop\nXDG_MUSIC_DIR=\"$HOME/Musik\"\n");
    EXPECT_EQ(platform::MusicFolder(), home.Path() + "/Musik");
    env.Set("XDG_MUSIC_DIR", "/srv/songs");
    EXPECT_EQ(platform::MusicFolder(), "/srv/songs");
    env.Set("TUNEWANDER_MUSIC_DIR", "/tmp/ours");
    EXPECT_EQ(platform::MusicFolder(), "/tmp/ours");
}

TEST(PublishNewUserFile, MakesTheFolderAndNeverReplacesAFileTakingTheNextFreeName) {
    TempFolder temp;
    const std::string folder = temp.Path() + "/Music/Tunewander";
    const std::vector<std::string> names = {"song.wav", "song (2).wav", "song (3).wav"};
    const std::string first = "first", second = "second";
    const auto* a = reinterpret_cast<const uint8_t*>(first.data());
    const auto* b = reinterpret_cast<const uint8_t*>(second.data());
    EXPECT_EQ(platform::PublishNewUserFile(folder, names, a, first.size()), folder + "/song.wav");
    EXPECT_EQ(platform::PublishNewUserFile(folder, names, b, second.size()), folder + "/song (2).wav");
    EXPECT_EQ(Contents(folder + "/song.wav"), "first");
    EXPECT_EQ(Contents(folder + "/song (2).wav"), "second");
    // Every name taken: nothing is written and nothing is left behind.
    temp.Make("Music/Tunewander/song (3).wav", "third");
    EXPECT_EQ(platform::PublishNewUserFile(folder, names, a, first.size()), "");
    EXPECT_EQ(EntriesIn(folder), 3u);
    EXPECT_EQ(Contents(folder + "/song (3).wav"), "third");
}

TEST(PublishNewUserFile, AFolderThatCannotBeMadeOrAWriteCutShortLeavesNothing) {
    TempFolder temp;
    const std::string blocker = temp.Make("Music", "a file where the folder should be");
    const std::string data(5000, 'x');
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    EXPECT_EQ(platform::PublishNewUserFile(blocker + "/Tunewander", {"song.wav"}, bytes, data.size()), "");

    const std::string folder = temp.Path() + "/other";
    platform::headless::FailUserFileWritesAfter(1000);
    EXPECT_EQ(platform::PublishNewUserFile(folder, {"song.wav"}, bytes, data.size()), "");
    platform::headless::FailUserFileWritesAfter(-1);
    EXPECT_EQ(EntriesIn(folder), 0u);
    EXPECT_EQ(EntriesIn(temp.Path()), 2u);  // "Music" and the empty folder
}

}  // namespace
