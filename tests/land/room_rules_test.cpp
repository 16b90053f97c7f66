#include <gtest/gtest.h>

#include "land/room_rules.h"
#include "world/land_record.h"

namespace {

using land::DropOutcome;

world::LandRecord Fresh() {
    world::LandRecord record{};
    world::InitLandRecord(&record);
    record.target[0] = 4;
    record.target[1] = 1;
    record.target[2] = 6;
    return record;
}

TEST(RoomRules, EasyAndMediumTakeOnlyTheRoomsOwnSet) {
    for (int difficulty : {1, 2}) {
        world::LandRecord record = Fresh();
        bool bound = false;
        EXPECT_EQ(land::DecideDrop(&record, difficulty, 0, 7, &bound), DropOutcome::Floating);
        EXPECT_EQ(record.room[0].set, -1);
        EXPECT_EQ(land::DecideDrop(&record, difficulty, 0, 5, &bound), DropOutcome::Placed);
        EXPECT_EQ(record.room[0].set, 0);
        EXPECT_EQ(land::DecideDrop(&record, difficulty, 2, 12, &bound), DropOutcome::Placed);
        EXPECT_EQ(land::DecideDrop(&record, difficulty, 2, 18, &bound), DropOutcome::Floating);
        EXPECT_FALSE(bound);
    }
}

TEST(RoomRules, KeysAreNeverAccepted) {
    for (int difficulty : {1, 2, 3}) {
        world::LandRecord record = Fresh();
        bool bound = false;
        EXPECT_EQ(land::DecideDrop(&record, difficulty, 0, -1, &bound), DropOutcome::Refused);
        EXPECT_EQ(record.room[0].bound, 0);
    }
}

TEST(RoomRules, HardBindsOnTheFirstIconAndTheThirdRoomAfterTwo) {
    world::LandRecord record = Fresh();
    bool bound = false;
    for (int noSet : {18, 19, 20}) EXPECT_EQ(land::DecideDrop(&record, 3, 1, noSet, &bound), DropOutcome::Floating);
    EXPECT_FALSE(bound);
    EXPECT_EQ(record.room[1].bound, 0);
    EXPECT_EQ(land::DecideDrop(&record, 3, 1, 14, &bound), DropOutcome::Placed);
    EXPECT_TRUE(bound);
    EXPECT_EQ(record.room[1].set, 2);
    EXPECT_EQ(record.room[1].bindingMarker, 0);
    EXPECT_EQ(land::DecideDrop(&record, 3, 1, 3, &bound), DropOutcome::Floating);  // other set
    EXPECT_FALSE(bound);
    EXPECT_EQ(land::DecideDrop(&record, 3, 0, 16, &bound), DropOutcome::Floating);  // set taken
    EXPECT_EQ(record.room[0].bound, 0);
    EXPECT_EQ(record.room[2].bound, 0);

    EXPECT_EQ(land::DecideDrop(&record, 3, 0, 8, &bound), DropOutcome::Placed);
    EXPECT_EQ(record.room[0].set, 1);
    EXPECT_EQ(record.room[2].bound, 1);
    EXPECT_EQ(record.room[2].set, 0);
    EXPECT_EQ(land::DecideDrop(&record, 3, 2, 0, &bound), DropOutcome::Placed);
    EXPECT_FALSE(bound);
}

TEST(RoomRules, PlacedCountCountsTheRoomsSetOnly) {
    world::LandRecord record = Fresh();
    int placed[24] = {};
    for (int i = 6; i < 12; ++i) placed[i] = 1;
    placed[0] = 1;
    EXPECT_EQ(land::PlacedCount(record, 1, placed, 24), 0);  // no set yet
    record.room[1].set = 1;
    EXPECT_EQ(land::PlacedCount(record, 1, placed, 24), 6);
    record.room[1].set = 2;
    EXPECT_EQ(land::PlacedCount(record, 1, placed, 7), 0);  // icons beyond the land's count
}

TEST(RoomRules, PedestalSpotsFormTwoStaggeredRowsCentredOnTheCell) {
    const land::Spot first = land::PedestalSpot(100, 200, 0, 65);
    EXPECT_EQ(first.x, 100 + 21 + 166);
    EXPECT_EQ(first.y, 200 - 18);
    const land::Spot low = land::PedestalSpot(100, 200, 9, 45);
    EXPECT_EQ(low.x, 100 + 21 + 6);
    EXPECT_EQ(low.y, 200 + 11 + 10);
    EXPECT_EQ(land::PedestalSpot(0, 0, 5, 200).y, 11);  // taller than a cell: no negative centring
    EXPECT_EQ(land::KeySpot(100, 200).x, 129);
    EXPECT_EQ(land::KeyOfRoom(0), 2);
}

TEST(RoomRules, PreInsertKeysForOneTwoAndThreeKeysNeeded) {
    struct Visit {
        world::LandRecord record = Fresh();
        land::LiveKey live[3];
        int demonstrated = 0;
        explicit Visit(int keysNeeded, int slot0 = -1) {
            record.slot[0] = slot0;
            land::PreInsertKeys(&record, keysNeeded, live, &demonstrated);
        }
    };
    const Visit one(1);
    EXPECT_EQ(one.record.slot[0], 4);
    EXPECT_EQ(one.record.slot[1], 1);
    EXPECT_EQ(one.record.slot[2], -1);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(one.live[k].location, 10);
        EXPECT_EQ(one.live[k].placed, 1);
        EXPECT_EQ(one.record.key[k].location, 10);
        EXPECT_EQ(one.record.key[k].placed, 0);
    }
    EXPECT_TRUE(one.live[0].hitBoxRemoved);
    EXPECT_FALSE(one.live[1].hitBoxRemoved);
    EXPECT_EQ(one.record.key[2].location, 100);
    EXPECT_EQ(one.demonstrated, 0);

    const Visit two(2);
    EXPECT_EQ(two.record.slot[0], 4);
    EXPECT_EQ(two.record.slot[1], -1);
    EXPECT_EQ(two.live[1].placed, 0);
    EXPECT_EQ(two.record.key[1].location, 100);

    const Visit three(3);
    EXPECT_EQ(three.record.slot[0], -1);
    EXPECT_EQ(three.demonstrated, 1);

    const Visit later(1, 2);  // a later visit leaves the lock alone
    EXPECT_EQ(later.record.slot[1], -1);
    EXPECT_EQ(later.live[0].placed, 0);
}

TEST(RoomRules, FloatingIconRisesSwayingWithinItsBounds) {
    land::Float f;
    int32_t x = 50, y = 300;
    int frames = 0;
    while (!f.Step(&x, &y, 0)) {
        ASSERT_GE(f.sway, -6);
        ASSERT_LE(f.sway, 7);
        ++frames;
        ASSERT_LT(frames, 100);
    }
    EXPECT_EQ(frames, 300 / 7);
    EXPECT_LT(y, 0);
}

}  // namespace
