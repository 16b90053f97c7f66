#pragma once
// The credits' eight pages as program data: each page's figure sheet (white
// keyed) with its cells, its caption bitmap(s) and which of the nine caption
// rectangles of the preferences each one stands in, and seven sequences of
// (cell, x, y) steps, one step every 100 ms. Cell 0, and the empty cell
// before the strip at the bottom of a sheet, draw nothing; x and y are the
// cell's top-left corner on the 640 x 480 screen.
//
// The game reads the files, cells and sequences; the generator also reads
// each cell's pose (who is shown doing what) and the caption layout it
// writes into the preferences.
#include <array>
#include <cstdint>
#include <string>

#include "platform/win_types.h"
#include "world/chars/sheet.h"

namespace world::chars {

inline constexpr int kCreditPages = 8;
inline constexpr int kCreditSequences = 7;
// Steps of each page's sequences, and cells of its sheet (cell 0 included).
inline constexpr std::array<int, kCreditPages> kCreditSteps{62, 68, 66, 65, 68, 68, 50, 46};
inline constexpr std::array<int, kCreditPages> kCreditCells{13, 13, 15, 14, 15, 7, 17, 22};

// The nine caption rectangles, in the order of their preference keys.
enum CreditCaption : int {
    kCaptionGraphics, kCaptionAnimate, kCaptionGraphPrg, kCaptionAddHelp1, kCaptionAddHelp2,
    kCaptionMusic, kCaptionOrigConc, kCaptionAudioPrg, kCaptionSfx, kCreditCaptionCount
};

// Pose::figure of a credits cell: who is drawn.
enum CrewActor : uint8_t {
    kCrewDog, kCrewCat,
    kCrewMusician,   // Pose::variant = band member 0..5
    kCrewProp,       // a strip cell: things on the floor
};

// Pose::action of a credits cell: what they are doing (phase = step of it).
enum CrewTask : uint8_t {
    kTaskPaint,       // at an easel; phase 0..3, the picture grows
    kTaskPalette,     // mixing colours on a palette
    kTaskFlipBook,    // flipping a flip-book; its little dog runs
    kTaskPose,        // dancing for the animator
    kTaskPixels,      // at a computer, blocks filling the monitor
    kTaskTiles,       // at a computer, tiles laid on a grid
    kTaskIdea,        // thinking; a bulb lights above the head
    kTaskWaveform,    // at a computer showing a sound wave
    kTaskBang,        // banging a pot with a spoon
    kTaskBell,        // ringing a hand bell
    kTaskCompose,     // at a keyboard with a music stand, notes rising
    kTaskCarry,       // walking with a stack of parcels
    kTaskTray,        // walking with a tray of cups
    kTaskCheer,       // jumping and waving
    // Strip cells (kCrewProp).
    kStripPaintPots, kStripBrushes, kStripFilm, kStripPaper, kStripCables, kStripNotebooks, kStripPans,
    kStripNotes, kStripRug, kStripParcels, kStripBunting,
};

struct CreditsPage {
    std::string sheetFile;                              // as the game names it
    int width = 0, height = 0;                          // of the sheet
    std::vector<SheetFrame> cells;                      // [0] and the gap before the strip are empty
    std::array<std::string, 2> captionFile;             // [1] empty when the page has one caption
    std::array<int, 2> caption{kCaptionGraphics, -1};   // CreditCaption of each, -1 for none
    std::array<SeqSteps, kCreditSequences> sequences;   // all kCreditSteps[page] long; dx, dy = top-left
};

// Page 0..7 in the order they are shown (anything else gives page 0).
CreditsPage MakeCreditsPage(int page);

// The caption bitmaps and where the generated preferences put them
// (x, y, w, h; each bitmap is exactly w x h).
struct CaptionPlace {
    const char* file;
    const char* key;   // preference key stem: "i" + key + "X" and so on
    int x, y, w, h;
};
const CaptionPlace& CreditCaptionPlace(int caption);

// The other credits pictures.
inline constexpr const char* kCreditsBackground = ".\\graphics\\credits\\background.bmp";
inline constexpr const char* kCreditsClosing = ".\\Graphics\\credits\\copycred.bmp";
inline constexpr int kCreditLogos = 5;
// Logo 1..5.
std::string CreditLogoFile(int logo);

}  // namespace world::chars
