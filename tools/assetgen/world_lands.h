#pragma once
// The land levels: a maze of barrier pieces on a grid of 200-pixel cells,
// paths along the maze's tree, the way home, three sub-room doors, the main
// door, pairs of holes, icon spots, decorations, animations and actors.
// Harder difficulties keep more barriers (longer, twistier routes), put the
// doors further away and hide the icon spots in dead ends.
#include "assetgen/world_palettes.h"
#include "assetgen/world_scenery.h"
#include "world/land_file_format.h"

namespace assetgen {

inline constexpr int kLandColumns = 100;  // 3200 pixels
inline constexpr int kLandRows = 75;      // 2400 pixels

// The level of a land on difficulty 1, 2 or 3 (the same bytes on every run).
world::lnd::LandFileData MakeLandLevel(Place land, int difficulty, const LandArt& art);

}  // namespace assetgen
