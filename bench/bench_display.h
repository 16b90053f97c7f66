#pragma once
// The window and display the benchmarks draw on: the emulated adapter reset,
// a plain window, and the display set up full-screen at 640 x 480 with two
// buffers, as the game does it. Needs a running (headless) platform.
#include <memory>

#include "display/display.h"
#include "platform/ddraw_emulation.h"
#include "platform/messages.h"

namespace bench {

class BenchDisplay {
public:
    BenchDisplay() {
        platform::dd::emulation::Reset();
        platform::WNDCLASS cls;
        cls.lpfnWndProc = Quiet;
        cls.lpszClassName = "TunewanderBench";
        platform::RegisterClass(cls);
        window_ = platform::CreateWindowEx(0, "TunewanderBench", "bench", platform::WS_POPUP, 0, 0, 640, 480);
        display_ = std::make_unique<display::Display>();
        const platform::DWORD flags = 0, buffers = 2;
        const int32_t size[2] = {640, 480};
        display_->GPConfigure(&flags, size, nullptr, nullptr, nullptr, nullptr, &buffers, nullptr, nullptr, nullptr);
        ok_ = display_->GPInitDirectDraw(window_) && display_->GPInitPageFlipping();
    }
    ~BenchDisplay() {
        display_.reset();
        if (window_) platform::DestroyWindow(window_);
    }
    BenchDisplay(const BenchDisplay&) = delete;
    BenchDisplay& operator=(const BenchDisplay&) = delete;

    bool Ok() const { return ok_; }
    display::Display* Get() { return display_.get(); }

private:
    static platform::LRESULT Quiet(platform::HWND w, platform::UINT m, platform::WPARAM wp, platform::LPARAM lp) {
        return platform::DefWindowProc(w, m, wp, lp);
    }

    platform::HWND window_ = nullptr;
    std::unique_ptr<display::Display> display_;
    bool ok_ = false;
};

}  // namespace bench
