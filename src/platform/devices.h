#pragma once
// Cursor, keyboard state and joystick. The cursor lives in 640 x 480 game
// coordinates and is the platform's own: SetCursorPos never warps the desktop
// pointer. The pointer moves it only while the window has the focus and the
// pointer is over the picture, or while the player has captured the pointer
// (Ctrl+G).
#include <cstdint>

#include "platform/win_types.h"

namespace platform {

int GetCursorPos(POINT* point);
int SetCursorPos(int x, int y);
// Hides (false) or shows (true) the pointer over the window.
void ShowGameCursor(bool show);
// Bit 15 set (a negative value) while the key is down. Takes in pending
// input first, so busy waits that pump no messages still see key presses.
int16_t GetAsyncKeyState(int virtualKey);

struct JOYINFOEX {
    DWORD dwSize = 52;
    DWORD dwFlags = 0;
    DWORD dwXpos = 0, dwYpos = 0, dwZpos = 0, dwRpos = 0, dwUpos = 0, dwVpos = 0;
    DWORD dwButtons = 0;
    DWORD dwButtonNumber = 0;
    DWORD dwPOV = 0;
    DWORD dwReserved1 = 0, dwReserved2 = 0;
};
static_assert(sizeof(JOYINFOEX) == 52);

constexpr UINT JOYSTICKID1 = 0;
constexpr DWORD JOY_RETURNALL = 0x000000FF;
constexpr DWORD JOY_USEDEADZONE = 0x00000800;
constexpr MMRESULT JOYERR_NOERROR = 0;
constexpr MMRESULT JOYERR_PARMS = 165;
constexpr MMRESULT JOYERR_UNPLUGGED = 167;

// Buttons of a game controller, by position (south is A on most pads).
enum class PadButton { South, East, West, North, Back, Start, DpadUp, DpadDown, DpadLeft, DpadRight, Other };

// Joystick 0 is the first game controller when one is plugged in (its left
// stick and D-pad are the axes, the south button is button 0, Start is the
// Escape key), else the first plain joystick.
// Axes 0..65535 with the centre at 32767 (a small dead zone reads as centre
// when JOY_USEDEADZONE is given); dwButtons has bit n set while button n is
// down. Without a device: JOYERR_UNPLUGGED.
MMRESULT joyGetPosEx(UINT joystickId, JOYINFOEX* info);

}  // namespace platform
