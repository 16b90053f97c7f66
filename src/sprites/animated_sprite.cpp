#include "sprites/animated_sprite.h"

#include "sprites/sprite_world.h"

namespace sprites {

int TimeDueStep(uint32_t now, int32_t delay, uint32_t* lastTime) {
    // Signed distance, so a clock that wrapped still counts forwards.
    const int64_t elapsed = static_cast<int32_t>(now - *lastTime);
    if (elapsed <= delay) return 0;
    if (delay <= 0) {
        // Without a period every new millisecond is due; dividing by it
        // would be undefined.
        *lastTime = now;
        return 1;
    }
    *lastTime += static_cast<uint32_t>(delay * (elapsed / delay));
    return 1;
}

AnimatedSprite::AnimatedSprite(SpriteWorld* world, int32_t x, int32_t y, FrameRecord* frame, int32_t depth)
    : Sprite(world, x, y, frame, depth) {
    if (world) world->AddAnimated(this);
}

int AnimatedSprite::TimeDue(uint32_t now) { return TimeDueStep(now, frameDelay, &lastTime); }

int AnimatedSprite::Animate(uint32_t now) {
    RECT r;
    GetRect(&r);
    const int32_t sx = ScrollX(), sy = ScrollY();
    if (r.right < sx || r.left > sx + 640 || r.bottom < sy || r.top > sy + 480) {
        // Off-screen animations stand still and do not catch up later.
        lastTime = now;
        return 1;
    }
    if (paused || !TimeDue(now)) return 1;
    if (!frames || frameCount <= 0) return 1;
    if (!pingPong) {
        frameIndex = frameIndex + 1 >= frameCount ? 0 : frameIndex + 1;
    } else if (forward) {
        ++frameIndex;
        if (frameIndex >= frameCount - 1) forward = false;
    } else {
        --frameIndex;
        if (frameIndex < 1) forward = true;
    }
    // A table of one frame (or an index set from outside) stays in range.
    if (frameIndex < 0) frameIndex = 0;
    if (frameIndex > frameCount - 1) frameIndex = frameCount - 1;
    frame = &frames[frameIndex];
    FrameChanged(now);
    return 1;
}

int AnimatedSprite::FrameChanged(uint32_t) {
    const RECT old = rect;
    rect = frame ? RECT{x, y, x + frame->Width(), y + frame->Height()} : RECT{x, y, x, y};
    MarkDirty(old);
    return 1;
}

}  // namespace sprites
