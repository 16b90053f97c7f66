#include "platform/devices.h"
#include "platform/internal/gamepad.h"
#include "platform/internal/sdl_parts.h"

namespace platform::internal {

namespace {
DWORD AxisToWindows(Sint16 value) { return DWORD(int(value) + 32768); }
}  // namespace

void SdlJoystick::Close() {
    if (pad_) {
        SDL_GameControllerClose(pad_);
        OnPadAttached(false);
    }
    if (stick_) SDL_JoystickClose(stick_);
    pad_ = nullptr;
    padId_ = -1;
    stick_ = nullptr;
}

void SdlJoystick::Refresh() {
    if (pad_ && SDL_GameControllerGetAttached(pad_)) return;
    // A controller plugged in while a plain joystick is open takes over.
    bool padWaiting = false;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) padWaiting = padWaiting || SDL_IsGameController(i);
    if (stick_ && SDL_JoystickGetAttached(stick_) && !padWaiting) return;
    Close();
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count && !pad_; ++i) {
        if (SDL_IsGameController(i)) pad_ = SDL_GameControllerOpen(i);
    }
    for (int i = 0; i < count && !pad_ && !stick_; ++i) stick_ = SDL_JoystickOpen(i);
    if (pad_) {
        padId_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_));
        OnPadAttached(true);
    }
}

MMRESULT SdlJoystick::Read(DWORD* x, DWORD* y, DWORD* buttons) {
    if (stick_ && !SDL_JoystickGetAttached(stick_)) Refresh();
    if (!stick_) return JOYERR_UNPLUGGED;
    *x = SDL_JoystickNumAxes(stick_) > 0 ? AxisToWindows(SDL_JoystickGetAxis(stick_, 0)) : 32767;
    *y = SDL_JoystickNumAxes(stick_) > 1 ? AxisToWindows(SDL_JoystickGetAxis(stick_, 1)) : 32767;
    if (SDL_JoystickNumHats(stick_) > 0) {
        const Uint8 hat = SDL_JoystickGetHat(stick_, 0);
        if (hat & SDL_HAT_LEFT) *x = 0;
        if (hat & SDL_HAT_RIGHT) *x = 65535;
        if (hat & SDL_HAT_UP) *y = 0;
        if (hat & SDL_HAT_DOWN) *y = 65535;
    }
    DWORD mask = 0;
    const int count = SDL_JoystickNumButtons(stick_);
    for (int i = 0; i < count && i < 32; ++i)
        if (SDL_JoystickGetButton(stick_, i)) mask |= 1u << i;
    *buttons = mask;
    return JOYERR_NOERROR;
}

}  // namespace platform::internal
