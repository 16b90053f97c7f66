// Loading a land on a vsynced 60 Hz display (simulated on the manual clock):
// the loading animation presents once per loading step, yet the load waits
// for the display at most once a refresh, so it is done in well under a
// second, and a slow load still shows the runner moving on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "audio/sequencer.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "support/display_support.h"
#include "support/test_game.h"
#include "world/land_files.h"

namespace {

struct LoadResult {
    bool loaded = false;
    uint32_t elapsedMs = 0;
    platform::headless::DisplayLog log;
};

LoadResult LoadLand(display::Display* display, int land, int difficulty) {
    LoadResult result;
    Sequencer sequencer(nullptr, nullptr);
    TestGame game;
    game.sequencer = &sequencer;
    game.difficulty = difficulty;
    game.requestedLand = game.currentLand = land;
    game.requestedState = game.currentState = world::kStateLand;
    std::string level, song;
    if (!world::LevelFiles(land, difficulty, &level, &song)) return result;
    land::LandScreen screen(&game, display);
    platform::manual_clock::Set(1000);
    platform::headless::SimulateVsyncDisplay(true);
    const uint32_t start = platform::timeGetTime();
    result.loaded = screen.Load(level.c_str(), song.c_str(), &game.Record(land)) == 1;
    result.elapsedMs = platform::timeGetTime() - start;
    result.log = platform::headless::VsyncDisplayLog();
    platform::headless::SimulateVsyncDisplay(false);
    return result;
}

// autoAdvanceMs: what every read of the clock costs; 0 stands for loading
// work that takes no time at all.
template <unsigned autoAdvanceMs>
class LoadOnVsync : public display_support::DisplayTest, public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    LoadOnVsync() : DisplayTest(autoAdvanceMs) {}
    void SetUp() override {
        const char* env = std::getenv("TW_DATA_DIR");
        const std::string data = env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
        ASSERT_TRUE(std::filesystem::exists(data + "/mainSub/mainsub.lnd")) << "no generated data in " << data;
        ASSERT_TRUE(inData_.Enter(data.c_str()));
        ASSERT_EQ(Start(), 1);
    }
    platform::ScopedCurrentDirectory inData_;
};

using QuickLoad = LoadOnVsync<0>;
using SlowLoad = LoadOnVsync<1>;

TEST_P(QuickLoad, TakesAtMostHalfASecondThoughItPresentsEveryStep) {
    const auto [land, difficulty] = GetParam();
    const LoadResult r = LoadLand(&D(), land, difficulty);
    ASSERT_TRUE(r.loaded);
    // Hundreds of presents; waiting for a refresh at each would take seconds.
    EXPECT_GE(r.log.presents, 300);
    EXPECT_LE(r.elapsedMs, 500u) << r.log.waits << " refreshes waited for";
}

TEST_P(SlowLoad, WaitsNoLongerThanItWorksAndShowsTheRunnerMoving) {
    const auto [land, difficulty] = GetParam();
    const LoadResult r = LoadLand(&D(), land, difficulty);
    ASSERT_TRUE(r.loaded);
    const uint32_t work = r.elapsedMs - r.log.waitedMs;
    EXPECT_LE(r.log.waitedMs, work + 17) << r.log.waits << " refreshes waited for";
    const std::set<uint64_t> distinct(r.log.shownPictures.begin(), r.log.shownPictures.end());
    EXPECT_GE(distinct.size(), 20u);
}

const auto kLands = ::testing::Values(std::pair{int(world::kCeltic), 1}, std::pair{int(world::kEastern), 3});
INSTANTIATE_TEST_SUITE_P(CelticEasyEasternHard, QuickLoad, kLands);
INSTANTIATE_TEST_SUITE_P(CelticEasyEasternHard, SlowLoad, kLands);

}  // namespace
