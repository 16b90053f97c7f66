// land_play: starts one land on a difficulty through the game's own land
// screen, headless, as if the den had sent the dog there, and walks the dog
// by held arrow keys. Reports where the dog and the view are, which icon is
// nearest and what the rooms did; writes screenshots and the sound.
//
//   land_play <data folder> <out folder> [--land 0..5] [--difficulty 1..3] [--seconds s] [--shots n]
//             [--start lock|land|room] [--stage on|off]
// A land begins in its lock room; "--start land" puts the dog in the open
// land beside the first icon instead, to hear the icons' music; "--start
// room" in the first sub-room with three icons of the land on its pedestal.
// The sound goes through the game's output stage unless "--stage off".
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/land_sprite.h"
#include "common/land_capture.h"
#include "land/land_screen.h"
#include "world/player_dog.h"

namespace {

constexpr unsigned kRate = 22050;

int Usage() {
    std::fprintf(stderr,
                 "usage: land_play <data folder> <out folder> [--land 0..5] [--difficulty 1..3] [--seconds s] "
                 "[--shots n] [--start lock|land|room] [--stage on|off]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string data = argv[1];
    const std::string out = std::filesystem::absolute(argv[2]).string();
    int landIndex = 0, difficulty = 1, shots = 4;
    double seconds = 24;
    enum class Start { Lock, Land, Room } where = Start::Lock;
    bool stageOn = true;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--land") landIndex = std::atoi(argv[i + 1]);
        else if (option == "--difficulty") difficulty = std::atoi(argv[i + 1]);
        else if (option == "--seconds") seconds = std::atof(argv[i + 1]);
        else if (option == "--shots") shots = std::atoi(argv[i + 1]);
        else if (option == "--start" && std::string(argv[i + 1]) == "land") where = Start::Land;
        else if (option == "--start" && std::string(argv[i + 1]) == "lock") where = Start::Lock;
        else if (option == "--start" && std::string(argv[i + 1]) == "room") where = Start::Room;
        else if (option == "--stage" && std::string(argv[i + 1]) == "on") stageOn = true;
        else if (option == "--stage" && std::string(argv[i + 1]) == "off") stageOn = false;
        else return Usage();
    }
    if (landIndex < 0 || landIndex > 5 || difficulty < 1 || difficulty > 3 || seconds <= 0 || seconds > 600) {
        return Usage();
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);

    tool_support::LandCapture capture;
    capture.land = landIndex;
    capture.difficulty = difficulty;
    capture.spot = where == Start::Land ? tool_support::PlaySpot::OpenLand
                   : where == Start::Room ? tool_support::PlaySpot::SubRoom
                                          : tool_support::PlaySpot::LockRoom;
    capture.outputStage = stageOn;
    capture.walk = tool_support::WalkPlan{seconds, shots, out + "/land" + std::to_string(landIndex), kRate};

    // Says where the dog is every two seconds and which room it is in.
    struct Report {
        uint32_t nextReport = 0;
        int lastRoom = -2;
        int landIndex;
        void Started(const tool_support::LandStart& start, shell::GameApp& game) {
            std::printf("land %d difficulty %d: %s with %s: Load %d, %d icons, %d keys needed, %d land sprites\n",
                        landIndex, game.difficulty, start.level.c_str(), start.song.c_str(), start.loaded,
                        start.screen->iconCount, start.screen->keysNeeded, game.landSprites.count);
        }
        void Tick(uint32_t elapsed, land::LandScreen& screen) {
            if (screen.currentRoom != lastRoom) {
                std::printf("  %5.1f s  room %d\n", elapsed / 1000.0, screen.currentRoom);
                lastRoom = screen.currentRoom;
            }
            if (elapsed >= nextReport && screen.player) {
                nextReport += 2000;
                const world::PlayerDog* dog = screen.player;
                std::printf("  %5.1f s  dog (%d, %d) nearest icon %d at %d px\n", elapsed / 1000.0, dog->x, dog->y,
                            dog->nearest ? dog->nearest->iconIndex : -1, dog->nearest ? dog->nearestDistance : -1);
            }
        }
        void Finished(shell::GameApp& game) {
            const world::LandRecord& record = game.Record(landIndex);
            std::printf("record: progress %d, icon 0 at (%d, %d) location %d\n", record.progress, record.icon[0].x,
                        record.icon[0].y, record.icon[0].location);
        }
    } report{0, -2, landIndex};
    std::vector<int16_t> frames;
    if (!tool_support::CaptureLand(data, capture, report, &frames)) return 1;
    std::printf("wrote %s.wav (%.1f s)\n", capture.walk.stem.c_str(), frames.size() / 2.0 / kRate);
    return 0;
}
