#include "world/actor_rules.h"

namespace world {

void UpdateProximity(sprites::AnimatedSprite* actor, const platform::RECT& dog) {
    if (!actor || actor->frameCount <= 0) return;
    platform::RECT foot;
    actor->GetHitBox(&foot);
    const platform::RECT near{foot.left - 100, foot.bottom - 50, foot.right + 100, foot.bottom + 100};
    const bool isNear = dog.left >= near.left && dog.left < near.right && dog.bottom >= near.top &&
                        dog.bottom < near.bottom;
    // Released either way; held again once it has reached the end it is
    // heading for.
    actor->paused = isNear ? actor->frameIndex == actor->frameCount - 1 : actor->frameIndex == 0;
}

int DogOctant(int32_t px, int32_t py, int32_t dogX, int32_t dogY) {
    const int vertical = py - dogY >= 1 ? 0 : 4;  // the dog above, or level or below
    if (px == dogX) return vertical;
    const double s = static_cast<double>(py - dogY) / static_cast<double>(px - dogX);
    const bool right = px - dogX <= 0;
    if (s > 0.5 && s < 1.5) return right ? 3 : 7;
    if (s > -0.5 && s < 0.5) return right ? 2 : 6;
    if (s > -1.5 && s < -0.5) return right ? 1 : 5;
    if (s > 1.5 || s < -1.5) return vertical;
    return 0;  // exactly on a boundary
}

void UpdateWatcher(sprites::AnimatedSprite* watcher, int32_t dogX, int32_t dogY) {
    if (!watcher || !watcher->frames || watcher->frameCount <= 0) return;
    const int d = DogOctant(watcher->x + 20, watcher->y + 50, dogX, dogY);
    watcher->frameIndex = (d + 3) % 8 % watcher->frameCount;
    watcher->frame = &watcher->frames[watcher->frameIndex];
    watcher->FrameChanged(0);
}

}  // namespace world
