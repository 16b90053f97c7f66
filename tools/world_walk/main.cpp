// world_walk: walks the dog through a land, or one of its sub-rooms, headless
// through the game's own land screen. The dog is put down where a restored
// game would put it: in a land below its home gate, where a new dog stands;
// in a sub-room (of the first land) just below the room's hole, where a dog
// coming up stands. Then the arrow keys are held in turn, and the dog, the
// view, the nearest icon and the cat are reported; screenshots and the sound
// that came out are written to the output folder.
//
//   world_walk <data folder> <out folder> [--land 0..5 | --room 1..3 | --all]
//              [--difficulty 1..3] [--seconds s] [--shots n]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/fx_player.h"
#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "common/headless_stage.h"
#include "common/land_walk.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "platform/dsound.h"
#include "platform/platform.h"
#include "shell/game_app.h"
#include "sprites/background.h"
#include "sprites/sprite_world.h"
#include "world/land_file_format.h"
#include "world/land_file_reader.h"
#include "world/player_dog.h"
#include "world/roaming_cat.h"

namespace {

constexpr unsigned kRate = 22050;
constexpr int kRoomsLand = 0;  // the land whose sub-rooms --room walks

struct Options {
    std::string data, out;
    std::vector<int> scenes;  // 0..5 lands, 11..13 sub-rooms
    int difficulty = 1;
    double seconds = 24;
    int shots = 4;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: world_walk <data folder> <out folder> [--land 0..5 | --room 1..3 | --all]\n"
                 "                  [--difficulty 1..3] [--seconds s] [--shots n]\n");
    return 2;
}

// Where the dog is put down, from the level file: below a land's home gate
// (its door record that is no door) or below a sub-room's hole (its hot-spot
// zone). False when the file cannot be read or has no such area.
bool StandingPlace(const std::string& levelFile, bool room, int* x, int* y) {
    world::lnd::LandFileData level;
    std::string error;
    if (!world::lnd::ReadLandFile(levelFile, &level, &error)) {
        std::fprintf(stderr, "world_walk: %s: %s\n", levelFile.c_str(), error.c_str());
        return false;
    }
    for (const world::lnd::Section& section : level.sections) {
        for (const world::lnd::Door& door : section.doors) {
            if (!room && door.isDoor == 0) {
                *x = door.area.left + 20;
                *y = door.area.bottom + 50;
                return true;
            }
        }
        for (const world::lnd::Zone& zone : section.zones) {
            if (room && zone.kind == world::lnd::zone::kHotSpot) {
                *x = zone.area.left + 20;
                *y = zone.area.bottom + 60;
                return true;
            }
        }
    }
    std::fprintf(stderr, "world_walk: %s has no %s\n", levelFile.c_str(), room ? "hole" : "home gate");
    return false;
}

// Loudness of each second (RMS, left/right), so the walk can be read
// without listening.
void PrintLoudness(const std::vector<int16_t>& frames) {
    std::printf("   ");
    for (size_t second = 0; (second + 1) * kRate * 2 <= frames.size(); ++second) {
        double left = 0, right = 0;
        for (size_t i = second * kRate * 2; i < (second + 1) * kRate * 2; i += 2) {
            left += double(frames[i]) * frames[i];
            right += double(frames[i + 1]) * frames[i + 1];
        }
        std::printf(" %.0f/%.0f", std::sqrt(left / kRate), std::sqrt(right / kRate));
    }
    std::printf("\n");
}

// Every two seconds: the dog, the view it is seen through, the nearest icon
// and what the music makes of it, and the cat while in the land.
void Report(uint32_t elapsed, const land::LandScreen& screen, const Sequencer& sequencer) {
    const world::PlayerDog* dog = screen.player;
    if (!dog) return;
    const sprites::SpriteWorld* world = screen.activeRoom ? screen.activeRoom->World() : screen.LandWorld();
    const sprites::Background* view = world ? world->background.get() : nullptr;
    const LandSprite* nearest = dog->nearest;
    const SeqTrack* track = nearest ? sequencer.Track(nearest->track) : nullptr;
    std::printf("  %5.1f s  room %d  dog (%d, %d) mode %d  view (%d, %d)  nearest icon %d at %d px: volume %d pan %d",
                elapsed / 1000.0, screen.currentRoom, dog->x, dog->y, dog->mode, view ? view->scrollX : 0,
                view ? view->scrollY : 0, nearest ? nearest->iconIndex : -1, nearest ? dog->nearestDistance : -1,
                track ? track->volume.load() : 0, track ? track->pan.load() : 0);
    if (screen.companion && screen.currentRoom < 0) {
        std::printf("  cat (%d, %d) mode %d", screen.companion->x, screen.companion->y, screen.companion->mode);
    }
    std::printf("\n");
}

