// Notes, channels and the renderer of the synthesiser.
#include "audio/virtual_synth.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Gains in 1/65536, truncated. Above +36 dB a voice only clips; the bound
// keeps 64 voices' sum inside 32 bits.
constexpr double kMaxGain = double(1 << 22);
inline int32_t GainToInt(double v) {
    if (!(v > 0)) return 0;
    return int32_t(std::min(v, kMaxGain));
}

}  // namespace

VirtualSynth::VirtualSynth(platform::HWND window, platform::IDirectSound* directSound)
    : directSound_(directSound), window_(window), instruments_(kBanks * kPrograms) {}

VirtualSynth::~VirtualSynth() { VS_destroy(); }

int VirtualSynth::ActiveVoices() const {
    int n = 0;
    for (const auto& v : voices_) n += v.active ? 1 : 0;
    return n;
}

int VirtualSynth::VS_in_segment(uint32_t time) const {
    return time >= segmentStart_ && uint64_t(time) < uint64_t(segmentStart_) + segmentFrames_ ? 1 : 0;
}

int VirtualSynth::VS_set_channel(uint8_t channel, float volume, float pan) {
    if (channel >= kChannels) return 0;
    channels_[channel].volume = volume;
    channels_[channel].pan = pan;
    return 1;
}

void VirtualSynth::VS_pitch_step(int bank, int program, int note, int* whole, uint16_t* fraction) const {
    const Instrument* instrument = instruments_[size_t(bank * kPrograms + program)].get();
    int root = instrument ? instrument->rootNote : 60;
    int i = std::clamp(note - root + 60, 0, 127);
    double ratio = pitchTable_[size_t(i)] / double(pitchDivisor_);
    int w = int(ratio);
    *whole = w;
    *fraction = uint16_t((ratio - double(w)) * 65535.0);
}

int VirtualSynth::VS_note_on(uint8_t channel, uint8_t note, uint8_t velocity, uint8_t bank,
                             uint8_t program, uint32_t start, uint32_t duration) {
    if (bank >= kBanks || program >= kPrograms || channel >= kChannels) return 1;
    if (!VS_in_segment(start)) return 0;
    SynthVoice* voice = nullptr;
    for (auto& v : voices_) {
        if (!v.active) {
            voice = &v;
            break;
        }
    }
    if (!voice) return 0;  // all voices sound; the note is dropped
    const Instrument* instrument = instruments_[size_t(bank * kPrograms + program)].get();
    if (!instrument) return 1;
    // An instrument without a wave, or whose samples are not in memory, is
    // not played (there would be nothing to read).
    const WaveEntry* wave = instrument->wave;
    if (!wave || !wave->samples || wave->dataBytes < 2) return 1;

    SynthVoice v{};
    v.samples = wave->samples.get();
    v.position = 0;
    v.sampleEnd = (wave->dataBytes & ~1u) - 2;
    v.loopStart = uint32_t(std::min<uint64_t>(uint64_t(instrument->loopStart) * 2, v.sampleEnd));
    // The looping part never tests the sample's end, so the loop must end
    // inside the sample.
    v.loopEnd = uint32_t(std::min<uint64_t>(uint64_t(instrument->loopEnd) * 2, v.sampleEnd));
    v.fraction = 0;
    int whole = 0;
    uint16_t fraction = 0;
    VS_pitch_step(bank, program, note, &whole, &fraction);
    v.fractionStep = fraction;
    v.step = uint32_t(2 * whole);
    v.carryStep = v.step + 2;
    v.mode = (instrument->loopFlag == 1 && v.loopStart < v.loopEnd) ? 2 : 0;
    if (fraction == 0) v.mode += 16;
    v.velocityGain = std::pow(10.0, double(instrument->gain) * 0.05) * double(velocity) * (1.0 / 127.0);
    v.envelopeStep = instrument->release ? int32_t(-1048576.0 / double(instrument->release)) : 0;
    v.startFrame = start;
    uint64_t end = uint64_t(start) + duration;
    v.endFrame = uint32_t(std::min<uint64_t>(end, std::numeric_limits<uint32_t>::max()));
    v.envelopeLevel = 65535;
    v.channel = channel;
    v.active = 1;
    *voice = v;
    return 1;
}

