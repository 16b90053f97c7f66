#include "world/saved_game.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/user_files.h"

namespace world {

namespace {

// Coordinates beyond these lie off every map the game has.
constexpr int32_t kMinCoordinate = -4096;
constexpr int32_t kMaxCoordinate = 32767;

int32_t ReadI32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void WriteI32(uint8_t* p, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int b = 0; b < 4; ++b) p[b] = static_cast<uint8_t>(v >> (8 * b));
}

bool Within(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

bool LocationValid(int32_t location) {
    return location == kInLand || Within(location, 0, kSubRoomCount - 1) || location == kMainSubRoom ||
           location == kNeverPlaced;
}

bool EntryValid(const LandEntry& entry) {
    return LocationValid(entry.location) && Within(entry.x, kMinCoordinate, kMaxCoordinate) &&
           Within(entry.y, kMinCoordinate, kMaxCoordinate) && Within(entry.placed, 0, 1);
}

}  // namespace

std::string SavedGamePath() {
    return platform::UserDataFolder() + "/saved.gam";
}

int ReadSavedGames(const std::string& path, SlotBuffer* buffer) {
    buffer->fill(0);
    std::vector<uint8_t> bytes;
    if (!platform::ReadUserFile(path, kSavedGameBytes, &bytes)) return 0;
    std::copy(bytes.begin(), bytes.end(), buffer->begin());
    // A slot the file does not hold whole is empty.
    const size_t wholeSlots = bytes.size() / kSlotBytes;
    for (size_t s = wholeSlots; s < kSavedSlots; ++s) {
        std::fill(buffer->begin() + static_cast<std::ptrdiff_t>(s * kSlotBytes),
                  buffer->begin() + static_cast<std::ptrdiff_t>((s + 1) * kSlotBytes), 0);
    }
    return 1;
}

int WriteSavedGames(const std::string& path, const SlotBuffer& buffer) {
    return platform::ReplaceUserFile(path, buffer.data(), buffer.size());
}

bool SlotMarked(const SlotBuffer& buffer, int slot) {
    return slot >= 0 && slot < kSavedSlots && buffer[static_cast<size_t>(slot) * kSlotBytes] != 0;
}

bool PlaceValid(const SavedSlot& saved) {
    if (!Within(saved.difficulty, 1, 3) || !Within(saved.land, -1, kLandCount - 1)) return false;
    if (!Within(saved.x, kMinCoordinate, kMaxCoordinate) || !Within(saved.y, kMinCoordinate, kMaxCoordinate)) {
        return false;
    }
    if (saved.land == -1) return saved.room == 0;
    return saved.room == -1 || Within(saved.room, 0, kSubRoomCount - 1) || saved.room == kMainSubRoom;
}

bool RecordValid(const LandRecord& r) {
    for (int32_t category : r.category) {
        if (!Within(category, -1, 5)) return false;
    }
    if (!Within(r.progress, 0, 1000) || !Within(r.bandWord, -1, 6)) return false;
    for (const LandEntry& icon : r.icon) {
        if (!EntryValid(icon)) return false;
    }
    for (const LandEntry& key : r.key) {
        if (!EntryValid(key)) return false;
    }
    for (const RoomEntry& room : r.room) {
        if (!Within(room.bindingMarker, -1, 0) || !Within(room.bound, 0, 1) || !Within(room.solved, 0, 1) ||
            !Within(room.set, -1, kMaxIcons / 6 - 1)) {
            return false;
        }
    }
    for (int k = 0; k < kKeyCount; ++k) {
        if (!Within(r.slot[k], -1, kLockPositions - 1) || !Within(r.target[k], 0, kLockPositions - 1)) return false;
    }
    for (int32_t step : r.scale) {
        if (!Within(step, -24, 24)) return false;
    }
    return Within(r.lockRoomVisited, 0, 1) && Within(r.freed, 0, 1);
}

int DecodeSlotBytes(const uint8_t* base, int needMarker, SavedSlot* out) {
    if (needMarker && base[0] == 0) return 0;
    SavedSlot saved;
    const uint8_t* end = static_cast<const uint8_t*>(std::memchr(base, 0, kMarkerBytes));
    saved.marker.assign(reinterpret_cast<const char*>(base), end ? static_cast<size_t>(end - base) : kMarkerBytes);
    saved.difficulty = ReadI32(base + 260);
    saved.land = ReadI32(base + 264);
    saved.x = ReadI32(base + 268);
    saved.y = ReadI32(base + 272);
    saved.room = ReadI32(base + 276);
    for (int i = 0; i < kLandCount; ++i) {
        ReadRecordBytes(base + kSlotRecordsOffset + static_cast<size_t>(i) * sizeof(LandRecord),
                        &saved.records[kSlotRecordLands[i]]);
    }
    if (!PlaceValid(saved)) return 0;
    for (const LandRecord& record : saved.records) {
        if (!RecordValid(record)) return 0;
    }
    *out = saved;
    return 1;
}

int DecodeSlot(const SlotBuffer& buffer, int slot, SavedSlot* out) {
    if (!SlotMarked(buffer, slot)) return 0;
    return DecodeSlotBytes(buffer.data() + static_cast<size_t>(slot) * kSlotBytes, 1, out);
}

void EncodeSlot(const SavedSlot& saved, int slot, SlotBuffer* buffer) {
    if (slot < 0 || slot >= kSavedSlots) return;
    uint8_t* base = buffer->data() + static_cast<size_t>(slot) * kSlotBytes;
    std::memset(base, 0, kSlotBytes);
    std::memcpy(base, saved.marker.data(), std::min(saved.marker.size(), kMarkerBytes - 1));
    WriteI32(base + 260, saved.difficulty);
    WriteI32(base + 264, saved.land);
    WriteI32(base + 268, saved.x);
    WriteI32(base + 272, saved.y);
    WriteI32(base + 276, saved.room);
    for (int i = 0; i < kLandCount; ++i) {
        WriteRecordBytes(saved.records[kSlotRecordLands[i]],
                         base + kSlotRecordsOffset + static_cast<size_t>(i) * sizeof(LandRecord));
    }
}

}  // namespace world
