#include "assetgen/chars_render.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "world/chars/poses.h"
#include "world/palette_plan.h"

namespace assetgen::chars {
namespace {

using world::chars::kViewCos;
using world::chars::kViewSin;
using world::palette_plan::Common;
using world::palette_plan::kOutline;

constexpr double kPi = 3.14159265358979323846;

Vec3 Roll(Vec3 v, double a) {
    return {v.x, v.y * std::cos(a) - v.z * std::sin(a), v.y * std::sin(a) + v.z * std::cos(a)};
}
Vec3 Pitch(Vec3 v, double a) {
    return {v.x * std::cos(a) - v.z * std::sin(a), v.y, v.x * std::sin(a) + v.z * std::cos(a)};
}
Vec3 Yaw(Vec3 v, double a) {
    return {v.x * std::cos(a) - v.y * std::sin(a), v.x * std::sin(a) + v.y * std::cos(a), v.z};
}
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Figure space (forward, right, up) to the world (screen right, away, up).
Vec3 ToWorld(Vec3 v, double turn) {
    return {v.x * std::sin(turn) + v.y * std::cos(turn), v.x * std::cos(turn) - v.y * std::sin(turn), v.z};
}

struct Placed {
    Vec3 centre, axis[3];
    double radius[3];
    const Blob* blob;
};

}  // namespace

void Figure::Limb(Vec3 a, Vec3 b, double radius, Ramp ramp, int lo, int hi, uint8_t flat) {
    const Vec3 d{b.x - a.x, b.y - a.y, b.z - a.z};
    const double ground = std::sqrt(d.x * d.x + d.y * d.y);
    const double length = std::sqrt(ground * ground + d.z * d.z);
    Blob blob;
    blob.centre = {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
    blob.radius = {length / 2 + radius * 0.6, radius, radius};
    blob.yaw = std::atan2(d.y, d.x);
    blob.pitch = std::atan2(d.z, ground);
    blob.ramp = ramp;
    blob.lo = lo;
    blob.hi = hi;
    blob.flat = flat;
    Add(blob);
}

void Figure::ScaleInto(Figure& into, double scale, Vec3 offset) const {
    for (Blob b : blobs_) {
        b.centre = {b.centre.x * scale + offset.x, b.centre.y * scale + offset.y, b.centre.z * scale + offset.z};
        b.radius = {b.radius.x * scale, b.radius.y * scale, b.radius.z * scale};
        into.Add(b);
    }
}

void Figure::Shift(Vec3 by) {
    for (Blob& b : blobs_) b.centre = {b.centre.x + by.x, b.centre.y + by.y, b.centre.z + by.z};
}

void Figure::Render(Picture& pic, const platform::RECT& rect, int ax, int ay, int facing, double scale,
                    double extraTurn, uint8_t key) const {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0 || blobs_.empty()) return;
    const double turn = (facing & 7) * kPi / 4 + extraTurn;
    std::vector<Placed> placed;
    for (const Blob& b : blobs_) {
        Placed p;
        p.blob = &b;
        p.centre = ToWorld(b.centre, turn);
        const Vec3 basis[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        for (int i = 0; i < 3; ++i) p.axis[i] = ToWorld(Yaw(Pitch(Roll(basis[i], b.roll), b.pitch), b.yaw), turn);
        p.radius[0] = std::max(0.3, b.radius.x);
        p.radius[1] = std::max(0.3, b.radius.y);
        p.radius[2] = std::max(0.3, b.radius.z);
        placed.push_back(p);
    }
    const Vec3 view{0, kViewCos, -kViewSin};
    Vec3 light{-0.55, -0.5, 0.67};
    const double ll = std::sqrt(Dot(light, light));
    light = {light.x / ll, light.y / ll, light.z / ll};

    std::vector<double> depth(size_t(w) * h, std::numeric_limits<double>::infinity());
    std::vector<int> owner(size_t(w) * h, -1);
    std::vector<uint8_t> colour(size_t(w) * h, key);
    for (size_t n = 0; n < placed.size(); ++n) {
        const Placed& p = placed[n];
        const double reach = std::max({p.radius[0], p.radius[1], p.radius[2]}) * scale + 2;
        const double cx = ax + p.centre.x * scale;
        const double cy = ay - (p.centre.y * kViewSin + p.centre.z * kViewCos) * scale;
        const int x0 = std::max(0, int(cx - reach)), x1 = std::min(w - 1, int(cx + reach));
        const int y0 = std::max(0, int(cy - reach)), y1 = std::min(h - 1, int(cy + reach));
        for (int py = y0; py <= y1; ++py)
            for (int px = x0; px <= x1; ++px) {
                const double sx = (px + 0.5 - ax) / scale, sy = (py + 0.5 - ay) / scale;
                const Vec3 origin{sx - p.centre.x, -sy * kViewSin - p.centre.y, -sy * kViewCos - p.centre.z};
                double o[3], d[3];
                for (int i = 0; i < 3; ++i) {
                    o[i] = Dot(origin, p.axis[i]) / p.radius[i];
                    d[i] = Dot(view, p.axis[i]) / p.radius[i];
                }
                const double a = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
                const double bq = o[0] * d[0] + o[1] * d[1] + o[2] * d[2];
                const double c = o[0] * o[0] + o[1] * o[1] + o[2] * o[2] - 1;
                const double disc = bq * bq - a * c;
                if (disc < 0) continue;
                const double t = (-bq - std::sqrt(disc)) / a;
                const size_t at = size_t(py) * w + px;
                if (t >= depth[at]) continue;
                if (-sy * kViewCos - t * kViewSin < clipBelow_) continue;
                depth[at] = t;
                owner[at] = int(n);
                const Blob& b = *p.blob;
                if (b.flat) {
                    colour[at] = b.flat;
                    continue;
                }
                Vec3 normal{0, 0, 0};
                for (int i = 0; i < 3; ++i) {
                    const double k = (o[i] + t * d[i]) / p.radius[i];
                    normal = {normal.x + k * p.axis[i].x, normal.y + k * p.axis[i].y, normal.z + k * p.axis[i].z};
                }
                const double len = std::sqrt(Dot(normal, normal));
                const double lit = len > 0 ? std::max(0.0, Dot(normal, light) / len) : 0.5;
                const int shade = b.lo + int(std::lround((b.hi - b.lo) * (0.1 + 0.9 * lit)));
                colour[at] = Common(b.ramp, std::clamp(shade, b.lo, b.hi));
            }
    }
    // Lines where a nearer shape overlaps a farther one.
    const double step = 2.5;
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const size_t at = size_t(py) * w + px;
            if (owner[at] < 0) continue;
            static const int kN[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& nb : kN) {
                const int nx = px + nb[0], ny = py + nb[1];
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const size_t other = size_t(ny) * w + nx;
                if (owner[other] >= 0 && owner[other] != owner[at] && depth[other] < depth[at] - step) {
                    colour[at] = kOutline;
                    break;
                }
            }
        }
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const uint8_t c = colour[size_t(py) * w + px];
            if (c != key) pic.Plot(rect.left + px, rect.top + py, c);
        }
    OutlineRect(pic, rect, key);
}

namespace {

// Turns into outline every key pixel inside rect with a 4-neighbour inside
// rect that `joins` accepts; every pixel is judged on the picture as it was.
template <typename Joins>
void OutlineKeyPixels(Picture& pic, const platform::RECT& rect, uint8_t key, Joins joins) {
    std::vector<std::pair<int, int>> marks;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            if (pic.At(x, y) != key) continue;
            static const int kN[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& nb : kN) {
                const int nx = x + nb[0], ny = y + nb[1];
                if (nx < rect.left || ny < rect.top || nx >= rect.right || ny >= rect.bottom) continue;
                if (joins(pic.At(nx, ny))) {
                    marks.push_back({x, y});
                    break;
                }
            }
        }
    for (const auto& [x, y] : marks) pic.Plot(x, y, kOutline);
}

}  // namespace

void OutlineRect(Picture& pic, const platform::RECT& rect, uint8_t key) {
    OutlineKeyPixels(pic, rect, key, [key](uint8_t v) { return v != key && v != kOutline; });
}

void ThickenOutline(Picture& pic, const platform::RECT& rect, uint8_t key) {
    OutlineKeyPixels(pic, rect, key, [](uint8_t v) { return v == kOutline; });
}

}  // namespace assetgen::chars
