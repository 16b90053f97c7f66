// Song loading, tracks and the event stream, driven segment by segment.
#include <set>

#include "audio/sequencer.h"
#include "audio_test_support.h"

using namespace platform;
using xmidi::EventWriter;

namespace {

class SequencerTest : public audio_test::HeadlessAudioTest {
protected:
    void SetUp() override {
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds_, nullptr), DS_OK);
        ds_->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
        seq_ = std::make_unique<Sequencer>(nullptr, ds_);
        ASSERT_EQ(seq_->SQ_CreateVirtualSynth(SoundFormat{}), 1);
        synth_ = seq_->Synth();
        // Program 0 and 5 of bank 0: short one-shot clicks.
        for (int program : {0, 5}) {
            WaveEntry* wave = synth_->FindOrAddWave(("click" + std::to_string(program)).c_str());
            wave->samples.reset(new int16_t[64]());
            wave->dataBytes = 128;
            wave->useCount = 1;
            Instrument click;
            click.wave = wave;
            click.rootNote = 60;
            synth_->PutInstrument(0, program, click);
        }
    }
    void TearDown() override { seq_.reset(); }

    int Load(const std::vector<xmidi::XmidiSequence>& sequences) {
        std::string path = dir_ / ("song" + std::to_string(songs_++) + ".xmi");
        EXPECT_TRUE(audio_test::WriteBytes(path, xmidi::SongFile(sequences)));
        return seq_->SQ_LoadSequenceFile(path.c_str());
    }
    // Loads a one-sequence song, makes its track as the screens do, and
    // unloads the file.
    int OneTrack(const std::vector<uint8_t>& events, bool timbre = true) {
        xmidi::XmidiSequence s;
        s.events = events;
        s.withTimbreChunk = timbre;
        EXPECT_EQ(Load({s}), 1);
        int id = seq_->SQ_CreateTrack(0);
        seq_->SQ_RestartTrack(id);
        seq_->SQ_SetTrackLoops(id, 0);
        seq_->SQ_SetTrackChannel(id, id);
        seq_->SQ_UnloadSequenceFile();
        return id;
    }
    // Runs `segments` track passes, each followed by mixing a segment, and
    // returns the start frames of the notes that took voices.
    std::vector<uint32_t> Run(int segments) {
        std::vector<uint32_t> starts;
        bool first = true;
        for (int i = 0; i < segments; ++i) {
            for (auto* t = seq_->PlayingList().FirstAs<SeqTrack>(); t; t = seq_->PlayingList().NextAs<SeqTrack>()) {
                if (first) t->state = SeqTrack::kPlaying;
                while (t->Advance()) {
                }
                t->SendChannelSettings();
            }
            first = false;
            for (int v = 0; v < VirtualSynth::kVoices; ++v) {
                const SynthVoice& voice = synth_->Voice(v);
                if (voice.active && synth_->VS_in_segment(voice.startFrame)) starts.push_back(voice.startFrame);
            }
            synth_->VS_service(1);
        }
        return starts;
    }

    IDirectSound* ds_ = nullptr;
    std::unique_ptr<Sequencer> seq_;
    VirtualSynth* synth_ = nullptr;
    int songs_ = 0;
};

constexpr uint32_t kTick = 22050 / 120;  // 183 frames

TEST_F(SequencerTest, ALoopingNoteRepeatsEveryHundredTicksOrTwiceWithTwoLoops) {
    auto events = EventWriter().Note(0, 60, 100, 10).Wait(100).End().Bytes();
    int id = OneTrack(events);
    ASSERT_EQ(id, 0);
    EXPECT_EQ(seq_->Track(id)->framesPerTick, kTick);
    auto starts = Run(int(450 * kTick / 128));
    EXPECT_EQ(starts, (std::vector<uint32_t>{0, 100 * kTick, 200 * kTick, 300 * kTick, 400 * kTick}));

    SeqTrack* track = seq_->Track(id);
    seq_->SQ_RestartTrack(id);
    seq_->SQ_SetTrackLoops(id, 2);
    const uint32_t from = synth_->SegmentStart();
    starts = Run(int(5 * 100 * kTick / 128));
    EXPECT_EQ(starts, (std::vector<uint32_t>{from, from + 100 * kTick}));
    EXPECT_EQ(track->state.load(), SeqTrack::kStopped);
    EXPECT_EQ(track->playsLeft, 1u);
}

TEST_F(SequencerTest, IntervalBytesAddUpAndOtherEventsChangeNothing) {
    auto events = EventWriter()
                      .Controller(0, 7, 20)
                      .PitchBend(0, 0, 64)
                      .Aftertouch(0, 50)
                      .Raw({0xA0, 60, 10})
                      .Raw({0xF0, 0x03, 1, 2, 3})
                      .Meta(0x51, {0x07, 0xA1, 0x20})
                      .Note(0, 60, 100, 1)
                      .Raw({0x7F, 0x7F})
                      .Program(0, 5)
                      .Note(0, 60, 100, 1)
                      .Wait(1)
                      .End()
                      .Bytes();
    int id = OneTrack(events);
    seq_->SQ_SetTrackLoops(id, 1);
    auto starts = Run(int(260 * kTick / 128));
    EXPECT_EQ(starts, (std::vector<uint32_t>{0, 254 * kTick}));
    SeqTrack* t = seq_->Track(id);
    EXPECT_EQ(t->channels[0].program, 5);
    EXPECT_EQ(t->channels[0].channelVolume, 127) << "controllers are not honoured";
    EXPECT_EQ(t->lastInterval, 1u);
    EXPECT_EQ(synth_->Channel(0).volume, 1.0f);
}

