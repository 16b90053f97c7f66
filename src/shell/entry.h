#pragma once
// The program's entry point, shared by the game executable and the developer
// harness.
#include <cstdint>
#include <functional>
#include <string>

namespace shell {

struct RunOptions {
    bool headless = false;   // headless platform: manual clock, no window
    std::string scriptPath;  // headless: timed input script (platform/headless.h)
    // The player's window settings file (empty: none read or written), the
    // command line's full-screen choice (-1 as remembered) and --no-sound.
    std::string settingsPath;
    int fullscreen = -1;
    bool noSound = false;
    // Headless: stop with exit code 1 once the main loop has run this many
    // virtual milliseconds (0 = no limit), so a scripted run cannot run forever.
    uint32_t maxVirtualMs = 0;
    // Called when the run is over, while the platform still runs (the
    // harness reads the clock and the message boxes here).
    std::function<void()> onFinish;
    // Headless: called at the start of every pass of the main loop, before
    // the game ticks or the loop waits (tests play whole games through it).
    std::function<void()> eachPass;
};

// Refuses a second copy, opens the window, reads "prefs.ini", plays the
// start-up movies and runs the main loop until the game ends. Returns the
// process exit code. When the platform is already started (tests), the run
// uses it as it is and leaves it running; otherwise it starts the backend the
// options ask for and stops it at the end. A headless run that started its own
// platform answers Cancel to OK/Cancel boxes: nobody can insert a disc.
int RunGame(const RunOptions& options);

}  // namespace shell
