#include "assetgen/sound_effects.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "assetgen/music_instruments.h"
#include "assetgen/music_mixdown.h"
#include "assetgen/sound_synth.h"

namespace assetgen::sound {

using dsp::kPi;
using dsp::kRate;
using dsp::Signal;

namespace {

using Curve = std::function<double(double)>;

// A voiced sound: a buzzy source following a pitch curve, shaped by
// formant filters and an amplitude curve, with some breath noise.
Signal Voiced(double seconds, const Curve& pitch, const Curve& amp, std::vector<std::pair<double, double>> formants,
              double noiseLevel, uint32_t seed) {
    std::vector<dsp::Biquad> filters;
    for (const auto& [hz, q] : formants) filters.push_back(dsp::Biquad::BandPass(hz, q));
    dsp::Noise noise(seed);
    Signal out(dsp::Samples(seconds));
    double phase = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kRate;
        phase += pitch(t) / kRate;
        phase -= std::floor(phase);
        // A band-limited-enough pulse: a few harmonics of the voice.
        double source = 0;
        for (int h = 1; h <= 12 && h * pitch(t) < 8000; ++h) source += std::sin(2 * kPi * h * phase) / h;
        source += noiseLevel * noise.Next();
        double v = 0;
        for (auto& f : filters) v += f.Process(float(source));
        out[n] = float(v * amp(t));
    }
    return out;
}

// Filtered noise under an amplitude curve.
Signal Breath(double seconds, double hz, double q, const Curve& amp, uint32_t seed) {
    dsp::Noise noise(seed);
    dsp::Biquad band = dsp::Biquad::BandPass(hz, q);
    Signal out(dsp::Samples(seconds));
    for (size_t n = 0; n < out.size(); ++n) out[n] = float(amp(double(n) / kRate) * band.Process(noise.Next()));
    return out;
}

// A sine gliding along a pitch curve (slide whistles, blips).
Signal Glide(double seconds, const Curve& pitch, const Curve& amp) {
    Signal out(dsp::Samples(seconds));
    double phase = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kRate;
        phase += 2 * kPi * pitch(t) / kRate;
        out[n] = float(amp(t) * (std::sin(phase) + 0.15 * std::sin(2 * phase)));
    }
    return out;
}

// Rises in `attack` seconds, then falls away with time constant `decay`.
Curve Hit(double attack, double decay) {
    return [=](double t) { return t < attack ? t / attack : std::exp(-(t - attack) / decay); };
}
// A smooth hump over [start, start + length].
Curve Hump(double start, double length) {
    return [=](double t) {
        const double x = (t - start) / length;
        return x <= 0 || x >= 1 ? 0.0 : std::sin(kPi * x);
    };
}

Signal Finish(Signal s, float peak = 0.8f) {
    dsp::FadeIn(s, 16);
    dsp::FadeOut(s, dsp::Samples(0.03));
    dsp::Normalise(s, peak);
    return s;
}

Signal Bark(double hz, double length, uint32_t seed) {
    return Voiced(
        length, [=](double t) { return hz * (1.1 - 0.35 * t / length); }, Hit(0.012, length / 3.5),
        {{hz * 1.5, 3}, {hz * 3.3, 4}, {2600, 5}}, 0.35, seed);
}

