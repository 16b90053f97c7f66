#pragma once
// The program's entry point, shared by the game executable and the developer
// harness.
#include <string>

namespace shell {

struct RunOptions {
    bool headless = false;   // headless platform: manual clock, no window
    std::string scriptPath;  // headless: timed input script (platform/headless.h)
};

// Refuses a second copy, opens the window, reads "prefs.ini", plays the
// start-up movies and runs the main loop until the game ends. Returns the
// process exit code.
int RunGame(const RunOptions& options);

}  // namespace shell
