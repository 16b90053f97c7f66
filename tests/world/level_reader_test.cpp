// The level readers: map layout, images and placements, each reader's
// sections, and files that end early or lie about their counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/clock.h"
#include "platform/files.h"
#include "world/world_fixture.h"

namespace {

using world_test::LevelWriter;
using world_test::WorldTest;

class LevelReaderTest : public WorldTest, public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartWorld()); }
};

TEST_F(LevelReaderTest, CellsAreColumnMajorAndTilesCountRowByRow) {
    WritePicture("lands/celtic/tiles.bmp", 256, 64);
    LevelWriter w;
    w.Map("tiles.bmp", 32, 32, 2, 3, {10, 11, 12, 13, 14, -1}).Images({}).Placements({});
    world::LandPlace place;
    EXPECT_EQ(1, Land(w, &place));
    const sprites::Background& map = *W().background;
    EXPECT_EQ(2, map.columns);
    EXPECT_EQ(3, map.rows);
    EXPECT_EQ(10, map.Cell(0, 0));
    EXPECT_EQ(12, map.Cell(0, 2));
    EXPECT_EQ(13, map.Cell(1, 0));
    EXPECT_EQ(-1, map.Cell(1, 2));
    EXPECT_EQ(8, map.tilesPerRow);
    EXPECT_EQ(2, map.tileRows);
    EXPECT_EQ(7 * 32, map.tiles[7].rect.left);
    EXPECT_EQ(0, map.tiles[7].rect.top);
    EXPECT_EQ(0, map.tiles[8].rect.left);
    EXPECT_EQ(32, map.tiles[8].rect.top);
    EXPECT_EQ(64, map.tiles[15].rect.bottom);
    EXPECT_EQ("lands\\celtic\\tiles.bmp", std::string(map.reloadPath));
    EXPECT_EQ("lands\\celtic", place.folder);
}

TEST_F(LevelReaderTest, PlacementsGetDepthKeysAndOnlyLandsReplaceAbsurdFootprints) {
    for (const char* folder : {"lands/celtic", "den"}) {
        std::filesystem::create_directories(test_support::InGameFolder(folder));
        WritePicture(std::string(folder) + "/rock.bmp", 40, 20);
    }
    auto level = [&](const std::string& folder) {
        LevelWriter w = SmallMap(folder);
        w.Images({{"rock.bmp", 0, 0, 2000, 10}, {"rock.bmp", 0, 5, 1000, 10}})
            .Placements({{0, 100, 200}, {1, 300, 50}, {7, 1, 1}, {0, -30, -250}});
        return w;
    };
    world::LandPlace land;
    EXPECT_EQ(1, Land(level("lands/celtic"), &land));
    ASSERT_EQ(3, GroupSize(land.group));  // the placement naming image 7 shows nothing
    // Above and left of the map's corner: kept where the file puts it.
    sprites::Sprite* offMap = land.group->First();
    EXPECT_EQ(-30, offMap->x);
    EXPECT_EQ(-250, offMap->y);
    EXPECT_EQ(-250 * 3000 - 30, offMap->depth);
    sprites::Sprite* first = offMap->next;  // then by depth: (300, 50) first
    EXPECT_EQ(300, first->x);
    EXPECT_EQ((50 + 5) * 3000 + 300, first->depth);
    EXPECT_EQ(1000, first->hitBox.right);
    sprites::Sprite* second = first->next;
    EXPECT_EQ((platform::RECT{0, 0, 40, 20}), second->hitBox);
    EXPECT_EQ(200 * 3000 + 100, second->depth);

    level("den").Save("den/den.lnd");
    world::DenPlace den;
    EXPECT_EQ(1, world::LoadDen("den\\den.lnd", &W(), &den));
    ASSERT_EQ(3, GroupSize(den.group));
    EXPECT_EQ(2000, den.group->First()->next->next->hitBox.right);
}

