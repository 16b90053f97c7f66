#pragma once
// The animated title's pictures: the band on its stage with the animation
// cells below it, the lettering, the mascot pieces, the project line and the
// maker's mark shown at start-up. Every picture is cut to the cells of the
// title tables, so a cell and its rectangle cannot disagree.
#include <array>

#include "assetgen/art_canvas.h"
#include "world/palette_plan.h"

namespace assetgen::title {

using world::palette_plan::Palette;

// Where the band picture stands on the 640 x 480 title.
inline constexpr int kStageLeft = 115, kStageTop = 152;
inline constexpr int kStageWidth = 436, kStageHeight = 212;

// The palette of splash.bmp, shared by the lettering, mascot and project
// line. Entry 0 is the black of the whole title screen (and the key of the
// lettering and mascot), entry 1 the pure green key of the band picture.
const Palette& TitlePalette();
inline constexpr uint8_t kBlackKey = 0, kGreenKey = 1;
// Own entries: the backdrop behind the band, dark at the top.
inline constexpr int kBackdropFirst = 114, kBackdropCount = 24;
uint8_t Backdrop(int step);

// The centre of the drummer's cymbal on the band picture.
Point CymbalOnStage();
// The stage with the six members, member m showing playing frame frames[m].
Picture DrawBandStage(const std::array<int, 6>& frames);
// splash.bmp: the stage (cell 1) and the animation cells in rows below it.
Picture DrawSplash();
// Tunewander.bmp and MPupin.bmp (black background) and url.bmp (green).
Picture DrawLetters();
Picture DrawMascot();
Picture DrawProjectLine();
// kblogo.bmp and its own palette.
Picture DrawMakerMark();
const Palette& MakerPalette();

}  // namespace assetgen::title