Signal Scuffle() {
    Signal s(dsp::Samples(1.6), 0.0f);
    // The dog's growl under it all, the cat's hisses, and paws thumping.
    dsp::MixInto(s, Voiced(1.5, [](double t) { return 95 + 25 * std::sin(2 * kPi * 9 * t); },
                           [](double t) { return 0.7 * std::sin(kPi * std::min(t / 1.5, 1.0)); }, {{350, 2}, {800, 3}},
                           0.6, 41),
                 0, 1.0f);
    for (int k = 0; k < 3; ++k)
        dsp::MixInto(s, Breath(0.25, 4500, 1.5, Hump(0, 0.25), 42u + uint32_t(k)), dsp::Samples(0.15 + 0.45 * k), 0.8f);
    for (int k = 0; k < 7; ++k) {
        Signal thump = Glide(0.09, [](double t) { return 140 - 500 * t; }, Hit(0.002, 0.025));
        dsp::MixInto(s, thump, dsp::Samples(0.05 + 0.21 * k + 0.03 * (k % 3)), 0.9f);
    }
    dsp::MixInto(s, Bark(520, 0.16, 43), dsp::Samples(0.6), 0.8f);
    dsp::MixInto(s, Voiced(0.3, [](double t) { return 700 + 400 * t; }, Hump(0, 0.3), {{1400, 3}, {3000, 4}}, 0.4, 44),
                 dsp::Samples(1.05), 0.7f);  // the cat's yowl
    return Finish(s);
}

Signal Freed() {
    using namespace music;
    const Frame f = MakeFrame(72, {0, 2, 4, 7, 9}, 12, 8, 8, "I I I");
    std::vector<Part> parts = {
        Melody(f, "run", kGlockenspiel, "1, 2, 3, 4, 5, 1 2 3 4 5 1' 2' 3' - - - - - - - . . . .", {.velocity = 100}),
        Melody(f, "harp", kHarp, "1, 3, 5, 1 3 5 1' 3' . . . . . . . . . . . . . . . .", {.octave = -1, .velocity = 80}),
        Melody(f, "chime", kChimes, ". . . . . . . . . . . . 1 - - - - - - - - - - -", {.velocity = 90}),
    };
    Signal s = music::Mixdown(parts, f.LoopTicks() + 120);
    return Finish(s);
}

Signal LockBell() {
    const double hz = dsp::NoteHz(kLockNote);
    return Finish(synth::Modal(hz, {{1, 1, 1.3}, {2.0, 0.25, 0.7}, {3.0, 0.08, 0.4}, {4.2, 0.05, 0.25}}, 1.3, 0.15, 51));
}

Signal Hum() {
    const double hz = dsp::NoteHz(kLockNote);
    return Finish(Voiced(
        0.9, [=](double t) { return hz * (1 + 0.004 * std::sin(2 * kPi * 5 * t)); },
        [](double t) { return std::min(t / 0.08, 1.0) * std::min((0.9 - t) / 0.2, 1.0); },
        {{hz, 6}, {hz * 2, 6}, {hz * 3, 8}, {2500, 6}}, 0.02, 52));
}

Signal GetUp() {
    Signal s(dsp::Samples(0.9), 0.0f);
    dsp::MixInto(s, Breath(0.5, 1200, 0.7, Hump(0, 0.5), 53), 0, 0.5f);  // rustle
    // The collar's tags shaking.
    for (int k = 0; k < 6; ++k)
        dsp::MixInto(s, synth::Modal(3100 + 230 * (k % 3), {{1, 1, 0.12}, {1.41, 0.6, 0.1}}, 0.15, 0, 54u + uint32_t(k)),
                     dsp::Samples(0.35 + 0.06 * k), 0.35f);
    dsp::MixInto(s, Voiced(0.25, [](double t) { return 260 - 120 * t; }, Hump(0, 0.25), {{500, 2}, {1100, 3}}, 0.5, 60),
                 dsp::Samples(0.05), 0.6f);  // "hmf"
    return Finish(s);
}

Signal DownHole() {
    Signal s = Glide(0.8, [](double t) { return 1200 * std::pow(0.15, t / 0.8) * (1 + 0.02 * std::sin(2 * kPi * 7 * t)); },
                     [](double t) { return std::min(t / 0.03, 1.0) * std::min((0.8 - t) / 0.2, 1.0); });
    dsp::MixInto(s, Breath(0.8, 600, 0.7, Hump(0.1, 0.7), 61), 0, 0.3f);
    return Finish(s);
}

