#include "platform/dsound_card.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>

#include "platform/clock.h"
#include "platform/internal/core.h"
#include "platform/mmmixer.h"
#include "platform/output_dynamics.h"
#include "platform/platform.h"
#include "platform/riff.h"

namespace platform::sound_card {
namespace {

using dsound_detail::BufferState;

// Everything the card owns. Buffers and capture are guarded by `mutex`, which
// the mixing thread holds for one block; the output rate is atomic so cursor
// arithmetic may read it anywhere.
struct Card {
    std::mutex mutex;
    std::vector<std::shared_ptr<BufferState>> buffers;
    std::vector<int32_t> accumulator;
    std::vector<int16_t> staged;
    std::unique_ptr<OutputDynamics> stage;  // null while the output stage is off
    DWORD stageRate = 0;                    // the rate its time constants were made for
    bool capturing = false;
    std::vector<int16_t> capture;

    std::mutex lifecycle;  // Acquire/Release/SetOutputRate
    int users = 0;
    std::atomic<DWORD> rate{kDefaultRate};
    std::atomic<bool> isVirtual{true};

    // SDL device.
    SDL_AudioDeviceID device = 0;
    bool audioSubsystem = false;
    // Virtual card.
    int clockListener = -1;
    std::mutex virtualCount;  // guards the two counts below
    uint64_t elapsedMs = 0;
    uint64_t framesPlayed = 0;
    std::thread pump;  // real-time pacing of the virtual card on a desktop
    std::mutex pumpMutex;
    std::condition_variable pumpWake;
    bool pumpStop = false;
};

Card& TheCard() {
    static Card card;
    return card;
}

void SdlCallback(void*, Uint8* stream, int length) {
    Mix(reinterpret_cast<int16_t*>(stream), size_t(length) / 4);
}

// Frames the virtual card owes for the time that has passed.
void ConsumeVirtual(Card& card, uint32_t elapsed) {
    std::lock_guard<std::mutex> hold(card.virtualCount);
    std::vector<int16_t> scratch;
    DWORD rate = card.rate.load();
    card.elapsedMs += elapsed;
    uint64_t due = card.elapsedMs * rate / 1000;
    while (card.framesPlayed < due) {
        size_t n = size_t(std::min<uint64_t>(due - card.framesPlayed, 4096));
        scratch.resize(n * 2);
        Mix(scratch.data(), n);
        card.framesPlayed += n;
    }
}

void ResetVirtualCount(Card& card) {
    std::lock_guard<std::mutex> hold(card.virtualCount);
    card.elapsedMs = 0;
    card.framesPlayed = 0;
}

bool OpenSdlDevice(Card& card) {
    if (!card.audioSubsystem) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        card.audioSubsystem = true;
    }
    SDL_AudioSpec want{};
    want.freq = int(card.rate.load());
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 512;
    want.callback = SdlCallback;
    SDL_AudioSpec have{};
    card.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (card.device == 0) return false;
    SDL_PauseAudioDevice(card.device, 0);
    return true;
}

void StartVirtualPump(Card& card) {
    card.pumpStop = false;
    card.pump = std::thread([&card] {
        auto last = std::chrono::steady_clock::now();
        std::unique_lock<std::mutex> hold(card.pumpMutex);
        while (!card.pumpStop) {
            card.pumpWake.wait_for(hold, std::chrono::milliseconds(5));
            auto now = std::chrono::steady_clock::now();
            auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count();
            if (ms > 0) {
                last += std::chrono::milliseconds(ms);
                ConsumeVirtual(card, uint32_t(ms));
            }
        }
    });
}

void StopVirtualPump(Card& card) {
    if (!card.pump.joinable()) return;
    {
        std::lock_guard<std::mutex> hold(card.pumpMutex);
        card.pumpStop = true;
    }
    card.pumpWake.notify_all();
    card.pump.join();
}

void OpenOutput(Card& card) {
    if (CurrentBackend() == BackendKind::Headless) {
        card.isVirtual = true;
        ResetVirtualCount(card);
        card.clockListener = manual_clock::AddListener([&card](uint32_t from, uint32_t to) {
            ConsumeVirtual(card, to - from);
        });
        return;
    }
    // Without sound the virtual card keeps the music's time, silently.
    if (!internal::GetCore().noSound && OpenSdlDevice(card)) {
        card.isVirtual = false;
        return;
    }
    // No usable device: keep going silently on the virtual card.
    card.isVirtual = true;
    ResetVirtualCount(card);
    StartVirtualPump(card);
}

void CloseOutput(Card& card) {
    if (card.device) {
        SDL_CloseAudioDevice(card.device);
        card.device = 0;
    }
    if (card.audioSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        card.audioSubsystem = false;
    }
    if (card.clockListener >= 0) {
        manual_clock::RemoveListener(card.clockListener);
        card.clockListener = -1;
    }
    StopVirtualPump(card);
}

// Hundredths of a decibel to a 1/65536 amplitude factor.
int32_t AttenuationToGain(LONG hundredthsDb) {
    if (hundredthsDb <= DSBVOLUME_MIN) return 0;
    if (hundredthsDb >= 0) return 65536;
    return int32_t(std::pow(10.0, double(hundredthsDb) / 2000.0) * 65536.0);
}

inline int32_t ReadSample(const uint8_t* data, size_t sampleIndex, int bits) {
    if (bits == 16) {
        int16_t s;
        std::memcpy(&s, data + sampleIndex * 2, 2);
        return s;
    }
    return (int32_t(data[sampleIndex]) - 128) << 8;
}

// Adds one buffer into the accumulator; returns false when it stopped.
void MixBuffer(BufferState& buffer, int32_t* acc, size_t frames, DWORD outRate) {
    DWORD status = buffer.status.load();
    if (!(status & DSBSTATUS_PLAYING) || buffer.primary || !buffer.memory) return;
    const DWORD frameCount = buffer.FrameCount();
    if (frameCount == 0) return;
    const bool looping = status & DSBSTATUS_LOOPING;
    const int channels = buffer.format.nChannels;
    const int bits = buffer.format.wBitsPerSample;

    LONG volume = buffer.volume.load(), pan = buffer.pan.load();
    const int32_t gainLeft = AttenuationToGain(volume - std::max<LONG>(pan, 0));
    const int32_t gainRight = AttenuationToGain(volume + std::min<LONG>(pan, 0));
    DWORD frequency = buffer.frequency.load();
    if (frequency == 0) frequency = buffer.format.nSamplesPerSec;
    const uint64_t step = (uint64_t(frequency) << 32) / outRate;

    std::lock_guard<std::mutex> hold(buffer.memory->guard);
    const uint8_t* data = buffer.memory->bytes.data();
    uint64_t start = buffer.position.load();
    uint64_t pos = start;
    const uint64_t end = uint64_t(frameCount) << 32;
    if (pos >= end) pos %= end;
    bool stopped = false;
    for (size_t i = 0; i < frames; ++i) {
        size_t index = size_t(pos >> 32);
        size_t nextIndex = index + 1;
        if (nextIndex >= frameCount) nextIndex = looping ? 0 : index;
        int32_t frac = int32_t((pos >> 16) & 0xFFFF);
        int32_t left, right;
        int32_t a = ReadSample(data, index * channels, bits);
        int32_t b = ReadSample(data, nextIndex * channels, bits);
        // Neighbours may differ by up to 65535: the product needs 64 bits.
        left = a + int32_t((int64_t(b - a) * frac) >> 16);
        if (channels == 2) {
            a = ReadSample(data, index * 2 + 1, bits);
            b = ReadSample(data, nextIndex * 2 + 1, bits);
            right = a + int32_t((int64_t(b - a) * frac) >> 16);
        } else {
            right = left;
        }
        acc[2 * i] += int32_t((int64_t(left) * gainLeft) >> 16);
        acc[2 * i + 1] += int32_t((int64_t(right) * gainRight) >> 16);
        pos += step;
        if (pos >= end) {
            if (looping) {
                pos %= end;
            } else {
                stopped = true;
                pos = 0;
                break;
            }
        }
    }
    // A cursor moved by SetCurrentPosition meanwhile wins over ours.
    buffer.position.compare_exchange_strong(start, pos);
    if (stopped) buffer.status.store(0);
}

}  // namespace

