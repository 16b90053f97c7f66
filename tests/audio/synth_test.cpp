// The synthesiser's notes, pitch, pan law, release and renderer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "audio/virtual_synth.h"

namespace {

// A synthesiser without buffers: the renderer mixes into memory of ours.
class SynthTest : public ::testing::Test {
protected:
    void SetUp() override { Format(22050, 1, 128); }
    void Format(uint32_t rate, uint32_t factor, uint32_t segmentFrames) {
        SoundFormat f;
        f.segmentFrames = segmentFrames;
        f.outputRate = rate;
        f.rateFactor = factor;
        synth_.StoreFormat(f, f.segmentCount * segmentFrames * 4);
        segment_.assign(segmentFrames * 2, 0);
    }
    // Instrument (bank 0, program) over the given samples.
    Instrument& Put(int program, std::vector<int16_t> samples, Instrument shape = {}) {
        WaveEntry* wave = synth_.FindOrAddWave(("wave" + std::to_string(program)).c_str());
        wave->samples.reset(new int16_t[samples.size()]);
        std::memcpy(wave->samples.get(), samples.data(), samples.size() * 2);
        wave->dataBytes = uint32_t(samples.size() * 2);
        wave->useCount = 1;
        shape.wave = wave;
        if (shape.rootNote == 0) shape.rootNote = 60;
        return *synth_.PutInstrument(0, program, shape);
    }
    // Mixes the next segment (as servicing would) and returns it.
    const std::vector<int16_t>& Mix() {
        synth_.VS_mix_segment(segment_.data());
        return segment_;
    }
    static std::vector<int16_t> Constant(size_t n, int16_t v) { return std::vector<int16_t>(n, v); }

