// Shapes shared by the menu pictures: boards, the sky, keys, buttons, the
// signs beside words, and the characters borrowed from the character art.
#include <algorithm>

#include "assetgen/chars_figures.h"
#include "assetgen/menus_art.h"
#include "assetgen/menus_font.h"
#include "assetgen/menus_palette.h"
#include "world/chars/poses.h"

namespace assetgen::menus {

void RoundRect(Picture& pic, int x, int y, int w, int h, int r, uint8_t c) {
    r = std::min({r, w / 2, h / 2});
    pic.FillRect(x + r, y, w - 2 * r, h, c);
    pic.FillRect(x, y + r, w, h - 2 * r, c);
    for (int cx : {x + r, x + w - 1 - r})
        for (int cy : {y + r, y + h - 1 - r}) pic.FillEllipse(cx, cy, r, r, c);
}

void Board(Picture& pic, int x, int y, int w, int h, int r) {
    RoundRect(pic, x + 4, y + 6, w, h, r, Common(Ramp::Sky, 2));
    RoundRect(pic, x, y, w, h, r, Paper(1));
    RoundRect(pic, x + 3, y + 3, w - 6, h - 6, r - 3, Paper(6));
    RoundRect(pic, x + 6, y + 6, w - 12, h - 12, r - 5, Paper(7));
}

void Backdrop(Picture& pic, uint32_t seed) {
    for (int y = 0; y < pic.height(); ++y) {
        // Ordered dither between neighbouring steps keeps the gradient smooth.
        const int exact = y * (kSkyCount - 1) * 4 / std::max(1, pic.height() - 1);
        for (int x = 0; x < pic.width(); ++x) {
            const int bump = (exact % 4) > int((x + 2 * (y & 1)) % 4) ? 1 : 0;
            pic.Plot(x, y, Sky(exact / 4 + bump));
        }
    }
    // Faint notes drifting over the sky.
    for (int i = 0; i < 14; ++i) {
        const int x = int(Hash(i, 1, seed) % uint32_t(pic.width()));
        const int y = int(Hash(i, 2, seed) % uint32_t(pic.height()));
        Note(pic, x, y, 10 + int(Hash(i, 3, seed) % 8), Sky(y * kSkyCount / pic.height() + 4));
    }
}

void Note(Picture& pic, int x, int y, int size, uint8_t c) {
    const int rx = size * 6 / 10, ry = size * 45 / 100;
    pic.FillEllipse(x, y, rx, ry, c);
    const int stemX = x + rx - 1 - size / 8, top = y - size * 2;
    pic.FillRect(stemX, top, std::max(2, size / 5), y - top, c);
    pic.Line(stemX, top, stemX + size * 7 / 10, top + size * 7 / 10, c, std::max(2, size / 4));
}

void ArrowHead(Picture& pic, int cx, int cy, int size, int dir, uint8_t c) {
    const int s = size / 2;
    std::vector<Point> p;
    switch (dir & 3) {
        case 0: p = {{cx, cy - s}, {cx + s, cy + s}, {cx - s, cy + s}}; break;
        case 1: p = {{cx + s, cy}, {cx - s, cy + s}, {cx - s, cy - s}}; break;
        case 2: p = {{cx, cy + s}, {cx - s, cy - s}, {cx + s, cy - s}}; break;
        default: p = {{cx - s, cy}, {cx + s, cy - s}, {cx + s, cy + s}}; break;
    }
    pic.FillPolygon(p, c);
}

void KeyCap(Picture& pic, int x, int y, int w, int h, const std::string& label, int cell) {
    RoundRect(pic, x, y, w, h, 10, kEdge);
    RoundRect(pic, x + 2, y + 2, w - 4, h - 4, 8, Common(Ramp::Slate, 3));
    RoundRect(pic, x + 5, y + 3, w - 10, h - 12, 6, Common(Ramp::Slate, 6));
    const int cx = x + w / 2, cy = y + 3 + (h - 12) / 2;
    const int dir = label == "^" ? 0 : label == ">" ? 1 : label == "v" ? 2 : label == "<" ? 3 : -1;
    if (dir >= 0)
        ArrowHead(pic, cx, cy, std::min(w, h) / 2, dir, kInk);
    else
        DrawCentred(pic, label, cx, cy, cell, kInk);
}

void HelpButton(Picture& pic, int x, int y, int kind, bool lit) {
    const uint8_t rim = lit ? kMarkDark : Common(Ramp::Slate, 2);
    const uint8_t face = lit ? Common(Ramp::Gold, 4) : Common(Ramp::Slate, 4);
    const uint8_t shine = lit ? Common(Ramp::Yellow, 6) : Common(Ramp::Slate, 5);
    const uint8_t mark = lit ? kMarkRed : Common(Ramp::Slate, 2);
    RoundRect(pic, x, y, 64, 48, 14, rim);
    RoundRect(pic, x + 3, y + 3, 58, 42, 11, face);
    RoundRect(pic, x + 8, y + 5, 48, 10, 5, shine);
    const int cx = x + 32, cy = y + 25;
    if (kind == 1) {
        pic.Line(cx - 11, cy - 11, cx + 11, cy + 11, mark, 7);
        pic.Line(cx + 11, cy - 11, cx - 11, cy + 11, mark, 7);
    } else {
        const int d = kind == 0 ? -1 : 1;
        pic.FillRect(cx - 14 * d - (d < 0 ? 12 : 0), cy - 5, 12, 10, mark);
        ArrowHead(pic, cx + 4 * d, cy, 28, kind == 0 ? 3 : 1, mark);
    }
}

namespace {

void Star(Picture& pic, int cx, int cy, int r, uint8_t c) {
    std::vector<Point> p;
    for (int i = 0; i < 10; ++i) {
        const int rr = i % 2 ? r * 45 / 100 : r;
        const int turn = i * 64 / 10;
        p.push_back({cx + Sine64(turn) * rr / 256, cy - Cosine64(turn) * rr / 256});
    }
    pic.FillPolygon(p, c);
}

// An arc of a circle from turn a to turn b (64ths), as a thick line.
void Arc(Picture& pic, int cx, int cy, int r, int a, int b, uint8_t c, int t) {
    for (int turn = a; turn < b; ++turn)
        pic.Line(cx + Sine64(turn) * r / 256, cy - Cosine64(turn) * r / 256, cx + Sine64(turn + 1) * r / 256,
                 cy - Cosine64(turn + 1) * r / 256, c, t);
}

void Box(Picture& pic, int cx, int cy, int s) {
    pic.FillRect(cx - s * 4 / 10 - 2, cy - 2, s * 8 / 10 + 4, s * 45 / 100 + 4, kEdge);
    pic.FillRect(cx - s * 4 / 10, cy, s * 8 / 10, s * 45 / 100, Common(Ramp::Fur, 4));
    pic.FillRect(cx - s * 4 / 10, cy, s * 8 / 10, s / 10, Common(Ramp::Fur, 2));
}

}  // namespace

void DrawSign(Picture& pic, Sign sign, int cx, int cy, int s) {
    const int t = std::max(3, s / 8);
    switch (sign) {
        case Sign::Play:
            pic.FillPolygon({{cx - s / 3 - 2, cy - s / 2 - 3}, {cx + s / 2 + 3, cy}, {cx - s / 3 - 2, cy + s / 2 + 3}}, kEdge);
            pic.FillPolygon({{cx - s / 3, cy - s / 2}, {cx + s / 2, cy}, {cx - s / 3, cy + s / 2}}, Common(Ramp::Leaf, 4));
            break;
        case Sign::Load:
        case Sign::Save: {
            Box(pic, cx, cy, s);
            const bool out = sign == Sign::Load;
            pic.FillRect(cx - t, cy - s / 2 + (out ? s / 5 : 0), 2 * t, s / 2, Common(Ramp::Blue, 3));
            ArrowHead(pic, cx, out ? cy - s / 2 + s / 8 : cy + s / 10, s / 2, out ? 0 : 2, Common(Ramp::Blue, 3));
            break;
        }
        case Sign::Volume:
            pic.FillRect(cx - s / 2, cy - s / 6, s / 5, s / 3, Common(Ramp::Slate, 2));
            pic.FillPolygon({{cx - s / 3, cy - s / 6}, {cx, cy - s / 2}, {cx, cy + s / 2}, {cx - s / 3, cy + s / 6}},
                            Common(Ramp::Slate, 2));
            Arc(pic, cx, cy, s / 4, 8, 24, Common(Ramp::Blue, 3), t);
            Arc(pic, cx, cy, s / 2, 9, 23, Common(Ramp::Blue, 3), t);
            break;
        case Sign::Help:
            pic.FillEllipse(cx, cy, s / 2, s / 2, kEdge);
            pic.FillEllipse(cx, cy, s / 2 - 3, s / 2 - 3, Common(Ramp::Sky, 4));
            DrawCentred(pic, "?", cx, cy, std::max(2, s / 11), Paper(7));
            break;
        case Sign::Credits:
            Star(pic, cx, cy, s / 2 + 2, kEdge);
            Star(pic, cx, cy, s / 2 - 1, Common(Ramp::Gold, 4));
            break;
        case Sign::Quit:
            pic.FillRect(cx - s / 3 - 2, cy - s / 2 - 2, s * 2 / 3 + 4, s + 4, kEdge);
            pic.FillRect(cx - s / 3, cy - s / 2, s * 2 / 3, s, Common(Ramp::Grey, 1));
            pic.FillPolygon({{cx - s / 3, cy - s / 2}, {cx + s / 6, cy - s / 3}, {cx + s / 6, cy + s / 2 + 4}, {cx - s / 3, cy + s / 2}},
                            Common(Ramp::Brown, 3));
            pic.FillEllipse(cx + s / 12, cy, 2, 2, Common(Ramp::Gold, 5));
            break;
        case Sign::Home:
            pic.FillRect(cx - s / 3, cy - s / 8, s * 2 / 3, s * 5 / 8, Common(Ramp::Fur, 5));
            pic.FillPolygon({{cx - s / 2, cy - s / 8}, {cx, cy - s / 2}, {cx + s / 2, cy - s / 8}}, Common(Ramp::Red, 3));
            pic.FillRect(cx - s / 10, cy + s / 8, s / 5, s * 3 / 8, Common(Ramp::Brown, 2));
            break;
        case Sign::Yes:
            pic.FillEllipse(cx, cy, s / 2, s / 2, Common(Ramp::Leaf, 2));
            pic.FillEllipse(cx, cy, s / 2 - 3, s / 2 - 3, Common(Ramp::Leaf, 5));
            pic.Line(cx - s / 4, cy, cx - s / 14, cy + s / 5, Paper(7), t);
            pic.Line(cx - s / 14, cy + s / 5, cx + s / 4, cy - s / 4, Paper(7), t);
            break;
        case Sign::No:
            pic.FillEllipse(cx, cy, s / 2, s / 2, Common(Ramp::Red, 1));
            pic.FillEllipse(cx, cy, s / 2 - 3, s / 2 - 3, Common(Ramp::Red, 4));
            pic.Line(cx - s / 5, cy - s / 5, cx + s / 5, cy + s / 5, Paper(7), t);
            pic.Line(cx + s / 5, cy - s / 5, cx - s / 5, cy + s / 5, Paper(7), t);
            break;
        case Sign::Music:
            Note(pic, cx - s / 5, cy + s / 4, s / 3, Common(Ramp::Purple, 3));
            Note(pic, cx + s / 4, cy + s / 6, s / 3, Common(Ramp::Pink, 3));
            break;
        case Sign::Disc:
            pic.FillEllipse(cx, cy, s / 2, s / 2, kEdge);
            pic.FillEllipse(cx, cy, s / 2 - 2, s / 2 - 2, Common(Ramp::Slate, 6));
            Arc(pic, cx, cy, s / 3, 40, 56, Common(Ramp::Sky, 5), 3);
            Arc(pic, cx, cy, s / 3, 8, 24, Common(Ramp::Pink, 5), 3);
            pic.FillEllipse(cx, cy, s / 8, s / 8, kEdge);
            pic.FillEllipse(cx, cy, s / 14, s / 14, Paper(7));
            break;
        case Sign::Back:
            Arc(pic, cx, cy + s / 8, s / 3, 0, 24, Common(Ramp::Blue, 3), t + 1);
            ArrowHead(pic, cx - s / 8, cy - s / 3 + s / 8, s / 2, 3, Common(Ramp::Blue, 3));
            break;
    }
}

void DrawPup(Picture& pic, int x, int y, int w, int h, int facing, int action, int phase, int variant) {
    using namespace world::chars;
    SheetFrame f;
    f.rect = {x, y, x + w, y + h};
    f.anchorX = int16_t(w / 2);
    f.anchorY = int16_t(h - 6);
    f.pose.figure = kFigDog;
    f.pose.facing = uint8_t(facing);
    f.pose.action = uint8_t(action);
    f.pose.phase = int8_t(phase);
    f.pose.variant = uint8_t(variant);
    chars::DrawFrame(pic, f, kKey);
}

void DrawMusician(Picture& pic, int x, int y, int w, int h, int member, int action, int phase) {
    using namespace world::chars;
    SheetFrame f;
    f.rect = {x, y, x + w, y + h};
    f.anchorX = int16_t(w / 2);
    f.anchorY = int16_t(h - 6);
    f.pose.figure = kFigMusician;
    f.pose.facing = 4;
    f.pose.action = uint8_t(action);
    f.pose.phase = int8_t(phase);
    f.pose.variant = uint8_t(member);
    f.pose.tail = 1;  // with the instrument
    chars::DrawFrame(pic, f, kKey);
}

}  // namespace assetgen::menus
