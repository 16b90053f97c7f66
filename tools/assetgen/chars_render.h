#pragma once
// Drawing characters from simple solid shapes: ellipsoids placed in the
// character's own space (forward, right, up), seen from the front and a
// little above, shaded from the upper left and outlined in near-black where
// a nearer shape overlaps a farther one or meets the background.
#include <cstdint>
#include <vector>

#include "assetgen/art_canvas.h"
#include "platform/win_types.h"

namespace assetgen::chars {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct Blob {
    Vec3 centre;              // forward, right, up (pixels)
    Vec3 radius;              // along the blob's own axes
    double pitch = 0;         // tilt of its forward axis upwards (radians)
    double yaw = 0;           // turn of the blob about the up axis (radians)
    double roll = 0;          // turn about its forward axis (radians)
    Ramp ramp = Ramp::Grey;
    int lo = 1, hi = 6;       // shades used from dark to light
    uint8_t flat = 0;         // a single colour instead of shading, if set
};

// A figure: blobs in its own space, turned to face an eighth (0 up, 4 the
// viewer) and placed with its standing point at a pixel.
class Figure {
public:
    void Add(const Blob& blob) { blobs_.push_back(blob); }
    // A limb from a to b of the given thickness (radius).
    void Limb(Vec3 a, Vec3 b, double radius, Ramp ramp, int lo = 1, int hi = 6, uint8_t flat = 0);
    // Moves every blob added so far (a whole figure lifted or sunk).
    void Shift(Vec3 by);
    // Adds this figure's blobs to into, scaled about the origin and moved
    // by offset (a head drawn at its own size and put on a body).
    void ScaleInto(Figure& into, double scale, Vec3 offset) const;
    // Hides everything below this height (a figure half down a hole).
    void ClipBelow(double height) { clipBelow_ = height; }

    // Draws into the rectangle of pic with the standing point at
    // (rect.left + ax, rect.top + ay), scaled, turned by facing eighths
    // (plus extra radians). Nothing is drawn outside the rectangle; the
    // rectangle's background must be the key colour.
    void Render(Picture& pic, const platform::RECT& rect, int ax, int ay, int facing, double scale = 1.0,
                double extraTurn = 0.0, uint8_t key = 1) const;

private:
    std::vector<Blob> blobs_;
    double clipBelow_ = -1e9;
};

// Outlines everything not of the key colour inside rect: key pixels next to
// a figure pixel become the outline colour.
void OutlineRect(Picture& pic, const platform::RECT& rect, uint8_t key);
// Widens an outline drawn by OutlineRect by one pixel outwards: key pixels
// next to an outline pixel join it (a small character that must read
// against busy ground).
void ThickenOutline(Picture& pic, const platform::RECT& rect, uint8_t key);

}  // namespace assetgen::chars
