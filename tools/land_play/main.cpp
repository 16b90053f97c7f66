// land_play: starts one land on a difficulty through the game's own land
// screen, headless, as if the den had sent the dog there, and walks the dog
// by held arrow keys. Reports where the dog and the view are, which icon is
// nearest and what the rooms did; writes screenshots and the sound.
//
//   land_play <data folder> <out folder> [--land 0..5] [--difficulty 1..3] [--seconds s] [--shots n]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "common/headless_stage.h"
#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
#include "platform/dsound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "shell/game_app.h"
#include "world/player_dog.h"

namespace {

constexpr unsigned kRate = 22050;
constexpr uint32_t kFrameMs = 40;

struct Leg {
    int keys[2];
    uint32_t ms;
};
const Leg kWalk[] = {
    {{platform::VK_RIGHT, 0}, 3000}, {{platform::VK_DOWN, 0}, 2500}, {{platform::VK_RIGHT, platform::VK_DOWN}, 2000},
    {{0, 0}, 1500},                  {{platform::VK_LEFT, 0}, 3500}, {{platform::VK_UP, platform::VK_LEFT}, 2000},
    {{platform::VK_UP, 0}, 2500},    {{platform::VK_RIGHT, platform::VK_UP}, 2500}, {{0, 0}, 1000},
};

int Usage() {
    std::fprintf(stderr,
                 "usage: land_play <data folder> <out folder> [--land 0..5] [--difficulty 1..3] [--seconds s] "
                 "[--shots n]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string data = argv[1];
    const std::string out = std::filesystem::absolute(argv[2]).string();
    int landIndex = 0, difficulty = 1, shots = 4;
    double seconds = 24;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--land") landIndex = std::atoi(argv[i + 1]);
        else if (option == "--difficulty") difficulty = std::atoi(argv[i + 1]);
        else if (option == "--seconds") seconds = std::atof(argv[i + 1]);
        else if (option == "--shots") shots = std::atoi(argv[i + 1]);
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
        game.sequencer = &sequencer;
        game.difficulty = difficulty;
        game.requestedLand = game.currentLand = landIndex;
        game.requestedState = game.currentState = shell::kStateLand;
        std::string level, song;
        shell::LevelFiles(landIndex, difficulty, &level, &song);
        auto screen = std::make_unique<land::LandScreen>(&game, display.get());
        const int loaded = screen->Load(level.c_str(), song.c_str(), &game.Record(landIndex));
        std::printf("land %d difficulty %d: %s with %s: Load %d, %d icons, %d keys needed, %d land sprites\n",
                    landIndex, difficulty, level.c_str(), song.c_str(), loaded, screen->iconCount,
                    screen->keysNeeded, game.landSpriteCount);
        platform::sound_card::StartCapture();
        const uint32_t total = static_cast<uint32_t>(seconds * 1000);
        const uint32_t shotEvery = shots > 0 ? total / static_cast<uint32_t>(shots) : total + 1;
        uint32_t elapsed = 0, legEnd = 0, nextShot = shotEvery / 2, nextReport = 0;
        size_t leg = 0;
        int held[2] = {0, 0}, shot = 0, lastRoom = -1;
        while (elapsed < total) {
            if (elapsed >= legEnd) {
                for (int key : held) {
                    if (key) game.input.KeyUp(key);
                }
                const Leg& next = kWalk[leg++ % (sizeof kWalk / sizeof kWalk[0])];
                for (int k = 0; k < 2; ++k) {
                    held[k] = next.keys[k];
                    if (held[k]) game.input.KeyDown(held[k]);
                }
                legEnd = elapsed + next.ms;
            }
            platform::manual_clock::Advance(kFrameMs);
            elapsed += kFrameMs;
            screen->Tick();
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
            if (elapsed >= nextShot && shot < shots) {
                nextShot += shotEvery;
                const std::string path = out + "/land" + std::to_string(landIndex) + "_" + std::to_string(++shot) + ".png";
                if (platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), path)) {
                    std::printf("  wrote %s\n", path.c_str());
                }
            }
        }
        screen.reset();
        const land::LandRecord& record = game.Record(landIndex);
        std::printf("record: progress %d, icon 0 at (%d, %d) location %d\n", record.progress, record.icon[0].x,
                    record.icon[0].y, record.icon[0].location);
        sequencer.SQ_Stop();
        const std::vector<int16_t> frames = platform::sound_card::StopCapture();
        const std::string wave = out + "/land" + std::to_string(landIndex) + ".wav";
        if (!platform::sound_card::WriteCaptureWave(wave, frames, kRate)) result = 1;
        else std::printf("wrote %s (%.1f s)\n", wave.c_str(), frames.size() / 2.0 / kRate);
        game.sequencer = nullptr;
        sequencer.SQ_Destroy();
    }
    ds->Release();
    display.reset();
    platform::DestroyWindow(window);
    return result;
}
