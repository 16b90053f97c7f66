// The six help pages: each teaches one thing with a picture first and a
// few large words. The band along the bottom holds the places of the three
// buttons the game draws over a page (a lit button covers its place).
#include <string>

#include "assetgen/menus_art.h"
#include "assetgen/menus_font.h"
#include "assetgen/menus_layout.h"
#include "assetgen/menus_palette.h"
#include "assetgen/world_icons.h"
#include "world/chars/poses.h"

namespace assetgen::menus {
namespace {

using namespace world::chars;

void Words(Picture& p, const std::string& text, int cx, int cy, int cell = 4) {
    DrawCentred(p, text, cx, cy, cell, kInk, cell / 2 + 2, Paper(7));
}

Picture Page(int page, const std::string& title) {
    Picture p(kScreenW, kScreenH);
    Backdrop(p, 40 + uint32_t(page));
    DrawCentred(p, title, kCentreX, 38, 6, kTitleInk, 5, Paper(7));
    // The button band: places for the three buttons and a dot per page.
    RoundRect(p, 6, kHelpBandTop + 2, kScreenW - 12, kScreenH - kHelpBandTop - 6, 16, Paper(2));
    RoundRect(p, 9, kHelpBandTop + 5, kScreenW - 18, kScreenH - kHelpBandTop - 12, 13, Paper(6));
    for (int b = 0; b < 3; ++b) HelpButton(p, kHelpButtonX[size_t(b)], kHelpButtonY, b, false);
    for (int i = 0; i < kHelpPages; ++i) {
        const int x = 145 + i * 22, y = kHelpButtonY + 24;
        p.FillEllipse(x, y, 8, 8, i == page ? kMarkDark : Paper(3));
        p.FillEllipse(x, y, 6, 6, i == page ? kMarkRed : Paper(5));
    }
    for (int i = 0; i < kHelpPages; ++i) {
        const int x = 400 + i * 22, y = kHelpButtonY + 24;
        Note(p, x, y + 6, 9, i == page ? kMarkRed : Paper(4));
    }
    return p;
}

void Icon(Picture& p, int category, int index, int cx, int cy) {
    const Picture icon = DrawIcon(category, index);
    p.Draw(icon, cx - icon.width() / 2, cy - icon.height() / 2, kKey);
}

// A key lying on its side, ring on the left, teeth at the right end.
void GoldKey(Picture& p, int x, int y, int size) {
    const int r = size / 4, t = std::max(4, size / 8);
    p.FillEllipse(x + r, y, r + 2, r + 2, kEdge);
    p.FillRect(x + r, y - t / 2 - 2, size - r, t + 4, kEdge);
    p.FillRect(x + size - t * 2 - 2, y, t + 4, t * 2 + 2, kEdge);
    p.FillEllipse(x + r, y, r, r, Common(Ramp::Gold, 4));
    p.FillEllipse(x + r, y, r / 2, r / 2, Paper(7));
    p.FillRect(x + r, y - t / 2, size - r - 2, t, Common(Ramp::Gold, 4));
    p.FillRect(x + size - t * 2, y, t, t * 2, Common(Ramp::Gold, 3));
}

void Pedestal(Picture& p, int cx, int base, bool full) {
    RoundRect(p, cx - 34, base - 14, 68, 14, 4, Common(Ramp::Slate, 2));
    p.FillRect(cx - 20, base - 70, 40, 58, Common(Ramp::Slate, 4));
    p.FillRect(cx - 20, base - 70, 10, 58, Common(Ramp::Slate, 6));
    RoundRect(p, cx - 30, base - 80, 60, 12, 4, Common(Ramp::Slate, 3));
    if (full) Icon(p, 2, 1, cx, base - 112);
}

void Lock(Picture& p, int cx, int cy, int holes) {
    p.FillEllipse(cx, cy - 34, 30, 30, kEdge);
    p.FillEllipse(cx, cy - 34, 22, 22, Common(Ramp::Sky, 5));
    RoundRect(p, cx - 46, cy - 30, 92, 76, 14, kEdge);
    RoundRect(p, cx - 43, cy - 27, 86, 70, 12, Common(Ramp::Gold, 4));
    for (int i = 0; i < holes; ++i) {
        const int x = cx - 26 + 26 * i;
        p.FillEllipse(x, cy, 6, 6, kEdge);
        p.FillRect(x - 2, cy, 5, 16, kEdge);
    }
}

void Lever(Picture& p, int cx, int base, bool pulled) {
    RoundRect(p, cx - 30, base - 22, 60, 22, 6, Common(Ramp::Brown, 2));
    const int tx = pulled ? cx + 44 : cx - 10, ty = pulled ? base - 70 : base - 90;
    p.Line(cx, base - 18, tx, ty, kEdge, 9);
    p.Line(cx, base - 18, tx, ty, Common(Ramp::Slate, 5), 5);
    p.FillEllipse(tx, ty, 13, 13, kEdge);
    p.FillEllipse(tx, ty, 11, 11, Common(Ramp::Red, 4));
    p.FillEllipse(tx - 3, ty - 3, 3, 3, Common(Ramp::Red, 6));
}

// A round-headed arrow along an arc, to show something turning.
void TurnArrow(Picture& p, int cx, int cy, int r, uint8_t c) {
    for (int turn = 40; turn < 70; ++turn)
        p.Line(cx + Sine64(turn) * r / 256, cy - Cosine64(turn) * r / 256, cx + Sine64(turn + 1) * r / 256,
               cy - Cosine64(turn + 1) * r / 256, c, 5);
    ArrowHead(p, cx + Sine64(70) * r / 256, cy - Cosine64(70) * r / 256, 16, 1, c);
}

// Page 0: the pup visits six lands and finds their music.
Picture Aim() {
    Picture p = Page(0, "Find the music!");
    const Ramp grounds[6] = {Ramp::Leaf, Ramp::Pink, Ramp::Orange, Ramp::Purple, Ramp::Red, Ramp::Teal};
    for (int i = 0; i < 6; ++i) {
        const int cx = 60 + 104 * i, cy = 128;
        p.FillEllipse(cx, cy, 46, 46, kEdge);
        p.FillEllipse(cx, cy, 43, 43, Common(Ramp::Sky, 6));
        for (int y = cy + 8; y <= cy + 43; ++y)
            for (int x = cx - 43; x <= cx + 43; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= 43 * 43) p.Plot(x, y, Common(grounds[i], 3 + (y - cy) / 16));
        Icon(p, i, 0, cx, cy - 4);
    }
    for (int i = 0; i < 6; ++i) {
        const int x = 60 + 104 * i;
        Note(p, (x + 320) / 2, 214 + (i % 2) * 16, 12, Common(grounds[i], 2));
    }
    DrawPup(p, 230, 200, 180, 170, 4, kActDance, 2, kMouthOpen | kTongue);
    Words(p, "Go to the six lands.", kCentreX, 386);
    return p;
}

// Page 1: arrow keys walk, space picks up and puts down.
Picture Walk() {
    Picture p = Page(1, "Walk and carry");
    KeyCap(p, 82, 96, 60, 54, "^", 3);
    KeyCap(p, 18, 154, 60, 54, "<", 3);
    KeyCap(p, 82, 154, 60, 54, "v", 3);
    KeyCap(p, 146, 154, 60, 54, ">", 3);
    Words(p, "Walk", 112, 262, 5);
    DrawPup(p, 230, 130, 170, 170, 2, kActWalk, 2);
    for (int i = 0; i < 3; ++i) p.FillEllipse(240 - i * 14, 286 + (i % 2) * 6, 5, 3, Paper(5));
    KeyCap(p, 430, 186, 180, 54, "Space", 3);
    Icon(p, 1, 2, 520, 122);
    p.Line(470, 136, 470, 96, Common(Ramp::Leaf, 2), 5);
    ArrowHead(p, 470, 92, 18, 0, Common(Ramp::Leaf, 2));
    p.Line(570, 96, 570, 136, Common(Ramp::Red, 2), 5);
    ArrowHead(p, 570, 140, 18, 2, Common(Ramp::Red, 2));
    Words(p, "Pick up", 520, 282);
    Words(p, "Put down", 520, 330);
    Words(p, "Arrows", 112, 330);
    return p;
}

// Page 2: icons sing louder as the pup comes near; carry them to pedestals.
Picture Sing() {
    Picture p = Page(2, "Icons sing");
    Icon(p, 3, 2, 70, 170);
    for (int i = 0; i < 4; ++i) Note(p, 118 + 40 * i, 128 + 6 * i, 20 - 4 * i, Common(Ramp::Purple, 2 + i));
    DrawPup(p, 150, 130, 150, 140, 3, kActWalk, 4);
    Words(p, "Near: louder!", 160, 310);
    // A little room with three pedestals.
    RoundRect(p, 350, 86, 270, 240, 14, Common(Ramp::Brown, 1));
    RoundRect(p, 355, 91, 260, 230, 11, Common(Ramp::Fur, 5));
    p.FillRect(355, 91, 260, 80, Common(Ramp::Fur, 3));
    for (int i = 0; i < 3; ++i) Pedestal(p, 400 + 85 * i, 300, i == 0);
    p.Line(300, 246, 332, 246, kMarkRed, 7);
    ArrowHead(p, 340, 246, 22, 1, kMarkRed);
    Words(p, "Take them here", 485, 364);
    return p;
}

// Page 3: a full pedestal shows a key; keys go in the lock, turn, then pull.
Picture Lockup() {
    Picture p = Page(3, "Keys and the lock");
    const char* steps[4] = {"A key!", "Put it in", "Turn", "Pull!"};
    for (int i = 0; i < 4; ++i) {
        const int x = 10 + 157 * i;
        RoundRect(p, x, 72, 150, 250, 14, Paper(2));
        RoundRect(p, x + 3, 75, 144, 244, 11, Paper(7));
        p.FillEllipse(x + 22, 96, 15, 15, kMarkRed);
        DrawCentred(p, std::to_string(i + 1), x + 22, 96, 3, Paper(7));
        Words(p, steps[i], x + 75, 348);
    }
    Pedestal(p, 85, 300, true);
    GoldKey(p, 50, 120, 70);
    Lock(p, 242, 230, 3);
    GoldKey(p, 180, 144, 64);
    p.Line(228, 172, 236, 198, kMarkRed, 4);
    ArrowHead(p, 238, 204, 14, 2, kMarkRed);
    Lock(p, 399, 250, 3);
    TurnArrow(p, 399, 250, 40, kMarkRed);
    for (int i = 0; i < 3; ++i) Note(p, 350 + 46 * i, 140 - 10 * (i % 2), 11, Common(Ramp::Purple, 3));
    Lever(p, 556, 296, true);
    // The way the lever goes: over the top and down to the right.
    for (int turn = 56; turn < 69; ++turn)
        p.Line(556 + Sine64(turn) * 110 / 256, 290 - Cosine64(turn) * 110 / 256, 556 + Sine64(turn + 1) * 110 / 256,
               290 - Cosine64(turn + 1) * 110 / 256, kMarkRed, 5);
    ArrowHead(p, 556 + Sine64(69) * 110 / 256 + 4, 290 - Cosine64(69) * 110 / 256, 16, 1, kMarkRed);
    return p;
}

// A cassette with a green tick, as the den shows when the song was kept.
void Cassette(Picture& p, int x, int y) {
    RoundRect(p, x, y + 10, 96, 62, 8, kEdge);
    RoundRect(p, x + 3, y + 13, 90, 56, 6, Common(Ramp::Slate, 4));
    p.FillRect(x + 12, y + 18, 72, 30, Common(Ramp::Yellow, 6));
    p.FillRect(x + 12, y + 21, 72, 4, Common(Ramp::Red, 4));
    p.FillRect(x + 28, y + 30, 40, 14, Common(Ramp::Grey, 2));
    for (int reel = 0; reel < 2; ++reel) {
        p.FillEllipse(x + 37 + reel * 22, y + 37, 5, 5, Common(Ramp::Grey, 7));
        p.FillEllipse(x + 37 + reel * 22, y + 37, 2, 2, Common(Ramp::Grey, 2));
    }
    p.FillEllipse(x + 84, y + 14, 16, 16, Common(Ramp::Leaf, 5));
    p.Line(x + 76, y + 14, x + 82, y + 21, Common(Ramp::Grey, 7), 4);
    p.Line(x + 82, y + 21, x + 92, y + 6, Common(Ramp::Grey, 7), 4);
}

// Page 4: freed musicians play in the den; space chooses their part and R
// keeps their song.
Picture Band() {
    Picture p = Page(4, "The band");
    RoundRect(p, 20, 70, 600, 240, 16, Common(Ramp::Brown, 1));
    RoundRect(p, 24, 74, 592, 232, 13, Common(Ramp::Purple, 5));
    p.FillRect(24, 230, 592, 76, Common(Ramp::Fur, 4));
    for (int m = 0; m < 3; ++m) DrawMusician(p, 40 + 190 * m, 90, 170, 210, m * 2, kActPlay, m);
    for (int i = 0; i < 5; ++i) Note(p, 120 + 100 * i, 96 + (i % 2) * 14, 12, Common(Ramp::Gold, 2 + i % 3));
    KeyCap(p, 24, 322, 140, 48, "Space", 3);
    Words(p, "Choose what", 252, 330, 3);
    Words(p, "they play", 252, 364, 3);
    // R keeps the song: a key, an arrow, a cassette with a tick.
    KeyCap(p, 372, 322, 60, 48, "R", 4);
    p.Line(440, 346, 468, 346, kMarkRed, 6);
    ArrowHead(p, 478, 346, 18, 1, kMarkRed);
    Cassette(p, 494, 314);
    return p;
}

// Page 5: Escape opens this menu with save, load and volume.
Picture Options() {
    Picture p = Page(5, "This menu");
    KeyCap(p, 40, 150, 130, 90, "Esc", 5);
    p.Line(190, 196, 236, 196, kMarkRed, 8);
    ArrowHead(p, 248, 196, 28, 1, kMarkRed);
    Board(p, 276, 80, 330, 260);
    const struct {
        const char* words;
        Sign sign;
    } lines[3] = {{"Save", Sign::Save}, {"Load", Sign::Load}, {"Volume", Sign::Volume}};
    for (int i = 0; i < 3; ++i) {
        const int y = 130 + 78 * i;
        DrawSign(p, lines[i].sign, 330, y, 44);
        DrawCentred(p, lines[i].words, 470, y, 5, kInk);
    }
    Words(p, "Escape opens me.", kCentreX, 380);
    return p;
}

}  // namespace

std::vector<MenuPicture> DrawHelpPages() {
    std::vector<MenuPicture> out;
    out.push_back({"aim.bmp", Aim(), false});
    out.push_back({"mangopup.bmp", Walk(), false});
    out.push_back({"musicpuz1.bmp", Sing(), false});
    out.push_back({"musicpuz2.bmp", Lockup(), false});
    out.push_back({"band.bmp", Band(), false});
    out.push_back({"options.bmp", Options(), false});
    return out;
}

}  // namespace assetgen::menus
