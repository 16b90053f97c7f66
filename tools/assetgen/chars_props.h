#pragma once
// Flat prop and effect pictures of the character sheets.
#include "assetgen/art_canvas.h"
#include "assetgen/chars_render.h"
#include "world/chars/sheet.h"

namespace assetgen::chars {

// Draws a prop frame (figures from kFigDust on); false for other figures.
bool DrawProp(Picture& pic, const world::chars::SheetFrame& frame, uint8_t key);

}  // namespace assetgen::chars
