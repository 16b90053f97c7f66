#pragma once
// The walk the scene tools take through the game's land screen: the land
// started as the den starts it, then the arrow keys held in turn (delivered
// to the game's input as the window's key messages would be), one frame of
// the manual clock at a time, with screenshots at even intervals and the
// sound the virtual sound card heard written as a wave.
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio/sequencer.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
#include "platform/dsound_card.h"
#include "platform/video_out.h"
#include "platform/win_types.h"
#include "shell/game_app.h"
#include "world/game_services.h"
#include "world/land_files.h"

namespace tool_support {

inline constexpr uint32_t kWalkFrameMs = 40;

// Each arrow combination held for a while, turning round the map.
struct WalkLeg {
    int keys[2];
    uint32_t ms;
};
inline constexpr WalkLeg kWalk[] = {
    {{platform::VK_RIGHT, 0}, 3000}, {{platform::VK_DOWN, 0}, 2500}, {{platform::VK_RIGHT, platform::VK_DOWN}, 2000},
    {{0, 0}, 1500},                  {{platform::VK_LEFT, 0}, 3500}, {{platform::VK_UP, platform::VK_LEFT}, 2000},
    {{platform::VK_UP, 0}, 2500},    {{platform::VK_RIGHT, platform::VK_UP}, 2500}, {{0, 0}, 1000},
};

struct LandStart {
    std::string level, song;
    int loaded = 0;  // what LandScreen::Load answered
    std::unique_ptr<land::LandScreen> screen;
};

// Puts the game in the land state for `landIndex` on `difficulty` with
// `music` as its sequencer and loads the land's screen on `display`. Where
// the dog starts is the screen's business: a first visit, or the position
// the game's restore fields name.
inline LandStart StartLand(shell::GameApp& game, Sequencer* music, display::Display* display, int landIndex,
                           int difficulty) {
    game.sequencer = music;
    game.difficulty = difficulty;
    game.requestedLand = game.currentLand = landIndex;
    game.requestedState = game.currentState = world::kStateLand;
    LandStart start;
    world::LevelFiles(landIndex, difficulty, &start.level, &start.song);
    start.screen = std::make_unique<land::LandScreen>(&game, display);
    start.loaded = start.screen->Load(start.level.c_str(), start.song.c_str(), &game.Record(landIndex));
    return start;
}

struct WalkPlan {
    double seconds = 24;
    int shots = 4;
    std::string stem;  // the pictures are <stem>_<k>.png (k from 1), the sound <stem>.wav
    unsigned sampleRate = 22050;
};

// Ticks `screen` for plan.seconds while the dog walks kWalk round and round,
// calling report(elapsed ms) after every tick. Then destroys the screen (the
// land writes its record back), stops the music and writes the sound, whose
// frames land in *sound. False when the wave could not be written.
template <typename Report>
bool WalkLand(std::unique_ptr<land::LandScreen>& screen, world::GameServices& game, const WalkPlan& plan,
              Report report, std::vector<int16_t>* sound) {
    platform::sound_card::StartCapture();
    const uint32_t total = static_cast<uint32_t>(plan.seconds * 1000);
    const uint32_t shotEvery = plan.shots > 0 ? total / static_cast<uint32_t>(plan.shots) : total + 1;
    uint32_t elapsed = 0, legEnd = 0, nextShot = shotEvery / 2;
    size_t leg = 0;
    int held[2] = {0, 0}, shot = 0;
    while (elapsed < total) {
        if (elapsed >= legEnd) {
            for (int key : held) {
                if (key) game.Input().KeyUp(key);
            }
            const WalkLeg& next = kWalk[leg++ % std::size(kWalk)];
            for (int k = 0; k < 2; ++k) {
                held[k] = next.keys[k];
                if (held[k]) game.Input().KeyDown(held[k]);
            }
            legEnd = elapsed + next.ms;
        }
        platform::manual_clock::Advance(kWalkFrameMs);
        elapsed += kWalkFrameMs;
        screen->Tick();
        report(elapsed);
        if (elapsed >= nextShot && shot < plan.shots) {
            nextShot += shotEvery;
            const std::string path = plan.stem + "_" + std::to_string(++shot) + ".png";
            if (platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), path)) {
                std::printf("  wrote %s\n", path.c_str());
            }
        }
    }
    screen.reset();
    if (Sequencer* music = game.Music()) music->SQ_Stop();
    *sound = platform::sound_card::StopCapture();
    return platform::sound_card::WriteCaptureWave(plan.stem + ".wav", *sound, plan.sampleRate) != 0;
}

}  // namespace tool_support
