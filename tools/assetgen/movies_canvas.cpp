#include "assetgen/movies_canvas.h"

#include <cctype>
#include <cstdint>

namespace assetgen {
namespace {

// A quarter wave of sine x 256, 16 steps.
constexpr int kQuarterSine[17] = {0,   25,  50,  74,  98,  121, 142, 162, 181,
                                  198, 213, 226, 237, 245, 251, 255, 256};

// 5 x 7 capitals; '#' is a block.
struct Glyph {
    char letter;
    const char* rows[7];
};
constexpr Glyph kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
};

const Glyph* FindGlyph(char letter) {
    const char upper = char(std::toupper(static_cast<unsigned char>(letter)));
    for (const Glyph& g : kFont)
        if (g.letter == upper) return &g;
    return nullptr;
}

}  // namespace

int SineTurn64(int turn) {
    const int t = ((turn % 64) + 64) % 64;
    if (t <= 16) return kQuarterSine[t];
    if (t <= 32) return kQuarterSine[32 - t];
    if (t <= 48) return -kQuarterSine[t - 32];
    return -kQuarterSine[64 - t];
}

void Canvas::VerticalRamp(int top, int bottom, uint8_t first, int count) {
    const int span = bottom - top > 0 ? bottom - top : 1;
    for (int y = top; y < bottom; ++y)
        FillRect(0, y, width_, 1, uint8_t(first + (y - top) * count / span));
}

void Canvas::FillRect(int x, int y, int w, int h, uint8_t colour) {
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) Plot(col, row, colour);
}

void Canvas::FillEllipse(int cx, int cy, int rx, int ry, uint8_t colour) {
    if (rx <= 0 || ry <= 0) return;
    const int64_t rx2 = int64_t(rx) * rx, ry2 = int64_t(ry) * ry;
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx)
            if (dx * dx * ry2 + dy * dy * rx2 <= rx2 * ry2) Plot(cx + dx, cy + dy, colour);
}

void Canvas::OutlinedEllipse(int cx, int cy, int rx, int ry, uint8_t colour, uint8_t outline, int width) {
    FillEllipse(cx, cy, rx + width, ry + width, outline);
    FillEllipse(cx, cy, rx, ry, colour);
}

int Canvas::TextWidth(const std::string& text, int cell) {
    return text.empty() ? 0 : int(text.size()) * (kGlyphWidth + 1) * cell - cell;
}

bool Canvas::DrawGlyph(char letter, int x, int y, int cell, uint8_t colour) {
    const Glyph* glyph = FindGlyph(letter);
    if (!glyph) return false;
    for (int row = 0; row < kGlyphHeight; ++row)
        for (int col = 0; col < kGlyphWidth; ++col) {
            if (glyph->rows[row][col] != '#') continue;
            const int bx = x + col * cell, by = y + row * cell;
            if (cell >= 4) {
                // Rounded blocks: the corners of each cell stay clear.
                FillRect(bx + 1, by, cell - 2, cell, colour);
                FillRect(bx, by + 1, cell, cell - 2, colour);
            } else {
                FillRect(bx, by, cell, cell, colour);
            }
        }
    return true;
}

void Canvas::DrawText(const std::string& text, int x, int y, int cell, uint8_t colour) {
    for (char c : text) {
        DrawGlyph(c, x, y, cell, colour);
        x += (kGlyphWidth + 1) * cell;
    }
}

}  // namespace assetgen