void VirtualSynth::VS_mix_segment(void* segment) {
    std::memset(segment, bits_ == 8 ? 0x80 : 0, segmentBytes_);
    sum_.assign(size_t(segmentFrames_) * 2, 0);
    const uint64_t segmentEnd = uint64_t(segmentStart_) + segmentFrames_;
    bool any = false;
    for (auto& v : voices_) {
        if (!v.active) continue;
        int32_t startOffset = VS_in_segment(v.startFrame) ? int32_t(v.startFrame - segmentStart_) : 0;
        int32_t endOffset;
        if (v.endFrame < segmentEnd)
            endOffset = int32_t(std::max<int64_t>(int64_t(v.endFrame) - int64_t(segmentStart_), -1));
        else
            endOffset = int32_t(segmentFrames_);
        const SynthChannel& channel = channels_[v.channel];
        double g = double(channel.volume) * v.velocityGain * 65536.0;
        double c = std::cos(double(channel.pan) * 1.570796326795);
        c *= c;
        v.baseGainLeft = GainToInt(g * c);
        v.baseGainRight = GainToInt(g * (1.0 - c));
        v.gainLeft = int32_t((int64_t(v.baseGainLeft) * v.envelopeLevel) >> 16);
        v.gainRight = int32_t((int64_t(v.baseGainRight) * v.envelopeLevel) >> 16);
        v.mixStart = startOffset;
        v.noteEnd = endOffset;
        v.segmentEnd = int32_t(segmentFrames_);
        VS_render_voice(v, sum_.data());
        any = true;
    }
    if (!any || bits_ != 16) return;
    int16_t* out = static_cast<int16_t*>(segment);
    for (size_t i = 0; i < sum_.size(); ++i) out[i] = int16_t(std::clamp<int32_t>(sum_[i], -32768, 32767));
}

namespace {

// One voice's rendering state, copied into locals for the frame loops: the
// sum is written through an int32_t pointer, which could alias anything held
// in memory, so nothing the loops read per frame lives there.
struct Run {
    const int16_t* samples;
    uint32_t pos;
    uint32_t fraction;
    uint32_t fractionStep;
    uint32_t step;
    uint32_t carryStep;
    int64_t gainLeft;
    int64_t gainRight;
};

enum class Held { OneShot, LoopCarry, LoopRestart };

// Frames [f, end) of one kind; returns false when the voice ran out of
// samples. With gains bounded (GainToInt) 64 voices cannot overflow the
// 32-bit sum; the clamp to 16 bits comes once, at the end of the segment.
template <bool kInterpolate, Held kHeld>
bool RenderFrames(Run& run, int32_t* sum, int32_t f, int32_t end, uint32_t sampleEnd, uint32_t loopStart,
                  uint32_t loopEnd) {
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
        if constexpr (kHeld == Held::LoopCarry) {
            if ((at >> 16) >= loopLast) {
                at -= (loopLast - loopFirst) << 16;  // the overshoot carries into the loop
                if ((at >> 16) >= loopLast) at = (loopFirst << 16) | (at & 0xFFFF);
            }
        }
    }
    run.pos = uint32_t(at >> 16) << 1;
    run.fraction = uint32_t(at & 0xFFFF);
    return sounding;
}

template <bool kInterpolate>
bool RenderVoice(Run& r, SynthVoice& v, int32_t* sum, uint32_t cadenceBase) {
    const uint32_t sampleEnd = v.sampleEnd, loopStart = v.loopStart, loopEnd = v.loopEnd;
    int32_t f = v.mixStart;
    const int32_t segmentEnd = v.segmentEnd;
    const int32_t heldEnd = std::min(v.noteEnd, segmentEnd);
    if (f < heldEnd) {
        bool sounding;
        if (!(v.mode & 2))
            sounding = RenderFrames<kInterpolate, Held::OneShot>(r, sum, f, heldEnd, sampleEnd, 0, 0);
        else if (kInterpolate)
            sounding = RenderFrames<kInterpolate, Held::LoopCarry>(r, sum, f, heldEnd, sampleEnd, loopStart, loopEnd);
        else
            sounding = RenderFrames<kInterpolate, Held::LoopRestart>(r, sum, f, heldEnd, sampleEnd, loopStart, loopEnd);
        if (!sounding) return false;
        f = heldEnd;
    }
    // The release: the loop is no longer followed, and the level steps after
    // every frame that ends on a 16-frame mark of the mix buffer.
    while (f < segmentEnd) {
        const uint32_t k = (cadenceBase + uint32_t(f) + 1) % 16;
        const int32_t stop = std::min<int32_t>(segmentEnd, f + int32_t((16 - k) % 16) + 1);
        if (!RenderFrames<kInterpolate, Held::OneShot>(r, sum, f, stop, sampleEnd, 0, 0)) return false;
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

}  // namespace

void VirtualSynth::VS_render_voice(SynthVoice& v, int32_t* sum) {
    if (!v.active) return;
    const uint32_t mode = v.mode;
    if (mode != 0 && mode != 2 && mode != 16 && mode != 18) return;
    Run r{v.samples, v.position, v.fraction, v.fractionStep, v.step, v.carryStep, v.gainLeft, v.gainRight};
    // The fade is applied every 16 frames of the mix buffer.
    const uint32_t cadenceBase = frameBytes_ ? writeOffset_ / frameBytes_ : 0;
    const bool sounding = (mode & 16) ? RenderVoice<false>(r, v, sum, cadenceBase)
                                      : RenderVoice<true>(r, v, sum, cadenceBase);
    if (!sounding) v.active = 0;
    v.position = r.pos;
    v.fraction = r.fraction;
    v.gainLeft = int32_t(r.gainLeft);
    v.gainRight = int32_t(r.gainRight);
}
