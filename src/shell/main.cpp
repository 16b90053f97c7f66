// Tunewander. `tunewander --help` lists the options; the game's data comes
// from --data DIR, the working directory or the installed share folder.
// TUNEWANDER_HEADLESS=1 runs without a window on a manual clock, driven by the
// input script named in TUNEWANDER_SCRIPT (see platform/headless.h).
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "shell/command_line.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    std::error_code ec;
    std::string program = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec && argc > 0) program = argv[0];
    return shell::RunFromCommandLine(arguments, program);
}
