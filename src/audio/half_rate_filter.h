#pragma once
// At half the output rate (11025 Hz, rate factor 2) the synthesiser steps
// over every second sample of the 22050 Hz instrument waves, and whatever
// the waves hold above 5.5 kHz (cymbals, shakers, breath, the upper partials
// of bright notes) would fold back under it as an inharmonic hiss. Waves are
// therefore low-passed once, when they are loaded for that rate.
#include <cstddef>
#include <cstdint>

namespace audio {

// Low-passes `count` 16-bit samples in place below a quarter of their rate
// (a linear-phase windowed-sinc filter, so loops keep their timing).
void LowPassForHalfRate(int16_t* samples, size_t count);

}  // namespace audio
