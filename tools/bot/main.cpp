// bot: plays the game headless on the manual clock as a child at the
// keyboard would, from the title through the den into the lands, and reports
// per land: finished or why not, simulated minutes, distance walked, icons
// carried, wrong drops and lock attempts.
//
//   bot <data folder> [--difficulty 1|2|3] [--land 0..5]...
//   bot <data folder> --all                  every land on every difficulty
//   bot <data folder> --record-replays <dir> re-records the shipped replays
//   bot <data folder> --replay <file>        plays a replay back
//   bot <data folder> --whole-game-goldens <dir>
//                                            plays the whole game once and writes
//                                            its screenshots as the golden images
// Exit status 0 when every land played was finished.
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bot/bot_run.h"
#include "bot/replay.h"
#include "bot/shipped_replays.h"
#include "bot/whole_game.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace {

const char* const kLandNames[6] = {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"};
const char* const kDifficultyNames[4] = {"", "easy", "medium", "hard"};

void PrintHeader() {
    std::printf("| Land | Difficulty | Finished | Simulated minutes | Distance (px) | Icons carried | Wrong drops | "
                "Lock attempts |\n|---|---|---|---|---|---|---|---|\n");
}

void PrintLevel(const bot::LevelResult& level) {
    std::printf("| %s | %s | %s | %.1f | %.0f | %d | %d | %d |\n", kLandNames[level.land],
                kDifficultyNames[level.difficulty], level.finished ? "yes" : ("no: " + level.reason).c_str(),
                level.minutes, level.tally.distance, level.tally.iconsCarried, level.tally.wrongDrops,
                level.tally.lockAttempts);
    std::fflush(stdout);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: bot <data folder> [--difficulty 1|2|3] [--land 0..5]... | --all | --record-replays <dir> | "
                 "--replay <file>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::vector<int> lands;
    int difficulty = 1;
    bool all = false;
    std::string recordDir, replayFile, goldenDir;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--all") all = true;
        else if (arg == "--difficulty" && i + 1 < argc) difficulty = std::atoi(argv[++i]);
        else if (arg == "--land" && i + 1 < argc) lands.push_back(std::atoi(argv[++i]));
        else if (arg == "--record-replays" && i + 1 < argc) recordDir = std::filesystem::absolute(argv[++i]).string();
        else if (arg == "--whole-game-goldens" && i + 1 < argc) goldenDir = std::filesystem::absolute(argv[++i]).string();
        else if (arg == "--replay" && i + 1 < argc) replayFile = std::filesystem::absolute(argv[++i]).string();
        else return Usage();
    }
    if (difficulty < 1 || difficulty > 3) return Usage();
    for (int land : lands) {
        if (land < 0 || land > 5) return Usage();
    }
    platform::ScopedHeadless headless{1};
    platform::ScopedCurrentDirectory folder;
    if (!folder.Enter(argv[1])) {
        std::fprintf(stderr, "bot: cannot enter %s\n", argv[1]);
        return 1;
    }

    if (!goldenDir.empty()) {
        // Saved games go to a folder of the run's own.
        const std::string saves = (std::filesystem::temp_directory_path() / "tunewander_bot_saves").string();
        std::filesystem::remove_all(saves);
        std::filesystem::create_directories(saves);
        ::setenv("TUNEWANDER_SAVE_DIR", saves.c_str(), 1);
        const bot::WholeGame run = bot::PlayWholeGame();
        for (const std::string& state : run.states) std::printf("%s\n", state.c_str());
        if (!run.error.empty() || run.exitCode != 0) {
            std::fprintf(stderr, "bot: the whole game failed (exit %d): %s\n", run.exitCode, run.error.c_str());
            return 1;
        }
        std::filesystem::create_directories(goldenDir);
        for (const bot::NamedShot& shot : run.shots) {
            const std::string path = goldenDir + "/" + shot.name;
            if (!platform::WritePng(shot.picture, path)) {
                std::fprintf(stderr, "bot: cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("wrote %s\n", path.c_str());
        }
        return 0;
    }

    if (!replayFile.empty()) {
        std::ifstream file(replayFile, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        bot::Replay replay;
        std::string error;
        if (!file || !bot::ParseReplay(text.str(), &replay, &error)) {
            std::fprintf(stderr, "bot: %s: %s\n", replayFile.c_str(), error.empty() ? "cannot read" : error.c_str());
            return 1;
        }
        const bot::ReplayVerdict verdict = bot::PlayReplay(replay);
        if (!verdict.error.empty()) std::printf("%s: %s\n", replayFile.c_str(), verdict.error.c_str());
        else if (verdict.same) std::printf("%s: %zu frames, all the same\n", replayFile.c_str(), replay.frames.size());
        else std::printf("%s: frame %lld differs first in %s\n", replayFile.c_str(), (long long)verdict.frame, verdict.field.c_str());
        return verdict.same ? 0 : 1;
    }

    if (!recordDir.empty()) {
        for (const bot::ShippedReplay& shipped : bot::kShippedReplays) {
            bot::ReplayWriter writer;
            bot::RunPlan plan;
            plan.difficulty = shipped.difficulty;
            plan.lands = {shipped.land};
            plan.replay = &writer;
            plan.replayFrames = shipped.frames;
            const bot::RunResult run = bot::RunBot(plan);
            const std::string path = recordDir + "/" + shipped.file;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << bot::FormatReplay(writer.replay);
            if (!run.error.empty() || !out) {
                std::fprintf(stderr, "bot: %s: %s\n", path.c_str(), run.error.empty() ? "cannot write" : run.error.c_str());
                return 1;
            }
            std::printf("wrote %s (%zu frames)\n", path.c_str(), writer.replay.frames.size());
        }
        return 0;
    }

    std::vector<bot::RunPlan> plans;
    if (all) {
        for (int d = 1; d <= 3; ++d) plans.push_back(bot::PlanFor(d, {0, 1, 2, 3, 4, 5}));
    } else {
        if (lands.empty()) lands.push_back(0);
        if (lands.front() != 0) lands.insert(lands.begin(), 0);  // the celtic land opens the den's other doors
        plans.push_back(bot::PlanFor(difficulty, lands));
    }
    const auto wallStart = std::chrono::steady_clock::now();
    bool allFinished = true;
    double simulated = 0;
    PrintHeader();
    for (size_t p = 0; p < plans.size(); ++p) {
        const bot::RunPlan plan = plans[p];  // a copy: a restart is inserted below
        const bot::RunResult run = bot::RunBot(plan);
        if (!run.error.empty()) {
            std::fprintf(stderr, "bot: %s\n", run.error.c_str());
            return 1;
        }
        // A game that restarts after a failed land plays the celtic land
        // again only to open the den's doors: its line was printed already.
        const bool replayedCeltic = plan.lands.size() > 1 && p > 0 && plans[p - 1].difficulty == plan.difficulty;
        for (size_t i = 0; i < run.levels.size(); ++i) {
            if (i == 0 && replayedCeltic) continue;
            PrintLevel(run.levels[i]);
            allFinished = allFinished && run.levels[i].finished;
        }
        simulated += double(run.frames) * bot::GameSession::kFrameMs / 60000.0;
        if (run.levels.size() < plan.lands.size() && !run.levels.empty() && run.levels.back().land != 0) {
            // The game stopped at a land it could not finish: a new game
            // for the lands after it.
            std::vector<int> rest(plan.lands.begin() + static_cast<long>(run.levels.size()), plan.lands.end());
            if (!rest.empty()) {
                rest.insert(rest.begin(), 0);
                plans.insert(plans.begin() + static_cast<long>(p) + 1, bot::PlanFor(plan.difficulty, rest));
            }
        }
        allFinished = allFinished && run.levels.size() == plan.lands.size();
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::printf("\nsimulated %.1f minutes in %.0f s of wall time\n", simulated, wall);
    return allFinished ? 0 : 1;
}
