#pragma once
// The options menu's pictures and the shapes they share. Every picture uses
// the menu palette; sprites are keyed on pure green.
#include <string>
#include <vector>

#include "assetgen/art_canvas.h"

namespace assetgen::menus {

struct MenuPicture {
    std::string name;  // file name inside the menu folder
    Picture picture;
    bool keyed;        // a sprite drawn over a page (green is see-through)
};

std::vector<MenuPicture> DrawMenuScreens();  // lists, load, save, volume, confirmations
std::vector<MenuPicture> DrawHelpPages();    // the six help pages
std::vector<MenuPicture> DrawMenuSprites();  // markers, knob, empty mark, buttons
std::vector<MenuPicture> DrawAllMenuPictures();

// Shared shapes.
void RoundRect(Picture& pic, int x, int y, int w, int h, int r, uint8_t c);
// A paper board with a darker rim and a soft shadow below it.
void Board(Picture& pic, int x, int y, int w, int h, int r = 18);
// The sky every page starts from, with faint notes scattered over it.
void Backdrop(Picture& pic, uint32_t seed);
// A quaver (eighth note) whose head is centred at (x, y).
void Note(Picture& pic, int x, int y, int size, uint8_t c);
// A keyboard key with a label (words, or "<", ">", "^", "v" for arrows).
void KeyCap(Picture& pic, int x, int y, int w, int h, const std::string& label, int cell);
// A filled arrow head pointing in direction dir (0 up, 1 right, 2 down, 3 left).
void ArrowHead(Picture& pic, int cx, int cy, int size, int dir, uint8_t c);

// Help-page buttons: kind 0 left arrow, 1 cancel, 2 right arrow. Lit is the
// highlighted sprite; unlit is the place on the page it covers exactly.
void HelpButton(Picture& pic, int x, int y, int kind, bool lit);

// Small pictures that stand beside words for children who cannot read yet.
enum class Sign { Play, Load, Save, Volume, Help, Credits, Quit, Home, Yes, No, Music, Disc, Back };
void DrawSign(Picture& pic, Sign sign, int cx, int cy, int size);

// The pup from the character art, standing at the bottom middle of the box
// (x, y, w, h); a box taller than 90 pixels draws it larger.
void DrawPup(Picture& pic, int x, int y, int w, int h, int facing, int action, int phase, int variant = 0);
// A band member (0..5) playing, freed or humming.
void DrawMusician(Picture& pic, int x, int y, int w, int h, int member, int action, int phase);

}  // namespace assetgen::menus
