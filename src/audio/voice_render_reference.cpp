// The reference loop: one frame at a time, every boundary tested per frame.
#include "audio/voice_render_parts.h"

namespace voice_render {
namespace {

struct ReferenceFrames {
    // Frames [f, end) of one kind; returns false when the voice ran out of
    // samples. With gains bounded 64 voices cannot overflow the 32-bit sum;
    // the clamp to 16 bits comes once, at the end of the segment.
    template <bool kInterpolate, Held kHeld>
    static bool Render(VoiceRun& run, int32_t* sum, int32_t f, int32_t end, uint32_t sampleEnd,
                       uint32_t loopStart, uint32_t loopEnd) {
        // Position and fraction as one 48-bit number (sample index . fraction):
        // adding the step with its fraction carries exactly as the byte step and
        // the carry step do, in a single addition.
        const int16_t* const samples = run.samples;
        uint64_t at = (uint64_t(run.pos >> 1) << 16) | (run.fraction & 0xFFFF);
        const uint64_t increment = (uint64_t(run.step >> 1) << 16) | run.fractionStep;
        const uint64_t lastSample = sampleEnd >> 1, loopFirst = loopStart >> 1, loopLast = loopEnd >> 1;
        const int64_t gainLeft = run.gainLeft, gainRight = run.gainRight;
        bool sounding = true;
        for (; f < end; ++f) {
            if constexpr (kHeld == Held::LoopRestart) {
                if ((at >> 16) >= loopLast) at = (loopFirst << 16) | (at & 0xFFFF);  // the overshoot is dropped
            } else if constexpr (kHeld == Held::OneShot) {
                if ((at >> 16) >= lastSample) {
                    sounding = false;
                    break;
                }
            }
            const size_t index = size_t(at >> 16);
            int32_t s = samples[index];
            if constexpr (kInterpolate) {
                const int32_t b = samples[index + 1];
                // Neighbours may differ by up to 65535: the product needs 64 bits.
                s = s + int32_t((int64_t(b - s) * int64_t(at & 0xFFFF)) >> 16);
            }
            sum[2 * f] += int32_t((s * gainLeft) >> 16);
            sum[2 * f + 1] += int32_t((s * gainRight) >> 16);
            at += increment;
            if constexpr (kHeld == Held::LoopCarry) CarryIntoLoop(at, loopFirst, loopLast);
        }
        StorePlace(run, at);
        return sounding;
    }
};

}  // namespace

bool RenderVoiceReference(SynthVoice& voice, int32_t* sum, uint32_t cadenceBase) {
    return DriveAndStore<ReferenceFrames>(voice, sum, cadenceBase);
}

}  // namespace voice_render
