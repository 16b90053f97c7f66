#pragma once
// The four directions and the fire button, from keyboard, mouse and joystick
// at once. Keys arrive as messages; the mouse (a virtual joystick around the
// screen centre) and joystick 0 are polled at the start of every tick.
// Consumers read and clear the flags; none of them talks to a device.
#include <cstdint>

#include "platform/devices.h"

namespace world {

// What the polls remember between calls (one per process).
struct PollMemory {
    platform::POINT lastMouse{};
    int joystickX = 0;  // -1, 0, 1: the direction the joystick itself last set
    int joystickY = 0;
    int buttonLatch = 0;
};

struct InputState {
    uint8_t lastCharacter;
    int32_t anyInput;
    int32_t escape;
    int32_t up, down, left, right;
    int32_t shift;
    int32_t fire;
    int32_t upHeld, downHeld, leftHeld, rightHeld;
    int32_t fireHeld;
    platform::JOYINFOEX joystick;

    // A key press or release. A repeated press while its held flag is set
    // changes nothing. KeyDown returns 1 for Escape and F12 (after setting
    // escape): the game decides whether that opens the menu.
    int KeyDown(int virtualKey);
    void KeyUp(int virtualKey);

    // Directions from a moved mouse; the cursor stays inside 250..390 x 170..310.
    void PollMouse(PollMemory& memory);
    // Directions and fire from joystick 0; a centred stick clears only the
    // directions it set itself. No joystick changes nothing.
    void PollJoystick(PollMemory& memory);

    // Clears the last character and the eight request flags (not the held
    // flags) and centres the cursor.
    void Clear();
    static void CentreCursor();
};

// The screen centre the cursor returns to.
constexpr int kCursorCentreX = 320;
constexpr int kCursorCentreY = 240;

}  // namespace world
