// The character tables: counts the game relies on, frame numbers and
// rectangles that stay inside their sheets, and the fixed rectangles.
#include <gtest/gtest.h>

#include <set>

#include "world/chars/band_tables.h"
#include "world/chars/captive_tables.h"
#include "world/chars/cat_tables.h"
#include "world/chars/dog_tables.h"
#include "world/chars/reward_tables.h"

namespace {

using namespace world::chars;
using platform::RECT;

bool Inside(const RECT& r, int w, int h) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= w && r.bottom <= h;
}
bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Every sheet: frame 0 empty, every other frame a non-empty rectangle inside
// the bitmap, no two frames sharing pixels, every sequence non-empty and
// naming only frames of the table.
void ExpectSound(const CharacterSheet& s) {
    SCOPED_TRACE(s.file);
    ASSERT_FALSE(s.frames.empty());
    EXPECT_EQ(s.frames[0].rect, RECT{});
    EXPECT_EQ(s.width % 4, 0);
    for (size_t i = 1; i < s.frames.size(); ++i) {
        EXPECT_TRUE(Inside(s.frames[i].rect, s.width, s.height)) << "frame " << i;
        for (size_t j = 1; j < i; ++j) EXPECT_FALSE(Overlap(s.frames[i].rect, s.frames[j].rect)) << i << " and " << j;
    }
    for (size_t q = 0; q < s.sequences.size(); ++q) {
        EXPECT_FALSE(s.sequences[q].empty()) << "sequence " << q;
        for (const SeqStep& st : s.sequences[q]) EXPECT_LT(st.frame, s.frames.size()) << "sequence " << q;
    }
}

// A pair's two halves must be different objects: both are advanced every
// tick, and one sequence in both slots would step twice.
template <typename Pair>
void ExpectPair(const Pair& p, size_t sequenceCount, const char* what) {
    EXPECT_GE(p.main, 0) << what;
    EXPECT_LT(size_t(p.main), sequenceCount) << what;
    EXPECT_GE(p.overlay, 0) << what;
    EXPECT_LT(size_t(p.overlay), sequenceCount) << what;
    EXPECT_NE(p.main, p.overlay) << what;
}

TEST(DogTables, CountsMatchTheSheets) {
    const DogTables dog = MakeDogTables(DogLayout::Ordinary);
    const DogTables jet = MakeDogTables(DogLayout::Jet);
    EXPECT_EQ(dog.sheet.FrameCount(), kDogFrames);
    EXPECT_EQ(dog.sheet.sequences.size(), size_t(kDogSequences));
    EXPECT_EQ(jet.sheet.FrameCount(), kJetDogFrames);
    EXPECT_EQ(jet.sheet.sequences.size(), size_t(kJetDogSequences));
    ExpectSound(dog.sheet);
    ExpectSound(jet.sheet);
}

TEST(DogTables, EveryRoleIsAPairOfItsOwnWithTheRightLength) {
    for (DogLayout layout : {DogLayout::Ordinary, DogLayout::Jet}) {
        const DogTables t = MakeDogTables(layout);
        const size_t n = t.sheet.sequences.size();
        const DogRoles& r = t.roles;
        std::set<int> mains;
        for (int d = 0; d < 8; ++d) {
            for (const DogPair* p : {&r.walk[d], &r.stop[d], &r.stand[d], &r.turn[d]}) {
                ExpectPair(*p, n, "directional pair");
                EXPECT_TRUE(mains.insert(p->main).second) << "main " << p->main << " serves two roles";
            }
            // Walks are two strides of nine, matching the dog's step periods.
            EXPECT_EQ(t.sheet.sequences[size_t(r.walk[d].main)].size(), 18u);
            EXPECT_EQ(t.sheet.sequences[size_t(r.walk[d].overlay)].size(), 18u);
        }
        const DogPair singles[] = {r.rest[0], r.rest[1], r.rest[2], r.bark[0], r.bark[1], r.pant[0], r.pant[1],
                                   r.lookLeft, r.lookRight, r.rollOver, r.beg, r.sniff, r.fallAsleep, r.asleep,
                                   r.getUp, r.dance[0], r.dance[1], r.dance[2], r.dance[3], r.door, r.arrive,
                                   r.hole, r.emerge, r.lever, r.button, r.busy, r.shake};
        for (const DogPair& p : singles) {
            ExpectPair(p, n, "pair");
            EXPECT_TRUE(mains.insert(p.main).second) << "main " << p.main << " serves two roles";
        }
        // Behaviours that play to their last step need more than one.
        for (const DogPair& p : {r.bark[0], r.pant[1], r.rollOver, r.sniff, r.fallAsleep, r.getUp, r.hole, r.emerge, r.door})
            EXPECT_GT(t.sheet.sequences[size_t(p.main)].size(), 1u);
        EXPECT_NE(r.pickUp, r.hold);
        EXPECT_GE(t.sheet.sequences[size_t(r.pickUp)].size(), size_t(kCarryInMouthStep) + 1);
    }
}

