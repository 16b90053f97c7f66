#pragma once
// Building blocks for synthesising sounds at the instruments' sample rate: a
// seeded noise source, small filters, envelopes, and the conversion of float
// signals (full scale = 1.0) to 16-bit mono WAVE files.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::dsp {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
using Signal = std::vector<float>;

size_t Samples(double seconds);
double NoteHz(double midiNote);

// Deterministic white noise in -1..1.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    float Next();

private:
    uint32_t state_;
};

// Two-pole filter (the usual audio cookbook forms).
class Biquad {
public:
    static Biquad LowPass(double hz, double q);
    static Biquad HighPass(double hz, double q);
    static Biquad BandPass(double hz, double q);
    static Biquad HighShelf(double hz, double gainDb);
    float Process(float x);

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Scales so that the largest magnitude is `peak`; a silent signal stays silent.
void Normalise(Signal& s, float peak);
// Raised-cosine fades over the first / last n samples.
void FadeIn(Signal& s, size_t n);
void FadeOut(Signal& s, size_t n);
// Adds `add` into `into` from sample `at`, growing `into` when needed.
void MixInto(Signal& into, const Signal& add, size_t at, float gain);

// How loud a sound is while it plays, in decibels re full scale: a simple
// ear weighting (high-pass at 60 Hz, +4 dB above 1.7 kHz), the mean square
// over 400 ms windows every 100 ms, and the power mean of the loudest tenth
// of the windows (so a part that plays now and then is judged by its notes,
// not by its rests); a sound shorter than a window counts as one window.
// Samples before `from` are skipped after filtering.
double LoudnessDb(const Signal& s, size_t from = 0);

// The game's one loudness scale: a sound the child should hear clearly (an
// effect at the volume the game plays it, the start-up jingle, the music
// beside an icon) sits near this short-term loudness.
constexpr double kForegroundLoudnessDb = -21;
// Scales the signal to `loudnessDb` (LoudnessDb) unless its peak would pass
// `peak`, which stops it there.
void LevelTo(Signal& s, double loudnessDb, float peak);

std::vector<int16_t> ToPcm(const Signal& s);
// Writes 16-bit mono PCM at kRate. Returns 1 / 0 (with a message).
int WriteMonoWave(const std::string& path, const Signal& s);

}  // namespace assetgen::dsp
