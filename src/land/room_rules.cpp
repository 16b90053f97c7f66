#include "land/room_rules.h"

namespace land {

namespace {
const int32_t kSlotDx[6] = {166, 38, 102, 6, 70, 134};
const int32_t kSlotDy[6] = {-18, -18, -18, 11, 11, 11};
constexpr int32_t kCellHeight = 65;
constexpr int kSetCount = 3;

void Bind(world::RoomEntry* room, int set) {
    room->bindingMarker = 0;
    room->bound = 1;
    room->set = set;
}
}  // namespace

int IconSet(int iconIndex) {
    return iconIndex >= 0 && iconIndex < 18 ? iconIndex / 6 : -1;
}

DropOutcome DecideDrop(world::LandRecord* record, int difficulty, int roomIndex, int iconIndex, bool* bindingStarted) {
    *bindingStarted = false;
    if (iconIndex < 0) return DropOutcome::Refused;
    if (roomIndex < 0 || roomIndex >= world::kSubRoomCount) return DropOutcome::Floating;
    const int set = IconSet(iconIndex);
    world::RoomEntry& room = record->room[roomIndex];
    if (difficulty >= 3) {
        if (set < 0) return DropOutcome::Floating;
        if (room.bound) return room.set == set ? DropOutcome::Placed : DropOutcome::Floating;
        int boundOthers = 0;
        for (int r = 0; r < world::kSubRoomCount; ++r) {
            if (r == roomIndex || !record->room[r].bound) continue;
            if (record->room[r].set == set) return DropOutcome::Floating;
            ++boundOthers;
        }
        Bind(&room, set);
        *bindingStarted = true;
        if (boundOthers == 1) {
            // The last unbound room can only take the set nobody holds.
            bool held[kSetCount] = {};
            int free = -1;
            for (const world::RoomEntry& r : record->room) {
                if (r.bound && r.set >= 0 && r.set < kSetCount) held[r.set] = true;
            }
            for (int s = 0; s < kSetCount; ++s) {
                if (!held[s]) free = s;
            }
            for (world::RoomEntry& r : record->room) {
                if (!r.bound && free >= 0) Bind(&r, free);
            }
        }
        return DropOutcome::Placed;
    }
    if (set != roomIndex) return DropOutcome::Floating;
    room.set = roomIndex;
    return DropOutcome::Placed;
}

Spot PedestalSpot(int32_t pedestalX, int32_t pedestalY, int iconIndex, int32_t iconHeight) {
    const int slot = ((iconIndex % 6) + 6) % 6;
    const int32_t h = iconHeight > kCellHeight ? kCellHeight : iconHeight;
    return Spot{pedestalX + 21 + kSlotDx[slot], pedestalY + kSlotDy[slot] + (kCellHeight - h) / 2};
}

Spot KeySpot(int32_t pedestalX, int32_t pedestalY) {
    return Spot{pedestalX + 29, pedestalY + 25};
}

int PlacedCount(const world::LandRecord& record, int roomIndex, const int* placed, int count) {
    if (roomIndex < 0 || roomIndex >= world::kSubRoomCount) return 0;
    const int set = record.room[roomIndex].set;
    if (set < 0 || set >= kSetCount) return 0;
    int n = 0;
    for (int i = set * 6; i < set * 6 + 6 && i < count; ++i) n += placed[i] ? 1 : 0;
    return n;
}

void PreInsertKeys(world::LandRecord* record, int keysNeeded, LiveKey live[world::kKeyCount], int* lockDemonstrated) {
    if (record->slot[0] != -1) return;
    if (keysNeeded >= 3) {
        *lockDemonstrated = 1;
        return;
    }
    const int inserted = keysNeeded <= 1 ? 2 : 1;
    for (int k = 0; k < inserted; ++k) {
        record->slot[k] = record->target[k];
        live[k].location = world::kMainSubRoom;
        live[k].placed = 1;
        record->key[k].location = world::kMainSubRoom;
        record->key[k].placed = 0;
    }
    live[0].hitBoxRemoved = true;
}

bool Float::Step(int32_t* x, int32_t* y, int32_t viewTop) {
    *y -= 7;
    sway += swayStep;
    if (sway <= -6 || sway >= 7) swayStep = -swayStep;
    *x += swayStep;
    return *y < viewTop;
}

}  // namespace land
