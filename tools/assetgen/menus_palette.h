#pragma once
// The one palette of every menu picture: the common block of the world's
// palette plan (so characters and icons drawn for the world look the same
// here) plus the menu's own sky gradient and paper ramp.
#include <cstdint>

#include "world/palette_plan.h"

namespace assetgen::menus {

using world::palette_plan::Common;
using world::palette_plan::Ramp;

// Own entries in the place block.
inline constexpr int kSkyFirst = 114, kSkyCount = 32;   // top to bottom of a page
inline constexpr int kPaperFirst = 146;                 // 8 shades, dark edge to cream
constexpr uint8_t Sky(int step) { return uint8_t(kSkyFirst + (step < 0 ? 0 : step >= kSkyCount ? kSkyCount - 1 : step)); }
constexpr uint8_t Paper(int shade) { return uint8_t(kPaperFirst + (shade < 0 ? 0 : shade > 7 ? 7 : shade)); }

// The colours the pictures are drawn in.
inline constexpr uint8_t kKey = uint8_t(world::palette_plan::kGreenKey);
inline constexpr uint8_t kInk = Common(Ramp::Blue, 0);       // words
inline constexpr uint8_t kTitleInk = Common(Ramp::Red, 2);   // page titles
inline constexpr uint8_t kEdge = Common(Ramp::Grey, 0);      // outlines (never pure black)
inline constexpr uint8_t kMarkRed = Common(Ramp::Red, 3);
inline constexpr uint8_t kMarkDark = Common(Ramp::Red, 1);
inline constexpr uint8_t kMarkLight = Common(Ramp::Red, 5);

const world::palette_plan::Palette& MenuPalette();

}  // namespace assetgen::menus
