// Each role shows the pictures made for it: the pose drawn into a frame and
// the role that plays it agree, so a table change cannot silently show the
// wrong picture.
#include <gtest/gtest.h>

#include "world/chars/band_tables.h"
#include "world/chars/captive_tables.h"
#include "world/chars/cat_tables.h"
#include "world/chars/dog_tables.h"
#include "world/chars/poses.h"
#include "world/chars/reward_tables.h"

namespace {

using namespace world::chars;

const Pose& PoseAt(const CharacterSheet& s, int sequence, size_t step) {
    return s.frames[s.sequences[size_t(sequence)][step].frame].pose;
}

TEST(DogRolesShow, WalksStandsAndRestsInTheirOwnPoses) {
    for (DogLayout layout : {DogLayout::Ordinary, DogLayout::Jet}) {
        const DogTables t = MakeDogTables(layout);
        const uint8_t body = layout == DogLayout::Jet ? kFigJetDog : kFigDog;
        for (int d = 0; d < 8; ++d) {
            const SeqSteps& walk = t.sheet.sequences[size_t(t.roles.walk[d].main)];
            for (size_t i = 0; i < walk.size(); ++i) {
                const Pose& p = t.sheet.frames[walk[i].frame].pose;
                EXPECT_EQ(p.figure, body);
                EXPECT_EQ(p.action, kActWalk);
                EXPECT_EQ(p.facing, d);
                EXPECT_EQ(p.phase, int(i % 9));  // two strides of the same nine phases
                EXPECT_EQ(walk[i].dx, walk[0].dx);  // the dog moves itself
            }
            const Pose& stand = PoseAt(t.sheet, t.roles.stand[d].main, 0);
            EXPECT_EQ(stand.action, kActStand);
            EXPECT_EQ(stand.facing, d);
            // Stopping ends standing the same way.
            const SeqSteps& stop = t.sheet.sequences[size_t(t.roles.stop[d].main)];
            EXPECT_EQ(stop.back(), t.sheet.sequences[size_t(t.roles.stand[d].main)][0]);
            EXPECT_EQ(PoseAt(t.sheet, t.roles.turn[d].main, 0).facing, d);
        }
        EXPECT_EQ(PoseAt(t.sheet, t.roles.rest[1].main, 0).action, kActSit);
        EXPECT_EQ(PoseAt(t.sheet, t.roles.rest[2].main, 0).action, kActLie);
        EXPECT_EQ(PoseAt(t.sheet, t.roles.bark[1].main, 1).action, kActSit);
        EXPECT_EQ(PoseAt(t.sheet, t.roles.pant[1].main, 0).action, kActLie);
        // Asleep holds the last pose of falling asleep; getting up starts there.
        const SeqSteps& fall = t.sheet.sequences[size_t(t.roles.fallAsleep.main)];
        EXPECT_EQ(t.sheet.frames[fall.back().frame].pose.action, kActCurl);
        EXPECT_EQ(PoseAt(t.sheet, t.roles.getUp.main, 0).action, kActCurl);
        EXPECT_EQ(PoseAt(t.sheet, t.roles.lever.main, 1).action, kActRear);
        EXPECT_EQ(PoseAt(t.sheet, t.roles.lever.main, 1).facing, 0);  // facing the lock
        EXPECT_EQ(PoseAt(t.sheet, t.roles.pickUp, 0).figure, kFigBundle);
        // Going down a hole ends with nothing shown; coming out starts so.
        EXPECT_EQ(t.sheet.sequences[size_t(t.roles.hole.main)].back().frame, 0);
        EXPECT_EQ(t.sheet.sequences[size_t(t.roles.emerge.main)].front().frame, 0);
    }
}

TEST(CatRolesShow, HeadsTurnRoundTheWayTheBodyFaces) {
    const CatTables t = MakeCatTables(CatLayout::Ordinary);
    for (int d = 0; d < 8; ++d) {
        EXPECT_EQ(PoseAt(t.sheet, t.roles.stand[d].main, 0).facing, d);
        for (size_t k = 0; k < size_t(kCatHeadSteps); ++k) {
            const Pose& head = PoseAt(t.sheet, t.roles.stand[d].overlay, k);
            EXPECT_EQ(head.figure, kFigCatHead);
            EXPECT_EQ(head.facing, (d + int(k) - kCatHeadStraight + 8) % 8) << d << " step " << k;
        }
        const Pose& walkHead = PoseAt(t.sheet, t.roles.walk[d].overlay, 0);
        EXPECT_EQ(walkHead.facing, d);
    }
    const CatTables balloon = MakeCatTables(CatLayout::Balloon);
    EXPECT_EQ(PoseAt(balloon.sheet, balloon.roles.walk[3].main, 0).figure, kFigBalloonCat);
    EXPECT_EQ(PoseAt(balloon.sheet, balloon.roles.stand[0].overlay, kCatHeadStraight).facing, 4);
}

TEST(BandRolesShow, EachMemberPlaysOnlyItsOwnPictures) {
    const BandTables t = MakeBandTables();
    for (int m = 0; m < kBandMembers; ++m)
        for (const BandChoice& c : t.choices[size_t(m)]) {
            for (const SeqStep& s : t.sheet.sequences[size_t(c.main)]) {
                const Pose& p = t.sheet.frames[s.frame].pose;
                EXPECT_EQ(p.variant, m);
                EXPECT_NE(p.tail, 2) << "an instrument part as the main picture";
            }
            if (c.second >= 0)
                for (const SeqStep& s : t.sheet.sequences[size_t(c.second)]) {
                    EXPECT_EQ(t.sheet.frames[s.frame].pose.variant, m);
                    EXPECT_EQ(t.sheet.frames[s.frame].pose.tail, 2);
                }
        }
}

TEST(CaptiveRolesShow, HumsReturnToIdleAndFreeingEndsFreed) {
    for (int land = 0; land < kCaptiveCount; ++land) {
        const CharacterSheet s = MakeCaptiveSheet(land);
        SCOPED_TRACE(s.file);
        const uint16_t idleA = s.sequences[2 * kIdleA][0].frame, idleB = s.sequences[2 * kIdleB][0].frame;
        const uint16_t freed = s.sequences[2 * kFreed][0].frame;
        EXPECT_EQ(s.sequences[2 * kHumA].back().frame, idleA);
        EXPECT_EQ(s.sequences[2 * kHumB].back().frame, idleB);
        EXPECT_EQ(s.sequences[2 * kFreeing].back().frame, freed);
        for (const SeqStep& step : s.sequences[2 * kFreeing])
            EXPECT_EQ(s.frames[step.frame].pose.figure, kFigMusician);
        EXPECT_EQ(s.frames[idleA].pose.variant, kCaptiveBandMember[size_t(land)]);
        // The first hum entry shows a note beside the member.
        EXPECT_EQ(s.frames[s.sequences[2 * kHumA + 1][0].frame].pose.figure, kFigHumNote);
    }
}

TEST(RewardRolesShow, TheMemberAsAAndThePupAsB) {
    for (int n = 1; n <= kRewardCount; ++n) {
        const RewardTables t = MakeRewardTables(n);
        for (int s = 0; s < t.Steps(); ++s) {
            const Pose& a = t.frames[t.frameA[size_t(s)]].pose;
            EXPECT_EQ(a.figure, n == 4 ? kFigRewardDuo : kFigMusician);
            EXPECT_EQ(a.variant, kCaptiveBandMember[size_t(n - 1)]);
            if (n != 4) {
                EXPECT_EQ(t.frames[t.frameB[size_t(s)]].pose.figure, kFigDog);
            }
        }
    }
}

}  // namespace
