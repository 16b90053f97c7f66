#include "platform/internal/sdl_parts.h"
#include "platform/devices.h"

namespace platform::internal {

namespace {
DWORD AxisToWindows(Sint16 value) { return DWORD(int(value) + 32768); }
}  // namespace

void SdlJoystick::Close() {
    if (pad_) SDL_GameControllerClose(pad_);
    if (stick_) SDL_JoystickClose(stick_);
    pad_ = nullptr;
    stick_ = nullptr;
}

void SdlJoystick::Refresh() {
    if (pad_ && SDL_GameControllerGetAttached(pad_)) return;
    if (stick_ && SDL_JoystickGetAttached(stick_)) return;
    Close();
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count && !pad_ && !stick_; ++i) {
        if (SDL_IsGameController(i)) {
            pad_ = SDL_GameControllerOpen(i);
        } else {
            stick_ = SDL_JoystickOpen(i);
        }
    }
}

MMRESULT SdlJoystick::Read(DWORD* x, DWORD* y, DWORD* buttons) {
    if ((pad_ && !SDL_GameControllerGetAttached(pad_)) || (stick_ && !SDL_JoystickGetAttached(stick_))) Refresh();
    if (pad_) {
        *x = AxisToWindows(SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX));
        *y = AxisToWindows(SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY));
        // The D-pad counts as the stick pushed all the way.
        if (SDL_GameControllerGetButton(pad_, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) *x = 0;
        if (SDL_GameControllerGetButton(pad_, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) *x = 65535;
        if (SDL_GameControllerGetButton(pad_, SDL_CONTROLLER_BUTTON_DPAD_UP)) *y = 0;
        if (SDL_GameControllerGetButton(pad_, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) *y = 65535;
        static const SDL_GameControllerButton kButtons[] = {
            SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,         SDL_CONTROLLER_BUTTON_X,
            SDL_CONTROLLER_BUTTON_Y,         SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
            SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START,
            SDL_CONTROLLER_BUTTON_LEFTSTICK, SDL_CONTROLLER_BUTTON_RIGHTSTICK,
        };
        DWORD mask = 0;
        for (size_t i = 0; i < sizeof kButtons / sizeof kButtons[0]; ++i)
            if (SDL_GameControllerGetButton(pad_, kButtons[i])) mask |= 1u << i;
        *buttons = mask;
        return JOYERR_NOERROR;
    }
    if (stick_) {
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
    return JOYERR_UNPLUGGED;
}

}  // namespace platform::internal
