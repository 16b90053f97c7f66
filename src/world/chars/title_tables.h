#pragma once
// The animated title: three pictures cut into cells (the band picture with
// its animation cells in rows below it, the title lettering, the mascot) and
// 32 channels, each naming per step the cell it draws and where. The title
// runs 163 steps of 100 ms and starts again. Shared by the title screen and
// the generator, which draws the pictures to fit these cells.
#include <array>
#include <cstdint>

#include "platform/win_types.h"

namespace world::chars {

inline constexpr int kTitleSteps = 163;
inline constexpr int kTitleTableSize = 164;  // one spare entry per table
inline constexpr int kTitleChannels = 32;
inline constexpr int kSplashCells = 101, kTitleLetterCells = 11, kMascotCells = 10;

// Channels 0..8 draw the mascot, 9..18 the title letters, 19 the band
// picture and 20..31 its animation cells (the last two keyed).
inline constexpr int kFirstMascotChannel = 0, kFirstLetterChannel = 9, kBandPictureChannel = 19,
                     kFirstBandChannel = 20;
// Left out unless the title's animated entrance is switched on.
inline constexpr int kEntranceChannel = 5;

enum class TitleSource { Mascot, Letters, Splash };
TitleSource ChannelSource(int channel);

struct TitleChannel {
    std::array<uint8_t, kTitleTableSize> cell{};  // 0: nothing drawn
    std::array<int16_t, kTitleTableSize> x{}, y{};
};

struct TitleTables {
    std::array<platform::RECT, kSplashCells> splashCells{};
    std::array<platform::RECT, kTitleLetterCells> letterCells{};
    std::array<platform::RECT, kMascotCells> mascotCells{};
    std::array<TitleChannel, kTitleChannels> channels{};
    int32_t splashWidth = 0, splashHeight = 0;
    int32_t lettersWidth = 0, lettersHeight = 0;
    int32_t mascotWidth = 0, mascotHeight = 0;
};

// Built once; the same for every caller.
const TitleTables& GetTitleTables();

// The band picture's animation cells: ten rows below the picture, each row
// a run of equal cells from x = 0.
struct SplashRow {
    int32_t top, height, cellWidth, count;
};
inline constexpr std::array<SplashRow, 10> kSplashRows{{
    {212, 94, 54, 8}, {306, 75, 54, 8}, {381, 70, 54, 8}, {451, 65, 54, 8}, {516, 62, 54, 8},
    {578, 58, 54, 8}, {636, 50, 54, 8}, {686, 42, 72, 6}, {728, 39, 72, 6}, {767, 20, 12, 31},
}};
// The first cell of row r.
int FirstCellOfRow(int row);

// Channels 20..31 each cycle through a run of cells of one row, drawn at a
// fixed place over the band picture. The generator draws each cell as what
// lies in that place on the band picture while the member plays that frame,
// so the cells fit their surroundings exactly.
// Overlays drawn on the key over the members rather than cut from the band.
inline constexpr int kNotesMember = -1;  // notes floating up
inline constexpr int kCrashMember = -2;  // the cymbal's crash over the drummer
struct BandAnimation {
    int member;        // 0..5 from the left (drums .. double bass)
    int row, first, count;
    int x, y;          // on the title (the notes move: set per step)
    int stepsPerCell;  // members with two channels use the same tempo
};
const std::array<BandAnimation, 12>& BandAnimations();
// The cell a band channel shows in frame f of its cycle.
inline int BandCell(const BandAnimation& a, int frame) { return FirstCellOfRow(a.row) + a.first + frame; }

}  // namespace world::chars
