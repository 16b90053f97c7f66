// The synthesiser's renderer with 64 voices through each voice loop (the
// reference loop first, so before and after come from one run), and a whole
// song rendered through the sequencer and synthesiser. Counters: ns per
// voice-sample and how many times faster than real time at 22050 Hz.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "audio/sequencer.h"
#include "audio/virtual_synth.h"
#include "platform/dsound.h"
#include "platform/platform.h"

namespace {

constexpr uint32_t kRate = 22050;

// A looping tone in program `program` of bank 0.
void PutTone(VirtualSynth& synth, int program, size_t samples = 22050) {
    WaveEntry* wave = synth.FindOrAddWave(("tone" + std::to_string(program)).c_str());
    wave->samples.reset(new int16_t[samples]);
    for (size_t i = 0; i < samples; ++i)
        wave->samples[i] = int16_t(8000 * std::sin(2 * M_PI * 441.0 * double(i) / kRate));
    wave->dataBytes = uint32_t(samples * 2);
    wave->useCount = 1;
    Instrument tone;
    tone.wave = wave;
    tone.rootNote = 60;
    tone.loopFlag = 1;
    tone.loopStart = 50;
    tone.loopEnd = uint32_t(samples - 100);
    tone.release = 2205;
    synth.PutInstrument(0, program, tone);
}

void BM_MixSegment64Voices(benchmark::State& state, MixLoop loop) {
    if (!MixLoopAvailable(loop)) {
        state.SkipWithError("this processor cannot run the loop");
        return;
    }
    VirtualSynth synth(nullptr, nullptr);
    synth.SetMixLoop(loop);
    SoundFormat format;
    format.segmentFrames = 128;
    synth.StoreFormat(format, 32 * 128 * 4);
    PutTone(synth, 0);
    for (int v = 0; v < 64; ++v) {
        synth.VS_set_channel(uint8_t(v % 40), 0.5f, float(v % 5) / 4.0f);
        // Different pitches, so most voices interpolate.
        synth.VS_note_on(uint8_t(v % 40), uint8_t(48 + v % 24), 100, 0, 0, 0, 0xFFFFFFF0u);
    }
    std::vector<int16_t> segment(128 * 2);
    for (auto _ : state) {
        synth.VS_mix_segment(segment.data());
        benchmark::DoNotOptimize(segment.data());
        benchmark::ClobberMemory();
    }
    if (synth.ActiveVoices() != 64) state.SkipWithError("voices ended");
    const double voiceSamples = double(state.iterations()) * 64 * 128;
    state.counters["ns_per_voice_sample"] =
        benchmark::Counter(voiceSamples * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["x_realtime"] =
        benchmark::Counter(double(state.iterations()) * 128 / kRate, benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_MixSegment64Voices, reference, MixLoop::Reference);
BENCHMARK_CAPTURE(BM_MixSegment64Voices, portable, MixLoop::Portable);
BENCHMARK_CAPTURE(BM_MixSegment64Voices, sse2, MixLoop::Sse2);
BENCHMARK_CAPTURE(BM_MixSegment64Voices, avx2, MixLoop::Avx2);

// Sixteen parts, each a looping four-note figure, rendered segment by segment
// the way the timer tick does (track pass, then a segment mixed).
void BM_SongThroughSequencer(benchmark::State& state) {
    platform::ScopedHeadless headless;
    platform::IDirectSound* ds = nullptr;
    platform::DirectSoundCreate(nullptr, &ds, nullptr);
    ds->SetCooperativeLevel(nullptr, platform::DSSCL_NORMAL);
    Sequencer seq(nullptr, ds);
    if (!seq.SQ_CreateVirtualSynth(SoundFormat{})) {
        state.SkipWithError("no synthesiser");
        return;
    }
    VirtualSynth& synth = *seq.Synth();
    for (int p = 0; p < 16; ++p) PutTone(synth, p);
    std::vector<xmidi::XmidiSequence> parts(16);
    for (int p = 0; p < 16; ++p) {
        xmidi::EventWriter w;
        w.Program(0, p);
        for (int n = 0; n < 4; ++n) w.Note(0, 48 + p + 3 * n, 90, 25).Wait(30);
        parts[size_t(p)].events = w.End().Bytes();
    }
    const std::string path = (std::filesystem::temp_directory_path() / "tw_bench_song.xmi").string();
    xmidi::WriteFileBytes(path, xmidi::SongFile(parts));
    seq.SQ_LoadSequenceFile(path.c_str());
    std::filesystem::remove(path);
    for (uint32_t n = 0; n < seq.SequenceCount(); ++n) {
        int id = seq.SQ_CreateTrack(n);
        seq.SQ_SetTrackLoops(id, 0);
        seq.SQ_SetTrackChannel(id, id);
    }
    seq.SQ_UnloadSequenceFile();
    const uint32_t segments = kRate * 10 / synth.SegmentFrames();  // ten seconds of music
    for (auto _ : state) {
        state.PauseTiming();
        synth.VS_clear();
        for (int id = 0; id < 16; ++id) seq.SQ_RestartTrack(id);
        state.ResumeTiming();
        bool first = true;
        for (uint32_t s = 0; s < segments; ++s) {
            for (auto* t = seq.PlayingList().FirstAs<SeqTrack>(); t; t = seq.PlayingList().NextAs<SeqTrack>()) {
                if (first) t->state = SeqTrack::kPlaying;
                while (t->Advance()) {
                }
                t->SendChannelSettings();
            }
            first = false;
            synth.VS_service(1);
        }
    }
    state.counters["x_realtime"] = benchmark::Counter(double(state.iterations()) * 10.0, benchmark::Counter::kIsRate);
    seq.SQ_Destroy();
}
BENCHMARK(BM_SongThroughSequencer)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
