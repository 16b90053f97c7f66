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

// The left share of a voice by the cosine pan law.
double PanLaw(float pan) {
    double c = std::cos(double(pan) * 1.570796326795);
    return c * c;
}

}  // namespace

VirtualSynth::VirtualSynth(platform::HWND window, platform::IDirectSound* directSound)
    : directSound_(directSound), window_(window), instruments_(kBanks * kPrograms) {
    panLaw_.fill(PanLaw(SynthChannel{}.pan));
}

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
    panLaw_[channel] = PanLaw(pan);
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
        // The reference mix works out the pan law per voice, as it always did.
        const double c = mixLoop_ == MixLoop::Reference ? PanLaw(channel.pan) : panLaw_[v.channel];
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
    if (mixLoop_ != MixLoop::Reference) return SaturateToSamples(sum_.data(), out, sum_.size());
    for (size_t i = 0; i < sum_.size(); ++i) out[i] = int16_t(std::clamp<int32_t>(sum_[i], -32768, 32767));
}

void VirtualSynth::VS_render_voice(SynthVoice& v, int32_t* sum) {
    if (!v.active) return;
    const uint32_t mode = v.mode;
    if (mode != 0 && mode != 2 && mode != 16 && mode != 18) return;
    // The fade is applied every 16 frames of the mix buffer.
    const uint32_t cadenceBase = frameBytes_ ? writeOffset_ / frameBytes_ : 0;
    if (!RenderVoice(mixLoop_, v, sum, cadenceBase)) v.active = 0;
}
