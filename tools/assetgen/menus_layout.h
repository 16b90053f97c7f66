#pragma once
// Where the options menu puts its markers over the menu pictures, and the
// sizes of the small pictures it moves about. The pictures are drawn so
// that a marker placed by these rules sits on its line; the tests check the
// same rules.
#include <array>

namespace assetgen::menus {

inline constexpr int kScreenW = 640, kScreenH = 480;
inline constexpr int kCentreX = 320;

// The folder of every menu picture inside the data folder.
inline constexpr const char* kFolder = "graphics/options/";

// Sprite sizes.
inline constexpr int kSmallMarkerW = 400, kSmallMarkerH = 56;  // weered2
inline constexpr int kLargeMarkerW = 320, kLargeMarkerH = 38;  // bigred2
inline constexpr int kKnobW = 24, kKnobH = 40;                 // volnob
inline constexpr int kEmptyW = 260, kEmptyH = 30;              // empty
inline constexpr int kButtonW = 64, kButtonH = 48;             // arrowl, cancel, arrowr

// Menu lists (title and game menu): line i is centred at y = 68 (i + 1).
inline constexpr int kListLines = 6;
constexpr int ListLineY(int i) { return 68 * (i + 1); }

// Load and save: eight slots, then the cancel line; the title stays above.
inline constexpr int kSlots = 8;
constexpr int SlotY(int s) { return 110 + 40 * s; }
inline constexpr int kSlotCancelY = 440;
inline constexpr int kSlotTitleY = 48;

// Volume: three faders whose knob centre runs from kFaderLeft over
// kFaderTravel pixels; each item's label line, then the back line.
inline constexpr int kFaders = 3;
constexpr int FaderY(int k) { return 166 + 80 * k; }
constexpr int VolumeItemY(int item) { return item < kFaders ? 150 + 80 * item : 400; }  // item 3 is "Back"
// The knob's middle runs from x = 500 over the whole groove to 616; its
// right edge stays on the screen at full volume.
inline constexpr int kFaderLeft = 500, kFaderTravel = 116;

// Confirmations: the marker's TOP edge is given, so a line's centre is
// top + marker height / 2.
constexpr int SureLineY(int item) { return 220 + 60 * item + kSmallMarkerH / 2; }
constexpr int ReplaceLineY(int item) { return 310 + 45 * item + kSmallMarkerH / 2; }

// Help pages: the three buttons' top-left corners (as in prefs.ini); the
// pictures stay clear of the band below kHelpBandTop.
inline constexpr int kHelpButtonY = 420;
inline constexpr std::array<int, 3> kHelpButtonX{40, 296, 552};
inline constexpr int kHelpBandTop = 410;
inline constexpr int kHelpPages = 6;

}  // namespace assetgen::menus
