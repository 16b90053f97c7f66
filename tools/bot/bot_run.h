#pragma once
// The bot playing a whole game from the title: a new game, then for each
// land asked for, a walk through the den to its door, the land played to its
// end with the lock opened, and the den again with the member joined. Every
// land has a limit of simulated time. The run can be recorded as a replay.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bot/land_pilot.h"

namespace shell {
class GameApp;
}

namespace bot {

class ReplayWriter;

struct LevelResult {
    int land = 0, difficulty = 1;
    bool finished = false;
    std::string reason;  // why not, when not finished
    double minutes = 0;  // simulated
    LandTally tally;
};

struct RunPlan {
    int difficulty = 1;      // the game offers none: set after the new game
    std::vector<int> lands;  // played in this order; the celtic land opens the other doors
    double minutesPerLand = 15;
    // Called once when a land's screen is up (tests plant faults here).
    std::function<void(shell::GameApp&)> onLandOpened;
    // Called after every frame.
    std::function<void(shell::GameApp&, uint64_t frame)> afterFrame;
    ReplayWriter* replay = nullptr;
    uint64_t replayFrames = 0;  // stop the whole run after this many frames (0: no limit)
};

inline RunPlan PlanFor(int difficulty, std::vector<int> lands) {
    RunPlan plan;
    plan.difficulty = difficulty;
    plan.lands = std::move(lands);
    return plan;
}

struct RunResult {
    std::string error;  // the game could not be started or the title never gave a new game
    std::vector<LevelResult> levels;
    uint64_t frames = 0;
};

// Needs the headless platform running (clock reads moving it on by 1 ms)
// with the data folder current.
RunResult RunBot(const RunPlan& plan);

}  // namespace bot

namespace bot {
// The game's difficulty for a run, set when the den first opens on a new game.
void ApplyDifficulty(shell::GameApp& game, int difficulty);
}  // namespace bot
