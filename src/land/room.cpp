#include "land/room.h"

#include "audio/land_sprite.h"
#include "land/land_screen.h"
#include "world/game_services.h"
#include "world/player_dog.h"

namespace land {

void Room::UpdateIconSounds(LandScreen* land, int location) {
    world::PlayerDog* dog = land->player;
    world::GameServices* game = land->game;
    int32_t best = 50000;
    int bestIndex = 0;
    for (int i = 0; i < game->LandSprites().count; ++i) {
        LandSprite* sprite = game->LandSprites()[i];
        // Marks left by the land while the dog carried something in would
        // keep a key revealed here out of its mouth.
        sprite->notTakeable = dog->carried && sprite != dog->carried ? 1 : 0;
        if (sprite->location == location) {
            sprite->Unsilence();
            const int32_t distance = sprite->UpdateSound(dog->x, dog->y);
            // A placed icon (or an inserted key) belongs where it is: it
            // sings, but it is never what the dog picks up.
            if (!sprite->placed && distance < best) {
                best = distance;
                bestIndex = i;
            }
        } else {
            sprite->Silence();
        }
    }
    dog->nearest = game->LandSprites().count > 0 ? game->LandSprites()[bestIndex] : nullptr;
    dog->nearestDistance = best;
}

}  // namespace land
