// The credits' figure cells: the cast at work, one picture per phase of a
// task, and the floor things of the strip cells. Everything is drawn on
// white (the sheets' key), which no drawing colour uses.
#include <algorithm>
#include <cmath>

#include "assetgen/chars_figures.h"
#include "assetgen/credits_art.h"
#include "world/chars/poses.h"

namespace assetgen::credits {
namespace {

using namespace world::chars;
using world::palette_plan::Common;
using world::palette_plan::kOutline;

constexpr uint8_t kKey = world::palette_plan::kWhite;
constexpr uint8_t C(Ramp r, int s) { return Common(r, s); }
constexpr Ramp kPaints[4] = {Ramp::Red, Ramp::Yellow, Ramp::Blue, Ramp::Leaf};

// One cell being drawn: its picture (cell-sized), the standing point and
// the pose it shows.
struct Cell {
    Picture& pic;
    platform::RECT rect;
    int w, h, gy;  // size, ground line
    int k;         // phase
};

void Dog(Cell& c, uint8_t action, int phase, int x, int facing, double scale, uint8_t face = 0, int lift = 0) {
    Pose p;
    p.figure = kFigDog;
    p.action = action;
    p.phase = static_cast<int8_t>(phase);
    p.facing = static_cast<uint8_t>(facing);
    p.variant = face;
    p.tail = static_cast<int8_t>(phase % 2 ? 2 : -1);
    chars::PupFigure(p, false).Render(c.pic, c.rect, x, c.gy - lift, facing, scale, 0, kKey);
}

// The cat sitting up, one paw raised by `paw` (0..2), its head on top.
void Cat(Cell& c, int paw, int x, double scale, int lift = 0) {
    Pose p;
    p.figure = kFigCat;
    p.action = kActLick;
    p.phase = static_cast<int8_t>(std::clamp(paw, 0, 2));
    p.facing = 4;
    chars::CatBodyFigure(p, false).Render(c.pic, c.rect, x, c.gy - lift, 4, scale, 0, kKey);
    const ScreenOffset neck = ProjectLocal(4, 1, 0, 17);
    chars::CatHeadFigure().Render(c.pic, c.rect, x + static_cast<int>(neck.x * scale),
                                  c.gy - lift + static_cast<int>(neck.y * scale), 4, scale, 0, kKey);
}

void Member(Cell& c, int member, uint8_t action, int phase, int x, int facing, double scale, int lift = 0) {
    Pose p;
    p.figure = kFigMusician;
    p.variant = static_cast<uint8_t>(member);
    p.action = action;
    p.phase = static_cast<int8_t>(phase);
    chars::MusicianFigure(p).Render(c.pic, c.rect, x, c.gy - lift, facing, scale, 0, kKey);
}

void Box(Picture& p, int x, int y, int w, int h, uint8_t fill, uint8_t edge = kOutline) {
    p.FillRect(x, y, w, h, edge);
    p.FillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void Note(Picture& p, int x, int y, uint8_t colour) {
    p.FillEllipse(x, y, 4, 3, colour);
    p.Line(x + 3, y, x + 3, y - 13, colour, 2);
    p.Line(x + 3, y - 13, x + 8, y - 9, colour, 2);
}

void Rays(Picture& p, int cx, int cy, int r0, int r1, int count, uint8_t colour, int turn = 0) {
    for (int i = 0; i < count; ++i) {
        const int a = turn + i * 64 / count;
        p.Line(cx + r0 * Cosine64(a) / 256, cy + r0 * Sine64(a) / 256, cx + r1 * Cosine64(a) / 256,
               cy + r1 * Sine64(a) / 256, colour, 2);
    }
}

// A desk with a monitor on it; returns the screen's inner rectangle.
platform::RECT Computer(Cell& c, int left, int width) {
    Box(c.pic, left, c.gy - 44, width, 8, C(Ramp::Brown, 4));
    c.pic.FillRect(left + 4, c.gy - 36, 4, 36, C(Ramp::Brown, 2));
    c.pic.FillRect(left + width - 8, c.gy - 36, 4, 36, C(Ramp::Brown, 2));
    const int mw = width - 12, mh = mw * 3 / 4;
    const int mx = left + 6, my = c.gy - 52 - mh;
    c.pic.FillRect(mx + mw / 2 - 4, c.gy - 52, 8, 8, C(Ramp::Slate, 2));
    Box(c.pic, mx, my, mw, mh, C(Ramp::Slate, 4));
    const platform::RECT screen{mx + 4, my + 4, mx + mw - 4, my + mh - 4};
    c.pic.FillRect(screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top, C(Ramp::Blue, 0));
    return screen;
}

void Paint(Cell& c) {
    // Easel on the right; the picture on it grows phase by phase.
    const int ex = c.w - 52, top = c.gy - 138;
    c.pic.Line(ex + 6, c.gy, ex + 22, top, C(Ramp::Brown, 3), 3);
    c.pic.Line(ex + 40, c.gy, ex + 24, top, C(Ramp::Brown, 3), 3);
    c.pic.Line(ex + 23, c.gy, ex + 23, top + 40, C(Ramp::Brown, 2), 2);
    const int cx = ex - 2, cy = top + 10, cw = 50, ch = 62;
    // The picture is painted on its own canvas, so nothing runs over the edge.
    Picture art(cw - 2, ch - 2, C(Ramp::Grey, 7));
    const int aw = art.width(), ah = art.height();
    if (c.k >= 1) {
        art.FillRect(0, 0, aw, ah / 2, C(Ramp::Sky, 5));
        art.FillEllipse(aw - 12, 10, 6, 6, C(Ramp::Yellow, 5));
    }
    if (c.k >= 2) {
        art.FillEllipse(12, ah, 22, 20, C(Ramp::Leaf, 4));
        art.FillEllipse(aw - 8, ah + 2, 20, 16, C(Ramp::Leaf, 3));
    }
    if (c.k >= 3) {
        Box(art, 16, ah - 26, 14, 12, C(Ramp::Red, 4));
        art.FillPolygon({{14, ah - 25}, {23, ah - 34}, {32, ah - 25}}, C(Ramp::Brown, 3));
    }
    Box(c.pic, cx, cy, cw, ch, C(Ramp::Grey, 7));
    c.pic.Draw(art, cx + 1, cy + 1, -1);
    c.pic.FillRect(ex - 6, top + 72, 62, 4, C(Ramp::Brown, 4));
    // The painter: up on the hind legs at work, sitting back pleased at the end.
    const bool done = c.k >= 3;
    Dog(c, done ? kActSit : kActBeg, c.k % 2, 46, done ? 4 : 3, 2.1, done ? (kMouthOpen | kTongue) : 0);
    if (!done) {
        const int hy = c.gy - 92 + (c.k % 2) * 10;
        c.pic.Line(60, hy, ex + 4, cy + 20 + c.k * 10, C(Ramp::Brown, 5), 3);
        c.pic.FillEllipse(ex + 4, cy + 20 + c.k * 10, 3, 3, C(kPaints[c.k % 4], 4));
    }
}

void MixPaints(Cell& c) {
    const int cx = c.w / 2;
    Member(c, 5, kActPlay, c.k, cx, 4, 1.25);
    const int px = cx - 30, py = c.gy - 52;
    c.pic.FillEllipse(px, py, 22, 13, kOutline);
    c.pic.FillEllipse(px, py, 21, 12, C(Ramp::Fur, 5));
    for (int i = 0; i < 4; ++i) c.pic.FillEllipse(px - 12 + 8 * i, py - 3 + (i % 2) * 5, 3, 3, C(kPaints[i], 4));
    // The brush dabs along the colours.
    const int bx = px - 12 + 8 * std::min(c.k, 3), by = py - 6;
    c.pic.Line(cx + 24, c.gy - 70 + c.k * 2, bx, by, C(Ramp::Brown, 5), 3);
    c.pic.FillEllipse(bx, by, 3, 3, C(kPaints[std::min(c.k, 3)], 3));
}

void FlipBook(Cell& c) {
    const int cx = c.w / 2 - 26;
    Cat(c, 1, cx, 2.6);
    // The book held up beside the cat; its little pup runs as the pages flip.
    const int bw = 64, bh = 46, bx = cx + 16, by = c.gy - bh - 40;
    Box(c.pic, bx, by, bw, bh, C(Ramp::Grey, 7));
    c.pic.Line(bx, by + bh - 1, bx + bw, by + bh - 1, C(Ramp::Orange, 3), 3);
    Picture little(bw - 8, bh - 8, kKey);
    Cell inner{little, {0, 0, bw - 8, bh - 8}, bw - 8, bh - 8, bh - 12, c.k};
    Dog(inner, kActWalk, c.k * 2, (bw - 8) / 2, 2, 0.7);
    c.pic.Draw(little, bx + 4, by + 4, kKey);
    // A page lifting at the corner.
    const int lift = 4 + 6 * (c.k % 2);
    c.pic.FillPolygon({{bx + bw, by + bh}, {bx + bw - 16, by + bh}, {bx + bw - 2, by + bh - 16 - lift}}, C(Ramp::Grey, 6));
}

void PoseForArtist(Cell& c) {
    Dog(c, kActDance, c.k, c.w / 2, 4, 2.0, kMouthOpen | kTongue);
    if (c.k % 2) Rays(c.pic, c.w - 22, 26, 3, 8, 4, C(Ramp::Yellow, 6), c.k * 4);
    else Rays(c.pic, 20, 34, 3, 8, 4, C(Ramp::Yellow, 6), c.k * 4);
}

void Pixels(Cell& c) {
    const platform::RECT s = Computer(c, c.w - 98, 92);
    // A picture of a note, block by block.
    static const char* kArt[6] = {"...##...", "...#.#..", "...#..#.", "...#....", ".###....", ".###...."};
    const int bs = std::max(2, (s.right - s.left) / 9);
    const int rows = std::min(6, (c.k + 1) * 6 / 5);
    for (int r = 0; r < rows; ++r)
        for (int i = 0; i < 8; ++i)
            c.pic.FillRect(s.left + 2 + i * bs, s.top + 2 + r * bs, bs - 1, bs - 1,
                           kArt[r][i] == '#' ? C(Ramp::Yellow, 5) : C(Ramp::Blue, 2 + (r + i) % 2));
    Member(c, 0, kActPlay, c.k, 46, 3, 1.45);
}

void Tiles(Cell& c) {
    const platform::RECT s = Computer(c, 6, 92);
    const int tw = (s.right - s.left) / 4, th = (s.bottom - s.top) / 3;
    const Ramp tiles[3] = {Ramp::Leaf, Ramp::Brown, Ramp::Sky};
    for (int i = 0; i <= c.k + 3 && i < 12; ++i)
        Box(c.pic, s.left + (i % 4) * tw, s.top + (i / 4) * th, tw - 1, th - 1, C(tiles[(i / 4) % 3], 4), C(Ramp::Grey, 2));
    Member(c, 3, kActPlay, c.k, c.w - 36, 5, 1.2);
}

void Idea(Cell& c) {
    const int cx = c.w / 2 - 10;
    Member(c, 2, kActHum, c.k % 2, cx, 4, 1.55);
    // The bulb above the head lights up.
    const int bx = cx + 30, by = c.gy - 122;
    const bool lit = c.k >= 1;
    c.pic.FillEllipse(bx, by, 13, 14, kOutline);
    c.pic.FillEllipse(bx, by, 12, 13, lit ? C(Ramp::Yellow, 4 + std::min(c.k, 3)) : C(Ramp::Grey, 5));
    Box(c.pic, bx - 6, by + 12, 12, 8, C(Ramp::Slate, 4));
    if (c.k >= 2) Rays(c.pic, bx, by, 17, 17 + 3 * c.k, 8, C(Ramp::Yellow, 5), c.k);
    if (c.k >= 4) {
        c.pic.FillRect(cx - 34, c.gy - 132, 5, 18, C(Ramp::Red, 4));
        c.pic.FillRect(cx - 34, c.gy - 110, 5, 5, C(Ramp::Red, 4));
    }
}

void Waveform(Cell& c) {
    const platform::RECT s = Computer(c, c.w - 100, 96);
    const int mid = (s.top + s.bottom) / 2, amp = (s.bottom - s.top) / 3;
    int lastY = mid;
    for (int x = s.left; x < s.right; ++x) {
        const int t = (x - s.left) * 3 + c.k * 13;
        const int y = mid - amp * Sine64(t) / 256 * (40 + Sine64(t / 5) / 4) / 100;
        c.pic.Line(x - 1, lastY, x, y, C(Ramp::Leaf, 6), 1);
        lastY = y;
    }
    Member(c, 1, kActPlay, c.k, 46, 3, 1.4);
}

void Bang(Cell& c) {
    const int cx = c.w / 2 + 10;
    Dog(c, kActSit, 0, cx, 4, 2.0, c.k == 3 ? kMouthOpen : 0);
    // The pot in front, the spoon rising and coming down on it.
    const int px = cx - 40, py = c.gy - 14;
    c.pic.FillEllipse(px, py, 24, 14, kOutline);
    c.pic.FillEllipse(px, py, 23, 13, C(Ramp::Slate, 4));
    c.pic.FillEllipse(px, py - 6, 20, 6, C(Ramp::Slate, 6));
    c.pic.Line(px + 20, py - 2, px + 34, py + 2, C(Ramp::Slate, 2), 3);
    static const int kRaise[6] = {10, 24, 36, 0, 4, 8};
    const int sx = px + 4, sy = py - 12 - kRaise[c.k % 6];
    c.pic.Line(cx - 12, c.gy - 50, sx, sy, C(Ramp::Brown, 5), 3);
    c.pic.FillEllipse(sx, sy, 5, 3, C(Ramp::Brown, 5));
    if (c.k == 3 || c.k == 4) Rays(c.pic, px, py - 18, 10, 20 + 6 * (c.k - 3), 7, C(Ramp::Yellow, 5), 2);
    if (c.k == 4 || c.k == 5) {
        for (int i = 0; i < 2; ++i)
            c.pic.Line(px - 30 - 6 * i, py - 30 + 4 * i, px - 30 - 6 * i, py - 14 - 4 * i, C(Ramp::Sky, 4), 2);
    }
}

void Bell(Cell& c) {
    const int cx = c.w / 2;
    Cat(c, c.k % 3, cx - 8, 2.4);
    // The bell swings from the raised paw.
    const int swing = (c.k - 2) * 6;
    const int hx = cx + 26, hy = c.gy - 72;
    const int bx = hx + swing, by = hy + 22;
    c.pic.Line(hx, hy, bx, by - 8, C(Ramp::Brown, 3), 3);
    c.pic.FillPolygon({{bx - 12, by + 8}, {bx - 6, by - 10}, {bx + 6, by - 10}, {bx + 12, by + 8}}, C(Ramp::Gold, 4));
    c.pic.FillEllipse(bx, by + 9, 3, 3, C(Ramp::Gold, 1));
    if (c.k == 0 || c.k == 4) {
        const int side = c.k == 0 ? -1 : 1;
        for (int i = 0; i < 3; ++i)
            c.pic.Line(bx + side * (18 + 5 * i), by - 8, bx + side * (18 + 5 * i), by + 8, C(Ramp::Sky, 4), 2);
    }
}

void Compose(Cell& c) {
    // The keyboard player with the pup singing along.
    Member(c, 3, kActPlay, c.k, 86, 4, 1.9);
    const int ky = c.gy - 52;
    c.pic.FillRect(26, ky, 120, 16, C(Ramp::Grey, 1));
    for (int i = 0; i < 14; ++i) {
        const bool down = (i + c.k * 3) % 5 == 0;
        c.pic.FillRect(28 + 8 * i, ky + 2 + (down ? 2 : 0), 7, 11, C(Ramp::Grey, down ? 5 : 7));
    }
    c.pic.Line(46, ky + 16, 60, c.gy, C(Ramp::Slate, 3), 3);
    c.pic.Line(126, ky + 16, 112, c.gy, C(Ramp::Slate, 3), 3);
    // Music stand with the song being written.
    const int sx = 176, sy = c.gy - 150;
    c.pic.Line(sx + 25, sy + 40, sx + 25, c.gy, C(Ramp::Slate, 2), 3);
    Box(c.pic, sx, sy, 50, 40, C(Ramp::Grey, 7));
    for (int l = 0; l < 5; ++l) c.pic.FillRect(sx + 3, sy + 8 + l * 6, 44, 1, C(Ramp::Grey, 3));
    for (int n = 0; n <= c.k; ++n) c.pic.FillEllipse(sx + 10 + n * 10, sy + 30 - ((n * 7) % 4) * 5, 3, 2, kOutline);
    Dog(c, kActSit, 0, c.w - 44, 5, 1.9, (c.k % 2) ? kMouthOpen : 0);
    // Notes rising from the keys.
    for (int i = 0; i < 2; ++i) {
        const int y = 70 - ((c.k * 12 + i * 24) % 48);
        Note(c.pic, 40 + i * 70 + (c.k % 2) * 4, y, C(i ? Ramp::Purple : Ramp::Blue, 4));
    }
    if (c.k % 2) Note(c.pic, c.w - 30, 40, C(Ramp::Red, 4));
}

void Parcels(Picture& p, int x, int bottom, int count, int wobble) {
    const Ramp colours[3] = {Ramp::Brown, Ramp::Orange, Ramp::Fur};
    for (int i = 0; i < count; ++i) {
        const int w = 34 - 4 * i, h = 18;
        const int bx = x - w / 2 + (i % 2 ? wobble : -wobble), by = bottom - h * (i + 1);
        Box(p, bx, by, w, h, C(colours[i % 3], 4));
        p.FillRect(bx + w / 2 - 1, by + 1, 2, h - 2, C(Ramp::Red, 3));
    }
}

void Carry(Cell& c) {
    const int step = c.k * 9 / 7;
    Dog(c, kActWalk, step, c.w / 2, 2, 1.9);
    Parcels(c.pic, c.w / 2 - 2, c.gy - 28 - (c.k % 2) * 3, 3, (c.k % 3) - 1);
}

void Tray(Cell& c) {
    const int bob = (c.k % 2) * 3;
    Member(c, 4, kActPlay, c.k, c.w / 2, 6, 1.3, bob);
    const int tx = c.w / 2 - 22, ty = c.gy - 60 - bob;
    c.pic.FillEllipse(tx, ty, 26, 6, kOutline);
    c.pic.FillEllipse(tx, ty, 25, 5, C(Ramp::Slate, 5));
    for (int i = 0; i < 3; ++i) {
        Box(c.pic, tx - 18 + 13 * i, ty - 12, 9, 10, C(Ramp::Grey, 7));
        const int wisp = (c.k + i) % 3;
        c.pic.Line(tx - 14 + 13 * i + wisp - 1, ty - 16, tx - 14 + 13 * i - wisp + 1, ty - 26, C(Ramp::Grey, 5), 1);
    }
}

void Confetti(Cell& c) {
    const Ramp colours[5] = {Ramp::Red, Ramp::Yellow, Ramp::Sky, Ramp::Pink, Ramp::Leaf};
    for (int i = 0; i < 9; ++i) {
        const int x = 8 + static_cast<int>(Hash(i, 0, 77) % static_cast<uint32_t>(c.w - 16));
        const int y = 6 + static_cast<int>((Hash(i, 1, 77) % 40 + static_cast<uint32_t>(c.k) * 7) % 50);
        c.pic.FillRect(x, y, 4, 3, C(colours[i % 5], 5));
    }
}

void Cheer(Cell& c, int actor, int member) {
    Confetti(c);
    const int lift = (c.k % 2) * 10;
    if (actor == kCrewDog) Dog(c, kActDance, c.k % 5, c.w / 2, 4, 1.8, kMouthOpen | kTongue, lift);
    else if (actor == kCrewCat) Cat(c, c.k % 3, c.w / 2, 2.3, lift / 2);
    else Member(c, member, kActFreed, c.k, c.w / 2, 4, 1.2);
}

// --- Strip cells -------------------------------------------------------------

void Strip(Picture& p, int w, int h, uint8_t task) {
    switch (task) {
        case kStripPaintPots:
            for (int i = 0; i * 26 + 20 < w; ++i) {
                Box(p, 4 + i * 26, 3, 18, h - 4, C(Ramp::Slate, 5));
                p.FillRect(5 + i * 26, 4, 16, 4, C(kPaints[i % 4], 4));
            }
            break;
        case kStripBrushes:
            for (int i = 0; i * 30 + 28 < w; ++i) {
                p.Line(6 + i * 30, h - 4, 28 + i * 30, h - 8, C(Ramp::Brown, 4), 3);
                p.FillEllipse(28 + i * 30, h - 8, 4, 3, C(kPaints[(i + 1) % 4], 4));
            }
            break;
        case kStripFilm:
            Box(p, 0, 1, w, h - 2, C(Ramp::Grey, 1));
            for (int x = 4; x + 4 < w; x += 10) {
                p.FillRect(x, 3, 4, 2, C(Ramp::Grey, 7));
                p.FillRect(x, h - 5, 4, 2, C(Ramp::Grey, 7));
            }
            break;
        case kStripPaper:
            for (int i = 0; i < 4; ++i) Box(p, 6 + i * 8, h - 6 - 3 * i, w - 40, 6, C(Ramp::Grey, 7 - (i % 2)));
            break;
        case kStripCables:
            for (int x = 2; x + 2 < w; ++x) {
                p.Plot(x, h / 2 + 4 * Sine64(x * 3) / 256, C(Ramp::Grey, 1));
                p.Plot(x, h / 2 + 1 + 5 * Sine64(x * 2 + 20) / 256, C(Ramp::Red, 2));
            }
            Box(p, w - 30, h - 12, 24, 10, C(Ramp::Slate, 3));
            break;
        case kStripNotebooks:
            for (int i = 0; i * 34 + 30 < w; ++i) Box(p, 4 + i * 34, 2 + (i % 2) * 3, 30, h - 6, C(kPaints[i % 4], 3));
            break;
        case kStripPans:
            for (int i = 0; i * 48 + 40 < w; ++i) {
                p.FillEllipse(22 + i * 48, h / 2, 18, h / 2 - 1, kOutline);
                p.FillEllipse(22 + i * 48, h / 2, 17, h / 2 - 2, C(Ramp::Slate, 4 + i % 2));
            }
            break;
        case kStripNotes:
            for (int l = 0; l < 5; ++l) p.FillRect(0, 2 + l * 4, w, 1, C(Ramp::Grey, 2));
            for (int i = 0; i * 24 + 16 < w; ++i) p.FillEllipse(12 + i * 24, 4 + (i * 5) % 14, 4, 3, kOutline);
            break;
        case kStripRug:
            Box(p, 6, 1, w - 12, h - 2, C(Ramp::Red, 3));
            p.FillRect(10, h / 2 - 1, w - 20, 2, C(Ramp::Gold, 5));
            for (int x = 0; x < 6; x += 2) {
                p.FillRect(x, 2, 1, h - 4, C(Ramp::Gold, 4));
                p.FillRect(w - 1 - x, 2, 1, h - 4, C(Ramp::Gold, 4));
            }
            break;
        case kStripParcels:
            for (int i = 0; i * 40 + 34 < w; ++i) {
                Box(p, 4 + i * 40, 2, 32, h - 3, C(Ramp::Brown, 4 + i % 2));
                p.FillRect(19 + i * 40, 3, 2, h - 5, C(Ramp::Red, 3));
            }
            break;
        default:  // bunting lying along the floor
            p.Line(0, 2, w - 1, 2, C(Ramp::Brown, 2), 1);
            for (int i = 0; i * 20 + 16 < w; ++i)
                p.FillPolygon({{2 + i * 20, 3}, {18 + i * 20, 3}, {10 + i * 20, h - 2}}, C(kPaints[i % 4], 4));
            break;
    }
}

}  // namespace

bool DrawCreditCell(Picture& pic, const SheetFrame& cell) {
    const int w = cell.Width(), h = cell.Height();
    if (w <= 0 || h <= 0) return true;
    // Drawn on its own first, so nothing spills into a neighbouring cell.
    Picture own(w, h, kKey);
    Cell c{own, {0, 0, w, h}, w, h, cell.anchorY, cell.pose.phase};
    bool known = true;
    if (cell.pose.figure == kCrewProp) {
        Strip(own, w, h, cell.pose.action);
    } else {
        switch (cell.pose.action) {
            case kTaskPaint: Paint(c); break;
            case kTaskPalette: MixPaints(c); break;
            case kTaskFlipBook: FlipBook(c); break;
            case kTaskPose: PoseForArtist(c); break;
            case kTaskPixels: Pixels(c); break;
            case kTaskTiles: Tiles(c); break;
            case kTaskIdea: Idea(c); break;
            case kTaskWaveform: Waveform(c); break;
            case kTaskBang: Bang(c); break;
            case kTaskBell: Bell(c); break;
            case kTaskCompose: Compose(c); break;
            case kTaskCarry: Carry(c); break;
            case kTaskTray: Tray(c); break;
            case kTaskCheer: Cheer(c, cell.pose.figure, cell.pose.variant); break;
            default: known = false; break;
        }
    }
    chars::OutlineRect(own, {0, 0, w, h}, kKey);
    pic.Draw(own, cell.rect.left, cell.rect.top, kKey);
    return known;
}

Picture DrawCreditsSheet(const CreditsPage& page, int* failures) {
    Picture pic(page.width, page.height, kKey);
    int failed = 0;
    for (size_t i = 1; i < page.cells.size(); ++i)
        if (!DrawCreditCell(pic, page.cells[i])) ++failed;
    if (failures) *failures = failed;
    return pic;
}

}  // namespace assetgen::credits
