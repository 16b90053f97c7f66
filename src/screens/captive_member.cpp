#include "screens/captive_member.h"

#include "audio/fx_player.h"
#include "platform/ddraw.h"
#include "world/chars/captive_tables.h"

namespace screens {

namespace chars = world::chars;
using sprites::AnimSequence;

namespace {
int ValidLand(int land) { return land >= 0 && land < chars::kCaptiveCount ? land : 0; }

int PairOf(int state) {
    switch (state) {
        case CaptiveMember::kHumFromB: return chars::kHumB;
        case CaptiveMember::kHumFromA: return chars::kHumA;
        case CaptiveMember::kIdleB: return chars::kIdleB;
        case CaptiveMember::kFreeing: return chars::kFreeing;
        case CaptiveMember::kFreed: return chars::kFreed;
        default: return chars::kIdleA;
    }
}
}  // namespace

CaptiveMember::CaptiveMember(int land, sprites::SpriteWorld* world, sprites::SpriteGroup* group, FxPlayer* effects)
    : TwoPartSprite(world, group, 0, 0, chars::kCaptiveLayouts[ValidLand(land)].file, kDepth, kFrameDelay),
      land_(ValidLand(land)),
      effects_(effects),
      sheet_(chars::MakeCaptiveSheet(land_)) {
    frameTable_ = chars::MakeFrameTable(sheet_, surface);
    SetFrames(frameTable_.data(), static_cast<int32_t>(frameTable_.size()));
    sequences_ = chars::MakeSequences(sheet_);
    // The idle choice from the starting state: idle B.
    ShowState(state_ == kHumFromB || state_ == kIdleA ? kIdleB : kIdleA);
}

CaptiveMember::~CaptiveMember() {
    ReleaseEffect();
    // The sequences go with this object; nothing may point at them after.
    sequence = nullptr;
    secondSequence = nullptr;
    // A group keeps the picture of the members it holds; one made without a
    // group gives its own picture back.
    if (!group && surface) {
        surface->Release();
        surface = nullptr;
    }
}

std::unique_ptr<CaptiveMember> CaptiveMember::ForLand(int land, sprites::SpriteWorld* world,
                                                      sprites::SpriteGroup* group, FxPlayer* effects) {
    switch (ValidLand(land)) {
        case 1: return std::make_unique<ScratchMember>(world, group, effects);
        case 2: return std::make_unique<AlienMember>(world, group, effects);
        case 3: return std::make_unique<FifiMember>(world, group, effects);
        case 4: return std::make_unique<ChilledogMember>(world, group, effects);
        case 5: return std::make_unique<IcedogMember>(world, group, effects);
        default: return std::make_unique<BullseyeMember>(world, group, effects);
    }
}

void CaptiveMember::ShowState(int state) {
    state_ = state;
    const size_t pair = static_cast<size_t>(PairOf(state));
    auto pick = [this](size_t index) -> AnimSequence* {
        return index < sequences_.size() ? sequences_[index].get() : nullptr;
    };
    sequence = pick(2 * pair);
    secondSequence = pick(2 * pair + 1);
    if (sequence) sequence->Set(AnimSequence::kFirst);
    if (secondSequence) secondSequence->Set(AnimSequence::kFirst);
    FrameChanged(lastTime);
}

void CaptiveMember::ReleaseEffect() {
    if (effectSlot_ < 0) return;
    if (effects_) {
        effects_->FxPlayer_Stop(effectSlot_);
        effects_->FxPlayer_Release(effectSlot_);
    }
    effectSlot_ = -1;
}

void CaptiveMember::Hum() {
    // The freeing animation and the freed pose are not interrupted: a hum
    // there would keep the freeing sound's slot forever and never finish.
    if (state_ == kFreeing || state_ == kFreed) return;
    ShowState(state_ == kIdleB ? kHumFromB : kHumFromA);
}

void CaptiveMember::Free() {
    ReleaseEffect();  // a second Free must not leak the first sound's slot
    finished_ = 0;
    ShowState(kFreeing);
    if (!effects_) return;
    effectSlot_ = effects_->FxPlayer_Load(kFreeingEffect);
    if (effectSlot_ >= 0) effects_->FxPlayer_Play(effectSlot_, 0);
}

int CaptiveMember::TakeFinished() {
    const int was = finished_;
    finished_ = 0;
    return was;
}

void CaptiveMember::SetFreed() {
    ReleaseEffect();
    ShowState(kFreed);
}

int CaptiveMember::Animate(uint32_t now) {
    if (!TimeDue(now)) return 1;
    switch (state_) {
        case kHumFromA:
        case kHumFromB:
        case kFreeing: {
            const int landed = sequence ? sequence->Set(AnimSequence::kNext) : 3;
            if (secondSequence) secondSequence->Set(AnimSequence::kNext);
            const bool last = landed == 3;
            if (!last) break;
            if (state_ == kFreeing) {
                finished_ = 1;
                ReleaseEffect();
                ShowState(kFreed);
            } else {
                ShowState(state_ == kHumFromA ? kIdleA : kIdleB);
            }
            return 1;
        }
        default: break;  // idle and freed pairs are single, static entries
    }
    FrameChanged(now);
    return 1;
}

}  // namespace screens
