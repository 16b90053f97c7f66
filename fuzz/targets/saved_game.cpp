// saved.gam: the eight slots decoded as the load menu does, and the first
// one that would load entered (its land, position and room).
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "world/saved_game.h"

namespace tw_fuzz {

int SavedGame(const uint8_t* data, size_t size) {
    const std::string path = WriteInput("saved.gam", data, size);
    auto buffer = std::make_unique<world::SlotBuffer>();
    world::ReadSavedGames(path, buffer.get());
    for (int slot = 0; slot < world::kSavedSlots; ++slot) {
        world::SavedSlot saved;
        if (!world::SlotMarked(*buffer, slot) || !world::DecodeSlot(*buffer, slot, &saved)) continue;
        if (saved.land < 0) continue;
        LandStart start;
        start.land = saved.land;
        start.difficulty = saved.difficulty;
        start.x = saved.x;
        start.y = saved.y;
        start.room = saved.room;
        PlayLand(start, saved.records[saved.land]);
        break;
    }
    return 0;
}

}  // namespace tw_fuzz
