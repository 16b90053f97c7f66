#include "assetgen/music_instruments.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "assetgen/sound_percussion.h"
#include "assetgen/sound_synth.h"

namespace assetgen::music {

using dsp::NoteHz;
using dsp::Samples;
using synth::LoopShape;

namespace {

constexpr float kPeak = 0.8f;

InstrumentDef OneShot(int program, const char* name, int root, int gain, double releaseSeconds, dsp::Signal s) {
    InstrumentDef d;
    d.program = program;
    d.name = name;
    d.root = uint8_t(root);
    d.gain = int8_t(gain);
    d.release = uint32_t(Samples(releaseSeconds));
    dsp::Normalise(s, kPeak);
    d.samples = std::move(s);
    return d;
}

InstrumentDef Drum(int program, const char* name, int gain, dsp::Signal s) {
    // Release 0: a drum always rings to the end of its own sample.
    InstrumentDef d = OneShot(program, name, kDrumNote, gain, 0, std::move(s));
    d.percussion = true;
    return d;
}

InstrumentDef Looped(int program, const char* name, int root, int gain, double releaseSeconds, LoopShape shape) {
    shape.hz = NoteHz(root);
    synth::LoopedSample looped = synth::Sustained(shape);
    InstrumentDef d = OneShot(program, name, root, gain, releaseSeconds, std::move(looped.samples));
    d.loop = true;
    d.loopStart = looped.loopStart;
    d.loopEnd = looped.loopEnd;
    return d;
}

// Harmonic amplitudes 1/h^tilt, with optional odd-harmonic emphasis.
std::vector<double> Spectrum(int count, double tilt, double evenLevel = 1.0) {
    std::vector<double> a;
    for (int h = 1; h <= count; ++h) a.push_back((h % 2 == 0 ? evenLevel : 1.0) / std::pow(double(h), tilt));
    return a;
}

// Harmonic amplitudes shaped by a resonance (formant) around `formantHz`.
std::vector<double> Formant(double hz, int count, double tilt, double formantHz, double width, double boost) {
    std::vector<double> a = Spectrum(count, tilt);
    for (int h = 1; h <= count; ++h) {
        const double d = (h * hz - formantHz) / width;
        a[size_t(h - 1)] *= 1.0 + boost * std::exp(-d * d);
    }
    return a;
}

synth::PluckShape PluckAt(int root, double seconds, double brightness, double decay, double pick, uint32_t seed,
                          double damping, double shape = 0) {
    synth::PluckShape p;
    p.hz = NoteHz(root);
    p.seconds = seconds;
    p.brightness = brightness;
    p.decaySeconds = decay;
    p.pick = pick;
    p.seed = seed;
    p.damping = damping;
    p.shape = shape;
    return p;
}

// A pitched instrument made at any root, so it can be sampled twice: at its
// own root and two octaves lower (program + kLowRegister).
// No sample is rooted under C1: nothing plays that low.
constexpr int kLowestLowRoot = 24;

using OneShotVoice = std::function<dsp::Signal(int root)>;
using LoopVoice = std::function<LoopShape(int root)>;

void AddPitched(std::vector<InstrumentDef>& all, int program, const char* name, int root, int gain,
                double releaseSeconds, const OneShotVoice& voice) {
    all.push_back(OneShot(program, name, root, gain, releaseSeconds, voice(root)));
    const int low = root - kLowRegisterSpan;
    if (low < kLowestLowRoot) return;
    all.push_back(OneShot(program + kLowRegister, (std::string(name) + "low").c_str(), low, gain, releaseSeconds,
                          voice(low)));
}

void AddLooped(std::vector<InstrumentDef>& all, int program, const char* name, int root, int gain,
               double releaseSeconds, const LoopVoice& voice) {
    all.push_back(Looped(program, name, root, gain, releaseSeconds, voice(root)));
    const int low = root - kLowRegisterSpan;
    if (low < kLowestLowRoot) return;
    all.push_back(Looped(program + kLowRegister, (std::string(name) + "low").c_str(), low, gain, releaseSeconds,
                         voice(low)));
}

// Partials of a struck bar or pan; those that would alias when the sample is
// played up (over `highestHz` at the root) are left out.
dsp::Signal Struck(int root, std::vector<synth::Partial> partials, double seconds, double mallet, uint32_t seed,
                   double highestHz = 5500) {
    std::erase_if(partials, [&](const synth::Partial& p) { return NoteHz(root) * p.ratio > highestHz; });
    return synth::Modal(NoteHz(root), partials, seconds, mallet, seed);
}

LoopShape Shape(std::vector<double> harmonics) {
    LoopShape s;
    s.harmonics = std::move(harmonics);
    return s;
}

std::vector<InstrumentDef> Build() {
    std::vector<InstrumentDef> all;
    // Plucked strings: a light loop filter keeps the upper harmonics ringing
    // (a harp note is still bright a quarter of a second in).
    AddPitched(all, kHarp, "harp", 72, 0, 0.4, [](int r) { return synth::Pluck(PluckAt(r, 2.2, 0.35, 2.4, 0.3, 101, 0.05, 0.5)); });
    AddPitched(all, kGuitar, "guitar", 64, 0, 0.15, [](int r) { return synth::Pluck(PluckAt(r, 2.0, 0.5, 2.0, 0.2, 102, 0.12, 0.3)); });
    AddPitched(all, kBanjo, "banjo", 67, -2, 0.12, [](int r) { return synth::Pluck(PluckAt(r, 1.1, 0.95, 0.8, 0.1, 103, 0.25)); });
    AddPitched(all, kKoto, "koto", 69, 0, 0.3, [](int r) { return synth::Pluck(PluckAt(r, 1.8, 0.6, 1.6, 0.15, 104, 0.1, 0.3)); });
    AddPitched(all, kPizzicato, "pizzicato", 67, -1, 0.1, [](int r) { return synth::Pluck(PluckAt(r, 0.6, 0.3, 0.4, 0.5, 105, 0.4)); });
    // The upright bass: a finger pulls the string near its middle, so the
    // fundamental leads and the upper harmonics stay under it.
    AddPitched(all, kUprightBass, "uprightbass", 48, 2, 0.08,
               [](int r) { return synth::Pluck(PluckAt(r, 1.6, 0.1, 1.4, 0.4, 106, 0.3, 0.9)); });
    // FM: electric piano and the bell of the chimes.
    AddPitched(all, kElectricPiano, "epiano", 72, -1, 0.15, [](int r) {
        dsp::Signal s = synth::Fm({NoteHz(r), 1.0, 1.6, 0.35, 2.0, 1.6, 0.003});
        dsp::MixInto(s, synth::Fm({NoteHz(r), 7.0, 0.6, 0.05, 0.4, 1.6, 0.001}), 0, 0.15f);
        return s;
    });
    AddPitched(all, kChimes, "chimes", 72, -1, 0.6, [](int r) { return synth::Fm({NoteHz(r), 3.5, 2.2, 0.4, 2.2, 2.2, 0.001}); });
    // Struck bars and pans. The glockenspiel's second mode (2.76) is nearly
    // as strong as its first and a hard mallet adds a bright strike.
    AddPitched(all, kGlockenspiel, "glockenspiel", 96, -2, 0.3, [](int r) {
        // Its tune stays within a fifth above the root, so the second mode may
        // reach 6 kHz there.
        return Struck(r, {{1, 1, 1.6}, {2.76, 0.8, 1.2}, {5.40, 0.4, 0.5}, {8.93, 0.25, 0.25}}, 1.6, 0.8, 107, 6000);
    });
    // Marimba: tuned bars (second mode two octaves up), soft mallet.
    AddPitched(all, kMarimba, "marimba", 72, 0, 0.2, [](int r) {
        return Struck(r, {{1, 1, 0.8}, {3.99, 0.6, 0.5}, {9.9, 0.3, 0.15}}, 1.0, 0.6, 108);
    });
    AddPitched(all, kVibraphone, "vibraphone", 72, -2, 0.5, [](int r) {
        dsp::Signal s = Struck(r, {{1, 1, 2.6}, {4.0, 0.3, 0.7}, {10.1, 0.08, 0.15}}, 2.4, 0.3, 109);
        // The vibraphone's motor: a gentle tremolo.
        for (size_t n = 0; n < s.size(); ++n) s[n] *= float(1.0 - 0.25 * (0.5 - 0.5 * std::cos(2 * dsp::kPi * 5.0 * n / dsp::kRate)));
        return s;
    });
    // Kalimba: a tine's inharmonic overtones and the click of the thumb.
    AddPitched(all, kKalimba, "kalimba", 72, -1, 0.25, [](int r) {
        return Struck(r, {{1, 1, 1.6}, {5.93, 0.6, 0.9}, {3.02, 0.15, 0.3}, {9.6, 0.3, 0.4}}, 1.6, 0.7, 110);
    });
    AddPitched(all, kSteelDrum, "steeldrum", 72, -1, 0.3, [](int r) {
        return Struck(r, {{1, 1, 1.1}, {2.0, 0.5, 0.7}, {3.0, 0.3, 0.4}, {4.02, 0.12, 0.25}, {1.5, 0.08, 0.3}}, 1.2, 0.3, 111);
    });
    AddPitched(all, kPiano, "piano", 72, -1, 0.12, [](int r) {
        const double hz = NoteHz(r);
        std::vector<synth::Partial> partials;
        for (int h = 1; h <= 12; ++h)
            if (hz * h * (1 + 0.0004 * h * h) < 5500)
                partials.push_back({h * (1 + 0.0004 * h * h), 1.0 / std::pow(h, 1.3), 1.6 / (1 + 0.25 * h)});
        return synth::Modal(hz, partials, 1.6, 0.3, 112);
    });

    // Sustained winds, bowed strings, reeds and pads.
    AddLooped(all, kWhistle, "whistle", 81, -3, 0.08, [](int) {
        LoopShape s = Shape({1, 0.12, 0.05, 0.02});
        s.breath = 0.12, s.breathHz = 2500, s.vibratoDepth = 0.004, s.vibratoCycles = 3, s.attack = 0.03;
        return s;
    });
    AddLooped(all, kFiddle, "fiddle", 69, -2, 0.12, [](int r) {
        LoopShape s = Shape(Formant(NoteHz(r), 14, 1.0, 2800, 900, 1.5));
        s.vibratoDepth = 0.006, s.vibratoCycles = 3, s.breath = 0.03, s.breathHz = 3000, s.attack = 0.06, s.swell = 0.5;
        return s;
    });
    AddLooped(all, kFlute, "flute", 79, -3, 0.15, [](int) {
        LoopShape s = Shape({1, 0.25, 0.06, 0.02});
        s.breath = 0.25, s.breathHz = 1800, s.vibratoDepth = 0.005, s.vibratoCycles = 2, s.attack = 0.08;
        return s;
    });
    AddLooped(all, kErhu, "erhu", 74, -2, 0.15, [](int r) {
        LoopShape s = Shape(Formant(NoteHz(r), 8, 1.1, 1100, 500, 2.0));
        s.vibratoDepth = 0.012, s.vibratoCycles = 3, s.breath = 0.03, s.attack = 0.09, s.swell = 0.8;
        return s;
    });
    AddLooped(all, kCalliope, "calliope", 72, -2, 0.06, [](int) {
        LoopShape s = Shape({1, 0.35, 0.1, 0.05});
        s.breath = 0.06, s.breathHz = 3000, s.vibratoDepth = 0.01, s.vibratoCycles = 7, s.attack = 0.02;
        return s;
    });
    AddLooped(all, kAccordion, "accordion", 67, -4, 0.08, [](int) {
        LoopShape s = Shape(Spectrum(16, 0.9, 0.7));
        s.chorus = 0.8, s.attack = 0.03, s.loopSamples = 22050;
        return s;
    });
    AddLooped(all, kOrgan, "organ", 67, -4, 0.05, [](int) {
        LoopShape s = Shape({1, 0.8, 0.5, 0.4, 0, 0.3, 0, 0.25});
        s.attack = 0.01;
        return s;
    });
    AddLooped(all, kStrings, "strings", 67, -4, 0.3, [](int) {
        LoopShape s = Shape(Spectrum(20, 1.2));
        s.chorus = 0.9, s.attack = 0.25, s.loopSamples = 22050, s.vibratoDepth = 0.003, s.vibratoCycles = 5,
        s.tail = 0.4;
        return s;
    });
    AddLooped(all, kPad, "pad", 67, -3, 0.4, [](int) {
        LoopShape s = Shape({1, 0.05, 0.11, 0.02, 0.04});
        s.chorus = 1.0, s.attack = 0.35, s.loopSamples = 22050, s.tail = 0.5;
        return s;
    });
    AddLooped(all, kMutedTrumpet, "mutedtrumpet", 72, -3, 0.08, [](int r) {
        LoopShape s = Shape(Formant(NoteHz(r), 8, 0.6, 1700, 600, 2.5));
        s.harmonics[0] *= 0.4;
        s.attack = 0.06, s.swell = 1.5, s.vibratoDepth = 0.004, s.vibratoCycles = 3;
        return s;
    });
    AddLooped(all, kSaxophone, "saxophone", 69, -3, 0.1, [](int r) {
        LoopShape s = Shape(Formant(NoteHz(r), 11, 0.9, 1400, 700, 1.5));
        s.attack = 0.05, s.swell = 1.0, s.vibratoDepth = 0.005, s.vibratoCycles = 3, s.breath = 0.05, s.breathHz = 2500;
        return s;
    });
    AddLooped(all, kBrass, "brass", 65, -4, 0.1, [](int) {
        LoopShape s = Shape(Spectrum(14, 0.8));
        s.attack = 0.08, s.swell = 2.0, s.chorus = 0.5;
        return s;
    });
    AddLooped(all, kTuba, "tuba", 48, -1, 0.08, [](int) {
        LoopShape s = Shape({1, 0.6, 0.3, 0.15, 0.08, 0.04});
        s.attack = 0.05, s.swell = 1.0;
        return s;
    });
    AddLooped(all, kSynthBass, "synthbass", 48, -3, 0.06, [](int) {
        LoopShape s = Shape(Spectrum(24, 1.4));
        s.attack = 0.01, s.tail = 0.15;
        return s;
    });
    AddLooped(all, kDidgeridoo, "didgeridoo", 38, -3, 0.3, [](int r) {
        LoopShape s = Shape(Formant(NoteHz(r), 40, 0.6, 900, 400, 3.0));
        s.loopSamples = 22050, s.wowCycles = 2, s.wowDepth = 0.8, s.breath = 0.04, s.breathHz = 1200, s.attack = 0.1,
        s.tail = 0.4;
        return s;
    });
    AddLooped(all, kClarinet, "clarinet", 67, -3, 0.08, [](int) {
        LoopShape s = Shape(Spectrum(12, 1.0, 0.15));
        s.attack = 0.04, s.vibratoDepth = 0.003, s.vibratoCycles = 3, s.breath = 0.03;
        return s;
    });

    // Percussion.
    all.push_back(Drum(kKick, "kick", 0, percussion::Kick()));
    all.push_back(Drum(kSnare, "snare", 0, percussion::Snare()));
    all.push_back(Drum(kClosedHat, "closedhat", -3, percussion::ClosedHat()));
    all.push_back(Drum(kOpenHat, "openhat", -4, percussion::OpenHat()));
    all.push_back(Drum(kRide, "ride", -4, percussion::Ride()));
    all.push_back(Drum(kCrash, "crash", -5, percussion::Crash()));
    all.push_back(Drum(kClap, "clap", -2, percussion::Clap()));
    all.push_back(Drum(kShaker, "shaker", -2, percussion::Shaker()));
    all.push_back(Drum(kTambourine, "tambourine", -3, percussion::Tambourine()));
    all.push_back(Drum(kWoodBlock, "woodblock", -2, percussion::WoodBlock()));
    all.push_back(Drum(kTempleBlock, "templeblock", -1, percussion::TempleBlock()));
    all.push_back(Drum(kClapsticks, "clapsticks", -2, percussion::Clapsticks()));
    all.push_back(Drum(kBodhran, "bodhran", 0, percussion::Bodhran()));
    all.push_back(Drum(kConga, "conga", -3, percussion::Conga()));
    all.push_back(Drum(kGong, "gong", -4, percussion::Gong()));
    {
        InstrumentDef t = OneShot(kTimpani, "timpani", 50, -1, 0.3, percussion::Timpani(NoteHz(50)));
        all.push_back(std::move(t));
    }
    return all;
}

}  // namespace

namespace {
std::vector<InstrumentDef>& Table() {
    static std::vector<InstrumentDef> all = Build();
    return all;
}
}  // namespace

const std::vector<InstrumentDef>& Instruments() { return Table(); }

void SetInstrumentGain(int program, int gainDb) {
    for (InstrumentDef& d : Table())
        if (d.program == program) d.gain = int8_t(gainDb);
}

const InstrumentDef* FindInstrument(int program) {
    for (const InstrumentDef& d : Instruments())
        if (d.program == program) return &d;
    return nullptr;
}

int WriteInstrumentLibrary(const std::string& dataDir) {
    const std::string path = dataDir + "/seq/wavelib.txt";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return 0;
    }
    std::fprintf(file, "; bank program file root spare gain loopstart loopend loop release\n");
    int ok = 1;
    for (const InstrumentDef& d : Instruments()) {
        std::fprintf(file, "0 %d .\\%s %d 0 %d %u %u %d %u\n", d.program, d.FileName().c_str(), d.root, d.gain,
                     d.loopStart, d.loopEnd, d.loop ? 1 : 0, d.release);
        ok &= dsp::WriteMonoWave(dataDir + "/seq/" + d.name + ".wav", d.samples);
    }
    ok &= std::ferror(file) == 0;
    ok &= std::fclose(file) == 0;
    if (!ok) std::fprintf(stderr, "assetgen: writing the instrument library failed\n");
    return ok;
}

}  // namespace assetgen::music
