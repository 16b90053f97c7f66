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

namespace {

// Two ways round a block from the left of the map to the right: a short one
// above it and a long one below.
struct TwoWays {
    const std::vector<platform::RECT> blocks{{120, 100, 280, 260}};
    bot::Point from{80, 120}, to{320, 120};
    static bool Right(int x, int) { return x >= 320; }
};

TEST(WalkGrid, AStepWhereTheDogWasStoppedIsLeftOutOfTheNextPlans) {
    const TwoWays t;
    bot::WalkGrid grid(400, 400, t.blocks, {});
    const std::vector<bot::Point> first = grid.Path(t.from, TwoWays::Right);
    ASSERT_FALSE(first.empty());
    // Stopped somewhere on the short way: the next plan takes the other way,
    // or none at all once every way is blocked, never the step again.
    std::vector<bot::Point> path = first;
    int plans = 0;
    while (!path.empty() && ++plans < 200) {
        const size_t at = path.size() / 2;
        grid.BlockStep(path[at], path[at + 1]);
        const std::vector<bot::Point> next = grid.Path(t.from, TwoWays::Right);
        for (size_t i = 0; i + 1 < next.size(); ++i) {
            const bool same = (next[i].x == path[at].x && next[i].y == path[at].y && next[i + 1].x == path[at + 1].x &&
                               next[i + 1].y == path[at + 1].y) ||
                              (next[i].x == path[at + 1].x && next[i].y == path[at + 1].y && next[i + 1].x == path[at].x &&
                               next[i + 1].y == path[at].y);
            ASSERT_FALSE(same) << "the blocked step is taken again";
        }
        path = next;
        if (plans == 1) {
            ASSERT_FALSE(path.empty());
            EXPECT_GE(path.size(), first.size());
        }
    }
    EXPECT_LT(plans, 200) << "blocking steps never cut the way";
}

TEST(WalkGrid, DistancesCountStepsThroughFreeCellsOnly) {
    const TwoWays t;
    const bot::WalkGrid grid(400, 400, t.blocks, {});
    const std::vector<int> steps = grid.Distances([](int x, int y) { return x == 80 && y == 120; });
    // Straight along the free row above the block: one step a cell.
    EXPECT_EQ(grid.NearestDistance(steps, {160, 48}, 1), -1) << "in the map's top margin";
    EXPECT_EQ(grid.NearestDistance(steps, {80, 120}, 1), 0);
    const int across = grid.NearestDistance(steps, {320, 120}, 1);
    EXPECT_GE(across, (320 - 80) / bot::WalkGrid::kCell);
    // Inside the block nothing is reached; near it, the nearest reached cell counts.
    EXPECT_EQ(grid.NearestDistance(steps, {200, 180}, 8), -1);
    EXPECT_GE(grid.NearestDistance(steps, {200, 180}, 100), 0);
}

}  // namespace