TEST_F(LevelReaderTest, LandDoorsFillStartAreaThreeDoorsAndTheMainDoor) {
    LevelWriter w = SmallMap();
    w.Images({}).Placements({}).Section(world::lnd::kDoors, 5);
    w.Door(1, 2, 3, 4, 0).Door(10, 10, 20, 20, 1, "a").Door(30, 30, 40, 40, 1, "b");
    w.Door(50, 50, 60, 60, 1, "c").Door(70, 70, 80, 80, 1, "main");
    world::LandPlace place;
    EXPECT_EQ(1, Land(w, &place));
    EXPECT_EQ((platform::RECT{1, 2, 3, 4}), place.startArea);
    EXPECT_EQ(3, place.doorCount);
    EXPECT_EQ((platform::RECT{50, 50, 60, 60}), place.doors[2].area);
    EXPECT_EQ("c", place.doors[2].name);
    EXPECT_EQ((platform::RECT{70, 70, 80, 80}), place.mainDoor.area);

    LevelWriter twoStarts = SmallMap();
    twoStarts.Images({}).Placements({}).Section(world::lnd::kDoors, 2).Door(1, 1, 2, 2, 0).Door(5, 6, 7, 8, 0);
    world::LandPlace second;
    EXPECT_EQ(1, Land(twoStarts, &second));
    EXPECT_EQ((platform::RECT{5, 6, 7, 8}), second.startArea);
    EXPECT_EQ(0, second.doorCount);
}

TEST_F(LevelReaderTest, LandZonesSetDoorsMainDoorAndHotSpotsUpToTheLimit) {
    LevelWriter w = SmallMap();
    w.Images({}).Placements({}).Section(world::lnd::kZones, 25);
    w.Zone(0, 0, 5, 5, 2).Zone(9, 9, 19, 19, 10).Zone(1, 1, 1, 1, 99);
    for (int i = 0; i < 22; ++i) w.Zone(i, 0, i + 1, 1, 20);
    world::LandPlace place;
    EXPECT_EQ(1, Land(w, &place));
    EXPECT_EQ(2, place.doorCount);
    EXPECT_EQ((platform::RECT{0, 0, 5, 5}), place.doors[1].area);
    EXPECT_EQ((platform::RECT{9, 9, 19, 19}), place.mainDoor.area);
    EXPECT_EQ(20, place.hotSpotCount);
    EXPECT_EQ(19, place.hotSpots[19].area.left);
}

TEST_F(LevelReaderTest, IconSpotsAreShuffledAndSeedAFreshIconTable) {
    LevelWriter w = SmallMap();
    w.Images({}).Placements({}).Section(world::lnd::kIconSpots, 30).Name("ignored");
    for (int i = 0; i < 30; ++i) w.I32(i).I32(1000 + i);
    world::LandPlace place;
    world::LandRecord record = FreshRecord();
    EXPECT_EQ(1, Land(w, &place, 2, &record));
    ASSERT_EQ(30u, place.iconSpots.size());
    std::vector<int> xs;
    for (const auto& s : place.iconSpots) {
        EXPECT_EQ(1000 + s.x, s.y);  // pairs stay together
        xs.push_back(s.x);
    }
    std::sort(xs.begin(), xs.end());
    for (int i = 0; i < 30; ++i) EXPECT_EQ(i, xs[i]);
    EXPECT_EQ("lands\\celtic\\icons\\medico.bmp", place.iconBitmap);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(-1, record.icon[i].location);
        EXPECT_EQ(place.iconSpots[i].x, record.icon[i].x);
    }
    for (int k = 0; k < 8; ++k) EXPECT_TRUE(record.category[k] >= 0 && record.category[k] < 6);
    std::vector<int> firstFour(record.category, record.category + 4);
    std::sort(firstFour.begin(), firstFour.end());
    EXPECT_EQ(firstFour.end(), std::adjacent_find(firstFour.begin(), firstFour.end()));

    // Headless, the calendar is the manual clock's: the same second lays the
    // icons out the same way again, another second differently.
    auto layout = [&] {
        world::LandPlace p;
        world::LandRecord r = FreshRecord();
        Land(w, &p, 2, &r);
        std::vector<int> order;
        for (const auto& s : p.iconSpots) order.push_back(s.x);
        return order;
    };
    const std::vector<int> first = layout();
    EXPECT_EQ(layout(), first);
    platform::manual_clock::Advance(1000);
    EXPECT_NE(layout(), first);

    // A record already in play keeps its icons.
    world::LandRecord played{};
    played.icon[0] = {2, 5, 5, 1};
    world::LandPlace again;
    EXPECT_EQ(1, Land(w, &again, 2, &played));
    EXPECT_EQ(5, played.icon[0].x);
    EXPECT_EQ(0, played.icon[1].x);
}

