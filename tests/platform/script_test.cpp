#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/devices.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "temp_folder.h"
#include "window_test_support.h"

using namespace platform;

TEST(Script, ErrorsNameTheLine) {
    ScopedHeadless headless;
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"wait 10\n\nkey banana\n", "line 3: unknown key 'banana'"},
        {"# fine\nwait -5\n", "line 2: wait needs milliseconds"},
        {"jump 3\n", "line 1: unknown command 'jump'"},
        {"key a\nmouse 1\n", "line 2: mouse needs <dx> <dy>"},
        {"joystick 70000 0 0\n", "line 1: joystick needs"},
        {"focus 2\n", "line 1: focus needs 0 or 1"},
        {"click now\n", "line 1: click takes no arguments"},
        {"screenshot\n", "line 1: screenshot needs one file name"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(headless::LoadScript(c.text, &error), 0) << c.text;
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << error;
    }
    std::string error;
    EXPECT_EQ(headless::LoadScriptFile("/nonexistent/script.txt", &error), 0);
    EXPECT_NE(error.find("/nonexistent/script.txt"), std::string::npos);
}

TEST(Script, EventsHappenAtTheirVirtualTimes) {
    ScopedHeadless headless;
    MakeGameWindow();
    headless::SetFocus(true);  // the mouse steers only a focused window
    DrainMessages();
    manual_clock::Set(5000);
    std::string error;
    ASSERT_EQ(headless::LoadScript("key left   # press and release\n"
                                   "wait 100\n"
                                   "char #\n"
                                   "mouse -10 20\n"
                                   "wait 50\n"
                                   "joystick 0 65535 3\n"
                                   "click\n"
                                   "focus 0\n"
                                   "focus 1\n"
                                   "close\n",
                                   &error),
              1)
        << error;
    auto messages = DrainMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_EQ(messages[1].message, WM_KEYUP);
    EXPECT_FALSE(headless::ScriptFinished());

    manual_clock::Advance(99);
    EXPECT_TRUE(DrainMessages().empty());
    manual_clock::Advance(1);
    messages = DrainMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_CHAR);
    EXPECT_EQ(messages[0].wParam, WPARAM('#'));
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{310, 260}));

    manual_clock::Advance(50);
    messages = DrainMessages();
    std::vector<UINT> kinds;
    for (const MSG& m : messages) kinds.push_back(m.message);
    EXPECT_EQ(kinds, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_ACTIVATEAPP, WM_ACTIVATEAPP, WM_CLOSE}));
    JOYINFOEX info;
    ASSERT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.dwYpos, 65535u);
    EXPECT_EQ(info.dwButtons, 3u);
    EXPECT_TRUE(headless::ScriptFinished());
}

TEST(Script, ScreenshotWritesThePresentedPicture) {
    ScopedHeadless headless;
    TempFolder folder;
    const std::string path = folder.Path() + "/shot.png";
    std::string error;
    ASSERT_EQ(headless::LoadScript("wait 10\nscreenshot " + path + "\n", &error), 1) << error;
    PaletteEntry palette[256] = {};
    palette[7] = {10, 20, 30, 0};
    const uint8_t pixels[4] = {7, 7, 7, 7};
    PresentIndexed(pixels, 2, 2, 2, palette);
    manual_clock::Advance(10);
    DrainMessages();
    Screenshot shot;
    ASSERT_EQ(ReadPng(path, &shot), 1);
    EXPECT_EQ(shot.width, 2);
    EXPECT_EQ(shot.rgb, (std::vector<uint8_t>{10, 20, 30, 10, 20, 30, 10, 20, 30, 10, 20, 30}));
}

TEST(Script, ControlsDoNothingWithoutTheHeadlessBackend) {
    std::string error;
    EXPECT_EQ(headless::LoadScript("wait 1\n", &error), 0);
    EXPECT_TRUE(headless::MessageBoxLog().empty());
    headless::KeyDown('A');  // must not crash
    EXPECT_EQ(headless::ForegroundRequests(), 0);
}
