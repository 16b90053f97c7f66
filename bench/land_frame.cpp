// CPU per frame of the open land (generated celtic land, easy) while the dog
// walks and the view scrolls, and while it stands: drawing only what changed
// against drawing the whole view every frame. "Frame" runs the land screen's
// whole tick (update, drawing, present); "Draw" times the drawing step alone.
// Reads the data folder in TW_DATA_DIR, else <build>/data.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "audio/sequencer.h"
#include "bench_display.h"
#include "land/frame_draw.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "sprites/sprite_world.h"
#include "support/test_game.h"
#include "world/land_files.h"
#include "world/player_dog.h"

namespace {

std::string DataDir() {
    const char* env = std::getenv("TW_DATA_DIR");
    return env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
}

// The land loaded, with the dog walked out of the lock room into it.
class OpenLand {
public:
    OpenLand() {
        if (!display_.Ok() || !std::filesystem::exists(DataDir() + "/mainSub/mainsub.lnd") ||
            !inData_.Enter(DataDir().c_str()))
            return;
        game.sequencer = &sequencer_;
        game.difficulty = 1;
        game.requestedLand = game.currentLand = world::kCeltic;
        game.requestedState = game.currentState = world::kStateLand;
        std::string level, song;
        world::LevelFiles(world::kCeltic, 1, &level, &song);
        screen = std::make_unique<land::LandScreen>(&game, display_.Get());
        if (screen->Load(level.c_str(), song.c_str(), &game.Record(world::kCeltic)) != 1) return;
        screen->player->leaveRoomRequest = 1;
        for (int f = 0; f < 5; ++f) Tick();
        ok_ = screen->currentRoom == -1;
    }
    ~OpenLand() { screen.reset(); }
    bool Ok() const { return ok_; }

    // Walking: the dog goes right and down, then left and up, turning every
    // 60 frames, so the view scrolls along both axes.
    void Steer(bool walking) {
        const bool out = (step_++ / 60) % 2 == 0;
        game.input.right = walking && out;
        game.input.down = walking && out;
        game.input.left = walking && !out;
        game.input.up = walking && !out;
    }
    void Tick() {
        platform::manual_clock::Advance(40);
        screen->Tick();
    }
    // What the tick does before its drawing step; returns the scroll change.
    void Update(int32_t* dx, int32_t* dy) {
        platform::manual_clock::Advance(40);
        sprites::SpriteWorld* world = screen->LandWorld();
        world->AnimateAll(platform::timeGetTime());
        world->background->Follow(screen->player->x, screen->player->y, dx, dy);
    }
    display::Display& Screen() { return *display_.Get(); }

private:
    bench::BenchDisplay display_;  // outlives the land screen drawn on it

public:
    TestGame game;
    std::unique_ptr<land::LandScreen> screen;

private:
    platform::ScopedCurrentDirectory inData_;
    Sequencer sequencer_{nullptr, nullptr};
    int step_ = 0;
    bool ok_ = false;
};

bool LandOpened(const OpenLand& land, benchmark::State& state) {
    if (land.Ok()) return true;
    state.SkipWithError("no generated data (build/data) or the land did not load");
    return false;
}

// range(0): 1 walking, 0 standing; range(1): 1 whole view every frame.
void WalkingAndWholeCases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"walking", "whole"})->Args({1, 0})->Args({1, 1})->Args({0, 0})->Args({0, 1});
    b->Unit(benchmark::kMicrosecond);
}

void BM_LandFrame(benchmark::State& state) {
    platform::ScopedHeadless headless;
    OpenLand land;
    if (!LandOpened(land, state)) return;
    const bool walking = state.range(0) != 0, whole = state.range(1) != 0;
    for (auto _ : state) {
        land.Steer(walking);
        if (whole) land.game.SetRedrawFrames(1);
        land.Tick();
    }
}
BENCHMARK(BM_LandFrame)
    ->Apply(WalkingAndWholeCases);

void BM_LandDraw(benchmark::State& state) {
    platform::ScopedHeadless headless;
    OpenLand land;
    if (!LandOpened(land, state)) return;
    const bool walking = state.range(0) != 0, whole = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        land.Steer(walking);
        int32_t dx = 0, dy = 0;
        land.Update(&dx, &dy);
        if (whole) land.game.SetRedrawFrames(1);
        state.ResumeTiming();
        land::DrawPlaceFrame(land.screen->LandWorld(), &land.game, -dx, -dy);
        state.PauseTiming();
        land.Screen().GPPageFlip();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LandDraw)
    ->Apply(WalkingAndWholeCases);

}  // namespace

BENCHMARK_MAIN();