TEST_F(LevelReaderTest, FewerThanTwentyFourSpotsAreReusedNotReadPastTheList) {
    LevelWriter w = SmallMap();
    w.Images({}).Placements({}).Section(world::lnd::kIconSpots, 3).Name("");
    w.I32(1).I32(1).I32(2).I32(2).I32(3).I32(3);
    world::LandRecord record = FreshRecord();
    world::LandPlace place;
    EXPECT_EQ(1, Land(w, &place, 1, &record));
    for (int i = 0; i < 24; ++i) {
        EXPECT_GE(record.icon[i].x, 1);
        EXPECT_LE(record.icon[i].x, 3);
    }
}

TEST_F(LevelReaderTest, IconPostsShowTheirCategoryFlagByDifficulty) {
    const int32_t categories[8] = {3, 1, 5, 0, 0, 0, 0, 0};
    int32_t frames = 0;
    EXPECT_EQ("..\\..\\icons\\fruit\\applflag.bmp", world::PostFlagBitmap(10, 1, categories, &frames));
    EXPECT_EQ(7, frames);
    EXPECT_EQ("..\\..\\icons\\Sweets\\sweetflg.bmp", world::PostFlagBitmap(12, 2, categories, &frames));
    EXPECT_EQ(5, frames);
    for (uint32_t kind : {10u, 11u, 12u}) {
        EXPECT_EQ("..\\..\\icons\\fruit\\fruitflg.bmp", world::PostFlagBitmap(kind, 3, categories, &frames));
    }

    std::filesystem::create_directories(test_support::InGameFolder("icons/fruit"));
    WritePicture("icons/fruit/fruitflg.bmp", 50, 10);
    WritePicture("lands/celtic/post.bmp", 20, 40);
    world::LandRecord record{};
    record.category[0] = 3;
    LevelWriter w = SmallMap();
    w.Images({}).Placements({}).Section(world::lnd::kActors, 3);
    w.Actor(10, "post.bmp", 1, 200, 100).Actor(11, "post.bmp", 1, 300, 100).Actor(12, "post.bmp", 1, 400, 100);
    world::LandPlace place;
    EXPECT_EQ(1, Land(w, &place, 3, &record));
    ASSERT_EQ(3u, place.posts.size());
    for (const auto& post : place.posts) {
        EXPECT_EQ(post.post->x - 67, post.flag->x);
        EXPECT_EQ(post.post->depth, post.flag->depth);
        EXPECT_EQ(5, post.flag->frameCount);
        EXPECT_EQ(10, post.flag->frames[4].Width());
        EXPECT_NE(nullptr, post.flag->frames[0].surface);
    }
    EXPECT_EQ((platform::RECT{0, 35, 20, 40}), place.posts[0].post->hitBox);
}

