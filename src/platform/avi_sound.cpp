#include "platform/avi_sound.h"

#include <SDL.h>

#include <cstring>

#include "platform/dsound_card.h"
#include "platform/internal/core.h"
#include "platform/output_dynamics.h"
#include "platform/platform.h"

namespace platform::avi {

std::vector<int16_t> MovieOutputFrames(const SoundFormat& format, const std::vector<uint8_t>& pcm) {
    const int channels = format.channels, bits = format.bitsPerSample;
    if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || format.samplesPerSec <= 0) return {};
    const size_t bytesPerFrame = size_t(channels * bits / 8);
    const size_t frames = pcm.size() / bytesPerFrame;
    std::vector<int32_t> sum(frames * 2);
    for (size_t f = 0; f < frames; ++f) {
        for (int c = 0; c < 2; ++c) {
            const size_t at = f * bytesPerFrame + size_t(channels == 2 ? c : 0) * size_t(bits / 8);
            int32_t v;
            if (bits == 16) {
                int16_t s;
                std::memcpy(&s, &pcm[at], 2);
                v = s;
            } else {
                v = (int32_t(pcm[at]) - 128) << 8;
            }
            sum[2 * f + size_t(c)] = v;
        }
    }
    if (sound_card::OutputStageOn())
        return OutputDynamics(GameOutputSettings(), unsigned(format.samplesPerSec)).ProcessWhole(sum);
    return std::vector<int16_t>(sum.begin(), sum.end());
}

std::unique_ptr<MovieSoundOutput> MovieSoundOutput::Start(const SoundFormat& format,
                                                          const std::vector<uint8_t>& pcm) {
    if (pcm.empty() || !IsStarted() || CurrentBackend() != BackendKind::Sdl || internal::GetCore().noSound)
        return nullptr;
    const std::vector<int16_t> frames = MovieOutputFrames(format, pcm);
    if (frames.empty()) return nullptr;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec want{};
    want.freq = format.samplesPerSec;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 2048;
    want.callback = nullptr;  // samples are queued
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to the device's format itself.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    std::unique_ptr<MovieSoundOutput> output(new MovieSoundOutput(device));
    if (SDL_QueueAudio(device, frames.data(), uint32_t(frames.size() * 2)) != 0) return nullptr;
    SDL_PauseAudioDevice(device, 0);
    return output;
}

MovieSoundOutput::~MovieSoundOutput() {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace platform::avi
