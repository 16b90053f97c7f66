#include "world/chars/band_tables.h"

#include "world/chars/poses.h"

namespace world::chars {
namespace {

constexpr int kSheetWidth = 640;
// Step counts of each member's choices (pairs have equal halves).
constexpr int kSteps[kBandMembers][6] = {
    {21, 22}, {14, 15, 6}, {13, 29, 11}, {19}, {8, 10, 12, 16, 18, 24}, {9, 20, 7},
};
// Frames per member: body poses, then instrument parts for the pairs.
constexpr int kBodyFrames[kBandMembers] = {8, 6, 6, 6, 14, 6};
constexpr int kPartFrames[kBandMembers] = {0, 6, 5, 5, 0, 6};

}  // namespace

BandTables MakeBandTables() {
    BandTables t;
    SheetBuilder b(".\\Graphics\\chars\\band.bmp", kSheetWidth);
    uint16_t bodies[kBandMembers][14] = {}, parts[kBandMembers][6] = {};
    for (int m = 0; m < kBandMembers; ++m) {
        // In front of the member's instrument stand in the den.
        t.placeX[m] = 142 + 72 * m;
        t.placeY[m] = 318 + (m % 2) * 10;
        for (int k = 0; k < kBodyFrames[m]; ++k) {
            Pose p;
            p.figure = kFigMusician;
            p.action = kActPlay;
            p.variant = static_cast<uint8_t>(m);
            p.phase = static_cast<int8_t>(k);
            // Singles carry their instrument in the body frame.
            p.tail = static_cast<int8_t>(kBandTwoPart[m] ? 0 : 1);
            bodies[m][k] = b.Add(60, 88, 30, 84, p);
        }
        for (int k = 0; k < kPartFrames[m]; ++k) {
            Pose p;
            p.figure = kFigMusician;
            p.action = kActPlay;
            p.variant = static_cast<uint8_t>(m);
            p.phase = static_cast<int8_t>(k);
            p.tail = 2;  // the instrument alone
            parts[m][k] = b.Add(60, 60, 30, 56, p);
        }
    }
    for (int m = 0; m < kBandMembers; ++m) {
        const int x = t.placeX[m], y = t.placeY[m];
        for (int c = 0; c < kBandChoices[m]; ++c) {
            const int steps = kSteps[m][c];
            SeqSteps main, second;
            for (int i = 0; i < steps; ++i) {
                // Each choice walks the poses in its own order and tempo, so
                // the changes look like new grooves rather than a loop.
                const int n = kBodyFrames[m];
                const int stride = 1 + c % 3;
                const int pose = (i * stride + c * 2) % n;
                const int sway = ((i + c) % 4 == 1) ? -1 : ((i + c) % 4 == 3) ? 1 : 0;
                main.push_back(b.At(bodies[m][pose], x + sway, y - (i % 2)));
                if (kBandTwoPart[m]) {
                    const int part = (i * (c + 1)) % kPartFrames[m];
                    // The instrument is held at the chest, ahead of the body.
                    second.push_back(b.At(parts[m][part], x + sway, y + 2 - (i % 2)));
                }
            }
            BandChoice choice;
            choice.main = static_cast<int16_t>(b.AddSequence(main));
            if (kBandTwoPart[m]) choice.second = static_cast<int16_t>(b.AddSequence(second));
            t.choices[m].push_back(choice);
        }
    }
    t.sheet = b.Finish();
    return t;
}

}  // namespace world::chars
