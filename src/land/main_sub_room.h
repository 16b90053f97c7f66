#pragma once
// The main sub-room (room 10): the land's band member held behind the
// musical lock. The dog inserts the keys it found, turns them with the
// buttons under the lock and pulls the lever to test the combination; the
// first full match frees the member, plays the land's reward and sends the
// game to the den.
#include <cstdint>
#include <functional>
#include <memory>

#include "land/lock_mechanism.h"
#include "land/room.h"
#include "screens/captive_member.h"

namespace land {

class MainSubRoom : public Room {
public:
    static constexpr const char* kLevelFile = ".\\mainSub\\mainsub.lnd";
    static constexpr int32_t kScrollX = -120, kScrollY = 0;
    static constexpr uint32_t kLeverStepMs = 100;
    static constexpr int kLeverFrames = 4;

    ~MainSubRoom() override;
    int PlacedCount() override { return 0; }
    // Only keys are taken: an icon put down here is refused.
    int Drop(LandSprite* sprite) override { return InsertKey(sprite); }
    int Enter(LandScreen* land, int roomIndex) override;
    void Tick() override;
    void Destroy();

    int InsertKey(LandSprite* sprite);
    void TurnKey(int button);
    void PullLever();

    // Runs while the reward waits for its next step. By default it spins on
    // the clock; a test on the manual clock moves the clock on instead.
    std::function<void()> waitForTime;

    LandScreen* land = nullptr;
    std::unique_ptr<LockMechanism> lock;
    std::unique_ptr<screens::CaptiveMember> member;
    int leverFrame = 0;
    uint32_t leverTime = 0, frameTime = 0;
    int rewardShown = 0;

private:
    void NearestIcon();
    void StepFish(sprites::AnimatedSprite* fish, uint32_t now);
    void StepLever(uint32_t now);
    void PlayReward();
    int KeySlot(const LandSprite* sprite) const;
    bool destroyed_ = false;
};

}  // namespace land