TEST_F(SequencerTest, DamagedStreamsEndTheirTrack) {
    struct Case {
        const char* what;
        std::vector<uint8_t> events;
    };
    const Case cases[] = {
        {"unknown status byte", EventWriter().Note(0, 60, 100, 1).Wait(2).Raw({0x85, 1, 2}).Wait(2).End().Bytes()},
        {"note cut short", EventWriter().Note(0, 60, 100, 1).Wait(2).Raw({0x90, 60}).Bytes()},
        {"sysex longer than the data", EventWriter().Wait(2).Raw({0xF0, 0x7F, 1}).Bytes()},
        {"no end event", EventWriter().Note(0, 60, 100, 1).Wait(2).Bytes()},
        {"a loop of no length", EventWriter().Note(0, 60, 100, 1).End().Bytes()},
    };
    for (const Case& c : cases) {
        int id = OneTrack(c.events);
        Run(10);  // a zero-length loop must not hang the pass
        EXPECT_EQ(seq_->Track(id)->state.load(), SeqTrack::kStopped) << c.what;
        EXPECT_LE(seq_->Track(id)->Cursor(), 12 + 8 + 8 + 2 + c.events.size()) << c.what;
        seq_->SQ_DeleteTrack(id);
    }
}

TEST_F(SequencerTest, VolumePanMuteAndChannelSettings) {
    int id = OneTrack(EventWriter().Note(0, 60, 100, 4).Wait(4).End().Bytes());
    seq_->SQ_SetTrackVolume(id, 500);
    EXPECT_EQ(seq_->Track(id)->volume.load(), 0);
    seq_->SQ_SetTrackVolume(id, -20000);
    EXPECT_EQ(seq_->Track(id)->volume.load(), -10000);
    seq_->SQ_SetTrackPan(id, 12000);
    EXPECT_EQ(seq_->Track(id)->pan.load(), 10000);
    seq_->SQ_SetTrackPan(id, -12000);
    EXPECT_EQ(seq_->Track(id)->pan.load(), -10000);
    seq_->SQ_SetTrackMute(id, 2);
    EXPECT_EQ(seq_->Track(id)->mute.load(), 1u);
    seq_->SQ_SetTrackMute(id, 2);
    EXPECT_EQ(seq_->Track(id)->mute.load(), 0u);
    seq_->SQ_SetTrackMute(id, 0x103);
    EXPECT_EQ(seq_->Track(id)->mute.load(), 3u) << "the low byte is stored";
    seq_->SQ_SetTrackMute(99, 1);  // an empty slot is ignored
    seq_->SQ_SetTrackVolume(-1, 0);

    // A muted track keeps time but starts nothing and sends nothing.
    auto muted = Run(int(6 * kTick / 128));
    EXPECT_TRUE(muted.empty());
    EXPECT_EQ(seq_->Track(id)->nextTime, 8 * kTick) << "time ran on (two passes of four ticks)";

    seq_->SQ_SetTrackMute(id, 0);
    seq_->SQ_SetTrackVolume(id, -2000);
    seq_->SQ_SetTrackPan(id, 0);
    Run(1);
    EXPECT_FLOAT_EQ(synth_->Channel(0).volume, 0.1f);
    EXPECT_FLOAT_EQ(synth_->Channel(0).pan, 0.5f);
    EXPECT_EQ(seq_->SQ_SetTrackChannel(id, 40), 0);
    EXPECT_EQ(seq_->SQ_SetTrackChannel(id, 39), 1);
    seq_->SQ_SetTrackPan(id, 10000);
    Run(1);
    EXPECT_FLOAT_EQ(synth_->Channel(39).pan, 1.0f);
}

TEST_F(SequencerTest, LimitAudibleTracksKeepsTheLoudestInAStableOrder) {
    xmidi::XmidiSequence s;
    s.events = EventWriter().Wait(10).End().Bytes();
    ASSERT_EQ(Load({s, s, s, s}), 1);
    int ids[4];
    for (int n = 0; n < 4; ++n) ids[n] = seq_->SQ_CreateTrack(uint32_t(n));
    // Newest first in the list: ids 3, 2, 1, 0.
    const int32_t volumes[4] = {0, -3000, 0, -500};
    for (int n = 0; n < 4; ++n) seq_->SQ_SetTrackVolume(ids[n], volumes[n]);
    seq_->SQ_LimitAudibleTracks(2);
    std::vector<int32_t> order;
    std::vector<uint32_t> mutes;
    std::vector<SeqTrack*> tracks;
    for (auto* t = seq_->PlayingList().FirstAs<SeqTrack>(); t; t = seq_->PlayingList().NextAs<SeqTrack>()) {
        order.push_back(t->volume.load());
        mutes.push_back(t->mute.load());
        tracks.push_back(t);
    }
    EXPECT_EQ(order, (std::vector<int32_t>{0, 0, -500, -3000}));
    EXPECT_EQ(mutes, (std::vector<uint32_t>{0, 0, 1, 1}));
    EXPECT_EQ(tracks[0], seq_->Track(ids[2])) << "equal volumes keep their order";
    EXPECT_EQ(tracks[1], seq_->Track(ids[0]));
}

