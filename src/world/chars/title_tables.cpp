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
// The pup sings at the left and its notes rise in an arc to the right.
constexpr int kMascotBaseY[9] = {46, 62, 50, 44, 52, 92, 52, 46, 42};
constexpr int kLetterChannelCells[10] = {1, 7, 6, 8, 5, 3, 10, 9, 4, 2};
constexpr int kLetterX[10] = {173, 222, 256, 289, 319, 351, 379, 410, 441, 472};
// Every letter stands on its cell's foot: all feet on one line.
constexpr int kLetterBaseY[10] = {370, 410, 407, 410, 394, 389, 415, 412, 393, 383};

// Up and down by one pixel a step between base and base + span: a bob.
int16_t Bob(int base, int span, int step, int phase) {
    const int period = 2 * span;
    const int t = (step + phase) % period;
    return static_cast<int16_t>(base + (t <= span ? t : period - t));
}

// Each member's moving part (head, arms, instrument) in one cell, or two
// overlapping ones sharing a tempo where it is wider than a cell. The band
// picture is drawn at (115, 152), member m centred at x 155 + 71m.
constexpr std::array<BandAnimation, 12> kBandAnimations{{
    {0, 5, 0, 8, 127, 270, 1},             // drummer
    {1, 4, 0, 8, 196, 270, 2},             // guitarist
    {2, 3, 0, 4, 267, 268, 2},             // saxophonist
    {2, 3, 4, 4, 273, 268, 2},
    {3, 2, 0, 4, 341, 266, 2},             // keyboard player
    {3, 2, 4, 4, 342, 266, 2},
    {4, 1, 0, 8, 409, 264, 3},             // trumpeter
    {kCrashMember, 7, 0, 4, 132, 266, 1},  // cymbal crash: rests at the ends
    {5, 0, 0, 4, 472, 264, 2},             // double bass player
    {5, 0, 4, 4, 480, 264, 2},
    {kNotesMember, 8, 0, 6, 0, 0, 2},      // big notes and little ones,
    {kNotesMember, 9, 0, 31, 0, 0, 1},     // placed per step below
}};

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
            ch.cell[s] = static_cast<uint8_t>(BandCell(a, (s / a.stepsPerCell) % a.count));
            ch.x[s] = static_cast<int16_t>(a.x);
            ch.y[s] = static_cast<int16_t>(a.y);
        }
    }
    // The cymbal is still before the first beat and after the last.
    TitleChannel& cymbal = t.channels[27];
    for (int s : {0, 1, 2, 3, 4, 160, 161, 162}) cymbal.cell[s] = 0;
    // Now and then a little note pops up over a player, each time another.
    constexpr int kOver[7] = {2, 4, 1, 3, 0, 5, 2};
    TitleChannel& notes = t.channels[31];
    for (int s = 0; s < kTitleSteps; ++s) {
        const int n = s < 8 ? 0 : (s - 8) / 9 % 7;
        if (!(s >= 8 && s < 71 && (s - 8) % 9 == 0)) notes.cell[s] = 0;
        notes.x[s] = static_cast<int16_t>(150 + kOver[n] * 71);
        notes.y[s] = static_cast<int16_t>(236 - (n % 3) * 10);
    }
    // Later, pairs of notes float up from the players for three steps.
    TitleChannel& big = t.channels[30];
    for (int s = 0; s < kTitleSteps; ++s) {
        const int n = s / 12 % 7, t3 = s % 12;
        if (s < 76 || s >= 156 || t3 >= 3) big.cell[s] = 0;
        big.x[s] = static_cast<int16_t>(120 + kOver[n] * 71);
        big.y[s] = static_cast<int16_t>(226 - 5 * t3);
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

const std::array<BandAnimation, 12>& BandAnimations() { return kBandAnimations; }

const TitleTables& GetTitleTables() {
    static const TitleTables tables = Build();
    return tables;
}

}  // namespace world::chars
