#pragma once
// The saved-game file: eight fixed slots of 3784 bytes, read and written
// whole. A slot holds where the player stands (den or land, position, room),
// the difficulty and the six land records. The demo files begin with the
// same slot layout. All numbers are little-endian 32-bit signed integers.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "world/game_services.h"
#include "world/land_record.h"

namespace world {

inline constexpr int kSavedSlots = 8;
inline constexpr size_t kSlotBytes = 3784;
inline constexpr size_t kSavedGameBytes = kSlotBytes * kSavedSlots;  // 30272
inline constexpr size_t kMarkerBytes = 260;
inline constexpr size_t kSlotRecordsOffset = 280;
static_assert(kSlotRecordsOffset + kLandCount * sizeof(LandRecord) == kSlotBytes);

// The lands whose records follow one another in a slot.
inline constexpr int kSlotRecordLands[kLandCount] = {kWetland, kFunland, kCeltic, kAussie, kJazzland, kEastern};

// Markers the game writes: into an empty slot, and over a used one.
inline constexpr const char* kNewSlotMarker = "a\n";
inline constexpr const char* kReplacedSlotMarker = "a";

using SlotBuffer = std::array<uint8_t, kSavedGameBytes>;

// One slot, decoded. Records are kept by land index.
struct SavedSlot {
    std::string marker;  // empty: an empty slot
    int32_t difficulty = 1;
    int32_t land = -1;  // -1 in the den
    int32_t x = 0, y = 0;
    int32_t room = 0;   // in a land: -1 open land, 0..2 a sub-room, 10 the lock room; in the den 0
    LandRecord records[kLandCount] = {};
};

// "saved.gam" in the player's own folder.
std::string SavedGamePath();

// The whole file into the buffer. A missing file gives eight empty slots; a
// short one, empty slots for what is missing. Returns 1 when a file was read.
int ReadSavedGames(const std::string& path, SlotBuffer* buffer);
// The whole buffer to the file, without ever leaving it half written.
// 1 written, 0 failed (the file is as it was).
int WriteSavedGames(const std::string& path, const SlotBuffer& buffer);

// A slot whose marker is set.
bool SlotMarked(const SlotBuffer& buffer, int slot);
// 1 and the slot in *out when it is marked and every value in it lies in its
// range; 0 for an empty or damaged slot (which must then never be loaded).
int DecodeSlot(const SlotBuffer& buffer, int slot, SavedSlot* out);
// The same for a slot's bytes anywhere (a demo file begins with one); with
// needMarker 0 an empty marker is accepted.
int DecodeSlotBytes(const uint8_t* slotBytes, int needMarker, SavedSlot* out);
// Writes the slot into the buffer; the marker is cut to its field, and bytes
// nothing fills are zeros.
void EncodeSlot(const SavedSlot& saved, int slot, SlotBuffer* buffer);

// Range checks of what a slot may hold.
bool PlaceValid(const SavedSlot& saved);
bool RecordValid(const LandRecord& record);

}  // namespace world
