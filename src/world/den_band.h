#pragma once
// The den's band: six musicians on one sheet. The band owns the sheet's
// frame table, every musician's sequences and the six members; the den shows,
// hides, starts and stops each by number. A playing musician changes its
// animation every one to three seconds at a random speed.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "sprites/character_sprite.h"
#include "world/chars/band_tables.h"

namespace world {

class DenBand;

// What both kinds of member keep.
struct MemberState {
    DenBand* band = nullptr;
    int number = 0;
    int shown = 0;
    int playing = 0;
    uint32_t nextChange = 0;
};

class DenBand : public sprites::CharacterSprite {
public:
    static constexpr int32_t kDepth = 990000;
    static constexpr int32_t kMemberDepth = 300000000;
    static constexpr int kMembers = chars::kBandMembers;
    // The order the members are animated in, and drawn in.
    static constexpr int kAnimateOrder[kMembers] = {1, 2, 3, 5, 4, 0};
    static constexpr int kDrawOrder[kMembers] = {1, 2, 3, 4, 0, 5};

    DenBand(sprites::SpriteWorld* world, sprites::SpriteGroup* group, const char* sheetFile);
    ~DenBand() override;

    void Hide(int k);
    void Show(int k);
    void Stop(int k);
    void Play(int k);

    int Animate(uint32_t now) override;
    int Draw() override;
    int DrawClipped(const sprites::RECT& clip) override;

    // For the den and the tests.
    MemberState& State(int k);
    sprites::CharacterSprite* Member(int k) const { return members_[k].get(); }
    int32_t MemberPeriod(int k) const { return members_[k] ? members_[k]->frameDelay : 0; }
    int MemberChoice(int k) const;
    int AnyPlaying() const;

    // The member's choice of animation on a change: its sequences restarted.
    void StartChoice(int k, int choice);
    // The member's new frame period on a change.
    static int32_t DrawPeriod(int k);

private:
    chars::BandTables tables_;
    std::vector<sprites::FrameRecord> frameTable_;
    std::vector<std::unique_ptr<sprites::AnimSequence>> sequences_;
    std::array<std::unique_ptr<sprites::CharacterSprite>, kMembers> members_;
    std::array<MemberState*, kMembers> states_{};
    std::array<int, kMembers> choices_{};
};

}  // namespace world
