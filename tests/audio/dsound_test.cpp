// The sound buffers and the software sound card under them.
#include <cstring>

#include "audio_test_support.h"
#include "platform/clock.h"
#include "platform/dsound_card.h"

using namespace platform;
using audio_test::PcmFormat;

namespace {

class SoundBufferTest : public audio_test::HeadlessAudioTest {
protected:
    void SetUp() override {
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds_, nullptr), DS_OK);
        ASSERT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    }
    void TearDown() override {
        for (auto* b : buffers_) b->Release();
        ds_->Release();
        EXPECT_FALSE(sound_card::IsOpen()) << "the card closes with its last user";
    }
    IDirectSoundBuffer* Make(DWORD flags, const WAVEFORMATEX& format, DWORD bytes) {
        DSBUFFERDESC d{};
        d.dwFlags = flags;
        d.dwBufferBytes = bytes;
        d.lpwfxFormat = &format;
        IDirectSoundBuffer* b = nullptr;
        EXPECT_EQ(ds_->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
        if (b) buffers_.push_back(b);
        return b;
    }
    // Fills a buffer's whole memory with one 16-bit value.
    static void Fill(IDirectSoundBuffer* b, int16_t value) {
        void *p1, *p2;
        DWORD n1, n2;
        ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
        for (DWORD i = 0; i < n1 / 2; ++i) static_cast<int16_t*>(p1)[i] = value;
        ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    }
    static std::vector<int16_t> MixFrames(size_t frames) {
        std::vector<int16_t> out(frames * 2);
        sound_card::Mix(out.data(), frames);
        return out;
    }

    IDirectSound* ds_ = nullptr;
    std::vector<IDirectSoundBuffer*> buffers_;
};

TEST_F(SoundBufferTest, CreationChecksDescriptionsAndLevels) {
    IDirectSoundBuffer* b = nullptr;
    DSBUFFERDESC primary{};
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    ASSERT_EQ(ds_->CreateSoundBuffer(&primary, &b, nullptr), DS_OK);
    buffers_.push_back(b);
    DSBCAPS caps{};
    ASSERT_EQ(b->GetCaps(&caps), DS_OK);
    EXPECT_EQ(caps.dwBufferBytes, 16384u);
    WAVEFORMATEX f = PcmFormat(2, 11025);
    EXPECT_EQ(b->SetFormat(&f), DSERR_PRIOLEVELNEEDED) << "normal level may not set the format";
    ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY);
    WAVEFORMATEX bad = f;
    bad.wBitsPerSample = 12;
    EXPECT_EQ(b->SetFormat(&bad), DSERR_BADFORMAT);
    EXPECT_EQ(b->SetFormat(&f), DS_OK);
    EXPECT_EQ(sound_card::OutputRate(), 11025u);
    void *p1, *p2;
    DWORD n1, n2;
    EXPECT_NE(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DS_OK) << "the primary's memory is the card's";

    DSBUFFERDESC d{};
    d.dwBufferBytes = 2;
    d.lpwfxFormat = &f;
    IDirectSoundBuffer* none = nullptr;
    EXPECT_EQ(ds_->CreateSoundBuffer(&d, &none, nullptr), DSERR_INVALIDPARAM);
    d.dwBufferBytes = 64;
    d.lpwfxFormat = nullptr;
    EXPECT_EQ(ds_->CreateSoundBuffer(&d, &none, nullptr), DSERR_INVALIDPARAM);
    d.lpwfxFormat = &f;
    int outer = 0;
    EXPECT_EQ(ds_->CreateSoundBuffer(&d, &none, &outer), DSERR_NOAGGREGATION);
    EXPECT_EQ(none, nullptr);
}