int Walk(const Options& options, tool_support::HeadlessStage& stage, int scene) {
    const bool room = scene >= 11;
    const int landIndex = room ? kRoomsLand : scene;
    const std::string name = room ? "subroom" + std::to_string(scene - 10) : "land" + std::to_string(scene);
    std::string level, song;
    if (!world::LevelFiles(landIndex, options.difficulty, &level, &song)) {
        std::fprintf(stderr, "world_walk: no land %d\n", landIndex);
        return 1;
    }
    if (room) level = land::SubRoom::LevelFile(scene - 11, landIndex, options.difficulty);
    int x = 0, y = 0;
    if (!StandingPlace(level, room, &x, &y)) return 1;

    Sequencer sequencer(stage.window, stage.sound);
    stage.sound->AddRef();  // the synthesiser releases the device it was given
    SoundFormat format;
    format.outputRate = kRate;
    if (!sequencer.SQ_CreateVirtualSynth(format) || !sequencer.SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt")) {
        std::fprintf(stderr, "world_walk: no synthesiser\n");
        return 1;
    }
    FxPlayer effects(stage.window, stage.sound, 30);
    effects.LoadFXLib(".\\seq\\fxlib.txt");
    shell::GameApp game(stage.window);
    game.effectsPlayer = &effects;
    game.restoreX = x;
    game.restoreY = y;
    game.restoreRoom = room ? scene - 11 : -1;
    tool_support::LandStart start =
        tool_support::StartLand(game, &sequencer, stage.display.get(), landIndex, options.difficulty);
    land::LandScreen* screen = start.screen.get();
    std::printf("%s: %s with %s, dog at (%d, %d) in room %d: Load %d\n", name.c_str(), level.c_str(),
                start.song.c_str(), x, y, screen->currentRoom, start.loaded);

    const tool_support::WalkPlan plan{options.seconds, options.shots, options.out + "/" + name, kRate};
    uint32_t nextReport = 0;
    std::vector<int16_t> frames;
    const bool written = tool_support::WalkLand(start.screen, game, plan, [&](uint32_t elapsed) {
        if (elapsed < nextReport) return;
        nextReport += 2000;
        Report(elapsed, *screen, sequencer);
    }, &frames);
    int result = 0;
    if (written) {
        std::printf("  wrote %s.wav (%.1f s); loudness per second (RMS, left/right):\n", plan.stem.c_str(),
                    frames.size() / 2.0 / kRate);
        PrintLoudness(frames);
    } else {
        std::fprintf(stderr, "world_walk: cannot write %s.wav\n", plan.stem.c_str());
        result = 1;
    }
    game.effectsPlayer = nullptr;
    game.sequencer = nullptr;
    sequencer.SQ_Destroy();
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    Options options;
    options.data = argv[1];
    options.out = std::filesystem::absolute(argv[2]).string();
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--all") {
            options.scenes = {0, 1, 2, 3, 4, 5, 11};
        } else if (option == "--land" && hasValue) {
            options.scenes.push_back(std::atoi(argv[++i]));
        } else if (option == "--room" && hasValue) {
            options.scenes.push_back(10 + std::atoi(argv[++i]));
        } else if (option == "--difficulty" && hasValue) {
            options.difficulty = std::atoi(argv[++i]);
        } else if (option == "--seconds" && hasValue) {
            options.seconds = std::atof(argv[++i]);
        } else if (option == "--shots" && hasValue) {
            options.shots = std::atoi(argv[++i]);
        } else {
            return Usage();
        }
    }
    if (options.scenes.empty()) options.scenes = {0};
    for (int scene : options.scenes) {
        if (!(scene >= 0 && scene <= 5) && !(scene >= 11 && scene <= 13)) return Usage();
    }
    if (options.difficulty < 1 || options.difficulty > 3 || options.seconds <= 0 || options.seconds > 600) {
        return Usage();
    }
    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);

    tool_support::HeadlessStage stage;
    if (!stage.Open("world_walk", options.data, kRate)) return 1;
    int failures = 0;
    for (int scene : options.scenes) failures += Walk(options, stage, scene) != 0;
    stage.sound->Release();
    stage.display.reset();
    platform::DestroyWindow(stage.window);
    return failures ? 1 : 0;
}
