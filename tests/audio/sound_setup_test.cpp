// The speed test and the creation and shutdown of the sound objects.
#include <sys/stat.h>

#include "audio/fx_player.h"
#include "audio/mixer_faders.h"
#include "audio/sequencer.h"
#include "audio/sound_setup.h"
#include "audio_test_support.h"
#include "platform/files.h"

using namespace platform;

namespace {

TEST(SpeedTest, ThroughputArithmeticAndTheRateThreshold) {
    EXPECT_DOUBLE_EQ(SpeedTestThroughput(640, 480, 100, 1000000, 1000000), 30.72);
    EXPECT_DOUBLE_EQ(SpeedTestThroughput(642, 1, 1, 1, 1), 640e-6) << "whole four-byte words a row";
    EXPECT_EQ(SpeedTestThroughput(640, 480, 100, 0, 1000000), 0.0);
    EXPECT_EQ(ChooseSampleRate(30.0).rate, 11025u) << "exactly 30 MB/s is not fast enough";
    EXPECT_EQ(ChooseSampleRate(30.0).rateStep, 2u);
    EXPECT_EQ(ChooseSampleRate(30.01).rate, 22050u);
    EXPECT_EQ(ChooseSampleRate(30.01).rateStep, 1u);
}

TEST(SpeedTest, CopiesIntoTheFrontBufferOrFailsWithoutOne) {
    ScopedHeadless headless(1);  // every counter reading moves the clock on
    double result = -1;
    EXPECT_EQ(SpeedTest(nullptr, 640, 480, &result), 0);
    EXPECT_EQ(result, 0.0);

    dd::DirectDraw* dd = nullptr;
    ASSERT_EQ(dd::DirectDrawCreate(false, &dd), dd::DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, dd::DDSCL_NORMAL), dd::DD_OK);
    auto make = [&](int w, int h) {
        dd::SurfaceDesc desc;
        desc.flags = dd::DDSD_CAPS | dd::DDSD_WIDTH | dd::DDSD_HEIGHT;
        desc.width = w;
        desc.height = h;
        desc.caps = dd::DDSCAPS_OFFSCREENPLAIN | dd::DDSCAPS_SYSTEMMEMORY;
        dd::Surface* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(desc, &s), dd::DD_OK);
        return s;
    };
    dd::Surface* screen = make(640, 480);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(SpeedTest(screen, 640, 480, &result), 1);
    EXPECT_GT(result, 0.0);
    dd::Surface* small = make(320, 200);
    EXPECT_EQ(SpeedTest(small, 640, 480, &result), 0) << "a smaller surface is not written past";
    EXPECT_EQ(result, 0.0);
    small->Release();
    screen->Release();
    dd->Release();
}

class SoundSetUpTest : public audio_test::HeadlessAudioTest {
protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir((dir_ / "seq").c_str(), 0755), 0);
        ASSERT_EQ(folder_.Enter(dir_.path().c_str()), 1);
        ASSERT_TRUE(audio_test::WriteMonoWave(dir_ / "seq/Bark.wav", audio_test::Sine(300, 22050, 200)));
    }
    ScopedCurrentDirectory folder_;  // the previous folder comes back
};

TEST_F(SoundSetUpTest, CreatesEveryObjectAndShutsDownRestoringTheMixer) {
    ASSERT_TRUE(audio_test::WriteText(dir_ / "seq/fxlib.txt", "1 .\\seq\\bark.wav\n"));
    ASSERT_TRUE(audio_test::WriteText(dir_ / "seq/WaveLib.txt", "0 0 .\\seq\\BARK.WAV 60\n"));
    SoundObjects sound;
    ASSERT_EQ(SoundSetUp(nullptr, 11025, 2, &sound), 1);
    ASSERT_TRUE(sound.fxPlayer && sound.sequencer && sound.mixerFaders);
    EXPECT_EQ(sound.sequencer->Synth()->OutputRate(), 11025u);
    EXPECT_EQ(sound.sequencer->Synth()->RateFactor(), 2u);
    EXPECT_EQ(sound.sequencer->Synth()->SegmentFrames(), 128u);
    EXPECT_NE(sound.sequencer->Synth()->InstrumentAt(0, 0), nullptr);
    int slot = sound.fxPlayer->FxPlayer_Load(1);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(sound.fxPlayer->FxPlayer_Play(slot, 0), 1);
    sound.mixerFaders->m_OnChangeFader(MixerFaders::kMaster, 0);
    EXPECT_LT(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0), 65535u);
    sound.sequencer->SQ_Play();
    SoundShutdown(&sound);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0), 65535u);
    EXPECT_FALSE(sound.fxPlayer || sound.sequencer || sound.mixerFaders);
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

TEST_F(SoundSetUpTest, AMissingLibraryEndsTheSetUpKeepingWhatWasMade) {
    SoundObjects none;
    EXPECT_EQ(SoundSetUp(nullptr, 22050, 1, &none), 0) << "no fxlib.txt";
    EXPECT_TRUE(none.fxPlayer);
    EXPECT_FALSE(none.sequencer);
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);  // the game ends on it: it names the file
    EXPECT_EQ(headless::MessageBoxLog()[0].caption, "Could not open effect library file");
    EXPECT_NE(headless::MessageBoxLog()[0].text.find("fxlib.txt"), std::string::npos);
    SoundShutdown(&none);
    headless::ClearMessageBoxLog();

    ASSERT_TRUE(audio_test::WriteText(dir_ / "seq/fxlib.txt", "1 .\\seq\\bark.wav\n"));
    SoundObjects partial;
    EXPECT_EQ(SoundSetUp(nullptr, 22050, 1, &partial), 0) << "no wavelib.txt";
    EXPECT_TRUE(partial.fxPlayer && partial.sequencer);
    EXPECT_FALSE(partial.mixerFaders);
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].caption, "Could not open wave library file");
    SoundShutdown(&partial);
}

}  // namespace