TEST_F(LevelReaderTest, AnimationsActorsAndWatchersKeepTheirLimits) {
    WritePicture("lands/celtic/strip.bmp", 80, 30);
    LevelWriter w = SmallMap();
    w.Images({}).Placements({}).Section(world::lnd::kAnimations, 1).Name("strip.bmp").Rect(0, 20, 20, 30).I32(4);
    w.U32(2).U32(0).I32(10).I32(10).I32(120).I32(1).U32(5).I32(0).I32(0).I32(100).I32(0);
    w.Section(world::lnd::kActors, 15);
    w.Actor(1, "strip.bmp", 4, 50, 50).Actor(1, "strip.bmp", 4, 60, 60);
    for (int i = 0; i < 13; ++i) w.Actor(5, "strip.bmp", 8, i, 0);
    world::LandPlace place;
    EXPECT_EQ(1, Land(w, &place));
    // One animation (the second names no strip), two proximity animations,
    // twelve watchers.
    EXPECT_EQ(1 + 2 + 12, GroupSize(place.group));
    ASSERT_NE(nullptr, place.proximity);
    EXPECT_EQ(60, place.proximity->x);
    EXPECT_EQ((platform::RECT{0, 25, 20, 30}), place.proximity->hitBox);
    EXPECT_EQ(12, place.watcherCount);
    EXPECT_TRUE(place.watchers[0]->paused);
    EXPECT_EQ(10, place.watchers[0]->frames[1].rect.left);
    sprites::Sprite* anim = nullptr;
    for (sprites::Sprite* s = place.group->First(); s; s = s->next) {
        if (s->x == 10 && s->y == 10) anim = s;
    }
    ASSERT_NE(nullptr, anim);
    auto* animated = static_cast<sprites::AnimatedSprite*>(anim);
    EXPECT_EQ(120, animated->frameDelay);
    EXPECT_TRUE(animated->pingPong);
    EXPECT_EQ(60, animated->frames[3].rect.left);
    EXPECT_EQ(80, animated->frames[3].rect.right);
}

TEST_F(LevelReaderTest, RoomReadersTakeTheirExitsHotSpotsAndIcons) {
    std::filesystem::create_directories(test_support::InGameFolder("Subroom1"));
    std::filesystem::create_directories(test_support::InGameFolder("mainSub"));
    std::filesystem::create_directories(test_support::InGameFolder("graphics/lockstuff"));
    WritePicture("graphics/lockstuff/FishC.bmp", 12, 8);
    LevelWriter room = SmallMap("Subroom1");
    room.Images({}).Placements({}).Section(world::lnd::kIconSpots, 1).Name("x.bmp").I32(4).I32(5);
    room.Section(world::lnd::kDoors, 2).Door(1, 1, 9, 9, 1).Door(2, 2, 3, 3, 1);
    room.Section(world::lnd::kZones, 3).Zone(5, 5, 6, 6, 20).Zone(7, 7, 8, 8, 20).Zone(0, 0, 1, 1, 6);
    room.Save("Subroom1/subroom1.lnd");
    world::RoomPlace sub;
    world::RoomContext context{&W(), 3, 0};
    EXPECT_EQ(1, world::LoadSubRoom(".\\Subroom1\\subroom1.lnd", context, &sub));
    EXPECT_EQ((platform::RECT{1, 1, 9, 9}), sub.exitArea);
    EXPECT_EQ((platform::RECT{7, 7, 8, 8}), sub.hotSpot);
    EXPECT_EQ(".\\Subroom1\\icons\\hardicon.bmp", sub.iconBitmap);
    EXPECT_EQ(nullptr, sub.sign) << "no sign picture written yet";
    // With its picture, the sign stands centred on the spot and blocks nothing.
    std::filesystem::create_directories(test_support::InGameFolder("Subroom1/icons"));
    WritePicture("Subroom1/icons/hardicon.bmp", 10, 6);
    world::RoomPlace signed_;
    EXPECT_EQ(1, world::LoadSubRoom(".\\Subroom1\\subroom1.lnd", context, &signed_));
    ASSERT_NE(nullptr, signed_.sign);
    EXPECT_EQ((platform::RECT{-1, 2, 9, 8}), signed_.sign->rect);
    EXPECT_EQ((platform::RECT{0, 0, 0, 0}), signed_.sign->hitBox);
    EXPECT_NE('.', W().background->reloadPath[0]);  // rooms reload from an absolute path

    LevelWriter main = SmallMap("mainSub");
    main.Images({}).Placements({}).Section(world::lnd::kIconSpots, 0).Name("\\keys.bmp");
    main.Section(world::lnd::kZones, 3).Zone(1, 2, 3, 4, 6).Zone(5, 6, 7, 8, 7).Zone(9, 9, 10, 10, 20);
    main.Save("mainSub/mainsub.lnd");
    world::RoomPlace lock;
    EXPECT_EQ(1, world::LoadMainSubRoom(".\\mainSub\\mainsub.lnd", context, &lock));
    EXPECT_EQ((platform::RECT{1, 2, 3, 4}), lock.denExitArea);
    EXPECT_EQ((platform::RECT{5, 6, 7, 8}), lock.exitArea);
    EXPECT_EQ((platform::RECT{9, 9, 10, 10}), lock.hotSpot);
    EXPECT_EQ(".\\mainSub\\keys.bmp", lock.iconBitmap);
    EXPECT_EQ(nullptr, lock.lemon);
    EXPECT_NE(nullptr, lock.fishFrames[2].surface);  // from the game's own folder
    EXPECT_EQ(12, lock.fishFrames[2].Width());
    EXPECT_EQ(nullptr, lock.fishFrames[0].surface);  // missing: an empty frame
}

