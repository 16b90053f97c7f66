// The synthesiser's buffers, segment servicing and playback on the timer.
#include "audio/sequencer.h"
#include "audio_test_support.h"
#include "platform/clock.h"
#include "platform/system.h"

using namespace platform;

namespace {

class OutputTest : public audio_test::HeadlessAudioTest {
protected:
    void SetUp() override {
        SetTraceSink(
            [](HWND, int, const char* text, void* user) { static_cast<OutputTest*>(user)->traces_.push_back(text); },
            this);
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds_, nullptr), DS_OK);
        ds_->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
    }
    void TearDown() override { SetTraceSink(nullptr, nullptr); }
    bool Traced(const std::string& text) const {
        return std::find(traces_.begin(), traces_.end(), text) != traces_.end();
    }
    IDirectSound* ds_ = nullptr;  // handed to a synthesiser, which releases it
    std::vector<std::string> traces_;
};

TEST(TimerPeriod, FiftyMillisecondsWithinTheDevicesLimits) {
    EXPECT_EQ(ChooseTimerPeriod({10, 1000}), 50u);
    EXPECT_EQ(ChooseTimerPeriod({60, 1000}), 60u);
    EXPECT_EQ(ChooseTimerPeriod({1, 40}), 40u);
}

TEST_F(OutputTest, CreationDerivesSegmentsFromThePrimaryBuffer) {
    VirtualSynth synth(nullptr, ds_);
    ASSERT_EQ(synth.VS_create(SoundFormat{32, 0, 16, 22050, 1}), 1);
    EXPECT_EQ(synth.PrimarySize(), 16384u);
    EXPECT_EQ(synth.SegmentFrames(), 128u);
    EXPECT_EQ(synth.SegmentBytes(), 512u);
    EXPECT_EQ(synth.MixSize(), 16384u);
    EXPECT_EQ(synth.PitchDivisor(), 22050u);
    EXPECT_TRUE(Traced("Primary buffer size = 16384"));
    EXPECT_TRUE(Traced("Segment size = 512"));
    EXPECT_EQ(synth.VS_create(SoundFormat{32, 0, 16, 22050, 1}), 0);
    EXPECT_TRUE(Traced("Virtual Synth error: mix buffer buffer already allocated."));
}

TEST_F(OutputTest, CreationRefusesTooSmallOrTooFewSegments) {
    ds_->AddRef();
    ds_->AddRef();
    {
        VirtualSynth synth(nullptr, ds_);
        EXPECT_EQ(synth.VS_create(SoundFormat{64, 0, 16, 22050, 1}), 1) << "64 frames a segment is enough";
        EXPECT_EQ(synth.SegmentFrames(), 64u);
        traces_.clear();
    }
    {
        VirtualSynth synth(nullptr, ds_);
        EXPECT_EQ(synth.VS_create(SoundFormat{65, 0, 16, 22050, 1}), 0);
        EXPECT_TRUE(Traced("Virtual Synth error: buffer segment size is too small."));
    }
    VirtualSynth synth(nullptr, ds_);
    EXPECT_EQ(synth.VS_create(SoundFormat{1, 128, 16, 22050, 1}), 0);
    EXPECT_TRUE(Traced("Virtual Synth error: too few buffer segments specified."));
}

TEST_F(OutputTest, ServiceSkipsTheSegmentBeingPlayedUnlessForced) {
    VirtualSynth synth(nullptr, ds_);
    ASSERT_EQ(synth.VS_create(SoundFormat{32, 0, 16, 22050, 1}), 1);
    ASSERT_EQ(synth.VS_clear(), 1);
    EXPECT_EQ(synth.VS_service(0), 0) << "the play cursor is in segment 0";
    EXPECT_EQ(synth.WriteOffset(), 0u);
    EXPECT_EQ(synth.SegmentStart(), 0u);
    EXPECT_EQ(synth.VS_service(1), 1);
    EXPECT_EQ(synth.WriteOffset(), 512u);
    EXPECT_EQ(synth.SegmentStart(), 128u);
    int mixed = 0;
    while (synth.VS_service(0)) ++mixed;
    EXPECT_EQ(mixed, 31) << "fills up to the segment being played";
    EXPECT_EQ(synth.WriteOffset(), 0u);

    ASSERT_EQ(synth.VS_play(), 1);
    manual_clock::Advance(10);  // 220 frames: the cursor is in segment 1
    EXPECT_EQ(synth.VS_service(0), 1);
    EXPECT_EQ(synth.VS_service(0), 0);
    EXPECT_EQ(synth.SegmentStart(), 33u * 128);
    ASSERT_EQ(synth.VS_stop(), 1);
}

TEST_F(OutputTest, PlayRestartsTheTimerAndStopLeavesNoEvent) {
    Sequencer seq(nullptr, ds_);
    ASSERT_EQ(seq.SQ_CreateVirtualSynth(SoundFormat{32, 0, 16, 22050, 1}), 1);
    EXPECT_EQ(seq.TimerPeriod(), 50u);
    ASSERT_EQ(seq.SQ_Play(), 1);
    const UINT first = seq.TimerId();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(seq.Synth()->SegmentStart(), 32u * 128) << "priming fills the whole buffer";
    manual_clock::Advance(120);
    ASSERT_EQ(seq.SQ_Play(), 1);
    EXPECT_TRUE(Traced("Killed MMTimer in SQ_Play"));
    EXPECT_NE(seq.TimerId(), first);
    EXPECT_EQ(timeKillEvent(first), TIMERR_NOCANDO) << "no second event remains";

    // Every tick keeps the mixer one buffer ahead of the play cursor.
    manual_clock::Advance(1000);
    DWORD play = 0;
    seq.Synth()->MixBuffer()->GetCurrentPosition(&play, nullptr);
    const uint32_t intoSegment = (play + 16384 - seq.Synth()->WriteOffset()) % 16384;
    EXPECT_LT(intoSegment, 512u) << "written up to the segment being played";

    ASSERT_EQ(seq.SQ_Stop(), 1);
    EXPECT_EQ(seq.TimerId(), 0u);
    const uint32_t stoppedAt = seq.Synth()->SegmentStart();
    manual_clock::Advance(500);
    EXPECT_EQ(seq.Synth()->SegmentStart(), stoppedAt) << "the segment clock stands while stopped";
    DWORD status = 1;
    seq.Synth()->MixBuffer()->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

TEST_F(OutputTest, DestroyKillsARunningTimer) {
    auto seq = std::make_unique<Sequencer>(nullptr, ds_);
    ASSERT_EQ(seq->SQ_CreateVirtualSynth(SoundFormat{}), 1);
    ASSERT_EQ(seq->SQ_Play(), 1);
    const UINT id = seq->TimerId();
    seq->SQ_Destroy();
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOCANDO);
    manual_clock::Advance(200);  // a live event would tick into freed memory here
    EXPECT_EQ(seq->Synth(), nullptr);
}

}  // namespace
