#pragma once
// The palettes of the places: the common block of the palette plan plus each
// place's own scenery ramps in the place block.
//
// Place block layout: entries 114..118 are five "special" colours (in the
// wetland the cycled water), then 14 place ramps of 8 shades from entry 119.
#include <cstdint>

#include "world/palette_plan.h"

namespace assetgen {

enum class Place : int {
    Celtic = 0,
    Funland,
    Aussie,
    Jazzland,
    Eastern,
    Wetland,
    Subroom1,
    Subroom2,
    Subroom3,
    MainSub,
    Den,
};
inline constexpr int kPlaceCount = 11;
inline constexpr int kLandCount = 6;

// The place's own ramps (dark shade 0 .. light shade 7).
enum class PlaceRamp : int {
    Ground = 0,  // main ground
    Ground2,     // second ground (heather, sand, flower beds, water edge ...)
    Path,
    PathEdge,
    Wall,
    Foliage,
    Flower,
    Wood,
    Roof,
    Accent,
    Accent2,
    Water,       // still water (never cycled)
    Light,       // lamps, windows, glow
    Deep,        // shadows and night tones
};
inline constexpr int kPlaceRampCount = 14;
inline constexpr int kPlaceRampFirst = 119;

constexpr uint8_t Own(PlaceRamp ramp, int shade) {
    if (shade < 0) shade = 0;
    if (shade > 7) shade = 7;
    return static_cast<uint8_t>(kPlaceRampFirst + static_cast<int>(ramp) * 8 + shade);
}
// The five special entries 114..118 (the wetland's cycled water).
constexpr uint8_t Special(int i) { return static_cast<uint8_t>(world::palette_plan::kWaterFirst + ((i % 5) + 5) % 5); }

const world::palette_plan::Palette& PlacePalette(Place place);
const char* PlaceName(Place place);

}  // namespace assetgen
