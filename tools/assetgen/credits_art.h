#pragma once
// The credits' pictures: the figure sheets drawn from their tables, the
// background, the captions, the closing picture and the logos. All share one
// palette (the credits load it from the background); white is the key.
#include <string>

#include "assetgen/art_canvas.h"
#include "world/chars/credits_tables.h"
#include "world/palette_plan.h"

namespace assetgen::credits {

using world::chars::CreditsPage;

// The common colours plus the credits' own wall shades in the place block.
world::palette_plan::Palette CreditsPalette();

// One cell of a figure sheet drawn into its rectangle of pic (which must be
// white there); false for a task this generator does not know.
bool DrawCreditCell(Picture& pic, const world::chars::SheetFrame& cell);
// A whole sheet: white everywhere, every cell drawn.
Picture DrawCreditsSheet(const CreditsPage& page, int* failures = nullptr);

Picture DrawBackground();
// Caption 0..8 (world::chars::CreditCaption), at its place's size.
Picture DrawCaption(int caption);
Picture DrawClosingPicture();
// Logo 1..5.
Picture DrawLogo(int logo);

// Text in capitals: letters, digits and a little punctuation; each font
// pixel is cell x cell. Returns the width the text takes.
int TextWidth(const std::string& text, int cell);
void DrawText(Picture& pic, const std::string& text, int x, int y, int cell, uint8_t colour);
// Centred on cx, with a one-font-pixel shadow of colour shadow below right.
void DrawTextCentred(Picture& pic, const std::string& text, int cx, int y, int cell, uint8_t colour, uint8_t shadow);

}  // namespace assetgen::credits
