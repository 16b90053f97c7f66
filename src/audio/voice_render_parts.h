#pragma once
// Inside the voice renderer. Both loops share the driver: the held part in
// the voice's mode, then the release, whose level steps every 16 frames of
// the mix buffer. `Frames` renders frames [f, end) of one kind:
//   template <bool kInterpolate, Held kHeld>
//   static bool Render(VoiceRun&, int32_t* sum, int32_t f, int32_t end,
//                      uint32_t sampleEnd, uint32_t loopStart, uint32_t loopEnd);
// returning false when the voice ran out of samples.
#include <algorithm>
#include <cstdint>

#include "audio/synth_voice.h"

namespace voice_render {

// One voice's rendering state, copied into locals for the frame loops: the
// sum is written through an int32_t pointer, which could alias anything held
// in memory, so nothing the loops read per frame lives there.
struct VoiceRun {
    const int16_t* samples;
    uint32_t pos;
    uint32_t fraction;
    uint32_t fractionStep;
    uint32_t step;
    uint32_t carryStep;
    int64_t gainLeft;
    int64_t gainRight;
};

// What the held part does at the loop or sample end.
enum class Held { OneShot, LoopCarry, LoopRestart };

// A looping voice's 16.16 place past its loop's last sample: the overshoot
// carries into the loop, and a step longer than the loop starts it afresh.
inline void CarryIntoLoop(uint64_t& at, uint64_t loopFirst, uint64_t loopLast) {
    if ((at >> 16) < loopLast) return;
    at -= (loopLast - loopFirst) << 16;
    if ((at >> 16) >= loopLast) at = (loopFirst << 16) | (at & 0xFFFF);
}

// The 16.16 place written back as the run's byte offset and fraction.
inline void StorePlace(VoiceRun& run, uint64_t at) {
    run.pos = uint32_t(at >> 16) << 1;
    run.fraction = uint32_t(at & 0xFFFF);
}

template <class Frames, bool kInterpolate>
bool DriveVoice(VoiceRun& r, SynthVoice& v, int32_t* sum, uint32_t cadenceBase) {
    const uint32_t sampleEnd = v.sampleEnd, loopStart = v.loopStart, loopEnd = v.loopEnd;
    int32_t f = v.mixStart;
    const int32_t segmentEnd = v.segmentEnd;
    const int32_t heldEnd = std::min(v.noteEnd, segmentEnd);
    if (f < heldEnd) {
        bool sounding;
        if (!(v.mode & 2))
            sounding = Frames::template Render<kInterpolate, Held::OneShot>(r, sum, f, heldEnd, sampleEnd, 0, 0);
        else if (kInterpolate)
            sounding = Frames::template Render<kInterpolate, Held::LoopCarry>(r, sum, f, heldEnd, sampleEnd,
                                                                              loopStart, loopEnd);
        else
            sounding = Frames::template Render<kInterpolate, Held::LoopRestart>(r, sum, f, heldEnd, sampleEnd,
                                                                                loopStart, loopEnd);
        if (!sounding) return false;
        f = heldEnd;
    }
    // The release: the loop is no longer followed, and the level steps after
    // every frame that ends on a 16-frame mark of the mix buffer.
    while (f < segmentEnd) {
        const uint32_t k = (cadenceBase + uint32_t(f) + 1) % 16;
        const int32_t stop = std::min<int32_t>(segmentEnd, f + int32_t((16 - k) % 16) + 1);
        if (!Frames::template Render<kInterpolate, Held::OneShot>(r, sum, f, stop, sampleEnd, 0, 0)) return false;
        f = stop;
        if ((cadenceBase + uint32_t(f)) % 16 == 0) {
            v.envelopeLevel += v.envelopeStep;
            if (v.envelopeLevel <= 0) return false;
            r.gainLeft = (int64_t(v.baseGainLeft) * v.envelopeLevel) >> 16;
            r.gainRight = (int64_t(v.baseGainRight) * v.envelopeLevel) >> 16;
        }
    }
    return true;
}

// Runs the driver on a voice and stores its state back.
template <class Frames>
bool DriveAndStore(SynthVoice& v, int32_t* sum, uint32_t cadenceBase) {
    VoiceRun r{v.samples, v.position, v.fraction, v.fractionStep, v.step, v.carryStep, v.gainLeft, v.gainRight};
    const bool sounding = (v.mode & 16) ? DriveVoice<Frames, false>(r, v, sum, cadenceBase)
                                        : DriveVoice<Frames, true>(r, v, sum, cadenceBase);
    v.position = r.pos;
    v.fraction = r.fraction;
    v.gainLeft = int32_t(r.gainLeft);
    v.gainRight = int32_t(r.gainRight);
    return sounding;
}

// Frames of one voice whose positions at, at + increment, ... need no loop
// or sample end test: the fast loop's unit of work.
struct LinearRun {
    const int16_t* samples;
    uint64_t sampleCount;  // samples that may be read, from samples[0]
    uint64_t at;         // sample index << 16 | fraction
    uint64_t increment;  // the same for one frame's step
    int64_t gainLeft;    // 1/65536
    int64_t gainRight;
    bool interpolate;    // false: the sample at the position, whatever the fraction
};

// Each adds `frames` stereo frames into sum[0 .. 2 x frames).
void LinearFramesPortable(const LinearRun& run, int32_t* sum, int32_t frames);
void LinearFramesSse2(const LinearRun& run, int32_t* sum, int32_t frames);
void LinearFramesAvx2(const LinearRun& run, int32_t* sum, int32_t frames);
// Whether the kernel was built for this target and the processor runs it.
bool Sse2Built();
bool Avx2Built();

bool RenderVoiceReference(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase);
bool RenderVoicePortable(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase);
bool RenderVoiceSse2(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase);
bool RenderVoiceAvx2(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase);

}  // namespace voice_render
