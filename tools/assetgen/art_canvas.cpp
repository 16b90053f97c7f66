#include "assetgen/art_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace assetgen {

using world::palette_plan::Common;

uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

int Sine64(int turn) {
    static const int kQuarter[17] = {0, 25, 50, 74, 98, 121, 142, 162, 181, 198, 213, 226, 237, 245, 251, 255, 256};
    turn = ((turn % 64) + 64) % 64;
    if (turn <= 16) return kQuarter[turn];
    if (turn <= 32) return kQuarter[32 - turn];
    if (turn <= 48) return -kQuarter[turn - 32];
    return -kQuarter[64 - turn];
}

Picture::Picture(int width, int height, uint8_t fill)
    : width_(std::max(1, width)), height_(std::max(1, height)), pixels_(size_t(width_) * height_, fill) {}

void Picture::Fill(uint8_t c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Picture::FillRect(int x, int y, int w, int h, uint8_t c) {
    for (int yy = std::max(0, y); yy < std::min(height_, y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(width_, x + w); ++xx) pixels_[size_t(yy) * width_ + xx] = c;
}

void Picture::FillEllipse(int cx, int cy, int rx, int ry, uint8_t c) {
    if (rx <= 0 || ry <= 0) return;
    const int64_t rr = int64_t(rx) * rx * ry * ry;
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx)
            if (int64_t(dx) * dx * ry * ry + int64_t(dy) * dy * rx * rx <= rr) Plot(cx + dx, cy + dy, c);
}

void Picture::ShadedEllipse(int cx, int cy, int rx, int ry, Ramp ramp, int lo, int hi) {
    if (rx <= 0 || ry <= 0) return;
    const int64_t rr = int64_t(rx) * rx * ry * ry;
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx) {
            if (int64_t(dx) * dx * ry * ry + int64_t(dy) * dy * rx * rx > rr) continue;
            // Brightness falls off with the distance from a highlight up-left.
            const int hx = (dx + rx / 3) * 256 / rx, hy = (dy + ry / 3) * 256 / ry;
            const int d = (hx * hx + hy * hy) / 256;  // 0 .. ~600
            const int shade = hi - (d * (hi - lo + 1)) / 420;
            Plot(cx + dx, cy + dy, Common(ramp, std::clamp(shade, lo, hi)));
        }
}

void Picture::ShadedRect(int x, int y, int w, int h, Ramp ramp, int lo, int hi) {
    for (int i = 0; i < w; ++i) {
        const int shade = hi - (i * (hi - lo + 1)) / std::max(1, w);
        FillRect(x + i, y, 1, h, Common(ramp, std::clamp(shade, lo, hi)));
    }
}

void Picture::FillPolygon(const std::vector<Point>& points, uint8_t c) {
    if (points.size() < 3) return;
    int top = points[0].y, bottom = points[0].y;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    std::vector<int> xs;
    for (int y = top; y <= bottom; ++y) {
        xs.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i], b = points[(i + 1) % points.size()];
            if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y)) {
                xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = xs[i]; x <= xs[i + 1]; ++x) Plot(x, y, c);
    }
}

void Picture::Line(int x0, int y0, int x1, int y1, uint8_t c, int thickness) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    const int r = thickness / 2;
    for (int i = 0; i <= steps; ++i) {
        const int x = steps ? x0 + (x1 - x0) * i / steps : x0;
        const int y = steps ? y0 + (y1 - y0) * i / steps : y0;
        if (r <= 0)
            Plot(x, y, c);
        else
            FillEllipse(x, y, r, r, c);
    }
}

void Picture::Replace(int x, int y, int w, int h, uint8_t from, uint8_t to) {
    for (int yy = std::max(0, y); yy < std::min(height_, y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(width_, x + w); ++xx) {
            uint8_t& p = pixels_[size_t(yy) * width_ + xx];
            if (p == from) p = to;
        }
}

void Picture::Outline(uint8_t background, uint8_t outline) {
    std::vector<uint8_t> out = pixels_;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (At(x, y) != background) continue;
            static const int kN[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& n : kN) {
                const int nx = x + n[0], ny = y + n[1];
                if (!Inside(nx, ny)) continue;
                const uint8_t v = At(nx, ny);
                if (v != background && v != outline) {
                    out[size_t(y) * width_ + x] = outline;
                    break;
                }
            }
        }
    pixels_.swap(out);
}

void Picture::Draw(const Picture& src, int x, int y, int key) {
    for (int yy = 0; yy < src.height(); ++yy)
        for (int xx = 0; xx < src.width(); ++xx) {
            const uint8_t v = src.At(xx, yy);
            if (v != key) Plot(x + xx, y + yy, v);
        }
}

Picture Picture::Cut(int x, int y, int w, int h) const {
    Picture out(w, h);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) out.Plot(xx, yy, At(x + xx, y + yy));
    return out;
}

Picture Picture::Mirrored() const {
    Picture out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.Plot(width_ - 1 - x, y, At(x, y));
    return out;
}

Picture JoinStrip(const std::vector<Picture>& frames, uint8_t fill) {
    if (frames.empty()) return Picture(1, 1, fill);
    const int w = frames[0].width(), h = frames[0].height();
    Picture out(w * int(frames.size()), h, fill);
    for (size_t i = 0; i < frames.size(); ++i) out.Draw(frames[i], int(i) * w, 0, -1);
    return out;
}

}  // namespace assetgen