int Acquire() {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.lifecycle);
    if (card.users == 0) {
        if (!IsStarted()) return 0;
        OpenOutput(card);
    }
    ++card.users;
    return 1;
}

void Release() {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.lifecycle);
    if (card.users == 0) return;
    if (--card.users == 0) {
        CloseOutput(card);
        std::lock_guard<std::mutex> mix(card.mutex);
        card.buffers.clear();
        card.rate = kDefaultRate;
    }
}

bool IsOpen() {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.lifecycle);
    return card.users > 0;
}

bool IsVirtual() { return TheCard().isVirtual.load(); }

void SetOutputRate(DWORD rate) {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.lifecycle);
    if (rate == card.rate.load()) return;
    if (card.users == 0) {
        card.rate = rate;
        return;
    }
    if (card.device) {
        // Closing waits for the callback, which must not find us holding the
        // mix lock.
        SDL_CloseAudioDevice(card.device);
        card.device = 0;
        card.rate = rate;
        if (!OpenSdlDevice(card)) {
            card.isVirtual = true;
            ResetVirtualCount(card);
            StartVirtualPump(card);
        }
        return;
    }
    card.rate = rate;
    ResetVirtualCount(card);
}

DWORD OutputRate() { return TheCard().rate.load(); }

void Register(const std::shared_ptr<BufferState>& buffer) {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.mutex);
    card.buffers.push_back(buffer);
}

