// Letters drawn big: the glyph is drawn once at a large cell size, then
// sampled down to the box, so strokes stay round at any size.
#include "assetgen/title_letters.h"

#include <algorithm>
#include <string>
#include <vector>

#include "assetgen/menus_font.h"

namespace assetgen::title {
namespace {

using world::palette_plan::Common;
using world::palette_plan::Ramp;

constexpr int kBigCell = 12;

// Coverage mask of the glyph, w x h, from its drawn bounding box.
std::vector<bool> GlyphMask(char c, int w, int h) {
    const std::string text(1, c);
    const int bw = menus::TextWidth(text, kBigCell) + 4 * kBigCell, bh = 12 * kBigCell;
    Picture big(bw, bh, 0);
    menus::DrawText(big, text, kBigCell, kBigCell, kBigCell, 1);
    int left = bw, right = -1, top = bh, bottom = -1;
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x)
            if (big.At(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    std::vector<bool> mask(size_t(w) * size_t(h), false);
    if (right < 0) return mask;
    const int sw = right - left + 1, sh = bottom - top + 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Half or more of the source block covered.
            const int x0 = left + x * sw / w, x1 = left + (x + 1) * sw / w;
            const int y0 = top + y * sh / h, y1 = top + (y + 1) * sh / h;
            int on = 0, all = 0;
            for (int yy = y0; yy < std::max(y1, y0 + 1); ++yy)
                for (int xx = x0; xx < std::max(x1, x0 + 1); ++xx, ++all) on += big.At(xx, yy) ? 1 : 0;
            mask[size_t(y) * size_t(w) + size_t(x)] = 2 * on >= all;
        }
    return mask;
}

}  // namespace

void DrawBigLetter(Picture& pic, char c, int x, int y, int w, int h, Ramp ramp, int outline) {
    const int iw = w - 2 * outline, ih = h - 2 * outline;
    if (iw <= 0 || ih <= 0) return;
    const std::vector<bool> mask = GlyphMask(c, iw, ih);
    const auto on = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < iw && j < ih && mask[size_t(j) * size_t(iw) + size_t(i)];
    };
    for (int j = -outline; j < ih + outline; ++j)
        for (int i = -outline; i < iw + outline; ++i) {
            bool near = false;
            for (int dy = -outline; dy <= outline && !near; ++dy)
                for (int dx = -outline; dx <= outline && !near; ++dx)
                    near = dx * dx + dy * dy <= outline * outline + 1 && on(i + dx, j + dy);
            if (near) pic.Plot(x + outline + i, y + outline + j, Common(Ramp::Grey, 0));
        }
    for (int j = 0; j < ih; ++j)
        for (int i = 0; i < iw; ++i) {
            if (!on(i, j)) continue;
            // Lit from above: a bright rim on top, darker towards the foot.
            const bool rim = !on(i, j - 1) || !on(i, j - 2);
            const int shade = rim ? 7 : 6 - 3 * j / ih;
            pic.Plot(x + outline + i, y + outline + j, Common(ramp, shade));
        }
}

void DrawQuaver(Picture& pic, int x, int y, int w, int h, Ramp ramp) {
    const uint8_t edge = Common(Ramp::Grey, 0), body = Common(ramp, 5), light = Common(ramp, 7);
    const int rx = std::max(2, w * 3 / 10), ry = std::max(2, h / 7);
    const int hx = x + rx + 1, hy = y + h - ry - 2;
    const int stem = std::max(2, w / 7), sx = hx + rx - stem / 2;
    pic.FillEllipse(hx, hy, rx + 1, ry + 1, edge);
    pic.Line(sx, hy, sx, y + 2, edge, stem + 2);
    pic.Line(sx, y + 2, x + w - 2, y + h / 3, edge, stem + 2);
    pic.FillEllipse(hx, hy, rx, ry, body);
    pic.Line(sx, hy, sx, y + 2, body, stem);
    pic.Line(sx, y + 2, x + w - 2, y + h / 3, body, stem);
    pic.Plot(hx - rx / 2, hy - ry / 2, light);
}

}  // namespace assetgen::title
