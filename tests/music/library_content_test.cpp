// The instrument and effect libraries as the game reads them.
#include <cmath>
#include <cstring>

#include "audio/fx_player.h"
#include "audio/virtual_synth.h"
#include "music_test_support.h"

namespace {

using music_test::DataFolderTest;

class InstrumentLibrary : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds_, nullptr), platform::DS_OK);
        synth_ = std::make_unique<VirtualSynth>(nullptr, ds_);
        ASSERT_EQ(synth_->LoadInstrumentLibrary(".\\seq\\wavelib.txt"), 1);
    }
    platform::IDirectSound* ds_ = nullptr;  // owned by the synthesiser
    std::unique_ptr<VirtualSynth> synth_;
};

TEST_F(InstrumentLibrary, EveryInstrumentLoadsAsSixteenBitMonoWithSoundLoops) {
    int count = 0;
    for (int program = 0; program < 128; ++program) {
        Instrument* instrument = synth_->InstrumentAt(0, program);
        if (!instrument) continue;
        ++count;
        SCOPED_TRACE("program " + std::to_string(program));
        ASSERT_NE(instrument->wave, nullptr);
        ASSERT_EQ(synth_->VS_load_instrument(0, program), 1);
        const WaveEntry& wave = *instrument->wave;
        EXPECT_EQ(wave.format.wFormatTag, platform::WAVE_FORMAT_PCM);
        EXPECT_EQ(wave.format.nChannels, 1);
        EXPECT_EQ(wave.format.wBitsPerSample, 16);
        EXPECT_EQ(wave.format.nSamplesPerSec, 22050u);
        const uint32_t samples = wave.dataBytes / 2;
        ASSERT_GT(samples, 1000u);
        const int16_t* s = wave.samples.get();
        // Notes end without a click: the last sample is silent.
        EXPECT_LE(std::abs(int(s[samples - 1])), 64);
        if (instrument->loopFlag == 1) {
            // The held part never reads past the sample, and jumping back
            // from the loop end continues the wave where the loop starts.
            ASSERT_LT(instrument->loopStart, instrument->loopEnd);
            ASSERT_LT(instrument->loopEnd, samples - 1);
            EXPECT_GT(instrument->release, 0u) << "a looped note must fade after its end";
            const int jump = std::abs(int(s[instrument->loopEnd]) - int(s[instrument->loopStart]));
            EXPECT_LE(jump, 8) << "the loop point jumps";
            const int step = std::abs(int(s[instrument->loopStart]) - int(s[instrument->loopEnd - 1]));
            int typical = 0;
            for (uint32_t i = instrument->loopStart; i + 1 < instrument->loopEnd; ++i)
                typical = std::max(typical, std::abs(int(s[i + 1]) - int(s[i])));
            EXPECT_LE(step, typical + 8) << "the loop's last sample does not lead into its first";
        } else {
            EXPECT_EQ(instrument->loopFlag, 0);
        }
    }
    EXPECT_GE(count, 30);
    EXPECT_LE(count, 50);
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
}

// Magnitude of one frequency in a Hann-windowed stretch of samples.
double Magnitude(const int16_t* s, size_t count, double hz) {
    double re = 0, im = 0;
    for (size_t i = 0; i < count; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(count));
        const double phase = 2 * M_PI * hz * double(i) / 22050;
        re += w * s[i] * std::cos(phase);
        im += w * s[i] * std::sin(phase);
    }
    return std::hypot(re, im);
}

TEST_F(InstrumentLibrary, PitchedInstrumentsSoundAtTheirRootNote) {
    for (int program = 0; program < 100; ++program) {
        Instrument* instrument = synth_->InstrumentAt(0, program);
        if (!instrument || !synth_->VS_load_instrument(0, program)) continue;
        SCOPED_TRACE("program " + std::to_string(program));
        const WaveEntry& wave = *instrument->wave;
        const size_t count = 8192, from = 2000;
        ASSERT_GT(wave.dataBytes / 2, from + count);
        // The strongest frequency within a semitone of the root.
        const double root = 440.0 * std::pow(2.0, (instrument->rootNote - 69) / 12.0);
        int bestCents = 0;
        double best = 0;
        for (int cents = -100; cents <= 100; cents += 2) {
            const double m = Magnitude(wave.samples.get() + from, count, root * std::pow(2.0, cents / 1200.0));
            if (m > best) {
                best = m;
                bestCents = cents;
            }
        }
        EXPECT_LE(std::abs(bestCents), 12);
    }
}

