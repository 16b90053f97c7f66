#pragma once
// The rules of icons, keys and pedestals, kept apart from the sprites so the
// rooms and the land screen share one version of them.
#include <cstdint>

#include "world/land_record.h"

namespace land {

// What a sub-room does with something put down in it.
enum class DropOutcome {
    Refused,   // a key: never accepted by a pedestal
    Placed,    // goes onto the pedestal
    Floating,  // put down where it does not belong: floats up and returns home
};

// The set of an icon (index / 6 for icons 0..17), or -1 for none.
int IconSet(int iconIndex);

// Decides a drop in sub-room `roomIndex` (0..2) and applies the room binding
// to the record: on easy and medium a room takes only its own set; on hard
// the first accepted icon binds the room to its set, and once two rooms are
// bound the third is bound to the remaining set. `bindingStarted` is set
// when this drop bound the room (the pedestal starts animating).
DropOutcome DecideDrop(world::LandRecord* record, int difficulty, int roomIndex, int iconIndex, bool* bindingStarted);

// Where an accepted icon stands on the pedestal: two staggered rows of three,
// the slot chosen by icon index mod 6, centred on a 65-pixel cell.
struct Spot {
    int32_t x, y;
};
Spot PedestalSpot(int32_t pedestalX, int32_t pedestalY, int iconIndex, int32_t iconHeight);
// Where a room's key appears once its pedestal has finished.
Spot KeySpot(int32_t pedestalX, int32_t pedestalY);
// The key a sub-room reveals.
inline int KeyOfRoom(int roomIndex) { return 2 - roomIndex; }

// Placed icons of the room's set; `placed[i]` is icon i's placed flag for the
// `count` icons of the land.
int PlacedCount(const world::LandRecord& record, int roomIndex, const int* placed, int count);

// A live key as the land screen holds it after loading.
struct LiveKey {
    int32_t location = 0;
    int placed = 0;
    bool hitBoxRemoved = false;
};
// On the first visit (slot 0 still empty) the lock starts with the keys the
// player does not have to find: with 1 needed, keys 0 and 1 are inserted;
// with 2, key 0; with 3 none, and the lock's demonstration is skipped.
void PreInsertKeys(world::LandRecord* record, int keysNeeded, LiveKey live[world::kKeyCount], int* lockDemonstrated);

// The swaying rise of a refused icon, one step per frame.
struct Float {
    int active = 0;
    int sway = 0;       // -6..7, shared by the whole rise
    int swayStep = 1;
    // Moves (x, y) one frame; returns true once y is above `viewTop`.
    bool Step(int32_t* x, int32_t* y, int32_t viewTop);
};

}  // namespace land