TEST(DogTables, AStopRunsFromMidStrideThroughItsOwnPoseToTheStandOfItsDirection) {
    for (DogLayout layout : {DogLayout::Ordinary, DogLayout::Jet}) {
        const DogTables t = MakeDogTables(layout);
        std::set<int> poses;
        for (int d = 0; d < 8; ++d) {
            const auto& stop = t.sheet.sequences[size_t(t.roles.stop[d].main)];
            const auto& walk = t.sheet.sequences[size_t(t.roles.walk[d].main)];
            const auto& stand = t.sheet.sequences[size_t(t.roles.stand[d].main)];
            ASSERT_EQ(stop.size(), 4u) << d;
            EXPECT_EQ(stop[0].frame, walk[4].frame) << d;
            EXPECT_EQ(stop[1].frame, stop[2].frame) << d;
            EXPECT_NE(stop[1].frame, stand[0].frame) << d;
            EXPECT_NE(stop[1].frame, walk[4].frame) << d;
            EXPECT_EQ(stop[3].frame, stand[0].frame) << d;
            poses.insert(stop[1].frame);
            // The skid (or spray) shows under the two stop steps only.
            const auto& overlay = t.sheet.sequences[size_t(t.roles.stop[d].overlay)];
            ASSERT_EQ(overlay.size(), 4u) << d;
            EXPECT_NE(overlay[1].frame, 0) << d;
            EXPECT_NE(overlay[2].frame, 0) << d;
            EXPECT_EQ(overlay[3].frame, 0) << d;
        }
        EXPECT_EQ(poses.size(), 8u) << "a stop pose for each direction";
    }
}

TEST(DogTables, PickUpShowsTheBundleWhereItLiesThenAtTheMouth) {
    const DogTables t = MakeDogTables(DogLayout::Ordinary);
    const SeqSteps& pick = t.sheet.sequences[size_t(t.roles.pickUp)];
    // At the drop point the bundle sits on the ground (offsets near its own
    // height); at the mouth it is lifted well above the feet.
    for (int i = 0; i < kCarryInMouthStep; ++i) {
        ASSERT_NE(pick[size_t(i)].frame, 0);
        EXPECT_GE(pick[size_t(i)].dy, -t.sheet.frames[pick[size_t(i)].frame].Height() - 6) << i;
    }
    for (size_t i = kCarryInMouthStep; i < pick.size(); ++i) EXPECT_LT(pick[i].dy, -30) << i;
    for (const SeqStep& s : t.sheet.sequences[size_t(t.roles.hold)]) EXPECT_LT(s.dy, -30);
}

TEST(DogTables, DirectionIndexRoundTrips) {
    for (int d = 0; d < 8; ++d) EXPECT_EQ(DirectionIndex(DirectionBits(d)), d);
    EXPECT_EQ(DirectionIndex(3), -1);   // up and down together is no direction
    EXPECT_EQ(DirectionIndex(0), -1);
    EXPECT_EQ(DirectionBits(9), 2);
}