TEST_F(SequencerTest, SongFilesTrackSlotsAndTheirLimits) {
    EXPECT_EQ(seq_->SQ_LoadSequenceFile((dir_ / "missing.xmi").c_str()), 0);
    audio_test::WriteText(dir_ / "junk.xmi", "RIFF....WAVE");
    EXPECT_EQ(seq_->SQ_LoadSequenceFile((dir_ / "junk.xmi").c_str()), 0);
    audio_test::WriteText(dir_ / "empty.xmi", "");
    EXPECT_EQ(seq_->SQ_LoadSequenceFile((dir_ / "empty.xmi").c_str()), 0);

    xmidi::XmidiSequence s;
    s.events = EventWriter().Wait(1).End().Bytes();
    ASSERT_EQ(Load(std::vector<xmidi::XmidiSequence>(130, s)), 1);
    EXPECT_EQ(seq_->SequenceCount(), 128u) << "sequences beyond the table are ignored";
    EXPECT_EQ(Load({s}), 0) << "a song is already loaded";
    EXPECT_EQ(seq_->SQ_CreateTrack(128), -1);
    for (int n = 0; n < 128; ++n) ASSERT_EQ(seq_->SQ_CreateTrack(uint32_t(n)), n);
    EXPECT_EQ(seq_->SQ_CreateTrack(0), -1) << "all slots taken";
    EXPECT_EQ(seq_->TrackCount(), 128);
    EXPECT_EQ(seq_->SQ_DeleteTrack(5), 1);
    EXPECT_EQ(seq_->SQ_DeleteTrack(5), 0);
    EXPECT_EQ(seq_->SQ_DeleteTrack(128), 0);
    EXPECT_EQ(seq_->SQ_CreateTrack(7), 5) << "the lowest free slot";
    seq_->SQ_UnloadSequenceFile();
    EXPECT_EQ(seq_->SequenceCount(), 0u);
    EXPECT_EQ(seq_->Track(5)->HasEvents(), true) << "tracks keep their own copies";
    EXPECT_EQ(seq_->PlayingList().Size(), 128u);
}

TEST_F(SequencerTest, TrackInstrumentsAreMarkedLoadedAndSwept) {
    std::string wave = dir_ / "tone.wav";
    ASSERT_TRUE(audio_test::WriteMonoWave(wave, audio_test::Sine(220, 22050, 500)));
    std::string lib = dir_ / "wavelib.txt";
    ASSERT_TRUE(audio_test::WriteText(lib, "0 1 " + wave + " 60\n2 3 " + wave + " 60\n0 9 " + wave + "\n"));
    ASSERT_EQ(seq_->SQ_LoadInstrumentLibrary(lib.c_str()), 1);
    ASSERT_EQ(synth_->VS_load_instrument(0, 9), 1);  // loaded, but no track wants it

    xmidi::XmidiSequence a, b;
    a.timbres = {{1, 0}, {3, 2}, {7, 16}, {200, 0}};  // the last two are out of range
    a.events = EventWriter().Wait(1).End().Bytes();
    b.withTimbreChunk = false;  // a sequence without one needs nothing
    b.events = a.events;
    ASSERT_EQ(Load({a, b}), 1);
    seq_->SQ_CreateTrack(0);
    seq_->SQ_CreateTrack(1);
    EXPECT_EQ(seq_->SQ_LoadTrackInstruments(), 1);
    EXPECT_EQ(synth_->InstrumentAt(0, 1)->state, 1);
    EXPECT_EQ(synth_->InstrumentAt(2, 3)->state, 1);
    EXPECT_EQ(synth_->InstrumentAt(0, 9)->state, 0) << "swept";
    EXPECT_EQ(synth_->InstrumentAt(0, 1)->wave->useCount, 2);

    // A second song wanting the same instrument, then the end of both: the
    // samples go once nothing plays.
    seq_->SQ_UnloadSequenceFile();
    ASSERT_EQ(Load({a}), 1);
    int third = seq_->SQ_CreateTrack(0);
    EXPECT_EQ(seq_->SQ_LoadTrackInstruments(), 1);
    EXPECT_EQ(synth_->InstrumentAt(0, 1)->wave->useCount, 2) << "no second request for a loaded instrument";
    for (int id : {0, 1, third}) seq_->SQ_DeleteTrack(id);
    seq_->SQ_LoadTrackInstruments();
    EXPECT_EQ(synth_->InstrumentAt(0, 1)->wave->useCount, 0);
    EXPECT_EQ(synth_->InstrumentAt(0, 1)->wave->samples, nullptr);
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

}  // namespace
