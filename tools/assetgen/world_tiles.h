#pragma once
// Land tile sets: 32 x 32 tiles of three terrains (ground, path and a land
// feature such as heather or water) that join seamlessly. A tile is chosen by
// the terrains at its four corners; ground meets path or feature, never path
// meets feature directly.
#include <cstdint>

#include "assetgen/art_canvas.h"
#include "assetgen/world_palettes.h"

namespace assetgen {

inline constexpr int kTileSize = 32;
inline constexpr int kTilesPerRow = 8;

enum class Terrain : uint8_t { Ground = 0, Path = 1, Feature = 2 };

// Tile numbers: 0..3 plain ground; 4..17 ground/path corner masks 1..14;
// 18..21 plain path; 22..35 ground/feature masks 1..14; 36..39 plain feature.
// Mask bits: 1 top-left, 2 top-right, 4 bottom-left, 8 bottom-right corner is
// the other terrain.
inline constexpr int kTileCount = 40;
int TileNumber(Terrain other, int mask, int variant);

// The tile-set bitmap of a land (kTilesPerRow x 5 tiles).
Picture LandTileSet(Place land);

}  // namespace assetgen