TEST_F(LevelReaderTest, TheLockRoomBuildsLemonLightsAndLeverFromTheGameFolder) {
    std::filesystem::create_directories(test_support::InGameFolder("mainSub"));
    std::filesystem::create_directories(test_support::InGameFolder("graphics/lockstuff"));
    WritePicture("graphics/lockstuff/lemon.bmp", 240, 40);
    WritePicture("graphics/lockstuff/lever.bmp", 80, 50);
    WritePicture("graphics/lockstuff/greenlight.bmp", 10, 10);
    LevelWriter main = SmallMap("mainSub");
    main.Images({}).Placements({}).Section(world::lnd::kActors, 2).Actor(3, "", 0, 50, 60).Actor(4, "", 0, 400, 70);
    main.Save("mainSub/mainsub.lnd");
    world::RoomPlace lock;
    EXPECT_EQ(1, world::LoadMainSubRoom(".\\mainSub\\mainsub.lnd", world::RoomContext{&W(), 1, 0}, &lock));
    ASSERT_NE(nullptr, lock.lemon);
    EXPECT_EQ((platform::RECT{0, 30, 240, 40}), lock.lemon->hitBox);
    for (int k = 0; k < 4; ++k) {
        ASSERT_NE(nullptr, lock.lights[k]);
        EXPECT_EQ(-500, lock.lights[k]->x);
        EXPECT_EQ(66, lock.lights[k]->y);
        EXPECT_EQ(lock.lemon->depth + (k == 0 ? 1 : 2), lock.lights[k]->depth);
    }
    EXPECT_EQ(nullptr, lock.lights[0]->frame->surface);  // redlight.bmp is missing
    EXPECT_NE(nullptr, lock.lights[1]->frame->surface);
    ASSERT_NE(nullptr, lock.lever);
    EXPECT_EQ(20, lock.leverFrames[3].Width());
    EXPECT_EQ(60, lock.leverFrames[3].rect.left);
}

TEST_F(LevelReaderTest, DenZonesFillItsSevenRectanglesAndActorsTheBandSlots) {
    std::filesystem::create_directories(test_support::InGameFolder("den"));
    WritePicture("den/drum.bmp", 60, 20);
    LevelWriter w = SmallMap("den");
    w.Images({}).Placements({}).Section(world::lnd::kActors, 2).Actor(22, "drum.bmp", 3, 10, 10).Actor(14, "drum.bmp", 1, 5, 5);
    w.Section(world::lnd::kZones, 3).Zone(1, 1, 2, 2, 7).Zone(3, 3, 4, 4, 1).Zone(0, 0, 9, 9, 8);
    w.Save("den/den.lnd");
    world::DenPlace den;
    EXPECT_EQ(1, world::LoadDen("den\\den.lnd", &W(), &den));
    EXPECT_EQ((platform::RECT{1, 1, 2, 2}), den.rects[6]);
    EXPECT_EQ((platform::RECT{3, 3, 4, 4}), den.rects[0]);
    ASSERT_NE(nullptr, den.members[2]);
    EXPECT_EQ((platform::RECT{0, 5, 20, 20}), den.members[2]->hitBox);
    ASSERT_NE(nullptr, den.pieces[4]);
    EXPECT_EQ((platform::RECT{0, 19, 60, 20}), den.pieces[4]->hitBox);
}

