#pragma once
// The game's output stage: what the mixed music and effects pass through on
// their way to 16-bit output samples. A fixed make-up gain lifts the quiet
// mix to a listening level; a slow compressor turns down only passages that
// are already loud (many icons close by, a fanfare), so the distance law is
// heard unchanged where the dog walks among far icons and still ordered
// (nearer is louder) where it is close; a look-ahead limiter then keeps every
// sample under the ceiling, so nothing clips. Deterministic: the same input
// from a reset gives the same output, at any block size.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct DynamicsSettings {
    double makeUpDb = 0;
    double thresholdDb = 0;  // compressor: RMS level (dBFS, after make-up) where it starts
    double ratio = 1;        // dB in per dB out above the threshold
    double attackMs = 1;     // RMS detector rising
    double releaseMs = 1;    // RMS detector falling
    double ceilingDb = -1;   // limiter: no output sample above this
    double limiterReleaseMs = 1;
    double lookAheadMs = 3;  // the delay that lets the limiter turn down before a peak
};

// The settings the game plays with.
DynamicsSettings GameOutputSettings();

class OutputDynamics {
public:
    OutputDynamics(const DynamicsSettings& settings, unsigned sampleRate);

    // Back to silence: empty look-ahead, compressor and limiter at rest.
    void Reset();
    // Takes `frames` interleaved stereo frames of a mix sum (any range) and
    // writes as many output frames, delayed by LatencyFrames().
    void Process(const int32_t* in, int16_t* out, size_t frames);
    // Whole sound at once (interleaved stereo): the look-ahead is flushed, so
    // the result has the input's length and timing.
    std::vector<int16_t> ProcessWhole(const std::vector<int32_t>& in);
    size_t LatencyFrames() const { return lookAhead_; }

private:
    double ProcessFrame(double left, double right, double* outLeft, double* outRight);

    double makeUp_, threshold_, slope_, attack_, release_, ceiling_, limiterRelease_;
    size_t lookAhead_;
    // State.
    double meanSquare_ = 0;
    double limiterGain_ = 1;
    std::vector<double> delayed_;  // lookAhead_ + 1 stereo frames, after the compressor
    std::vector<double> needed_;   // the limiter's needed gain of each of them
    std::vector<double> held_;     // the smallest needed gain over the look-ahead, per frame
    size_t at_ = 0;
};

}  // namespace platform
