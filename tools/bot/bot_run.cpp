#include "bot/bot_run.h"

#include "bot/game_session.h"
#include "bot/game_steps.h"
#include "bot/replay.h"
#include "land/land_screen.h"
#include "shell/game_app.h"
#include "world/game_services.h"

namespace bot {
namespace {

constexpr int kTitleFrames = 400;
constexpr int kDenFrames = 1500;
constexpr int kSettleFrames = 60;

// One frame of a run: the hands' keys go into the replay with the state after it.
struct Runner {
    GameSession& session;
    Hands& hands;
    const RunPlan& plan;
    uint64_t frames = 0;

    bool Over() const { return plan.replayFrames && frames >= plan.replayFrames; }
    void Frame() {
        std::vector<KeyEvent> keys = hands.TakeEvents();
        session.Frame();
        ++frames;
        ApplyDifficulty(session.Game(), plan.difficulty);
        if (plan.replay) plan.replay->Add(std::move(keys), session.Probe());
        if (plan.afterFrame) plan.afterFrame(session.Game(), frames);
    }
};

bool NewGame(Runner& run) {
    NewGameStep step;
    for (int i = 0; i < kTitleFrames && !run.Over(); ++i) {
        if (step.Steer(run.session.Game(), run.hands)) return true;
        run.Frame();
    }
    return false;
}

bool ToDenDoor(Runner& run, int land) {
    DenDoorStep step(land);
    bool failed = false;
    for (int i = 0; i < kDenFrames && !run.Over() && !failed; ++i) {
        if (step.Steer(run.session.Game(), run.hands, &failed)) return true;
        run.Frame();
    }
    return false;
}

LevelResult PlayLand(Runner& run, int land) {
    shell::GameApp& game = run.session.Game();
    LevelResult result;
    result.land = land;
    result.difficulty = run.plan.difficulty;
    const uint64_t start = run.frames;
    if (!ToDenDoor(run, land)) {
        result.reason = "no way through the den to the land's door";
        return result;
    }
    if (run.plan.onLandOpened) run.plan.onLandOpened(game);
    LandPilot pilot(&run.hands, true);
    const uint64_t limit = static_cast<uint64_t>(run.plan.minutesPerLand * 60000.0 / GameSession::kFrameMs);
    while (game.currentState == world::kStateLand && game.landScreen && !run.Over()) {
        if (run.frames - start >= limit) {
            result.reason = "not finished within " + std::to_string(int(run.plan.minutesPerLand)) + " simulated minutes";
            break;
        }
        if (!pilot.GaveUp().empty()) {
            result.reason = pilot.GaveUp();
            break;
        }
        pilot.Steer(*game.landScreen);
        run.Frame();
    }
    run.hands.ReleaseAll();
    result.tally = pilot.Tally();
    result.minutes = double(run.frames - start) * GameSession::kFrameMs / 60000.0;
    if (!result.reason.empty() || run.Over()) return result;
    // Back in the den: the freed member stands with the band.
    for (int i = 0; i < kSettleFrames && !run.Over(); ++i) run.Frame();
    if (game.currentState != world::kStateDen) {
        result.reason = "the land ended somewhere other than the den";
    } else if (!MemberShown(game, land)) {
        result.reason = "back in the den without the land's member";
    } else {
        result.finished = true;
    }
    return result;
}

}  // namespace

void ApplyDifficulty(shell::GameApp& game, int difficulty) {
    // The menus start every new game on easy; the bot's game is set to its
    // difficulty as soon as the den first opens.
    if (game.currentState == world::kStateDen && game.difficulty == 1 && difficulty != 1 &&
        game.Record(world::kCeltic).progress == 0 && !game.landScreen) {
        game.difficulty = difficulty;
    }
}

RunResult RunBot(const RunPlan& plan) {
    RunResult result;
    GameSession session;
    if (!session.Start(&result.error)) return result;
    Hands hands;
    if (plan.replay) {
        plan.replay->replay.difficulty = plan.difficulty;
        plan.replay->replay.lands = plan.lands;
    }
    Runner run{session, hands, plan};
    if (!NewGame(run)) {
        result.error = "the title never opened a new game";
    } else {
        for (int land : plan.lands) {
            if (run.Over()) break;
            result.levels.push_back(PlayLand(run, land));
            if (!result.levels.back().finished) break;  // the other doors may stay shut
        }
    }
    hands.ReleaseAll();
    result.frames = run.frames;
    return result;
}

}  // namespace bot
