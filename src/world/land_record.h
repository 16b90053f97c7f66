#pragma once
// Progress of one land: 146 little-endian 32-bit words, stored byte for byte in
// saved games and demo files, so the layout below is a file format.
#include <cstddef>
#include <cstdint>

namespace world {

constexpr int32_t kInLand = -1;         // location: lying in the open land
constexpr int32_t kMainSubRoom = 10;    // location and room number of the lock room
constexpr int32_t kNeverPlaced = 100;   // icon 0's location before the first visit
constexpr int kMaxIcons = 24;
constexpr int kKeyCount = 3;
constexpr int kSubRoomCount = 3;
constexpr int kLockPositions = 7;

struct LandEntry {  // an icon or a mini key
    int32_t location, x, y, placed;
};
struct RoomEntry {
    int32_t bindingMarker;  // -1 until bound, then 0
    int32_t bound, solved;
    int32_t set;  // icon set placed here, -1 none
};

struct LandRecord {
    int32_t category[8];  // icon category per set: balls, crockery, footware, fruit, hats, sweets
    int32_t progress;
    int32_t noteTable;  // which note table the record refers to (a raw word in files)
    int32_t bandWord;   // -1 not joined, 6 joined and silent, 0..5 the chosen part
    LandEntry icon[kMaxIcons];
    RoomEntry room[kSubRoomCount];
    int32_t slot[kKeyCount];    // lock slot positions, -1 no key inserted
    int32_t target[kKeyCount];  // the lock's combination, three different 0..6
    int32_t scale[7];           // semitone offsets of the land's scale
    int32_t lockRoomVisited;
    int32_t freed;
    LandEntry key[kKeyCount];
};
static_assert(sizeof(LandRecord) == 584, "LandRecord is a 584-byte file record");
static_assert(offsetof(LandRecord, progress) == 32 && offsetof(LandRecord, noteTable) == 36 &&
              offsetof(LandRecord, bandWord) == 40 && offsetof(LandRecord, icon) == 44 &&
              offsetof(LandRecord, room) == 428 && offsetof(LandRecord, slot) == 476 &&
              offsetof(LandRecord, target) == 488 && offsetof(LandRecord, scale) == 500 &&
              offsetof(LandRecord, lockRoomVisited) == 528 && offsetof(LandRecord, freed) == 532 &&
              offsetof(LandRecord, key) == 536);

// First-visit values: icon 0 never placed, rooms unbound, keys waiting at
// (100, 100 + 40k), empty lock slots, a random combination and scale, the
// band member not joined. The note-table word is left as it is (the game
// gives each record its table).
void InitLandRecord(LandRecord* record);

// Icons hidden in a land and mini keys the player must find, by land index
// (0..5) and difficulty (1 easy, 2 medium, 3 hard). Out-of-range values are
// clamped so a caller never reads past the tables.
int IconCount(int landIndex, int difficulty);
int KeysNeeded(int landIndex, int difficulty);

// The two scales a land may play in.
extern const int32_t kScaleRows[2][7];

// Byte-for-byte copies in the file's little-endian order.
void WriteRecordBytes(const LandRecord& record, uint8_t out[sizeof(LandRecord)]);
void ReadRecordBytes(const uint8_t in[sizeof(LandRecord)], LandRecord* record);

}  // namespace world
