#include "shell/app_state.h"

#include "platform/messages.h"
#include "platform/system.h"
#include "shell/game_app.h"
#include "shell/movie_player.h"
#include "shell/prefs_file.h"

namespace shell {

namespace {

AppState& Instance() {
    static AppState state;
    return state;
}

// Escape, Space, Enter or a click ends the movie playing.
bool SkipsMovie(platform::UINT message, platform::WPARAM wParam) {
    if (message == platform::WM_LBUTTONDOWN) return true;
    if (message != platform::WM_KEYDOWN) return false;
    const int key = static_cast<int>(wParam);
    return key == platform::VK_ESCAPE || key == platform::VK_SPACE || key == platform::VK_RETURN;
}

// The player is moved on to the main movie when the logo ends; when the main
// movie ends the game starts.
void OnMovieEnded() {
    AppState& app = App();
    MoviePlayer& player = *app.moviePlayer;
    if (app.moviePhase == kLogoMovie) {
        player.Stop();
        player.Close();
        const int opened = OpenMovieOrAskForDisc(player, kMainMovieName, app.mainWindow,
                                                 app.startup.insertCdText.c_str(),
                                                 app.startup.insertCdTitle.c_str());
        if (opened != 1) {
            app.running = 0;
            if (opened < 0) app.exitCode = 1;
        }
        if (app.running) {
            app.moviePhase = kMainMovie;
            player.Play();
        }
        return;
    }
    player.Stop();
    player.Close();
    app.moviePlayer.reset();
    app.moviePhase = kNoMovie;

    platform::OutputDebugString("Start-up movies over; starting the game\n");
    platform::SetForegroundWindow(app.mainWindow);
    app.game = std::make_unique<GameApp>(app.mainWindow);
    // Init has said what went wrong in a box; the run ends as a failure.
    if (!app.game->Init()) {
        app.running = 0;
        app.exitCode = 1;
    }
}

}  // namespace

AppState::AppState() = default;
AppState::~AppState() = default;

AppState& App() {
    return Instance();
}

void ResetApp() {
    AppState& app = Instance();
    app.game.reset();
    app.moviePlayer.reset();
    app.prefs.reset();
    app.mainWindow = nullptr;
    app.windowAlive = false;
    app.running = 1;
    app.exitCode = 0;
    app.active = 1;
    app.moviePhase = kNoMovie;
    app.startup = StartupPrefs{};
    app.poll = world::PollMemory{};
}

platform::LRESULT WindowProc(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                             platform::LPARAM lParam) {
    AppState& app = App();
    if (message == platform::WM_DESTROY && window == app.mainWindow) app.windowAlive = false;

    if (app.game) {
        app.game->HandleMessage(window, message, wParam, lParam);
    } else if (message == platform::MM_MCINOTIFY && app.moviePlayer) {
        // Whatever the notification code, the movie is over.
        OnMovieEnded();
    } else if (app.moviePlayer && SkipsMovie(message, wParam)) {
        // The stopped play reports itself aborted, which moves on as an end.
        app.moviePlayer->Stop();
    } else if (message == platform::WM_DESTROY && app.running) {
        // Closing the window during the movies ends the program too, instead
        // of leaving the loop waiting without a window.
        platform::PostQuitMessage(0);
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

}  // namespace shell
