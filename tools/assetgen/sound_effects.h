#pragma once
// The effect library: "seq\fxlib.txt" and a WAVE file for every effect number
// the game plays (the dog's sounds, the band member's freeing, the lock's
// note and hint voices, one reward fanfare per land).
#include <string>
#include <vector>

#include "assetgen/sound_dsp.h"

namespace assetgen::sound {

// The lock's note voice and the captive's hummed hint sound at this note
// (G4); the lock raises them by cents.
constexpr int kLockNote = 67;

struct Effect {
    int number = 0;
    std::string name;  // WAVE file name without folder and extension
    dsp::Signal samples;
};
const std::vector<Effect>& Effects();

// Writes the WAVE files and "seq\fxlib.txt". Returns 1 / 0.
int WriteEffectLibrary(const std::string& dataDir);

// The reward fanfare of land 0..5 (celtic .. wetland).
dsp::Signal Fanfare(int land);

}  // namespace assetgen::sound
