// A small song through the whole chain - sequencer, synthesiser, mix buffer,
// timer and sound card - first on the manual clock, then on real threads.
#include <chrono>
#include <thread>

#include "audio/sequencer.h"
#include "audio_test_support.h"
#include "platform/clock.h"
#include "platform/dsound_card.h"

using namespace platform;
using xmidi::EventWriter;

namespace {

constexpr uint32_t kRate = 22050;
constexpr uint32_t kTick = kRate / 120;
constexpr double kSampleHz = 441.0;  // exactly 50 samples a cycle
constexpr int kRoot = 69;

// Writes the instrument (a looping cosine at kSampleHz, root note kRoot, a
// 10 ms release) and a two-part song that loops every second: part one
// sounds a fifth above the root at tick 0, part two the root at tick 61.
struct SongFiles {
    explicit SongFiles(const audio_test::ScratchDir& dir) {
        std::vector<int16_t> cosine(5000);
        for (size_t i = 0; i < cosine.size(); ++i)
            cosine[i] = int16_t(std::lround(10000 * std::cos(2 * M_PI * kSampleHz * double(i) / kRate)));
        wave = dir / "cosine.wav";
        EXPECT_TRUE(audio_test::WriteMonoWave(wave, cosine));
        library = dir / "wavelib.txt";
        EXPECT_TRUE(audio_test::WriteText(library, "0 0 " + wave + " 69 0 0 50 4950 1 220\n"));
        xmidi::XmidiSequence melody, answer;
        melody.timbres = {{0, 0}};
        melody.events = EventWriter().Note(0, kRoot + 7, 127, 30).Wait(120).End().Bytes();
        answer.timbres = {{0, 0}};
        answer.events = EventWriter().Wait(61).Note(0, kRoot, 100, 20).Wait(59).End().Bytes();
        song = dir / "song.xmi";
        EXPECT_TRUE(audio_test::WriteBytes(song, xmidi::SongFile({melody, answer})));
    }
    std::string wave, library, song;
};

// The calling order of every screen that plays a song.
std::vector<int> StartSong(Sequencer& seq, const SongFiles& files) {
    std::vector<int> ids;
    EXPECT_EQ(seq.SQ_LoadSequenceFile(files.song.c_str()), 1);
    for (uint32_t n = 0; n < seq.SequenceCount(); ++n) {
        int id = seq.SQ_CreateTrack(n);
        seq.SQ_RestartTrack(id);
        seq.SQ_SetTrackLoops(id, 0);
        seq.SQ_SetTrackChannel(id, id);
        ids.push_back(id);
    }
    seq.SQ_UnloadSequenceFile();
    EXPECT_EQ(seq.SQ_LoadTrackInstruments(), 1);
    EXPECT_EQ(seq.SQ_Play(), 1);
    return ids;
}

void EndSong(Sequencer& seq, const std::vector<int>& ids) {
    seq.SQ_Stop();
    for (int id : ids) seq.SQ_DeleteTrack(id);
    seq.SQ_LoadTrackInstruments();
}

// Strength of one frequency in a stretch of the left channel (Goertzel).
double Power(const std::vector<int16_t>& stereo, size_t first, size_t frames, double hz) {
    const double w = 2 * M_PI * hz / kRate, coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = first; i < first + frames; ++i) {
        double s0 = stereo[2 * i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

class EndToEndTest : public audio_test::HeadlessAudioTest {};

TEST_F(EndToEndTest, ASongPlaysForTwoSecondsOnTheTickGridAtTheTablesPitch) {
    SongFiles files(dir_);
    IDirectSound* ds = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
    std::vector<int16_t> captured;
    {
        Sequencer seq(nullptr, ds);
        ASSERT_EQ(seq.SQ_CreateVirtualSynth(SoundFormat{32, 0, 16, kRate, 1}), 1);
        ASSERT_EQ(seq.SQ_LoadInstrumentLibrary(files.library.c_str()), 1);
        sound_card::StartCapture();
        auto ids = StartSong(seq, files);
        for (int ms = 0; ms < 2000; ms += 5) manual_clock::Advance(5);
        EndSong(seq, ids);
        captured = sound_card::StopCapture();
        EXPECT_EQ(seq.Synth()->InstrumentAt(0, 0)->wave->samples, nullptr) << "unloaded with the last track";
    }
    ASSERT_EQ(captured.size(), size_t(2 * kRate * 2));
    std::string out = dir_ / "played.wav";
    ASSERT_EQ(sound_card::WriteCaptureWave(out, captured, kRate), 1);
    EXPECT_GT(std::filesystem::file_size(out), captured.size() * 2);

    EXPECT_GT(audio_test::Rms(captured), 1000.0) << "not silent";

    // Every note starts after silence, on a frame that is a whole number of ticks.
    std::vector<size_t> onsets;
    size_t silent = 1000;
    for (size_t f = 0; f < captured.size() / 2; ++f) {
        bool quiet = captured[2 * f] == 0 && captured[2 * f + 1] == 0;
        if (!quiet && silent >= 500) onsets.push_back(f);
        silent = quiet ? silent + 1 : 0;
    }
    EXPECT_EQ(onsets, (std::vector<size_t>{0, 61 * kTick, 120 * kTick, 181 * kTick, 240 * kTick}));
    for (size_t f : onsets) EXPECT_EQ(f % kTick, 0u);

    // The first note: a fifth above the root, as the pitch table says.
    const double expected = kSampleHz * std::pow(2.0, 7.0 / 12.0);
    double best = 0, bestHz = 0;
    for (double hz = 300; hz < 1500; hz += 0.25) {
        double p = Power(captured, 200, 4096, hz);
        if (p > best) {
            best = p;
            bestHz = hz;
        }
    }
    EXPECT_NEAR(bestHz, expected, 3.0);
    // The answering note sounds at the root.
    EXPECT_GT(Power(captured, 61 * kTick + 100, 2048, kSampleHz),
              20 * Power(captured, 61 * kTick + 100, 2048, expected));
}

// The timer and the sound card on their own threads while the main thread
// changes volumes, pans and mutes and limits the audible tracks, as a land
// screen does every frame. Under the thread sanitizer:
//   cmake -S . -B build-tsan -DTW_TSAN=ON -DTW_BENCH=OFF
//   cmake --build build-tsan --target test_audio
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build-tsan/tests/test_audio
// (or ./test.sh --tsan for everything).
TEST(RealThreadAudio, TimerTicksWhileTheMainThreadAdjustsTracks) {
    audio_test::ScratchDir dir;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TUNEWANDER_RUNTIME_DIR", dir.path().c_str(), 1);
    Shutdown();
    PlatformOptions options;
    options.kind = BackendKind::Sdl;
    ASSERT_EQ(Startup(options), 1);
    SongFiles files(dir);
    IDirectSound* ds = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
    {
        Sequencer seq(nullptr, ds);
        ASSERT_EQ(seq.SQ_CreateVirtualSynth(SoundFormat{32, 0, 16, kRate, 1}), 1);
        ASSERT_EQ(seq.SQ_LoadInstrumentLibrary(files.library.c_str()), 1);
        auto ids = StartSong(seq, files);
        const uint32_t primed = seq.Synth()->SegmentStart();
        ::testing::Test::RecordProperty("sound_card", sound_card::IsVirtual() ? "virtual" : "sdl-device");
        // Until the card has played half a second (bounded, so a dead
        // device fails instead of hanging).
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        uint64_t played = 0;
        DWORD last = 0;
        int round = 0;
        while (played < kRate / 2 * 4 && std::chrono::steady_clock::now() < giveUp) {
            for (int id : ids) {
                seq.SQ_SetTrackVolume(id, -(round % 3000));
                seq.SQ_SetTrackPan(id, (round % 2000) - 1000);
            }
            seq.SQ_LimitAudibleTracks(1);
            seq.SQ_SetTrackMute(ids[0], 2);
            if (++round % 5000 == 0) seq.SQ_Play();  // restarting while the card reads the buffer
            DWORD play = 0;
            seq.Synth()->MixBuffer()->GetCurrentPosition(&play, nullptr);
            played += (play + 16384 - last) % 16384;
            last = play;
            std::this_thread::yield();
        }
        EXPECT_GE(played, kRate / 2 * 4) << "the sound card did not play";
        seq.SQ_Stop();
        // The timer mixed beyond what priming filled.
        EXPECT_GT(seq.Synth()->SegmentStart(), primed);
        EndSong(seq, ids);
    }
    Shutdown();
    unsetenv("TUNEWANDER_RUNTIME_DIR");
}

}  // namespace
