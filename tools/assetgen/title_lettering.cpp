// Tunewander.bmp: the word cut into the title's letter cells, one letter a
// cell in the order the letter channels stand from left to right; and
// url.bmp, the line naming the project under the title.
#include <algorithm>
#include <array>
#include <numeric>
#include <string>

#include "assetgen/menus_font.h"
#include "assetgen/title_art.h"
#include "assetgen/title_letters.h"
#include "world/chars/title_tables.h"

namespace assetgen::title {
namespace {

using world::palette_plan::Common;
using world::palette_plan::Ramp;

constexpr char kWord[] = "Tunewander";
constexpr int kLetters = 10;
constexpr Ramp kInks[kLetters] = {Ramp::Red,  Ramp::Orange, Ramp::Yellow, Ramp::Leaf, Ramp::Teal,
                                  Ramp::Sky,  Ramp::Blue,   Ramp::Purple, Ramp::Pink, Ramp::Red};
constexpr int kSmallHeight = 28;  // lower-case letters without ascenders

void DrawLetterCell(Picture& pic, const platform::RECT& r, int i) {
    const char c = kWord[i];
    const int w = r.right - r.left, h = r.bottom - r.top;
    // Everything stands on the cell's foot; ascenders and the capital use
    // the whole height, and room above a small letter gets a bouncing note.
    const int lh = c == 'T' ? h - 6 : c == 'd' ? h : std::min(h, kSmallHeight);
    const int lw = c == 'T' ? w : c == 'r' ? 25 : std::min(w, 29);
    const int lx = r.left + (c == 'r' ? 0 : (w - lw) / 2);
    DrawBigLetter(pic, c, lx, r.bottom - lh, lw, lh, kInks[i]);
    const Ramp note = kInks[(i + 4) % kLetters];
    if (c == 'r') {
        DrawQuaver(pic, r.left + 27, r.top + 4, w - 28, h - 8, note);
    } else if (h - lh >= 16) {
        const int nw = std::min(w - 4, 16);
        DrawQuaver(pic, r.left + (w - nw) / 2, r.top, nw, h - lh - 1, note);
    }
}

}  // namespace

Picture DrawLetters() {
    const auto& t = world::chars::GetTitleTables();
    Picture pic(t.lettersWidth, t.lettersHeight, kBlackKey);
    std::array<int, kLetters> order{};
    std::iota(order.begin(), order.end(), world::chars::kFirstLetterChannel);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return t.channels[size_t(a)].x[0] < t.channels[size_t(b)].x[0];
    });
    for (int i = 0; i < kLetters; ++i)
        DrawLetterCell(pic, t.letterCells[t.channels[size_t(order[size_t(i)])].cell[0]], i);
    return pic;
}

Picture DrawProjectLine() {
    constexpr int kWidth = 419, kHeight = 23, kCell = 2;
    const std::string line = "Tunewander - a music adventure";
    Picture pic(kWidth, kHeight, kGreenKey);
    menus::DrawCentred(pic, line, kWidth / 2, kHeight / 2, kCell, Common(Ramp::Yellow, 6), 2,
                       Common(Ramp::Grey, 0));
    return pic;
}

}  // namespace assetgen::title
