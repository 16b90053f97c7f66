#pragma once
// An 8-bit picture with the few shapes the start-up movies are drawn from:
// gradients, rectangles, ellipses and a small rounded block font. Integer
// arithmetic only, so every run draws the same bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// sin(turn / 64 of a full turn) x 256, for turn in any integer.
int SineTurn64(int turn);

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height, 0) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<uint8_t>& pixels() const { return pixels_; }
    uint8_t At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

    void Plot(int x, int y, uint8_t colour) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[size_t(y) * width_ + x] = colour;
    }
    // Rows top to bottom run through colours first .. first + count - 1.
    void VerticalRamp(int top, int bottom, uint8_t first, int count);
    void FillRect(int x, int y, int w, int h, uint8_t colour);
    void FillEllipse(int cx, int cy, int rx, int ry, uint8_t colour);
    // The same ellipse with an outline of the given width around it.
    void OutlinedEllipse(int cx, int cy, int rx, int ry, uint8_t colour, uint8_t outline, int width = 1);

    // Text in the block font: each font pixel is a cell x cell rounded block.
    // Returns the width the text takes.
    static int TextWidth(const std::string& text, int cell);
    void DrawText(const std::string& text, int x, int y, int cell, uint8_t colour);
    // One letter; false when the font has no glyph for it (drawn as a gap).
    bool DrawGlyph(char letter, int x, int y, int cell, uint8_t colour);

    static constexpr int kGlyphWidth = 5;
    static constexpr int kGlyphHeight = 7;

private:
    int width_, height_;
    std::vector<uint8_t> pixels_;
};

}  // namespace assetgen
