// The SDL backend under the dummy video driver: no screen, but the same code
// paths for the window, events and presenting.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/clock.h"
#include "platform/devices.h"
#include "platform/internal/hooks.h"
#include "platform/mmtimer.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "temp_folder.h"
#include "window_test_support.h"

using namespace platform;

namespace {

class SdlBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);  // a real driver when one is asked for
        setenv("TUNEWANDER_RUNTIME_DIR", runtime_.Path().c_str(), 1);
        Shutdown();
        PlatformOptions options;
        options.kind = BackendKind::Sdl;
        ASSERT_EQ(Startup(options), 1);
    }
    void TearDown() override {
        Shutdown();
        unsetenv("TUNEWANDER_RUNTIME_DIR");
    }
    static void PushKey(SDL_Keycode key, bool down, Uint16 mod = 0) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
    }
    static void PushText(const char* text) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        SDL_strlcpy(event.text.text, text, sizeof event.text.text);
        SDL_PushEvent(&event);
    }
    TempFolder runtime_;
};

}  // namespace

TEST_F(SdlBackendTest, StartsWithAWindowAndPresentsWhatItCaptures) {
    EXPECT_EQ(CurrentBackend(), BackendKind::Sdl);
    HWND window = MakeGameWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(internal::NativeWindow(), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    RECT client;
    ASSERT_EQ(GetClientRect(window, &client), 1);
    // The first window shows the 640 x 480 picture at a whole scale.
    EXPECT_EQ(client.right % 640, 0);
    EXPECT_EQ(client.right / 640, client.bottom / 480);

    std::vector<uint8_t> pixels(640 * 480, 3);
    PaletteEntry palette[256] = {};
    palette[3] = {9, 8, 7, 0};
    PresentIndexed(pixels.data(), 640, 480, 640, palette);
    PresentIndexed(pixels.data(), 640, 480, 640, palette);
    const Screenshot shot = CaptureScreen();
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    EXPECT_EQ(shot.rgb[0], 9);
    EXPECT_EQ(shot.rgb[3 * 640 * 480 - 1], 7);
    ToggleDesktopFullscreen();
    ToggleDesktopFullscreen();
    PresentIndexed(pixels.data(), 320, 240, 640, palette);  // another size makes a new texture
    EXPECT_EQ(CaptureScreen().width, 320);
}

TEST_F(SdlBackendTest, KeyAndTextEventsGiveOneCharacterEach) {
    MakeGameWindow();
    DrainMessages();
    SDL_StartTextInput();
    PushKey(SDLK_a, true);
    PushText("a");
    PushKey(SDLK_a, false);
    PushKey(SDLK_RETURN, true);
    PushKey(SDLK_RETURN, false);
    PushText("\xC3\xA9");  // é as Latin-1 0xE9
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const MSG& m : DrainMessages()) got.push_back({m.message, m.wParam});
    EXPECT_EQ(got, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, 'A'},
                                                         {WM_CHAR, 'a'},
                                                         {WM_KEYUP, 'A'},
                                                         {WM_KEYDOWN, VK_RETURN},
                                                         {WM_CHAR, '\r'},
                                                         {WM_KEYUP, VK_RETURN},
                                                         {WM_CHAR, 0xE9}}));
    // Without text input the key itself types its character, once.
    SDL_StopTextInput();
    PushKey(SDLK_b, true);
    PushKey(SDLK_b, false);
    got.clear();
    for (const MSG& m : DrainMessages()) got.push_back({m.message, m.wParam});
    EXPECT_EQ(got, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, 'B'}, {WM_CHAR, 'b'}, {WM_KEYUP, 'B'}}));
}

TEST_F(SdlBackendTest, AltCombinationsQuitAndJoystick) {
    MakeGameWindow();
    DrainMessages();
    PushKey(SDLK_LALT, true);
    PushKey(SDLK_TAB, true);
    PushKey(SDLK_TAB, false);
    PushKey(SDLK_LALT, false);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    std::vector<UINT> got;
    for (const MSG& m : DrainMessages()) got.push_back(m.message);
    EXPECT_EQ(got, (std::vector<UINT>{WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYUP, WM_CLOSE}));
    EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0);

    JOYINFOEX info;
    info.dwFlags = JOY_RETURNALL;
    if (SDL_NumJoysticks() == 0) {
        EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_UNPLUGGED);
    }
}

namespace {
std::atomic<int> g_ticks{0};
void Tick(UINT, UINT, uintptr_t, uintptr_t, uintptr_t) { ++g_ticks; }
}  // namespace

TEST_F(SdlBackendTest, WaitReturnsForDeadlinesAndTimerRunsOnItsThread) {
    MakeGameWindow();
    const uint32_t start = timeGetTime();
    const int source = internal::AddDeadlineSource([start] { return std::optional<uint32_t>(start + 5); });
    EXPECT_EQ(WaitMessage(), 1);
    internal::RemoveDeadlineSource(source);
    const UINT id = timeSetEvent(1, 1, Tick, 0, TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    const int ticks = g_ticks.load();
    EXPECT_EQ(g_ticks.load(), ticks);  // nothing runs after the kill returned
}

TEST_F(SdlBackendTest, APresentUploadsItsChangedRectangleToWhereItBelongs) {
    HWND window = MakeGameWindow();
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    RECT client;
    ASSERT_EQ(GetClientRect(window, &client), 1);
    const int scale = client.right / 640;
    ASSERT_GE(scale, 1);
    std::vector<uint8_t> pixels(640 * 480, 3);
    PaletteEntry palette[256] = {};
    palette[3] = {9, 8, 7, 0};
    palette[4] = {200, 100, 50, 0};
    PresentIndexed(pixels.data(), 640, 480, 640, palette);
    for (int x = 100; x < 105; ++x) pixels[20 * 640 + x] = 4;  // a short span in one row
    PresentIndexed(pixels.data(), 640, 480, 640, palette);

    SDL_Renderer* renderer = SDL_GetRenderer(internal::NativeWindow());
    ASSERT_NE(renderer, nullptr);
    std::vector<uint32_t> row(size_t(client.right));
    const SDL_Rect line{0, 20 * scale, client.right, 1};
    ASSERT_EQ(SDL_RenderReadPixels(renderer, &line, SDL_PIXELFORMAT_RGB888, row.data(), client.right * 4), 0);
    for (int x = 95; x < 110; ++x) {
        const uint32_t expected = x >= 100 && x < 105 ? 0xC86432u : 0x090807u;
        EXPECT_EQ(row[size_t(x * scale)] & 0xFFFFFFu, expected) << x;
    }
}
