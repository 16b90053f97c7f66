#pragma once
// Start and stop the platform layer. Exactly one backend runs per process:
// SDL2 (a real window, keyboard, mouse, joystick and sound) or headless (a
// manual clock, no window, scripted answers and fault injection for tests and
// the developer harness). Everything else in src/platform forwards to it.
#include <memory>
#include <string>

namespace platform {

enum class BackendKind { Sdl, Headless };

struct PlatformOptions {
    BackendKind kind = BackendKind::Sdl;
    // Headless only: milliseconds the manual clock moves on by itself every
    // time it is read, so that busy waits on the clock end (0 = stands still
    // until a test advances it). Harness and headless game runs use 1.
    unsigned headlessAutoAdvanceMs = 0;
    // The player's window settings (desktop_settings.h): read at start-up and
    // written at shut-down. Empty: nothing is read or written (tests).
    std::string settingsPath;
    // -1: full screen as remembered; 0: in a window; 1: full screen.
    int fullscreen = -1;
    // Every sound output stays silent (the game still keeps its time).
    bool noSound = false;
};

// Starts the backend. Returns 1, or 0 when it could not start (SDL failed to
// initialise its video driver); a failing audio device is not a failure.
int Startup(const PlatformOptions& options);
// Stops the backend and releases everything it holds. Safe to call twice.
void Shutdown();
bool IsStarted();
BackendKind CurrentBackend();

// RAII guard for tests: starts a headless platform, shuts it down on scope exit.
class ScopedHeadless {
public:
    explicit ScopedHeadless(unsigned autoAdvanceMs = 0);
    ~ScopedHeadless();
    ScopedHeadless(const ScopedHeadless&) = delete;
    ScopedHeadless& operator=(const ScopedHeadless&) = delete;
};

}  // namespace platform
