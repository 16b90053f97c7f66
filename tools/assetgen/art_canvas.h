#pragma once
// An 8-bit picture and the shapes the world's art is drawn from. Integer
// arithmetic and a fixed hash for texture, so every run draws the same bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "world/palette_plan.h"

namespace assetgen {

using world::palette_plan::Ramp;

// A repeatable pseudo-random value for a position and a seed.
uint32_t Hash(int x, int y, uint32_t seed);

struct Point {
    int x, y;
};

class Picture {
public:
    Picture(int width, int height, uint8_t fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<uint8_t>& pixels() const { return pixels_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    uint8_t At(int x, int y) const { return Inside(x, y) ? pixels_[size_t(y) * width_ + x] : 0; }
    void Plot(int x, int y, uint8_t c) {
        if (Inside(x, y)) pixels_[size_t(y) * width_ + x] = c;
    }

    void Fill(uint8_t c);
    void FillRect(int x, int y, int w, int h, uint8_t c);
    void FillEllipse(int cx, int cy, int rx, int ry, uint8_t c);
    // An ellipse lit from the upper left: shades lo..hi of a common ramp.
    void ShadedEllipse(int cx, int cy, int rx, int ry, Ramp ramp, int lo = 1, int hi = 6);
    // A box lit from the left: lighter on its left third, darker on its right.
    void ShadedRect(int x, int y, int w, int h, Ramp ramp, int lo = 2, int hi = 5);
    void FillPolygon(const std::vector<Point>& points, uint8_t c);
    // A line of the given thickness (round ends).
    void Line(int x0, int y0, int x1, int y1, uint8_t c, int thickness = 1);
    // Replaces every pixel of colour from inside the rectangle by colour to.
    void Replace(int x, int y, int w, int h, uint8_t from, uint8_t to);
    // Draws a one-pixel outline of colour outline on every background pixel
    // that touches a pixel that is neither background nor outline.
    void Outline(uint8_t background, uint8_t outline);
    // Copies src to (x, y), leaving out pixels equal to key.
    void Draw(const Picture& src, int x, int y, int key);
    // A copy of the rectangle (x, y, w, h).
    Picture Cut(int x, int y, int w, int h) const;
    // Mirror image left to right.
    Picture Mirrored() const;

private:
    int width_, height_;
    std::vector<uint8_t> pixels_;
};

// Frames of equal size side by side in one strip.
Picture JoinStrip(const std::vector<Picture>& frames, uint8_t fill);

// Integer sine: sin(2 pi turn / 64) x 256.
int Sine64(int turn);
inline int Cosine64(int turn) { return Sine64(turn + 16); }

}  // namespace assetgen
