#pragma once
// The instrument library: every instrument the songs use, with its program
// number (all in bank 0, since songs cannot change banks), its sample, root
// note, gain, loop and release, as written to "seq\wavelib.txt".
#include <cstdint>
#include <string>
#include <vector>

#include "assetgen/sound_dsp.h"

namespace assetgen::music {

enum Program : uint8_t {
    kHarp = 0, kGuitar, kBanjo, kKoto, kPizzicato, kElectricPiano, kGlockenspiel, kChimes,
    kMarimba, kVibraphone, kKalimba, kSteelDrum, kWhistle, kFiddle, kFlute, kErhu,
    kCalliope, kAccordion, kOrgan, kStrings, kPad, kMutedTrumpet, kSaxophone, kBrass,
    kTuba, kUprightBass, kSynthBass, kDidgeridoo, kPiano, kClarinet,
    // Percussion: one sample each, played at note kDrumNote.
    kKick = 100, kSnare, kClosedHat, kOpenHat, kRide, kCrash, kClap, kShaker,
    kTambourine, kWoodBlock, kTempleBlock, kClapsticks, kBodhran, kConga, kGong, kTimpani,
};
constexpr int kDrumNote = 60;
// Every pitched program p also has a low-register sample, program
// p + kLowRegister, made the same way two octaves down; the songs move notes
// there so no note is stretched more than an octave from its sample's root.
constexpr int kLowRegister = 30;
constexpr int kLowRegisterSpan = 24;

struct InstrumentDef {
    int program = 0;
    std::string name;      // WAVE file name without folder and extension
    uint8_t root = 60;     // note at which the sample sounds at its own pitch
    int8_t gain = 0;       // decibels
    bool loop = false;
    uint32_t loopStart = 0, loopEnd = 0;
    uint32_t release = 0;  // frames
    bool percussion = false;
    dsp::Signal samples;
    // The game's file name, "seq\<name>.wav".
    std::string FileName() const { return "seq\\" + name + ".wav"; }
    // Highest note that stays clear of aliasing (an octave above the root).
    int HighestNote() const { return percussion ? root : root + 12; }
};

// Builds every instrument once (deterministic) and keeps them.
const std::vector<InstrumentDef>& Instruments();
const InstrumentDef* FindInstrument(int program);
// Changes an instrument's library gain (decibels); the songs' levelling
// chooses the gains before anything is written or mixed.
void SetInstrumentGain(int program, int gainDb);

// Writes the samples and "seq\wavelib.txt". Returns 1 / 0.
int WriteInstrumentLibrary(const std::string& dataDir);

}  // namespace assetgen::music
