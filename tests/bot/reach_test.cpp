// Every level, loaded by the game, judged on the bot's own walking grid:
// each icon, each icon spot and each door of the land, and the key spot of
// each sub-room, lies within the dog's reach of a walk from the lock room.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/fx_player.h"
#include "audio/sequencer.h"
#include "bot/land_reach.h"
#include "common/headless_stage.h"
#include "common/land_walk.h"
#include "land/land_screen.h"
#include "shell/game_app.h"
#include "world/land_record.h"

namespace {

std::string DataDir() {
    const char* env = std::getenv("TW_DATA_DIR");
    return env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
}

std::string Listed(const std::vector<bot::ReachProblem>& problems) {
    std::string text;
    for (const bot::ReachProblem& p : problems)
        text += " " + p.what + " at (" + std::to_string(p.at.x) + ", " + std::to_string(p.at.y) + ");";
    return text;
}

TEST(Reach, EveryIconSpotDoorAndKeySpotOfEveryLevelIsWithinTheDogsReach) {
    ASSERT_TRUE(std::filesystem::exists(DataDir() + "/graphics/den/den.lnd")) << "no generated data";
    tool_support::HeadlessStage stage;
    ASSERT_TRUE(stage.Open("reach test", DataDir(), 11025));
    Sequencer sequencer(stage.window, stage.sound);
    stage.sound->AddRef();  // the synthesiser releases the device it was given
    SoundFormat format;
    format.outputRate = 11025;
    ASSERT_TRUE(sequencer.SQ_CreateVirtualSynth(format));
    FxPlayer effects(stage.window, stage.sound, 30);
    for (int difficulty = 1; difficulty <= 3; ++difficulty) {
        for (int landIndex = 0; landIndex < 6; ++landIndex) {
            SCOPED_TRACE("land " + std::to_string(landIndex) + " difficulty " + std::to_string(difficulty));
            shell::GameApp game(stage.window);
            game.effectsPlayer = &effects;
            tool_support::LandStart start =
                tool_support::StartLand(game, &sequencer, stage.display.get(), landIndex, difficulty);
            ASSERT_EQ(start.loaded, 1);
            land::LandScreen& screen = *start.screen;
            ASSERT_EQ(screen.currentRoom, 10);  // a first visit starts in the lock room
            screen.LeaveRoom();
            ASSERT_GE(game.Record(landIndex).icon[0].location, -1);
            const auto inLand = bot::LandOutOfReach(screen);
            EXPECT_TRUE(inLand.empty()) << Listed(inLand);
            for (int room = 0; room < screen.place.doorCount; ++room) {
                SCOPED_TRACE("sub-room " + std::to_string(room + 1));
                screen.currentRoom = room;
                screen.EnterRoom();
                const auto inRoom = bot::RoomOutOfReach(screen);
                EXPECT_TRUE(inRoom.empty()) << Listed(inRoom);
                screen.LeaveRoom();
            }
        }
    }
    stage.sound->Release();  // ours; the synthesiser keeps the device until it goes
}

}  // namespace
