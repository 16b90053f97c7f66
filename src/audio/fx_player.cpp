#include "audio/fx_player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/wave_file.h"
#include "platform/files.h"

using namespace platform;

namespace {
constexpr size_t kMaxFxLine = 256;
constexpr DWORD kEffectBufferFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
}  // namespace

FxPlayer::FxPlayer(HWND window, IDirectSound* directSound, uint32_t slotCount)
    : window_(window), directSound_(directSound), slots_(slotCount), names_(kEffects) {
    // The device is shared with the synthesiser; each keeps its own reference.
    if (directSound_) directSound_->AddRef();
}

FxPlayer::~FxPlayer() {
    for (auto& slot : slots_)
        if (slot.buffer) slot.buffer->Release();
    slots_.clear();
    if (directSound_) directSound_->Release();
}

const FxSlot* FxPlayer::Slot(int slot) const {
    return slot >= 0 && size_t(slot) < slots_.size() ? &slots_[size_t(slot)] : nullptr;
}

IDirectSoundBuffer* FxPlayer::BufferAt(int slot) const {
    const FxSlot* s = Slot(slot);
    return s ? s->buffer : nullptr;
}

const std::string* FxPlayer::EffectName(int effect) const {
    if (effect < 0 || effect >= kEffects || size_t(effect) >= names_.size()) return nullptr;
    return names_[size_t(effect)].fileName.get();
}

int32_t FxPlayer::UseCount(int effect) const {
    if (effect < 0 || effect >= kEffects || size_t(effect) >= names_.size()) return 0;
    return names_[size_t(effect)].useCount;
}

int FxPlayer::LoadFXLib(const char* path) {
    FILE* file = OpenFile(path, "rb");
    if (!file) return 0;
    std::string text;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    const bool readError = std::ferror(file);
    std::fclose(file);
    if (readError) return 0;
    if (names_.size() != kEffects) names_.resize(kEffects);

    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() >= kMaxFxLine) return 0;
        if (line.empty() || line[0] == ';') continue;
        char* save = nullptr;
        char* numberText = strtok_r(line.data(), ", \t", &save);
        if (!numberText) continue;
        char* tail = nullptr;
        long number = std::strtol(numberText, &tail, 10);
        if (number < 0 || number >= kEffects) return 0;
        char* name = strtok_r(nullptr, ", \t", &save);
        if (!name) continue;  // a number with no file
        names_[size_t(number)].fileName = std::make_unique<std::string>(name);
    }
    return 1;
}

IDirectSoundBuffer* FxPlayer::LoadEffectBuffer(const char* fileName) {
    audio::OpenedWave wave;
    if (!audio::OpenWave(window_, fileName, &wave)) return nullptr;
    DSBUFFERDESC description{};
    description.dwSize = 20;
    description.dwFlags = kEffectBufferFlags;
    description.dwBufferBytes = wave.data.cksize;
    description.lpwfxFormat = &wave.format;
    IDirectSoundBuffer* buffer = nullptr;
    if (!directSound_ || directSound_->CreateSoundBuffer(&description, &buffer, nullptr) != DS_OK) {
        mmioClose(wave.file, 0);
        return nullptr;
    }
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    if (buffer->Lock(0, wave.data.cksize, &part1, &bytes1, &part2, &bytes2, 0) != DS_OK) {
        mmioClose(wave.file, 0);
        buffer->Release();
        return nullptr;
    }
    bool ok = bytes1 == wave.data.cksize &&
              mmioRead(wave.file, static_cast<char*>(part1), LONG(bytes1)) == LONG(bytes1);
    buffer->Unlock(part1, bytes1, part2, bytes2);
    mmioClose(wave.file, 0);
    if (!ok) {
        audio::WaveError(window_, " Error reading WAVE data");
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

int FxPlayer::FxPlayer_Load(int effect) {
    if (effect < 0 || effect >= kEffects || names_.size() != kEffects) return -1;
    int free = -1;
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (!slots_[i].buffer) {
            free = int(i);
            break;
        }
    }
    if (free < 0) return -1;
    NameRecord& record = names_[size_t(effect)];
    FxSlot& slot = slots_[size_t(free)];
    if (record.useCount > 0) {
        IDirectSoundBuffer* original = nullptr;
        for (const auto& s : slots_) {
            if (s.buffer && s.effect == effect) {
                original = s.buffer;
                break;
            }
        }
        IDirectSoundBuffer* duplicate = nullptr;
        if (!original || !directSound_ || directSound_->DuplicateSoundBuffer(original, &duplicate) != DS_OK)
            return -1;
        slot.buffer = duplicate;
        ++record.useCount;
    } else {
        // A failed load leaves the slot free.
        if (!record.fileName) return -1;
        slot.buffer = LoadEffectBuffer(record.fileName->c_str());
        if (!slot.buffer) return -1;
        record.useCount = 1;
    }
    slot.effect = effect;
    slot.starts = 0;
    return free;
}

int FxPlayer::FxPlayer_Play(int slot, int loop) {
    IDirectSoundBuffer* buffer = BufferAt(slot);
    if (!buffer) return 0;
    DWORD status = 0;
    if (buffer->GetStatus(&status) != DS_OK) return 0;
    buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0);
    ++slots_[static_cast<size_t>(slot)].starts;
    return 1;
}

void FxPlayer::FxPlayer_Stop(int slot) {
    if (IDirectSoundBuffer* buffer = BufferAt(slot)) {
        buffer->Stop();
        buffer->SetCurrentPosition(0);
    }
}

void FxPlayer::FxPlayer_SetVolume(int slot, int32_t volume) {
    if (IDirectSoundBuffer* buffer = BufferAt(slot)) buffer->SetVolume(std::clamp<int32_t>(volume, -10000, 0));
}

void FxPlayer::FxPlayer_SetPan(int slot, int32_t pan) {
    if (IDirectSoundBuffer* buffer = BufferAt(slot)) buffer->SetPan(std::clamp<int32_t>(pan, -10000, 10000));
}

void FxPlayer::FxPlayer_SetPitch(int slot, int32_t cents) {
    IDirectSoundBuffer* buffer = BufferAt(slot);
    if (!buffer) return;
    cents = std::clamp<int32_t>(cents, -4800, 4800);
    DWORD size = 0;
    if (buffer->GetFormat(nullptr, 0, &size) != DS_OK || size > sizeof(WAVEFORMATEX)) return;
    WAVEFORMATEX format{};
    if (buffer->GetFormat(&format, size, nullptr) != DS_OK) return;
    double frequency = std::pow(2.0, double(cents) * (1.0 / 1200.0)) * double(format.nSamplesPerSec);
    buffer->SetFrequency(DWORD(frequency));
}

int FxPlayer::FxPlayer_Release(int slot) {
    if (slot < 0 || size_t(slot) >= slots_.size() || !slots_[size_t(slot)].buffer) return 0;
    FxSlot& s = slots_[size_t(slot)];
    s.buffer->Release();
    s.buffer = nullptr;
    if (s.effect >= 0 && s.effect < kEffects && names_.size() == kEffects) --names_[size_t(s.effect)].useCount;
    return 1;
}

void FxPlayer::FxPlayer_Clear() {
    for (auto& slot : slots_)
        if (slot.buffer) slot.buffer->Release();
    slots_.clear();
    names_.clear();
}
