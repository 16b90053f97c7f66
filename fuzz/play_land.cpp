// Entering a land with a record read from a file, and playing it briefly.
#include <cstring>
#include <memory>
#include <string>

#include "audio/sequencer.h"
#include "fuzz_support.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "support/test_game.h"
#include "world/demo_file.h"
#include "world/land_files.h"

namespace tw_fuzz {

void PlayLand(const LandStart& start, const world::LandRecord& record) {
    Environment& env = Env();
    if (!env.display) return;
    std::string level, song;
    if (!world::LevelFiles(start.land, start.difficulty, &level, &song)) return;
    TestGame game;
    game.window = env.window;
    game.display = env.display;
    game.sequencer = env.sequencer;
    game.effectsPlayer = env.effects;
    game.difficulty = start.difficulty;
    game.requestedLand = game.currentLand = start.land;
    game.requestedState = game.currentState = world::kStateLand;
    game.records[start.land] = record;
    game.restoreX = start.x;
    game.restoreY = start.y;
    game.restoreRoom = start.room;
    if (start.demo) {
        game.demoData = std::make_unique<uint8_t[]>(world::kDemoBytes);
        std::memcpy(game.demoData.get(), start.demo, world::kDemoBytes);
        game.demoRunning = 1;
    }
    {
        land::LandScreen screen(&game, env.display);
        if (screen.Load(level.c_str(), song.c_str(), &game.records[start.land])) {
            for (int frame = 0; frame < 25; ++frame) {
                platform::manual_clock::Advance(40);
                screen.Tick();
            }
        }
    }
    if (env.sequencer) env.sequencer->SQ_Stop();
    ForgetBoxes();
}

}  // namespace tw_fuzz
