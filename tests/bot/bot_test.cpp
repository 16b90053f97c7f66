// The bot plays the real game headless from the title, on the generated
// data and the manual clock: it finishes a land on easy and one on hard,
// reports a planted fault as not finished with its reason, and the shipped
// replays play back frame for frame while a changed key is caught.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "audio/land_sprite.h"
#include "bot/bot_run.h"
#include "bot/replay.h"
#include "bot/shipped_replays.h"
#include "land/land_screen.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "shell/game_app.h"
#include "sprites/sprite_group.h"
#include "world/land_record.h"

namespace {

std::string DataDir() {
    const char* env = std::getenv("TW_DATA_DIR");
    return env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
}

class Bot : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(DataDir() + "/graphics/den/den.lnd")) << "no generated data";
        ASSERT_EQ(folder_.Enter(DataDir().c_str()), 1);
    }
    platform::ScopedHeadless headless_{1};
    platform::ScopedCurrentDirectory folder_;
};

void ExpectFinished(const bot::RunResult& run) {
    ASSERT_EQ(run.error, "");
    ASSERT_EQ(run.levels.size(), 1u);
    const bot::LevelResult& level = run.levels[0];
    EXPECT_TRUE(level.finished) << level.reason;
    EXPECT_LE(level.minutes, 15.0);
    EXPECT_GE(level.tally.lockAttempts, 1);
    EXPECT_GT(level.tally.distance, 500.0);
}

TEST_F(Bot, FinishesTheCelticLandOnEasyAndOnHard) {
    for (int difficulty : {1, 3}) {
        SCOPED_TRACE(difficulty);
        int freed = -1;
        bot::RunPlan plan = bot::PlanFor(difficulty, {world::kCeltic});
        plan.afterFrame = [&](shell::GameApp& game, uint64_t) {
            freed = game.Record(world::kCeltic).freed;
            EXPECT_EQ(game.difficulty == difficulty || game.currentState != world::kStateLand, true);
        };
        const bot::RunResult run = bot::RunBot(plan);
        ExpectFinished(run);
        EXPECT_EQ(freed, 1);
        // Easy takes one set of six icons; hard three.
        EXPECT_GE(run.levels[0].tally.iconsCarried, difficulty == 1 ? 6 : 18);
    }
}

TEST_F(Bot, AnIconInsideAWallIsReportedWithTheLandNotFinished) {
    bot::RunPlan plan = bot::PlanFor(1, {world::kCeltic});
    plan.minutesPerLand = 10;
    plan.onLandOpened = [](shell::GameApp& game) {
        // The first icon goes into the middle of the widest blocking sprite.
        land::LandScreen& land = *game.landScreen;
        sprites::Sprite* wall = nullptr;
        int widest = 0;
        for (sprites::Sprite* s = land.place.group->First(); s; s = s->next) {
            sprites::RECT box;
            s->GetHitBox(&box);
            if (box.right - box.left > widest && box.bottom - box.top > 30) {
                widest = box.right - box.left;
                wall = s;
            }
        }
        ASSERT_NE(wall, nullptr);
        sprites::RECT box;
        wall->GetHitBox(&box);
        LandSprite* icon = game.LandSprites()[0];
        icon->SetPosition((box.left + box.right) / 2, (box.top + box.bottom) / 2 - icon->hitBox.top);
    };
    const bot::RunResult run = bot::RunBot(plan);
    ASSERT_EQ(run.levels.size(), 1u);
    EXPECT_FALSE(run.levels[0].finished);
    EXPECT_NE(run.levels[0].reason.find("no key"), std::string::npos) << run.levels[0].reason;
    EXPECT_LE(run.levels[0].minutes, 10.01);
}

