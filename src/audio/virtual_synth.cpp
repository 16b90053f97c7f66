// Notes, channels and the renderer of the synthesiser.
#include "audio/virtual_synth.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

inline int16_t SaturatingAdd(int16_t out, int64_t add) {
    // A wrapped 16-bit sum is a loud click; clamp instead.
    int64_t sum = int64_t(out) + add;
    return int16_t(std::clamp<int64_t>(sum, -32768, 32767));
}

inline int32_t TruncateToInt(double v) {
    if (!(v > double(std::numeric_limits<int32_t>::min()))) return std::numeric_limits<int32_t>::min();
    if (v >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return int32_t(v);
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
    int16_t* out = static_cast<int16_t*>(segment);
    const uint64_t segmentEnd = uint64_t(segmentStart_) + segmentFrames_;
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
        v.baseGainLeft = TruncateToInt(g * c);
        v.baseGainRight = TruncateToInt(g * (1.0 - c));
        v.gainLeft = int32_t((int64_t(v.baseGainLeft) * v.envelopeLevel) >> 16);
        v.gainRight = int32_t((int64_t(v.baseGainRight) * v.envelopeLevel) >> 16);
        v.mixStart = startOffset;
        v.noteEnd = endOffset;
        v.segmentEnd = int32_t(segmentFrames_);
        VS_render_voice(v, out);
    }
}

void VirtualSynth::VS_render_voice(SynthVoice& v, int16_t* segment) {
    if (!v.active) return;
    const uint32_t mode = v.mode;
    if (mode != 0 && mode != 2 && mode != 16 && mode != 18) return;
    const bool interpolate = !(mode & 16);
    const int16_t* samples = v.samples;
    uint32_t pos = v.position;
    uint32_t fraction = v.fraction;
    const uint32_t fractionStep = v.fractionStep;
    int32_t gainLeft = v.gainLeft, gainRight = v.gainRight;
    // The fade is applied every 16 frames of the mix buffer.
    const uint32_t cadenceBase = frameBytes_ ? writeOffset_ / frameBytes_ : 0;

    auto emit = [&](int32_t f) {
        int32_t s = samples[pos >> 1];
        if (interpolate) {
            int32_t b = samples[(pos >> 1) + 1];
            s = s + (((b - s) * int32_t(fraction)) >> 16);
        }
        int16_t* o = segment + 2 * f;
        o[0] = SaturatingAdd(o[0], (int64_t(s) * gainLeft) >> 16);
        o[1] = SaturatingAdd(o[1], (int64_t(s) * gainRight) >> 16);
        fraction += fractionStep;
        if (fraction > 0xFFFF) {
            fraction &= 0xFFFF;
            pos += v.carryStep;
        } else {
            pos += v.step;
        }
    };

    int32_t f = v.mixStart;
    const int32_t heldEnd = std::min(v.noteEnd, v.segmentEnd);
    bool ended = false;
    for (; f < heldEnd; ++f) {
        if (mode == 18) {
            while (pos >= v.loopEnd) pos = v.loopStart;
        } else if (mode != 2 && pos >= v.sampleEnd) {
            ended = true;
            break;
        }
        emit(f);
        if (mode == 2 && pos >= v.loopEnd) {
            pos -= v.loopEnd - v.loopStart;  // the overshoot carries into the loop
            if (pos >= v.loopEnd) pos = v.loopStart;
        }
    }
    if (!ended) {
        for (; f < v.segmentEnd; ++f) {
            if (pos >= v.sampleEnd) {
                ended = true;
                break;
            }
            emit(f);
            if ((cadenceBase + uint32_t(f) + 1) % 16 == 0) {
                v.envelopeLevel += v.envelopeStep;
                if (v.envelopeLevel <= 0) {
                    ended = true;
                    break;
                }
                gainLeft = int32_t((int64_t(v.baseGainLeft) * v.envelopeLevel) >> 16);
                gainRight = int32_t((int64_t(v.baseGainRight) * v.envelopeLevel) >> 16);
            }
        }
    }
    if (ended) v.active = 0;
    v.position = pos;
    v.fraction = fraction;
    v.gainLeft = gainLeft;
    v.gainRight = gainRight;
}
