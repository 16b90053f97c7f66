#include "assetgen/sound_percussion.h"

#include <cmath>

#include "assetgen/sound_synth.h"

namespace assetgen::percussion {

using dsp::kPi;
using dsp::kRate;

namespace {

// A sine whose frequency glides exponentially from `from` to `to`.
Signal Sweep(double from, double to, double glideSeconds, double decaySeconds, double seconds) {
    Signal out(dsp::Samples(seconds));
    double phase = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kRate;
        const double f = to + (from - to) * std::exp(-t / glideSeconds);
        phase += 2 * kPi * f / kRate;
        out[n] = float(std::sin(phase) * std::exp(-t / decaySeconds));
    }
    return out;
}

// Filtered noise with an exponential decay after a short attack.
Signal NoiseHit(dsp::Biquad filter, double attackSeconds, double decaySeconds, double seconds, uint32_t seed) {
    dsp::Noise noise(seed);
    Signal out(dsp::Samples(seconds));
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kRate;
        const double env = (t < attackSeconds ? t / attackSeconds : 1.0) * std::exp(-t / decaySeconds);
        out[n] = float(env * filter.Process(noise.Next()));
    }
    return out;
}

Signal Finish(Signal s, float peak) {
    dsp::FadeIn(s, 3);
    dsp::FadeOut(s, dsp::Samples(0.02));
    dsp::Normalise(s, peak);
    return s;
}

void Add(Signal& into, const Signal& s, float gain) { dsp::MixInto(into, s, 0, gain); }

}  // namespace

Signal Kick() {
    Signal s = Sweep(150, 48, 0.03, 0.18, 0.45);
    Add(s, NoiseHit(dsp::Biquad::LowPass(3000, 0.7), 0.0005, 0.006, 0.03, 11), 0.4f);
    return Finish(s, 0.8f);
}

Signal Snare() {
    Signal s = NoiseHit(dsp::Biquad::BandPass(3500, 0.6), 0.001, 0.07, 0.3, 12);
    Add(s, Sweep(240, 180, 0.02, 0.05, 0.2), 0.7f);
    return Finish(s, 0.8f);
}

Signal ClosedHat() { return Finish(NoiseHit(dsp::Biquad::HighPass(7000, 0.8), 0.0005, 0.018, 0.09, 13), 0.7f); }

Signal OpenHat() { return Finish(NoiseHit(dsp::Biquad::HighPass(6500, 0.8), 0.001, 0.14, 0.5, 14), 0.7f); }

Signal Ride() {
    // A bell-like ping over a long wash of bright noise.
    Signal s = synth::Modal(620, {{1, 0.5, 1.4}, {2.41, 0.4, 1.1}, {3.73, 0.3, 0.8}, {5.9, 0.25, 0.6}}, 1.4, 0, 15);
    Add(s, NoiseHit(dsp::Biquad::HighPass(5000, 0.7), 0.001, 0.45, 1.4, 16), 0.9f);
    return Finish(s, 0.7f);
}

Signal Crash() {
    Signal s = NoiseHit(dsp::Biquad::HighPass(3500, 0.6), 0.002, 0.6, 2.0, 17);
    Add(s, NoiseHit(dsp::Biquad::BandPass(5500, 1.5), 0.002, 0.3, 1.0, 18), 0.6f);
    return Finish(s, 0.75f);
}

Signal Clap() {
    Signal s(dsp::Samples(0.3), 0.0f);
    // Several hands a few milliseconds apart, then the room.
    for (int k = 0; k < 4; ++k) {
        Signal burst = NoiseHit(dsp::Biquad::BandPass(1300, 1.5), 0.0005, k < 3 ? 0.006 : 0.06, 0.25, 20u + uint32_t(k));
        dsp::MixInto(s, burst, dsp::Samples(0.009 * k), 1.0f);
    }
    s.resize(dsp::Samples(0.3));
    return Finish(s, 0.75f);
}

Signal Shaker() {
    dsp::Noise noise(24);
    dsp::Biquad band = dsp::Biquad::BandPass(6500, 1.2);
    Signal out(dsp::Samples(0.16));
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kRate;
        const double env = std::sin(kPi * std::min(t / 0.16, 1.0)) * (t < 0.05 ? t / 0.05 : 1.0);
        out[n] = float(env * band.Process(noise.Next()));
    }
    return Finish(out, 0.6f);
}

Signal Tambourine() {
    Signal s = NoiseHit(dsp::Biquad::BandPass(8000, 2.0), 0.001, 0.12, 0.4, 25);
    Add(s, synth::Modal(4200, {{1, 0.3, 0.3}, {1.37, 0.25, 0.25}, {1.83, 0.2, 0.2}}, 0.4, 0, 26), 0.6f);
    return Finish(s, 0.65f);
}

Signal WoodBlock() { return Finish(synth::Modal(950, {{1, 1, 0.12}, {2.7, 0.4, 0.05}}, 0.2, 0.4, 27), 0.7f); }

Signal TempleBlock() {
    return Finish(synth::Modal(520, {{1, 1, 0.25}, {2.2, 0.35, 0.1}, {3.9, 0.15, 0.06}}, 0.35, 0.3, 28), 0.7f);
}

Signal Clapsticks() {
    return Finish(synth::Modal(2300, {{1, 1, 0.06}, {1.58, 0.6, 0.05}, {2.3, 0.3, 0.03}}, 0.12, 0.6, 29), 0.7f);
}

Signal Bodhran() {
    Signal s = Sweep(120, 82, 0.04, 0.16, 0.5);
    Add(s, NoiseHit(dsp::Biquad::LowPass(900, 0.8), 0.001, 0.03, 0.2, 30), 0.5f);
    return Finish(s, 0.8f);
}

Signal Conga() {
    Signal s = synth::Modal(330, {{1, 1, 0.35}, {1.59, 0.35, 0.15}, {2.14, 0.2, 0.1}}, 0.5, 0.5, 31);
    return Finish(s, 0.75f);
}

Signal Gong() {
    // Many close inharmonic partials beating against each other.
    std::vector<synth::Partial> partials;
    const double ratios[] = {1.0, 1.52, 1.97, 2.44, 2.93, 3.52, 4.11, 4.86, 5.61};
    int k = 0;
    for (double r : ratios) {
        partials.push_back({r, 1.0 / (1 + 0.4 * k), 2.6 - 0.18 * k});
        partials.push_back({r * 1.004, 0.6 / (1 + 0.4 * k), 2.4 - 0.18 * k});
        ++k;
    }
    Signal s = synth::Modal(98, partials, 2.8, 0.6, 32);
    return Finish(s, 0.8f);
}

Signal Timpani(double hz) {
    Signal s = synth::Modal(hz, {{1, 1, 1.6}, {1.5, 0.5, 1.1}, {1.99, 0.3, 0.8}, {2.44, 0.2, 0.6}}, 1.8, 0.5, 33);
    return Finish(s, 0.8f);
}

}  // namespace assetgen::percussion
