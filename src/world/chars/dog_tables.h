#pragma once
// The pup's sheets: ".\Graphics\chars\mangopup.bmp" (194 frames, 100
// sequences) and, in the wetland, ".\Graphics\chars\jetdog.bmp" (245 frames,
// 101 sequences), with the pair of sequences that serves each role.
//
// Offsets place a frame's standing point on the dog's position (its feet).
// Direction index d: 0 up, 1 up-right, 2 right, 3 down-right, 4 down,
// 5 down-left, 6 left, 7 up-left (DirectionIndex turns direction bits into it).
//
// Sequence indices, the same in both layouts:
//   0..7    walk main by d: 18 steps, two strides of nine
//   8..15   stop main by d        16..23  stand main by d (one step)
//   24..31  turn main by d (one turn step towards down)
//   32      empty overlay (one step of frame 0)
//   33..40  walk overlay by d (dust; spray in the jet layout)
//   41..48  stop overlay by d
//   49..51  rest main of postures 1..3; 49 is frame 108 at (-15, -48)
//   52, 53  behaviour 3 (bark) main, postures 1 and 2; 54, 55 their overlays
//   56, 57  behaviour 4 (pant) main, postures 2 and 3; 58, 59 their overlays
//   60      behaviour 5 (look left)    61  behaviour 6 (look right)
//   62, 63  behaviour 7 (roll over) main and overlay
//   64, 65  behaviour 8 (beg) main and overlay
//   66, 67  behaviour 17 (sniff about) main and overlay
//   68, 69  falling asleep      70, 71  asleep      72, 73  getting up
//   74..77  dances 1..4 main    78..81  their overlays
//   82, 83  door    84, 85  arrival    86, 87  hole    88, 89  emerge
//   90, 91  lever and button push main; 92, 93 their overlays
//   94, 95  busy (scuffle) main and overlay
//   96      carry: pick-up (9 steps; steps 0..6 show the bundle where it
//           lies); putting down runs it backwards from its last step
//   97      carry: hold
//   98, 99  shake (a spare one-shot, not used by the behaviour rules)
//   100     jet layout only: the ripple overlay of the stand pairs
#include <cstdint>

#include "world/chars/sheet.h"

namespace world::chars {

enum class DogLayout { Ordinary, Jet };

inline constexpr int kDogFrames = 194;
inline constexpr int kJetDogFrames = 245;
inline constexpr int kDogSequences = 100;
inline constexpr int kJetDogSequences = 101;

// 0..7 for the direction bits 1, 5, 4, 6, 2, 10, 8, 9; -1 for anything else.
int DirectionIndex(int directionBits);
// The direction bits of an index (0..7); 2 (down) for anything else.
int DirectionBits(int index);

struct DogPair {
    int16_t main = 0, overlay = 0;
};

struct DogRoles {
    DogPair walk[8], stop[8], stand[8], turn[8];
    DogPair rest[3];       // postures 1, 2, 3
    DogPair bark[2];       // behaviour 3: postures 1, 2
    DogPair pant[2];       // behaviour 4: postures 2, 3
    DogPair lookLeft, lookRight, rollOver, beg, sniff;  // behaviours 5, 6, 7, 8, 17
    DogPair fallAsleep, asleep, getUp;
    DogPair dance[4];
    DogPair door, arrive, hole, emerge, lever, button, busy, shake;
    int16_t pickUp = 0, hold = 0;   // carry sequences; putting down = pickUp backwards
};

struct DogTables {
    CharacterSheet sheet;
    DogRoles roles;
};

// Built on each call; the result is plain data the caller keeps.
DogTables MakeDogTables(DogLayout layout);

// Frames of the carry sequence before this step show the bundle where it
// lies (the drop point), from it on at the dog.
inline constexpr int kCarryInMouthStep = 7;

}  // namespace world::chars
