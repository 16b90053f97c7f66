// The credits' full-screen pictures and captions, all in one palette.
#include <algorithm>

#include "assetgen/credits_art.h"

namespace assetgen::credits {
namespace {

using world::palette_plan::Common;
using world::palette_plan::kOutline;
using world::palette_plan::kPlaceFirst;
using world::palette_plan::Rgb;

constexpr int kW = 640, kH = 480;
constexpr int kWallShades = 64;
constexpr int kFloorTop = 420;
constexpr uint8_t C(Ramp r, int s) { return Common(r, s); }
constexpr uint8_t Wall(int shade) { return static_cast<uint8_t>(kPlaceFirst + std::clamp(shade, 0, kWallShades - 1)); }

struct CaptionText {
    const char* role;
    const char* line;
};
// In the order of world::chars::CreditCaption.
constexpr CaptionText kCaptionTexts[world::chars::kCreditCaptionCount] = {
    {"GRAPHICS", "PICTURES FOR TUNEWANDER"},
    {"ANIMATION", "THE TUNEWANDER CAST IN MOTION"},
    {"GRAPHICS PROGRAMMING", "THE TUNEWANDER ENGINE"},
    {"ADDITIONAL HELP", "FETCHING, CARRYING & TESTING"},
    {"SPECIAL THANKS", "TO EVERY TUNEWANDER PLAYER"},
    {"MUSIC", "SONGS OF THE SIX LANDS"},
    {"ORIGINAL CONCEPT", "THE TUNEWANDER IDEA"},
    {"AUDIO PROGRAMMING", "SYNTH AND SOUND"},
    {"SOUND EFFECTS", "BANGS, BELLS & BARKS"},
};

// The largest font cell (up to most) at which text fits in width.
int FitCell(const std::string& text, int width, int most) {
    int cell = most;
    while (cell > 1 && TextWidth(text, cell) > width) --cell;
    return cell;
}

// A plate with rounded corners and a border.
void Plate(Picture& p, int x, int y, int w, int h, uint8_t fill, uint8_t border) {
    const int r = std::min(12, h / 3);
    auto rounded = [&](int inset, uint8_t c) {
        const int rr = r - inset;
        p.FillRect(x + inset + rr, y + inset, w - 2 * inset - 2 * rr, h - 2 * inset, c);
        p.FillRect(x + inset, y + inset + rr, w - 2 * inset, h - 2 * inset - 2 * rr, c);
        for (int cx : {x + inset + rr, x + w - inset - rr - 1})
            for (int cy : {y + inset + rr, y + h - inset - rr - 1}) p.FillEllipse(cx, cy, rr, rr, c);
    };
    rounded(0, kOutline);
    rounded(2, border);
    rounded(5, fill);
}

void Note(Picture& p, int x, int y, int size, uint8_t colour) {
    p.FillEllipse(x, y, size, size * 3 / 4, colour);
    p.Line(x + size - 1, y, x + size - 1, y - size * 4, colour, std::max(1, size / 3));
    p.Line(x + size - 1, y - size * 4, x + size * 2, y - size * 3, colour, std::max(1, size / 3));
}

void Star(Picture& p, int cx, int cy, int r, uint8_t colour) {
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) {
        const int rr = i % 2 ? r * 2 / 5 : r;
        const int a = i * 64 / 10 - 16;
        points.push_back({cx + rr * Cosine64(a) / 256, cy + rr * Sine64(a) / 256});
    }
    p.FillPolygon(points, colour);
}

// The stage: a wall fading up into the dark, curtains at the sides, a
// plank floor with a spotlight on it.
Picture Stage() {
    Picture p(kW, kH, Wall(0));
    for (int y = 0; y < kFloorTop; ++y) p.FillRect(0, y, kW, 1, Wall(y * kWallShades / kFloorTop));
    for (int y = kFloorTop; y < kH; ++y) {
        const int plank = (y - kFloorTop) / 12;
        p.FillRect(0, y, kW, 1, C(Ramp::Brown, (y - kFloorTop) % 12 == 0 ? 1 : 3 + plank % 2));
    }
    p.FillEllipse(320, 448, 250, 24, C(Ramp::Fur, 4));
    p.FillEllipse(320, 448, 200, 17, C(Ramp::Fur, 5));
    for (int i = 0; i < 14; ++i) {
        const int x = 70 + static_cast<int>(Hash(i, 3, 91) % 500);
        const int y = 140 + static_cast<int>(Hash(i, 4, 91) % 200);
        if (i % 2) Star(p, x, y, 4, C(Ramp::Yellow, 5));
        else Note(p, x, y, 4, C(Ramp::Purple, 5));
    }
    for (int side = 0; side < 2; ++side) {
        const int left = side ? kW - 56 : 0;
        for (int x = 0; x < 56; ++x) {
            const int fold = (Sine64(x * 4) + 256) * 4 / 512;
            p.FillRect(left + x, 0, 1, kH - 20 + (side ? x : 56 - x) / 4, C(Ramp::Red, 1 + fold));
        }
    }
    p.FillRect(0, 0, kW, 22, C(Ramp::Red, 2));
    for (int x = 0; x < kW; x += 32) p.FillEllipse(x + 16, 22, 16, 10, C(Ramp::Red, 3));
    p.FillRect(0, 0, kW, 4, C(Ramp::Gold, 4));
    return p;
}

}  // namespace

