#pragma once
// A sprite that steps through a frame table on a timer, forwards with
// wrapping or back and forth.
#include "sprites/sprite.h"

namespace sprites {

// Whole-period timing shared by the animated classes: due when more than
// `delay` ms have passed since `lastTime`, which then moves on by whole
// periods only so the rhythm does not drift.
int TimeDueStep(uint32_t now, int32_t delay, uint32_t* lastTime);

class AnimatedSprite : public Sprite {
public:
    // Registers itself in the world's animated list. Derived classes fill
    // frames, frameCount and frameDelay.
    AnimatedSprite(SpriteWorld* world, int32_t x, int32_t y, FrameRecord* frame, int32_t depth);

    int Animate(uint32_t now) override;
    virtual int TimeDue(uint32_t now);
    virtual int FrameChanged(uint32_t now);

    int32_t frameCount = 0;
    int32_t frameIndex = 0;
    int32_t frameDelay = 0;
    uint32_t lastTime = 0;
    bool pingPong = false;
    bool forward = true;
    FrameRecord* frames = nullptr;
    bool paused = false;
};

}  // namespace sprites
