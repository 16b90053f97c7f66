// Every voice loop of the synthesiser gives the reference loop's samples,
// bit for bit: every generated song (some at both output rates), and every effect
// WAVE played as an instrument in every voice mode, pitch and gain range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/sequencer.h"
#include "audio/virtual_synth.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "support/data_dir.h"

namespace {

namespace fs = std::filesystem;

// Segments of an odd length, so every kernel also ends runs on its tail.
constexpr uint32_t kSongSegmentFrames = 123;
constexpr uint32_t kEffectSegmentFrames = 77;

std::vector<MixLoop> FastLoops() {
    std::vector<MixLoop> loops;
    for (MixLoop loop : {MixLoop::Portable, MixLoop::Sse2, MixLoop::Avx2})
        if (MixLoopAvailable(loop)) loops.push_back(loop);
    return loops;
}

// Names of the files in a folder of the data folder with an extension, sorted.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(test_support::GeneratedDataDir() + "/" + folder))
        if (entry.path().extension() == extension) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Where a segment first differs from the reference's, or empty.
std::string FirstDifference(const std::vector<int16_t>& reference, const std::vector<int16_t>& fast) {
    for (size_t i = 0; i < reference.size(); ++i)
        if (reference[i] != fast[i])
            return "frame " + std::to_string(i / 2) + (i % 2 ? " right: " : " left: ") +
                   std::to_string(reference[i]) + " against " + std::to_string(fast[i]);
    return {};
}

class MixLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string data = test_support::GeneratedDataDir();
        ASSERT_TRUE(fs::exists(data + "/seq/wavelib.txt")) << "no generated data in " << data;
        ASSERT_EQ(folder_.Enter(data.c_str()), 1);
        loops_ = FastLoops();
        ASSERT_FALSE(loops_.empty());
    }

    platform::ScopedHeadless platform_;
    platform::ScopedCurrentDirectory folder_;
    std::vector<MixLoop> loops_;
};

// One song on its own offline sequencer, its tracks spread over the stereo
// field at full volume (loud enough to clip where parts pile up).
struct SongPlayer {
    Sequencer sequencer{nullptr, nullptr};
    std::vector<int> tracks;
    uint32_t passFrames = 0;

