#include "world/roaming_cat.h"

#include <algorithm>
#include <cstdlib>

#include "platform/crt_random.h"
#include "sprites/rect_math.h"
#include "sprites/sprite_world.h"
#include "world/player_dog.h"

namespace world {

using sprites::AnimSequence;
using sprites::RECT;

namespace {

constexpr int kUp = 1, kDown = 2, kRight = 4, kLeft = 8;
constexpr int32_t kWalkStride[5] = {10, 10, 15, 10, 10};
constexpr int32_t kBalloonStride = 12;
constexpr int32_t kDashStride = 50;
constexpr int kScuffleDistance = 40;
constexpr int kAlertDistance = 150;
constexpr int kCalmDistance = 600;
const RECT kFootprint{-15, -8, 15, 8};

int Slot(int direction) {
    const int index = chars::DirectionIndex(direction);
    return index < 0 ? chars::DirectionIndex(kDown) : index;
}

int RandomDirection() { return RoamingCat::kRandomDirections[platform::rand() % 8]; }

}  // namespace

RoamingCat::RoamingCat(sprites::SpriteWorld* world, sprites::SpriteGroup* group, int32_t x, int32_t y,
                       const char* sheetFile, chars::CatLayout layout)
    : TwoPartSprite(world, group, x, y, sheetFile, 0, 100), tables_(chars::MakeCatTables(layout)) {
    balloon = layout == chars::CatLayout::Balloon ? 1 : 0;
    frameTable_ = chars::MakeFrameTable(tables_.sheet, surface);
    SetFrames(frameTable_.data(), static_cast<int32_t>(frameTable_.size()));
    sequences_ = chars::MakeSequences(tables_.sheet);
    hitBox = kFootprint;
    Stand();
    UpdateDepth();
}

RoamingCat::~RoamingCat() { sequence = secondSequence = nullptr; }

void RoamingCat::SelectPair(const chars::CatPair& pair) {
    chars::StartSequencePair(sequences_, pair.main, pair.overlay, &sequence, &secondSequence);
}

void RoamingCat::Advance() {
    if (sequence) sequence->Set(AnimSequence::kNext);
    if (secondSequence) secondSequence->Set(AnimSequence::kNext);
}

bool RoamingCat::AtLastStep() const { return !sequence || sequence->IsLast(); }

void RoamingCat::ShowHead() {
    if (!secondSequence) return;
    secondSequence->Set(AnimSequence::kFirst);
    for (int i = 0; i < headStep && !secondSequence->IsLast(); ++i) secondSequence->Set(AnimSequence::kNext);
}

void RoamingCat::UpdateDepth() {
    depth = sprites::DepthKey(x, y, kFootprint.left, kFootprint.top);
    Resort();
}

void RoamingCat::Stand() {
    SelectPair(tables_.roles.stand[Slot(direction)]);
    headStep = chars::kCatHeadStraight;
    ShowHead();
    mode = kDeciding;
}

void RoamingCat::WalkIn(int newDirection) {
    if (mode == kWalking && !AtLastStep()) return;
    SelectPair(tables_.roles.walk[Slot(newDirection)]);
    direction = newDirection;
    mode = kWalking;
}

bool RoamingCat::MoveIsWhole(int32_t mx, int32_t my) {
    int32_t tx = mx, ty = my;
    CollideBoxes(group, &tx, &ty);
    return tx == mx && ty == my;
}

bool RoamingCat::BoxedIn() {
    return !MoveIsWhole(0, 30) && !MoveIsWhole(0, -30) && !MoveIsWhole(30, 0) && !MoveIsWhole(-30, 0);
}

bool RoamingCat::InsideMap() const {
    const sprites::Background* map = world ? world->background.get() : nullptr;
    if (!map) return true;
    return x > 0 && y > 0 && x < map->MapWidth() && y < map->MapHeight();
}

bool RoamingCat::InView() {
    if (!world) return false;
    RECT onScreen;
    GetRectOnScreen(&onScreen);
    return sprites::Overlaps(onScreen, world->view);
}

int RoamingCat::MoveToRandomPlace() {
    const sprites::Background* map = world ? world->background.get() : nullptr;
    const int32_t width = map ? map->MapWidth() : 0, height = map ? map->MapHeight() : 0;
    if (width <= 0 || height <= 0) return 0;
    const int32_t oldX = x, oldY = y;
    for (int attempt = 0; attempt < kMaxPlaceAttempts; ++attempt) {
        const int32_t newY = platform::rand() % height;
        const int32_t newX = platform::rand() % width;
        SetPosition(newX, newY);
        FrameChanged(lastTime);
        const bool canMove = MoveIsWhole(0, 30) || MoveIsWhole(0, -30) || MoveIsWhole(30, 0) || MoveIsWhole(-30, 0);
        if (canMove && x > 0 && y > 0 && !InView()) {
            UpdateDepth();
            return 1;
        }
    }
    SetPosition(oldX, oldY);
    FrameChanged(lastTime);
    UpdateDepth();
    return 0;
}

void RoamingCat::SitOutDemo() {
    SetPosition(-100, -100);
    if (world) world->RemoveAnimated(this);
}

void RoamingCat::FindFleeDirection() {
    if (randomRun > 0) {
        fleeDirection = RandomDirection();
        --randomRun;
        --runLength;
        return;
    }
    int32_t ax = 10, ay = 10, bx = -10, by = -10;
    CollideBoxes(group, &ax, &ay);
    CollideBoxes(group, &bx, &by);
    int flee = 0;
    if (dx > 0 && ax == 10) flee |= kRight;
    if (dy > 0 && ay == 10) flee |= kDown;
    if (dx < 0 && bx == -10) flee |= kLeft;
    if (dy < 0 && by == -10) flee |= kUp;
    if (flee == 0) {
        flee = RandomDirection();
        if (frameDelay > 50) frameDelay -= 3;
        randomRun = runLength;
        ++runLength;
    }
    fleeDirection = flee;
}

int RoamingCat::Animate(uint32_t now) {
    if (!TimeDue(now)) return 1;
    Think();
    FrameChanged(now);
    return 1;
}

void RoamingCat::Think() {
    // 1. Where the dog is.
    if (dog) {
        dx = x - dog->x;
        dy = y - dog->y;
        distance = std::abs(dx) + std::abs(dy);
    } else {
        dx = dy = 0;
        distance = 0x7FFFFFFF;
    }
    if (distance < kAlertDistance) alert = kAlert;

    // 2. Which way is away from it.
    FindFleeDirection();

    // 3. Caught, fleeing or calm again.
    if (mode != kScuffling && mode != kDashing) {
        if (distance < kScuffleDistance && dog) {
            frameDelay = 80;
            scuffleTicks = platform::rand() % 5 + 10;
            SelectPair(tables_.roles.scuffle);
            const int step = platform::rand() % 5;
            for (int i = 0; i < step; ++i) Advance();
            mode = kScuffling;
            dog->Busy();
        } else if (alert == kAlert) {
            WalkIn(fleeDirection);
            if (distance > kCalmDistance) {
                alert = kCalm;
                frameDelay = 100;
                Stand();
            }
        }
    }

    // 4. The mode's own step.
    switch (mode) {
        case kWalking:
            if (AtLastStep() && alert != kAlert) Stand();
            else Advance();
            break;
        case kDeciding:
            if (!InView() && (BoxedIn() || !InsideMap())) MoveToRandomPlace();
            if (headTurns == 0) {
                if (platform::rand() % 8 == 0 && !balloon) {
                    headTurns = 1;
                } else if (platform::rand() % 3 == 0) {
                    waitTicks = platform::rand() % 200 + 200;
                    mode = kWaiting;
                } else {
                    WalkIn(fleeDirection);
                }
            } else {
                headTarget = platform::rand() % chars::kCatHeadSteps;
                mode = kTurningHead;
            }
            break;
        case kTurningHead:
            if (headStep < headTarget) ++headStep;
            else if (headStep > headTarget) --headStep;
            ShowHead();
            if (headStep == headTarget) {
                mode = kDeciding;
                --headTurns;
            }
            break;
        case kScuffling:
            Advance();
            if (--scuffleTicks <= 0) {
                depth = kDashDepth;
                Resort();
                dashDirection = RandomDirection();
                SelectPair(tables_.roles.scuffleEnd);
                mode = kDashing;
                randomRun = 0;
                runLength = 1;
                if (dog) {
                    dog->SetPosition(x, y);
                    dog->direction = dashDirection;
                    dog->Stand();
                }
            }
            break;
        case kDashing:
            if (!InView()) {
                Stand();
                frameDelay = 100;
                MoveToRandomPlace();
            } else {
                Advance();
            }
            break;
        case kOneShot:
            if (AtLastStep()) Stand();
            else Advance();
            break;
        case kWaiting:
            if (--waitTicks <= 0) mode = kDeciding;
            break;
        default:
            break;
    }
}

int RoamingCat::FrameHook(uint32_t) {
    int32_t mx = 0, my = 0;
    if (mode == kWalking) {
        const int step = sequence ? std::clamp(sequence->GetIndex(), 0, 4) : 0;
        const int32_t s = balloon ? kBalloonStride : kWalkStride[step];
        if (direction & kDown) my = s;
        else if (direction & kUp) my = -s;
        if (direction & kRight) mx = s;
        else if (direction & kLeft) mx = -s;
        CollideBoxes(group, &mx, &my);
    } else if (mode == kDashing) {
        if (dashDirection & kDown) my = kDashStride;
        else if (dashDirection & kUp) my = -kDashStride;
        if (dashDirection & kRight) mx = kDashStride;
        else if (dashDirection & kLeft) mx = -kDashStride;
    }
    x += mx;
    y += my;
    if (mode != kDashing) UpdateDepth();
    return 1;
}

}  // namespace world
