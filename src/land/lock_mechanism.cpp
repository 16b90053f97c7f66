#include "land/lock_mechanism.h"

#include <algorithm>
#include <cstdint>

#include "audio/fx_player.h"
#include "screens/captive_member.h"

namespace land {

namespace {
void MoveSprite(sprites::Sprite* s, int32_t x, int32_t y, const sprites::FrameRecord* frame = nullptr) {
    if (!s) return;
    if (frame) s->frame = const_cast<sprites::FrameRecord*>(frame);
    s->SetPosition(x, y);
}
}  // namespace

void LockMechanism::LoadVoices() {
    ReleaseVoices();
    if (!effects_) return;
    for (int& v : hintVoices_) v = effects_->FxPlayer_Load(kHintEffect);
    for (int& v : noteVoices_) v = effects_->FxPlayer_Load(kNoteEffect);
    for (int v : hintVoices_) {
        if (v >= 0) effects_->FxPlayer_SetVolume(v, kVoiceVolume);
    }
    for (int v : noteVoices_) {
        if (v >= 0) effects_->FxPlayer_SetVolume(v, kVoiceVolume);
    }
}

void LockMechanism::ReleaseVoices() {
    auto release = [this](int& v) {
        if (v >= 0 && effects_) effects_->FxPlayer_Release(v);
        v = -1;
    };
    for (int& v : hintVoices_) release(v);
    for (int& v : noteVoices_) release(v);
}

int32_t LockMechanism::ScaleCents(int position) const {
    if (position < 0 || position >= kPositions) return 0;
    // The scale comes from a saved record: multiplied wide and kept in the
    // 32-bit range (the effect player limits the pitch further).
    const int64_t cents = int64_t(record_->scale[position]) * 100;
    return int32_t(std::clamp<int64_t>(cents, INT32_MIN, INT32_MAX));
}

int32_t LockMechanism::NoteCents(int k) const { return Valid(k) ? ScaleCents(record_->slot[k]) : 0; }

int LockMechanism::Right(int k) const {
    return Valid(k) && record_->slot[k] >= 0 && record_->slot[k] == record_->target[k] ? 1 : 0;
}

int LockMechanism::RightCount() const { return Right(0) + Right(1) + Right(2); }

int32_t LockMechanism::LightX(int k) const { return (parts_.lemon ? parts_.lemon->x : 0) + 34 + 85 * k; }

void LockMechanism::Light(int k) {
    sprites::Sprite* light = parts_.lights[k];
    if (light) MoveSprite(light, LightX(k), light->y);
}

void LockMechanism::LightRightSlots() {
    for (int k = 0; k < kSlots; ++k) {
        if (Right(k)) Light(k);
    }
}

void LockMechanism::PlaceKey(int k) {
    sprites::Sprite* key = keys_[k];
    if (!key || !parts_.lemon) return;
    int p = record_->slot[k];
    if (p < 0 || p >= kPositions) p = 0;  // a damaged record still shows the key
    const sprites::FrameRecord* frame = parts_.keyFrames ? &parts_.keyFrames[p] : nullptr;
    MoveSprite(key, parts_.lemon->x + 84 * k + kKeyX[p], parts_.lemon->y + kKeyY[p], frame);
    key->depth = parts_.lemon->depth + 1;
    key->hitBox = platform::RECT{0, 0, 0, 0};  // it can no longer be picked up
}

int LockMechanism::InsertKey(int k, sprites::Sprite* key) {
    if (!Valid(k) || !key) return 0;
    record_->slot[k] = 0;
    keys_[k] = key;
    PlaceKey(k);
    return 1;
}

void LockMechanism::ShowKey(int k, sprites::Sprite* key) {
    if (!Valid(k) || !key) return;
    if (record_->slot[k] < 0 || record_->slot[k] >= kPositions) record_->slot[k] = 0;
    keys_[k] = key;
    PlaceKey(k);
}

int LockMechanism::TurnKey(int button, uint32_t now) {
    const int k = button - 1;
    if (!Valid(k) || !keys_[k]) return 0;
    if (now - checkTime < kTurnGuardMs) return 0;
    // A damaged record's slot starts again from the first position.
    const int slot = record_->slot[k];
    record_->slot[k] = slot >= 0 && slot < kPositions ? (slot + 1) % kPositions : 0;
    PlaceKey(k);
    checkTime = now;
    PlayNote(k, now);
    return 1;
}

void LockMechanism::Sound(int voice, int32_t cents) {
    if (voice < 0 || !effects_) return;  // a voice that failed to load stays silent
    effects_->FxPlayer_Stop(voice);
    effects_->FxPlayer_SetPitch(voice, cents);
    effects_->FxPlayer_Play(voice, 0);
}

void LockMechanism::PlayNote(int k, uint32_t now) {
    if (!Valid(k) || !keys_[k]) return;
    if (parts_.pointer && parts_.lemon) MoveSprite(parts_.pointer, parts_.lemon->x + 85 * k + 34, parts_.pointer->y);
    pointerTime = now;
    Sound(noteVoices_[k], NoteCents(k));
}

void LockMechanism::AdvanceCheck(uint32_t now, int* demonstrated) {
    if (checkStep == 0) checkStep = 1;
    if (now - checkTime < kCheckStepMs) return;
    checkTime = now;
    const int k = checkStep - 1;
    PlayNote(k, now);
    if (Right(k)) Light(k);
    if (++checkStep <= kSlots) return;
    checkStep = 0;
    solvedPending = RightCount() == kSlots ? 1 : 0;
    if (demonstrated) *demonstrated = 1;
}

void LockMechanism::Hint(uint32_t now, screens::CaptiveMember* member) {
    if (hintState == 0) {
        if (now - hintTime <= kHintPauseMs) return;
        hintState = 1;
    } else {
        if (now - hintTime <= kHintNoteMs) return;
        hintState = hintState >= kSlots ? 0 : hintState + 1;
    }
    hintTime = now;
    if (hintState == 0) return;
    const int k = hintState - 1;
    if (member) member->Hum();
    Sound(hintVoices_[k], ScaleCents(record_->target[k]));
}

void LockMechanism::SelfRun(uint32_t now, int keysNeeded, int* demonstrated) {
    if (hintState == 0 && demonstrated && *demonstrated == 0) AdvanceCheck(now, demonstrated);
    if (keysNeeded == 1) {
        if (Right(0)) {
            if (!Right(1) && TurnKey(2, now) && Right(1)) Light(1);
        } else if (TurnKey(1, now) && Right(0)) {
            Light(0);
        }
    } else if (keysNeeded == 2) {
        if (!Right(0) && TurnKey(1, now) && Right(0)) Light(0);
    }
}

int LockMechanism::OpenIfDue(uint32_t now) {
    if (!solvedPending || record_->bandWord >= 0 || now - checkTime < kOpenDelayMs) return 0;
    solvedPending = 0;
    record_->freed = 1;
    record_->bandWord = 6;  // joins the den's band, playing nothing yet
    if (record_->progress < INT32_MAX) ++record_->progress;
    return 1;
}

void LockMechanism::HidePointerIfDue(uint32_t now) {
    if (parts_.pointer && parts_.pointer->x != kOffScreen && now - pointerTime >= kPointerShownMs) {
        MoveSprite(parts_.pointer, kOffScreen, parts_.pointer->y);
    }
}

}  // namespace land
