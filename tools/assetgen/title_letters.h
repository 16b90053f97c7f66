#pragma once
// Chunky outlined letters for the title, scaled from the menus' rounded
// font to any box, so each letter can fill the cell it is cut into.
#include <cstdint>

#include "assetgen/art_canvas.h"
#include "world/palette_plan.h"

namespace assetgen::title {

// Draws letter c filling the box (x, y, w, h) in shades of ramp, lighter at
// the top, with an outline of `outline` pixels (inside the box).
void DrawBigLetter(Picture& pic, char c, int x, int y, int w, int h, world::palette_plan::Ramp ramp,
                   int outline = 2);
// A small quaver in the box, in shades of ramp, outlined.
void DrawQuaver(Picture& pic, int x, int y, int w, int h, world::palette_plan::Ramp ramp);

}  // namespace assetgen::title
