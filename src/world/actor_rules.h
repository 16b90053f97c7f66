#pragma once
// The per-tick rules of the land's actors that react to the dog: the
// proximity animation that opens as the dog comes near, and the watchers
// whose picture turns to look at it.
#include <cstdint>

#include "platform/win_types.h"
#include "sprites/animated_sprite.h"

namespace world {

// Plays the actor towards its last frame while the bottom-left corner of the
// dog's footprint lies near it, and back to its first frame otherwise.
void UpdateProximity(sprites::AnimatedSprite* actor, const platform::RECT& dogFootprint);

// The direction from (px, py) to the dog as an octant clockwise from up
// (0 up, 2 right, 4 down, 6 left).
int DogOctant(int32_t px, int32_t py, int32_t dogX, int32_t dogY);
// Shows the watcher's frame for the dog's direction, seen from its eyes at
// (x + 20, y + 50).
void UpdateWatcher(sprites::AnimatedSprite* watcher, int32_t dogX, int32_t dogY);

}  // namespace world
