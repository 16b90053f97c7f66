#include "assetgen/sound_dsp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/riff.h"

namespace assetgen::dsp {

size_t Samples(double seconds) { return size_t(std::lround(seconds * kRate)); }

double NoteHz(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

float Noise::Next() {
    // xorshift32: fast, and the same stream on every platform.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return float(double(state_) / 2147483648.0 - 1.0);
}

namespace {
struct Coefficients {
    double w, cosw, alpha;
};
Coefficients Prepare(double hz, double q) {
    const double w = 2 * kPi * std::min(hz, kRate * 0.49) / kRate;
    return {w, std::cos(w), std::sin(w) / (2 * q)};
}
}  // namespace

Biquad Biquad::LowPass(double hz, double q) {
    auto c = Prepare(hz, q);
    Biquad f;
    const double a0 = 1 + c.alpha;
    f.b0_ = (1 - c.cosw) / 2 / a0;
    f.b1_ = (1 - c.cosw) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * c.cosw / a0;
    f.a2_ = (1 - c.alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(double hz, double q) {
    auto c = Prepare(hz, q);
    Biquad f;
    const double a0 = 1 + c.alpha;
    f.b0_ = (1 + c.cosw) / 2 / a0;
    f.b1_ = -(1 + c.cosw) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * c.cosw / a0;
    f.a2_ = (1 - c.alpha) / a0;
    return f;
}

Biquad Biquad::BandPass(double hz, double q) {
    auto c = Prepare(hz, q);
    Biquad f;
    const double a0 = 1 + c.alpha;
    f.b0_ = c.alpha / a0;
    f.b1_ = 0;
    f.b2_ = -c.alpha / a0;
    f.a1_ = -2 * c.cosw / a0;
    f.a2_ = (1 - c.alpha) / a0;
    return f;
}

Biquad Biquad::HighShelf(double hz, double gainDb) {
    auto c = Prepare(hz, std::sqrt(0.5));
    const double a = std::pow(10.0, gainDb / 40);
    const double k = 2 * std::sqrt(a) * c.alpha;
    Biquad f;
    const double a0 = (a + 1) - (a - 1) * c.cosw + k;
    f.b0_ = a * ((a + 1) + (a - 1) * c.cosw + k) / a0;
    f.b1_ = -2 * a * ((a - 1) + (a + 1) * c.cosw) / a0;
    f.b2_ = a * ((a + 1) + (a - 1) * c.cosw - k) / a0;
    f.a1_ = 2 * ((a - 1) - (a + 1) * c.cosw) / a0;
    f.a2_ = ((a + 1) - (a - 1) * c.cosw - k) / a0;
    return f;
}

float Biquad::Process(float x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return float(y);
}

void Normalise(Signal& s, float peak) {
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (top <= 0) return;
    const float k = peak / top;
    for (float& v : s) v *= k;
}

void FadeIn(Signal& s, size_t n) {
    n = std::min(n, s.size());
    for (size_t i = 0; i < n; ++i) s[i] *= float(0.5 - 0.5 * std::cos(kPi * double(i) / double(n)));
}

void FadeOut(Signal& s, size_t n) {
    n = std::min(n, s.size());
    const size_t first = s.size() - n;
    for (size_t i = 0; i < n; ++i) s[first + i] *= float(0.5 + 0.5 * std::cos(kPi * double(i + 1) / double(n)));
}

void MixInto(Signal& into, const Signal& add, size_t at, float gain) {
    if (into.size() < at + add.size()) into.resize(at + add.size(), 0.0f);
    for (size_t i = 0; i < add.size(); ++i) into[at + i] += add[i] * gain;
}

double LoudnessDb(const Signal& s, size_t from) {
    Biquad low = Biquad::HighPass(60, 0.5), shelf = Biquad::HighShelf(1700, 4);
    std::vector<double> squares;
    squares.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const double v = shelf.Process(low.Process(s[i]));
        if (i >= from) squares.push_back(v * v);
    }
    const size_t window = Samples(0.4), hop = Samples(0.1);
    std::vector<double> windows;
    double sum = 0;
    for (size_t i = 0; i < squares.size(); ++i) {
        sum += squares[i];
        if (i >= window) sum -= squares[i - window];
        if (i + 1 >= window && (i + 1 - window) % hop == 0) windows.push_back(std::max(sum, 0.0) / double(window));
    }
    if (windows.empty() && !squares.empty()) {
        // Shorter than a window: its energy spread over one.
        double all = 0;
        for (double v : squares) all += v;
        windows.push_back(all / double(window));
    }
    if (windows.empty()) return -200;
    std::sort(windows.rbegin(), windows.rend());
    const size_t loudest = std::max<size_t>(1, windows.size() / 10);
    double mean = 0;
    for (size_t i = 0; i < loudest; ++i) mean += windows[i];
    mean /= double(loudest);
    return mean > 0 ? 10 * std::log10(mean) : -200;
}

void LevelTo(Signal& s, double loudnessDb, float peak) {
    const double now = LoudnessDb(s);
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (now <= -200 || top <= 0) return;
    const double gain = std::min(std::pow(10.0, (loudnessDb - now) / 20), double(peak) / top);
    for (float& v : s) v = float(v * gain);
}

std::vector<int16_t> ToPcm(const Signal& s) {
    std::vector<int16_t> pcm(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const long v = std::lround(double(s[i]) * 32767.0);
        pcm[i] = int16_t(std::clamp(v, -32767L, 32767L));
    }
    return pcm;
}

int WriteMonoWave(const std::string& path, const Signal& s) {
    platform::WAVEFORMATEX format{};
    format.wFormatTag = platform::WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kRate * 2;
    const std::vector<int16_t> pcm = ToPcm(s);
    if (!platform::WriteWaveFile(path.c_str(), format, pcm.data(), platform::DWORD(pcm.size() * 2))) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return 0;
    }
    return 1;
}

}  // namespace assetgen::dsp
