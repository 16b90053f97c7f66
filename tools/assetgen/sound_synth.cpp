#include "assetgen/sound_synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {

using dsp::kPi;
using dsp::kRate;

namespace {
// Per-sample factor that brings a level down by 60 dB in `seconds`.
double DecayFactor(double seconds) { return std::pow(0.001, 1.0 / (std::max(seconds, 0.001) * kRate)); }
}  // namespace

Signal Pluck(const PluckShape& shape) {
    // A delay line of one period with a two-tap loop filter (weights 1 - d
    // and d). The filter delays by d samples, so the line is that much
    // shorter; a small d lets the upper harmonics ring on as a real string's do.
    const double d = std::clamp(shape.damping, 0.05, 0.5);
    const double period = double(kRate) / shape.hz - d;
    const size_t length = size_t(period) + 2;
    std::vector<double> line(length, 0.0);
    dsp::Noise noise(shape.seed);
    dsp::Biquad tone = dsp::Biquad::LowPass(400 + shape.brightness * 7000, 0.7);
    // Excitation: filtered noise with a comb notch for the pick position.
    std::vector<double> burst(length);
    for (size_t i = 0; i < length; ++i) burst[i] = tone.Process(noise.Next());
    const size_t pickOffset = std::max<size_t>(1, size_t(shape.pick * period));
    for (size_t i = 0; i < length; ++i) line[i] = burst[i] - 0.8 * burst[(i + pickOffset) % length];
    if (shape.shape > 0) {
        // A string pulled aside at the pick point and let go: a triangle,
        // whose harmonics fall as 1/h^2, so the fundamental leads.
        double noisePower = 0, trianglePower = 0;
        std::vector<double> triangle(length);
        const double apex = std::clamp(shape.pick, 0.05, 0.95) * double(length);
        for (size_t i = 0; i < length; ++i) {
            const double x = double(i);
            triangle[i] = x < apex ? x / apex : (double(length) - x) / (double(length) - apex);
            noisePower += line[i] * line[i];
        }
        double mean = 0;
        for (double v : triangle) mean += v / double(length);
        for (double& v : triangle) trianglePower += (v - mean) * (v - mean);
        const double k = trianglePower > 0 ? std::sqrt(noisePower / trianglePower) : 0;
        for (size_t i = 0; i < length; ++i) line[i] = (1 - shape.shape) * line[i] + shape.shape * k * (triangle[i] - mean);
    }
    double mean = 0;
    for (double v : line) mean += v;
    mean /= double(length);
    for (double& v : line) v -= mean;

    // Loss per pass so the fundamental decays in decaySeconds.
    const double loss = std::pow(0.001, period / (shape.decaySeconds * kRate));
    const double frac = period - std::floor(period);
    const size_t whole = size_t(std::floor(period));
    Signal out(dsp::Samples(shape.seconds));
    std::vector<double> history(length * 2 + 4, 0.0);
    // Circular buffer read at a fractional delay behind the write position.
    const size_t size = history.size();
    for (size_t i = 0; i < length; ++i) history[i] = line[i];
    size_t write = length;
    double previous = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const size_t a = (write + size - whole) % size;
        const size_t b = (write + size - whole - 1) % size;
        const double delayed = history[a] * (1 - frac) + history[b] * frac;
        const double filtered = ((1 - d) * delayed + d * previous) * loss;
        previous = delayed;
        history[write] = filtered;
        write = (write + 1) % size;
        out[n] = float(filtered);
    }
    dsp::FadeIn(out, 8);
    dsp::FadeOut(out, dsp::Samples(0.05));
    return out;
}

Signal Modal(double hz, const std::vector<Partial>& partials, double seconds, double mallet, uint32_t seed) {
    Signal out(dsp::Samples(seconds), 0.0f);
    for (const Partial& p : partials) {
        const double f = hz * p.ratio;
        if (f >= kRate * 0.45) continue;
        const double k = DecayFactor(p.decaySeconds);
        double level = p.amplitude;
        const double w = 2 * kPi * f / kRate;
        for (size_t n = 0; n < out.size(); ++n) {
            out[n] += float(level * std::sin(w * double(n)));
            level *= k;
        }
    }
    if (mallet > 0) {
        dsp::Noise noise(seed);
        dsp::Biquad band = dsp::Biquad::BandPass(std::min(hz * 3, 6000.0), 1.2);
        const size_t clickLength = dsp::Samples(0.012);
        for (size_t n = 0; n < clickLength && n < out.size(); ++n) {
            const double env = 1.0 - double(n) / double(clickLength);
            out[n] += float(mallet * env * env * band.Process(noise.Next()));
        }
    }
    dsp::FadeIn(out, 4);
    dsp::FadeOut(out, dsp::Samples(0.05));
    return out;
}

Signal Fm(const FmShape& shape) {
    Signal out(dsp::Samples(shape.seconds));
    const double k = DecayFactor(shape.ampDecay);
    double level = 1;
    const double wc = 2 * kPi * shape.hz / kRate;
    const double wm = wc * shape.ratio;
    const size_t attack = std::max<size_t>(1, dsp::Samples(shape.attack));
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kRate;
        const double index = shape.index * std::exp(-t / shape.indexDecay);
        const double env = n < attack ? double(n) / double(attack) : 1.0;
        out[n] = float(env * level * std::sin(wc * double(n) + index * std::sin(wm * double(n))));
        level *= k;
    }
    dsp::FadeOut(out, dsp::Samples(0.05));
    return out;
}