TEST_F(SoundBufferTest, LockReturnsTheWrappedRegionInTwoParts) {
    auto* b = Make(DSBCAPS_LOCSOFTWARE, PcmFormat(2, 22050), 1000);
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(b->Lock(800, 400, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 200u);
    EXPECT_EQ(n2, 200u);
    EXPECT_EQ(static_cast<uint8_t*>(p1) - static_cast<uint8_t*>(p2), 800);
    void *q1, *q2;
    DWORD m1, m2;
    EXPECT_EQ(b->Lock(0, 4, &q1, &m1, &q2, &m2, 0), DSERR_INVALIDCALL) << "already locked by this thread";
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DSERR_INVALIDCALL);
    EXPECT_EQ(b->Lock(1000, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 1001, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(900, 200, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM)
        << "a wrapping lock needs somewhere to put its second part";
}

TEST_F(SoundBufferTest, VolumeAndPanFollowTheDecibelLaws) {
    auto* mix = Make(DSBCAPS_LOCSOFTWARE, PcmFormat(2, 22050), 400);
    EXPECT_EQ(mix->SetVolume(-100), DSERR_CONTROLUNAVAIL) << "the mix buffer has no volume control";
    auto* fx = Make(0xE2, PcmFormat(1, 22050), 400);
    Fill(fx, 16000);
    fx->Play(0, 0, DSBPLAY_LOOPING);
    auto out = MixFrames(10);
    EXPECT_EQ(out[0], 16000);
    EXPECT_EQ(out[1], 16000);
    ASSERT_EQ(fx->SetVolume(-600), DS_OK);
    out = MixFrames(10);
    EXPECT_NEAR(out[0], 16000 * std::pow(10.0, -0.3), 2);
    ASSERT_EQ(fx->SetVolume(0), DS_OK);
    ASSERT_EQ(fx->SetPan(10000), DS_OK);
    out = MixFrames(10);
    EXPECT_EQ(out[0], 0) << "full right silences the left";
    EXPECT_EQ(out[1], 16000);
    ASSERT_EQ(fx->SetPan(-2000), DS_OK);
    out = MixFrames(10);
    EXPECT_EQ(out[0], 16000);
    EXPECT_NEAR(out[1], 1600, 2) << "-20 dB on the right";
    EXPECT_EQ(fx->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(fx->SetPan(-10001), DSERR_INVALIDPARAM);
}

TEST_F(SoundBufferTest, CardResamplesStopsOneShotsAndSaturates) {
    auto* slow = Make(0xE2, PcmFormat(1, 11025), 200);  // 100 frames
    {
        void *p1, *p2;
        DWORD n1, n2;
        ASSERT_EQ(slow->Lock(0, 200, &p1, &n1, &p2, &n2, 0), DS_OK);
        for (int i = 0; i < 100; ++i) static_cast<int16_t*>(p1)[i] = int16_t(i * 100);
        slow->Unlock(p1, n1, p2, n2);
    }
    slow->Play(0, 0, 0);
    auto out = MixFrames(4);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 50) << "half-way between two samples at half the rate";
    EXPECT_EQ(out[4], 100);
    DWORD play = 0, write = 0;
    slow->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 4u) << "two source frames of two bytes";
    slow->SetFrequency(22050 * 2);
    out = MixFrames(100);
    DWORD status = 99;
    slow->GetStatus(&status);
    EXPECT_EQ(status, 0u) << "a one-shot stops at its end";
    slow->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(out[2 * 60], 0) << "silence after the end";

    auto* a = Make(0xE2, PcmFormat(1, 22050), 64);
    auto* b = Make(0xE2, PcmFormat(1, 22050), 64);
    Fill(a, 30000);
    Fill(b, 30000);
    a->Play(0, 0, DSBPLAY_LOOPING);
    b->Play(0, 0, DSBPLAY_LOOPING);
    out = MixFrames(8);
    EXPECT_EQ(out[0], 32767) << "the sum clamps instead of wrapping";
    Fill(a, -30000);
    Fill(b, -30000);
    out = MixFrames(8);
    EXPECT_EQ(out[0], -32768);
}

TEST_F(SoundBufferTest, DuplicatesShareSamplesButNotCursorsOrSettings) {
    auto* original = Make(0xE2, PcmFormat(1, 22050), 400);
    Fill(original, 1000);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(ds_->DuplicateSoundBuffer(original, &copy), DS_OK);
    buffers_.push_back(copy);
    Fill(copy, 2000);  // one memory: the original now holds 2000 too
    copy->SetVolume(-10000);
    original->Play(0, 0, DSBPLAY_LOOPING);
    copy->Play(0, 0, DSBPLAY_LOOPING);
    copy->SetCurrentPosition(100);
    auto out = MixFrames(10);
    EXPECT_EQ(out[0], 2000);
    DWORD a = 0, b = 0;
    original->GetCurrentPosition(&a, nullptr);
    copy->GetCurrentPosition(&b, nullptr);
    EXPECT_EQ(a, 20u);
    EXPECT_EQ(b, 120u);
    EXPECT_EQ(copy->AddRef(), 2u);
    EXPECT_EQ(copy->Release(), 1u);
}

TEST_F(SoundBufferTest, MasterAndWaveVolumesScaleTheOutput) {
    auto* fx = Make(0xE2, PcmFormat(1, 22050), 64);
    Fill(fx, 20000);
    fx->Play(0, 0, DSBPLAY_LOOPING);
    HMIXER h = 0;
    ASSERT_EQ(mixerOpen(&h, 0, 0, 0, 0), MMSYSERR_NOERROR);
    auto set = [&](DWORD controlId, DWORD left, DWORD right) {
        DWORD values[2] = {left, right};
        MIXERCONTROLDETAILS d{};
        d.dwControlID = controlId;
        d.cChannels = 2;
        d.cbDetails = 4;
        d.paDetails = values;
        ASSERT_EQ(mixerSetControlDetails(0, &d, MIXER_OBJECTF_MIXER), MMSYSERR_NOERROR);
    };
    MIXERLINE master{};
    master.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    ASSERT_EQ(mixerGetLineInfo(h, &master, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE), 0u);
    MIXERCONTROL volume{};
    MIXERLINECONTROLS request{};
    request.dwLineID = master.dwLineID;
    request.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    request.cControls = 1;
    request.cbmxctrl = sizeof volume;
    request.pamxctrl = &volume;
    ASSERT_EQ(mixerGetLineControls(h, &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE), 0u);
    EXPECT_EQ(volume.Metrics.cSteps, 32u);
    set(volume.dwControlID, 32768, 0);
    auto out = MixFrames(4);
    EXPECT_NEAR(out[0], 10000, 2);
    EXPECT_EQ(out[1], 0);
    MIXERLINE wave{};
    wave.dwComponentType = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;
    ASSERT_EQ(mixerGetLineInfo(0, &wave, MIXER_GETLINEINFOF_COMPONENTTYPE), 0u);
    request.dwLineID = wave.dwLineID;
    ASSERT_EQ(mixerGetLineControls(0, &request, MIXER_GETLINECONTROLSF_ONEBYTYPE), 0u);
    set(volume.dwControlID, 32768, 32768);
    out = MixFrames(4);
    EXPECT_NEAR(out[0], 5000, 2) << "master and wave multiply";
    MIXERCONTROL mute{};
    request.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    request.pamxctrl = &mute;
    ASSERT_EQ(mixerGetLineControls(0, &request, MIXER_GETLINECONTROLSF_ONEBYTYPE), 0u);
    DWORD on = 1;
    MIXERCONTROLDETAILS d{};
    d.dwControlID = mute.dwControlID;
    d.cChannels = 1;
    d.cbDetails = 4;
    d.paDetails = &on;
    ASSERT_EQ(mixerSetControlDetails(0, &d, 0), MMSYSERR_NOERROR);
    out = MixFrames(4);
    EXPECT_EQ(out[0], 0);
    EXPECT_TRUE(system_mixer::Muted(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT));
    mixerClose(h);
}

TEST_F(SoundBufferTest, VirtualCardPlaysAsTheManualClockMovesAndCaptures) {
    ASSERT_TRUE(sound_card::IsVirtual());
    auto* fx = Make(0xE2, PcmFormat(1, 22050), 44100);  // one second
    Fill(fx, 1234);
    sound_card::StartCapture();
    fx->Play(0, 0, DSBPLAY_LOOPING);
    manual_clock::Advance(1500);
    DWORD play = 0;
    fx->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 22050u) << "1.5 s of frames, wrapped once";
    auto captured = sound_card::StopCapture();
    ASSERT_EQ(captured.size(), size_t(33075 * 2));
    EXPECT_EQ(captured.back(), 1234);
    std::string path = dir_ / "capture.wav";
    ASSERT_EQ(sound_card::WriteCaptureWave(path, captured, 22050), 1);
    HMMIO file = mmioOpen(path.c_str(), nullptr, MMIO_READ);
    ASSERT_NE(file, nullptr);
    MMCKINFO riff{}, data{};
    riff.fccType = MakeFourCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF), 0u);
    data.ckid = MakeFourCC('d', 'a', 't', 'a');
    ASSERT_EQ(mmioDescend(file, &data, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(data.cksize, 33075u * 4);
    mmioClose(file, 0);
}

}  // namespace
