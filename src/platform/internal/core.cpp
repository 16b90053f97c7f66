#include "platform/internal/core.h"

#include <cctype>

#include "platform/internal/backend.h"

namespace platform::internal {

namespace {
Core& Instance() {
    static Core core;
    return core;
}
}  // namespace

Core& GetCore() { return Instance(); }

void ResetCore() {
    Core& core = Instance();
    core.queue.Clear();
    core.classes.clear();
    core.postTarget.store(nullptr);
    core.window.reset();
    core.foreignWindow = Window{};
    core.keys.fill(false);
    core.cursor = POINT{kGameWidth / 2, kGameHeight / 2};
    core.focused = false;
    core.minimized = false;
    core.cursorShown = true;
    core.pointerInside = true;
    core.captureWanted = false;
    core.pointerCaptured = false;
    core.pad = PadState{};
    core.desktop = DesktopSettings{};
    core.noSound = false;
    core.picture = PresentedPicture{};
    core.mainThread = std::this_thread::get_id();
}

void PostToWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    Core& core = GetCore();
    if (!core.window) return;
    MSG msg;
    msg.hwnd = core.window.get();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (Backend* backend = CurrentBackendPtr()) msg.time = backend->Peek();
    core.queue.Post(msg);
}

std::string ToLower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace platform::internal
