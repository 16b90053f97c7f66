#include "world/input_state.h"

#include <gtest/gtest.h>

#include "platform/devices.h"
#include "platform/headless.h"
#include "platform/platform.h"

namespace {

using namespace platform;
using world::InputState;
using world::PollMemory;

class InputStateTest : public ::testing::Test {
protected:
    platform::POINT Cursor() {
        platform::POINT at;
        GetCursorPos(&at);
        return at;
    }
    // Puts the mouse somewhere and polls it.
    void MouseAt(int x, int y) {
        SetCursorPos(x, y);
        input.PollMouse(memory);
    }
    void Stick(DWORD x, DWORD y, DWORD buttons = 0) {
        headless::SetJoystick(true, x, y, buttons);
        input.PollJoystick(memory);
    }

    ScopedHeadless headless;
    InputState input{};
    PollMemory memory;
};

TEST_F(InputStateTest, HeldKeyGivesOneRequestUntilReleased) {
    input.KeyDown(VK_LEFT);
    EXPECT_EQ(input.left, 1);
    input.left = 0;  // a consumer takes the request
    input.KeyDown(VK_LEFT);  // auto-repeat
    input.KeyDown(VK_NUMPAD4);
    EXPECT_EQ(input.left, 0);
    input.KeyUp(VK_LEFT);
    EXPECT_EQ(input.leftHeld, 0);
    input.KeyDown(VK_NUMPAD4);
    EXPECT_EQ(input.left, 1);

    input.KeyDown(VK_SPACE);
    input.fire = 0;
    input.KeyDown(VK_RETURN);  // the fire keys share one held flag
    EXPECT_EQ(input.fire, 0);
    input.KeyUp(VK_RETURN);
    EXPECT_EQ(input.fireHeld, 0);
}

TEST_F(InputStateTest, LaterDirectionCancelsTheOppositeOne) {
    input.KeyDown(VK_RIGHT);
    input.KeyDown(VK_LEFT);
    EXPECT_EQ(input.left, 1);
    EXPECT_EQ(input.right, 0);
    EXPECT_EQ(input.rightHeld, 1);
    input.KeyDown(VK_DOWN);
    input.KeyDown(VK_UP);
    EXPECT_EQ(input.down, 0);
}

TEST_F(InputStateTest, GameControllerWalksAndFires) {
    headless::SetPad(true);
    headless::PadStick(-32768, 0);
    headless::PadButtonEvent(PadButton::South, true);
    input.PollJoystick(memory);
    EXPECT_EQ(input.left, 1);
    EXPECT_EQ(input.fire, 1);
    headless::PadStick(0, 0);
    headless::PadButtonEvent(PadButton::South, false);
    headless::PadButtonEvent(PadButton::DpadUp, true);
    input.PollJoystick(memory);
    EXPECT_EQ(input.left, 0);
    EXPECT_EQ(input.up, 1);
}

TEST_F(InputStateTest, MouseIsAVirtualJoystickAroundTheCentre) {
    MouseAt(254, 240);
    EXPECT_EQ(input.left, 1);
    EXPECT_EQ(Cursor().x, 250);
    MouseAt(260, 240);
    EXPECT_EQ(input.left, 0);

    // The corners of the neutral box are neutral.
    MouseAt(255, 175);
    MouseAt(385, 305);
    EXPECT_EQ(input.left + input.right + input.up + input.down, 0);

    MouseAt(386, 306);
    EXPECT_EQ(input.right, 1);
    EXPECT_EQ(input.down, 1);
    EXPECT_EQ(Cursor(), (platform::POINT{390, 310}));
    MouseAt(500, 10);  // far outside: clamped to the edge of the area
    EXPECT_EQ(input.up, 1);
    EXPECT_EQ(input.down, 0);
    EXPECT_EQ(Cursor(), (platform::POINT{390, 170}));
}

TEST_F(InputStateTest, StillMouseLeavesKeyboardDirectionsAlone) {
    MouseAt(320, 240);
    input.KeyDown(VK_LEFT);  // centres the cursor where it already is
    input.PollMouse(memory);
    EXPECT_EQ(input.left, 1);
    // The mouse's own direction stays until it moves back in.
    MouseAt(300, 100);
    input.PollMouse(memory);  // the clamped position counts as one more move
    input.up = 0;
    input.PollMouse(memory);
    EXPECT_EQ(input.up, 0);
}

TEST_F(InputStateTest, JoystickThresholdsAreExclusive) {
    Stick(32767, 16000);
    EXPECT_EQ(input.up, 0);
    Stick(32767, 15999);
    EXPECT_EQ(input.up, 1);
    Stick(32767, 48000);
    EXPECT_EQ(input.up, 0);
    EXPECT_EQ(input.down, 0);
    Stick(32767, 48001);
    EXPECT_EQ(input.down, 1);
    Stick(48001, 32767);
    EXPECT_EQ(input.right, 1);
    EXPECT_EQ(input.down, 0);
    Stick(15999, 32767);
    EXPECT_EQ(input.left, 1);
    EXPECT_EQ(input.right, 0);
    Stick(16000, 32767);
    EXPECT_EQ(input.left, 0);
}

TEST_F(InputStateTest, CentredJoystickClearsOnlyItsOwnDirections) {
    input.KeyDown(VK_LEFT);
    input.KeyDown(VK_UP);
    Stick(32767, 32767);
    EXPECT_EQ(input.left, 1);
    EXPECT_EQ(input.up, 1);
    Stick(32767, 60000);  // the stick takes over the vertical axis ...
    EXPECT_EQ(input.up, 0);
    Stick(32767, 32767);  // ... and clears it when centred
    EXPECT_EQ(input.down, 0);
    EXPECT_EQ(input.left, 1);
}

TEST_F(InputStateTest, HeldButtonFiresEveryOtherPoll) {
    for (int poll = 0; poll < 4; ++poll) {
        Stick(32767, 32767, 1);
        EXPECT_EQ(input.fire, poll % 2 == 0 ? 1 : 0) << poll;
    }
}

TEST_F(InputStateTest, NoJoystickChangesNothing) {
    headless::SetJoystick(false);
    input.up = input.right = input.fire = 1;
    memory.joystickY = -1;
    memory.buttonLatch = 1;
    input.PollJoystick(memory);
    EXPECT_EQ(input.up + input.right + input.fire, 3);
    EXPECT_EQ(memory.joystickY, -1);
    EXPECT_EQ(memory.buttonLatch, 1);
}

TEST_F(InputStateTest, ClearKeepsHeldFlagsAndCentresTheCursor) {
    input.KeyDown(VK_RIGHT);
    input.KeyDown(VK_SPACE);
    input.lastCharacter = 'x';
    input.anyInput = input.escape = 1;
    SetCursorPos(10, 10);
    input.Clear();
    EXPECT_EQ(input.lastCharacter, 0);
    EXPECT_EQ(input.right + input.fire + input.anyInput + input.escape, 0);
    EXPECT_EQ(input.rightHeld, 1);
    EXPECT_EQ(input.fireHeld, 1);
    EXPECT_EQ(Cursor(), (platform::POINT{320, 240}));
    // Still held: a repeat does not bring the request back.
    input.KeyDown(VK_RIGHT);
    EXPECT_EQ(input.right, 0);
}

}  // namespace
