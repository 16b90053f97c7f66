#include "world/chars/title_tables.h"

#include <cmath>

namespace world::chars {

namespace {

using platform::RECT;

// The letters and the mascot pieces: cell 0 is empty.
constexpr RECT kLetterCells[kTitleLetterCells] = {
    {0, 0, 0, 0},       {0, 0, 48, 73},     {48, 0, 98, 60},    {98, 0, 124, 54},   {124, 0, 157, 50}, {157, 0, 187, 49},
    {187, 0, 212, 36},  {212, 0, 243, 33},  {243, 0, 269, 33},  {269, 0, 294, 31},  {294, 0, 321, 28},
};
constexpr RECT kMascotCellTable[kMascotCells] = {
    {0, 0, 0, 0},      {0, 0, 33, 56},    {33, 0, 65, 54},   {65, 0, 101, 44},  {101, 0, 163, 36},
    {163, 0, 189, 31}, {189, 0, 210, 31}, {210, 0, 230, 28}, {230, 0, 249, 26}, {249, 0, 269, 22},
};

// Which piece each mascot and letter channel shows, and where it stands.
constexpr int kMascotChannelCells[9] = {1, 7, 5, 9, 8, 4, 3, 6, 2};
constexpr int kMascotX[9] = {217, 248, 270, 300, 325, 305, 381, 424, 449};
constexpr int kMascotBaseY[9] = {13, 60, 30, 40, 55, 92, 45, 62, 24};
constexpr int kLetterChannelCells[10] = {1, 7, 6, 8, 5, 3, 10, 9, 4, 2};
constexpr int kLetterX[10] = {173, 222, 256, 289, 319, 351, 379, 410, 441, 472};
constexpr int kLetterBaseY[10] = {370, 392, 386, 392, 378, 380, 392, 394, 380, 378};

// Up and down by one pixel a step between base and base + span: a bob.
int16_t Bob(int base, int span, int step, int phase) {
    const int period = 2 * span;
    const int t = (step + phase) % period;
    return static_cast<int16_t>(base + (t <= span ? t : period - t));
}

// One band-picture animation: the cells it cycles through (row, first,
// count), where it stands and how fast it changes.
struct BandAnimation {
    int row, first, count;
    int x, y;
    int stepsPerCell;
    int wobble;  // pixels of sway
};
// Six musicians, each a body and an instrument hand, at their places on the
// band picture (which is drawn at (115, 152)).
constexpr BandAnimation kBandAnimations[12] = {
    {0, 0, 4, 145, 210, 2, 1}, {0, 4, 4, 160, 262, 1, 0},  // drummer and sticks
    {1, 0, 4, 205, 200, 3, 1}, {1, 4, 4, 220, 250, 2, 1},  // guitar
    {2, 0, 4, 265, 205, 3, 1}, {2, 4, 4, 280, 250, 2, 0},  // saxophone
    {3, 0, 4, 325, 200, 2, 1}, {3, 4, 4, 335, 250, 1, 0},  // keyboard
    {4, 0, 4, 385, 205, 3, 1}, {4, 4, 4, 400, 250, 2, 1},  // trumpet
    {5, 0, 4, 445, 200, 2, 1}, {9, 0, 31, 420, 170, 1, 0},  // bass and the notes in the air
};

TitleTables Build() {
    TitleTables t;
    for (int c = 0; c < kTitleLetterCells; ++c) t.letterCells[c] = kLetterCells[c];
    for (int c = 0; c < kMascotCells; ++c) t.mascotCells[c] = kMascotCellTable[c];
    t.lettersWidth = 321;
    t.lettersHeight = 73;
    t.mascotWidth = 269;
    t.mascotHeight = 56;

    t.splashCells[1] = RECT{0, 0, 436, 212};
    for (int r = 0; r < static_cast<int>(kSplashRows.size()); ++r) {
        const SplashRow& row = kSplashRows[r];
        for (int i = 0; i < row.count; ++i) {
            const int cell = FirstCellOfRow(r) + i;
            t.splashCells[cell] =
                RECT{i * row.cellWidth, row.top, (i + 1) * row.cellWidth, row.top + row.height};
        }
    }
    t.splashWidth = 436;
    t.splashHeight = kSplashRows.back().top + kSplashRows.back().height;

    for (int k = 0; k < 9; ++k) {
        TitleChannel& ch = t.channels[kFirstMascotChannel + k];
        for (int s = 0; s < kTitleSteps; ++s) {
            ch.cell[s] = static_cast<uint8_t>(kMascotChannelCells[k]);
            ch.x[s] = static_cast<int16_t>(kMascotX[k]);
            ch.y[s] = Bob(kMascotBaseY[k], 8, s, k * 3);
        }
    }
    for (int k = 0; k < 10; ++k) {
        TitleChannel& ch = t.channels[kFirstLetterChannel + k];
        for (int s = 0; s < kTitleSteps; ++s) {
            ch.cell[s] = static_cast<uint8_t>(kLetterChannelCells[k]);
            ch.x[s] = static_cast<int16_t>(kLetterX[k]);
            // The letters bob one after another, a wave along the word.
            ch.y[s] = Bob(kLetterBaseY[k] - 6, 11, s, k * 2);
        }
    }
    TitleChannel& band = t.channels[kBandPictureChannel];
    for (int s = 0; s < kTitleSteps; ++s) {
        band.cell[s] = 1;
        band.x[s] = 115;
        band.y[s] = 152;
    }
    for (int k = 0; k < 12; ++k) {
        const BandAnimation& a = kBandAnimations[k];
        TitleChannel& ch = t.channels[kFirstBandChannel + k];
        for (int s = 0; s < kTitleSteps; ++s) {
            const int frame = (s / a.stepsPerCell) % a.count;
            ch.cell[s] = static_cast<uint8_t>(FirstCellOfRow(a.row) + a.first + frame);
            ch.x[s] = static_cast<int16_t>(a.x + (a.wobble && (s / 4) % 2 ? a.wobble : 0));
            ch.y[s] = static_cast<int16_t>(a.y);
        }
    }
    // The drummer's sticks rest before the first beat and after the last.
    TitleChannel& sticks = t.channels[27];
    for (int s : {0, 1, 2, 3, 4, 160, 161, 162}) sticks.cell[s] = 0;
    // The notes float up only now and then.
    TitleChannel& notes = t.channels[31];
    for (int s = 0; s < kTitleSteps; ++s) {
        const bool shown = s >= 8 && s <= 71 && (s - 8) % 9 == 0;
        notes.cell[s] = shown ? notes.cell[s] : 0;
        notes.y[s] = static_cast<int16_t>(170 - (s % 9) * 3);
    }
    return t;
}

}  // namespace

int FirstCellOfRow(int row) {
    int cell = 2;
    for (int r = 0; r < row; ++r) cell += kSplashRows[r].count;
    return cell;
}

TitleSource ChannelSource(int channel) {
    if (channel < kFirstLetterChannel) return TitleSource::Mascot;
    if (channel < kBandPictureChannel) return TitleSource::Letters;
    return TitleSource::Splash;
}

const TitleTables& GetTitleTables() {
    static const TitleTables tables = Build();
    return tables;
}

}  // namespace world::chars
