#pragma once
// What the fuzz targets share: a headless game environment started once per
// process (window, display, sound device, the music and effect players with
// the generated data's libraries), and the input written out as a file,
// since the readers read files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/win_types.h"

namespace display {
class Display;
}
class Sequencer;
class FxPlayer;
namespace platform {
class IDirectSound;
}

namespace tw_fuzz {

// The generated data folder: $TW_DATA_DIR, or the build's data folder.
const std::string& DataDir();

struct Environment {
    platform::HWND window = nullptr;
    display::Display* display = nullptr;
    platform::IDirectSound* directSound = nullptr;
    Sequencer* sequencer = nullptr;  // with the data's instrument library
    FxPlayer* effects = nullptr;     // with the data's effect library
};
// Started on first use; the game's folder is the data folder afterwards.
Environment& Env();

// Writes the input to <scratch>/<name> and returns that absolute path. The
// scratch folder belongs to this process and is removed at its exit.
std::string WriteInput(const char* name, const uint8_t* data, size_t size);
// A folder of the scratch folder holding links to every file of a data
// folder (so that a level file written there finds its pictures).
std::string LinkedCopyOf(const std::string& dataSubfolder);

// Moves the manual clock on (timers, the sound card and the sequencer run).
void RunFor(uint32_t ms);
// Forgets message boxes shown so far (a long run would keep them all).
void ForgetBoxes();

}  // namespace tw_fuzz

namespace world {
struct LandRecord;
}

namespace tw_fuzz {

// Where a land is entered and with what progress.
struct LandStart {
    int land = 0;
    int difficulty = 1;
    int x = 0, y = 0, room = -1;  // a restore position; y 0 for the land's start
    const uint8_t* demo = nullptr;  // a whole demo to play, or null
};
// Loads the land with this record (as the game does on entering it) and
// plays a second of it, song and all.
void PlayLand(const LandStart& start, const world::LandRecord& record);

}  // namespace tw_fuzz
