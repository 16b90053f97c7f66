// The instrument and effect libraries as the game reads them.
#include <cmath>
#include <complex>
#include <cstring>

#include "audio/fx_player.h"
#include "audio/virtual_synth.h"
#include "music_check/capture_check.h"
#include "music_check/song_check.h"
#include "music_test_support.h"
#include "world/chars/reward_tables.h"

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
    // Thirty pitched instruments, each sampled twice (its own register and
    // two octaves down), and the percussion.
    EXPECT_GE(count, 60);
    EXPECT_LE(count, 80);
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
}

// Magnitude of one frequency in a stretch of samples, Hann-windowed unless
// the stretch is a whole loop (which repeats exactly, so needs no window).
template <typename Sample>
double Magnitude(const Sample* s, size_t count, double hz, bool hann = true) {
    double re = 0, im = 0;
    for (size_t i = 0; i < count; ++i) {
        const double w = hann ? 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(count)) : 1.0;
        const double phase = 2 * M_PI * hz * double(i) / 22050;
        re += w * s[i] * std::cos(phase);
        im += w * s[i] * std::sin(phase);
    }
    return std::hypot(re, im);
}

TEST_F(InstrumentLibrary, PitchedInstrumentsSoundWithinTwoCentsOfTheirRootNote) {
    int checked = 0;
    for (int program = 0; program < 100; ++program) {
        Instrument* instrument = synth_->InstrumentAt(0, program);
        if (!instrument || !synth_->VS_load_instrument(0, program)) continue;
        SCOPED_TRACE("program " + std::to_string(program));
        const WaveEntry& wave = *instrument->wave;
        const double root = 440.0 * std::pow(2.0, (instrument->rootNote - 69) / 12.0);
        const int16_t* samples = wave.samples.get();
        double cents = 0;
        if (instrument->loopFlag == 1) {
            // A held note is heard from its loop, which repeats exactly: its
            // spectrum has only multiples of rate / loop length, and the
            // fundamental is the strongest of them near the root.
            const size_t from = instrument->loopStart, count = instrument->loopEnd - instrument->loopStart;
            ASSERT_GT(wave.dataBytes / 2, from + count);
            const double bin = 22050.0 / double(count);
            const long nearest = std::lround(root / bin);
            double best = 0, bestHz = 0;
            for (long k = std::max(1L, nearest - 3); k <= nearest + 3; ++k) {
                const double m = Magnitude(samples + from, count, double(k) * bin, false);
                if (m > best) best = m, bestHz = double(k) * bin;
            }
            cents = 1200 * std::log2(bestHz / root);
        } else {
            // A struck or plucked note early on: the strongest frequency within
            // a semitone of the root, to a quarter of a cent.
            const size_t from = 2000, count = 8192;
            ASSERT_GT(wave.dataBytes / 2, from + count);
            auto strongest = [&](double lo, double hi, double step) {
                double best = 0, bestCents = 0;
                for (double c = lo; c <= hi; c += step) {
                    const double m = Magnitude(samples + from, count, root * std::pow(2.0, c / 1200.0));
                    if (m > best) best = m, bestCents = c;
                }
                return bestCents;
            };
            const double coarse = strongest(-100, 100, 4);
            cents = strongest(coarse - 4, coarse + 4, 0.25);
        }
        EXPECT_LE(std::abs(cents), 2.0);
        ++checked;
    }
    EXPECT_GE(checked, 30);
}

