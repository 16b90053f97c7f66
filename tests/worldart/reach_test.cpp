// The walk check: a walker with the dog's footprint, inside the map margins,
// against footprints treated as solid.
#include <gtest/gtest.h>

#include "assetgen/world_reach.h"

namespace {

using assetgen::CheckReach;
using assetgen::ReachTarget;
using world::lnd::Rect;

ReachTarget Door(Rect r) { return {ReachTarget::Door, r, "door"}; }
ReachTarget Spot(int x, int y) { return {ReachTarget::IconSpot, {x, y, x + 1, y + 1}, "spot"}; }
ReachTarget Hole(Rect r) { return {ReachTarget::HotSpot, r, "hole"}; }

TEST(Reach, AWallAcrossTheMapCutsOffTheFarSide) {
    const std::vector<Rect> wall = {{0, 300, 800, 330}};
    const auto near = CheckReach(800, 600, wall, 400, 150, {Spot(400, 250), Door({380, 200, 420, 220})}, {});
    EXPECT_TRUE(near.ok);
    const auto far = CheckReach(800, 600, wall, 400, 150, {Spot(400, 450)}, {});
    EXPECT_FALSE(far.ok);
    ASSERT_EQ(far.problems.size(), 1u);
    EXPECT_NE(far.problems[0].find("cannot be reached"), std::string::npos);
    // A gap as wide as the dog is enough; a narrower one is not.
    const std::vector<Rect> gap = {{0, 300, 400, 330}, {428, 300, 800, 330}};
    EXPECT_TRUE(CheckReach(800, 600, gap, 400, 150, {Spot(400, 450)}, {}).ok);
    const std::vector<Rect> narrow = {{0, 300, 400, 330}, {420, 300, 800, 330}};
    EXPECT_FALSE(CheckReach(800, 600, narrow, 400, 150, {Spot(400, 450)}, {}).ok);
}

TEST(Reach, MarginsKeepTheWalkerOnTheMap) {
    // The dog stays 30 pixels from the left, so a door at the very edge,
    // beyond its door test's reach, cannot be taken.
    EXPECT_FALSE(CheckReach(800, 600, {}, 400, 300, {Door({0, 200, 5, 260})}, {}).ok);
    EXPECT_TRUE(CheckReach(800, 600, {}, 400, 300, {Door({0, 200, 10, 260})}, {}).ok);
    // Within 60 pixels of the top nothing stands, but a door's area may lie there.
    EXPECT_TRUE(CheckReach(800, 600, {}, 400, 300, {Door({300, 0, 340, 45})}, {}).ok);
    EXPECT_FALSE(CheckReach(800, 600, {}, 400, 300, {Door({300, 0, 340, 43})}, {}).ok);
}

TEST(Reach, ArrivalsMustStandInsideAllFourMargins) {
    // 30 from the left and right, 60 from the top, 10 from the bottom (on
    // the right the walker's 4-pixel grid ends a little before the margin).
    auto free = [](int x, int y) { return CheckReach(800, 600, {}, 400, 300, {}, {{x, y}}).ok; };
    EXPECT_TRUE(free(30, 300));
    EXPECT_FALSE(free(29, 300));
    EXPECT_TRUE(free(766, 300));
    EXPECT_FALSE(free(770, 300));
    EXPECT_TRUE(free(400, 60));
    EXPECT_FALSE(free(400, 59));
    EXPECT_TRUE(free(400, 589));
    EXPECT_FALSE(free(400, 590));
}

TEST(Reach, HolesAreFoundSixtyPixelsAboveTheWalker) {
    // A hole over a block: the walker stands below the block and looks up.
    const std::vector<Rect> mound = {{300, 260, 400, 300}};
    EXPECT_TRUE(CheckReach(800, 600, mound, 350, 450, {Hole({330, 230, 370, 250})}, {}).ok);
    // A hole more than 60 pixels above anywhere the walker can stand is out of reach.
    const std::vector<Rect> bigMound = {{300, 200, 400, 330}};
    EXPECT_FALSE(CheckReach(800, 600, bigMound, 350, 450, {Hole({330, 230, 370, 250})}, {}).ok);
}

TEST(Reach, SpotsInFootprintsAndBlockedArrivalsAreReported) {
    const std::vector<Rect> rock = {{100, 100, 200, 200}};
    const auto spot = CheckReach(800, 600, rock, 400, 300, {Spot(150, 170)}, {});
    EXPECT_FALSE(spot.ok);
    EXPECT_NE(spot.problems[0].find("inside footprint"), std::string::npos);
    const auto arrival = CheckReach(800, 600, rock, 400, 300, {}, {{150, 150}});
    EXPECT_FALSE(arrival.ok);
    const auto start = CheckReach(800, 600, rock, 150, 150, {}, {});
    EXPECT_FALSE(start.ok);
    EXPECT_NE(start.problems[0].find("start"), std::string::npos);
    EXPECT_TRUE(CheckReach(800, 600, rock, 400, 300, {Spot(150, 240)}, {{150, 230}}).ok);
}

}  // namespace
