#pragma once
// The band member held behind a land's lock: idle, a short hum while a hint
// note sounds, a freeing animation with its sound when the lock opens, then
// the freed pose. One class over six character sheets; each land's member is
// a subclass naming its sheet.
#include <cstdint>
#include <memory>
#include <vector>

#include "sprites/character_sprite.h"
#include "world/chars/sheet.h"

class FxPlayer;

namespace screens {

class CaptiveMember : public sprites::TwoPartSprite {
public:
    // States; each shows its own pair of sequences.
    static constexpr int kHumFromB = 1;
    static constexpr int kHumFromA = 2;
    static constexpr int kIdleB = 4;
    static constexpr int kIdleA = 8;
    static constexpr int kFreeing = 16;
    static constexpr int kFreed = 32;
    static constexpr int32_t kDepth = 300000000;
    static constexpr int32_t kFrameDelay = 100;
    static constexpr int kFreeingEffect = 4;

    ~CaptiveMember() override;
    CaptiveMember(const CaptiveMember&) = delete;
    CaptiveMember& operator=(const CaptiveMember&) = delete;

    // The member of land 0..5 (anything else gives land 0's).
    static std::unique_ptr<CaptiveMember> ForLand(int land, sprites::SpriteWorld* world, sprites::SpriteGroup* group,
                                                  FxPlayer* effects);

    void Hum();
    void Free();
    int TakeFinished();
    void SetFreed();
    int Animate(uint32_t now) override;

    int State() const { return state_; }
    int EffectSlot() const { return effectSlot_; }
    int Land() const { return land_; }

protected:
    CaptiveMember(int land, sprites::SpriteWorld* world, sprites::SpriteGroup* group, FxPlayer* effects);

private:
    void ShowState(int state);
    void ReleaseEffect();

    int land_;
    FxPlayer* effects_;
    world::chars::CharacterSheet sheet_;
    std::vector<sprites::FrameRecord> frameTable_;
    std::vector<std::unique_ptr<sprites::AnimSequence>> sequences_;
    int state_ = kIdleA;
    int finished_ = 0;
    int effectSlot_ = -1;  // -1 when none: slot 0 is a real slot
};

// The six members, by land index.
class BullseyeMember : public CaptiveMember {
public:
    BullseyeMember(sprites::SpriteWorld* w, sprites::SpriteGroup* g, FxPlayer* fx) : CaptiveMember(0, w, g, fx) {}
};
class ScratchMember : public CaptiveMember {
public:
    ScratchMember(sprites::SpriteWorld* w, sprites::SpriteGroup* g, FxPlayer* fx) : CaptiveMember(1, w, g, fx) {}
};
class AlienMember : public CaptiveMember {
public:
    AlienMember(sprites::SpriteWorld* w, sprites::SpriteGroup* g, FxPlayer* fx) : CaptiveMember(2, w, g, fx) {}
};
class FifiMember : public CaptiveMember {
public:
    FifiMember(sprites::SpriteWorld* w, sprites::SpriteGroup* g, FxPlayer* fx) : CaptiveMember(3, w, g, fx) {}
};
class ChilledogMember : public CaptiveMember {
public:
    ChilledogMember(sprites::SpriteWorld* w, sprites::SpriteGroup* g, FxPlayer* fx) : CaptiveMember(4, w, g, fx) {}
};
class IcedogMember : public CaptiveMember {
public:
    IcedogMember(sprites::SpriteWorld* w, sprites::SpriteGroup* g, FxPlayer* fx) : CaptiveMember(5, w, g, fx) {}
};

}  // namespace screens
