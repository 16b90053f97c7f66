#include "audio/sound_setup.h"

#include <cstring>
#include <string>
#include <vector>

#include "audio/fx_player.h"
#include "audio/mixer_faders.h"
#include "audio/remembered_volumes.h"
#include "audio/sequencer.h"
#include "audio/wave_file.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/dsound.h"

using namespace platform;

namespace {
constexpr int kCopies = 100;
constexpr uint32_t kFxSlots = 30;
constexpr double kFastVideoMBps = 30.0;
constexpr const char* kFxLibraryName = ".\\seq\\fxlib.txt";
}  // namespace

SoundObjects::SoundObjects() = default;
SoundObjects::~SoundObjects() = default;
SoundObjects::SoundObjects(SoundObjects&&) noexcept = default;
SoundObjects& SoundObjects::operator=(SoundObjects&&) noexcept = default;

double SpeedTestThroughput(int width, int height, int copies, uint32_t ticks, int64_t frequency) {
    if (ticks == 0 || frequency <= 0 || width <= 0 || height <= 0) return 0.0;
    const double bytes = double(width / 4) * 4.0 * double(height) * double(copies);
    const double seconds = double(ticks) / double(frequency);
    return bytes / seconds * 1e-6;
}

int SpeedTest(dd::Surface* frontBuffer, int width, int height, double* result) {
    *result = 0.0;
    if (!frontBuffer || width <= 0 || height <= 0) return 0;
    const int words = width / 4;
    std::vector<uint32_t> block(size_t(words) * size_t(height), 0);
    int64_t frequency = 0;
    QueryPerformanceFrequency(&frequency);
    dd::SurfaceDesc desc;
    if (frontBuffer->Lock(nullptr, &desc, dd::DDLOCK_WAIT) != 0) return 0;
    // A surface smaller than the block would be written past its end.
    if (desc.pitch == 0 || desc.width == 0 || desc.height == 0 || !desc.surface || desc.pitch < words * 4 ||
        desc.height < height) {
        frontBuffer->Unlock(desc.surface);
        return 0;
    }
    int64_t start = 0, end = 0;
    QueryPerformanceCounter(&start);
    for (int copy = 0; copy < kCopies; ++copy) {
        uint8_t* row = static_cast<uint8_t*>(desc.surface);
        const uint32_t* from = block.data();
        for (int y = 0; y < height; ++y) {
            std::memcpy(row, from, size_t(words) * 4);
            from += words;
            row += desc.pitch;
        }
    }
    QueryPerformanceCounter(&end);
    frontBuffer->Unlock(desc.surface);
    const uint32_t ticks = uint32_t(end) - uint32_t(start);
    *result = SpeedTestThroughput(width, height, kCopies, ticks, frequency);
    return *result > 0.0 ? 1 : 0;
}

SampleRate ChooseSampleRate(double megabytesPerSecond) {
    if (megabytesPerSecond > kFastVideoMBps) return {22050, 1};
    return {11025, 2};
}

int SoundSetUp(HWND window, uint32_t sampleRate, uint32_t rateStep, SoundObjects* objects) {
    IDirectSound* directSound = nullptr;
    // Every way out with 0 says why in a box first: the game ends on it.
    if (DirectSoundCreate(nullptr, &directSound, nullptr) != DS_OK) {
        MessageBox(window, "The sound device could not be opened.", "Sound set-up failed", MB_OK | audio::kStopIcon);
        return 0;
    }
    if (directSound->SetCooperativeLevel(window, DSSCL_NORMAL) != DS_OK) {
        directSound->Release();
        MessageBox(window, "The sound device could not be shared with the game.", "Sound set-up failed",
                   MB_OK | audio::kStopIcon);
        return 0;
    }
    objects->fxPlayer = std::make_unique<FxPlayer>(window, directSound, kFxSlots);
    if (!objects->fxPlayer->LoadFXLib(kFxLibraryName)) {
        directSound->Release();  // the effect player keeps its own reference
        const std::string text = std::string(kFxLibraryName) +
                                 " is missing or damaged (unreadable, a line too long, or an effect "
                                 "number outside 0..255).";
        MessageBox(window, text.c_str(), "Could not open effect library file", MB_OK | audio::kStopIcon);
        return 0;
    }
    // From here the synthesiser owns the device's reference (and releases it
    // when it is destroyed).
    objects->sequencer = std::make_unique<Sequencer>(window, directSound);
    SoundFormat format;
    format.segmentCount = 32;
    format.segmentFrames = 0;
    format.bits = 16;
    format.outputRate = sampleRate;
    format.rateFactor = rateStep;
    if (!objects->sequencer->SQ_CreateVirtualSynth(format)) {
        MessageBox(window, "The music output could not be created.", "Sound set-up failed", MB_OK | audio::kStopIcon);
        return 0;
    }
    if (!objects->sequencer->SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt")) return 0;
    objects->mixerFaders = std::make_unique<MixerFaders>(window);
    objects->mixerFaders->MixerFaders_Init();
    ApplyRememberedVolumes(objects->mixerFaders.get());
    return 1;
}

void SoundShutdown(SoundObjects* objects) {
    if (objects->sequencer) {
        objects->sequencer->SQ_Stop();
        objects->sequencer->SQ_Destroy();
        objects->sequencer.reset();
    }
    objects->fxPlayer.reset();
    if (objects->mixerFaders) {
        RememberChosenVolumes(*objects->mixerFaders);
        objects->mixerFaders->MixerFaders_Restore();
        objects->mixerFaders.reset();
    }
}
