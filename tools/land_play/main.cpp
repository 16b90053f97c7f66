// land_play: starts one land on a difficulty through the game's own land
// screen, headless, as if the den had sent the dog there, and walks the dog
// by held arrow keys. Reports where the dog and the view are, which icon is
// nearest and what the rooms did; writes screenshots and the sound.
//
//   land_play <data folder> <out folder> [--land 0..5] [--difficulty 1..3] [--seconds s] [--shots n]
//             [--start lock|land]
// A land begins in its lock room; "--start land" puts the dog in the open
// land beside the first icon instead, to hear the icons' music.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "common/headless_stage.h"
#include "common/land_walk.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "platform/dsound.h"
#include "platform/platform.h"
#include "shell/game_app.h"
#include "world/player_dog.h"

namespace {

constexpr unsigned kRate = 22050;

int Usage() {
    std::fprintf(stderr,
                 "usage: land_play <data folder> <out folder> [--land 0..5] [--difficulty 1..3] [--seconds s] "
                 "[--shots n] [--start lock|land]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string data = argv[1];
    const std::string out = std::filesystem::absolute(argv[2]).string();
    int landIndex = 0, difficulty = 1, shots = 4;
    double seconds = 24;
    bool inLand = false;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--land") landIndex = std::atoi(argv[i + 1]);
        else if (option == "--difficulty") difficulty = std::atoi(argv[i + 1]);
        else if (option == "--seconds") seconds = std::atof(argv[i + 1]);
        else if (option == "--shots") shots = std::atoi(argv[i + 1]);
        else if (option == "--start" && std::string(argv[i + 1]) == "land") inLand = true;
        else if (option == "--start" && std::string(argv[i + 1]) == "lock") inLand = false;
        else return Usage();
    }
    if (landIndex < 0 || landIndex > 5 || difficulty < 1 || difficulty > 3 || seconds <= 0 || seconds > 600) {
        return Usage();
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);

    tool_support::HeadlessStage stage;
    if (!stage.Open("land_play", data, kRate)) return 1;
    platform::HWND window = stage.window;
    std::unique_ptr<display::Display>& display = stage.display;
    platform::IDirectSound* ds = stage.sound;
    int result = 0;
    {
        Sequencer sequencer(window, ds);
        ds->AddRef();  // the synthesiser releases the device it was given
        SoundFormat format;
        format.outputRate = kRate;
        if (!sequencer.SQ_CreateVirtualSynth(format) || !sequencer.SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt")) {
            std::fprintf(stderr, "land_play: no synthesiser\n");
            return 1;
        }
        shell::GameApp game(window);
        tool_support::LandStart start = tool_support::StartLand(game, &sequencer, display.get(), landIndex, difficulty);
        if (inLand && start.loaded) {
            // The first visit placed the icons; come back beside the first one.
            const world::LandRecord& placed = game.Record(landIndex);
            start.screen.reset();
            sequencer.SQ_Stop();
            game.restoreX = placed.icon[0].x + 40;
            game.restoreY = placed.icon[0].y + 40;
            game.restoreRoom = -1;
            start = tool_support::StartLand(game, &sequencer, display.get(), landIndex, difficulty);
        }
        land::LandScreen* screen = start.screen.get();
        std::printf("land %d difficulty %d: %s with %s: Load %d, %d icons, %d keys needed, %d land sprites\n",
                    landIndex, difficulty, start.level.c_str(), start.song.c_str(), start.loaded, screen->iconCount,
                    screen->keysNeeded, game.landSprites.count);

        const tool_support::WalkPlan plan{seconds, shots, out + "/land" + std::to_string(landIndex), kRate};
        uint32_t nextReport = 0;
        int lastRoom = -1;
        std::vector<int16_t> frames;
        const bool written = tool_support::WalkLand(start.screen, game, plan, [&](uint32_t elapsed) {
            if (screen->currentRoom != lastRoom) {
                std::printf("  %5.1f s  room %d\n", elapsed / 1000.0, screen->currentRoom);
                lastRoom = screen->currentRoom;
            }
            if (elapsed >= nextReport && screen->player) {
                nextReport += 2000;
                const world::PlayerDog* dog = screen->player;
                std::printf("  %5.1f s  dog (%d, %d) nearest icon %d at %d px\n", elapsed / 1000.0, dog->x, dog->y,
                            dog->nearest ? dog->nearest->iconIndex : -1, dog->nearest ? dog->nearestDistance : -1);
            }
        }, &frames);
        const world::LandRecord& record = game.Record(landIndex);
        std::printf("record: progress %d, icon 0 at (%d, %d) location %d\n", record.progress, record.icon[0].x,
                    record.icon[0].y, record.icon[0].location);
        if (!written) result = 1;
        else std::printf("wrote %s.wav (%.1f s)\n", plan.stem.c_str(), frames.size() / 2.0 / kRate);
        game.sequencer = nullptr;
        sequencer.SQ_Destroy();
    }
    ds->Release();
    display.reset();
    platform::DestroyWindow(window);
    return result;
}
