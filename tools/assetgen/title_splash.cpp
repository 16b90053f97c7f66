// splash.bmp: the band picture, then each animation cell cut from the band
// picture redrawn with its member at that frame, at the very place the
// title shows it; and a row of little floating notes.
#include <map>
#include <utility>

#include "assetgen/title_art.h"
#include "assetgen/title_letters.h"
#include "world/chars/title_tables.h"

namespace assetgen::title {
namespace {

using world::chars::BandAnimation;
using world::palette_plan::Common;
using world::palette_plan::Ramp;

// The rectangle (x, y, w, h) of pic, keyed where it passes the edges.
Picture CutKeyed(const Picture& pic, int x, int y, int w, int h) {
    Picture out(w, h, kGreenKey);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (pic.Inside(x + i, y + j)) out.Plot(i, j, pic.At(x + i, y + j));
    return out;
}

// Little notes, one or a pair a cell, in the colours of the lettering.
Picture Notes(int index, int w, int h) {
    constexpr Ramp kInks[6] = {Ramp::Yellow, Ramp::Pink, Ramp::Sky, Ramp::Leaf, Ramp::Orange, Ramp::Purple};
    Picture p(w, h, kGreenKey);
    if (w > h + 8) {
        // A wide cell: two notes at different heights.
        DrawQuaver(p, 4, 2 + index % 3 * 3, h / 2 + 2, h - 10, kInks[index % 6]);
        DrawQuaver(p, w / 2 + 4, 10 - index % 3 * 3, h / 2 + 2, h - 12, kInks[(index + 3) % 6]);
    } else {
        DrawQuaver(p, 0, 0, w, h, kInks[index % 6]);
    }
    return p;
}

// Rays and sparks of the cymbal's crash round its rim, growing and fading
// over the cells; (cx, cy) is the cymbal in the cell.
Picture Crash(int frame, int w, int h, int cx, int cy) {
    Picture p(w, h, kGreenKey);
    constexpr int kLength[4] = {8, 13, 10, 6};
    frame %= 4;
    const uint8_t ray = Common(Ramp::Yellow, 6), spark = Common(Ramp::Grey, 7);
    for (int i = 0; i < 5; ++i) {
        const int turn = 1 + i * 5 + (frame % 2) * 2;  // right round to straight up, in 64ths
        const int inner = 14, outer = inner + kLength[frame] - (i % 2) * 3;
        p.Line(cx + Cosine64(turn) * inner / 256, cy - Sine64(turn) * inner / 512,
               cx + Cosine64(turn) * outer / 256, cy - Sine64(turn) * outer / 512 - (outer - inner) / 2, ray, 2);
    }
    p.FillEllipse(cx - 14 + frame * 3, 4 + frame % 2 * 3, 1, 1, spark);
    p.FillEllipse(cx + 10 - frame * 2, 6 + (frame + 1) % 2 * 4, 1, 1, spark);
    return p;
}

}  // namespace

Picture DrawSplash() {
    const auto& t = world::chars::GetTitleTables();
    Picture pic(t.splashWidth, t.splashHeight, kGreenKey);
    pic.Draw(DrawBandStage({0, 0, 0, 0, 0, 0}), 0, 0, -1);

    std::map<std::pair<int, int>, Picture> stages;  // (member, frame)
    for (const BandAnimation& a : world::chars::BandAnimations()) {
        for (int f = 0; f < a.count; ++f) {
            const platform::RECT& r = t.splashCells[static_cast<size_t>(world::chars::BandCell(a, f))];
            const int w = r.right - r.left, h = r.bottom - r.top;
            if (a.member == world::chars::kNotesMember) {
                pic.Draw(Notes(f, w, h), r.left, r.top, -1);
                continue;
            }
            if (a.member == world::chars::kCrashMember) {
                const Point c = CymbalOnStage();
                pic.Draw(Crash(f, w, h, kStageLeft + c.x - a.x, kStageTop + c.y - a.y), r.left, r.top, -1);
                continue;
            }
            auto found = stages.find({a.member, f});
            if (found == stages.end()) {
                std::array<int, 6> frames{};
                frames[static_cast<size_t>(a.member)] = f;
                found = stages.emplace(std::make_pair(a.member, f), DrawBandStage(frames)).first;
            }
            pic.Draw(CutKeyed(found->second, a.x - kStageLeft, a.y - kStageTop, w, h), r.left, r.top, -1);
        }
    }
    return pic;
}

}  // namespace assetgen::title
