// Presenting a 640 x 480 8-bit picture: the palette lookup conversion alone
// (headless), and conversion + texture upload + scaled render under SDL's
// dummy video driver. change: 0 the same picture again, 1 every pixel
// changed, 2 a 64 x 64 sprite moved (what a land frame with a walking dog
// changes).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"

namespace {

struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(640 * 480);
    platform::PaletteEntry palette[256];
    int frame = 0;
    Picture() {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 31 / 7);
        for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    }
    void Change(int64_t kind) {
        ++frame;
        if (kind == 1) {
            for (auto& p : pixels) p = uint8_t(p + 1);
        } else if (kind == 2) {
            const int x = 100 + (frame % 2) * 4;  // erase and redraw, four pixels on
            for (int y = 200; y < 264; ++y)
                for (int dx = -4; dx < 68; ++dx) pixels[size_t(y) * 640 + size_t(x + dx)] ^= 0x21;
        }
    }
};

void Changes(benchmark::internal::Benchmark* b) {
    b->ArgName("change")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
}

platform::LRESULT Procedure(platform::HWND w, platform::UINT m, platform::WPARAM a, platform::LPARAM b) {
    return platform::DefWindowProc(w, m, a, b);
}

void BM_PresentIndexedHeadless(benchmark::State& state) {
    platform::ScopedHeadless headless;
    Picture picture;
    for (auto _ : state) {
        state.PauseTiming();
        picture.Change(state.range(0));
        state.ResumeTiming();
        platform::PresentIndexed(picture.pixels.data(), 640, 480, 640, picture.palette);
    }
}
BENCHMARK(BM_PresentIndexedHeadless)->Apply(Changes);

void BM_PresentIndexedSdlDummy(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    platform::PlatformOptions options;
    if (!platform::Startup(options)) {
        state.SkipWithError("SDL did not start");
        return;
    }
    platform::WNDCLASS cls;
    cls.lpfnWndProc = Procedure;
    cls.lpszClassName = "PresentBench";
    platform::RegisterClass(cls);
    platform::HWND window = platform::CreateWindowEx(0, "PresentBench", "bench", platform::WS_POPUP, 0, 0, 0, 0);
    platform::ShowWindow(window, platform::SW_SHOWNORMAL);
    Picture picture;
    for (auto _ : state) {
        state.PauseTiming();
        picture.Change(state.range(0));
        state.ResumeTiming();
        platform::PresentIndexed(picture.pixels.data(), 640, 480, 640, picture.palette);
    }
    platform::Shutdown();
}
BENCHMARK(BM_PresentIndexedSdlDummy)->Apply(Changes);

}  // namespace

BENCHMARK_MAIN();