TEST_F(DataFolderTest, EveryEffectTheGamePlaysLoadsIntoTheEffectPlayer) {
    platform::IDirectSound* ds = nullptr;
    ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds, nullptr), platform::DS_OK);
    ds->SetCooperativeLevel(nullptr, platform::DSSCL_NORMAL);
    {
        FxPlayer player(nullptr, ds, 30);
        ASSERT_EQ(player.LoadFXLib(".\\seq\\fxlib.txt"), 1);
        for (int effect : music_test::GameEffects()) {
            SCOPED_TRACE("effect " + std::to_string(effect));
            const int slot = player.FxPlayer_Load(effect);
            ASSERT_GE(slot, 0);
            platform::DWORD size = 0;
            player.Slot(slot)->buffer->GetFormat(nullptr, 0, &size);
            platform::WAVEFORMATEX format{};
            ASSERT_EQ(player.Slot(slot)->buffer->GetFormat(&format, size, nullptr), platform::DS_OK);
            EXPECT_EQ(format.nChannels, 1);
            EXPECT_EQ(format.wBitsPerSample, 16);
            player.FxPlayer_Release(slot);
        }
    }
    ds->Release();
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
}

// Samples of an effect's WAVE file, read the way the game opens it.
std::vector<int16_t> EffectSamples(int effect) {
    FxPlayer names(nullptr, nullptr, 1);
    if (!names.LoadFXLib(".\\seq\\fxlib.txt") || !names.EffectName(effect)) return {};
    std::vector<uint8_t> bytes = music_test::ReadBytes(*names.EffectName(effect));
    // A plain RIFF file as the writer makes it: the data follows a 44-byte head.
    if (bytes.size() <= 44) return {};
    std::vector<int16_t> s((bytes.size() - 44) / 2);
    std::memcpy(s.data(), bytes.data() + 44, s.size() * 2);
    return s;
}

TEST_F(DataFolderTest, PantingLoopsSeamlesslyAndFanfaresLastFourToSixSeconds) {
    std::vector<int16_t> panting = EffectSamples(20);
    ASSERT_GT(panting.size(), 1000u);
    EXPECT_LE(std::abs(int(panting.front())), 64);
    EXPECT_LE(std::abs(int(panting.back())), 64);
    for (int effect = 26; effect <= 31; ++effect) {
        const double seconds = double(EffectSamples(effect).size()) / 22050;
        EXPECT_GE(seconds, 3.8) << "fanfare " << effect;
        EXPECT_LE(seconds, 6.5) << "fanfare " << effect;
    }
}

// The lock's voice and the captive's hum sound at the same known pitch, so
// the child can match them note for note.
double Frequency(const std::vector<int16_t>& s, size_t from, size_t count) {
    // The lag between 150 and 1000 Hz at which the stretch best matches itself.
    if (s.size() < from + count + 200) return 0;
    double bestScore = 0;
    int bestLag = 0;
    for (int lag = 22050 / 1000; lag <= 22050 / 150; ++lag) {
        double score = 0;
        for (size_t i = from; i < from + count; ++i) score += double(s[i]) * s[i + size_t(lag)];
        if (score > bestScore) {
            bestScore = score;
            bestLag = lag;
        }
    }
    // Refine between neighbouring lags by a parabola through the scores.
    auto at = [&](int lag) {
        double score = 0;
        for (size_t i = from; i < from + count; ++i) score += double(s[i]) * s[i + size_t(lag)];
        return score;
    };
    if (!bestLag) return 0;
    const double l = at(bestLag - 1), c = at(bestLag), r = at(bestLag + 1);
    const double offset = (l - r) / (2 * (l - 2 * c + r));
    return 22050.0 / (bestLag + offset);
}

TEST_F(DataFolderTest, LockVoiceAndHumShareTheirPitch) {
    const double bell = Frequency(EffectSamples(5), 2000, 6000);
    const double hum = Frequency(EffectSamples(6), 4000, 6000);
    EXPECT_NEAR(bell, 392.0, 4.0);
    EXPECT_NEAR(hum, 392.0, 4.0);
}

}  // namespace
