#pragma once
// One entry per file reader: each runs the reader on the bytes given and
// then the game code that uses what it read. The fuzzers (one program per
// entry) and the regression replay in the test suite share this table.
#include <cstddef>
#include <cstdint>

namespace tw_fuzz {

int Preferences(const uint8_t* data, size_t size);
int Bitmap(const uint8_t* data, size_t size);
int Level(const uint8_t* data, size_t size);
int Xmidi(const uint8_t* data, size_t size);
int InstrumentLibrary(const uint8_t* data, size_t size);
int EffectLibrary(const uint8_t* data, size_t size);
int Wave(const uint8_t* data, size_t size);
int Movie(const uint8_t* data, size_t size);
int LandRecord(const uint8_t* data, size_t size);
int InputScript(const uint8_t* data, size_t size);
int SavedGame(const uint8_t* data, size_t size);
int DemoFile(const uint8_t* data, size_t size);

struct Target {
    const char* name;  // also the folder of its regression inputs
    int (*run)(const uint8_t* data, size_t size);
};

inline constexpr Target kTargets[] = {
    {"prefs", Preferences},        {"bitmap", Bitmap},
    {"level", Level},              {"xmidi", Xmidi},
    {"instrument_library", InstrumentLibrary},
    {"effect_library", EffectLibrary},
    {"wave", Wave},                {"movie", Movie},
    {"land_record", LandRecord},   {"input_script", InputScript},
    {"saved_game", SavedGame},     {"demo_file", DemoFile},
};

}  // namespace tw_fuzz
