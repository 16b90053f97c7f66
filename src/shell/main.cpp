// Tunewander. Runs in the current directory, which holds the game's data.
// TUNEWANDER_HEADLESS=1 runs without a window on a manual clock, driven by the
// input script named in TUNEWANDER_SCRIPT (see platform/headless.h).
#include <cstdlib>
#include <cstring>

#include "shell/entry.h"

int main() {
    shell::RunOptions options;
    const char* headless = std::getenv("TUNEWANDER_HEADLESS");
    options.headless = headless && std::strcmp(headless, "1") == 0;
    if (const char* script = std::getenv("TUNEWANDER_SCRIPT")) options.scriptPath = script;
    return shell::RunGame(options);
}
