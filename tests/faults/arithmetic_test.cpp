// Arithmetic on values from files and samples that used to overflow 32 bits:
// depth keys, interpolation between extreme neighbouring samples (the
// synthesiser and the sound card), the distance and pan of song parts, and
// the lock's sums over a saved record.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "audio/land_sprite.h"
#include "audio/virtual_synth.h"
#include "land/lock_mechanism.h"
#include "platform/dsound.h"
#include "platform/dsound_card.h"
#include "platform/platform.h"
#include "sprites/sprite.h"
#include "world/land_record.h"

namespace {

using namespace platform;

// Samples that swing from one end of the range to the other: neighbours
// differ by 65535.
std::vector<int16_t> Swinging(size_t n) {
    std::vector<int16_t> s(n);
    for (size_t i = 0; i < n; ++i) s[i] = (i & 1) ? INT16_MAX : INT16_MIN;
    return s;
}

int PeakOf(const std::vector<int16_t>& v) {
    int peak = 0;
    for (int16_t s : v) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

TEST(FaultArithmetic, DepthKeysKeepTheirOrderFarDownAndClampAtTheEnds) {
    EXPECT_LT(sprites::DepthKey(0, 100000, 0, 0), sprites::DepthKey(0, 1000000, 0, 0));
    EXPECT_EQ(sprites::DepthKey(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
    EXPECT_EQ(sprites::DepthKey(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN), INT32_MIN);
    EXPECT_EQ(sprites::DepthKey(5, 7, 2, 3), 10 * 3000 + 7);
}

// An interpolated value always lies between its two samples, so a sound of
// swinging samples is never louder than a constant one at full scale.
TEST(FaultArithmetic, SynthInterpolationBetweenExtremeSamplesStaysInRange) {
    auto render = [](std::vector<int16_t> samples) {
        VirtualSynth synth(nullptr, nullptr);
        SoundFormat f;
        f.segmentFrames = 256;
        f.outputRate = 22050;
        synth.StoreFormat(f, f.segmentCount * 256 * 4);
        WaveEntry* wave = synth.FindOrAddWave("swing");
        wave->samples.reset(new int16_t[samples.size()]);
        std::memcpy(wave->samples.get(), samples.data(), samples.size() * 2);
        wave->dataBytes = uint32_t(samples.size() * 2);
        wave->useCount = 1;
        Instrument shape;
        shape.wave = wave;
        shape.rootNote = 60;
        synth.PutInstrument(0, 0, shape);
        // A fifth up: a step with a fraction, so every frame interpolates.
        EXPECT_EQ(synth.VS_note_on(0, 67, 40, 0, 0, 0, 200), 1);
        std::vector<int16_t> out(512);
        synth.VS_mix_segment(out.data());
        return out;
    };
    const int constantPeak = PeakOf(render(std::vector<int16_t>(4000, INT16_MAX)));
    ASSERT_GT(constantPeak, 1000);
    ASSERT_LT(constantPeak, 20000) << "quiet enough that nothing clips";
    EXPECT_LE(PeakOf(render(Swinging(4000))), constantPeak + 1);
}

TEST(FaultArithmetic, SoundCardInterpolationBetweenExtremeSamplesStaysInRange) {
    ScopedHeadless headless;
    IDirectSound* ds = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    ASSERT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    sound_card::SetOutputRate(22050);
    auto play = [&](const std::vector<int16_t>& samples) {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 1;
        format.nSamplesPerSec = 16000;  // resampled: fractional positions
        format.wBitsPerSample = 16;
        format.nBlockAlign = 2;
        format.nAvgBytesPerSec = 32000;
        DSBUFFERDESC d{};
        d.dwSize = 20;
        d.dwFlags = DSBCAPS_CTRLDEFAULT;
        d.dwBufferBytes = DWORD(samples.size() * 2);
        d.lpwfxFormat = &format;
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(ds->CreateSoundBuffer(&d, &buffer, nullptr), DS_OK);
        void *p1, *p2;
        DWORD n1, n2;
        EXPECT_EQ(buffer->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
        std::memcpy(p1, samples.data(), n1);
        buffer->Unlock(p1, n1, p2, n2);
        buffer->SetVolume(-1200);
        buffer->Play(0, 0, DSBPLAY_LOOPING);
        std::vector<int16_t> out(2 * 500);
        sound_card::Mix(out.data(), 500);
        buffer->Release();
        return out;
    };
    const int constantPeak = PeakOf(play(std::vector<int16_t>(1000, INT16_MAX)));
    ASSERT_GT(constantPeak, 1000);
    ASSERT_LT(constantPeak, 20000);
    EXPECT_LE(PeakOf(play(Swinging(1000))), constantPeak + 1);
    ds->Release();
}

TEST(FaultArithmetic, FarAwaySongPartsAreSilentNeverLoud) {
    for (bool notTakeable : {false, true}) {
        EXPECT_LT(LandSprite::VolumeFor(INT32_MAX, false, 0, notTakeable), -10000);
        EXPECT_LT(LandSprite::VolumeFor(1000000000, false, 0, notTakeable), -10000);
    }
    EXPECT_EQ(LandSprite::VolumeFor(100, false, 0, false), -1100);  // the ordinary law is unchanged
}

TEST(FaultArithmetic, LockSumsOverADamagedRecordStayInRange) {
    world::LandRecord record{};
    world::InitLandRecord(&record);
    record.scale[0] = INT32_MAX;
    record.slot[0] = 0;
    record.progress = INT32_MAX;
    record.bandWord = -1;
    land::LockMechanism lock(&record, nullptr);
    EXPECT_EQ(lock.NoteCents(0), INT32_MAX);  // the effect player limits it further
    lock.solvedPending = 1;
    ASSERT_EQ(lock.OpenIfDue(1000000), 1);
    EXPECT_EQ(record.progress, INT32_MAX);
    EXPECT_EQ(record.freed, 1);
}

}  // namespace
