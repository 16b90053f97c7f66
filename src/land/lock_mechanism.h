#pragma once
// The musical lock of a land's main sub-room: three key slots turned through
// seven positions (each a note of the land's scale), the hint that hums the
// combination, the lever check lighting each right slot, and the freeing
// once a check found all three right. It works on the lock words of the
// land's record and on sprites the room's level made; the room drives it
// each frame with the time.
#include <array>
#include <cstdint>

#include "sprites/frame_record.h"
#include "sprites/sprite.h"
#include "world/land_record.h"

class FxPlayer;

namespace screens {
class CaptiveMember;
}

namespace land {

class LockMechanism {
public:
    static constexpr int kSlots = 3;
    static constexpr int kPositions = 7;
    static constexpr uint32_t kTurnGuardMs = 500;
    static constexpr uint32_t kCheckStepMs = 1000;
    static constexpr uint32_t kHintPauseMs = 10000;
    static constexpr uint32_t kHintNoteMs = 1000;
    static constexpr uint32_t kOpenDelayMs = 500;
    static constexpr uint32_t kPointerShownMs = 500;
    static constexpr int kHintEffect = 6, kNoteEffect = 5;
    static constexpr int32_t kVoiceVolume = -600;
    static constexpr int32_t kOffScreen = -500;

    // Where a key at position p stands, from the slot's corner.
    static constexpr std::array<int32_t, kPositions> kKeyX{14, 31, 28, 28, 30, 11, 5};
    static constexpr std::array<int32_t, kPositions> kKeyY{31, 29, 45, 52, 52, 56, 50};

    struct Parts {
        sprites::Sprite* lemon = nullptr;    // lock body; origin of every position
        sprites::Sprite* pointer = nullptr;  // over the slot whose note sounds
        std::array<sprites::Sprite*, kSlots> lights{};
        const sprites::FrameRecord* keyFrames = nullptr;  // kPositions, or none
    };

    LockMechanism(world::LandRecord* record, FxPlayer* effects) : record_(record), effects_(effects) {}
    ~LockMechanism() { ReleaseVoices(); }
    LockMechanism(const LockMechanism&) = delete;
    LockMechanism& operator=(const LockMechanism&) = delete;

    void Attach(const Parts& parts) { parts_ = parts; }
    // Three hint voices, then five note voices (the first three used).
    void LoadVoices();
    void ReleaseVoices();

    // A key goes into slot k at position 0; returns 0 for a bad slot.
    int InsertKey(int k, sprites::Sprite* key);
    // A key already inserted (the record's position), shown where it stands.
    void ShowKey(int k, sprites::Sprite* key);
    // Button 1..3; 1 when the key turned.
    int TurnKey(int button, uint32_t now);
    void PlayNote(int k, uint32_t now);
    // The lever: starts a check, or advances the running one by at most one
    // note. `demonstrated` is set once a check has run to its end.
    void AdvanceCheck(uint32_t now, int* demonstrated);
    // The combination hummed one note a second, every 13 seconds.
    void Hint(uint32_t now, screens::CaptiveMember* member);
    // Keys the land did not ask for turn themselves back to their right
    // positions; on a first visit the lock plays itself once.
    void SelfRun(uint32_t now, int keysNeeded, int* demonstrated);
    // 1 when the lock opened now: the record says freed, band word 6, one
    // more step of progress.
    int OpenIfDue(uint32_t now);
    void HidePointerIfDue(uint32_t now);
    // Lights every slot already right.
    void LightRightSlots();

    int Right(int k) const;
    int RightCount() const;
    int Position(int k) const { return Valid(k) ? record_->slot[k] : -1; }
    int32_t NoteCents(int k) const;
    sprites::Sprite* Key(int k) const { return Valid(k) ? keys_[k] : nullptr; }
    int NoteVoice(int k) const { return Valid(k) ? noteVoices_[k] : -1; }
    int HintVoice(int k) const { return Valid(k) ? hintVoices_[k] : -1; }
    int32_t LightX(int k) const;  // where light k stands when its slot is right

    int hintState = 0, checkStep = 0, solvedPending = 0;
    uint32_t hintTime = 0, checkTime = 0, pointerTime = 0;

private:
    static bool Valid(int k) { return k >= 0 && k < kSlots; }
    void PlaceKey(int k);
    void Light(int k);
    void Sound(int voice, int32_t cents);
    int32_t ScaleCents(int position) const;

    world::LandRecord* record_;
    FxPlayer* effects_;
    Parts parts_;
    std::array<sprites::Sprite*, kSlots> keys_{};
    std::array<int, kSlots> hintVoices_{-1, -1, -1};
    std::array<int, 5> noteVoices_{-1, -1, -1, -1, -1};
};

}  // namespace land
