// Small flat pictures: puffs, notes, letters, stars, the bundle, spray.
#include <algorithm>

#include "assetgen/chars_props.h"
#include "world/chars/poses.h"
#include "world/palette_plan.h"

namespace assetgen::chars {
namespace {

using namespace world::chars;
using world::palette_plan::Common;
using world::palette_plan::kOutline;

constexpr uint8_t C(Ramp r, int s) { return Common(r, s); }

void Puff(Picture& p, int cx, int cy, int r, int shade) {
    p.FillEllipse(cx, cy, r, r * 3 / 4 + 1, C(Ramp::Grey, shade));
    p.FillEllipse(cx - r / 3, cy - r / 4, r / 2 + 1, r / 3 + 1, C(Ramp::Grey, 7));
}

void Note(Picture& p, int x, int y, int kind, Ramp ramp) {
    const uint8_t c = C(ramp, 3);
    p.FillEllipse(x, y, 3, 2, c);
    p.Line(x + 3, y, x + 3, y - 10, c, 1);
    p.Line(x + 2, y, x + 2, y - 10, c, 1);
    if (kind == 1) p.Line(x + 3, y - 10, x + 7, y - 6, c, 2);
    if (kind == 2) {
        p.FillEllipse(x + 8, y - 2, 3, 2, c);
        p.Line(x + 11, y - 2, x + 11, y - 12, c, 1);
        p.Line(x + 3, y - 10, x + 11, y - 12, c, 2);
    }
    if (kind == 3) {
        p.Line(x + 3, y - 10, x + 7, y - 7, c, 2);
        p.Line(x + 3, y - 7, x + 7, y - 4, c, 2);
    }
}

void Star(Picture& p, int cx, int cy, int r, uint8_t c) {
    p.FillPolygon({{cx, cy - r}, {cx + r / 3, cy - r / 3}, {cx + r, cy}, {cx + r / 3, cy + r / 3}, {cx, cy + r},
                   {cx - r / 3, cy + r / 3}, {cx - r, cy}, {cx - r / 3, cy - r / 3}},
                  c);
}

void Heart(Picture& p, int cx, int cy, int r, uint8_t c) {
    p.FillEllipse(cx - r / 2, cy - r / 3, r / 2 + 1, r / 2 + 1, c);
    p.FillEllipse(cx + r / 2, cy - r / 3, r / 2 + 1, r / 2 + 1, c);
    p.FillPolygon({{cx - r, cy - r / 4}, {cx + r, cy - r / 4}, {cx, cy + r}}, c);
}

void Letter(Picture& p, int x, int y, int s, uint8_t c) {
    p.Line(x, y, x + s, y, c, 2);
    p.Line(x + s, y, x, y + s, c, 2);
    p.Line(x, y + s, x + s, y + s, c, 2);
}

}  // namespace

bool DrawProp(Picture& p, const SheetFrame& f, uint8_t key) {
    const platform::RECT& r = f.rect;
    const int w = f.Width(), h = f.Height();
    const int cx = r.left + w / 2, cy = r.top + h / 2, base = r.top + h - 3;
    const int k = f.pose.phase;
    switch (f.pose.figure) {
        case kFigDust: Puff(p, cx, cy + 1, 4 + 2 * k, 5); Puff(p, cx + 3 + k, cy + 2, 2 + k, 6); break;
        case kFigSkid:
            for (int i = 0; i < 3; ++i) p.Line(r.left + 3, cy - 3 + 3 * i, r.left + 9 + 4 * k, cy - 3 + 3 * i, C(Ramp::Grey, 5), 1);
            Puff(p, r.left + 16 + k, cy, 4, 6);
            break;
        case kFigBark:
            for (int i = -1; i <= 1; ++i) {
                p.Line(cx - 3 - 3 * k, cy + 4 * i, cx - 9 - 3 * k, cy + 6 * i, C(Ramp::Red, 3), 2);
                p.Line(cx + 3 + 3 * k, cy + 4 * i, cx + 9 + 3 * k, cy + 6 * i, C(Ramp::Red, 3), 2);
            }
            break;
        case kFigPuff: Puff(p, cx, cy, 3 + k, 6); break;
        case kFigNote: Note(p, cx - 4, base - 2, k, k % 2 ? Ramp::Purple : Ramp::Blue); break;
        case kFigZzz: Letter(p, r.left + 3, r.top + 3, std::min(w, h) - 7, C(Ramp::Sky, 2)); break;
        case kFigStars:
            Star(p, cx - 7, cy + (k ? 2 : -2), 5, C(Ramp::Yellow, 5));
            Star(p, cx + 7, cy + (k ? -2 : 2), 4, C(Ramp::Gold, 5));
            break;
        case kFigSniff:
            for (int i = 0; i < 3; ++i) p.Line(cx - 7 + 6 * i, cy + 2 - k * 2, cx - 5 + 6 * i, cy - 2 - k * 2, C(Ramp::Grey, 3), 1);
            break;
        case kFigSparkle: Star(p, cx, cy, 4 + 2 * k, C(Ramp::Yellow, 6)); break;
        case kFigHeart: Heart(p, cx, cy, 4 + k, C(Ramp::Red, 4)); break;
        case kFigStretch:
            p.Line(r.left + 2, cy, r.left + 8, cy - 4, C(Ramp::Grey, 4), 1);
            p.Line(r.right - 3, cy, r.right - 9, cy - 4, C(Ramp::Grey, 4), 1);
            break;
        case kFigCloud: {
            // Rolling dust; phases 5..7 thin out as it settles.
            const int fade = std::max(0, k - 4);
            const int n = 7 - 2 * fade;
            for (int i = 0; i < n; ++i) {
                const int a = (i * 9 + k * 5) % 64;
                const int rr = 10 - fade * 2 + (i % 3) * 2;
                Puff(p, cx + Sine64(a) * (14 - fade) / 256, cy + 2 + Cosine64(a) * (9 - fade) / 256, rr, 4 + (i % 2));
            }
            break;
        }
        case kFigPaws: {
            // A paw, a tail tip and a star poking out of the cloud.
            const Ramp fur = f.pose.action ? Ramp::Slate : Ramp::Fur;
            const int a = k * 13;
            p.FillEllipse(cx + Sine64(a) * 12 / 256, cy + Cosine64(a) * 6 / 256, 4, 3, C(fur, 5));
            p.Line(cx - 14 + k * 2, cy + 4, cx - 8 + k * 2, cy - 6, C(fur, 3), 3);
            Star(p, cx + 10 - k * 3, cy - 6 + k, 3, C(Ramp::Yellow, 6));
            break;
        }
        case kFigBundle: {
            // A tied cloth bundle: lying, tipping up, held by its knot.
            const int tilt = k == 0 ? 0 : k == 1 ? 3 : 1;
            p.FillEllipse(cx, base - 6 + (k == 2 ? -1 : 0), 8, 6 - (k == 1 ? 1 : 0), C(Ramp::Blue, 4));
            p.FillEllipse(cx - 3, base - 8, 3, 2, C(Ramp::Blue, 6));
            for (int i = -6; i <= 6; i += 4) p.Plot(cx + i, base - 6, C(Ramp::Grey, 7));
            p.FillEllipse(cx + tilt, base - 13, 3, 2, C(Ramp::Red, 4));
            p.Line(cx + tilt - 3, base - 15, cx + tilt - 5, base - 17, C(Ramp::Red, 3), 2);
            p.Line(cx + tilt + 3, base - 15, cx + tilt + 5, base - 17, C(Ramp::Red, 3), 2);
            break;
        }
        case kFigSpray: {
            // Water thrown up behind the jet, away from its heading.
            const ScreenOffset back = ProjectLocal(f.pose.facing, -1, 0, 0);
            for (int i = 0; i < 5; ++i) {
                const int d = 2 + i * 2 + (k % 3);
                const int x = cx + back.x * d * 3 / 2 + ((i + k) % 3 - 1) * 3;
                const int y = cy + 3 + back.y * d - (i % 2) * 2;
                p.FillEllipse(x, y, 2 + (i + k) % 2, 2, C(Ramp::Sky, 5 + (i % 3 == 0)));
            }
            break;
        }
        case kFigRipple:
            for (int i = 0; i < 2; ++i) {
                const int rx = 14 + 6 * i + 2 * k, ry = 4 + i + k / 2;
                for (int a = 0; a < 64; a += 2) {
                    if ((a / 8 + k) % 3 == 0) continue;
                    p.Plot(cx + Sine64(a) * rx / 256, cy + Cosine64(a) * ry / 256, C(Ramp::Sky, 6));
                }
            }
            return true;  // thin rings, left without an outline
        case kFigStreak:
            for (int i = 0; i < 4; ++i) p.Line(r.left + 3 + 3 * ((i + k) % 2), r.top + 5 + 4 * i, r.right - 6 - 4 * (i % 2), r.top + 5 + 4 * i, C(Ramp::Grey, 5 - (i % 2)), 2);
            break;
        case kFigHumNote:
            Note(p, cx - 5, base - 12, 1, Ramp::Purple);
            Note(p, cx + 4, base - 26, 0, Ramp::Blue);
            break;
        case kFigShackle:
            p.FillRect(cx - 8, base - 16, 16, 12, C(Ramp::Slate, 3));
            p.FillRect(cx - 5, base - 13, 10, 6, key);
            p.Line(cx - 5, base - 16, cx - 3, base - 30, C(Ramp::Slate, 5), 3);
            p.Line(cx + 6, base - 16, cx + 9, base - 26, C(Ramp::Slate, 5), 3);
            Star(p, cx + 2, base - 34, 4, C(Ramp::Yellow, 6));
            break;
        case kFigDrops:
            for (int i = 0; i < 4; ++i) p.FillEllipse(cx - 9 + 6 * i, cy - 3 + ((i + k) % 2) * 5, 2, 3, C(Ramp::Sky, 5));
            break;
        default: return false;
    }
    OutlineRect(p, r, key);
    return true;
}

}  // namespace assetgen::chars