// Timbre, measured on the samples: struck instruments keep their upper
// partials, plucked strings ring on, and the bass leads with its fundamental.
class Timbre : public InstrumentLibrary {
protected:
    std::vector<double> Samples(int program) {
        Instrument* instrument = synth_->InstrumentAt(0, program);
        if (!instrument || !synth_->VS_load_instrument(0, program)) return {};
        const WaveEntry& wave = *instrument->wave;
        return std::vector<double>(wave.samples.get(), wave.samples.get() + wave.dataBytes / 2);
    }
    static double RootHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }
    int Root(int program) { return synth_->InstrumentAt(0, program)->rootNote; }
    // Power-weighted mean frequency of the first 186 ms.
    static double Centroid(const std::vector<double>& s) {
        std::vector<std::complex<double>> a(4096);
        for (size_t i = 0; i < a.size() && i < s.size(); ++i) a[i] = s[i] * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / 4096));
        music_check::Fft(a);
        double weighted = 0, total = 0;
        for (size_t k = 1; k < 2048; ++k) {
            weighted += std::norm(a[k]) * double(k) * 22050 / 4096;
            total += std::norm(a[k]);
        }
        return weighted / total;
    }
    // RMS over 10 ms from `from`.
    static double Level(const std::vector<double>& s, size_t from) {
        double sum = 0;
        for (size_t i = from; i < from + 220 && i < s.size(); ++i) sum += s[i] * s[i];
        return std::sqrt(sum / 220);
    }
};

TEST_F(Timbre, StruckBarsAndTinesKeepTheirUpperPartials) {
    const auto glockenspiel = Samples(6);
    ASSERT_FALSE(glockenspiel.empty());
    EXPECT_GT(Centroid(glockenspiel), 2500.0) << "a glockenspiel rings well above its fundamental";
    for (int program : {8, 10}) {  // marimba, kalimba
        const auto s = Samples(program);
        ASSERT_FALSE(s.empty());
        EXPECT_GT(Centroid(s), 1.3 * RootHz(Root(program))) << "program " << program << " is nearly a sine";
    }
}

TEST_F(Timbre, PluckedStringsRingOnAndTheBassLeadsWithItsFundamental) {
    for (int program : {0, 1, 3}) {  // harp, guitar, koto
        const auto s = Samples(program);
        ASSERT_GT(s.size(), 4000u);
        double attack = 0;
        for (size_t i = 0; i < 2205; ++i) attack = std::max(attack, Level(s, i));
        EXPECT_GT(20 * std::log10(Level(s, 3307 - 110) / attack), -10.0) << "program " << program << " at 150 ms";
    }
    for (int program : {25, 25 + 30}) {  // the upright bass and its low register
        const auto s = Samples(program);
        ASSERT_GT(s.size(), 5000u);
        const double f0 = RootHz(Root(program));
        int strongest = 0;
        double best = 0;
        for (int h = 1; h <= 6; ++h) {
            const double m = Magnitude(s.data() + 441, 4096, f0 * h);
            if (m > best) best = m, strongest = h;
        }
        EXPECT_EQ(strongest, 1) << "program " << program;
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

TEST_F(DataFolderTest, PantingLoopsSeamlesslyAndFanfaresEndInsideTheirRewards) {
    std::vector<int16_t> panting = EffectSamples(20);
    ASSERT_GT(panting.size(), 1000u);
    EXPECT_LE(std::abs(int(panting.front())), 64);
    EXPECT_LE(std::abs(int(panting.back())), 64);
    for (int effect = 26; effect <= 31; ++effect) {
        const double seconds = double(EffectSamples(effect).size()) / 22050;
        EXPECT_GE(seconds, 3.8) << "fanfare " << effect;
        // The reward's animation stops its fanfare when it ends.
        const double animation = world::chars::kRewardSteps[size_t(effect - 26)] * 0.1;
        EXPECT_LE(seconds, animation - 0.1) << "fanfare " << effect << " is cut off";
    }
}

TEST_F(DataFolderTest, EffectsSitOnTheGamesLoudnessScale) {
    // Heard as the game plays them (-6 dB), every effect lands within a few
    // decibels of the music beside an icon: none shouts, none is lost.
    for (int effect : music_test::GameEffects()) {
        const size_t samples = EffectSamples(effect).size();
        ASSERT_GT(samples, 0u);
        std::string error;
        const auto frames = render::RenderEffect(effect, unsigned(samples * 1000 / 22050), 22050, -600, 0, false, &error);
        ASSERT_TRUE(error.empty()) << error;
        const double loudness = music_check::ChannelLoudness(frames);
        EXPECT_GT(loudness, assetgen::dsp::kForegroundLoudnessDb - 7) << "effect " << effect;
        EXPECT_LT(loudness, assetgen::dsp::kForegroundLoudnessDb + 3) << "effect " << effect;
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
