#pragma once
// A dog in a 3200 x 3200 land of a headless world, driven frame tick by frame
// tick with explicit times.
#include <memory>

#include "platform/clock.h"
#include "platform/headless.h"
#include "support/test_game.h"
#include "world/chars/dog_tables.h"
#include "world/land_files.h"
#include "world/player_dog.h"
#include "world/world_fixture.h"

namespace world_test {

// Declared before the world so that it outlives the dog the world deletes.
struct GameHolder {
    TestGame game;
};

class DogTest : public GameHolder, public WorldTest {
public:
    static constexpr uint32_t kStart = 10000;

    bool MakeWorld() {
        if (!StartWorld()) return false;
        sprites::Background& map = *W().background;
        map.tileWidth = map.tileHeight = 32;
        map.columns = map.rows = 100;
        map.scrollX = map.scrollY = 0;
        group = W().GetGroup(W().AddGroup());
        return true;
    }
    world::PlayerDog* MakeDog(int32_t x, int32_t y, world::DogSurroundings around = {}) {
        platform::manual_clock::Set(kStart);
        if (!around.spriteGroup) around.spriteGroup = group;
        if (!around.land && around.kind == world::DogPlace::Land) around.land = &land;
        dog = new world::PlayerDog(&W(), group, &game, x, y, "mangopup.bmp", world::chars::DogLayout::Ordinary,
                                   std::move(around));
        group->Insert(dog);
        now = kStart;
        return dog;
    }
    // One frame tick (the 95 ms period has passed).
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            now += world::PlayerDog::kFrameDelay + 1;
            dog->Animate(now);
        }
    }
    void Hold(int up, int down, int left, int right) {
        game.input.up = up;
        game.input.down = down;
        game.input.left = left;
        game.input.right = right;
    }
    void Release() { Hold(0, 0, 0, 0); }
    // Ticks until the dog leaves `mode` (at most `limit` ticks).
    void TickWhile(int mode, int limit = 200) {
        for (int i = 0; i < limit && dog->mode == mode; ++i) Tick();
    }

    sprites::SpriteGroup* group = nullptr;
    world::PlayerDog* dog = nullptr;
    world::LandPlace land;
    uint32_t now = kStart;
};

}  // namespace world_test
