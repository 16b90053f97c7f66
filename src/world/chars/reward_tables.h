#pragma once
// The six reward animations shown when a lock opens: the freed member
// dancing with the pup. Each has its bitmap (".\Graphics\Chars\reward<n>.bmp",
// black keyed, drawn with its own palette on a cleared screen), the frame
// rectangles on it (frame 0 empty) and six per-step tables.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"
#include "world/chars/sheet.h"

namespace world::chars {

inline constexpr int kRewardCount = 6;
inline constexpr std::array<int, kRewardCount> kRewardSteps{53, 60, 41, 47, 58, 59};

struct RewardTables {
    std::string file;
    int width = 0, height = 0;             // of the bitmap
    std::vector<SheetFrame> frames;        // [0] empty; poses for the generator
    std::vector<int16_t> xA, xB, yA, yB;   // per step, screen pixels
    std::vector<uint16_t> frameA, frameB;  // per step, 0 for nothing
    int Steps() const { return static_cast<int>(frameA.size()); }
};

// Reward 1..6 (land index + 1); anything else gives reward 1.
RewardTables MakeRewardTables(int reward);

}  // namespace world::chars
