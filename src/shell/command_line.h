#pragma once
// The program's command line and where it finds the game's data.
#include <string>
#include <vector>

namespace shell {

struct CommandLine {
    bool help = false, version = false;
    std::string dataFolder;  // --data DIR; empty: look for it (FindDataFolder)
    int fullscreen = -1;     // -1 as last time, 0 --window, 1 --fullscreen
    bool noSound = false;
    std::string error;       // set when the line cannot be used
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string HelpText();
std::string VersionText();

// The data folder: the one given; else the working directory when it holds
// "prefs.ini"; else the installed one beside the program
// (<program's folder>/../share/tunewander). Empty when none holds the data.
std::string FindDataFolder(const std::string& given, const std::string& programPath);

// main's work: reads the command line (with the program's path first), prints
// help or version, finds the data and runs the game. Returns the exit code:
// 0, 1 when the game cannot start or the data is missing, 2 for a bad
// command line (the help then goes to standard error).
int RunFromCommandLine(const std::vector<std::string>& arguments, const std::string& programPath);

}  // namespace shell