world::palette_plan::Palette CreditsPalette() {
    world::palette_plan::Palette palette = world::palette_plan::CommonPalette();
    const Rgb top{18, 14, 48}, bottom{104, 66, 138};
    for (int i = 0; i < kWallShades; ++i)
        palette[static_cast<size_t>(kPlaceFirst + i)] = world::palette_plan::MixRgb(top, bottom, i, kWallShades - 1);
    return palette;
}

Picture DrawBackground() { return Stage(); }

Picture DrawCaption(int caption) {
    const world::chars::CaptionPlace& place = world::chars::CreditCaptionPlace(caption);
    const CaptionText& text = kCaptionTexts[std::clamp(caption, 0, world::chars::kCreditCaptionCount - 1)];
    Picture p(place.w, place.h, world::palette_plan::kWhite);
    Plate(p, 0, 0, place.w, place.h, C(Ramp::Purple, 1), C(Ramp::Gold, 5));
    const int roleCell = FitCell(text.role, place.w - 28, 5);
    const int lineCell = std::min(roleCell, FitCell(text.line, place.w - 28, 3));
    const int gap = 8;
    const int top = (place.h - 7 * roleCell - gap - 7 * lineCell) / 2;
    DrawTextCentred(p, text.role, place.w / 2, top, roleCell, C(Ramp::Yellow, 6), kOutline);
    DrawTextCentred(p, text.line, place.w / 2, top + 7 * roleCell + gap, lineCell, C(Ramp::Grey, 7), kOutline);
    return p;
}

Picture DrawClosingPicture() {
    Picture p = Stage();
    Plate(p, 60, 44, 520, 356, C(Ramp::Purple, 1), C(Ramp::Gold, 5));
    auto line = [&p](const char* text, int y, int most, uint8_t colour) {
        DrawTextCentred(p, text, 320, y, FitCell(text, 470, most), colour, kOutline);
    };
    line("THANK YOU FOR PLAYING", 70, 3, C(Ramp::Grey, 7));
    line("TUNEWANDER!", 104, 6, C(Ramp::Yellow, 6));
    line("MADE WITH FREE SOFTWARE:", 172, 3, C(Ramp::Sky, 6));
    line("SDL2 - SDL_TTF - GOOGLETEST", 206, 3, C(Ramp::Grey, 7));
    line("THE COMIC NEUE FONT", 236, 3, C(Ramp::Grey, 7));
    line("TUNEWANDER IS FREE SOFTWARE.", 284, 3, C(Ramp::Leaf, 6));
    line("SHARE IT, STUDY IT, CHANGE IT.", 316, 2, C(Ramp::Grey, 6));
    for (int i = 0; i < 5; ++i) Note(p, 120 + i * 100, 376 - (i % 2) * 8, 6, C(i % 2 ? Ramp::Pink : Ramp::Sky, 5));
    return p;
}

Picture DrawLogo(int logo) {
    Picture p(kW, kH, Wall(0));
    for (int y = 0; y < kH; ++y) p.FillRect(0, y, kW, 1, Wall(y * kWallShades / kH / 2));
    const int cx = 320, cy = 200;
    p.FillEllipse(cx, cy, 122, 122, C(Ramp::Gold, 5));
    p.FillEllipse(cx, cy, 114, 114, C(Ramp::Purple, 2));
    static const char* kNames[5] = {"TUNEWANDER", "TUNEWANDER MUSIC", "TUNEWANDER STUDIO", "TUNEWANDER DEN",
                                    "TUNEWANDER PUPS"};
    const int n = std::clamp(logo, 1, 5) - 1;
    switch (n) {
        case 0:  // a paw print
            p.FillEllipse(cx, cy + 30, 46, 38, C(Ramp::Fur, 5));
            for (int i = 0; i < 4; ++i)
                p.FillEllipse(cx - 57 + i * 38, cy - 30 - (i == 1 || i == 2 ? 22 : 0), 17, 22, C(Ramp::Fur, 5));
            break;
        case 1:  // a note
            Note(p, cx - 18, cy + 46, 30, C(Ramp::Gold, 6));
            break;
        case 2:  // a star
            Star(p, cx, cy, 96, C(Ramp::Yellow, 5));
            Star(p, cx, cy, 60, C(Ramp::Orange, 4));
            break;
        case 3:  // the den: a little house
            p.FillRect(cx - 60, cy - 10, 120, 84, C(Ramp::Fur, 5));
            p.FillPolygon({{cx - 80, cy - 6}, {cx, cy - 86}, {cx + 80, cy - 6}}, C(Ramp::Red, 4));
            p.FillEllipse(cx, cy + 44, 22, 30, C(Ramp::Brown, 1));
            p.FillRect(cx - 22, cy + 44, 45, 30, C(Ramp::Brown, 1));
            break;
        default:  // a bone
            p.Line(cx - 60, cy, cx + 60, cy, C(Ramp::Grey, 7), 34);
            for (int sx : {-1, 1})
                for (int sy : {-1, 1}) p.FillEllipse(cx + sx * 70, cy + sy * 18, 24, 24, C(Ramp::Grey, 7));
            break;
    }
    DrawTextCentred(p, kNames[n], cx, 360, FitCell(kNames[n], 560, 6), C(Ramp::Yellow, 6), kOutline);
    return p;
}

}  // namespace assetgen::credits
