// A land record's 584 bytes: read as saved games and demos read it and, when
// the game would accept it, the land entered with it and played.
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "world/land_record.h"
#include "world/saved_game.h"

namespace tw_fuzz {

int LandRecord(const uint8_t* data, size_t size) {
    if (size < 1 + sizeof(world::LandRecord)) return 0;
    world::LandRecord record{};
    world::ReadRecordBytes(data + 1, &record);
    if (!world::RecordValid(record)) return 0;
    LandStart start;
    start.land = data[0] % world::kLandCount;
    start.difficulty = 1 + data[0] / world::kLandCount % 3;
    PlayLand(start, record);
    return 0;
}

}  // namespace tw_fuzz
