#pragma once
// The menus' lettering: a rounded hand-drawn style font on a grid of cells.
// Each glyph is a few dots on the grid; neighbouring dots are joined by
// thick round strokes, so letters come out as smooth felt-pen lines at any
// cell size. Capitals and digits are 7 cells high; lower case adds two
// cells below the line for descenders.
#include <cstdint>
#include <string>

#include "assetgen/art_canvas.h"

namespace assetgen::menus {

inline constexpr int kCapRows = 7;

// Width in pixels of text at a cell size (letters are proportional).
int TextWidth(const std::string& text, int cell);
// Draws text with row 0 of its capitals at y. `extra` widens every stroke by
// that many pixels (a halo drawn before the letters themselves).
void DrawText(Picture& pic, const std::string& text, int x, int y, int cell, uint8_t colour, int extra = 0);
// Text centred on (cx, cy), cy being the middle of the capitals, drawn in
// ink over a halo of `halo` pixels (none when halo is 0).
void DrawCentred(Picture& pic, const std::string& text, int cx, int cy, int cell, uint8_t ink, int halo = 0,
                 uint8_t haloColour = 0);
// True when every character of text has a glyph.
bool CanWrite(const std::string& text);

}  // namespace assetgen::menus