TEST(CatTables, WalksHeadsAndTheBalloon) {
    for (CatLayout layout : {CatLayout::Ordinary, CatLayout::Balloon}) {
        const CatTables t = MakeCatTables(layout);
        ExpectSound(t.sheet);
        const size_t n = t.sheet.sequences.size();
        for (int d = 0; d < 8; ++d) {
            ExpectPair(t.roles.walk[d], n, "walk");
            ExpectPair(t.roles.stand[d], n, "stand");
            EXPECT_LE(t.sheet.sequences[size_t(t.roles.walk[d].main)].size(), 5u);
            EXPECT_EQ(t.sheet.sequences[size_t(t.roles.walk[d].main)].size(),
                      t.sheet.sequences[size_t(t.roles.walk[d].overlay)].size());
            // The head turn: five steps, step 2 looking the way the body faces.
            const SeqSteps& head = t.sheet.sequences[size_t(t.roles.stand[d].overlay)];
            ASSERT_EQ(head.size(), size_t(kCatHeadSteps));
            for (const SeqStep& s : head) EXPECT_NE(s.frame, 0);
        }
        ExpectPair(t.roles.scuffle, n, "scuffle");
        ExpectPair(t.roles.scuffleEnd, n, "scuffle end");
        // Both scuffle sequences start at a random step 0..4.
        EXPECT_GE(t.sheet.sequences[size_t(t.roles.scuffle.main)].size(), 5u);
        EXPECT_GE(t.sheet.sequences[size_t(t.roles.scuffle.overlay)].size(), 5u);
        for (const CatPair& p : t.roles.oneShots) ExpectPair(p, n, "one-shot");
        if (layout == CatLayout::Balloon) {
            EXPECT_EQ(t.sheet.FrameCount(), kBalloonCatFrames);
            for (int d = 1; d < 8; ++d) EXPECT_EQ(t.roles.stand[d].overlay, t.roles.stand[0].overlay);
        } else {
            EXPECT_FALSE(t.roles.oneShots.empty());
            std::set<int> heads;
            for (int d = 0; d < 8; ++d) heads.insert(t.roles.stand[d].overlay);
            EXPECT_EQ(heads.size(), 8u);
        }
    }
}

TEST(BandTables, FramesChoicesAndStepCounts) {
    const BandTables t = MakeBandTables();
    ExpectSound(t.sheet);
    EXPECT_EQ(t.sheet.FrameCount(), kBandFrames);
    for (int m = 0; m < kBandMembers; ++m) {
        ASSERT_EQ(t.choices[size_t(m)].size(), size_t(kBandChoices[size_t(m)])) << "member " << m;
        for (const BandChoice& c : t.choices[size_t(m)]) {
            const SeqSteps& main = t.sheet.sequences[size_t(c.main)];
            EXPECT_GE(main.size(), 6u);
            EXPECT_LE(main.size(), 29u);
            if (kBandTwoPart[size_t(m)]) {
                ASSERT_GE(c.second, 0);
                EXPECT_NE(c.second, c.main);
                EXPECT_EQ(t.sheet.sequences[size_t(c.second)].size(), main.size());
            } else {
                EXPECT_EQ(c.second, -1);
            }
            // Drawn at (0, 0), the steps place the musician in the den.
            for (const SeqStep& s : main) {
                const RECT& r = t.sheet.frames[s.frame].rect;
                EXPECT_GE(s.dx, 0);
                EXPECT_GE(s.dy, 0);
                EXPECT_LE(s.dx + (r.right - r.left), 640);
                EXPECT_LE(s.dy + (r.bottom - r.top), 480);
            }
        }
    }
}

