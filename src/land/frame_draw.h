#pragma once
// One picture of a land or a room. While the game still owes whole pictures
// (after a fade, a room change or a menu) the world is drawn whole; otherwise
// the last picture is moved by the scroll of this frame and only the strips
// it uncovered and the areas that changed are painted again.
namespace sprites {
class SpriteWorld;
}
namespace world {
class GameServices;
}

namespace land {

// (dx, dy) is how far the picture moves on screen: minus the view's scroll
// change of this frame.
void DrawPlaceFrame(sprites::SpriteWorld* world, world::GameServices* game, int dx, int dy);

}  // namespace land