TEST_F(Bot, ALockThatNeverMatchesIsReportedWithinItsTimeLimit) {
    bot::RunPlan plan = bot::PlanFor(1, {world::kCeltic});
    plan.minutesPerLand = 6;
    plan.onLandOpened = [](shell::GameApp& game) {
        // No key position ever equals a combination note outside the scale.
        game.Record(world::kCeltic).target[2] = 7;
    };
    const bot::RunResult run = bot::RunBot(plan);
    ASSERT_EQ(run.levels.size(), 1u);
    EXPECT_FALSE(run.levels[0].finished);
    EXPECT_FALSE(run.levels[0].reason.empty());
    EXPECT_LE(run.levels[0].minutes, 6.01);
    EXPECT_EQ(run.levels[0].tally.lockAttempts > 0 || run.levels[0].reason.find("minutes") != std::string::npos, true)
        << run.levels[0].reason;
}

bot::Replay Shipped(const char* file) {
    const std::string path = std::string(TW_SOURCE_DIR) + "/tests/bot/replays/" + file;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    bot::Replay replay;
    std::string error;
    EXPECT_TRUE(in && bot::ParseReplay(text.str(), &replay, &error)) << path << ": " << error;
    return replay;
}

TEST_F(Bot, TheShippedReplaysPlayBackFrameForFrame) {
    for (const bot::ShippedReplay& shipped : bot::kShippedReplays) {
        SCOPED_TRACE(shipped.file);
        const bot::Replay replay = Shipped(shipped.file);
        ASSERT_EQ(replay.frames.size(), shipped.frames);
        const bot::ReplayVerdict verdict = bot::PlayReplay(replay);
        EXPECT_TRUE(verdict.same) << "frame " << verdict.frame << " differs in " << verdict.field
                                  << " (re-record with bot <data> --record-replays tests/bot/replays when the change is meant)";
    }
}

TEST_F(Bot, AChangedKeyInAReplayIsCaughtAtTheFirstFrameItChanges) {
    bot::Replay replay = Shipped(bot::kShippedReplays[0].file);
    // The first arrow press becomes the opposite arrow.
    size_t changed = 0;
    for (; changed < replay.frames.size(); ++changed) {
        bool done = false;
        for (bot::KeyEvent& key : replay.frames[changed].keys) {
            if (key.down && key.key >= platform::VK_LEFT && key.key <= platform::VK_DOWN) {
                key.key = key.key == platform::VK_UP ? platform::VK_DOWN : platform::VK_UP;
                done = true;
                break;
            }
        }
        if (done) break;
    }
    ASSERT_LT(changed, replay.frames.size());
    const bot::ReplayVerdict verdict = bot::PlayReplay(replay);
    EXPECT_FALSE(verdict.same);
    EXPECT_GE(verdict.frame, int64_t(changed));
    EXPECT_LE(verdict.frame, int64_t(changed) + 10);
    EXPECT_EQ(verdict.field, "dog");
}

TEST(ReplayText, ReadsWhatItWritesAndNamesTheBadLine) {
    bot::Replay replay;
    replay.difficulty = 3;
    replay.lands = {0, 4};
    bot::FrameState state;
    for (int k = 0; k < bot::FrameState::kFields; ++k) state.field[k] = 0x1234567u * uint32_t(k + 1);
    replay.frames.push_back({{{38, true}, {38, false}}, state});
    replay.frames.push_back({{}, state});
    const std::string text = bot::FormatReplay(replay);
    bot::Replay back;
    std::string error;
    ASSERT_TRUE(bot::ParseReplay(text, &back, &error)) << error;
    EXPECT_EQ(back.difficulty, 3);
    EXPECT_EQ(back.lands, replay.lands);
    ASSERT_EQ(back.frames.size(), 2u);
    EXPECT_EQ(back.frames[0].state, state);
    ASSERT_EQ(back.frames[0].keys.size(), 2u);
    EXPECT_FALSE(back.frames[0].keys[1].down);

    std::string bad = text;
    bad.replace(bad.rfind('\n', bad.size() - 2) + 1, 8, "zzzzzzzz");
    EXPECT_FALSE(bot::ParseReplay(bad, &back, &error));
    EXPECT_EQ(error.rfind("line 5:", 0), 0u) << error;
    EXPECT_FALSE(bot::ParseReplay("replay 1\ndifficulty 9\nlands 0\n", &back, &error));
}

}  // namespace
