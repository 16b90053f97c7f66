#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <set>

#include "platform/crt_random.h"
#include "world/land_record.h"

namespace {

TEST(LandRecord, ByteLayoutIsLittleEndianWordsAtFixedOffsets) {
    world::LandRecord record{};
    record.progress = 0x01020304;
    record.noteTable = -2;
    record.icon[23].placed = 7;
    record.room[2].set = 2;
    record.slot[0] = 5;
    record.scale[6] = 11;
    record.key[2].placed = 0x7F;
    uint8_t bytes[sizeof record];
    world::WriteRecordBytes(record, bytes);
    EXPECT_EQ(bytes[32], 0x04);
    EXPECT_EQ(bytes[35], 0x01);
    EXPECT_EQ(bytes[36], 0xFE);
    EXPECT_EQ(bytes[39], 0xFF);
    EXPECT_EQ(bytes[44 + 23 * 16 + 12], 7);
    EXPECT_EQ(bytes[428 + 2 * 16 + 12], 2);
    EXPECT_EQ(bytes[476], 5);
    EXPECT_EQ(bytes[500 + 24], 11);
    EXPECT_EQ(bytes[583 - 3], 0x7F);

    world::LandRecord back{};
    world::ReadRecordBytes(bytes, &back);
    EXPECT_EQ(std::memcmp(&back, &record, sizeof record), 0);
}

TEST(LandRecord, InitGivesFirstVisitValuesAndKeepsTheNoteTable) {
    for (unsigned seed = 1; seed < 60; ++seed) {
        platform::srand(seed);
        world::LandRecord record;
        std::memset(&record, 0x5A, sizeof record);
        record.noteTable = 1234;
        world::InitLandRecord(&record);
        EXPECT_EQ(record.noteTable, 1234);
        EXPECT_EQ(record.icon[0].location, 100);
        EXPECT_EQ(record.bandWord, -1);
        EXPECT_EQ(record.progress, 0);
        EXPECT_EQ(record.freed, 0);
        EXPECT_EQ(record.lockRoomVisited, 0);
        std::set<int> targets;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(record.room[k].bindingMarker, -1);
            EXPECT_EQ(record.room[k].bound, 0);
            EXPECT_EQ(record.room[k].set, -1);
            EXPECT_EQ(record.slot[k], -1);
            EXPECT_EQ(record.key[k].location, 100);
            EXPECT_EQ(record.key[k].x, 100);
            EXPECT_EQ(record.key[k].y, 100 + 40 * k);
            EXPECT_GE(record.target[k], 0);
            EXPECT_LE(record.target[k], 6);
            targets.insert(record.target[k]);
        }
        EXPECT_EQ(targets.size(), 3u) << "seed " << seed;
        const bool major = std::memcmp(record.scale, world::kScaleRows[0], sizeof record.scale) == 0;
        const bool minor = std::memcmp(record.scale, world::kScaleRows[1], sizeof record.scale) == 0;
        EXPECT_TRUE(major || minor);
    }
}

TEST(LandRecord, IconCountsAndKeysNeededPerLandAndDifficulty) {
    const int easy[6] = {7, 12, 15, 20, 22, 24};
    const int keys[6] = {1, 2, 2, 3, 3, 3};
    for (int land = 0; land < 6; ++land) {
        EXPECT_EQ(world::IconCount(land, 1), easy[land]);
        EXPECT_EQ(world::KeysNeeded(land, 1), keys[land]);
        for (int difficulty : {2, 3}) {
            EXPECT_EQ(world::IconCount(land, difficulty), 19 + land);
            EXPECT_EQ(world::KeysNeeded(land, difficulty), 3);
        }
    }
    EXPECT_LE(world::IconCount(99, 1), world::kMaxIcons);
    EXPECT_LE(world::IconCount(-5, 3), world::kMaxIcons);
}

}  // namespace
