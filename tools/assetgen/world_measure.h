#pragma once
// How hard a land is to find one's way in, measured on the level as the game
// loads it: dead ends of the maze, how far the icons lie from the arrival,
// and how much of the walkable ground leaves the dog more than half hidden
// behind scenery drawn in front of it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bot/walk_grid.h"
#include "world/land_file_format.h"

namespace assetgen {

// A picture named in the level: its size and one flag per pixel, 1 where it
// is opaque (not the colour key). False when it cannot be read.
struct OpaqueMask {
    int width = 0, height = 0;
    std::vector<uint8_t> opaque;  // top-down rows
};
using MaskOf = std::function<bool(const std::string& name, OpaqueMask* mask)>;

struct LevelMeasures {
    int deadEnds = 0;            // maze cells the dog can enter by one side only
    int meanIconDistance = 0;    // walked pixels from the arrival to an icon spot, averaged
    double hiddenShare = 0;      // of the sampled walkable positions, those more than half hidden
    int walkableSamples = 0;     // positions sampled for the hidden share
    int unreachedSpots = 0;      // icon spots the player bot's walk never comes within reach of
};

// The picture of the dog standing at its position, as a box around its feet.
inline constexpr int kDogBoxLeft = -18, kDogBoxTop = -44, kDogBoxRight = 18, kDogBoxBottom = 4;
// Side of the square maze cells of the lands.
inline constexpr int kMeasureCell = 200;

// Measures a land level (read by the land reader). Sprites are the placed
// images, the animation strips (first frame) and the actors the land reader
// builds with a picture.
// dog: the footprint of the dog that walks the land (the jet dog's in the wetland).
LevelMeasures MeasureLand(const world::lnd::LandFileData& data, const MaskOf& maskOf,
                          bot::Footprint dog = bot::kDogFootprint);

}  // namespace assetgen
