#pragma once
// State shared by both backends: the message queue, the window and its class,
// the keyboard and cursor state that input events maintain, and the last
// presented picture. One instance per process, reset by Startup and Shutdown.
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop_settings.h"
#include "platform/internal/message_queue.h"
#include "platform/video_out.h"
#include "platform/window.h"

namespace platform::internal {

constexpr int kGameWidth = 640;
constexpr int kGameHeight = 480;

struct PresentedPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, width x height
    std::array<PaletteEntry, 256> palette{};
    std::array<uint32_t, 256> lut{};
    bool lutValid = false;
    // The 8-bit picture behind pixels, to find what the next one changes;
    // empty after a true-colour present.
    std::vector<uint8_t> indexed;
    // Where a moved picture is put together before it takes the place of the
    // two above.
    std::vector<uint32_t> sparePixels;
    std::vector<uint8_t> spareIndexed;
};

// The first game controller, as its events left it.
struct PadState {
    bool attached = false;
    int stickX = 0, stickY = 0;  // -32768 .. 32767
    uint32_t buttons = 0;        // bit n: PadButton n held
};

struct Core {
    MessageQueue queue;
    std::map<std::string, WNDPROC> classes;  // keyed by lower-case class name
    std::unique_ptr<Window> window;
    // The same window for other threads' PostMessage (set and cleared with it).
    std::atomic<Window*> postTarget{nullptr};
    Window foreignWindow;                    // stands for another running copy
    std::array<bool, 256> keys{};            // virtual keys held down
    POINT cursor{kGameWidth / 2, kGameHeight / 2};
    bool focused = false;
    bool minimized = false;
    bool cursorShown = true;
    // The pointer: over the window or not, held by the game (Ctrl+G asked
    // for it and the window has the focus) or not.
    bool pointerInside = true;
    bool captureWanted = false;
    bool pointerCaptured = false;
    PadState pad;
    DesktopSettings desktop;
    bool noSound = false;  // every sound output stays silent
    PresentedPicture picture;
    std::thread::id mainThread;  // the thread that started the platform
};

Core& GetCore();
void ResetCore();

// Posts a message to the main window (dropped when there is none).
void PostToWindow(UINT message, WPARAM wParam, LPARAM lParam);

std::string ToLower(std::string text);

}  // namespace platform::internal
