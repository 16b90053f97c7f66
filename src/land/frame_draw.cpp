#include "land/frame_draw.h"

#include "display/display.h"
#include "sprites/sprite_world.h"
#include "world/game_services.h"

namespace land {

void DrawPlaceFrame(sprites::SpriteWorld* world, world::GameServices* game, int dx, int dy) {
    if (!world) return;
    if (game && game->RedrawFrames() > 0) {
        if (world->display) world->display->GPFillBufferRGB(nullptr, nullptr, platform::RGB(0, 0, 0));
        world->DrawAll();
        // Everything that changed before this picture is in it already.
        world->ClearDirty();
        game->CountRedrawFrame();
        return;
    }
    world->Scroll(dx, dy);
    world->RedrawDirty();
}

}  // namespace land
