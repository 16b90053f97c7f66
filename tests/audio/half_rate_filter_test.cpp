// The low-pass that waves get before the synthesiser plays them at half rate.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/half_rate_filter.h"

namespace {

std::vector<int16_t> Sine(double hz, size_t count) {
    std::vector<int16_t> s(count);
    for (size_t i = 0; i < count; ++i) s[i] = int16_t(std::lround(20000 * std::sin(2 * M_PI * hz * double(i) / 22050)));
    return s;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(to - from));
}

TEST(HalfRateFilter, KeepsWhatHalfRateCanPlayAndRemovesWhatWouldFoldBack) {
    for (double hz : {200.0, 1000.0, 4000.0}) {
        std::vector<int16_t> s = Sine(hz, 4000);
        const double before = Rms(s, 100, 3900);
        audio::LowPassForHalfRate(s.data(), s.size());
        EXPECT_NEAR(Rms(s, 100, 3900) / before, 1.0, 0.02) << hz << " Hz";
    }
    // Above 5.5 kHz a half-rate output would hear these at 11025 - f.
    for (double hz : {6500.0, 8000.0, 10000.0}) {
        std::vector<int16_t> s = Sine(hz, 4000);
        const double before = Rms(s, 100, 3900);
        audio::LowPassForHalfRate(s.data(), s.size());
        EXPECT_LT(Rms(s, 100, 3900) / before, 0.01) << hz << " Hz";  // 40 dB down
    }
}

TEST(HalfRateFilter, KeepsTheTimingOfTheSamples) {
    // A linear-phase filter: a click stays where it was, so loops stay put.
    std::vector<int16_t> s(200, 0);
    s[100] = 30000;
    audio::LowPassForHalfRate(s.data(), s.size());
    int peakAt = 0;
    for (int i = 0; i < 200; ++i)
        if (std::abs(s[size_t(i)]) > std::abs(s[size_t(peakAt)])) peakAt = i;
    EXPECT_EQ(peakAt, 100);
    EXPECT_EQ(s[99], s[101]);
}

}  // namespace
