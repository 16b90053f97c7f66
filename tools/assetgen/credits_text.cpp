// Text for the credits pictures: the movies' block letters, plus the digits
// and punctuation that the names of the free software need.

#include "assetgen/credits_art.h"
#include "assetgen/movies_canvas.h"

namespace assetgen::credits {
namespace {

struct Extra {
    char letter;
    const char* rows[7];
};
constexpr Extra kExtras[] = {
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {',', {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
    {'&', {".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"}},
};

constexpr int kAdvance = Canvas::kGlyphWidth + 1;

void DrawGlyph(Picture& pic, char letter, int x, int y, int cell, uint8_t colour) {
    for (const Extra& e : kExtras) {
        if (e.letter != letter) continue;
        for (int row = 0; row < Canvas::kGlyphHeight; ++row)
            for (int col = 0; col < Canvas::kGlyphWidth; ++col)
                if (e.rows[row][col] == '#') pic.FillRect(x + col * cell, y + row * cell, cell, cell, colour);
        return;
    }
    // Letters come from the block font, drawn on a scratch canvas.
    Canvas glyph(Canvas::kGlyphWidth * cell, Canvas::kGlyphHeight * cell);
    if (!glyph.DrawGlyph(letter, 0, 0, cell, 1)) return;
    for (int gy = 0; gy < glyph.height(); ++gy)
        for (int gx = 0; gx < glyph.width(); ++gx)
            if (glyph.At(gx, gy)) pic.Plot(x + gx, y + gy, colour);
}

}  // namespace

int TextWidth(const std::string& text, int cell) { return Canvas::TextWidth(text, cell); }

void DrawText(Picture& pic, const std::string& text, int x, int y, int cell, uint8_t colour) {
    for (char c : text) {
        DrawGlyph(pic, c, x, y, cell, colour);
        x += kAdvance * cell;
    }
}

void DrawTextCentred(Picture& pic, const std::string& text, int cx, int y, int cell, uint8_t colour, uint8_t shadow) {
    const int x = cx - TextWidth(text, cell) / 2;
    const int drop = cell >= 3 ? cell / 2 + 1 : 1;
    DrawText(pic, text, x + drop, y + drop, cell, shadow);
    DrawText(pic, text, x, y, cell, colour);
}

}  // namespace assetgen::credits