TEST(CaptiveTables, RecordsCellsAndEntryCounts) {
    for (int land = 0; land < kCaptiveCount; ++land) {
        const CharacterSheet s = MakeCaptiveSheet(land);
        const CaptiveLayout& L = kCaptiveLayouts[size_t(land)];
        ExpectSound(s);
        EXPECT_EQ(int(s.frames.size()), L.records);
        ASSERT_EQ(s.sequences.size(), 12u);
        EXPECT_EQ(s.sequences[2 * kIdleA].size(), 1u);
        EXPECT_EQ(s.sequences[2 * kIdleB].size(), 1u);
        EXPECT_EQ(s.sequences[2 * kFreed].size(), 1u);
        EXPECT_EQ(int(s.sequences[2 * kHumA].size()), L.humA);
        EXPECT_EQ(int(s.sequences[2 * kHumB].size()), L.humB);
        EXPECT_EQ(int(s.sequences[2 * kFreeing].size()), L.freeing);
        for (int pair = 0; pair < 6; ++pair)
            EXPECT_EQ(s.sequences[size_t(2 * pair)].size(), s.sequences[size_t(2 * pair + 1)].size()) << "pair " << pair;
        // Equal cells first, then smaller ones.
        for (int c = 1; c <= L.cells; ++c) {
            EXPECT_EQ(s.frames[size_t(c)].Width(), L.cellW);
            EXPECT_EQ(s.frames[size_t(c)].Height(), L.cellH);
        }
        for (size_t c = size_t(L.cells) + 1; c < s.frames.size(); ++c) {
            EXPECT_LT(s.frames[c].Width(), L.cellW);
            EXPECT_LT(s.frames[c].Height(), L.cellH);
        }
    }
}

TEST(RewardTables, RectanglesStepsAndScreenPlaces) {
    for (int n = 1; n <= kRewardCount; ++n) {
        SCOPED_TRACE(n);
        const RewardTables t = MakeRewardTables(n);
        ASSERT_GT(t.frames.size(), 1u);
        EXPECT_EQ(t.frames[0].rect, RECT{});
        EXPECT_EQ(t.Steps(), kRewardSteps[size_t(n - 1)]);
        for (const auto* column : {&t.xB, &t.yB, &t.xA, &t.yA}) EXPECT_EQ(int(column->size()), t.Steps());
        EXPECT_EQ(int(t.frameB.size()), t.Steps());
        for (size_t i = 1; i < t.frames.size(); ++i) EXPECT_TRUE(Inside(t.frames[i].rect, t.width, t.height));
        for (int s = 0; s < t.Steps(); ++s) {
            const auto place = [&](uint16_t f, int x, int y) {
                ASSERT_LT(f, t.frames.size());
                const RECT& r = t.frames[f].rect;
                EXPECT_GE(x, 0);
                EXPECT_GE(y, 0);
                EXPECT_LE(x + (r.right - r.left), 640) << "step " << s;
                EXPECT_LE(y + (r.bottom - r.top), 480) << "step " << s;
            };
            EXPECT_NE(t.frameA[size_t(s)], 0);
            place(t.frameA[size_t(s)], t.xA[size_t(s)], t.yA[size_t(s)]);
            if (n == 4) {
                EXPECT_EQ(t.frameB[size_t(s)], 0);
                EXPECT_EQ(t.xB[size_t(s)], 0);
                EXPECT_EQ(t.yB[size_t(s)], 0);
            } else {
                EXPECT_NE(t.frameB[size_t(s)], 0);
                place(t.frameB[size_t(s)], t.xB[size_t(s)], t.yB[size_t(s)]);
            }
        }
    }
}

TEST(SheetBuilding, GameObjectsCarryTheTables) {
    const DogTables t = MakeDogTables(DogLayout::Ordinary);
    sprites::Surface* surface = reinterpret_cast<sprites::Surface*>(&surface);
    const std::vector<sprites::FrameRecord> frames = MakeFrameTable(t.sheet, surface);
    ASSERT_EQ(frames.size(), size_t(kDogFrames) + 1);
    EXPECT_EQ(frames[108].rect, t.sheet.frames[108].rect);
    EXPECT_EQ(frames[0].Width(), 0);
    EXPECT_EQ(frames[200 - 100].surface, surface);
    // Negative offsets survive the 16-bit storage of AnimSequence.
    const auto seqs = MakeSequences(t.sheet);
    ASSERT_EQ(seqs.size(), size_t(kDogSequences));
    int16_t f = 0, dx = 0, dy = 0;
    seqs[49]->Get(&f, &dx, &dy);
    EXPECT_EQ(f, 108);
    EXPECT_EQ(dx, -15);
    EXPECT_EQ(dy, -48);
}

}  // namespace
