#pragma once
// Sound effects: each sounding effect gets its own static sound buffer with
// volume, pan and frequency control, in one of a fixed number of slots. A
// second load of an effect that already has a buffer duplicates it (shared
// samples, own cursor, volume and frequency).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dsound.h"

struct FxSlot {
    int32_t effect = -1;
    platform::IDirectSoundBuffer* buffer = nullptr;  // none = free slot
    uint32_t starts = 0;  // how often it began to sound: a listener hears each start
};

class FxPlayer {
public:
    static constexpr int kEffects = 256;

    FxPlayer(platform::HWND window, platform::IDirectSound* directSound, uint32_t slotCount);
    ~FxPlayer();
    FxPlayer(const FxPlayer&) = delete;
    FxPlayer& operator=(const FxPlayer&) = delete;

    int LoadFXLib(const char* path);
    // Slot index, or -1 (no such effect, no free slot, or its file failed).
    int FxPlayer_Load(int effect);
    int FxPlayer_Play(int slot, int loop);
    void FxPlayer_Stop(int slot);
    void FxPlayer_SetVolume(int slot, int32_t volume);
    void FxPlayer_SetPan(int slot, int32_t pan);
    void FxPlayer_SetPitch(int slot, int32_t cents);
    int FxPlayer_Release(int slot);
    void FxPlayer_Clear();

    uint32_t SlotCount() const { return uint32_t(slots_.size()); }
    const FxSlot* Slot(int slot) const;
    const std::string* EffectName(int effect) const;
    int32_t UseCount(int effect) const;

private:
    struct NameRecord {
        std::unique_ptr<std::string> fileName;
        int32_t useCount = 0;
    };
    platform::IDirectSoundBuffer* BufferAt(int slot) const;
    platform::IDirectSoundBuffer* LoadEffectBuffer(const char* fileName);

    platform::HWND window_;
    platform::IDirectSound* directSound_;
    std::vector<FxSlot> slots_;
    std::vector<NameRecord> names_;
};