namespace {

// Noise that repeats every `length` samples: the filter runs over three
// passes of the same noise and the last pass is kept (its steady state).
std::vector<float> PeriodicNoise(size_t length, double hz, uint32_t seed) {
    dsp::Noise noise(seed);
    std::vector<float> raw(length);
    for (float& v : raw) v = noise.Next();
    dsp::Biquad band = dsp::Biquad::BandPass(hz, 0.8);
    std::vector<float> out(length);
    for (int pass = 0; pass < 3; ++pass)
        for (size_t i = 0; i < length; ++i) out[i] = band.Process(raw[i]);
    return out;
}

}  // namespace

namespace {

// The loop length from `least` up to a quarter more whose whole number of
// cycles comes nearest the wanted pitch: a loop of whole cycles can only
// sound multiples of rate / length.
size_t TunedLoop(double hz, size_t least) {
    size_t best = least;
    double bestCents = 1e9;
    for (size_t length = least; length <= least + least / 4; ++length) {
        const double cycles = std::max(1.0, std::round(hz * double(length) / kRate));
        const double cents = std::fabs(1200 * std::log2(cycles * kRate / double(length) / hz));
        if (cents < bestCents - 1e-9) best = length, bestCents = cents;
        if (cents < 0.1) break;
    }
    return best;
}

}  // namespace

LoopedSample Sustained(const LoopShape& shape) {
    const size_t loop = TunedLoop(shape.hz, shape.loopSamples);
    // Whole cycles per loop, so every harmonic meets itself at the loop point.
    const int cycles = std::max(1, int(std::lround(shape.hz * double(loop) / kRate)));
    const double base = double(cycles) / double(loop);  // cycles per sample
    int harmonicCount = 0;
    for (size_t h = 1; h <= shape.harmonics.size(); ++h)
        if (double(h) * shape.hz <= shape.maxHarmonicHz) harmonicCount = int(h);
    harmonicCount = std::max(harmonicCount, 1);
    const std::vector<float> breath =
        shape.breath > 0 ? PeriodicNoise(loop, shape.breathHz, shape.seed) : std::vector<float>(loop, 0.0f);

    const size_t attack = std::max<size_t>(1, dsp::Samples(shape.attack));
    const size_t tail = dsp::Samples(shape.tail);
    // The steady signal at sample n (periodic in `loop`), with the upper
    // harmonics scaled by `open` during the swell.
    auto steady = [&](size_t n, double open) {
        const double t = double(n % loop);
        double phase = base * t;
        if (shape.vibratoCycles > 0 && shape.vibratoDepth > 0) {
            const double beta = shape.vibratoDepth * cycles / shape.vibratoCycles;
            phase += beta * std::sin(2 * kPi * shape.vibratoCycles * t / double(loop)) / (2 * kPi);
        }
        const double wow = shape.wowCycles > 0 ? std::sin(2 * kPi * shape.wowCycles * t / double(loop)) : 0.0;
        double v = 0;
        for (int h = 1; h <= harmonicCount; ++h) {
            double a = shape.harmonics[size_t(h - 1)];
            if (h > 1) a *= std::pow(open, double(h - 1));
            if (shape.wowDepth > 0 && h > 2) a *= 1.0 + shape.wowDepth * wow * std::sin(h * 0.9);
            v += a * std::sin(2 * kPi * h * phase);
            if (shape.chorus > 0) {
                // Two copies a cycle per loop sharp and flat, so the pitch
                // heard stays on the root.
                const double drift = t / double(loop);
                v += 0.5 * shape.chorus * a *
                     (std::sin(2 * kPi * h * (phase + drift) + h) + std::sin(2 * kPi * h * (phase - drift) + 2 * h));
            }
        }
        return v + shape.breath * breath[n % loop];
    };

    // Start the loop on an upward zero crossing after the attack.
    size_t loopStart = attack;
    for (size_t n = attack; n < attack + loop; ++n) {
        if (steady(n, 1.0) <= 0 && steady(n + 1, 1.0) > 0) {
            loopStart = n + 1;
            break;
        }
    }
    const size_t total = loopStart + loop + tail;
    LoopedSample out;
    out.samples.resize(total);
    for (size_t n = 0; n < total; ++n) {
        double env = 1, open = 1;
        if (n < loopStart) {
            const double x = double(n) / double(loopStart);
            env = std::sin(0.5 * kPi * x);
            open = shape.swell > 0 ? std::pow(x, shape.swell) : 1.0;
        } else if (n >= loopStart + loop) {
            const double x = double(n - loopStart - loop) / double(std::max<size_t>(tail, 1));
            env = 0.5 + 0.5 * std::cos(kPi * std::min(x * 1.0, 1.0));
        }
        out.samples[n] = float(env * steady(n, open));
    }
    out.samples.back() = 0;
    out.loopStart = uint32_t(loopStart);
    out.loopEnd = uint32_t(loopStart + loop);
    return out;
}

}  // namespace assetgen::synth