Signal PopOut() {
    Signal s = Glide(0.08, [](double t) { return 180 - 1200 * t; }, Hit(0.001, 0.02));
    dsp::MixInto(s, Glide(0.35, [](double t) { return 400 * std::pow(3.0, t / 0.35); },
                          [](double t) { return std::min(t / 0.02, 1.0) * std::min((0.35 - t) / 0.1, 1.0) * 0.7; }),
                 dsp::Samples(0.06), 1.0f);
    return Finish(s);
}

Signal Sniffs() {
    Signal s(dsp::Samples(0.75), 0.0f);
    for (int k = 0; k < 4; ++k)
        dsp::MixInto(s, Breath(0.09, 4200 - 300 * k, 2.0, Hump(0, 0.09), 62u + uint32_t(k)), dsp::Samples(0.16 * k),
                     k == 3 ? 0.6f : 1.0f);
    return Finish(s, 0.7f);
}

Signal Barks() {
    Signal s(dsp::Samples(0.65), 0.0f);
    dsp::MixInto(s, Bark(430, 0.2, 66), 0, 1.0f);
    dsp::MixInto(s, Bark(400, 0.22, 67), dsp::Samples(0.32), 1.0f);
    return Finish(s);
}

Signal Yips() {
    Signal s(dsp::Samples(0.45), 0.0f);
    dsp::MixInto(s, Bark(760, 0.12, 68), 0, 1.0f);
    dsp::MixInto(s, Bark(820, 0.12, 69), dsp::Samples(0.17), 1.0f);
    return Finish(s);
}

Signal Blips(int first, int second, bool thud) {
    Signal s(dsp::Samples(0.3), 0.0f);
    dsp::MixInto(s, synth::Modal(dsp::NoteHz(first), {{1, 1, 0.25}, {3.99, 0.2, 0.06}}, 0.2, 0.3, 70), 0, 1.0f);
    dsp::MixInto(s, synth::Modal(dsp::NoteHz(second), {{1, 1, 0.3}, {3.99, 0.2, 0.06}}, 0.25, 0.3, 71),
                 dsp::Samples(0.08), 1.0f);
    if (thud) dsp::MixInto(s, Glide(0.1, [](double t) { return 120 - 400 * t; }, Hit(0.002, 0.03)), dsp::Samples(0.1), 0.8f);
    return Finish(s, 0.7f);
}

// Two soft notes falling a third: nothing wrong, just not yet.
Signal NotYet() {
    Signal s(dsp::Samples(0.6), 0.0f);
    dsp::MixInto(s, synth::Modal(dsp::NoteHz(76), {{1, 1, 0.3}, {2.0, 0.15, 0.15}}, 0.3, 0.4, 80), 0, 0.5f);
    dsp::MixInto(s, synth::Modal(dsp::NoteHz(72), {{1, 1, 0.35}, {2.0, 0.15, 0.15}}, 0.35, 0.4, 81),
                 dsp::Samples(0.2), 0.5f);
    return Finish(s, 0.5f);
}

// Three low notes going down, the last one buzzing: it did not work.
Signal Failed() {
    Signal s(dsp::Samples(0.9), 0.0f);
    const int notes[3] = {60, 56, 52};
    for (int k = 0; k < 3; ++k)
        dsp::MixInto(s, synth::Modal(dsp::NoteHz(notes[k]), {{1, 1, 0.2}, {3.0, 0.4, 0.1}}, 0.25, 0.2, 82u + uint32_t(k)),
                     dsp::Samples(0.18 * k), 1.0f);
    dsp::MixInto(s, Glide(0.3, [](double t) { return 110 - 30 * t; }, Hump(0, 0.3)), dsp::Samples(0.55), 0.5f);
    return Finish(s);
}

Signal Whine() {
    return Finish(Voiced(
        0.9, [](double t) { return (950 + 200 * std::sin(kPi * t / 0.9) - 350 * t) * (1 + 0.02 * std::sin(2 * kPi * 6 * t)); },
        Hump(0, 0.9), {{1000, 2}, {2200, 3}}, 0.1, 72));
}

