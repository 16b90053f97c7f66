#pragma once
// The reward shown once when a lock opens: the freed member dancing with the
// pup on a cleared screen with its own palette and sound, two pictures per
// step, one step every 100 ms until the last.
#include <cstdint>
#include <functional>

#include "world/chars/reward_tables.h"

class FxPlayer;
namespace display {
class Display;
}
namespace platform::dd {
class Surface;
}

namespace land {

class RewardShow {
public:
    static constexpr uint32_t kStepMs = 100;
    static constexpr int kFirstEffect = 26;
    static constexpr int32_t kVolume = -600;
    static constexpr int kScreenW = 640, kScreenH = 480;

    // Land index 0..5 shows reward 1..6 (anything else reward 1).
    RewardShow(display::Display* display, FxPlayer* effects, int landIndex);
    ~RewardShow();
    RewardShow(const RewardShow&) = delete;
    RewardShow& operator=(const RewardShow&) = delete;

    // Clears the screen, loads the picture and its palette, starts the sound
    // and shows the first step.
    void Start(uint32_t now);
    // Shows every step that has come due; 0 once the last step is past.
    int Update(uint32_t now);
    // Runs to the end without returning; `waitForTime` is called while no
    // step is due (the clock must move on meanwhile).
    void Run(const std::function<uint32_t()>& clock, const std::function<void()>& waitForTime);

    int StepIndex() const { return step_; }
    // Steps every table covers (they are all as long as the step count).
    int StepCount() const;
    int EffectSlot() const { return effectSlot_; }
    int StepsShown() const { return shown_; }

private:
    void ShowStep(int step);
    void Blank(int step);
    void Finish();

    display::Display* display_;
    FxPlayer* effects_;
    world::chars::RewardTables tables_;
    platform::dd::Surface* surface_ = nullptr;
    int effectSlot_ = -1;
    int effect_;
    int step_ = -1;
    int shown_ = 0;
    uint32_t stepTime_ = 0;
};

}  // namespace land
