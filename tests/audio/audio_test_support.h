#pragma once
// Small writers and fixtures shared by the audio tests: a scratch folder,
// WAVE files of generated tones, library files, and a headless platform with
// the system mixer reset.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/dsound.h"
#include "platform/headless.h"
#include "platform/mmmixer.h"
#include "platform/platform.h"
#include "platform/riff.h"

namespace audio_test {

// A fresh folder under the system's temporary directory, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tw_audio_XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back(0);
        path_ = mkdtemp(buffer.data()) ? buffer.data() : "";
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline platform::WAVEFORMATEX PcmFormat(int channels, int rate, int bits = 16) {
    platform::WAVEFORMATEX f{};
    f.wFormatTag = platform::WAVE_FORMAT_PCM;
    f.nChannels = platform::WORD(channels);
    f.nSamplesPerSec = platform::DWORD(rate);
    f.wBitsPerSample = platform::WORD(bits);
    f.nBlockAlign = platform::WORD(channels * bits / 8);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    return f;
}

inline std::vector<int16_t> Sine(double frequency, int rate, size_t count, double amplitude = 12000) {
    std::vector<int16_t> s(count);
    for (size_t i = 0; i < count; ++i)
        s[i] = int16_t(std::lround(amplitude * std::sin(2 * M_PI * frequency * double(i) / rate)));
    return s;
}

inline bool WriteMonoWave(const std::string& path, const std::vector<int16_t>& samples, int rate = 22050) {
    return platform::WriteWaveFile(path.c_str(), PcmFormat(1, rate), samples.data(),
                                   platform::DWORD(samples.size() * 2)) == 1;
}

inline bool WriteText(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// A headless platform on a still manual clock, the system mixer at its
// defaults and an empty message-box log.
class HeadlessAudioTest : public ::testing::Test {
protected:
    HeadlessAudioTest() {
        platform::system_mixer::Reset();
        platform::headless::ClearMessageBoxLog();
    }
    ~HeadlessAudioTest() override { platform::system_mixer::Reset(); }
    platform::ScopedHeadless platform_;
    ScratchDir dir_;
};

// Root-mean-square level of every `stride`-th value from `first`.
inline double Rms(const std::vector<int16_t>& v, size_t first = 0, size_t stride = 1, size_t end = SIZE_MAX) {
    double sum = 0;
    size_t n = 0;
    for (size_t i = first; i < std::min(end, v.size()); i += stride, ++n) sum += double(v[i]) * v[i];
    return n ? std::sqrt(sum / double(n)) : 0;
}

}  // namespace audio_test
