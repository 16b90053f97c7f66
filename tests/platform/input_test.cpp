#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/devices.h"
#include "platform/headless.h"
#include "platform/internal/hooks.h"
#include "platform/platform.h"
#include "window_test_support.h"

using namespace platform;

namespace {
std::vector<std::pair<UINT, WPARAM>> Summary(const std::vector<MSG>& messages) {
    std::vector<std::pair<UINT, WPARAM>> out;
    for (const MSG& m : messages) out.push_back({m.message, m.wParam});
    return out;
}
using Pairs = std::vector<std::pair<UINT, WPARAM>>;
}  // namespace

TEST(Input, KeysBecomeKeyMessagesAndPrintableKeysOneCharacter) {
    ScopedHeadless headless;
    MakeGameWindow();
    headless::KeyDown(VK_LEFT);
    headless::KeyUp(VK_LEFT);
    headless::KeyDown('A');
    headless::KeyUp('A');
    headless::KeyDown(VK_SHIFT);
    headless::KeyDown('B');
    headless::KeyUp('B');
    headless::KeyUp(VK_SHIFT);
    headless::KeyDown(VK_RETURN);
    headless::TypeCharacter('!');
    EXPECT_EQ(Summary(DrainMessages()), (Pairs{{WM_KEYDOWN, VK_LEFT},
                                               {WM_KEYUP, VK_LEFT},
                                               {WM_KEYDOWN, 'A'},
                                               {WM_CHAR, 'a'},
                                               {WM_KEYUP, 'A'},
                                               {WM_KEYDOWN, VK_SHIFT},
                                               {WM_KEYDOWN, 'B'},
                                               {WM_CHAR, 'B'},
                                               {WM_KEYUP, 'B'},
                                               {WM_KEYUP, VK_SHIFT},
                                               {WM_KEYDOWN, VK_RETURN},
                                               {WM_CHAR, '\r'},
                                               {WM_CHAR, '!'}}));
    EXPECT_LT(GetAsyncKeyState(VK_RETURN), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT), 0);
    EXPECT_EQ(GetAsyncKeyState(9999), 0);
}

TEST(Input, AltCombinationsAreSystemKeys) {
    ScopedHeadless headless;
    MakeGameWindow();
    headless::KeyDown(VK_MENU);
    headless::KeyDown(VK_TAB);  // (Alt+Enter is the window's own: full screen)
    headless::KeyUp(VK_TAB);
    headless::KeyDown('X');
    headless::KeyUp('X');
    headless::KeyUp(VK_MENU);
    const auto messages = DrainMessages();
    EXPECT_EQ(Summary(messages), (Pairs{{WM_KEYDOWN, VK_MENU},
                                        {WM_SYSKEYDOWN, VK_TAB},
                                        {WM_SYSKEYUP, VK_TAB},
                                        {WM_SYSKEYDOWN, 'X'},
                                        {WM_SYSKEYUP, 'X'},
                                        {WM_KEYUP, VK_MENU}}));
    // The context bit marks Alt; the transition bit marks releases.
    EXPECT_NE(messages[2].lParam & (1 << 29), 0);
    EXPECT_LT(int32_t(messages[2].lParam), 0);
}

TEST(Input, GameCursorIsClampedToTheScreen) {
    ScopedHeadless headless;
    ShowWindow(MakeGameWindow(), SW_SHOWNORMAL);  // the pointer steers only a focused window
    DrainMessages();
    POINT p;
    ASSERT_EQ(GetCursorPos(&p), 1);
    EXPECT_EQ(p, (POINT{320, 240}));
    headless::MouseMove(-66, 10);
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{254, 250}));
    headless::MouseMove(-5000, 5000);
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{0, 479}));
    SetCursorPos(700, -3);
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{639, 0}));
    SetCursorPos(250, 170);
    headless::MouseButton(true);
    headless::MouseButton(false);
    const auto messages = DrainMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(messages[0].lParam, LPARAM(250 | (170 << 16)));
    EXPECT_EQ(messages[1].message, WM_LBUTTONUP);
}

TEST(Input, FocusChangesTellListenersThenTheWindow) {
    ScopedHeadless headless;
    HWND window = MakeGameWindow();
    std::vector<std::pair<bool, bool>> heard;
    internal::AddActivationListener([&](bool active, bool minimized) { heard.push_back({active, minimized}); });
    ShowWindow(window, SW_SHOWNORMAL);  // a new window takes the focus
    headless::SetFocus(true);           // no change, no message
    headless::KeyDown(VK_UP);
    headless::SetFocus(false);
    EXPECT_EQ(GetAsyncKeyState(VK_UP), 0);  // keys are not held across a focus loss
    EXPECT_EQ(Summary(DrainMessages()), (Pairs{{WM_ACTIVATEAPP, 1}, {WM_KEYDOWN, VK_UP}, {WM_ACTIVATEAPP, 0}}));
    EXPECT_EQ(heard, (std::vector<std::pair<bool, bool>>{{true, false}, {false, false}}));
}

TEST(Joystick, AbsentThenPresentWithDeadZone) {
    ScopedHeadless headless;
    JOYINFOEX info;
    info.dwFlags = JOY_RETURNALL | JOY_USEDEADZONE;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_UNPLUGGED);
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, nullptr), JOYERR_PARMS);

    headless::SetJoystick(true, 33000, 15999, 0x5);
    ASSERT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.dwXpos, 32767u);  // inside the dead zone
    EXPECT_EQ(info.dwYpos, 15999u);
    EXPECT_EQ(info.dwButtons, 0x5u);
    EXPECT_EQ(info.dwButtonNumber, 2u);
    info.dwFlags = JOY_RETURNALL;
    ASSERT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.dwXpos, 33000u);
    EXPECT_EQ(joyGetPosEx(1, &info), JOYERR_UNPLUGGED);
    info.dwSize = 12;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_PARMS);

    headless::SetJoystick(false);
    info.dwSize = sizeof info;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_UNPLUGGED);
}

TEST(Input, KeyPollingInABusyWaitSeesScriptedKeys) {
    ScopedHeadless headless(1);
    MakeGameWindow();
    std::string error;
    ASSERT_EQ(headless::LoadScript("wait 500\nkeydown space\n", &error), 1) << error;
    // The splash's wait: up to three seconds, or until space is down.
    const uint32_t start = timeGetTime();
    while (timeGetTime() - start < 3000 && GetAsyncKeyState(VK_SPACE) >= 0) {
    }
    const uint32_t waited = timeGetTime() - start;
    EXPECT_GE(waited, 500u);
    EXPECT_LT(waited, 510u);
    // The key's messages wait in the queue as they would have anyway.
    const auto messages = DrainMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_EQ(messages[0].wParam, WPARAM(VK_SPACE));
}
