// Display throughput: tiling the back buffer with 32 x 32 blits, a keyed
// sprite blit, and a whole present (palette lookup, texture upload, present)
// through the SDL backend. Run with SDL_VIDEODRIVER=dummy on a machine
// without a screen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "display/display.h"
#include "platform/messages.h"
#include "platform/platform.h"

namespace {

platform::LRESULT Procedure(platform::HWND w, platform::UINT m, platform::WPARAM wp, platform::LPARAM lp) {
    return platform::DefWindowProc(w, m, wp, lp);
}

// One SDL platform, window and running display for all benchmarks.
display::Display* TheDisplay() {
    static std::unique_ptr<display::Display> display = [] {
        setenv("SDL_VIDEODRIVER", getenv("SDL_VIDEODRIVER") ? getenv("SDL_VIDEODRIVER") : "dummy", 1);
        platform::PlatformOptions options;
        options.kind = platform::BackendKind::Sdl;
        if (!platform::Startup(options)) std::abort();
        platform::WNDCLASS cls;
        cls.lpfnWndProc = Procedure;
        cls.lpszClassName = "Tunewander";
        platform::RegisterClass(cls);
        platform::HWND window = platform::CreateWindowEx(0, "Tunewander", "Tunewander", platform::WS_POPUP, 0, 0, 640, 480);
        platform::ShowWindow(window, platform::SW_SHOWNORMAL);
        auto d = std::make_unique<display::Display>();
        const int32_t size[2] = {640, 480};
        d->GPConfigure(nullptr, size, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        if (!d->GPInitDirectDraw(window) || !d->GPInitPageFlipping()) std::abort();
        d->palette = d->GPLoadPaletteFile(nullptr);
        d->GPFadeInit();
        d->GPSetPalette();
        return d;
    }();
    return display.get();
}

platform::dd::Surface* Pattern(display::Display* d, int size, bool keyed) {
    platform::dd::Surface* s = d->GPCreateSurface(size, size, 1, keyed ? 1 : 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int dx = x - size / 2, dy = y - size / 2;
            s->Pixels()[y * s->Pitch() + x] = static_cast<uint8_t>(dx * dx + dy * dy < size * size / 5 ? 17 + x : 0);
        }
    }
    return s;
}

void BM_TileTheBackBuffer(benchmark::State& state) {
    display::Display* d = TheDisplay();
    platform::dd::Surface* tile = Pattern(d, 32, false);
    for (auto _ : state) {
        for (int y = 0; y < 480; y += 32) {
            for (int x = 0; x < 640; x += 32) {
                const platform::RECT at{x, y, x + 32, y + 32};
                benchmark::DoNotOptimize(d->GPBlt(tile, nullptr, nullptr, &at, 0));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 300);
    tile->Release();
}
BENCHMARK(BM_TileTheBackBuffer)->Unit(benchmark::kMicrosecond);

void BM_KeyedSpriteBlit(benchmark::State& state) {
    display::Display* d = TheDisplay();
    const int size = static_cast<int>(state.range(0));
    platform::dd::Surface* sprite = Pattern(d, size, true);
    int x = 0;
    for (auto _ : state) {
        const platform::RECT at{x, 100, x + size, 100 + size};
        benchmark::DoNotOptimize(d->GPBlt(sprite, nullptr, nullptr, &at, 1));
        x = (x + 7) % (640 - size);
    }
    sprite->Release();
}
BENCHMARK(BM_KeyedSpriteBlit)->Arg(32)->Arg(64)->Unit(benchmark::kMicrosecond);

void BM_PageFlipPresent(benchmark::State& state) {
    display::Display* d = TheDisplay();
    for (auto _ : state) benchmark::DoNotOptimize(d->GPPageFlip());
}
BENCHMARK(BM_PageFlipPresent)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
