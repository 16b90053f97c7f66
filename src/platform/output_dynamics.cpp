#include "platform/output_dynamics.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr double kFullScale = 32768.0;

double FromDb(double db) { return std::pow(10.0, db / 20.0); }

// Per-frame coefficient of a one-pole smoother with the given time constant.
double Coefficient(double ms, unsigned rate) {
    const double frames = ms * double(rate) / 1000.0;
    return frames > 1 ? 1.0 - std::exp(-1.0 / frames) : 1.0;
}

}  // namespace

DynamicsSettings GameOutputSettings() {
    DynamicsSettings s;
    // Walking among icons the plain mix is mostly 40-55 dB under full scale
    // (the distance law puts icons 200-600 pixels away 16-36 dB down) and
    // rises to about -30 beside them: the make-up gain brings that to a
    // listening level, the compressor only acts on the loudest quarter or so
    // (beside icons, at a pedestal, fanfares), and the limiter on peaks.
    s.makeUpDb = 28;
    s.thresholdDb = -16;
    s.ratio = 3;
    s.attackMs = 40;
    s.releaseMs = 600;
    s.ceilingDb = -1;
    s.limiterReleaseMs = 120;
    s.lookAheadMs = 3;
    return s;
}

OutputDynamics::OutputDynamics(const DynamicsSettings& settings, unsigned sampleRate)
    : makeUp_(FromDb(settings.makeUpDb)),
      threshold_(settings.thresholdDb),
      slope_(settings.ratio > 1 ? 1.0 - 1.0 / settings.ratio : 0.0),
      attack_(Coefficient(settings.attackMs, sampleRate)),
      release_(Coefficient(settings.releaseMs, sampleRate)),
      ceiling_(std::min(FromDb(settings.ceilingDb), 32767.0 / kFullScale) * kFullScale),
      limiterRelease_(Coefficient(settings.limiterReleaseMs, sampleRate)),
      lookAhead_(size_t(std::max(0.0, settings.lookAheadMs) * sampleRate / 1000.0)) {
    Reset();
}

void OutputDynamics::Reset() {
    meanSquare_ = 0;
    limiterGain_ = 1;
    at_ = 0;
    delayed_.assign((lookAhead_ + 1) * 2, 0.0);
    needed_.assign(lookAhead_ + 1, 1.0);
    held_.assign(lookAhead_ + 1, 1.0);
}

double OutputDynamics::ProcessFrame(double left, double right, double* outLeft, double* outRight) {
    left *= makeUp_;
    right *= makeUp_;
    // Compressor: a slow RMS level decides, so single peaks do not pump.
    const double power = 0.5 * (left * left + right * right);
    meanSquare_ += (power > meanSquare_ ? attack_ : release_) * (power - meanSquare_);
    const double levelDb = meanSquare_ > 0 ? 10.0 * std::log10(meanSquare_ / (kFullScale * kFullScale)) : -200.0;
    if (levelDb > threshold_) {
        const double gain = FromDb(-(levelDb - threshold_) * slope_);
        left *= gain;
        right *= gain;
    }
    // Limiter: the frame enters the look-ahead with the gain it needs. Every
    // frame still waiting holds that need in its window minimum, so the
    // average of the held minima over the look-ahead - the ramp the output
    // gain follows - never exceeds the need of the frame leaving.
    const size_t n = lookAhead_ + 1;
    const double peak = std::max(std::abs(left), std::abs(right));
    delayed_[2 * at_] = left;
    delayed_[2 * at_ + 1] = right;
    needed_[at_] = peak > ceiling_ ? ceiling_ / peak : 1.0;
    held_[at_] = *std::min_element(needed_.begin(), needed_.end());
    double ramp = 0;
    for (double h : held_) ramp += h;
    ramp /= double(n);
    // Down at once (the ramp is already gradual), back up slowly.
    limiterGain_ = ramp < limiterGain_ ? ramp : limiterGain_ + (ramp - limiterGain_) * limiterRelease_;
    at_ = (at_ + 1) % n;  // now the oldest frame, the one that leaves
    *outLeft = std::clamp(delayed_[2 * at_] * limiterGain_, -ceiling_, ceiling_);
    *outRight = std::clamp(delayed_[2 * at_ + 1] * limiterGain_, -ceiling_, ceiling_);
    return limiterGain_;
}

void OutputDynamics::Process(const int32_t* in, int16_t* out, size_t frames) {
    for (size_t i = 0; i < frames; ++i) {
        double left, right;
        ProcessFrame(double(in[2 * i]), double(in[2 * i + 1]), &left, &right);
        out[2 * i] = int16_t(std::lround(left));
        out[2 * i + 1] = int16_t(std::lround(right));
    }
}

std::vector<int16_t> OutputDynamics::ProcessWhole(const std::vector<int32_t>& in) {
    const size_t frames = in.size() / 2;
    std::vector<int32_t> padded(in.begin(), in.begin() + long(frames * 2));
    padded.resize((frames + lookAhead_) * 2, 0);
    std::vector<int16_t> out(padded.size());
    Process(padded.data(), out.data(), frames + lookAhead_);
    out.erase(out.begin(), out.begin() + long(lookAhead_ * 2));
    return out;
}

}  // namespace platform
