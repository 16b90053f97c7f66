// The roaming cat (fleeing, random runs, scuffles, the random place search)
// and the actors that watch or wait for the dog.
#include <gtest/gtest.h>

#include <set>

#include "world/actor_rules.h"
#include "world/dog_fixture.h"
#include "world/roaming_cat.h"

namespace {

using world::RoamingCat;

class CatTest : public world_test::DogTest, public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(MakeWorld()); }
    RoamingCat* MakeCat(int32_t x, int32_t y) {
        cat = new RoamingCat(&W(), group, x, y, "sourpuss.bmp", world::chars::CatLayout::Ordinary);
        group->Insert(cat);
        cat->dog = dog;
        return cat;
    }
    RoamingCat* cat = nullptr;
};

TEST_F(CatTest, ACorneredCatRunsAtRandomAndSpeedsUpUntilItCalmsDown) {
    MakeDog(300, 300);
    MakeCat(5, 5);  // left and up are the ways away from the dog; the map ends there
    std::vector<int32_t> periods;
    for (int tick = 0; tick < 40; ++tick) {
        cat->Think();
        if (periods.empty() || periods.back() != cat->frameDelay) periods.push_back(cat->frameDelay);
        if (tick % 2 == 1) {
            EXPECT_EQ(0, cat->randomRun) << "a run of one random tick after the blocked one";
        }
    }
    std::vector<int32_t> expected;
    for (int32_t p = 100; p >= 49; p -= 3) expected.push_back(p);
    expected.erase(expected.begin());
    EXPECT_EQ(expected, periods);
    const std::set<int> table(std::begin(RoamingCat::kRandomDirections), std::end(RoamingCat::kRandomDirections));
    EXPECT_TRUE(table.count(cat->fleeDirection));

    cat->alert = RoamingCat::kAlert;
    dog->SetPosition(2000, 2000);
    cat->Think();
    EXPECT_EQ(RoamingCat::kCalm, cat->alert);
    EXPECT_EQ(100, cat->frameDelay);
}

TEST_F(CatTest, AFreeCatFleesAwayFromTheDog) {
    MakeDog(1000, 1000);
    MakeCat(1100, 960);  // right of and above the dog, 140 away
    cat->Think();
    EXPECT_EQ(RoamingCat::kAlert, cat->alert);
    EXPECT_EQ(4 | 1, cat->fleeDirection);
    EXPECT_EQ(RoamingCat::kWalking, cat->mode);
    EXPECT_EQ(5, cat->direction);
}

TEST_F(CatTest, TheScuffleStartsBelowFortyPixelsAndEndsWithADash) {
    MakeDog(1000, 1000);
    MakeCat(1020, 1020);
    cat->Think();
    EXPECT_NE(RoamingCat::kScuffling, cat->mode);
    cat->SetPosition(1020, 1019);
    cat->Think();
    ASSERT_EQ(RoamingCat::kScuffling, cat->mode);
    EXPECT_EQ(80, cat->frameDelay);
    EXPECT_EQ(world::PlayerDog::kBusy, dog->mode);
    EXPECT_GE(cat->scuffleTicks, 9);
    EXPECT_LE(cat->scuffleTicks, 14);
    for (int i = 0; i < 20 && cat->mode == RoamingCat::kScuffling; ++i) cat->Think();
    EXPECT_EQ(RoamingCat::kDashing, cat->mode);
    EXPECT_EQ(RoamingCat::kDashDepth, cat->depth);
    EXPECT_EQ(1020, dog->x);
    EXPECT_EQ(1019, dog->y);
    EXPECT_EQ(cat->dashDirection, dog->direction);
    EXPECT_EQ(world::PlayerDog::kStanding, dog->mode);
    const int32_t x = cat->x, y = cat->y;
    cat->FrameHook(0);  // dashing: 50 pixels a tick, no test
    EXPECT_EQ(50, std::max(std::abs(cat->x - x), std::abs(cat->y - y)));
}

TEST_F(CatTest, TheRandomPlaceSearchIsBounded) {
    MakeDog(100, 100);
    MakeCat(200, 200);
    ASSERT_EQ(1, cat->MoveToRandomPlace());  // 3200 x 3200: somewhere out of view
    EXPECT_GT(cat->x, 0);
    EXPECT_GT(cat->y, 0);
    EXPECT_TRUE(cat->x >= 640 + 20 || cat->y >= 480 + 20);

    // A map that lies wholly in the view has no hidden place.
    sprites::Background& map = *W().background;
    map.columns = map.rows = 10;
    cat->SetPosition(200, 200);
    EXPECT_EQ(0, cat->MoveToRandomPlace());
    EXPECT_EQ(200, cat->x);
    EXPECT_EQ(200, cat->y);
}

TEST_F(CatTest, WatchersLookTowardsTheDog) {
    EXPECT_EQ(4, world::DogOctant(100, 100, 100, 300));  // dog below
    EXPECT_EQ(0, world::DogOctant(100, 300, 100, 100));  // dog above
    EXPECT_EQ(3, world::DogOctant(100, 100, 200, 200));
    EXPECT_EQ(2, world::DogOctant(100, 100, 200, 110));
    EXPECT_EQ(1, world::DogOctant(100, 100, 200, 0));
    EXPECT_EQ(5, world::DogOctant(100, 100, 0, 200));
    EXPECT_EQ(6, world::DogOctant(100, 100, 0, 100));
    EXPECT_EQ(7, world::DogOctant(100, 100, 0, 0));
    EXPECT_EQ(0, world::DogOctant(100, 100, 200, 150));  // slope exactly 0.5
    EXPECT_EQ(4, world::DogOctant(100, 100, 110, 300));  // steep: as for the same x

    sprites::FrameRecord frames[8];
    for (int i = 0; i < 8; ++i) frames[i].rect = platform::RECT{i * 10, 0, i * 10 + 10, 10};
    sprites::AnimatedSprite watcher(&W(), 80, 50, &frames[0], 0);
    watcher.frames = frames;
    watcher.frameCount = 8;
    world::UpdateWatcher(&watcher, 100, 300);  // eyes at (100, 100), directly above the dog
    EXPECT_EQ(7, watcher.frameIndex);
    world::UpdateWatcher(&watcher, 100, 0);    // directly below it
    EXPECT_EQ(3, watcher.frameIndex);
    EXPECT_EQ(&frames[3], watcher.frame);
}

TEST_F(CatTest, TheProximityAnimationOpensNearTheDogAndClosesAfter) {
    sprites::FrameRecord frames[4];
    sprites::AnimatedSprite door(&W(), 100, 100, &frames[0], 0);
    door.frames = frames;
    door.frameCount = 4;
    door.pingPong = true;
    door.hitBox = platform::RECT{0, 35, 20, 40};  // world footprint (100, 135, 120, 140)
    const platform::RECT near{50, 170, 76, 186};  // bottom-left (50, 186): inside (0, 90, 220, 240)
    const platform::RECT far{400, 400, 426, 416};
    world::UpdateProximity(&door, near);
    EXPECT_FALSE(door.paused);
    door.frameIndex = 3;
    world::UpdateProximity(&door, near);
    EXPECT_TRUE(door.paused);
    world::UpdateProximity(&door, far);
    EXPECT_FALSE(door.paused);
    door.frameIndex = 0;
    world::UpdateProximity(&door, far);
    EXPECT_TRUE(door.paused);
}

}  // namespace
