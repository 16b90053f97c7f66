// The game's output stage: lifts a quiet mix, turns loud passages down in
// order, never lets a sample reach full scale, and gives the same samples
// however the sound is cut into blocks; the card and the movies use it.
#include <algorithm>
#include <cmath>

#include "audio_test_support.h"
#include "platform/avi_sound.h"
#include "platform/dsound_card.h"
#include "platform/output_dynamics.h"

using namespace platform;

namespace {

constexpr unsigned kRate = 22050;

// Interleaved stereo sine of the given peak (in 16-bit units, may exceed them).
std::vector<int32_t> Sine(double peak, double hz, size_t frames) {
    std::vector<int32_t> out(frames * 2);
    for (size_t f = 0; f < frames; ++f) {
        const int32_t v = int32_t(std::lround(peak * std::sin(2 * M_PI * hz * double(f) / kRate)));
        out[2 * f] = v;
        out[2 * f + 1] = v;
    }
    return out;
}

double RmsOf(const std::vector<int16_t>& s, size_t from) {
    double sum = 0;
    for (size_t i = from; i < s.size(); ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(s.size() - from));
}

double Db(double ratio) { return 20 * std::log10(ratio); }

std::vector<int16_t> Staged(const std::vector<int32_t>& in) {
    return OutputDynamics(GameOutputSettings(), kRate).ProcessWhole(in);
}

TEST(OutputStage, LiftsAQuietMixByItsMakeUpGainUnchanged) {
    const auto in = Sine(100, 440, kRate);  // about -53 dBFS RMS, under the compressor
    const auto out = Staged(in);
    ASSERT_EQ(out.size(), in.size()) << "the look-ahead is flushed";
    for (size_t i = 2 * kRate / 10; i < out.size(); i += 97) {
        EXPECT_NEAR(out[i], in[i] * std::pow(10.0, GameOutputSettings().makeUpDb / 20), 2.0) << i;
    }
}

TEST(OutputStage, LoudPassagesAreTurnedDownInOrderAndNeverReachFullScale) {
    const double ceiling = 32768 * std::pow(10.0, GameOutputSettings().ceilingDb / 20);
    double lastRms = 0;
    for (double peak : {2000.0, 8000.0, 30000.0, 200000.0}) {
        auto in = Sine(peak, 440, kRate);
        in[2 * 5000] = 40 * int32_t(peak);  // a lone spike far over the rest
        const auto out = Staged(in);
        int loudest = 0;
        for (int16_t s : out) loudest = std::max(loudest, std::abs(int(s)));
        EXPECT_LE(loudest, ceiling + 1) << peak;
        const double rms = RmsOf(out, kRate);  // after the compressor has settled
        EXPECT_GT(rms, lastRms) << "louder in, louder out: " << peak;
        lastRms = rms;
    }
    // A hot steady mix comes out well under what make-up gain alone would give.
    const auto hot = Staged(Sine(8000, 440, kRate));
    EXPECT_LT(Db(RmsOf(hot, kRate) / (8000 / std::sqrt(2.0))), GameOutputSettings().makeUpDb - 6);
}

TEST(OutputStage, SameSamplesWhateverTheBlocks) {
    auto in = Sine(9000, 330, kRate / 2);
    for (size_t i = 0; i < in.size(); i += 1001) in[i] *= 9;  // some peaks for the limiter
    OutputDynamics whole(GameOutputSettings(), kRate), pieces(GameOutputSettings(), kRate);
    std::vector<int16_t> a(in.size()), b(in.size());
    whole.Process(in.data(), a.data(), in.size() / 2);
    size_t at = 0, block = 1;
    while (at < in.size() / 2) {
        const size_t n = std::min(block, in.size() / 2 - at);
        pieces.Process(in.data() + 2 * at, b.data() + 2 * at, n);
        at += n;
        block = block * 3 % 517 + 1;
    }
    EXPECT_EQ(a, b);
    pieces.Reset();
    pieces.Process(in.data(), b.data(), in.size() / 2);
    EXPECT_EQ(a, b) << "a reset starts from silence again";
}

class OutputStageOnTheCard : public audio_test::HeadlessAudioTest {
protected:
    void TearDown() override { sound_card::UseOutputStage(false); }
};

TEST_F(OutputStageOnTheCard, TheCardPlaysThroughItOnlyWhenSwitchedOn) {
    IDirectSound* ds = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    ASSERT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    DSBUFFERDESC d{};
    d.dwFlags = 0xE2;
    d.dwBufferBytes = 64;
    const WAVEFORMATEX format = audio_test::PcmFormat(1, kRate);
    d.lpwfxFormat = &format;
    IDirectSoundBuffer* loud[2] = {};
    for (auto*& b : loud) {
        ASSERT_EQ(ds->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
        void *p1, *p2;
        DWORD n1, n2;
        ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
        for (DWORD i = 0; i < n1 / 2; ++i) static_cast<int16_t*>(p1)[i] = int16_t(i % 2 ? 30000 : -30000);
        ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
        b->Play(0, 0, DSBPLAY_LOOPING);
    }
    auto clipped = [](size_t frames) {
        std::vector<int16_t> out(frames * 2);
        sound_card::Mix(out.data(), frames);
        return std::count_if(out.begin(), out.end(), [](int16_t s) { return s == 32767 || s == -32768; });
    };
    EXPECT_FALSE(sound_card::OutputStageOn());
    EXPECT_GT(clipped(2000), 0) << "off: the plain saturated sum";
    sound_card::UseOutputStage(true);
    EXPECT_EQ(clipped(20000), 0);
    for (auto* b : loud) b->Release();
    ds->Release();
}

TEST_F(OutputStageOnTheCard, AMoviesSoundComesOutOnTheSameScale) {
    const avi::SoundFormat mono8{1, int(kRate), 8}, mono16{1, int(kRate), 16};
    std::vector<uint8_t> pcm8(kRate), pcm16(kRate * 2);
    for (size_t i = 0; i < kRate; ++i) {
        const int v = int(std::lround(100 * std::sin(double(i) * 0.1)));  // well under the compressor
        pcm8[i] = uint8_t(128 + v / 4);
        pcm16[2 * i] = uint8_t(v & 0xFF);
        pcm16[2 * i + 1] = uint8_t((v >> 8) & 0xFF);
    }
    const auto eight = avi::MovieOutputFrames(mono8, pcm8);
    ASSERT_EQ(eight.size(), pcm8.size() * 2);
    EXPECT_EQ(eight[2 * 16], eight[2 * 16 + 1]) << "mono on both sides";
    EXPECT_EQ(eight[2 * 16], (int(pcm8[16]) - 128) << 8);
    const auto plain = avi::MovieOutputFrames(mono16, pcm16);
    ASSERT_EQ(plain.size(), kRate * 2);
    EXPECT_EQ(plain[2 * 16], int16_t(std::lround(100 * std::sin(1.6))));
    sound_card::UseOutputStage(true);
    const auto staged = avi::MovieOutputFrames(mono16, pcm16);
    ASSERT_EQ(staged.size(), plain.size());
    EXPECT_NEAR(Db(RmsOf(staged, 0) / RmsOf(plain, 0)), GameOutputSettings().makeUpDb, 0.5);
    EXPECT_TRUE(avi::MovieOutputFrames(avi::SoundFormat{3, int(kRate), 16}, pcm16).empty()) << "three channels";
}

}  // namespace