// Two breaths in and out; silent at both ends so that it loops seamlessly.
Signal Panting() {
    const double length = 0.6;
    Signal s(dsp::Samples(length), 0.0f);
    for (int k = 0; k < 2; ++k) {
        const double at = k * length / 2;
        dsp::MixInto(s, Breath(0.13, 1300, 1.5, Hump(0, 0.13), 73u + uint32_t(k)), dsp::Samples(at + 0.01), 1.0f);
        dsp::MixInto(s, Voiced(0.13, [](double) { return 310.0; }, Hump(0, 0.13), {{1200, 2}}, 1.0, 75u + uint32_t(k)),
                     dsp::Samples(at + 0.01), 0.25f);
        dsp::MixInto(s, Breath(0.1, 1800, 1.5, Hump(0, 0.1), 77u + uint32_t(k)), dsp::Samples(at + 0.17), 0.5f);
    }
    s.resize(dsp::Samples(length));
    dsp::Normalise(s, 0.7f);
    return s;
}

Signal Yawn() {
    Signal s = Voiced(
        1.4, [](double t) { return t < 0.5 ? 330 + 300 * t / 0.5 : 630 - 380 * (t - 0.5) / 0.9; },
        [](double t) { return std::sin(kPi * std::min(t / 1.4, 1.0)); }, {{700, 2.5}, {1100, 3}, {2400, 5}}, 0.4, 79);
    dsp::MixInto(s, Breath(0.6, 500, 0.8, Hump(0, 0.6), 80), dsp::Samples(1.3), 0.6f);  // settling down
    return Finish(s);
}

// The game plays its effects this far down (a volume of -600).
constexpr double kPlayedDownDb = 6;

std::vector<Effect> Build() {
    std::vector<Effect> all;
    all.push_back({0, "scuffle", Scuffle()});
    all.push_back({4, "freed", Freed()});
    all.push_back({5, "locknote", LockBell()});
    all.push_back({6, "hum", Hum()});
    all.push_back({10, "getup", GetUp()});
    all.push_back({13, "downhole", DownHole()});
    all.push_back({14, "popout", PopOut()});
    all.push_back({15, "sniff", Sniffs()});
    all.push_back({16, "pickup", Blips(79, 86, false)});
    all.push_back({17, "notyet", NotYet()});
    all.push_back({18, "failed", Failed()});
    all.push_back({19, "whine", Whine()});
    all.push_back({20, "panting", Panting()});
    all.push_back({21, "bark", Barks()});
    all.push_back({23, "yawn", Yawn()});
    all.push_back({24, "putdown", Blips(86, 79, true)});
    all.push_back({25, "yip", Yips()});
    const char* fanfares[] = {"celtfan", "funfan", "aussiefan", "jazzfan", "eastfan", "wetfan"};
    for (int land = 0; land < 6; ++land) all.push_back({26 + land, fanfares[land], Fanfare(land)});
    // The game plays every effect at -6 dB; there each sits on the game's
    // loudness scale, so none shouts over the music and none is lost in it.
    for (Effect& e : all) dsp::LevelTo(e.samples, dsp::kForegroundLoudnessDb + kPlayedDownDb, 0.89f);
    return all;
}

}  // namespace

const std::vector<Effect>& Effects() {
    static const std::vector<Effect> all = Build();
    return all;
}

int WriteEffectLibrary(const std::string& dataDir) {
    const std::string path = dataDir + "/seq/fxlib.txt";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return 0;
    }
    std::fprintf(file, "; effect number, WAVE file\r\n");
    int ok = 1;
    for (const Effect& e : Effects()) {
        std::fprintf(file, "%d .\\seq\\fx\\%s.wav\r\n", e.number, e.name.c_str());
        ok &= dsp::WriteMonoWave(dataDir + "/seq/fx/" + e.name + ".wav", e.samples);
    }
    ok &= std::ferror(file) == 0;
    ok &= std::fclose(file) == 0;
    if (!ok) std::fprintf(stderr, "assetgen: writing the effect library failed\n");
    return ok;
}

}  // namespace assetgen::sound
