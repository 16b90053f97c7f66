#pragma once
// Helpers of the shell tests: a scratch folder that is the game's current folder
// for the test's lifetime, file writing, tiny movies.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/avi_writer.h"
#include "support/scratch_dir.h"

namespace shell_test {

using ScratchDir = test_support::ScratchDir;

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Empty instrument and effect libraries: enough for the sound set-up.
inline void WriteSoundLibraries(const std::filesystem::path& root) {
    WriteFile(root / "seq" / "wavelib.txt", "");
    WriteFile(root / "seq" / "fxlib.txt", "");
}

// A 4 x 4 movie of `frames` frames at 10 frames a second, one colour.
inline bool WriteTinyMovie(const std::filesystem::path& path, int frames, uint8_t red) {
    std::filesystem::create_directories(path.parent_path());
    platform::avi::MovieDescription movie;
    movie.width = 4;
    movie.height = 4;
    movie.rate = 10;
    movie.palette[1] = {red, 0, 0, 0};
    for (int i = 0; i < frames; ++i) {
        movie.frames.push_back({std::vector<uint8_t>(16, 1), std::nullopt});
    }
    return platform::avi::WriteAviFile(path.string(), movie) == 1;
}

inline void WriteBothMovies(const std::filesystem::path& root) {
    WriteTinyMovie(root / "Movie" / "logo.avi", 3, 200);
    WriteTinyMovie(root / "Movie" / "movie.avi", 3, 100);
}

// Every start-up key, the way the generator writes them.
inline std::string CompletePrefs() {
    std::string text =
        "sFLInsertCDTitle \"Tunewander\"\n"
        "sFLInsertCDText \"Please insert the disc\"\n"
        "bFLAnimateSplash 1\nbFLAnimateIn 0\n";
    const char* ints[] = {"iHelpArrowLeftX", "iHelpArrowLeftY", "iHelpCancelX", "iHelpCancelY",
                          "iHelpArrowRightX", "iHelpArrowRightY", "iNumOfDistLogos"};
    int value = 1;
    for (const char* key : ints) text += std::string(key) + " " + std::to_string(value++) + "\n";
    const char* credits[] = {"Graphics", "Animate", "GraphPrg", "AddHelp1", "AddHelp2",
                             "Music", "OrigConc", "AudioPrg", "SFX"};
    for (const char* credit : credits) {
        std::string name = credit;
        // "AddHelp1" is written "AddHelpCredit1".
        if (name.rfind("AddHelp", 0) == 0) {
            name = "AddHelpCredit" + name.substr(7);
        } else {
            name += "Credit";
        }
        for (const char* part : {"X", "Y", "W", "H"}) {
            text += "i" + name + part + " " + std::to_string(value++) + "\n";
        }
    }
    return text;
}

}  // namespace shell_test
