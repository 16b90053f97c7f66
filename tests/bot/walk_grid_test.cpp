// The bot's walking grid: leaving a door's area the way the goal lies.
#include <gtest/gtest.h>

#include "bot/walk_grid.h"

namespace {

TEST(WalkGrid, LeavingADoorsAreaPassesAPocketThatLeadsNowhere) {
    // A corridor (y 108-128) under a door whose area covers x 48-200; the
    // nearest free cells are a pocket on its left against the map margin,
    // the way on lies to the right.
    const std::vector<platform::RECT> walls{{0, 0, 400, 96}, {0, 144, 400, 300}};
    const std::vector<platform::RECT> door{{48, 100, 200, 140}};
    const bot::WalkGrid grid(400, 300, walls, door);
    ASSERT_TRUE(grid.Free(40, 120));
    const std::vector<bot::Point> path = grid.Path({100, 120}, [](int x, int) { return x >= 300; });
    ASSERT_FALSE(path.empty());
    EXPECT_GE(path.back().x, 300);
    for (const bot::Point& p : path) EXPECT_GE(p.x, 48) << "the walk went into the pocket";
    // Out of the area it never goes back in.
    bool out = false;
    for (const bot::Point& p : path) {
        if (grid.Free(p.x, p.y)) out = true;
        else EXPECT_FALSE(out) << "back into the door's area at " << p.x;
    }
}

}  // namespace
