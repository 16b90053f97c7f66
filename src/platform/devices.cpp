// Cursor, keyboard state and joystick 0.
#include "platform/devices.h"

#include <cstdlib>
#include <thread>

#include "platform/internal/backend.h"
#include "platform/internal/core.h"
#include "platform/internal/gamepad.h"
#include "platform/internal/input_events.h"

namespace platform {

namespace {
constexpr DWORD kCentre = 32767;
// Readings this close to the centre count as centred with JOY_USEDEADZONE.
constexpr int kDeadZone = 2048;

DWORD ApplyDeadZone(DWORD value) {
    return std::abs(int(value) - int(kCentre)) < kDeadZone ? kCentre : value;
}
}  // namespace

int GetCursorPos(POINT* point) {
    if (!point) return 0;
    *point = internal::GetCore().cursor;
    return 1;
}

int SetCursorPos(int x, int y) {
    internal::MoveCursorTo(x, y);
    return 1;
}

void ShowGameCursor(bool show) {
    internal::GetCore().cursorShown = show;
    if (internal::Backend* backend = internal::CurrentBackendPtr()) backend->ShowCursor(show);
}

int16_t GetAsyncKeyState(int virtualKey) {
    if (virtualKey <= 0 || virtualKey > 255) return 0;
    // Game code polls keys in busy waits that pump no messages: take in the
    // input that happened meanwhile (its messages wait in the queue as usual).
    internal::Backend* backend = internal::CurrentBackendPtr();
    if (backend && std::this_thread::get_id() == internal::GetCore().mainThread) backend->PumpEvents();
    return internal::GetCore().keys[virtualKey] ? int16_t(-32768) : int16_t(0);
}

MMRESULT joyGetPosEx(UINT joystickId, JOYINFOEX* info) {
    if (!info || info->dwSize != sizeof(JOYINFOEX) || joystickId > 15) return JOYERR_PARMS;
    internal::Backend* backend = internal::CurrentBackendPtr();
    if (!backend || joystickId != JOYSTICKID1) return JOYERR_UNPLUGGED;
    DWORD x = kCentre, y = kCentre, buttons = 0;
    // A game controller, when there is one, comes before a plain joystick.
    const MMRESULT result = internal::GetCore().pad.attached ? internal::ReadPad(&x, &y, &buttons)
                                                              : backend->ReadJoystick(&x, &y, &buttons);
    if (result != JOYERR_NOERROR) return result;
    if (info->dwFlags & JOY_USEDEADZONE) {
        x = ApplyDeadZone(x);
        y = ApplyDeadZone(y);
    }
    info->dwXpos = x;
    info->dwYpos = y;
    info->dwZpos = info->dwRpos = info->dwUpos = info->dwVpos = kCentre;
    info->dwButtons = buttons;
    DWORD count = 0;
    for (DWORD b = buttons; b; b &= b - 1) ++count;
    info->dwButtonNumber = count;
    info->dwPOV = 0xFFFF;  // centred
    return JOYERR_NOERROR;
}

}  // namespace platform
