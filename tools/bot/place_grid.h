#pragma once
// The walking grid of the place the dog is in, built from the live place as
// the game collides (the opaque pixels inside every sprite's collision box),
// with the doors and holes a walk must not take marked forbidden. The pilot
// plans every walk on it, and the reach check judges a level on the same
// grid, so a spot the check passes is one the pilot can walk to.
#include <utility>
#include <vector>

#include "bot/walk_grid.h"
#include "platform/win_types.h"

namespace land {
class LandScreen;
}
namespace sprites {
class Sprite;
}
class LandSprite;

namespace bot {

inline constexpr int kExitDoor = 99;   // in a room: its exit may be walked into
inline constexpr int kMainDoor = 10;   // in the land: the lock room's door
inline constexpr int kNoDoor = -1;

struct GridPlan {
    int openDoor = kNoDoor;                // the door the walk may take
    bool tight = false;                    // no margin kept from doors
    std::vector<platform::RECT> extra;     // more blocks
    std::vector<std::pair<Point, Point>> blockedSteps;  // steps where walks stuck
    const sprites::Sprite* ignored = nullptr;  // a sprite that moves about (the cat)
};

// The grid of the open land, whether or not the dog is in it.
WalkGrid LandGrid(land::LandScreen& screen, const GridPlan& plan);
// The grid of the active room (or of the land when no room is active).
WalkGrid PlaceGrid(land::LandScreen& screen, const GridPlan& plan);

// Positions from which the dog takes a land hole `area` by walking up.
bool BelowHole(const platform::RECT& area, int x, int y);
// Where the dog comes up out of the partner of hole `k`.
Point HoleExit(const land::LandScreen& screen, int k);

// The point of an icon the game measures the dog's distance to.
Point IconPoint(const LandSprite& icon);

}  // namespace bot
