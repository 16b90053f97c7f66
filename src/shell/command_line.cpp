#include "shell/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "shell/entry.h"

#ifndef TW_VERSION
#define TW_VERSION "0"
#endif

namespace shell {

namespace {

constexpr const char* kDataMarker = "prefs.ini";

bool HoldsData(const std::filesystem::path& folder) {
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_regular_file(folder / kDataMarker, ec);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") line.help = true;
        else if (a == "--version") line.version = true;
        else if (a == "--fullscreen") line.fullscreen = 1;
        else if (a == "--window") line.fullscreen = 0;
        else if (a == "--no-sound") line.noSound = true;
        else if (a == "--data" && i + 1 < arguments.size() && !arguments[i + 1].empty()) line.dataFolder = arguments[++i];
        else if (a.rfind("--data=", 0) == 0 && a.size() > 7) line.dataFolder = a.substr(7);
        else if (a == "--data") line.error = "--data needs a folder";
        else line.error = "unknown option: " + a;
    }
    return line;
}

std::string HelpText() {
    return "Usage: tunewander [OPTION]...\n"
           "A children's music adventure: a dog explores six lands and mixes their songs.\n"
           "\n"
           "  --data DIR     the game's data folder (default: the working directory when it\n"
           "                 holds prefs.ini, else the installed share/tunewander)\n"
           "  --fullscreen   start full screen (remembered)\n"
           "  --window       start in a window (remembered)\n"
           "  --no-sound     play without sound\n"
           "  --version      print the version and exit\n"
           "  --help         print this help and exit\n"
           "\n"
           "In the game: F11 or Alt+Enter full screen, F9 whole-step scaling,\n"
           "Ctrl+G captures or releases the mouse pointer.\n"
           "Settings: $XDG_CONFIG_HOME/tunewander/settings.ini; saved games:\n"
           "$XDG_DATA_HOME/tunewander/saved.gam.\n";
}

std::string VersionText() { return std::string("tunewander ") + TW_VERSION + "\n"; }

std::string FindDataFolder(const std::string& given, const std::string& programPath) {
    std::error_code ec;
    if (!given.empty()) {
        const std::filesystem::path folder = std::filesystem::absolute(given, ec);
        return HoldsData(folder) ? folder.lexically_normal().string() : std::string();
    }
    const std::filesystem::path here = std::filesystem::current_path(ec);
    if (!ec && HoldsData(here)) return here.string();
    if (programPath.empty()) return std::string();
    const std::filesystem::path program = std::filesystem::weakly_canonical(programPath, ec);
    if (ec) return std::string();
    const std::filesystem::path installed = program.parent_path() / ".." / "share" / "tunewander";
    return HoldsData(installed) ? installed.lexically_normal().string() : std::string();
}

int RunFromCommandLine(const std::vector<std::string>& arguments, const std::string& programPath) {
    const CommandLine line =
        ParseCommandLine(std::vector<std::string>(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end()));
    if (!line.error.empty()) {
        std::fprintf(stderr, "tunewander: %s\n\n%s", line.error.c_str(), HelpText().c_str());
        return 2;
    }
    if (line.help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    }
    const std::string data = FindDataFolder(line.dataFolder, programPath);
    if (data.empty()) {
        if (!line.dataFolder.empty()) {
            std::fprintf(stderr, "tunewander: %s holds no game data (no %s)\n", line.dataFolder.c_str(), kDataMarker);
        } else {
            std::fprintf(stderr,
                         "tunewander: the game's data was not found: neither the working directory nor the "
                         "installed share/tunewander holds %s; name the folder with --data DIR\n",
                         kDataMarker);
        }
        return 1;
    }
    if (!platform::SetCurrentDirectory(data.c_str())) {
        std::fprintf(stderr, "tunewander: cannot enter the data folder %s\n", data.c_str());
        return 1;
    }

    RunOptions options;
    std::error_code ec;
    const char* headless = std::getenv("TUNEWANDER_HEADLESS");
    options.headless = headless && std::strcmp(headless, "1") == 0;
    // The script is a host path from the working directory, which is not
    // the game's folder when the data lies elsewhere.
    if (const char* script = std::getenv("TUNEWANDER_SCRIPT"); script && *script)
        options.scriptPath = std::filesystem::absolute(script, ec).string();
    // Only a real window has a size and full screen to remember.
    if (!options.headless) options.settingsPath = platform::DesktopSettingsPath();
    options.fullscreen = line.fullscreen;
    options.noSound = line.noSound;
    return RunGame(options);
}

}  // namespace shell
