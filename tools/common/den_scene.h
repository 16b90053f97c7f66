#pragma once
// The den as the game shows it after its set-up with two members joined
// (members 0 and 3, silent, so that they stand still and the picture does
// not depend on how the clock fell), played through the real game object on
// the manual clock. The golden-image test compares this
// picture with the stored one; `den_shot` writes it when the art changes on
// purpose.
#include <string>

#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "shell/app_state.h"
#include "shell/game_app.h"

namespace den_scene {

inline constexpr int kFrames = 60;        // 2.4 s: the fade-in is over
inline constexpr uint32_t kFrameMs = 40;

inline platform::LRESULT QuietWindow(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                                     platform::LPARAM lParam) {
    return platform::DefWindowProc(window, message, wParam, lParam);
}

// Needs the headless platform running with the data folder current. Returns
// false with *error set when the game cannot start.
inline bool TwoMembersDen(platform::Screenshot* shot, std::string* error) {
    shell::ResetApp();
    platform::WNDCLASS cls;
    cls.lpfnWndProc = QuietWindow;
    cls.lpszClassName = "Tunewander";
    platform::RegisterClass(cls);
    platform::HWND window = platform::CreateWindowEx(0, "Tunewander", "Tunewander",
                                                     platform::WS_POPUP | platform::WS_SYSMENU, 0, 0, 640, 480);
    bool ok = false;
    {
        shell::GameApp game(window);
        if (!game.Init()) {
            *error = "the game could not start (display or sound)";
        } else {
            platform::srand(5);
            game.Record(world::kAussie).bandWord = 6;    // member 0
            game.Record(world::kWetland).bandWord = 6;   // member 3
            game.requestedState = world::kStateDen;
            game.requestedLand = -1;
            for (int i = 0; i < kFrames; ++i) {
                platform::manual_clock::Advance(kFrameMs);
                game.Tick();
            }
            *shot = platform::CaptureScreen();
            ok = game.denScreen != nullptr;
            if (!ok) *error = "the game did not open the den";
        }
    }
    platform::DestroyWindow(window);
    shell::ResetApp();
    return ok;
}

}  // namespace den_scene
