#pragma once
// Pictures for the map renderer: 8-bit bitmaps read with the game's own
// bitmap-file routines, drawn into an RGB canvas through a place's palette.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "world/land_file_format.h"

namespace render_map {

struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;        // top-down rows of width bytes
    std::vector<uint8_t> paletteRgb;    // 256 x (red, green, blue)
};

// Reads an 8-bit bitmap; false when it is missing or not one.
bool LoadBitmap(const std::string& path, Bitmap* out);

class Canvas {
public:
    Canvas(int width, int height, const std::vector<uint8_t>& paletteRgb);
    int width() const { return width_; }
    int height() const { return height_; }

    // Copies the rectangle (sx, sy, w, h) of the bitmap to (x, y); with
    // keyed set, pixels of the bitmap's pure green entry are left out.
    void Blit(const Bitmap& b, int sx, int sy, int w, int h, int x, int y, bool keyed);
    void FillRect(const world::lnd::Rect& r, uint8_t red, uint8_t green, uint8_t blue);
    void FrameRect(const world::lnd::Rect& r, uint8_t red, uint8_t green, uint8_t blue, int thickness);
    void Ring(int cx, int cy, int radius, uint8_t red, uint8_t green, uint8_t blue);
    // Writes a PNG, shrunk by a whole factor. Returns 1 / 0.
    int WritePng(const std::string& path, int shrink) const;

private:
    void Put(int x, int y, uint8_t red, uint8_t green, uint8_t blue);
    int width_, height_;
    std::vector<uint8_t> palette_;
    std::vector<uint8_t> rgb_;
};

}  // namespace render_map
