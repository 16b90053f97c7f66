// Every generated level through the game's own level readers: each loads to
// its clean end with every picture it names, and gives its owner what the
// owner drives (doors, holes, watchers, posts, fish, pedestal, lock, band).
#include <gtest/gtest.h>

#include "generated_world.h"
#include "platform/headless.h"
#include "sprites/loading_animation.h"
#include "support/sprites_support.h"
#include "world/land_record.h"
#include "world/place.h"

namespace {

using namespace worldart_test;

class GeneratedLevelsInTheReaders : public sprites_support::SpriteTest, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        ASSERT_EQ(platform::SetCurrentDirectory(WorldDir().c_str()), 1);
        platform::headless::ClearMessageBoxLog();
    }
    void ExpectEveryPictureLoaded() {
        for (const auto& box : platform::headless::MessageBoxLog()) ADD_FAILURE() << box.caption << ": " << box.text;
        platform::headless::ClearMessageBoxLog();
    }
};

bool Empty(const platform::RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

TEST_F(GeneratedLevelsInTheReaders, LandsLoadWholeOnEveryDifficulty) {
    for (const char* land : {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"})
        for (int difficulty = 1; difficulty <= 3; ++difficulty) {
            const char* names[3] = {"easy", "medium", "hard"};
            const std::string file = std::string(".\\graphics\\lands\\") + land + "\\" + names[difficulty - 1] + ".lnd";
            SCOPED_TRACE(file);
            world::LandRecord record{};
            record.icon[0].location = 100;
            world::LandPlace place;
            // The loading animation (slow: it presents every step) runs on
            // the first land only; it finds its picture in the land's folder.
            sprites::LoadingAnimation loading;
            const bool first = difficulty == 1 && std::string(land) == "celtic";
            EXPECT_EQ(world::LoadLand(file.c_str(), first ? &loading : nullptr, {&W(), difficulty, &record}, &place), 1);
            EXPECT_EQ(place.complete, 1);
            EXPECT_EQ(place.doorCount, 3);
            for (const auto& door : place.doors) EXPECT_FALSE(Empty(door.area));
            EXPECT_FALSE(Empty(place.mainDoor.area));
            EXPECT_FALSE(Empty(place.startArea));
            EXPECT_GE(place.hotSpotCount, 2);
            EXPECT_EQ(place.hotSpotCount % 2, 0);
            EXPECT_GE(place.watcherCount, 1);
            EXPECT_NE(place.proximity, nullptr);
            ASSERT_EQ(place.posts.size(), 3u);
            for (const auto& post : place.posts) EXPECT_NE(post.flag, nullptr);
            EXPECT_GE(place.iconSpots.size(), 24u);
            // Categories c0..c3 were drawn, so the flags above had pictures.
            ExpectEveryPictureLoaded();
        }
}

TEST_F(GeneratedLevelsInTheReaders, RoomsAndTheDenLoadWithTheirPieces) {
    for (int k = 1; k <= 3; ++k) {
        const std::string file = ".\\Subroom" + std::to_string(k) + "\\subroom" + std::to_string(k) + ".lnd";
        SCOPED_TRACE(file);
        world::RoomPlace room;
        EXPECT_EQ(world::LoadSubRoom(file.c_str(), {&W(), 1, 0}, &room), 1);
        EXPECT_EQ(room.complete, 1);
        EXPECT_FALSE(Empty(room.exitArea));
        EXPECT_FALSE(Empty(room.hotSpot));
        EXPECT_NE(room.fish, nullptr);
        EXPECT_NE(room.pedestal, nullptr);
        ExpectEveryPictureLoaded();
    }
    world::RoomPlace main;
    EXPECT_EQ(world::LoadMainSubRoom(".\\mainSub\\mainsub.lnd", {&W(), 1, 0}, &main), 1);
    EXPECT_EQ(main.complete, 1);
    EXPECT_FALSE(Empty(main.exitArea));
    EXPECT_FALSE(Empty(main.denExitArea));
    EXPECT_FALSE(Empty(main.hotSpot));
    EXPECT_NE(main.lemon, nullptr);
    EXPECT_NE(main.lever, nullptr);
    EXPECT_NE(main.stripA, nullptr);
    EXPECT_NE(main.stripB, nullptr);
    for (const auto& frame : main.fishFrames) EXPECT_NE(frame.surface, nullptr);
    ExpectEveryPictureLoaded();

    world::DenPlace den;
    EXPECT_EQ(world::LoadDen(".\\graphics\\den\\den.lnd", &W(), &den), 1);
    EXPECT_EQ(den.complete, 1);
    for (const auto& rect : den.rects) EXPECT_FALSE(Empty(rect));
    for (int k = 0; k < 6; ++k) {
        EXPECT_NE(den.members[k], nullptr) << k;
        EXPECT_NE(den.pieces[k], nullptr) << k;
    }
    ExpectEveryPictureLoaded();
}

}  // namespace
