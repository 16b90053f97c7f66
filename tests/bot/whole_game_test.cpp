// The whole game through the real program's main loop and the keyboard only,
// headless on the manual clock: movies skipped, title, new game, den, the
// celtic land finished through its lock, the den with its member playing, a
// save, quit to the title, the save loaded, quit. The states come in order
// and the screenshots match the stored ones (written by
// `bot <data> --whole-game-goldens tests/bot/golden`, never by this test);
// this run's pictures go to <build>/whole_game/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bot/whole_game.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "support/scratch_dir.h"

namespace {

std::string DataDir() {
    const char* env = std::getenv("TW_DATA_DIR");
    return env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
}

TEST(WholeGame, FromTheMoviesToQuitWithTheCelticLandFinishedSavedAndLoaded) {
    test_support::ScratchDir saves;
    ::setenv("TUNEWANDER_SAVE_DIR", saves.Path().c_str(), 1);
    platform::ScopedHeadless headless{1};
    platform::ScopedCurrentDirectory folder;
    ASSERT_EQ(folder.Enter(DataDir().c_str()), 1);
    const bot::WholeGame run = bot::PlayWholeGame();
    ::unsetenv("TUNEWANDER_SAVE_DIR");

    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.states, bot::ExpectedWholeGameStates());
    EXPECT_TRUE(run.celtic.finished) << run.celtic.reason;

    const auto out = std::filesystem::path(TW_BINARY_DIR) / "whole_game";
    std::filesystem::create_directories(out);
    ASSERT_EQ(run.shots.size(), 11u);
    for (const bot::NamedShot& shot : run.shots) {
        SCOPED_TRACE(shot.name);
        EXPECT_EQ(platform::WritePng(shot.picture, (out / shot.name).string()), 1);
        const std::string path = std::string(TW_SOURCE_DIR) + "/tests/bot/golden/" + shot.name;
        platform::Screenshot golden;
        ASSERT_EQ(platform::ReadPng(path, &golden), 1) << "no stored picture " << path;
        ASSERT_EQ(golden.width, shot.picture.width);
        ASSERT_EQ(golden.height, shot.picture.height);
        // A few levels of colour either way, and a few stray pixels.
        size_t differing = 0;
        for (size_t i = 0; i < golden.rgb.size(); ++i) {
            differing += std::abs(int(shot.picture.rgb[i]) - int(golden.rgb[i])) > 6;
        }
        EXPECT_LE(differing, golden.rgb.size() / 500) << "compare " << (out / shot.name);
    }
}

}  // namespace
