// The view that follows the player: edges, the slow approach to the centre,
// the ends of the map and centring.
#include <gtest/gtest.h>

#include "sprites/background.h"

namespace {

// A 100 x 100 map of 32-pixel tiles (3200 x 3200 pixels) in a full view.
void Reset(sprites::Background& map) {
    map.tileWidth = map.tileHeight = 32;
    map.columns = map.rows = 100;
    map.scrollX = 1000;
    map.scrollY = 1000;
}

TEST(ViewFollow, EdgesJumpAndTheCentreIsApproachedByTwentieths) {
    sprites::Background map(nullptr);
    Reset(map);
    int32_t dx = 0, dy = 0;
    map.Follow(1000 + 50, 1000 + 240, &dx, &dy);  // 50 pixels from the left edge
    EXPECT_EQ(-50, dx);
    EXPECT_EQ(0, dy);
    EXPECT_EQ(950, map.scrollX);

    Reset(map);
    map.Follow(1000 + 320, 1000 + 240, &dx, &dy);  // at the centre
    EXPECT_EQ(0, dx);
    EXPECT_EQ(0, dy);
    map.Follow(1000 + 320 + 39, 1000 + 240 + 19, &dx, &dy);
    EXPECT_EQ(1, dx);
    EXPECT_EQ(0, dy);

    Reset(map);
    map.Follow(1000 + 600, 1000 + 470, &dx, &dy);  // past both far margins
    EXPECT_EQ(60, dx);
    EXPECT_EQ(90, dy);
    EXPECT_EQ(1060, map.scrollX);
}

TEST(ViewFollow, TheMapEndsStopTheViewAndReportOnlyRealMovement) {
    sprites::Background map(nullptr);
    Reset(map);
    map.scrollX = 3200 - 640 - 2;
    map.scrollY = 3;
    int32_t dx = 0, dy = 0;
    map.Follow(3199, 10, &dx, &dy);
    EXPECT_EQ(3200 - 640, map.scrollX);
    EXPECT_EQ(2, dx);
    EXPECT_EQ(0, map.scrollY);
    EXPECT_EQ(-3, dy);

    // A map smaller than the view rests against its left and top ends.
    sprites::Background small(nullptr);
    small.tileWidth = small.tileHeight = 32;
    small.columns = small.rows = 2;
    small.Follow(10, 10, &dx, &dy);
    EXPECT_EQ(0, small.scrollX);
    EXPECT_EQ(0, small.scrollY);
}

TEST(ViewFollow, CentringUsesTheViewRectangle) {
    sprites::Background map(nullptr);
    Reset(map);
    map.CentreOn(1000, 800);
    EXPECT_EQ(1000 - 320, map.scrollX);
    EXPECT_EQ(800 - 240, map.scrollY);
    map.view = platform::RECT{20, 10, 620, 470};
    map.CentreOn(1000, 800);
    EXPECT_EQ(1000 - 300 - 20, map.scrollX);
    EXPECT_EQ(800 - 230 - 10, map.scrollY);
}

}  // namespace
