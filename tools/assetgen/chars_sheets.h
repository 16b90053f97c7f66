#pragma once
// Every character sheet the game loads, drawn from its table.
#include <string>
#include <vector>

#include "assetgen/art_canvas.h"
#include "world/chars/sheet.h"

namespace assetgen::chars {

struct SheetToDraw {
    world::chars::CharacterSheet sheet;   // rewards: frames only, no sequences
    uint8_t key = 1;                      // background: green, or black for rewards
    bool ownPalette = false;              // shown with its own palette (rewards)
};

// The dog (ordinary and jet), the cat (ordinary and balloon), the den band,
// the six captives and the six rewards.
std::vector<SheetToDraw> AllCharacterSheets();

// The picture of a sheet: the key colour everywhere, each frame drawn inside
// its rectangle. Frames whose figure is unknown are reported in *failures.
Picture DrawSheet(const world::chars::CharacterSheet& sheet, uint8_t key, int* failures = nullptr);

// ".\Graphics\chars\dog.bmp" -> "graphics/chars/dog.bmp" (the game finds
// names in any letter case).
std::string DataPath(const std::string& gameName);

}  // namespace assetgen::chars
