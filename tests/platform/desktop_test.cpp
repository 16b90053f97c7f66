// The desktop side of the window: where the picture goes, the window's own
// keys and remembered settings, the pointer's gate and the game controller.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/desktop_settings.h"
#include "platform/devices.h"
#include "platform/headless.h"
#include "platform/internal/picture_rect.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "temp_folder.h"
#include "window_test_support.h"

using namespace platform;
using internal::FitPicture;
using internal::PictureRect;

TEST(PictureRect, LargestFourByThreeThatFitsCentred) {
    EXPECT_EQ(FitPicture(640, 480, 640, 480, false), (PictureRect{0, 0, 640, 480}));
    EXPECT_EQ(FitPicture(800, 600, 640, 480, false), (PictureRect{0, 0, 800, 600}));
    EXPECT_EQ(FitPicture(1200, 900, 640, 480, false), (PictureRect{0, 0, 1200, 900}));
    EXPECT_EQ(FitPicture(1920, 1080, 640, 480, false), (PictureRect{240, 0, 1440, 1080}));
    EXPECT_EQ(FitPicture(1000, 1000, 640, 480, false), (PictureRect{0, 125, 1000, 750}));
    // Smaller than the picture: shrunk at its shape.
    EXPECT_EQ(FitPicture(320, 400, 640, 480, false), (PictureRect{0, 80, 320, 240}));
    EXPECT_EQ(FitPicture(0, 480, 640, 480, false), (PictureRect{}));
}

TEST(PictureRect, WholeStepsKeepTheLargestMultiple) {
    EXPECT_EQ(FitPicture(1200, 900, 640, 480, true), (PictureRect{280, 210, 640, 480}));
    EXPECT_EQ(FitPicture(1920, 1080, 640, 480, true), (PictureRect{320, 60, 1280, 960}));
    EXPECT_EQ(FitPicture(1280, 960, 640, 480, true), (PictureRect{0, 0, 1280, 960}));
    EXPECT_EQ(FitPicture(600, 450, 640, 480, true), (PictureRect{0, 0, 600, 450}));  // none fits: shrink
}

TEST(PictureRect, PreScaleReachesTheRectangleWithTheSmallestWholeFactor) {
    EXPECT_EQ(internal::PreScaleFactor({0, 0, 1200, 900}, 640, 480, 6), 2);
    EXPECT_EQ(internal::PreScaleFactor({240, 0, 1440, 1080}, 640, 480, 6), 3);
    EXPECT_EQ(internal::PreScaleFactor({0, 0, 1280, 960}, 640, 480, 6), 2);
    EXPECT_EQ(internal::PreScaleFactor({0, 0, 7680, 5760}, 640, 480, 6), 6);  // capped
    EXPECT_EQ(internal::PreScaleFactor({0, 0, 320, 240}, 640, 480, 6), 1);
}