    bool Open(const std::string& song, uint32_t rate, MixLoop loop) {
        SoundFormat format;
        format.outputRate = rate;
        format.rateFactor = rate == 11025 ? 2 : 1;
        format.segmentFrames = kSongSegmentFrames;
        if (!sequencer.SQ_CreateOfflineSynth(format)) return false;
        sequencer.Synth()->SetMixLoop(loop);
        if (!sequencer.SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt")) return false;
        if (!sequencer.SQ_LoadSequenceFile((".\\seq\\" + song).c_str())) return false;
        uint32_t passTicks = 0;
        for (uint32_t s = 0; s < sequencer.SequenceCount(); ++s) {
            passTicks = std::max(passTicks, sequencer.SequenceTicks(s));
            const int id = sequencer.SQ_CreateTrack(s);
            sequencer.SQ_SetTrackLoops(id, 0);
            sequencer.SQ_SetTrackChannel(id, id % VirtualSynth::kChannels);
            tracks.push_back(id);
        }
        sequencer.SQ_UnloadSequenceFile();
        Mix(0);
        passFrames = passTicks * (rate / 120);
        return sequencer.SQ_LoadTrackInstruments() && passFrames > 0;
    }
    // A new spread of pans and volumes every few seconds, as a dog walking
    // past the parts would make.
    void Mix(uint32_t turn) {
        for (size_t t = 0; t < tracks.size(); ++t) {
            const int32_t step = int32_t((t * 7 + turn * 3) % 9);
            sequencer.SQ_SetTrackPan(tracks[t], -10000 + step * 2500);
            sequencer.SQ_SetTrackVolume(tracks[t], -600 - 300 * int32_t((t + turn) % 5));
        }
    }
};

TEST_F(MixLoopTest, EverySongGivesTheReferenceSamplesThroughEveryLoop) {
    const std::vector<std::string> songs = FilesIn("seq", ".xmi");
    ASSERT_GE(songs.size(), 10u);
    uint32_t totalClipped = 0;
    for (const uint32_t rate : {22050u, 11025u}) {
        for (const std::string& song : songs) {
            // At half rate (doubled steps, filtered waves) three songs do.
            if (rate == 11025 && song != "hardband.xmi" && song != "jazz.xmi" && song != "palace.xmi") continue;
            SCOPED_TRACE(song + " at " + std::to_string(rate) + " Hz");
            SongPlayer reference;
            ASSERT_TRUE(reference.Open(song, rate, MixLoop::Reference));
            std::vector<std::unique_ptr<SongPlayer>> fast;
            for (MixLoop loop : loops_) {
                fast.push_back(std::make_unique<SongPlayer>());
                ASSERT_TRUE(fast.back()->Open(song, rate, loop));
            }
            // The whole song once at 22050 Hz; its first 10 seconds at 11025.
            const uint32_t frames = rate == 22050 ? reference.passFrames : std::min(reference.passFrames, 10 * rate);
            const uint32_t segments = frames / kSongSegmentFrames + 1;
            std::vector<int16_t> expected(kSongSegmentFrames * 2), got(kSongSegmentFrames * 2);
            int peakVoices = 0;
            uint32_t clipped = 0;
            for (uint32_t n = 0; n < segments; ++n) {
                if (n % (4 * rate / kSongSegmentFrames) == 0) {
                    reference.Mix(n);
                    for (auto& player : fast) player->Mix(n);
                }
                reference.sequencer.SQ_RenderSegment(expected.data());
                peakVoices = std::max(peakVoices, reference.sequencer.Synth()->ActiveVoices());
                for (int16_t s : expected) clipped += s == 32767 || s == -32768;
                for (size_t k = 0; k < fast.size(); ++k) {
                    fast[k]->sequencer.SQ_RenderSegment(got.data());
                    const std::string difference = FirstDifference(expected, got);
                    ASSERT_EQ(difference, "") << MixLoopName(loops_[k]) << " loop, segment " << n;
                }
            }
            EXPECT_GE(peakVoices, 32) << "the song should sound many voices at once";
            totalClipped += clipped;
        }
    }
    // Loud passages pile up past 16 bits now and then (rarely enough that
    // the clamp hides nothing).
    EXPECT_GT(totalClipped, 0u);
}

// The shapes an instrument can give a voice: one-shot or looping, with and
// without a release, quiet, loud (gain above 1) and at the gain bound.
struct Shape {
    bool loop;
    int8_t gain;
    uint32_t release;
};
constexpr Shape kShapes[] = {{false, 0, 0}, {true, 12, 3000}, {true, 40, 0}, {false, -6, 50}, {true, 0, 700}};
// Notes against the root 60: two octaves below and above, unison (no
// interpolation), small steps, and steps just over two (where the sample
// windows of eight frames end) at either rate.
constexpr uint8_t kNotes[] = {36, 47, 59, 60, 63, 65, 72, 74, 79, 84};

// A synthesiser without a device that plays every effect WAVE (and a wave of
// full-scale noise) through every shape.
struct EffectRig {
    VirtualSynth synth{nullptr, nullptr};
    int programs = 0;

