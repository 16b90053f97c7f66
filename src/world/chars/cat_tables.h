#pragma once
// The roaming cat's sheets: ".\Graphics\chars\sourpuss.bmp" and, in the
// wetland, the balloon variant ".\Graphics\chars\blooncat.bmp" (59 frames).
// The body is the main part and the head the overlay, so the head can turn:
// overlay step 0..4 looks from the cat's left round to its right, step 2
// straight ahead. Offsets place the standing point on the cat's position.
//
// Sequence indices:
//   0..7    walk main by direction index (see dog_tables.h), five steps
//           (four in the balloon variant)
//   8..15   walk overlay by direction
//   16..23  stand main by direction (one step)
//   24..31  stand overlay by direction: the head turn, five steps; the
//           balloon variant has one (24) that every stand pair uses
//   then    scuffle main and overlay (a dust cloud with paws, five steps),
//           scuffle-end main and overlay, and (ordinary cat) the one-shot
//           pairs: licking a paw, arching and hissing
#include <cstdint>
#include <vector>

#include "world/chars/sheet.h"

namespace world::chars {

enum class CatLayout { Ordinary, Balloon };

inline constexpr int kBalloonCatFrames = 59;
inline constexpr int kCatHeadSteps = 5;
inline constexpr int kCatHeadStraight = 2;

struct CatPair {
    int16_t main = 0, overlay = 0;
};

struct CatRoles {
    CatPair walk[8], stand[8];
    CatPair scuffle, scuffleEnd;
    std::vector<CatPair> oneShots;
};

struct CatTables {
    CharacterSheet sheet;
    CatRoles roles;
};

CatTables MakeCatTables(CatLayout layout);

}  // namespace world::chars
