// The menu pages with lines to choose from: the two menu lists, load and
// save, volume and the two questions. Words sit exactly where the menu puts
// its marker (menus_layout.h); a sign beside each line helps children who
// cannot read yet.
#include <string>

#include "assetgen/menus_art.h"
#include "assetgen/menus_font.h"
#include "assetgen/menus_layout.h"
#include "assetgen/menus_palette.h"

namespace assetgen::menus {
namespace {

constexpr int kLineCell = 4;  // menu lines: capitals 28 pixels high
// Room for words inside the small marker's frame.
constexpr int kLineRoom = kSmallMarkerW - 76;

int FitCell(const std::string& text, int room, int cell) {
    while (cell > 2 && TextWidth(text, cell) > room) --cell;
    return cell;
}

struct Line {
    const char* words;
    Sign sign;
};

// Words on the sky get a cream halo so they read on any shade of it.
void SkyWords(Picture& p, const std::string& text, int cx, int cy, int cell, uint8_t ink) {
    DrawCentred(p, text, cx, cy, cell, ink, cell / 2 + 2, Paper(7));
}

// The words of a line the small marker frames: raised by half a cell, so
// capitals and descenders together sit in the middle of the frame.
void LineWords(Picture& p, const std::string& text, int cy, bool onSky = false) {
    const int cell = FitCell(text, kLineRoom, kLineCell);
    if (onSky)
        SkyWords(p, text, kCentreX, cy - cell / 2, cell, kInk);
    else
        DrawCentred(p, text, kCentreX, cy - cell / 2, cell, kInk);
}

Picture List(const Line (&lines)[kListLines], uint32_t seed, bool pupSits) {
    Picture p(kScreenW, kScreenH);
    Backdrop(p, seed);
    Board(p, 96, 30, 448, 420);
    for (int i = 0; i < kListLines; ++i) {
        const int y = ListLineY(i);
        if (i > 0) {
            // A dotted rule halfway between two lines.
            for (int x = 150; x < 490; x += 12) p.FillEllipse(x, y - 34, 1, 1, Paper(4));
        }
        LineWords(p, lines[i].words, y);
        p.FillEllipse(56, y, 30, 30, Paper(7));
        p.FillEllipse(56, y, 27, 27, Common(Ramp::Sky, 6));
        DrawSign(p, lines[i].sign, 56, y, 34);
    }
    // The pup keeps the menu company in the corner.
    DrawPup(p, 548, 330, 92, 140, 4, pupSits ? 2 : 0, 0, 1);
    for (int i = 0; i < 3; ++i) Note(p, 574 + 24 * i, 90 + 70 * i, 12, Common(Ramp::Purple, 3 + i));
    return p;
}

Picture TitleList() {
    static const Line lines[kListLines] = {{"New game", Sign::Play}, {"Load", Sign::Load},
                                           {"Volume", Sign::Volume}, {"Help", Sign::Help},
                                           {"Credits", Sign::Credits}, {"Quit", Sign::Quit}};
    return List(lines, 11, true);
}

Picture GameList() {
    static const Line lines[kListLines] = {{"Back to game", Sign::Play}, {"Save", Sign::Save},
                                           {"Volume", Sign::Volume}, {"Help", Sign::Help},
                                           {"Quit to the title", Sign::Home}, {"Quit", Sign::Quit}};
    return List(lines, 12, false);
}

// Load and save: a title, eight slot strips and a cancel line.
Picture Slots(const std::string& title, Sign sign, uint32_t seed) {
    Picture p(kScreenW, kScreenH);
    Backdrop(p, seed);
    const int titleCell = 6;
    SkyWords(p, title, kCentreX + 24, kSlotTitleY, titleCell, kTitleInk);
    const int signX = kCentreX + 24 - TextWidth(title, titleCell) / 2 - 46;
    p.FillEllipse(signX, kSlotTitleY, 30, 30, Paper(7));
    DrawSign(p, sign, signX, kSlotTitleY, 40);
    Board(p, 140, SlotY(0) - 26, 360, SlotY(kSlots - 1) - SlotY(0) + 52);
    for (int s = 0; s < kSlots; ++s) {
        const int y = SlotY(s);
        RoundRect(p, kCentreX - 148, y - 15, 296, 30, 10, Paper(3));
        RoundRect(p, kCentreX - 146, y - 13, 292, 26, 8, Paper(5));
        p.FillEllipse(kCentreX - 124, y, 10, 10, Common(Ramp::Sky, 3 + s % 3));
        DrawCentred(p, "Game " + std::to_string(s + 1), kCentreX, y, 3, kInk);
    }
    LineWords(p, "Cancel", kSlotCancelY, true);
    DrawSign(p, Sign::No, kCentreX - 110, kSlotCancelY, 30);
    return p;
}

// Volume: three faders, each with a sign and a label, then "Back".
Picture Volume() {
    Picture p(kScreenW, kScreenH);
    Backdrop(p, 13);
    SkyWords(p, "Volume", kCentreX, 54, 6, kTitleInk);
    static const Line faders[kFaders] = {{"All sounds", Sign::Volume}, {"Music + sounds", Sign::Music},
                                         {"Music disc", Sign::Disc}};
    for (int k = 0; k < kFaders; ++k) {
        const int label = VolumeItemY(k), track = FaderY(k);
        Board(p, 12, label - 36, 616, track - label + 62, 16);
        p.FillEllipse(60, label + 8, 28, 28, Common(Ramp::Sky, 6));
        DrawSign(p, faders[k].sign, 60, label + 8, 36);
        LineWords(p, faders[k].words, label);
        // Bars that grow from quiet to loud, over a groove the knob slides in.
        for (int i = 0; i < 8; ++i) {
            const int x = kFaderLeft + 4 + i * 15, hBar = 4 + i * 3;
            p.FillRect(x, track - 10 - hBar, 9, hBar, Common(Ramp::Leaf, 2 + i / 2));
        }
        RoundRect(p, kFaderLeft - 4, track - 5, kScreenW - kFaderLeft - 8, 10, 5, Common(Ramp::Slate, 1));
        p.FillRect(kFaderLeft, track - 1, kScreenW - kFaderLeft - 16, 2, Common(Ramp::Slate, 4));
    }
    const int back = VolumeItemY(kFaders);
    LineWords(p, "Back", back, true);
    DrawSign(p, Sign::Back, kCentreX - 90, back, 34);
    return p;
}

// A question and Yes / No lines at the given centres.
Picture Question(const char* first, const char* second, int questionY, int yesY, int noY, Sign sign, uint32_t seed) {
    Picture p(kScreenW, kScreenH);
    Backdrop(p, seed);
    const int top = questionY - 70;
    Board(p, 96, top, 448, noY + 40 - top);
    DrawSign(p, sign, kCentreX, questionY - 40, 40);
    DrawCentred(p, first, kCentreX, questionY + 8, 5, kInk);
    DrawCentred(p, second, kCentreX, questionY + 56, 5, kInk);
    LineWords(p, "Yes", yesY);
    DrawSign(p, Sign::Yes, kCentreX - 60, yesY, 30);
    LineWords(p, "No", noY);
    DrawSign(p, Sign::No, kCentreX - 60, noY, 30);
    return p;
}

}  // namespace

std::vector<MenuPicture> DrawMenuScreens() {
    std::vector<MenuPicture> out;
    out.push_back({"mainopts2.bmp", TitleList(), false});
    out.push_back({"gameopts.bmp", GameList(), false});
    out.push_back({"load.bmp", Slots("Load", Sign::Load, 14), false});
    out.push_back({"save.bmp", Slots("Save", Sign::Save, 15), false});
    out.push_back({"volume.bmp", Volume(), false});
    out.push_back({"sure.bmp", Question("Do you really", "want to quit?", 96, SureLineY(0), SureLineY(1), Sign::Quit, 16), false});
    out.push_back({"replace.bmp",
                   Question("Replace this", "saved game?", 186, ReplaceLineY(0), ReplaceLineY(1), Sign::Save, 17), false});
    return out;
}

}  // namespace assetgen::menus
