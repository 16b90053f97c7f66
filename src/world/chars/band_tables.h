#pragma once
// The den band's sheet ".\Graphics\chars\band.bmp": 68 frames and the
// musicians' sequences. The members are drawn at (0, 0), so every offset is
// a den position. Members 0 and 4 are single sprites (one sequence per
// choice); members 1, 2, 3 and 5 are two-part (a main and a second sequence
// per choice: the player and the moving part of the instrument).
//
// Member roles, matching the instruments waiting in the den: 0 drums,
// 1 guitar, 2 saxophone, 3 keyboard, 4 trumpet, 5 double bass.
#include <array>
#include <cstdint>
#include <vector>

#include "world/chars/sheet.h"

namespace world::chars {

inline constexpr int kBandFrames = 68;
inline constexpr int kBandMembers = 6;
// How many animations each member chooses from on a change.
inline constexpr std::array<int, kBandMembers> kBandChoices{2, 3, 3, 1, 6, 3};
inline constexpr std::array<bool, kBandMembers> kBandTwoPart{false, true, true, true, false, true};

struct BandChoice {
    int16_t main = 0;
    int16_t second = -1;  // -1 for the single members
};

struct BandTables {
    CharacterSheet sheet;
    std::array<std::vector<BandChoice>, kBandMembers> choices;
    std::array<int, kBandMembers> placeX{}, placeY{};   // where each stands in the den
};

BandTables MakeBandTables();

}  // namespace world::chars
