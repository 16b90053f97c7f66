#pragma once
// Two start-up steps of the game object that touch the hardware: the speed
// test, a timed copy of one screenful into the front buffer whose throughput
// picks the synthesiser's sample rate, and the creation of the sound objects.
#include <cstdint>
#include <memory>

#include "platform/ddraw.h"
#include "platform/win_types.h"

class FxPlayer;
class MixerFaders;
class Sequencer;

// Megabytes (10^6 bytes) per second for `copies` copies of a width x height
// block (width/4 four-byte words a row) in `ticks` counter ticks at
// `frequency` ticks a second; the tick count is the difference of the low 32
// bits of two counter readings. 0 when nothing was measured.
double SpeedTestThroughput(int width, int height, int copies, uint32_t ticks, int64_t frequency);

// Copies a zeroed width x height block into the locked front buffer 100 times
// and measures it. Returns 1 with *result in MB/s, or 0 (result 0.0 when it
// failed before measuring) - then the caller keeps 11025 Hz.
int SpeedTest(platform::dd::Surface* frontBuffer, int width, int height, double* result);

struct SampleRate {
    uint32_t rate = 11025;
    uint32_t rateStep = 2;
};
// 22050 Hz (step 1) only for a throughput strictly above 30 MB/s.
SampleRate ChooseSampleRate(double megabytesPerSecond);

// The sound objects the game object owns; filled step by step, so a failure
// leaves what was made so far.
struct SoundObjects {
    std::unique_ptr<FxPlayer> fxPlayer;
    std::unique_ptr<Sequencer> sequencer;
    std::unique_ptr<MixerFaders> mixerFaders;
    SoundObjects();
    ~SoundObjects();
    SoundObjects(SoundObjects&&) noexcept;
    SoundObjects& operator=(SoundObjects&&) noexcept;
};

// Sound device, the effect player with ".\seq\fxlib.txt", the sequencer and
// its synthesiser, the instrument library ".\seq\wavelib.txt" and the mixer
// faders, set to the volumes the player chose in an earlier game. Returns 1,
// or 0 at the first step that fails. No message is shown.
int SoundSetUp(platform::HWND window, uint32_t sampleRate, uint32_t rateStep,
               SoundObjects* objects);

// Shutdown order of the sound objects: playback stopped, the sequencer (and
// its synthesiser) destroyed, the effect player released, the volumes the
// player chose remembered, and the system mixer's start-up volumes put back.
void SoundShutdown(SoundObjects* objects);
