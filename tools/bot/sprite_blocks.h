#pragma once
// What of a sprite stops the dog: the opaque pixels of its picture inside
// its collision box, as the game's own collision test sees them, given as
// one rectangle per run of opaque pixels in a row.
#include <vector>

#include "platform/win_types.h"

namespace sprites {
class Sprite;
}

namespace bot {

void AddBlocks(sprites::Sprite& sprite, std::vector<platform::RECT>* out);

}  // namespace bot
