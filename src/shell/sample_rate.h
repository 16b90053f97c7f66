#pragma once
// The synthesiser's output rate follows the speed of video memory: a machine
// that moves more than 30 MB/s gets 22050 Hz, every other one (and one whose
// test failed) 11025 Hz with every second sample step.
namespace shell {

struct SampleRateChoice {
    int sampleRate;
    int rateStep;
};

constexpr SampleRateChoice ChooseSampleRate(int speedTestSucceeded, double megabytesPerSecond) {
    if (speedTestSucceeded && megabytesPerSecond > 30.0) return {22050, 1};
    return {11025, 2};
}

}  // namespace shell
