#pragma once
// A land played headless as the game plays it, from one of three places, with
// what the sound card heard kept: the land_play tool's capture, shared with
// the tests that hold the game's loudness to its targets.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/sequencer.h"
#include "common/headless_stage.h"
#include "common/land_walk.h"
#include "platform/dsound_card.h"
#include "shell/game_app.h"
#include "world/land_record.h"

namespace tool_support {

enum class PlaySpot {
    LockRoom,  // where a land begins
    OpenLand,  // beside the first icon, after the first visit laid the icons out
    SubRoom,   // the first sub-room, three icons of the land placed on its pedestal
};

struct LandCapture {
    int land = 0;
    int difficulty = 1;
    PlaySpot spot = PlaySpot::OpenLand;
    bool outputStage = true;  // as the game sounds; off for the plain mix
    WalkPlan walk;
};

// Starts the land at the capture's spot (on a game whose land was loaded
// once from its lock room) and returns the start.
inline LandStart StartAt(shell::GameApp& game, Sequencer* music, display::Display* display, const LandCapture& c) {
    LandStart start = StartLand(game, music, display, c.land, c.difficulty);
    if (c.spot == PlaySpot::LockRoom || !start.loaded) return start;
    world::LandRecord& record = game.Record(c.land);
    start.screen.reset();
    music->SQ_Stop();
    if (c.spot == PlaySpot::OpenLand) {
        game.restoreX = record.icon[0].x + 40;
        game.restoreY = record.icon[0].y + 40;
        game.restoreRoom = -1;
    } else {
        for (int k = 0; k < 3; ++k) {
            world::LandEntry& icon = record.icon[k];
            icon.location = 0;
            icon.placed = 1;
            icon.x = 260 + 60 * k;
            icon.y = 200;
        }
        game.restoreX = 320;
        game.restoreY = 330;
        game.restoreRoom = 0;
    }
    return StartLand(game, music, display, c.land, c.difficulty);
}

// Plays the capture on a fresh headless stage in `dataFolder`; `report`
// is called as WalkLand calls it, with the screen and game. The sound lands
// in *sound (and <stem>.wav). False, after a message, when a step failed.
template <typename Report>
bool CaptureLand(const std::string& dataFolder, const LandCapture& c, Report report, std::vector<int16_t>* sound) {
    HeadlessStage stage;
    if (!stage.Open("land capture", dataFolder, int(c.walk.sampleRate))) return false;
    platform::sound_card::UseOutputStage(c.outputStage);
    bool written = false;
    {
        Sequencer sequencer(stage.window, stage.sound);
        stage.sound->AddRef();  // the synthesiser releases the device it was given
        SoundFormat format;
        format.outputRate = c.walk.sampleRate;
        if (!sequencer.SQ_CreateVirtualSynth(format) || !sequencer.SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt")) {
            std::fprintf(stderr, "land capture: no synthesiser\n");
            return false;
        }
        shell::GameApp game(stage.window);
        LandStart start = StartAt(game, &sequencer, stage.display.get(), c);
        if (start.loaded) {
            land::LandScreen* screen = start.screen.get();
            report.Started(start, game);
            written = WalkLand(start.screen, game, c.walk, [&](uint32_t elapsed) { report.Tick(elapsed, *screen); },
                               sound);
            report.Finished(game);
        } else {
            std::fprintf(stderr, "land capture: %s did not load\n", start.level.c_str());
        }
        game.sequencer = nullptr;
        sequencer.SQ_Destroy();
    }
    platform::sound_card::UseOutputStage(false);
    stage.sound->Release();
    stage.display.reset();
    platform::DestroyWindow(stage.window);
    return written;
}

// A report that says nothing.
struct QuietReport {
    void Started(const LandStart&, shell::GameApp&) {}
    void Tick(uint32_t, land::LandScreen&) {}
    void Finished(shell::GameApp&) {}
};

}  // namespace tool_support