    VirtualSynth synth_{nullptr, nullptr};
    std::vector<int16_t> segment_;
};

TEST_F(SynthTest, NotesTakeFreeVoicesAndTheSixtyFifthIsDropped) {
    Put(0, Constant(1000, 100));
    for (int i = 0; i < 64; ++i) ASSERT_EQ(synth_.VS_note_on(0, 60, 100, 0, 0, uint32_t(i), 500), 1);
    EXPECT_EQ(synth_.VS_note_on(0, 60, 100, 0, 0, 70, 500), 0) << "no voice is stolen";
    EXPECT_EQ(synth_.ActiveVoices(), 64);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(synth_.Voice(i).startFrame, uint32_t(i));
    EXPECT_EQ(synth_.VS_note_on(0, 60, 100, 0, 99, 5, 10), 0)
        << "a free voice is looked for before the slot";

    VirtualSynth fresh(nullptr, nullptr);
    SoundFormat f;
    f.segmentFrames = 128;
    fresh.StoreFormat(f, 16384);
    EXPECT_EQ(fresh.VS_note_on(0, 60, 100, 0, 5, 0, 10), 1) << "empty slot: ignored, reported taken";
    EXPECT_EQ(fresh.VS_note_on(40, 60, 100, 0, 0, 0, 10), 1);
    EXPECT_EQ(fresh.VS_note_on(0, 60, 100, 16, 0, 0, 10), 1);
    EXPECT_EQ(fresh.VS_note_on(0, 60, 100, 0, 128, 0, 10), 1);
    EXPECT_EQ(fresh.VS_note_on(0, 60, 100, 0, 0, 128, 10), 0) << "start after this segment";
    EXPECT_EQ(fresh.ActiveVoices(), 0);
    Instrument noWave;
    fresh.PutInstrument(0, 1, noWave);
    EXPECT_EQ(fresh.VS_note_on(0, 60, 100, 0, 1, 0, 10), 1);
    EXPECT_EQ(fresh.ActiveVoices(), 0) << "an instrument without samples is not played";
}

TEST_F(SynthTest, PitchStepsFollowTheTableAndTheRateFactor) {
    Put(0, Constant(64, 0));
    int whole = 0;
    uint16_t fraction = 0;
    synth_.VS_pitch_step(0, 0, 60, &whole, &fraction);
    EXPECT_EQ(whole, 1);
    EXPECT_EQ(fraction, 0);
    synth_.VS_pitch_step(0, 0, 72, &whole, &fraction);
    EXPECT_EQ(whole, 2);
    synth_.VS_pitch_step(0, 0, 67, &whole, &fraction);
    EXPECT_EQ(whole, 1);
    EXPECT_EQ(fraction, uint16_t((std::pow(2.0, 7 / 12.0) - 1) * 65535.0));
    synth_.VS_pitch_step(0, 0, 0, &whole, &fraction);
    EXPECT_EQ(whole, 0) << "five octaves down is a quarter step";
    EXPECT_NEAR(synth_.PitchTable(69), 22050 * std::pow(2.0, 9 / 12.0), 1e-9);

    synth_.VS_note_on(0, 60, 100, 0, 0, 0, 10);
    EXPECT_EQ(synth_.Voice(0).mode, 16u) << "root note at factor 1 needs no interpolation";
    EXPECT_EQ(synth_.Voice(0).step, 2u);
    EXPECT_EQ(synth_.Voice(0).carryStep, 4u);

    Format(11025, 2, 128);
    EXPECT_EQ(synth_.PitchDivisor(), 5512u);
    synth_.VS_pitch_step(0, 0, 60, &whole, &fraction);
    EXPECT_EQ(whole, 2) << "each output frame skips two samples";
    EXPECT_EQ(fraction, uint16_t((11025.0 / 5512.0 - 2) * 65535.0));
}

TEST_F(SynthTest, PanLawSplitsByCosineSquared) {
    Instrument loud;
    loud.loopFlag = 1;
    loud.loopStart = 0;
    loud.loopEnd = 1000;
    Put(0, Constant(1001, 10000), loud);
    ASSERT_EQ(synth_.VS_note_on(3, 60, 127, 0, 0, 0, 100000), 1);
    synth_.VS_set_channel(3, 1.0f, 0.5f);
    const auto& centre = Mix();
    // cos^2 of 45 degrees: half each side, give or take the truncation.
    EXPECT_NEAR(synth_.Voice(0).baseGainLeft, 32768, 1);
    EXPECT_NEAR(synth_.Voice(0).baseGainRight, 32768, 1);
    EXPECT_EQ(centre[0], 4999);
    EXPECT_EQ(centre[1], 4999);
    synth_.VS_set_channel(3, 1.0f, 0.0f);
    const auto& left = Mix();
    EXPECT_EQ(left[0], 9999);
    EXPECT_EQ(left[1], 0);
    synth_.VS_set_channel(3, 0.5f, 1.0f);
    const auto& right = Mix();
    EXPECT_LE(std::abs(right[0]), 1);
    EXPECT_EQ(right[1], 4999);
    EXPECT_EQ(synth_.VS_set_channel(40, 1.0f, 0.5f), 0);
}

TEST_F(SynthTest, ReleaseStartsAtTheNotesEndFrameAndLeavesTheLoop) {
    // Samples 100, 200, ...; a loop over samples 10..19.
    std::vector<int16_t> ramp(100);
    for (int i = 0; i < 100; ++i) ramp[size_t(i)] = int16_t(100 * (i + 1));
    Instrument shape;
    shape.loopFlag = 1;
    shape.loopStart = 10;
    shape.loopEnd = 20;
    shape.release = 22050;
    Put(0, ramp, shape);
    synth_.VS_set_channel(0, 1.0f, 0.0f);
    auto sampleAt = [&](const std::vector<int16_t>& seg, int frame) { return (seg[size_t(2 * frame)] + 50) / 100 - 1; };

    ASSERT_EQ(synth_.VS_note_on(0, 60, 127, 0, 0, 0, 40), 1);
    const auto& held40 = Mix();
    EXPECT_EQ(sampleAt(held40, 19), 19);
    EXPECT_EQ(sampleAt(held40, 20), 10) << "the held part loops";
    EXPECT_EQ(sampleAt(held40, 39), 19);
    EXPECT_EQ(sampleAt(held40, 40), 20) << "the release plays on past the loop";
    EXPECT_EQ(sampleAt(held40, 50), 30);
    EXPECT_LT(held40[2 * 50], 3100 - 1) << "and fades from the 16-frame mark on";

    // Ten frames longer, on the right: frame 40 still belongs to the loop.
    Put(1, ramp, shape);
    synth_.VS_set_channel(1, 1.0f, 1.0f);
    ASSERT_EQ(synth_.VS_note_on(1, 60, 127, 0, 1, synth_.SegmentStart(), 50), 1);
    const auto& held50 = Mix();
    auto rightAt = [&](int frame) { return (held50[size_t(2 * frame + 1)] + 50) / 100 - 1; };
    EXPECT_EQ(rightAt(40), 10);
    EXPECT_EQ(rightAt(49), 19);
    EXPECT_EQ(rightAt(50), 20);
}

TEST_F(SynthTest, AReleaseOf22050FramesFadesInAboutOneSecond) {
    Instrument shape;
    shape.loopFlag = 1;
    shape.loopStart = 0;
    shape.loopEnd = 30000;
    shape.release = 22050;
    Put(0, Constant(60000, 8000), shape);
    synth_.VS_set_channel(0, 1.0f, 0.0f);
    ASSERT_EQ(synth_.VS_note_on(0, 60, 127, 0, 0, 0, 0), 1);
    EXPECT_EQ(synth_.Voice(0).envelopeStep, -47);
    uint32_t frames = 0;
    int32_t previous = 1 << 30;
    bool falling = true;
    while (synth_.Voice(0).active && frames < 3 * 22050) {
        const auto& seg = Mix();
        falling = falling && seg[0] <= previous;
        previous = seg[0];
        frames += synth_.SegmentFrames();
    }
    EXPECT_TRUE(falling);
    EXPECT_GE(frames, 22050u * 98 / 100);
    EXPECT_LE(frames, 22050u * 103 / 100);
}

TEST_F(SynthTest, OneShotsEndAtTheirLastSampleAndLoudSumsSaturate) {
    Put(0, Constant(50, 30000));
    for (int i = 0; i < 8; ++i) ASSERT_EQ(synth_.VS_note_on(0, 60, 127, 0, 0, 0, 1000), 1);
    synth_.VS_set_channel(0, 1.0f, 0.0f);
    const auto& seg = Mix();
    EXPECT_EQ(seg[0], 32767) << "eight loud voices clamp instead of wrapping around";
    EXPECT_EQ(seg[2 * 48], 32767);
    EXPECT_EQ(seg[2 * 49], 0) << "the last sample is not played; the voice ends";
    EXPECT_EQ(synth_.ActiveVoices(), 0);

    Put(1, Constant(50, -30000));
    for (int i = 0; i < 8; ++i) synth_.VS_note_on(0, 60, 127, 0, 1, 0, 1000);
    EXPECT_EQ(Mix()[0], -32768);
    // Loud voices of opposite sign: the true sum, not a clipped running sum.
    for (int program : {0, 0, 1, 1}) synth_.VS_note_on(0, 60, 127, 0, uint8_t(program), 0, 1000);
    EXPECT_NEAR(Mix()[0], 0, 2);
}

TEST_F(SynthTest, LoopPointsOutsideTheSampleCannotReadPastIt) {
    Instrument shape;
    shape.loopFlag = 1;
    shape.loopStart = 5;
    shape.loopEnd = 5000;  // far beyond the 100 samples
    Put(0, Constant(100, 1000), shape);
    synth_.VS_set_channel(0, 1.0f, 0.0f);
    ASSERT_EQ(synth_.VS_note_on(0, 84, 127, 0, 0, 0, 100000), 1);
    for (int i = 0; i < 20; ++i) Mix();  // the sanitizer build checks every read
    EXPECT_TRUE(synth_.Voice(0).active) << "still looping inside the sample";
    EXPECT_LE(synth_.Voice(0).loopEnd, synth_.Voice(0).sampleEnd);
}

}  // namespace
