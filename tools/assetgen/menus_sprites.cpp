// The small pictures the options menu moves over its pages: the two red
// markers, the volume knob, the mark over an empty save slot and the three
// highlighted help buttons. All are keyed on pure green.
#include "assetgen/menus_art.h"
#include "assetgen/menus_font.h"
#include "assetgen/menus_layout.h"
#include "assetgen/menus_palette.h"

namespace assetgen::menus {
namespace {

// A hollow red frame with rounded corners: dark rim, red band, dark rim.
void RedFrame(Picture& p, int x, int y, int w, int h, int r, int band) {
    RoundRect(p, x, y, w, h, r, kMarkDark);
    RoundRect(p, x + 1, y + 1, w - 2, h - 2, r - 1, kMarkRed);
    p.FillRect(x + r, y + 2, w - 2 * r, 1, kMarkLight);  // a glint along the top
    RoundRect(p, x + band, y + band, w - 2 * band, h - 2 * band, r - band + 1, kMarkDark);
    RoundRect(p, x + band + 1, y + band + 1, w - 2 * band - 2, h - 2 * band - 2, r - band, kKey);
}

// weered2: a frame round one menu line with a red pointer on either side.
Picture SmallMarker() {
    const int w = kSmallMarkerW, h = kSmallMarkerH;
    Picture p(w, h, kKey);
    RedFrame(p, 30, 0, w - 60, h, 16, 5);
    const int cy = h / 2;
    for (int side : {0, 1}) {
        // Pointers on both sides, aimed at the words.
        const auto x = [&](int px) { return side ? w - 1 - px : px; };
        p.FillPolygon({{x(1), cy - 15}, {x(27), cy}, {x(1), cy + 15}}, kMarkDark);
        p.FillPolygon({{x(3), cy - 11}, {x(23), cy}, {x(3), cy + 11}}, kMarkRed);
    }
    return p;
}

// bigred2: a wider, flatter frame round one save slot.
Picture LargeMarker() {
    Picture p(kLargeMarkerW, kLargeMarkerH, kKey);
    RedFrame(p, 0, 0, kLargeMarkerW, kLargeMarkerH, 12, 4);
    return p;
}

// volnob: a brass slider knob with grip lines.
Picture Knob() {
    const int w = kKnobW, h = kKnobH;
    Picture p(w, h, kKey);
    RoundRect(p, 0, 0, w, h, 7, kEdge);
    RoundRect(p, 1, 1, w - 2, h - 2, 6, Common(Ramp::Gold, 3));
    RoundRect(p, 3, 2, w - 8, h - 6, 5, Common(Ramp::Gold, 5));
    for (int y = h / 2 - 8; y <= h / 2 + 8; y += 6) {
        p.FillRect(5, y, w - 10, 2, Common(Ramp::Gold, 1));
        p.FillRect(5, y + 2, w - 10, 1, Common(Ramp::Gold, 6));
    }
    return p;
}

// empty: a grey plate that covers an unused slot's words.
Picture EmptyMark() {
    Picture p(kEmptyW, kEmptyH, kKey);
    RoundRect(p, 0, 0, kEmptyW, kEmptyH, 10, Common(Ramp::Slate, 2));
    RoundRect(p, 2, 2, kEmptyW - 4, kEmptyH - 4, 8, Common(Ramp::Slate, 5));
    DrawCentred(p, "Empty", kEmptyW / 2, kEmptyH / 2 - 4, 3, Common(Ramp::Slate, 2));
    return p;
}

Picture Button(int kind) {
    Picture p(kButtonW, kButtonH, kKey);
    HelpButton(p, 0, 0, kind, true);
    return p;
}

}  // namespace

std::vector<MenuPicture> DrawMenuSprites() {
    std::vector<MenuPicture> out;
    out.push_back({"weered2.bmp", SmallMarker(), true});
    out.push_back({"bigred2.bmp", LargeMarker(), true});
    out.push_back({"volnob.bmp", Knob(), true});
    out.push_back({"empty.bmp", EmptyMark(), true});
    out.push_back({"arrowl.bmp", Button(0), true});
    out.push_back({"cancel.bmp", Button(1), true});
    out.push_back({"arrowr.bmp", Button(2), true});
    return out;
}

}  // namespace assetgen::menus
