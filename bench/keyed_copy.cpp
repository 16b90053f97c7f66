// A 640 x 480 colour-keyed copy (a third of the pixels transparent, in runs
// as sprites have them) and a plain one, through the fast and the portable
// row kernels side by side. Reports the time per pixel as "per_pixel".
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/ddraw_pixels.h"

namespace {

using platform::dd::detail::CopyRect;
using platform::dd::detail::KeyRange;
using platform::dd::detail::PixelView;
using platform::dd::detail::RowPath;

constexpr int kWidth = 640, kHeight = 480;

void Copy(benchmark::State& state, RowPath path, bool keyed) {
    std::vector<uint8_t> source(size_t(kWidth) * kHeight), dest(source.size(), 7);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            source[size_t(y) * kWidth + x] = static_cast<uint8_t>((x / 11 + y / 7) % 3 == 0 ? 0 : 1 + (x ^ y) % 250);
    const platform::RECT rect{0, 0, kWidth, kHeight};
    const KeyRange key = keyed ? KeyRange{true, 0, 0} : KeyRange{};
    for (auto _ : state) {
        CopyRect(PixelView{dest.data(), kWidth, 8}, rect, rect, PixelView{source.data(), kWidth, 8}, rect, key,
                 KeyRange{}, path);
        benchmark::ClobberMemory();
    }
    // Seconds per pixel, shown with an SI prefix (p = picoseconds).
    state.counters["per_pixel"] = benchmark::Counter(
        double(kWidth) * kHeight, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_KeyedCopy640x480(benchmark::State& state) { Copy(state, RowPath::Best, true); }
void BM_KeyedCopy640x480Portable(benchmark::State& state) { Copy(state, RowPath::Portable, true); }
void BM_PlainCopy640x480(benchmark::State& state) { Copy(state, RowPath::Best, false); }
BENCHMARK(BM_KeyedCopy640x480Portable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyedCopy640x480)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainCopy640x480)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
