#pragma once
// The process-wide values of a run: the main window, the loop's flags, the
// start-up movie sequence and the game object. One instance; RunGame resets it
// at the start of every run.
#include <memory>

#include "platform/win_types.h"
#include "shell/startup_prefs.h"
#include "world/input_state.h"

namespace shell {

class GameApp;
class MoviePlayer;
class PrefsFile;

// Movie phase: which start-up movie is playing.
constexpr int kNoMovie = 0;
constexpr int kLogoMovie = 1;
constexpr int kMainMovie = 2;

constexpr const char* kLogoMovieName = "Movie\\logo.avi";
constexpr const char* kMainMovieName = "Movie\\movie.avi";

struct AppState {
    AppState();
    ~AppState();

    platform::HWND mainWindow = nullptr;
    bool windowAlive = false;  // until WM_DESTROY reaches the window procedure
    int running = 1;  // the main loop runs while set
    int exitCode = 0;  // what the run ends with when the loop stops by the flag
    int active = 1;   // the game ticks only while the application is active
    int moviePhase = kNoMovie;
    std::unique_ptr<MoviePlayer> moviePlayer;
    std::unique_ptr<GameApp> game;
    std::unique_ptr<PrefsFile> prefs;  // kept for the run: texts point into it
    StartupPrefs startup;
    world::PollMemory poll;
};

AppState& App();
// Drops the game, the player and the preferences and starts afresh.
void ResetApp();

// The main window's procedure: messages go to the movie sequence until the
// game exists, to the game's handler afterwards, and always on to
// DefWindowProc.
platform::LRESULT WindowProc(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                             platform::LPARAM lParam);

}  // namespace shell
