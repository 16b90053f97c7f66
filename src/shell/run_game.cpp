// Start-up, the main loop and the end of a run.
#include <cstdio>
#include <string>

#include "platform/clock.h"
#include "platform/devices.h"
#include "platform/dsound_card.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/system.h"
#include "shell/app_state.h"
#include "shell/entry.h"
#include "shell/frame_pacer.h"
#include "shell/game_app.h"
#include "shell/movie_player.h"
#include "shell/prefs_file.h"

namespace shell {

namespace {

constexpr const char* kWindowName = "Tunewander";  // class and title alike
constexpr int kIconResource = 102;

// Headless, WaitMessage returns 0 when nothing at all is scheduled (no
// script event, timer or movie frame). A few of those in a row, with the
// script over, and the run can never move on.
constexpr int kStuckWaitLimit = 3;

bool IsHeadless() {
    return platform::CurrentBackend() == platform::BackendKind::Headless;
}

platform::HWND OpenMainWindow() {
    platform::WNDCLASS windowClass;
    windowClass.style = platform::CS_HREDRAW | platform::CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.iconResource = kIconResource;
    windowClass.lpszMenuName = kWindowName;
    windowClass.lpszClassName = kWindowName;
    platform::RegisterClass(windowClass);
    // The display sizes the window later.
    platform::HWND window = platform::CreateWindowEx(0, kWindowName, kWindowName,
                                                     platform::WS_POPUP | platform::WS_SYSMENU,
                                                     0, 0, 0, 0);
    if (window) platform::ShowWindow(window, platform::SW_SHOWNORMAL);
    return window;
}

void ReadPreferences(AppState& app) {
    app.prefs = std::make_unique<PrefsFile>("prefs.ini");
    app.prefs->DumpAll();
    app.startup = ReadStartupPrefs(*app.prefs, app.mainWindow);
}

// Waits for the next message. Headless, returns false when the run is stuck.
class Waiter {
public:
    bool Wait() {
        const bool scheduled = platform::WaitMessage() != 0;
        if (!IsHeadless()) return true;
        const bool stuck = !scheduled && platform::headless::ScriptFinished();
        stuckWaits_ = stuck ? stuckWaits_ + 1 : 0;
        return stuckWaits_ < kStuckWaitLimit;
    }
    void MessageArrived() { stuckWaits_ = 0; }

private:
    int stuckWaits_ = 0;
};

int64_t NowMicros() {
    int64_t count = 0, frequency = 1;
    platform::QueryPerformanceCounter(&count);
    platform::QueryPerformanceFrequency(&frequency);
    return frequency > 0 ? count / frequency * 1000000 + count % frequency * 1000000 / frequency : 0;
}

// Runs until WM_QUIT (returns its exit code) or until the running flag is
// cleared (returns the run's exit code: 0, or 1 after a failed start). The game ticks only while active and idle; otherwise
// the loop sleeps in WaitMessage rather than spinning.
int MainLoop(const RunOptions& options) {
    AppState& app = App();
    Waiter waiter;
    FramePacer pacer;
    const uint32_t startedAt = platform::timeGetTime();
    while (app.running) {
        if (options.eachPass && IsHeadless()) options.eachPass();
        platform::MSG message;
        if (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            if (message.message == platform::WM_QUIT) return static_cast<int>(message.wParam);
            platform::TranslateMessage(&message);
            platform::DispatchMessage(&message);
            waiter.MessageArrived();
            continue;
        }
        // Headless, reading the clock here is also what moves it on (by the
        // auto-advance) while the game itself does not look at the time.
        if (IsHeadless()) {
            const uint32_t elapsed = platform::timeGetTime() - startedAt;
            if (options.maxVirtualMs != 0 && elapsed >= options.maxVirtualMs) {
                std::fprintf(stderr, "tunewander: stopped at the time limit of %u ms\n",
                             static_cast<unsigned>(options.maxVirtualMs));
                return 1;
            }
        }
        if (app.active && app.moviePhase == kNoMovie && app.game) {
            // On a desktop the loop sleeps until the next frame is due (or a
            // message comes); headless runs tick as before, on the manual clock.
            if (!IsHeadless()) {
                const int64_t wait = pacer.UntilDue(NowMicros());
                if (wait > 0) {
                    platform::MsgWaitForMultipleObjects(0, nullptr, 0, platform::DWORD((wait + 999) / 1000),
                                                        platform::QS_ALLINPUT);
                    continue;
                }
                pacer.FrameStarted(NowMicros());
            }
            app.game->Tick();
            continue;
        }
        if (!waiter.Wait()) {
            std::fprintf(stderr,
                         "tunewander: the input script is over and nothing else is due "
                         "(no message, movie frame or timer); stopping the headless run\n");
            return 1;
        }
    }
    return app.exitCode;
}

void EndRun() {
    AppState& app = App();
    app.running = 0;
    if (app.game) {
        app.game->Destroy();
        app.game.reset();
    }
    app.moviePlayer.reset();
    platform::sound_card::UseOutputStage(false);
    if (app.windowAlive) platform::DestroyWindow(app.mainWindow);
    // Nothing of this run may reach a later one in the same process.
    platform::MSG leftover;
    while (platform::PeekMessage(&leftover, nullptr, 0, 0, platform::PM_REMOVE)) {
    }
}

int RunStartedGame(const RunOptions& options) {
    ResetApp();
    AppState& app = App();

    if (platform::HWND other = platform::FindWindow(kWindowName, kWindowName)) {
        platform::SetForegroundWindow(other);
        return 0;
    }
    platform::ShowGameCursor(false);
    app.mainWindow = OpenMainWindow();
    if (!app.mainWindow) return 0;
    app.windowAlive = true;

    ReadPreferences(app);

    // Everything the game sounds, movies included, goes through its output
    // stage from here on.
    platform::sound_card::UseOutputStage(true);
    app.moviePlayer = std::make_unique<MoviePlayer>(app.mainWindow);
    const int opened = OpenMovieOrAskForDisc(*app.moviePlayer, kLogoMovieName, app.mainWindow,
                                             app.startup.insertCdText.c_str(),
                                             app.startup.insertCdTitle.c_str());
    if (opened != 1) {
        EndRun();
        return opened < 0 ? 1 : 0;  // Cancel is the player's choice; a damaged movie a failure
    }
    app.moviePhase = kLogoMovie;
    app.moviePlayer->Play();

    platform::SetPriorityClass(platform::HIGH_PRIORITY_CLASS);
    platform::SetThreadPriority(platform::THREAD_PRIORITY_NORMAL);

    const int exitCode = MainLoop(options);
    EndRun();
    return exitCode;
}

// Headless runs have nobody to read a box or insert a disc: each box is
// written to standard error, and OK/Cancel boxes are cancelled.
int AnswerUnattended(const platform::headless::MessageBoxRecord& box) {
    const bool okCancel = (box.flags & 0xF) == platform::MB_OKCANCEL;
    std::string text = box.text;
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::fprintf(stderr, "tunewander: message box \"%s\": %s -> %s\n", box.caption.c_str(),
                 text.c_str(), okCancel ? "Cancel" : "OK");
    return okCancel ? platform::IDCANCEL : platform::IDOK;
}

}  // namespace

int RunGame(const RunOptions& options) {
    const bool ownPlatform = !platform::IsStarted();
    if (ownPlatform) {
        platform::PlatformOptions platformOptions;
        platformOptions.settingsPath = options.settingsPath;
        platformOptions.fullscreen = options.fullscreen;
        platformOptions.noSound = options.noSound;
        if (options.headless) {
            platformOptions.kind = platform::BackendKind::Headless;
            platformOptions.headlessAutoAdvanceMs = 1;  // busy waits on the clock must end
        }
        if (!platform::Startup(platformOptions)) {
            std::fprintf(stderr, "tunewander: the platform could not start\n");
            return 1;
        }
        if (IsHeadless()) {
            platform::headless::SetMessageBoxResponder(AnswerUnattended);
        }
    }

    int exitCode = 1;
    std::string error;
    if (IsHeadless() && !options.scriptPath.empty() &&
        !platform::headless::LoadScriptFile(options.scriptPath, &error)) {
        std::fprintf(stderr, "tunewander: cannot use the input script %s: %s\n",
                     options.scriptPath.c_str(), error.c_str());
    } else {
        exitCode = RunStartedGame(options);
    }

    if (options.onFinish) options.onFinish();
    if (ownPlatform) platform::Shutdown();
    return exitCode;
}

}  // namespace shell
