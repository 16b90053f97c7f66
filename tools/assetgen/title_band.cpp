// The band on its stage: a curtained backdrop, a plank floor with
// footlights and the six den members, drawn as on their own sheet.
#include <algorithm>
#include <cstdlib>

#include "assetgen/chars_figures.h"
#include "assetgen/title_art.h"
#include "world/chars/poses.h"
#include "world/chars/title_tables.h"

namespace assetgen::title {
namespace {

using world::palette_plan::Common;
using world::palette_plan::Ramp;

constexpr int kFloorTop = 170, kFeetY = 198, kCorner = 22;
// Member m stands centred on kFirstX + m * kSpacing, about as in the den.
constexpr int kFirstX = 40, kSpacing = 71;
// The frame height sets the members' size: (height - 8) / 80 of the den's.
constexpr int kFrameHeight = 120;
// The playing poses shown, chosen so that each differs well from the next
// (arms, head and lean) while the legs stand still: odd poses only, which
// all hold the body at one height.
constexpr int8_t kPhases[8] = {3, 11, 23, 25, 57, 49, 47, 35};

// Inside the stage's rounded outline (the corners stay keyed).
bool OnStage(int x, int y) {
    const int cx = x < kCorner ? kCorner : x >= kStageWidth - kCorner ? kStageWidth - 1 - kCorner : x;
    const int cy = y < kCorner ? kCorner : y;
    const int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= kCorner * kCorner;
}

void Backcloth(Picture& pic) {
    for (int y = 0; y < kFloorTop; ++y)
        for (int x = 0; x < kStageWidth; ++x) {
            if (!OnStage(x, y)) continue;
            int step = y * (kBackdropCount - 6) / kFloorTop;
            // Soft folds of the cloth, and a pool of light behind each player.
            step += Sine64(x * 64 / 36) > 120 ? 1 : 0;
            const int nearest = (x - kFirstX + kSpacing / 2) % kSpacing - kSpacing / 2;
            if (std::abs(nearest) * 3 < y - 20) step += 4;
            pic.Plot(x, y, Backdrop(step));
        }
    // Red drapes at the sides and a scalloped pelmet over the top.
    for (int side = 0; side < 2; ++side)
        for (int y = 0; y < kFloorTop; ++y) {
            const int width = 16 + y * y / 3000;
            for (int i = 0; i < width; ++i) {
                const int x = side ? kStageWidth - 1 - i : i;
                if (!OnStage(x, y)) continue;
                const int fold = Sine64((i + side * 3) * 64 / 9);
                pic.Plot(x, y, Common(Ramp::Red, fold > 0 ? 3 : fold > -150 ? 2 : 1));
            }
        }
    for (int x = 0; x < kStageWidth; ++x) {
        const int scallop = 12 + (Sine64((x % 36) * 32 / 36) * 8) / 256;
        for (int y = 0; y < scallop; ++y)
            if (OnStage(x, y)) pic.Plot(x, y, Common(Ramp::Red, y + 2 >= scallop ? 1 : y < 3 ? 4 : 3));
    }
    for (int x = 0; x < kStageWidth; x += 36) pic.FillEllipse(x + 18, 17, 2, 2, Common(Ramp::Gold, 5));
}

void Floor(Picture& pic) {
    for (int y = kFloorTop; y < kStageHeight; ++y)
        for (int x = 0; x < kStageWidth; ++x) {
            if (!OnStage(x, y)) continue;
            // Planks running towards the audience, lit in the middle.
            const int plank = ((x - kStageWidth / 2) * 40) / (y - 120);
            const bool seam = plank % 9 == 0;
            const int shade = 5 - std::abs(x - kStageWidth / 2) / 90 - (seam ? 2 : 0);
            pic.Plot(x, y, Common(Ramp::Brown, shade));
        }
    pic.FillRect(0, kFloorTop, kStageWidth, 2, Common(Ramp::Brown, 2));
    // The front edge of the stage and its footlights.
    for (int y = kStageHeight - 10; y < kStageHeight; ++y)
        for (int x = 0; x < kStageWidth; ++x)
            if (OnStage(x, y)) pic.Plot(x, y, Common(Ramp::Brown, y < kStageHeight - 8 ? 6 : 1));
    for (int x = 30; x < kStageWidth - 20; x += 53) {
        pic.FillEllipse(x, kStageHeight - 6, 6, 3, Common(Ramp::Yellow, 6));
        pic.FillEllipse(x, kStageHeight - 6, 3, 1, Common(Ramp::Grey, 7));
    }
}

}  // namespace

Point CymbalOnStage() {
    // Where the drum kit hangs its cymbal beside the player, scaled.
    const double scale = (kFrameHeight - 8) / 80.0;
    return {kFirstX + static_cast<int>(18 * scale), kFeetY - static_cast<int>(40 * scale)};
}

namespace {

Picture DrawStageAsIs(const std::array<int, 6>& frames);

// Where member m may change from its first frame: the part of the stage
// that every one of its animation cells covers (stage coordinates).
platform::RECT MovingPart(int member) {
    platform::RECT r{0, 0, kStageWidth, kStageHeight};
    for (const world::chars::BandAnimation& a : world::chars::BandAnimations()) {
        if (a.member != member) continue;
        const world::chars::SplashRow& row = world::chars::kSplashRows[static_cast<size_t>(a.row)];
        r.left = std::max<int32_t>(r.left, a.x - kStageLeft);
        r.top = std::max<int32_t>(r.top, a.y - kStageTop);
        r.right = std::min<int32_t>(r.right, a.x - kStageLeft + row.cellWidth);
        r.bottom = std::min<int32_t>(r.bottom, a.y - kStageTop + row.height);
    }
    return r;
}

}  // namespace

// The band with each member at its frame; a member's playing shows only
// inside its animation cells, so the title, which redraws just those cells,
// shows exactly this picture.
Picture DrawBandStage(const std::array<int, 6>& frames) {
    Picture pic = DrawStageAsIs({0, 0, 0, 0, 0, 0});
    const Picture moved = DrawStageAsIs(frames);
    for (int m = 0; m < 6; ++m) {
        if (frames[static_cast<size_t>(m)] == 0) continue;
        const platform::RECT r = MovingPart(m);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pic.Plot(x, y, moved.At(x, y));
    }
    return pic;
}

namespace {

Picture DrawStageAsIs(const std::array<int, 6>& frames) {
    Picture pic(kStageWidth, kStageHeight, kGreenKey);
    Backcloth(pic);
    Floor(pic);
    // The members stand as in the den, larger; frame heights set the scale.
    for (int m = 0; m < 6; ++m) {
        world::chars::SheetFrame f;
        const int cx = kFirstX + kSpacing * m;
        f.rect = {cx - 48, kFeetY - kFrameHeight + 4, cx + 48, kFeetY + 4};
        f.anchorX = 48;
        f.anchorY = kFrameHeight - 4;
        f.pose.figure = world::chars::kFigMusician;
        f.pose.action = world::chars::kActPlay;
        f.pose.variant = static_cast<uint8_t>(m);
        f.pose.phase = kPhases[frames[static_cast<size_t>(m)] % 8];
        f.pose.tail = 1;  // with the instrument
        chars::DrawFrame(pic, f, kGreenKey);
    }
    return pic;
}

}  // namespace

}  // namespace assetgen::title
