#pragma once
// The six captive band members of the lock rooms, by land index: a grid of
// equal cells over the bitmap followed by one or two smaller cells (the
// second-part pictures), and twelve sequences (body and second part of idle
// A, idle B, hum from A, hum from B, freeing, freed). Offsets place the
// member's feet on its position.
#include <array>
#include <cstdint>

#include "world/chars/sheet.h"

namespace world::chars {

inline constexpr int kCaptiveCount = 6;

// Sequence indices: body = 2 * pair, second part = 2 * pair + 1.
enum CaptivePair : int {
    kIdleA = 0,
    kIdleB = 1,
    kHumA = 2,
    kHumB = 3,
    kFreeing = 4,
    kFreed = 5,
};

struct CaptiveLayout {
    const char* file;
    int records;        // frame records including the empty one
    int cellW, cellH, perRow, cells;
    int smallCount;     // one or two smaller cells after the grid
    int humA, humB, freeing;   // entry counts
};

inline constexpr std::array<CaptiveLayout, kCaptiveCount> kCaptiveLayouts{{
    {".\\Graphics\\chars\\bullseye.bmp", 14, 80, 120, 5, 12, 1, 4, 4, 16},
    {".\\Graphics\\chars\\scratch.bmp", 17, 84, 128, 5, 14, 2, 4, 5, 23},
    {".\\Graphics\\chars\\alien.bmp", 13, 76, 116, 4, 10, 2, 3, 3, 18},
    {".\\Graphics\\chars\\fifi.bmp", 15, 80, 124, 5, 12, 2, 4, 4, 20},
    {".\\Graphics\\chars\\chilledog.bmp", 16, 82, 122, 5, 14, 1, 4, 4, 31},
    {".\\Graphics\\chars\\icedog.bmp", 12, 80, 120, 4, 10, 1, 4, 4, 21},
}};

// The den band member (see band_tables.h) each land's captive becomes.
inline constexpr std::array<int, kCaptiveCount> kCaptiveBandMember{2, 4, 0, 5, 1, 3};

// Land index 0..5; anything else gives land 0's.
CharacterSheet MakeCaptiveSheet(int land);

}  // namespace world::chars