void Unregister(const BufferState* buffer) {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.mutex);
    std::erase_if(card.buffers, [buffer](const auto& b) { return b.get() == buffer; });
}

void Mix(int16_t* out, size_t frames) {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.mutex);
    const DWORD rate = card.rate.load();
    card.accumulator.assign(frames * 2, 0);
    int32_t* acc = card.accumulator.data();
    for (auto& buffer : card.buffers) MixBuffer(*buffer, acc, frames, rate);

    if (card.stage && card.stageRate != rate) {
        card.stage = std::make_unique<OutputDynamics>(GameOutputSettings(), rate);
        card.stageRate = rate;
    }
    if (card.stage) {
        card.staged.resize(frames * 2);
        card.stage->Process(acc, card.staged.data(), frames);
        std::copy(card.staged.begin(), card.staged.end(), acc);
    }
    uint32_t masterLeft = 0, masterRight = 0;
    system_mixer::OutputGains(&masterLeft, &masterRight);
    for (size_t i = 0; i < frames * 2; ++i) {
        int64_t v = (int64_t(acc[i]) * ((i & 1) ? masterRight : masterLeft)) >> 16;
        out[i] = int16_t(std::clamp<int64_t>(v, -32768, 32767));
    }
    if (card.capturing) card.capture.insert(card.capture.end(), out, out + frames * 2);
}

void UseOutputStage(bool on) {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.mutex);
    if (!on) card.stage.reset();
    else if (!card.stage) {
        card.stageRate = card.rate.load();
        card.stage = std::make_unique<OutputDynamics>(GameOutputSettings(), card.stageRate);
    }
}

bool OutputStageOn() {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.mutex);
    return card.stage != nullptr;
}

void StartCapture() {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.mutex);
    card.capture.clear();
    card.capturing = true;
}

std::vector<int16_t> StopCapture() {
    Card& card = TheCard();
    std::lock_guard<std::mutex> hold(card.mutex);
    card.capturing = false;
    return std::move(card.capture);
}

int WriteCaptureWave(const std::string& path, const std::vector<int16_t>& frames, DWORD rate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = rate * 4;
    return WriteWaveFile(path.c_str(), format, frames.data(), DWORD(frames.size() * 2));
}

}  // namespace platform::sound_card