TEST_F(LevelReaderTest, AFileEndingAfterThePlacementsLoadsWhole) {
    WritePicture("lands/celtic/rock.bmp", 10, 10);
    LevelWriter w = SmallMap();
    w.Images({{"rock.bmp", 0, 0, 10, 10}}).Placements({{0, 5, 5}});
    world::LandPlace place;
    EXPECT_EQ(1, Land(w, &place));
    EXPECT_EQ(1, place.complete);
    EXPECT_EQ(1, GroupSize(place.group));
}

TEST_F(LevelReaderTest, ShortCorruptAndMissingFilesStopWithWhatWasRead) {
    char before[1024];
    platform::GetCurrentDirectory(sizeof before, before);
    WritePicture("lands/celtic/rock.bmp", 10, 10);

    // Cut inside the third placement: the first two are kept.
    LevelWriter w = SmallMap();
    w.Images({{"rock.bmp", 0, 0, 10, 10}}).Placements({{0, 1, 1}, {0, 2, 2}, {0, 3, 3}});
    w.bytes.resize(w.bytes.size() - 5);
    world::LandPlace cut;
    EXPECT_EQ(0, Land(w, &cut));
    EXPECT_EQ(2, GroupSize(cut.group));

    // Counts far beyond the file are refused, not allocated or read.
    LevelWriter huge;
    huge.Map("tiles.bmp", 32, 32, 100000, 100000, {});
    world::LandPlace absurdMap;
    EXPECT_EQ(0, Land(huge, &absurdMap));
    LevelWriter images = SmallMap();
    images.Zeros(12).U32(0xFFFFFFFFu);
    world::LandPlace absurdImages;
    EXPECT_EQ(0, Land(images, &absurdImages));

    // A section cut short, and one of a type the reader does not know.
    LevelWriter doors = SmallMap();
    doors.Images({}).Placements({}).Section(world::lnd::kDoors, 3).Door(1, 1, 2, 2, 0);
    world::LandPlace shortSection;
    EXPECT_EQ(0, Land(doors, &shortSection));
    EXPECT_EQ((platform::RECT{1, 1, 2, 2}), shortSection.startArea);
    LevelWriter unknown = SmallMap();
    unknown.Images({}).Placements({}).Section(9, 0).Section(world::lnd::kDoors, 1).Door(1, 1, 2, 2, 0);
    world::LandPlace stopped;
    EXPECT_EQ(0, Land(unknown, &stopped));
    EXPECT_EQ((platform::RECT{0, 0, 0, 0}), stopped.startArea);
    // The den has no doors: the same file stops it at that section.
    std::filesystem::create_directories(test_support::InGameFolder("den"));
    LevelWriter denDoors = SmallMap("den");
    denDoors.Images({}).Placements({}).Section(world::lnd::kDoors, 0);
    denDoors.Save("den/den.lnd");
    world::DenPlace den;
    EXPECT_EQ(0, world::LoadDen("den\\den.lnd", &W(), &den));

    world::LandPlace missing;
    world::LandContext context{&W(), 1, nullptr};
    EXPECT_EQ(0, world::LoadLand("lands\\celtic\\none.lnd", nullptr, context, &missing));
    EXPECT_EQ(nullptr, missing.group);

    char after[1024];
    platform::GetCurrentDirectory(sizeof after, after);
    EXPECT_STREQ(before, after);
}

}  // namespace
