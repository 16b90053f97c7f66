#pragma once
// Synthesis techniques for the instrument and effect samples: plucked strings
// (Karplus-Strong), FM tones, modal (tuned decaying partials) struck sounds,
// and sustained tones built as seamless loops.
#include <cstdint>
#include <vector>

#include "assetgen/sound_dsp.h"

namespace assetgen::synth {

using dsp::Signal;

struct PluckShape {
    double hz = 220;
    double seconds = 1.5;
    double brightness = 0.5;  // 0 dull .. 1 bright excitation
    double decaySeconds = 1.5;  // time to fall by 60 dB at the fundamental
    double pick = 0.2;        // pick position along the string, 0..0.5
    uint32_t seed = 1;
    double damping = 0.5;     // 0.05..0.5: how much the string's loop filter dulls each pass
    double shape = 0;         // 0 a noise burst .. 1 the triangle of a finger-pulled string
};
Signal Pluck(const PluckShape& shape);

struct Partial {
    double ratio = 1;
    double amplitude = 1;
    double decaySeconds = 1;  // to -60 dB
};
// Struck bars, plates and membranes: each partial a decaying sine; `mallet`
// adds a short filtered noise click.
Signal Modal(double hz, const std::vector<Partial>& partials, double seconds, double mallet, uint32_t seed);

struct FmShape {
    double hz = 440;
    double ratio = 1;          // modulator / carrier frequency
    double index = 1;          // modulation index at the start
    double indexDecay = 0.5;   // seconds for the index to fall to 1/e
    double ampDecay = 1.5;     // seconds to -60 dB
    double seconds = 1.5;
    double attack = 0.002;
};
Signal Fm(const FmShape& shape);

// A sustained tone: a steady part that repeats exactly every loop length, an
// attack before it and a fading tail after it (played by the release).
struct LoopShape {
    double hz = 440;
    std::vector<double> harmonics{1.0};  // amplitude of harmonic 1, 2, ...
    double maxHarmonicHz = 5000;         // harmonics above this are left out
    double vibratoDepth = 0;             // fraction of the frequency
    int vibratoCycles = 0;               // per loop
    double chorus = 0;                   // level of copies one cycle per loop sharper and flatter
    double breath = 0;                   // level of band-limited noise
    double breathHz = 2000;
    double attack = 0.03;                // seconds
    double swell = 0;                    // upper harmonics open later in the attack
    double tail = 0.25;                  // seconds
    size_t loopSamples = 11025;          // at least; lengthened to put the pitch within a cent
    int wowCycles = 0;                   // slow movement of the upper harmonics (drones)
    double wowDepth = 0;
    uint32_t seed = 1;
};
struct LoopedSample {
    Signal samples;
    uint32_t loopStart = 0;
    uint32_t loopEnd = 0;
};
LoopedSample Sustained(const LoopShape& shape);

}  // namespace assetgen::synth
