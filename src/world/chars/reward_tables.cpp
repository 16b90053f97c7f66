#include "world/chars/reward_tables.h"

#include <algorithm>

#include "world/chars/captive_tables.h"
#include "world/chars/poses.h"

namespace world::chars {
namespace {

using platform::RECT;

const std::vector<std::vector<RECT>> kRects = {
    {{0, 0, 84, 157}, {84, 0, 191, 140}, {191, 0, 283, 132}, {283, 0, 364, 130}, {0, 157, 106, 286},
     {106, 157, 207, 284}, {207, 157, 301, 276}},
    {{0, 0, 196, 149}, {196, 0, 274, 147}, {274, 0, 351, 144}, {351, 0, 501, 144}, {501, 0, 578, 143},
     {0, 149, 95, 291}, {95, 149, 192, 290}, {192, 149, 270, 283}, {270, 149, 355, 283}, {355, 149, 427, 280},
     {427, 149, 508, 280}, {0, 291, 118, 420}, {118, 291, 239, 404}},
    {{0, 0, 156, 160}, {156, 0, 312, 160}, {312, 0, 474, 158}, {0, 160, 84, 317}, {84, 160, 158, 280},
     {158, 160, 236, 280}, {236, 160, 308, 279}, {308, 160, 381, 279}},
    {{0, 0, 147, 173}, {147, 0, 299, 172}, {299, 0, 422, 170}, {0, 173, 194, 340}, {194, 173, 365, 339}},
    {{0, 0, 159, 170}, {159, 0, 245, 170}, {245, 0, 331, 170}, {331, 0, 496, 169}, {0, 170, 161, 338},
     {161, 170, 295, 338}, {295, 170, 457, 338}, {457, 170, 600, 337}, {0, 338, 160, 505}, {160, 338, 311, 504},
     {311, 338, 420, 495}, {420, 338, 516, 493}, {516, 338, 622, 487}},
    {{0, 0, 90, 179}, {90, 0, 190, 170}, {190, 0, 260, 167}, {260, 0, 330, 166}, {330, 0, 401, 164},
     {401, 0, 479, 147}, {479, 0, 556, 144}, {0, 179, 77, 322}, {77, 179, 174, 320}, {174, 179, 292, 308},
     {292, 179, 413, 292}, {413, 179, 534, 276}},
};

// Which frames show the band member (A); the rest show the pup (B). In
// reward 4 every frame shows both together and B is never used.
const std::vector<std::vector<int>> kMemberFrames = {
    {1, 2, 3, 4}, {1, 2, 3, 4, 5, 12, 13}, {1, 2, 3}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7},
};

}  // namespace

RewardTables MakeRewardTables(int reward) {
    if (reward < 1 || reward > kRewardCount) reward = 1;
    const int n = reward - 1;
    const int land = n;
    RewardTables t;
    t.file = ".\\Graphics\\Chars\\reward" + std::to_string(reward) + ".bmp";
    t.frames.push_back({});
    std::vector<uint16_t> member, pup;
    const std::vector<int>& memberFrames = kMemberFrames[static_cast<size_t>(n)];
    for (size_t i = 0; i < kRects[static_cast<size_t>(n)].size(); ++i) {
        const RECT& r = kRects[static_cast<size_t>(n)][i];
        const int number = static_cast<int>(i) + 1;
        const bool isMember = std::find(memberFrames.begin(), memberFrames.end(), number) != memberFrames.end();
        SheetFrame f;
        f.rect = r;
        f.anchorX = static_cast<int16_t>((r.right - r.left) / 2);
        f.anchorY = static_cast<int16_t>(r.bottom - r.top - 4);
        f.pose.figure = reward == 4 ? kFigRewardDuo : isMember ? kFigMusician : kFigDog;
        f.pose.action = isMember || reward == 4 ? kActFreed : kActDance;
        f.pose.variant = static_cast<uint8_t>(isMember || reward == 4 ? kCaptiveBandMember[static_cast<size_t>(land)] : 0);
        f.pose.phase = static_cast<int8_t>(isMember || reward == 4 ? member.size() : pup.size());
        t.frames.push_back(f);
        (isMember || reward == 4 ? member : pup).push_back(static_cast<uint16_t>(number));
        t.width = std::max<int>(t.width, r.right);
        t.height = std::max<int>(t.height, r.bottom);
    }
    t.width = (t.width + 3) & ~3;

    // The two dance across the screen side by side: they come in from the
    // left, hop in the middle and bow before the end. Positions keep every
    // frame inside the 640 x 480 screen; a frame's standing point (its
    // bottom centre) follows the path.
    const int steps = kRewardSteps[static_cast<size_t>(n)];
    for (int s = 0; s < steps; ++s) {
        const int hop = (s % 4 == 1 || s % 4 == 2) ? 12 : 0;
        const int groundY = 420;
        const int cx = 200 + (240 * s) / std::max(1, steps - 1);
        const uint16_t a = member[static_cast<size_t>(s) % member.size()];
        const SheetFrame& fa = t.frames[a];
        int ax = cx - fa.anchorX, ay = groundY - hop - fa.anchorY;
        ax = std::clamp(ax, 0, 640 - fa.Width());
        ay = std::clamp(ay, 0, 480 - fa.Height());
        t.frameA.push_back(a);
        t.xA.push_back(static_cast<int16_t>(ax));
        t.yA.push_back(static_cast<int16_t>(ay));
        if (reward == 4 || pup.empty()) {
            t.frameB.push_back(0);
            t.xB.push_back(0);
            t.yB.push_back(0);
            continue;
        }
        const uint16_t bFrame = pup[static_cast<size_t>(s + 1) % pup.size()];
        const SheetFrame& fb = t.frames[bFrame];
        const int bhop = (s % 4 == 0 || s % 4 == 3) ? 10 : 0;
        int by = groundY + 8 - bhop - fb.anchorY;
        // The pup dances on the member's left, or on its right once the
        // member has crossed the middle, never overlapping it.
        int bx = cx > 320 ? ax + fa.Width() + 6 : ax - fb.Width() - 6;
        bx = std::clamp(bx, 0, 640 - fb.Width());
        by = std::clamp(by, 0, 480 - fb.Height());
        t.frameB.push_back(bFrame);
        t.xB.push_back(static_cast<int16_t>(bx));
        t.yB.push_back(static_cast<int16_t>(by));
    }
    return t;
}

}  // namespace world::chars
