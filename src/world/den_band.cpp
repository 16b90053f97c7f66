#include "world/den_band.h"

#include <type_traits>

#include "platform/crt_random.h"
#include "sprites/sprite_world.h"

namespace world {

using sprites::AnimSequence;
using sprites::RECT;

namespace {

// Shared by both kinds of member: the change of animation, the countdown
// and the stepping of one due tick.
template <typename Base>
class BandMember : public Base, public MemberState {
public:
    BandMember(DenBand* owner, int k, sprites::SpriteWorld* world, sprites::FrameRecord* frames, int32_t count)
        : Base(world, nullptr, 0, 0, nullptr, DenBand::kMemberDepth, 100) {
        band = owner;
        number = k;
        this->SetFrames(frames, count);
        // Only the band animates its members.
        if (world) world->RemoveAnimated(this);
    }

    int Animate(uint32_t now) override {
        if (now >= nextChange && playing) {
            this->frameDelay = DenBand::DrawPeriod(number);
            nextChange = now + static_cast<uint32_t>(platform::rand() % 2000 + 1000);
            band->StartChoice(number, platform::rand() % chars::kBandChoices[number]);
            if (number == 1) this->FrameChanged(now);
        }
        if (playing) --nextChange;
        if (shown && this->TimeDue(now)) {
            if (playing) {
                if (this->sequence) this->sequence->Set(AnimSequence::kNext);
                if constexpr (std::is_same_v<Base, sprites::TwoPartSprite>) {
                    if (this->secondSequence) this->secondSequence->Set(AnimSequence::kNext);
                }
            }
            this->FrameChanged(now);
        }
        return 1;
    }
    int Draw() override { return shown ? Base::Draw() : 1; }
    int DrawClipped(const RECT& clip) override { return shown ? Base::DrawClipped(clip) : 1; }
};

using PairMember = BandMember<sprites::TwoPartSprite>;
using SingleMember = BandMember<sprites::CharacterSprite>;

}  // namespace

DenBand::DenBand(sprites::SpriteWorld* world, sprites::SpriteGroup* group, const char* sheetFile)
    : CharacterSprite(world, group, 0, 0, sheetFile, kDepth, 100), tables_(chars::MakeBandTables()) {
    rect = RECT{0, 0, 640, 480};
    frameTable_ = chars::MakeFrameTable(tables_.sheet, surface);
    SetFrames(frameTable_.data(), static_cast<int32_t>(frameTable_.size()));
    sequences_ = chars::MakeSequences(tables_.sheet);
    for (int k = 0; k < kMembers; ++k) {
        const int32_t count = static_cast<int32_t>(frameTable_.size());
        if (chars::kBandTwoPart[k]) {
            auto member = std::make_unique<PairMember>(this, k, world, frameTable_.data(), count);
            states_[k] = member.get();
            members_[k] = std::move(member);
        } else {
            auto member = std::make_unique<SingleMember>(this, k, world, frameTable_.data(), count);
            states_[k] = member.get();
            members_[k] = std::move(member);
        }
        StartChoice(k, 0);
        members_[k]->FrameChanged(0);
    }
}

DenBand::~DenBand() {
    // Members go before the sequences they point at.
    for (auto& member : members_) member.reset();
}

int32_t DenBand::DrawPeriod(int k) {
    return k == 1 ? platform::rand() % 50 + 85 : platform::rand() % 85 + 50;
}

void DenBand::StartChoice(int k, int choice) {
    if (k < 0 || k >= kMembers || !members_[k]) return;
    const auto& options = tables_.choices[k];
    if (options.empty()) return;
    choice = choice < 0 || choice >= static_cast<int>(options.size()) ? 0 : choice;
    choices_[k] = choice;
    auto pick = [this](int16_t index) -> AnimSequence* {
        return index >= 0 && static_cast<size_t>(index) < sequences_.size() ? sequences_[index].get() : nullptr;
    };
    sprites::CharacterSprite* member = members_[k].get();
    member->sequence = pick(options[choice].main);
    if (member->sequence) member->sequence->Set(AnimSequence::kFirst);
    if (chars::kBandTwoPart[k]) {
        auto* pair = static_cast<sprites::TwoPartSprite*>(member);
        pair->secondSequence = pick(options[choice].second);
        if (pair->secondSequence) pair->secondSequence->Set(AnimSequence::kFirst);
    }
}

MemberState& DenBand::State(int k) { return *states_[k]; }
int DenBand::MemberChoice(int k) const { return choices_[k]; }

void DenBand::Hide(int k) {
    if (k >= 0 && k < kMembers) states_[k]->shown = 0;
}
void DenBand::Show(int k) {
    if (k >= 0 && k < kMembers) states_[k]->shown = 1;
}
void DenBand::Stop(int k) {
    if (k >= 0 && k < kMembers) states_[k]->playing = 0;
}
void DenBand::Play(int k) {
    if (k >= 0 && k < kMembers) states_[k]->playing = 1;
}

int DenBand::AnyPlaying() const {
    for (const MemberState* s : states_) {
        if (s->playing) return 1;
    }
    return 0;
}

int DenBand::Animate(uint32_t now) {
    for (int k : kAnimateOrder) {
        if (!members_[k]->Animate(now)) return 0;
    }
    return 1;
}

int DenBand::Draw() {
    for (int k : kDrawOrder) {
        if (!members_[k]->Draw()) return 0;
    }
    return 1;
}

int DenBand::DrawClipped(const RECT& clip) {
    for (int k : kDrawOrder) {
        if (!members_[k]->DrawClipped(clip)) return 0;
    }
    return 1;
}

}  // namespace world
