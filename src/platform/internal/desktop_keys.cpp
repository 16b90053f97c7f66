#include "platform/internal/desktop_keys.h"

#include "platform/internal/backend.h"
#include "platform/internal/core.h"
#include "platform/internal/input_events.h"

namespace platform::internal {

bool TakeDesktopShortcut(int virtualKey, bool repeat) {
    const Core& core = GetCore();
    const bool alt = core.keys[VK_MENU], control = core.keys[VK_CONTROL];
    void (*action)() = nullptr;
    if (virtualKey == VK_F11 || (alt && virtualKey == VK_RETURN)) {
        action = [] { SetDesktopFullscreen(!GetCore().desktop.fullscreen); };
    } else if (virtualKey == VK_F9) {
        action = ToggleWholeSteps;
    } else if (control && virtualKey == 'G') {
        action = TogglePointerCapture;
    }
    if (!action) return false;
    if (!repeat) action();
    return true;
}

void SetDesktopFullscreen(bool on) {
    GetCore().desktop.fullscreen = on;
    if (Backend* backend = CurrentBackendPtr()) backend->ApplyFullscreen(on);
}

void ToggleWholeSteps() {
    DesktopSettings& desktop = GetCore().desktop;
    desktop.wholeSteps = !desktop.wholeSteps;
}

void TogglePointerCapture() {
    Core& core = GetCore();
    core.captureWanted = !core.captureWanted;
    RefreshPointerCapture();
}

void RefreshPointerCapture() {
    Core& core = GetCore();
    const bool capture = core.captureWanted && core.focused && !core.minimized && core.window != nullptr;
    if (capture == core.pointerCaptured) return;
    core.pointerCaptured = capture;
    if (Backend* backend = CurrentBackendPtr()) backend->CapturePointer(capture);
    // Released, the pointer stops steering: the game cursor goes back to the
    // neutral centre.
    if (!capture) MoveCursorTo(kGameWidth / 2, kGameHeight / 2);
}

}  // namespace platform::internal
