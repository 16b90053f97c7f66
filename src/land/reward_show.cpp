#include "land/reward_show.h"

#include <algorithm>

#include "audio/fx_player.h"
#include "display/clip_to_screen.h"
#include "display/display.h"
#include "platform/ddraw.h"

namespace land {

namespace {
int RewardNumber(int landIndex) { return landIndex >= 0 && landIndex < world::chars::kRewardCount ? landIndex + 1 : 1; }
}  // namespace

RewardShow::RewardShow(display::Display* display, FxPlayer* effects, int landIndex)
    : display_(display),
      effects_(effects),
      tables_(world::chars::MakeRewardTables(RewardNumber(landIndex))),
      effect_(kFirstEffect + RewardNumber(landIndex) - 1) {}

RewardShow::~RewardShow() { Finish(); }

int RewardShow::StepCount() const {
    const size_t n = std::min({tables_.frameA.size(), tables_.frameB.size(), tables_.xA.size(), tables_.xB.size(),
                               tables_.yA.size(), tables_.yB.size()});
    return static_cast<int>(n);
}

void RewardShow::Start(uint32_t now) {
    if (effects_) {
        effectSlot_ = effects_->FxPlayer_Load(effect_);
        if (effectSlot_ >= 0) effects_->FxPlayer_SetVolume(effectSlot_, kVolume);
    }
    if (display_) {
        display_->GPClear();
        display_->GPLoadPalette(tables_.file.c_str());
        surface_ = display_->GPLoadBitmap(tables_.file.c_str(), 1, 1);
        if (surface_) display_->GPSetColorKey(surface_, platform::RGB(0, 0, 0));
    }
    if (effectSlot_ >= 0) effects_->FxPlayer_Play(effectSlot_, 0);
    step_ = 0;
    stepTime_ = now;
    if (StepCount() > 0) ShowStep(0);
}

int RewardShow::Update(uint32_t now) {
    if (step_ < 0) return 0;
    while (step_ < StepCount() && now - stepTime_ >= kStepMs) {
        stepTime_ += kStepMs;
        ++step_;
        if (step_ < StepCount()) ShowStep(step_);
    }
    if (step_ < StepCount()) return 1;
    Finish();
    return 0;
}

void RewardShow::Run(const std::function<uint32_t()>& clock, const std::function<void()>& waitForTime) {
    if (step_ < 0) Start(clock());
    while (Update(clock())) waitForTime();
}

void RewardShow::Blank(int step) {
    if (!display_ || step < 0 || step >= StepCount()) return;
    auto blank = [this](int x, int y, uint16_t frame) {
        if (frame == 0 || frame >= tables_.frames.size()) return;
        const auto& f = tables_.frames[frame];
        const platform::RECT r{std::max(x, 0), std::max(y, 0), std::min(x + f.Width(), kScreenW),
                               std::min(y + f.Height(), kScreenH)};
        if (r.left < r.right && r.top < r.bottom) display_->GPFillBufferIndex(display_->backBuffer, &r, 0);
    };
    blank(tables_.xA[step], tables_.yA[step], tables_.frameA[step]);
    blank(tables_.xB[step], tables_.yB[step], tables_.frameB[step]);
}

void RewardShow::ShowStep(int step) {
    ++shown_;
    if (!display_) return;
    // Both earlier steps are wiped first: a flipping display hands back the
    // picture of two steps ago, a copying one that of the step just shown.
    Blank(step - 1);
    Blank(step - 2);
    auto draw = [this](int x, int y, uint16_t frame) {
        if (!surface_ || frame == 0 || frame >= tables_.frames.size()) return;
        platform::RECT src = tables_.frames[frame].rect;
        platform::RECT dst{x, y, x + (src.right - src.left), y + (src.bottom - src.top)};
        if (!display::ClipToScreen(&src, &dst, kScreenW, kScreenH)) return;
        display_->GPBlt(surface_, &src, display_->backBuffer, &dst, 1);
    };
    draw(tables_.xA[step], tables_.yA[step], tables_.frameA[step]);
    draw(tables_.xB[step], tables_.yB[step], tables_.frameB[step]);
    display_->GPPageFlip();
}

void RewardShow::Finish() {
    if (surface_) {
        surface_->Release();
        surface_ = nullptr;
    }
    if (effectSlot_ >= 0 && effects_) {
        effects_->FxPlayer_Stop(effectSlot_);
        effects_->FxPlayer_Release(effectSlot_);
    }
    effectSlot_ = -1;
}

}  // namespace land