    bool Open(const std::vector<std::string>& waves, const std::vector<int16_t>& noise, uint32_t rate, MixLoop loop) {
        SoundFormat format;
        format.outputRate = rate;
        format.rateFactor = rate == 11025 ? 2 : 1;
        format.segmentFrames = kEffectSegmentFrames;
        synth.StoreFormat(format, format.segmentCount * format.segmentFrames * 4);
        synth.SetMixLoop(loop);
        for (size_t w = 0; w <= waves.size(); ++w) {
            WaveEntry* wave = synth.FindOrAddWave(w < waves.size() ? waves[w].c_str() : "noise");
            if (w == waves.size()) {
                wave->samples.reset(new int16_t[noise.size()]);
                std::copy(noise.begin(), noise.end(), wave->samples.get());
                wave->dataBytes = uint32_t(noise.size() * 2);
                wave->useCount = 1;
            }
            for (const Shape& shape : kShapes) {
                Instrument instrument;
                instrument.wave = wave;
                instrument.rootNote = 60;
                instrument.gain = shape.gain;
                instrument.loopFlag = shape.loop ? 1 : 0;
                instrument.release = shape.release;
                const int program = programs++;
                Instrument* put = synth.PutInstrument(program / 128, program % 128, instrument);
                if (!put || (w < waves.size() && !synth.VS_load_instrument(program / 128, program % 128)))
                    return false;
                const uint32_t samples = wave->dataBytes / 2;
                put->loopStart = samples / 4;
                put->loopEnd = samples - samples / 5;
            }
        }
        for (int c = 0; c < VirtualSynth::kChannels; ++c)
            synth.VS_set_channel(uint8_t(c), 0.25f + 0.05f * float(c % 16), float(c % 5) / 4.0f);
        return true;
    }
};

std::vector<int16_t> FullScaleNoise() {
    std::vector<int16_t> noise(6000);
    uint32_t state = 12345;
    for (size_t i = 0; i < noise.size(); ++i) {
        state = state * 214013 + 2531011;
        // Runs of the extremes among the noise: neighbours 65535 apart.
        noise[i] = (i / 64) % 3 == 0 ? int16_t(i % 2 ? 32767 : -32768) : int16_t(state >> 16);
    }
    return noise;
}

TEST_F(MixLoopTest, EveryEffectInEveryVoiceShapeGivesTheReferenceSamples) {
    std::vector<std::string> waves;
    for (const std::string& name : FilesIn("seq/fx", ".wav")) waves.push_back(".\\seq\\fx\\" + name);
    ASSERT_GE(waves.size(), 20u);
    const std::vector<int16_t> noise = FullScaleNoise();
    for (const uint32_t rate : {22050u, 11025u}) {
        SCOPED_TRACE(std::to_string(rate) + " Hz");
        EffectRig reference;
        ASSERT_TRUE(reference.Open(waves, noise, rate, MixLoop::Reference));
        std::vector<std::unique_ptr<EffectRig>> fast;
        for (MixLoop loop : loops_) {
            fast.push_back(std::make_unique<EffectRig>());
            ASSERT_TRUE(fast.back()->Open(waves, noise, rate, loop));
        }
        // Each program in turn plays its notes at frames spread over the
        // segment and for lengths from a few frames to a second, as soon as
        // there are voices free for all of them (none is dropped), so many
        // programs overlap; then the segments run on until every voice is
        // silent.
        std::vector<int16_t> expected(kEffectSegmentFrames * 2), got(kEffectSegmentFrames * 2);
        uint32_t segment = 0, notes = 0;
        int program = 0;
        while (program < reference.programs || reference.synth.ActiveVoices() > 0) {
            const int free = VirtualSynth::kVoices - reference.synth.ActiveVoices();
            if (program < reference.programs && free >= int(std::size(kNotes))) {
                const uint32_t start = reference.synth.SegmentStart();
                for (size_t k = 0; k < std::size(kNotes); ++k) {
                    const uint32_t at = start + uint32_t((k * 29 + uint32_t(program) * 13) % kEffectSegmentFrames);
                    const uint32_t length = (k % 3 == 0) ? 5 + uint32_t(k) : rate / 4 * uint32_t(1 + k % 4);
                    const uint8_t channel = uint8_t((uint32_t(program) + k) % VirtualSynth::kChannels);
                    const uint8_t velocity = uint8_t(40 + (k * 11) % 88);
                    const uint8_t bank = uint8_t(program / 128), slot = uint8_t(program % 128);
                    ASSERT_EQ(reference.synth.VS_note_on(channel, kNotes[k], velocity, bank, slot, at, length), 1);
                    for (auto& rig : fast) rig->synth.VS_note_on(channel, kNotes[k], velocity, bank, slot, at, length);
                    ++notes;
                }
                ++program;
            }
            reference.synth.VS_render_next(expected.data());
            for (size_t k = 0; k < fast.size(); ++k) {
                fast[k]->synth.VS_render_next(got.data());
                ASSERT_EQ(FirstDifference(expected, got), "")
                    << MixLoopName(loops_[k]) << " loop, segment " << segment << ", program " << program - 1;
                ASSERT_EQ(fast[k]->synth.ActiveVoices(), reference.synth.ActiveVoices());
            }
            ++segment;
        }
        EXPECT_EQ(notes, uint32_t(reference.programs) * std::size(kNotes));
    }
}

}  // namespace
