#pragma once
// Progress of one land: 146 little-endian 32-bit words, stored byte for byte in
// saved games and demo files, so the layout below is a file format.
//
// Placeholder until land play arrives: the layout is final, but InitLandRecord
// only zeroes the record. The land code will give it the real first-visit
// values (icon 0 at location 100, unbound rooms, key positions, empty lock
// slots, a random combination and scale, band word -1).
#include <cstddef>
#include <cstdint>

namespace land {

struct LandEntry {  // an icon or a mini key
    int32_t location, x, y, placed;
};
struct RoomEntry {
    int32_t bindingMarker, bound, solved, set;
};

struct LandRecord {
    int32_t category[8];
    int32_t progress;
    int32_t noteTable;  // which note table the record refers to (a raw word in files)
    int32_t bandWord;
    LandEntry icon[24];
    RoomEntry room[3];
    int32_t slot[3];
    int32_t target[3];
    int32_t scale[7];
    int32_t lockRoomVisited;
    int32_t freed;
    LandEntry key[3];
};
static_assert(sizeof(LandRecord) == 584, "LandRecord is a 584-byte file record");
static_assert(offsetof(LandRecord, noteTable) == 36 && offsetof(LandRecord, icon) == 44 &&
              offsetof(LandRecord, room) == 428 && offsetof(LandRecord, slot) == 476 &&
              offsetof(LandRecord, scale) == 500 && offsetof(LandRecord, freed) == 532 &&
              offsetof(LandRecord, key) == 536);

void InitLandRecord(LandRecord* record);

}  // namespace land
