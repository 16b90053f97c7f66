#include "audio/half_rate_filter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace audio {

namespace {

constexpr int kHalfTaps = 24;  // 49 taps: about 60 dB down above 5.9 kHz

// Windowed sinc (Blackman) with its cut-off just under a quarter of the rate.
std::array<double, 2 * kHalfTaps + 1> Taps() {
    std::array<double, 2 * kHalfTaps + 1> taps{};
    constexpr double kPi = 3.14159265358979323846;
    const double cutoff = 0.225;  // of the sample rate: 4.96 kHz at 22050 Hz
    double sum = 0;
    for (int i = -kHalfTaps; i <= kHalfTaps; ++i) {
        const double x = 2 * cutoff * i;
        const double sinc = i == 0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
        const double w = 0.42 + 0.5 * std::cos(kPi * i / kHalfTaps) + 0.08 * std::cos(2 * kPi * i / kHalfTaps);
        taps[size_t(i + kHalfTaps)] = 2 * cutoff * sinc * w;
        sum += taps[size_t(i + kHalfTaps)];
    }
    for (double& t : taps) t /= sum;  // unity gain at 0 Hz
    return taps;
}

}  // namespace

void LowPassForHalfRate(int16_t* samples, size_t count) {
    static const auto taps = Taps();
    const std::vector<int16_t> in(samples, samples + count);
    for (size_t n = 0; n < count; ++n) {
        double acc = 0;
        for (int k = -kHalfTaps; k <= kHalfTaps; ++k) {
            const long i = long(n) + k;
            if (i >= 0 && size_t(i) < count) acc += taps[size_t(k + kHalfTaps)] * in[size_t(i)];
        }
        samples[n] = int16_t(std::clamp(std::lround(acc), -32768L, 32767L));
    }
}

}  // namespace audio
