// Keeping the den's band song: what the den spends in one frame while it
// renders (one step of BandExport::kSegmentsPerFrame segments, all six
// members playing on hard), and the set-up at the key press (instruments
// and song read from the data folder). Needs the generated data: run from
// the build folder, or set TW_DATA_DIR.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "audio/band_render.h"
#include "platform/files.h"
#include "screens/band_export.h"

namespace {

constexpr int kAllPlaying[6] = {0, 1, 2, 3, 4, 5};

bool EnterData(benchmark::State& state, platform::ScopedCurrentDirectory& folder) {
    const char* env = std::getenv("TW_DATA_DIR");
    if (folder.Enter(env && *env ? env : "data")) return true;
    state.SkipWithError("no data folder: run from the build folder or set TW_DATA_DIR");
    return false;
}

void BM_BandRenderOpen(benchmark::State& state) {
    platform::ScopedCurrentDirectory folder;
    if (!EnterData(state, folder)) return;
    for (auto _ : state) {
        audio::BandRender render;
        if (!render.Open(kAllPlaying, 3)) state.SkipWithError(render.Error().c_str());
    }
}
BENCHMARK(BM_BandRenderOpen)->Unit(benchmark::kMillisecond);

void BM_BandRenderOneFrame(benchmark::State& state) {
    platform::ScopedCurrentDirectory folder;
    if (!EnterData(state, folder)) return;
    audio::BandRender render;
    if (!render.Open(kAllPlaying, 3)) {
        state.SkipWithError(render.Error().c_str());
        return;
    }
    for (auto _ : state) {
        if (!render.Step(screens::BandExport::kSegmentsPerFrame)) {
            state.PauseTiming();
            render.Open(kAllPlaying, 3);
            state.ResumeTiming();
        }
    }
    // Seconds of song a frame renders, against the time it takes.
    const double songSeconds =
        double(screens::BandExport::kSegmentsPerFrame * audio::BandRender::kSegmentFrames) / audio::kBandRenderRate;
    state.counters["song_s_per_frame"] = songSeconds;
    state.counters["x_realtime"] =
        benchmark::Counter(songSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BandRenderOneFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
