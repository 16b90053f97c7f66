#pragma once
// One voice's frames added into the segment's 32-bit stereo sum. Two loops do
// the same sums: the reference loop steps one frame at a time; the fast loop
// cuts the voice into runs that cross no loop or sample end and renders each
// run eight or sixteen frames at a time with vector instructions. Both must
// give identical sums for every voice, so either can be chosen at any time.
#include <cstddef>
#include <cstdint>

#include "audio/synth_voice.h"

enum class MixLoop {
    Reference,  // one frame at a time
    Portable,   // runs between loop and sample ends, plain C++
    Sse2,       // runs, eight frames per step (x86-64 only)
    Avx2,       // runs, sixteen frames per step (x86-64 with AVX2)
};

// Whether this build and processor can run the loop.
bool MixLoopAvailable(MixLoop loop);
// The fastest loop available here.
MixLoop BestMixLoop();
const char* MixLoopName(MixLoop loop);

// Renders frames [voice.mixStart, voice.segmentEnd) of an active voice in mode
// 0, 2, 16 or 18 and stores its position, fraction, gains and level back;
// false when the voice ended (its samples ran out or its fade reached 0).
// `cadenceBase` is the frame number in the mix buffer of the segment's first
// frame: the release steps the level after every frame that ends on a
// multiple of 16 of it.
bool RenderVoice(MixLoop loop, SynthVoice& voice, int32_t* sum, uint32_t cadenceBase);

// out[i] = sum[i] clamped to -32768..32767.
void SaturateToSamples(const int32_t* sum, int16_t* out, size_t count);
