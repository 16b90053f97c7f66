#pragma once
// A headless platform with the game's window and a Display set up as the game
// does it (full-screen 640 x 480 x 8, two buffers unless told otherwise), with
// every DebugTrace text captured.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/display.h"
#include "platform/ddraw_emulation.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/system.h"

namespace display_support {

struct TraceLine {
    int failure;
    std::string text;
};

class TraceCapture {
public:
    TraceCapture() { platform::SetTraceSink(&TraceCapture::Sink, this); }
    ~TraceCapture() { platform::SetTraceSink(nullptr, nullptr); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const std::vector<TraceLine>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }
    bool Contains(const std::string& text) const {
        for (const auto& line : lines_) {
            if (line.text == text) return true;
        }
        return false;
    }
    int Count(const std::string& text) const {
        int count = 0;
        for (const auto& line : lines_) count += line.text == text ? 1 : 0;
        return count;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& line : lines_) out.push_back(line.text);
        return out;
    }

private:
    static void Sink(platform::HWND, int failure, const char* text, void* user) {
        static_cast<TraceCapture*>(user)->lines_.push_back({failure, text});
    }
    std::vector<TraceLine> lines_;
};

inline platform::LRESULT QuietProcedure(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                                        platform::LPARAM lParam) {
    return platform::DefWindowProc(window, message, wParam, lParam);
}

inline platform::HWND MakeWindow() {
    platform::WNDCLASS cls;
    cls.lpfnWndProc = QuietProcedure;
    cls.lpszClassName = "Tunewander";
    platform::RegisterClass(cls);
    return platform::CreateWindowEx(0, "Tunewander", "Tunewander", platform::WS_POPUP | platform::WS_SYSMENU, 0, 0,
                                    640, 480);
}

// Base of display tests: the emulated adapter is reset to its defaults before
// each test; tests change it before calling Start.
class DisplayTest {
public:
    // autoAdvanceMs: how far every read of the manual clock moves it on.
    explicit DisplayTest(unsigned autoAdvanceMs = 0)
        : headless_(std::make_unique<platform::ScopedHeadless>(autoAdvanceMs)) {
        platform::dd::emulation::Reset();
        window_ = MakeWindow();
        traces_ = std::make_unique<TraceCapture>();
    }
    ~DisplayTest() {
        display_.reset();
        traces_.reset();
        if (window_) platform::DestroyWindow(window_);
        platform::dd::emulation::Reset();
    }

    // Configures (flags, 640 x 480, and optionally the buffer count) and runs
    // both halves of set-up. Returns 1 when both succeeded.
    int Start(platform::DWORD flags = 0, platform::DWORD buffers = 2) {
        display_ = std::make_unique<display::Display>();
        const int32_t size[2] = {640, 480};
        display_->GPConfigure(&flags, size, nullptr, nullptr, nullptr, nullptr, &buffers, nullptr, nullptr,
                              nullptr);
        if (!display_->GPInitDirectDraw(window_)) return 0;
        return display_->GPInitPageFlipping();
    }

    display::Display& D() { return *display_; }
    TraceCapture& Traces() { return *traces_; }
    platform::HWND Window() const { return window_; }

protected:
    std::unique_ptr<platform::ScopedHeadless> headless_;
    platform::HWND window_ = nullptr;
    std::unique_ptr<TraceCapture> traces_;
    std::unique_ptr<display::Display> display_;
};

// A palette where entry i is (i, 255 - i, i / 2), so every index is distinct.
inline void DistinctPalette(platform::PaletteEntry* entries) {
    for (int i = 0; i < 256; ++i) {
        entries[i] = platform::PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                            static_cast<uint8_t>(i / 2), 0};
    }
}

// Pixel value at (x, y) of an 8-bit surface.
inline uint8_t PixelAt(const platform::dd::Surface* surface, int x, int y) {
    return surface->Pixels()[static_cast<size_t>(y) * surface->Pitch() + x];
}

}  // namespace display_support
