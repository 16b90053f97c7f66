// The fast loop: a voice's frames cut into linear runs, the stretches
// between one loop or sample end test and the next, each handed whole to a
// kernel that needs no per-frame test.
#include "audio/voice_render_parts.h"

namespace voice_render {
namespace {

using Kernel = void (*)(const LinearRun&, int32_t*, int32_t);

template <Kernel kKernel>
struct FastFrames {
    // The same frames, boundaries and stored state as the reference loop.
    template <bool kInterpolate, Held kHeld>
    static bool Render(VoiceRun& run, int32_t* sum, int32_t f, int32_t end, uint32_t sampleEnd,
                       uint32_t loopStart, uint32_t loopEnd) {
        uint64_t at = (uint64_t(run.pos >> 1) << 16) | (run.fraction & 0xFFFF);
        const uint64_t increment = (uint64_t(run.step >> 1) << 16) | run.fractionStep;
        const uint64_t lastSample = sampleEnd >> 1, loopFirst = loopStart >> 1, loopLast = loopEnd >> 1;
        // A frame whose position reaches this needs the boundary's treatment.
        const uint64_t limit = (kHeld == Held::OneShot ? lastSample : loopLast) << 16;
        bool sounding = true;
        while (f < end) {
            if constexpr (kHeld == Held::LoopRestart) {
                if ((at >> 16) >= loopLast) at = (loopFirst << 16) | (at & 0xFFFF);  // the overshoot is dropped
            } else if constexpr (kHeld == Held::OneShot) {
                if (at >= limit) {
                    sounding = false;
                    break;
                }
            }
            // Frames f + k with at + k x increment below the limit run
            // straight through. A looping voice tests only after a frame, so
            // its first frame is rendered even at the limit.
            int64_t frames = end - f;
            if (at + uint64_t(frames - 1) * increment >= limit)
                frames = at >= limit ? 1 : int64_t((limit - 1 - at) / increment) + 1;
            kKernel(LinearRun{run.samples, lastSample + 1, at, increment, run.gainLeft, run.gainRight, kInterpolate}, sum + 2 * f,
                    int32_t(frames));
            at += uint64_t(frames) * increment;
            f += int32_t(frames);
            if constexpr (kHeld == Held::LoopCarry) CarryIntoLoop(at, loopFirst, loopLast);
        }
        StorePlace(run, at);
        return sounding;
    }
};

}  // namespace

void LinearFramesPortable(const LinearRun& run, int32_t* sum, int32_t frames) {
    const int16_t* const samples = run.samples;
    const int64_t gainLeft = run.gainLeft, gainRight = run.gainRight;
    uint64_t at = run.at;
    for (int32_t k = 0; k < frames; ++k) {
        const size_t index = size_t(at >> 16);
        int32_t s = samples[index];
        if (run.interpolate) {
            // Neighbours may differ by up to 65535: the product needs 64 bits.
            s += int32_t((int64_t(samples[index + 1] - s) * int64_t(at & 0xFFFF)) >> 16);
        }
        sum[2 * k] += int32_t((s * gainLeft) >> 16);
        sum[2 * k + 1] += int32_t((s * gainRight) >> 16);
        at += run.increment;
    }
}

bool RenderVoicePortable(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase) {
    return DriveAndStore<FastFrames<LinearFramesPortable>>(voice, sum, cadenceBase);
}

bool RenderVoiceSse2(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase) {
    return DriveAndStore<FastFrames<LinearFramesSse2>>(voice, sum, cadenceBase);
}

bool RenderVoiceAvx2(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase) {
    return DriveAndStore<FastFrames<LinearFramesAvx2>>(voice, sum, cadenceBase);
}

}  // namespace voice_render
