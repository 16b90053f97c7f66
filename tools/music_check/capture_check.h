#pragma once
// Levels of a captured stereo sound: RMS, peak and clipped samples, and the
// spectrum's energy in bands (an averaged 1024-point periodogram), so a
// capture of the game can be judged by numbers instead of by ear.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace music_check {

struct CaptureLevels {
    double seconds = 0;
    double rmsDb = -200;   // dBFS of the whole capture, both channels
    double peakDb = -200;  // dBFS of the largest sample
    long clipped = 0;      // samples at full scale (the sum saturated there)
};

inline double ToDb(double amplitude) { return amplitude > 0 ? 20 * std::log10(amplitude / 32768.0) : -200; }

inline CaptureLevels MeasureCapture(const std::vector<int16_t>& frames, unsigned rate) {
    CaptureLevels c;
    if (frames.empty() || rate == 0) return c;
    double sum = 0;
    int peak = 0;
    for (int16_t s : frames) {
        sum += double(s) * s;
        peak = std::max(peak, std::abs(int(s)));
        if (s >= 32767 || s <= -32768) ++c.clipped;
    }
    c.seconds = double(frames.size()) / 2 / rate;
    c.rmsDb = ToDb(std::sqrt(sum / double(frames.size())));
    c.peakDb = ToDb(peak);
    return c;
}

// In-place radix-2 FFT; the size must be a power of two.
inline void Fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -2 * M_PI / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> t = 1;
            for (size_t k = 0; k < len / 2; ++k, t *= w) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * t;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

// Power per frequency bin of the mono sum (Hann windows of 1024, hop 512),
// averaged over the capture. Bin k is k * rate / 1024 Hz.
inline std::vector<double> PowerSpectrum(const std::vector<int16_t>& frames) {
    constexpr size_t kSize = 1024;
    std::vector<double> power(kSize / 2, 0.0);
    const size_t count = frames.size() / 2;
    int windows = 0;
    std::vector<std::complex<double>> a(kSize);
    for (size_t from = 0; from + kSize <= count; from += kSize / 2, ++windows) {
        for (size_t i = 0; i < kSize; ++i) {
            const double w = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / kSize);
            a[i] = w * 0.5 * (frames[2 * (from + i)] + frames[2 * (from + i) + 1]);
        }
        Fft(a);
        for (size_t k = 0; k < kSize / 2; ++k) power[k] += std::norm(a[k]);
    }
    if (windows)
        for (double& p : power) p /= windows;
    return power;
}

// Decibels of the energy between two frequencies relative to the whole.
inline double BandShareDb(const std::vector<double>& power, unsigned rate, double fromHz, double toHz) {
    double band = 0, all = 0;
    for (size_t k = 1; k < power.size(); ++k) {
        const double hz = double(k) * rate / (2.0 * double(power.size()));
        all += power[k];
        if (hz >= fromHz && hz < toHz) band += power[k];
    }
    return band > 0 && all > 0 ? 10 * std::log10(band / all) : -200;
}

// Stereo 16-bit frames of a plain WAVE file (as the capture writer makes it).
inline bool ReadStereoWave(const std::string& path, std::vector<int16_t>* frames, unsigned* rate) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(f);
    auto u32 = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24); };
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF") return false;
    size_t at = 12;
    bool stereo16 = false;
    while (at + 8 <= bytes.size()) {
        const std::string tag(bytes.begin() + long(at), bytes.begin() + long(at) + 4);
        const size_t length = u32(at + 4);
        if (tag == "fmt " && length >= 16 && at + 24 <= bytes.size()) {
            stereo16 = (bytes[at + 10] | bytes[at + 11] << 8) == 2 && (bytes[at + 22] | bytes[at + 23] << 8) == 16;
            *rate = u32(at + 12);
        } else if (tag == "data" && stereo16) {
            const size_t n = std::min(length, bytes.size() - at - 8) / 2;
            frames->resize(n);
            for (size_t i = 0; i < n; ++i) (*frames)[i] = int16_t(bytes[at + 8 + 2 * i] | bytes[at + 9 + 2 * i] << 8);
            return true;
        }
        at += 8 + length + (length & 1);
    }
    return false;
}

}  // namespace music_check
