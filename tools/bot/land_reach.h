#pragma once
// Which icons of a land the dog can come within reach of, judged on the
// pilot's own walking grid over the live land (the game's collision), from
// where the dog comes out of the lock room and through any chain of holes.
#include <string>
#include <vector>

#include "bot/walk_grid.h"

namespace land {
class LandScreen;
}

namespace bot {

struct ReachProblem {
    Point at;           // the icon or spot
    std::string what;   // "icon 3", "icon spot 12", "door 1", "hole 2"
};

// Every icon lying in the land, every icon spot of the level (with the
// largest icon on it), the sub-room doors and the lock room's door, checked
// from the lock room's door. Empty when everything is in reach.
std::vector<ReachProblem> LandOutOfReach(land::LandScreen& screen);
// In the active sub-room: the spot where its key appears, from its exit.
std::vector<ReachProblem> RoomOutOfReach(land::LandScreen& screen);

}  // namespace bot
