#include "platform/internal/input_events.h"

#include <algorithm>

#include "platform/internal/core.h"
#include "platform/internal/desktop_keys.h"
#include "platform/internal/hook_registry.h"

namespace platform::internal {

namespace {
LPARAM PackPoint(int x, int y) {
    return LPARAM((uint32_t(uint16_t(x))) | (uint32_t(uint16_t(y)) << 16));
}
}  // namespace

bool OnKey(int virtualKey, bool down, bool repeat) {
    if (virtualKey <= 0 || virtualKey > 255) return false;
    Core& core = GetCore();
    const bool wasDown = core.keys[virtualKey];
    if (down && TakeDesktopShortcut(virtualKey, repeat || wasDown)) {
        core.keys[virtualKey] = true;
        return false;
    }
    core.keys[virtualKey] = down;
    // Alt combinations are system keys; Alt on its own is an ordinary key, so
    // tapping it does not look like a system command to the game.
    const bool alt = core.keys[VK_MENU] && virtualKey != VK_MENU;
    UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    // lParam as Windows packs it: repeat count 1, context (Alt) bit 29,
    // previous state bit 30, transition bit 31.
    uint32_t bits = 1;
    if (alt) bits |= 1u << 29;
    if (wasDown || repeat || !down) bits |= 1u << 30;
    if (!down) bits |= 1u << 31;
    PostToWindow(message, WPARAM(virtualKey), LPARAM(int32_t(bits)));
    return true;
}

char CharacterForKey(int virtualKey, bool shift) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return char(shift ? virtualKey : virtualKey + 32);
    if (virtualKey >= '0' && virtualKey <= '9') return char(virtualKey);
    switch (virtualKey) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_BACK: return 0x08;
    case VK_TAB: return '\t';
    default: return 0;
    }
}

void OnCharacter(unsigned char character) {
    if (character == 0) return;
    PostToWindow(WM_CHAR, WPARAM(character), 1);
}

void MoveCursorTo(int x, int y) {
    Core& core = GetCore();
    core.cursor.x = std::clamp(x, 0, kGameWidth - 1);
    core.cursor.y = std::clamp(y, 0, kGameHeight - 1);
}

void OnMouseMotion(int dx, int dy) {
    Core& core = GetCore();
    MoveCursorTo(core.cursor.x + dx, core.cursor.y + dy);
}

void OnPointerAt(int x, int y) {
    const Core& core = GetCore();
    if (core.pointerCaptured || !core.focused || !core.pointerInside) return;
    MoveCursorTo(x, y);
}

void OnPointerMoved(int dx, int dy) {
    const Core& core = GetCore();
    if (!core.pointerCaptured && !(core.focused && core.pointerInside)) return;
    OnMouseMotion(dx, dy);
}

void OnPointerInside(bool inside) {
    Core& core = GetCore();
    core.pointerInside = inside;
    if (!inside && !core.pointerCaptured) MoveCursorTo(kGameWidth / 2, kGameHeight / 2);
}

void OnMouseButton(bool down) {
    Core& core = GetCore();
    core.keys[VK_LBUTTON] = down;
    PostToWindow(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? 1 : 0,
                 PackPoint(core.cursor.x, core.cursor.y));
}

void OnFocus(bool active, bool minimized) {
    Core& core = GetCore();
    if (core.focused == active && core.minimized == minimized) return;
    const bool activationChanged = core.focused != active;
    core.focused = active;
    core.minimized = minimized;
    if (!active) {
        // Keys released while another window has the focus never reach us.
        const bool mouse = core.keys[VK_LBUTTON];
        core.keys.fill(false);
        core.keys[VK_LBUTTON] = mouse;
    }
    if (!active) MoveCursorTo(kGameWidth / 2, kGameHeight / 2);  // the pointer stops steering
    RefreshPointerCapture();
    NotifyActivation(active, minimized);
    if (activationChanged) PostToWindow(WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

void OnCloseRequest() {
    Core& core = GetCore();
    if (!core.window) {
        // Nothing to close: end the message loop directly.
        MSG quit;
        quit.message = WM_QUIT;
        core.queue.Post(quit);
        return;
    }
    if (core.queue.Contains(WM_CLOSE)) return;  // one request is enough
    PostToWindow(WM_CLOSE, 0, 0);
}

void OnMoved(int x, int y) {
    Core& core = GetCore();
    if (!core.window) return;
    RECT& r = core.window->rect;
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    r = RECT{x, y, x + w, y + h};
    PostToWindow(WM_MOVE, 0, PackPoint(x, y));
}

void OnResized(int width, int height) {
    Core& core = GetCore();
    if (!core.window) return;
    RECT& r = core.window->rect;
    r.right = r.left + width;
    r.bottom = r.top + height;
    PostToWindow(WM_SIZE, 0, PackPoint(width, height));
}

}  // namespace platform::internal
