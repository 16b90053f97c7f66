#include "platform/avi_sound.h"

#include <SDL.h>

#include "platform/platform.h"

namespace platform::avi {

std::unique_ptr<MovieSoundOutput> MovieSoundOutput::Start(const SoundFormat& format,
                                                          const std::vector<uint8_t>& pcm) {
    if (pcm.empty() || !IsStarted() || CurrentBackend() != BackendKind::Sdl) return nullptr;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec want{};
    want.freq = format.samplesPerSec;
    want.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    want.channels = uint8_t(format.channels);
    want.samples = 2048;
    want.callback = nullptr;  // samples are queued
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts from the movie's format itself.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    std::unique_ptr<MovieSoundOutput> output(new MovieSoundOutput(device));
    if (SDL_QueueAudio(device, pcm.data(), uint32_t(pcm.size())) != 0) return nullptr;
    SDL_PauseAudioDevice(device, 0);
    return output;
}

MovieSoundOutput::~MovieSoundOutput() {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace platform::avi
