#pragma once
// The den as the game shows it after its set-up with two members joined
// (members 0 and 3, silent, so that they stand still and the picture does
// not depend on how the clock fell), played through the real game object on
// the manual clock. The golden-image test compares this
// picture with the stored one; `den_shot` writes it when the art changes on
// purpose.
#include <initializer_list>
#include <string>
#include <utility>

#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "screens/band_export.h"
#include "screens/den_screen.h"
#include "shell/app_state.h"
#include "shell/game_app.h"

namespace den_scene {

inline constexpr int kFrames = 60;        // 2.4 s: the fade-in is over
inline constexpr uint32_t kFrameMs = 40;

inline platform::LRESULT QuietWindow(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                                     platform::LPARAM lParam) {
    return platform::DefWindowProc(window, message, wParam, lParam);
}

// Runs the game into the den with the given band words (land index, value)
// for kFrames frames, then `more` (which may tick on), and takes the screen.
// Needs the headless platform running with the data folder current. Returns
// false with *error set when the game cannot start.
template <typename More>
inline bool DenWith(std::initializer_list<std::pair<int, int>> bandWords, More more, platform::Screenshot* shot,
                    std::string* error) {
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
            for (auto [land, value] : bandWords) game.Record(land).bandWord = value;
            game.requestedState = world::kStateDen;
            game.requestedLand = -1;
            for (int i = 0; i < kFrames; ++i) {
                platform::manual_clock::Advance(kFrameMs);
                game.Tick();
            }
            if (game.denScreen) more(game);
            *shot = platform::CaptureScreen();
            ok = game.denScreen != nullptr;
            if (!ok) *error = "the game did not open the den";
        }
    }
    platform::DestroyWindow(window);
    shell::ResetApp();
    return ok;
}

// Members 0 and 3 silent: the golden picture.
inline bool TwoMembersDen(platform::Screenshot* shot, std::string* error) {
    return DenWith({{world::kAussie, 6}, {world::kWetland, 6}}, [](shell::GameApp&) {}, shot, error);
}

// Members 0 and 3 playing parts 2 and 5, the band kept with key R: the den
// with its confirmation showing. The song goes into the music folder.
inline bool KeptSongDen(platform::Screenshot* shot, std::string* error) {
    return DenWith(
        {{world::kAussie, 2}, {world::kWetland, 5}},
        [](shell::GameApp& game) {
            game.input.lastCharacter = 'r';
            for (int i = 0; i < 300 && (i < 2 || game.denScreen->keeper->Rendering()); ++i) {
                platform::manual_clock::Advance(kFrameMs);
                game.Tick();
            }
            for (int i = 0; i < 3; ++i) {
                platform::manual_clock::Advance(kFrameMs);
                game.Tick();
            }
        },
        shot, error);
}

}  // namespace den_scene
