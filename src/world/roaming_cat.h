#pragma once
// The cat that roams each land: it flees the dog when it comes close, takes
// random runs when cornered, scuffles with the dog when caught and dashes
// off, and otherwise turns its head, waits or strolls about.
#include <cstdint>
#include <memory>
#include <vector>

#include "sprites/character_sprite.h"
#include "world/chars/cat_tables.h"

namespace world {

class PlayerDog;

class RoamingCat : public sprites::TwoPartSprite {
public:
    static constexpr int kWalking = 1, kDeciding = 2, kTurningHead = 4, kScuffling = 8, kDashing = 16,
                         kOneShot = 32, kWaiting = 64;
    static constexpr int kAlert = 1, kCalm = 128;
    static constexpr int32_t kDashDepth = 9003000;  // drawn above everything
    // A map where no place qualifies must not hang the search.
    static constexpr int kMaxPlaceAttempts = 2000;
    // Random directions: up, up-right, right, down-right, down, down-left,
    // left, up-left.
    static constexpr int kRandomDirections[8] = {1, 5, 4, 6, 2, 10, 8, 9};

    RoamingCat(sprites::SpriteWorld* world, sprites::SpriteGroup* group, int32_t x, int32_t y, const char* sheetFile,
               chars::CatLayout layout);
    ~RoamingCat() override;

    int Animate(uint32_t now) override;
    int FrameHook(uint32_t now) override;   // 22: the move

    // The whole behaviour of one due tick, without the frame change.
    void Think();
    void WalkIn(int direction);
    void Stand();
    // Puts the cat somewhere on the map out of sight where it can move.
    // 0 (and the cat back where it was) when no such place was found.
    int MoveToRandomPlace();
    // A demo runs without the cat: off the map and not animated.
    void SitOutDemo();

    PlayerDog* dog = nullptr;
    int balloon = 0;
    int mode = kDeciding;
    int direction = 2;
    int fleeDirection = 2;
    int alert = kCalm;
    int32_t dx = 0, dy = 0, distance = 0;
    int headStep = chars::kCatHeadStraight, headTarget = chars::kCatHeadStraight;
    int headTurns = 0;
    int waitTicks = 0, scuffleTicks = 0;
    int randomRun = 0, runLength = 1;
    int dashDirection = 0;

private:
    void SelectPair(const chars::CatPair& pair);
    void Advance();
    bool AtLastStep() const;
    void ShowHead();
    void FindFleeDirection();
    bool InView();
    bool MoveIsWhole(int32_t mx, int32_t my);
    bool BoxedIn();
    bool InsideMap() const;
    void UpdateDepth();

    chars::CatTables tables_;
    std::vector<sprites::FrameRecord> frameTable_;
    std::vector<std::unique_ptr<sprites::AnimSequence>> sequences_;
};

}  // namespace world
