// MPupin.bmp: a little parade over the title. The pup sits up and sings at
// the left, notes bob away from it towards a drum and a guitar at the
// right; the pup trotting in is the piece shown when the title slides in.
#include "assetgen/chars_figures.h"
#include "assetgen/title_art.h"
#include "assetgen/title_letters.h"
#include "world/chars/poses.h"
#include "world/chars/title_tables.h"

namespace assetgen::title {
namespace {

using namespace world::chars;
using world::palette_plan::Common;
using world::palette_plan::Ramp;

void Pup(Picture& pic, const platform::RECT& r, const Pose& pose, int ax, int ay, double scale) {
    Picture own(r.right - r.left, r.bottom - r.top, kBlackKey);
    const platform::RECT local{0, 0, own.width(), own.height()};
    chars::PupFigure(pose, false).Render(own, local, ax, ay, pose.facing, scale, 0, kBlackKey);
    chars::OutlineRect(own, local, kBlackKey);
    pic.Draw(own, r.left, r.top, kBlackKey);
}

void Drum(Picture& pic, const platform::RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int cx = r.left + w / 2, top = r.top + h / 3, bottom = r.bottom - 6;
    const int rx = w / 2 - 3;
    pic.FillRect(cx - rx, top, 2 * rx + 1, bottom - top, Common(Ramp::Red, 3));
    pic.FillEllipse(cx, bottom, rx, 4, Common(Ramp::Red, 2));
    for (int i = -rx + 3; i < rx; i += 6) pic.Line(cx + i, top + 2, cx + i + 3, bottom - 1, Common(Ramp::Gold, 5), 1);
    pic.FillRect(cx - rx, bottom - 3, 2 * rx + 1, 3, Common(Ramp::Gold, 4));
    pic.FillEllipse(cx, top, rx, 5, Common(Ramp::Grey, 7));
    pic.FillRect(cx - rx, top + 3, 2 * rx + 1, 2, Common(Ramp::Gold, 4));
    // Two sticks crossed over the skin.
    pic.Line(cx - rx + 1, r.top + 2, cx + 4, top - 1, Common(Ramp::Brown, 5), 2);
    pic.Line(cx + rx - 1, r.top + 4, cx - 4, top - 1, Common(Ramp::Brown, 5), 2);
}

void Guitar(Picture& pic, const platform::RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int cx = r.left + w / 2;
    pic.Line(cx, r.top + 6, cx, r.top + h / 2, Common(Ramp::Brown, 2), 4);
    pic.FillRect(cx - 3, r.top + 2, 7, 7, Common(Ramp::Brown, 1));
    pic.ShadedEllipse(cx, r.bottom - 14, w / 2 - 2, 12, Ramp::Orange, 2, 6);
    pic.ShadedEllipse(cx, r.top + h / 2 + 4, w / 2 - 6, 9, Ramp::Orange, 2, 6);
    pic.FillEllipse(cx, r.top + h / 2 + 10, 4, 4, Common(Ramp::Brown, 0));
    pic.FillRect(cx - 5, r.bottom - 10, 11, 3, Common(Ramp::Brown, 1));
    pic.Line(cx, r.top + 8, cx, r.bottom - 9, Common(Ramp::Grey, 7), 1);
}

}  // namespace

Picture DrawMascot() {
    const auto& t = GetTitleTables();
    Picture pic(t.mascotWidth, t.mascotHeight, kBlackKey);
    const auto& cells = t.mascotCells;
    Pose sing;
    sing.figure = kFigDog;
    sing.action = kActBeg;
    sing.facing = 4;
    sing.tail = 2;
    sing.variant = kMouthOpen;
    Pup(pic, cells[1], sing, 16, 55, 1.3);
    Pose trot;
    trot.figure = kFigDog;
    trot.action = kActWalk;
    trot.facing = 2;
    trot.phase = 2;
    trot.tail = 2;
    trot.variant = kMouthOpen | kTongue;
    Pup(pic, cells[4], trot, 30, 34, 1.0);
    Drum(pic, cells[3]);
    Guitar(pic, cells[2]);
    // The notes between them, each in another colour.
    constexpr int kNoteCells[5] = {7, 5, 9, 8, 6};
    constexpr Ramp kNoteInks[5] = {Ramp::Yellow, Ramp::Pink, Ramp::Sky, Ramp::Leaf, Ramp::Purple};
    for (int i = 0; i < 5; ++i) {
        const platform::RECT& r = cells[size_t(kNoteCells[i])];
        DrawQuaver(pic, r.left + 1, r.top + 1, r.right - r.left - 2, r.bottom - r.top - 2, kNoteInks[i]);
    }
    for (int c = 2; c <= 3; ++c) {
        // Outline the flat pieces inside their own cells only.
        const platform::RECT& r = cells[size_t(c)];
        Picture own = pic.Cut(r.left, r.top, r.right - r.left, r.bottom - r.top);
        own.Outline(kBlackKey, Common(Ramp::Grey, 0));
        pic.Draw(own, r.left, r.top, -1);
    }
    return pic;
}

}  // namespace assetgen::title
