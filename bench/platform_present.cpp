// Presenting a 640 x 480 8-bit picture: the palette lookup conversion alone
// (headless), and conversion + texture upload + scaled render under SDL's
// dummy video driver.
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
    Picture() {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 31 / 7);
        for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    }
};

platform::LRESULT Procedure(platform::HWND w, platform::UINT m, platform::WPARAM a, platform::LPARAM b) {
    return platform::DefWindowProc(w, m, a, b);
}

void BM_PresentIndexedHeadless(benchmark::State& state) {
    platform::ScopedHeadless headless;
    Picture picture;
    for (auto _ : state) platform::PresentIndexed(picture.pixels.data(), 640, 480, 640, picture.palette);
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_PresentIndexedHeadless)->Unit(benchmark::kMicrosecond);

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
    for (auto _ : state) platform::PresentIndexed(picture.pixels.data(), 640, 480, 640, picture.palette);
    platform::Shutdown();
}
BENCHMARK(BM_PresentIndexedSdlDummy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
