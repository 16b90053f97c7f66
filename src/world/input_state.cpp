#include "world/input_state.h"

#include "platform/win_types.h"

namespace world {

namespace {

// A direction key: sets its flag once per press and cancels the opposite one.
void PressDirection(int32_t& flag, int32_t& held, int32_t& opposite) {
    if (held) return;
    flag = 1;
    held = 1;
    opposite = 0;
    InputState::CentreCursor();
}

// Mouse box: the neutral zone is 255..385 x 175..305; outside it the cursor is
// pulled back to the edge of the 250..390 x 170..310 area.
constexpr int kMouseLeftBelow = 255, kMouseLeftClamp = 250;
constexpr int kMouseRightFrom = 386, kMouseRightClamp = 390;
constexpr int kMouseUpBelow = 175, kMouseUpClamp = 170;
constexpr int kMouseDownAbove = 305, kMouseDownClamp = 310;

// Joystick axes read 0..65535; the middle half is neutral.
constexpr platform::DWORD kStickLow = 16000;
constexpr platform::DWORD kStickHigh = 48000;

}  // namespace

int InputState::KeyDown(int virtualKey) {
    using namespace platform;
    switch (virtualKey) {
    case VK_RETURN:
    case VK_SPACE:
        if (!fireHeld) {
            fire = 1;
            fireHeld = 1;
            CentreCursor();
        }
        return 0;
    case VK_SHIFT:
        shift = 1;
        return 0;
    case VK_ESCAPE:
    case VK_F12:
        escape = 1;
        return 1;
    case VK_LEFT:
    case VK_NUMPAD4:
        PressDirection(left, leftHeld, right);
        return 0;
    case VK_UP:
    case VK_NUMPAD8:
        PressDirection(up, upHeld, down);
        return 0;
    case VK_RIGHT:
    case VK_NUMPAD6:
        PressDirection(right, rightHeld, left);
        return 0;
    case VK_DOWN:
    case VK_NUMPAD2:
        PressDirection(down, downHeld, up);
        return 0;
    default:
        return 0;
    }
}

void InputState::KeyUp(int virtualKey) {
    using namespace platform;
    switch (virtualKey) {
    case VK_RETURN:
    case VK_SPACE:
        fire = fireHeld = 0;
        break;
    case VK_SHIFT:
        shift = 0;
        break;
    case VK_LEFT:
    case VK_NUMPAD4:
        left = leftHeld = 0;
        break;
    case VK_UP:
    case VK_NUMPAD8:
        up = upHeld = 0;
        break;
    case VK_RIGHT:
    case VK_NUMPAD6:
        right = rightHeld = 0;
        break;
    case VK_DOWN:
    case VK_NUMPAD2:
        down = downHeld = 0;
        break;
    default:
        break;
    }
}

void InputState::PollMouse(PollMemory& memory) {
    platform::POINT at;
    if (!platform::GetCursorPos(&at)) return;
    // A still mouse leaves every flag alone, so keys keep working.
    if (at == memory.lastMouse) return;
    memory.lastMouse = at;

    left = at.x < kMouseLeftBelow;
    if (left) at.x = kMouseLeftClamp;
    right = at.x >= kMouseRightFrom;
    if (right) at.x = kMouseRightClamp;
    up = at.y < kMouseUpBelow;
    if (up) at.y = kMouseUpClamp;
    down = at.y > kMouseDownAbove;
    if (down) at.y = kMouseDownClamp;
    platform::SetCursorPos(at.x, at.y);
}

void InputState::PollJoystick(PollMemory& memory) {
    platform::JOYINFOEX reading;
    reading.dwSize = sizeof reading;
    reading.dwFlags = platform::JOY_RETURNALL | platform::JOY_USEDEADZONE;
    if (platform::joyGetPosEx(platform::JOYSTICKID1, &reading) != platform::JOYERR_NOERROR) return;
    joystick = reading;

    // A held button fires on every other poll.
    const int wasLatched = memory.buttonLatch;
    if (reading.dwButtons != 0 && !wasLatched) {
        memory.buttonLatch = 1;
        fire = 1;
    }
    if (wasLatched) {
        memory.buttonLatch = 0;
        fire = 0;
    }

    if (reading.dwYpos < kStickLow) {
        up = 1;
        down = 0;
        memory.joystickY = -1;
    } else if (reading.dwYpos > kStickHigh) {
        down = 1;
        up = 0;
        memory.joystickY = 1;
    } else if (memory.joystickY != 0) {
        memory.joystickY = 0;
        up = down = 0;
    }

    if (reading.dwXpos > kStickHigh) {
        right = 1;
        left = 0;
        memory.joystickX = 1;
    } else if (reading.dwXpos < kStickLow) {
        left = 1;
        right = 0;
        memory.joystickX = -1;
    } else if (memory.joystickX != 0) {
        memory.joystickX = 0;
        left = right = 0;
    }
}

void InputState::Clear() {
    lastCharacter = 0;
    anyInput = escape = 0;
    up = down = left = right = 0;
    shift = fire = 0;
    CentreCursor();
}

void InputState::CentreCursor() {
    platform::SetCursorPos(kCursorCentreX, kCursorCentreY);
}

}  // namespace world