TEST(DesktopSettings, FileRoundTripsAndSkipsWhatItCannotUse) {
    DesktopSettings s;
    s.windowWidth = 1200;
    s.windowHeight = 900;
    s.fullscreen = true;
    s.wholeSteps = true;
    s.volumes = {0, -1, 65535};
    EXPECT_EQ(ParseDesktopSettings(FormatDesktopSettings(s)), s);
    const DesktopSettings bad = ParseDesktopSettings(
        "window_width=99999\nwindow_height=900\nfullscreen=perhaps\nwhole_steps = 1\nnoise\n"
        "master_volume=65536\nwave_volume=-1\ncd_volume= 4000 \n");
    EXPECT_EQ(bad.windowWidth, 0);
    EXPECT_EQ(bad.windowHeight, 0);
    EXPECT_FALSE(bad.fullscreen);
    EXPECT_TRUE(bad.wholeSteps);
    EXPECT_EQ(bad.volumes, (std::array<int, 3>{-1, -1, 4000}));

    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(DesktopSettingsPath(), "/cfg/tunewander/settings.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // ignored, as relative XDG values must be
    setenv("HOME", "/home/pup", 1);
    EXPECT_EQ(SettingsFolder(), "/home/pup/.config/tunewander");
    unsetenv("XDG_CONFIG_HOME");
}

TEST(DesktopSettings, ReadAtStartUpOverriddenByTheCommandLineWrittenAtShutDown) {
    TempFolder folder;
    const std::string path = folder.Make("cfg/settings.ini", "window_width=800\nwindow_height=600\nfullscreen=1\n");
    Shutdown();
    PlatformOptions options;
    options.kind = BackendKind::Headless;
    options.settingsPath = path;
    options.fullscreen = 0;  // --window
    ASSERT_EQ(Startup(options), 1);
    EXPECT_EQ(CurrentDesktopSettings().windowWidth, 800);
    EXPECT_FALSE(CurrentDesktopSettings().fullscreen);
    MakeGameWindow();
    headless::KeyDown(VK_F11);  // full screen again, and remembered
    headless::KeyUp(VK_F11);
    Shutdown();
    DesktopSettings saved;
    ASSERT_EQ(LoadDesktopSettings(path, &saved), 1);
    EXPECT_TRUE(saved.fullscreen);
    EXPECT_EQ(saved.windowWidth, 800);
}

TEST(DesktopKeys, ToggleTheWindowAndNeverReachTheGame) {
    ScopedHeadless headless;
    MakeGameWindow();
    headless::KeyDown(VK_F11);
    EXPECT_TRUE(CurrentDesktopSettings().fullscreen);
    headless::KeyDown(VK_F11);  // held: an auto-repeat changes nothing
    EXPECT_TRUE(CurrentDesktopSettings().fullscreen);
    headless::KeyUp(VK_F11);
    headless::KeyDown(VK_MENU);
    headless::KeyDown(VK_RETURN);
    EXPECT_FALSE(CurrentDesktopSettings().fullscreen);
    headless::KeyUp(VK_RETURN);
    headless::KeyUp(VK_MENU);
    headless::KeyDown(VK_F9);
    EXPECT_TRUE(CurrentDesktopSettings().wholeSteps);
    headless::KeyUp(VK_F9);
    for (const MSG& m : DrainMessages()) {
        EXPECT_FALSE((m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) &&
                     (m.wParam == VK_F11 || m.wParam == VK_F9 || m.wParam == VK_RETURN))
            << m.message << " " << m.wParam;
        EXPECT_NE(m.message, WM_CHAR);
    }
}

namespace {
POINT Cursor() {
    POINT p;
    GetCursorPos(&p);
    return p;
}
void ControlG() {
    headless::KeyDown(VK_CONTROL);
    headless::KeyDown('G');
    headless::KeyUp('G');
    headless::KeyUp(VK_CONTROL);
}
}  // namespace

TEST(Pointer, SteersOnlyWhileFocusedAndInside) {
    ScopedHeadless headless;
    HWND window = MakeGameWindow();
    headless::MouseMove(-100, 0);  // the window has not got the focus yet
    EXPECT_EQ(Cursor(), (POINT{320, 240}));
    ShowWindow(window, SW_SHOWNORMAL);
    headless::MouseMove(-100, 0);
    EXPECT_EQ(Cursor(), (POINT{220, 240}));
    headless::SetPointerInside(false);  // leaving lets go: back to the neutral centre
    EXPECT_EQ(Cursor(), (POINT{320, 240}));
    headless::MouseMove(0, 100);
    EXPECT_EQ(Cursor(), (POINT{320, 240}));
    headless::SetPointerInside(true);
    headless::MouseMove(0, 100);
    EXPECT_EQ(Cursor(), (POINT{320, 340}));
    headless::SetFocus(false);
    EXPECT_EQ(Cursor(), (POINT{320, 240}));
    headless::MouseMove(50, 50);
    EXPECT_EQ(Cursor(), (POINT{320, 240}));
    EXPECT_FALSE(PointerCaptured());  // a keyboard player never has the pointer taken
}

TEST(Pointer, ControlGCapturesOnlyWhileFocused) {
    ScopedHeadless headless;
    HWND window = MakeGameWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    ControlG();
    EXPECT_TRUE(PointerCaptured());
    headless::SetPointerInside(false);  // captured, the pointer cannot leave
    headless::MouseMove(-30, 0);
    EXPECT_EQ(Cursor(), (POINT{290, 240}));
    headless::SetFocus(false);  // losing the focus releases it
    EXPECT_FALSE(PointerCaptured());
    EXPECT_EQ(Cursor(), (POINT{320, 240}));
    headless::SetFocus(true);  // and it comes back with the focus
    EXPECT_TRUE(PointerCaptured());
    ControlG();
    EXPECT_FALSE(PointerCaptured());
    for (const MSG& m : DrainMessages()) EXPECT_FALSE(m.message == WM_KEYDOWN && m.wParam == 'G');
}

TEST(Pad, StickDpadSouthButtonAndStartAsEscape) {
    ScopedHeadless headless;
    MakeGameWindow();
    JOYINFOEX info;
    info.dwFlags = JOY_RETURNALL | JOY_USEDEADZONE;
    headless::PadStick(-32768, 0);  // nothing plugged in yet
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_UNPLUGGED);

    headless::SetPad(true);
    headless::PadStick(-32768, 1000);
    ASSERT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.dwXpos, 0u);
    EXPECT_EQ(info.dwYpos, 32767u);  // inside the dead zone
    headless::PadStick(0, 0);
    headless::PadButtonEvent(PadButton::DpadDown, true);
    headless::PadButtonEvent(PadButton::East, true);  // not fire
    joyGetPosEx(JOYSTICKID1, &info);
    EXPECT_EQ(info.dwYpos, 65535u);
    EXPECT_EQ(info.dwButtons, 0u);
    headless::PadButtonEvent(PadButton::South, true);
    joyGetPosEx(JOYSTICKID1, &info);
    EXPECT_EQ(info.dwButtons, 1u);

    DrainMessages();
    headless::PadButtonEvent(PadButton::Start, true);
    headless::PadButtonEvent(PadButton::Start, true);  // no second press while held
    headless::SetPad(false);                          // pulled out while held: Escape comes up
    using Pairs = std::vector<std::pair<UINT, WPARAM>>;
    Pairs got;
    for (const MSG& m : DrainMessages()) got.push_back({m.message, m.wParam});
    EXPECT_EQ(got, (Pairs{{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 0x1B}, {WM_KEYUP, VK_ESCAPE}}));
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_UNPLUGGED);
}
