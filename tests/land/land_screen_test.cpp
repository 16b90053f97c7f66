// The land screen on a small generated land: what Load sets up, what a frame
// does, and what reaches the record when the screen goes.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "audio/xmidi_format.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "platform/clock.h"
#include "platform/devices.h"
#include "sprites/sprite_group.h"
#include "support/test_game.h"
#include "world/land_file_format.h"
#include "world/land_files.h"
#include "world/player_dog.h"
#include "world/roaming_cat.h"
#include "world/world_fixture.h"

namespace {

// Walks the dog into sub-room 0 with nothing in its mouth.
land::SubRoom* EnterRoomZero(land::LandScreen* screen) {
    screen->player->enterRoomRequest = 0;
    screen->Tick();
    return dynamic_cast<land::SubRoom*>(screen->activeRoom.get());
}

class LandScreenTest : public world_test::WorldTest, public ::testing::Test {
public:
    LandScreenTest() : sequencer(nullptr, nullptr) {
        EXPECT_TRUE(Start());
        game.sequencer = &sequencer;
        game.currentState = game.requestedState = world::kStateLand;
        world::InitLandRecord(&record);
        WriteSmallLand();
        // A sub-room: exit at the left, pedestal in the middle.
        for (const char* room : {"Subroom1", "Subroom3"}) {
            std::filesystem::create_directories(test_support::InGameFolder(room));
            world_test::LevelWriter r;
            WritePicture(std::string(room) + "/tiles.bmp", 64, 32);
            r.Map("tiles.bmp", 32, 32, 20, 15, std::vector<int32_t>(300, 0)).Images({}).Placements({});
            r.Section(world::lnd::kDoors, 1).Door(40, 300, 80, 340, 1);
            r.Section(world::lnd::kActors, 1).Actor(world::lnd::actor::kPedestal, "peds.bmp", 1, 200, 200);
            r.Save(std::string(room) + "/" + (room[7] == '1' ? "subroom1.lnd" : "subroom3.lnd"));
        }
        WritePicture("graphics/icons/peds.bmp", 240, 80);
    }

    std::unique_ptr<land::LandScreen> Open(int landIndex, int difficulty, const char* song = "song.xmi") {
        game.requestedLand = game.currentLand = landIndex;
        game.difficulty = difficulty;
        auto screen = std::make_unique<land::LandScreen>(&game, &D());
        loaded = screen->Load("lands\\celtic\\easy.lnd", song, &record);
        // A first visit begins in the lock room; the dog walks out into the land.
        if (screen->activeRoom && screen->firstArrival) {
            screen->player->leaveRoomRequest = 1;
            screen->Tick();
        }
        return screen;
    }

    // The celtic land opened at `difficulty` with the dog in sub-room 0; null
    // when either failed.
    land::SubRoom* OpenInRoomZero(int difficulty, std::unique_ptr<land::LandScreen>* screen) {
        *screen = Open(world::kCeltic, difficulty);
        return loaded == 1 ? EnterRoomZero(screen->get()) : nullptr;
    }

    static void Frames(land::LandScreen& screen, int n) {
        for (int f = 0; f < n; ++f) {
            platform::manual_clock::Advance(40);
            screen.Tick();
        }
    }

    TestGame game;
    Sequencer sequencer;
    world::LandRecord record{};
    int loaded = -1;
};

TEST_F(LandScreenTest, LoadSetsUpIconsKeysAndTheFirstVisitLock) {
    auto screen = Open(world::kCeltic, 1);
    ASSERT_EQ(loaded, 1);
    EXPECT_EQ(screen->iconCount, 7);
    EXPECT_EQ(screen->keysNeeded, 1);
    EXPECT_EQ(game.landSprites.count, 10);
    EXPECT_EQ(screen->lockDemonstrated, 0);  // first visit, one key needed
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(game.landSprites[i]->iconIndex, i);
        EXPECT_EQ(game.landSprites[i]->location, -1);
        EXPECT_GE(game.landSprites[i]->track, 0);
    }
    EXPECT_EQ(screen->keys[0]->location, 10);
    EXPECT_EQ(screen->keys[0]->placed, 1);
    EXPECT_EQ(record.key[0].placed, 0);
    EXPECT_EQ(record.slot[0], record.target[0]);
    EXPECT_EQ(record.slot[1], record.target[1]);
    ASSERT_NE(screen->player, nullptr);
    EXPECT_NE(screen->player->nearest, nullptr);
    EXPECT_EQ(screen->firstArrival, 0) << "over once the dog has left the lock room";
}

TEST_F(LandScreenTest, FramesRunAndTheRecordGetsTheLiveIconsBack) {
    auto screen = Open(world::kCeltic, 2);
    ASSERT_EQ(loaded, 1);
    EXPECT_EQ(screen->iconCount, 19);
    EXPECT_EQ(screen->lockDemonstrated, 1);  // three keys to find: no demonstration
    Frames(*screen, 10);
    game.landSprites[3]->SetPosition(777, 888);
    game.landSprites[3]->location = 1;
    game.landSprites[3]->placed = 1;
    screen.reset();
    EXPECT_EQ(record.icon[3].x, 777);
    EXPECT_EQ(record.icon[3].y, 888);
    EXPECT_EQ(record.icon[3].location, 1);
    EXPECT_EQ(record.icon[3].placed, 1);
    EXPECT_EQ(record.progress, 1);
    EXPECT_EQ(game.landSprites.count, 0);
}

TEST_F(LandScreenTest, KeepRecordsLeavesTheRecordAsItWas) {
    auto screen = Open(world::kCeltic, 1);
    ASSERT_EQ(loaded, 1);
    const world::LandRecord before = record;
    game.landSprites[0]->SetPosition(5, 5);
    game.keepRecords = 1;
    screen.reset();
    EXPECT_EQ(game.keepRecords, 0);
    world::LandRecord expected = before;
    expected.progress = 1;
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
}

// The dog puts down `icon` in the active room as if it had carried it there.
int PutDown(land::LandScreen* screen, int icon) {
    LandSprite* sprite = screen->game->LandSprites()[icon];
    screen->player->carriedHomeX = sprite->x;
    screen->player->carriedHomeY = sprite->y;
    screen->player->carriedHomeLocation = sprite->location;
    screen->place.group->Unlink(sprite);  // picked up in the land
    sprite->location = 0;
    return screen->activeRoom->Drop(sprite);
}

TEST_F(LandScreenTest, SixIconsOfTheRoomsSetFinishThePedestalAndTheKeyAppearsAtFrameThree) {
    std::unique_ptr<land::LandScreen> screen;
    land::SubRoom* room = OpenInRoomZero(1, &screen);
    ASSERT_NE(room, nullptr);
    sprites::Sprite* pedestal = room->place.pedestal;
    ASSERT_NE(pedestal, nullptr);
    const sprites::FrameRecord* frames = room->place.pedestalFrames;
    ASSERT_NE(frames, nullptr);
    // One frame of the four-frame strip (240 wide) at a time, at rest first.
    EXPECT_EQ(pedestal->frame, &frames[0]);
    EXPECT_EQ(pedestal->rect.right - pedestal->rect.left, 60);
    EXPECT_EQ(frames[3].rect.left, 180);
    EXPECT_EQ(pedestal->hitBox.right, 60);
    EXPECT_EQ(screen->player->roomIndex, 0);
    EXPECT_EQ(PutDown(screen.get(), 2), 1);  // a key: keys live after the icons
    EXPECT_EQ(PutDown(screen.get(), screen->iconCount), 0);
    for (int i : {0, 1, 3, 4}) EXPECT_EQ(PutDown(screen.get(), i), 1);
    EXPECT_EQ(pedestal->frame, &frames[0]) << "five icons: still at rest";
    EXPECT_EQ(PutDown(screen.get(), 5), 1);
    EXPECT_EQ(room->PlacedCount(), 6);
    EXPECT_EQ(record.progress, 1);
    EXPECT_EQ(room->pedestalFrame, 1);
    EXPECT_EQ(pedestal->frame, &frames[1]);
    LandSprite* key = screen->keys[2];
    for (int f = 0; f < 9; ++f) {  // 360 ms: frames 1 and 2 only
        platform::manual_clock::Advance(40);
        screen->Tick();
        EXPECT_EQ(pedestal->frame, &frames[f < 4 ? 1 : 2]) << f;
        EXPECT_NE(key->location, 0) << f;
        EXPECT_EQ(key->revealed, 0) << f;
    }
    platform::manual_clock::Advance(80);
    screen->Tick();
    EXPECT_EQ(room->pedestalFrame, 3);
    EXPECT_EQ(pedestal->frame, &frames[3]);
    EXPECT_EQ(key->location, 0);
    EXPECT_EQ(key->revealed, 1);
    EXPECT_EQ(key->depth, pedestal->depth + 1);
    EXPECT_EQ(record.room[0].solved, 1);
    const land::Spot spot = land::PedestalSpot(200, 200, 0, 30);
    EXPECT_EQ(game.landSprites[0]->x, spot.x);
    EXPECT_EQ(game.landSprites[0]->y, spot.y);
    Frames(*screen, 50);  // two seconds on: the last frame stays
    EXPECT_EQ(pedestal->frame, &frames[3]);

    screen->player->leaveRoomRequest = 1;
    screen->Tick();
    EXPECT_EQ(screen->activeRoom, nullptr);
    EXPECT_EQ(screen->currentRoom, -1);
    // Back in: the finished pedestal, and the key standing in front of it.
    key->depth = 0;
    room = EnterRoomZero(screen.get());
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->place.pedestal->frame, &room->place.pedestalFrames[3]);
    EXPECT_EQ(key->location, 0);
    EXPECT_EQ(key->depth, room->place.pedestal->depth + 1);
    EXPECT_EQ(record.progress, 1) << "re-entering counts nothing again";
    screen->player->leaveRoomRequest = 1;
    screen->Tick();
    screen.reset();
    EXPECT_EQ(record.icon[5].location, 0);
    EXPECT_EQ(record.icon[5].placed, 1);
    EXPECT_EQ(record.key[2].location, 0);
}

TEST_F(LandScreenTest, BindingARoomOnHardRunsThePedestalOnceAndShowsNoKey) {
    std::unique_ptr<land::LandScreen> screen;
    land::SubRoom* room = OpenInRoomZero(3, &screen);
    ASSERT_NE(room, nullptr);
    const sprites::FrameRecord* frames = room->place.pedestalFrames;
    EXPECT_EQ(PutDown(screen.get(), 18), 1);  // of no set: floats, binds nothing
    EXPECT_EQ(record.room[0].bound, 0);
    EXPECT_EQ(room->place.pedestal->frame, &frames[0]);
    Frames(*screen, 40);
    ASSERT_EQ(room->floating, nullptr);
    EXPECT_EQ(PutDown(screen.get(), 7), 1);
    EXPECT_EQ(record.room[0].set, 1);
    EXPECT_EQ(room->place.pedestal->frame, &frames[1]);
    int seen[4] = {};
    for (int f = 0; f < 25; ++f) {  // one second
        platform::manual_clock::Advance(40);
        screen->Tick();
        ++seen[room->pedestalFrame];
    }
    EXPECT_GT(seen[2], 0);
    EXPECT_GT(seen[3], 0);
    EXPECT_EQ(room->place.pedestal->frame, &frames[0]) << "back at rest";
    EXPECT_EQ(record.room[0].solved, 0);
    EXPECT_EQ(screen->keys[2]->revealed, 0);
    EXPECT_NE(screen->keys[2]->location, 0);
}

TEST_F(LandScreenTest, TheDogDancesOnlyInARoomWhoseSetIsComplete) {
    std::unique_ptr<land::LandScreen> screen;
    land::SubRoom* room = OpenInRoomZero(1, &screen);
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->RoomState(), 0);
    auto danced = [&] {
        bool dance = false;
        for (int f = 0; f < 400; ++f) {  // 16 s standing
            platform::manual_clock::Advance(40);
            screen->Tick();
            dance = dance || screen->player->idleSubState == 7;
        }
        return dance;
    };
    for (int i = 0; i < 5; ++i) PutDown(screen.get(), i);
    EXPECT_EQ(room->RoomState(), 1);
    EXPECT_FALSE(danced());
    PutDown(screen.get(), 5);
    EXPECT_EQ(room->RoomState(), 2);
    EXPECT_TRUE(danced());
    EXPECT_EQ(screen->player->place.roomState, 2);
}

TEST_F(LandScreenTest, ChangingPlaceClearsRequestsKeepsHeldKeysAndCentresTheCursor) {
    auto screen = Open(world::kCeltic, 1);
    ASSERT_EQ(loaded, 1);
    world::PollMemory mouse;
    game.input.PollMouse(mouse);
    // The first arrow press in the land is not eaten by the mouse poll.
    game.input.KeyDown(platform::VK_LEFT);
    game.input.PollMouse(mouse);
    EXPECT_EQ(game.input.left, 1);
    game.input.KeyUp(platform::VK_LEFT);

    game.input.KeyDown(platform::VK_RIGHT);
    game.input.fire = game.input.escape = game.input.anyInput = 1;
    platform::SetCursorPos(100, 400);
    // What the clearing keeps and drops is the input state's own test; here
    // only that entering a room clears.
    ASSERT_NE(EnterRoomZero(screen.get()), nullptr);
    EXPECT_EQ(game.input.right + game.input.fire + game.input.escape + game.input.anyInput, 0);
    EXPECT_EQ(game.input.rightHeld, 1) << "the key is still down";
    platform::POINT cursor{};
    game.input.fireHeld = 1;
    platform::SetCursorPos(10, 10);
    screen->player->leaveRoomRequest = 1;
    screen->Tick();
    EXPECT_EQ(game.input.fireHeld, 1);
    EXPECT_EQ(game.input.rightHeld, 1);
    platform::GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 320);
}

TEST_F(LandScreenTest, ASubRoomsHoleLeadsToTheLockRoomAndItsHoleBack) {
    std::unique_ptr<land::LandScreen> screen;
    ASSERT_NE(OpenInRoomZero(1, &screen), nullptr);
    screen->player->leftByRoomHole = 1;
    screen->Tick();
    EXPECT_EQ(screen->currentRoom, world::kMainSubRoom);
    EXPECT_NE(screen->activeRoom, nullptr);
    EXPECT_EQ(screen->player->leftByRoomHole, 0);
    EXPECT_EQ(screen->player->mode, world::PlayerDog::kHoleOut);
    EXPECT_EQ(screen->previousRoom, 0);

    screen->player->leftByMainHole = 1;
    screen->Tick();
    EXPECT_EQ(screen->currentRoom, 0);
    EXPECT_NE(dynamic_cast<land::SubRoom*>(screen->activeRoom.get()), nullptr);
    EXPECT_EQ(screen->player->leftByMainHole, 0);
    EXPECT_EQ(screen->player->mode, world::PlayerDog::kHoleOut);
}

TEST_F(LandScreenTest, AFirstVisitBeginsInTheLockRoom) {
    game.requestedLand = game.currentLand = world::kCeltic;
    game.difficulty = 1;
    land::LandScreen screen(&game, &D());
    ASSERT_EQ(screen.Load("lands\\celtic\\easy.lnd", "song.xmi", &record), 1);
    EXPECT_EQ(screen.currentRoom, world::kMainSubRoom);
    EXPECT_EQ(screen.firstArrival, 1);
    ASSERT_NE(screen.activeRoom, nullptr);
    // The dog keeps animating (and so is drawn and moves) in the room's world.
    EXPECT_TRUE(screen.activeRoom->World()->animated.Contains(screen.player));
}

TEST_F(LandScreenTest, ReenteringAFullRoomWhoseKeyNeverAppearedRevealsItAtOnce) {
    std::unique_ptr<land::LandScreen> screen;
    ASSERT_NE(OpenInRoomZero(1, &screen), nullptr);
    for (int i = 0; i < 6; ++i) PutDown(screen.get(), i);
    screen->player->leaveRoomRequest = 1;
    screen->Tick();
    ASSERT_EQ(record.room[0].solved, 0);
    EnterRoomZero(screen.get());
    EXPECT_EQ(record.room[0].solved, 1);
    EXPECT_EQ(screen->keys[2]->location, 0);
}

TEST_F(LandScreenTest, AnIconOfAnotherSetFloatsUpAndGoesHomeToTheLand) {
    std::unique_ptr<land::LandScreen> screen;
    land::SubRoom* room = OpenInRoomZero(2, &screen);
    ASSERT_NE(room, nullptr);
    LandSprite* icon = game.landSprites[7];
    const int32_t homeX = icon->x, homeY = icon->y;
    screen->player->dropX = 300;
    screen->player->dropY = 300;
    EXPECT_EQ(PutDown(screen.get(), 7), 1);
    EXPECT_EQ(room->floating, icon);
    EXPECT_EQ(icon->placed, 0);
    EXPECT_EQ(record.room[0].set, -1);
    for (int f = 0; f < 200 && room->floating; ++f) {
        platform::manual_clock::Advance(40);
        screen->Tick();
    }
    EXPECT_EQ(room->floating, nullptr);
    EXPECT_EQ(icon->location, -1);
    EXPECT_EQ(icon->x, homeX);
    EXPECT_EQ(icon->y, homeY);
}

TEST_F(LandScreenTest, ARestoredPositionInASubRoomEntersItBeforeTheFirstFrame) {
    game.restoreX = 150;
    game.restoreY = 260;
    game.restoreRoom = 0;
    auto screen = Open(world::kCeltic, 1);
    ASSERT_EQ(loaded, 1);
    ASSERT_NE(screen->activeRoom, nullptr);
    EXPECT_EQ(screen->currentRoom, 0);
    EXPECT_EQ(screen->player->x, 150);
    EXPECT_EQ(screen->player->y, 260);
    EXPECT_EQ(game.restoreY, 0);
    EXPECT_EQ(screen->firstArrival, 0);
}

TEST_F(LandScreenTest, TheAussieLandOnEasyShowsTheThirdLayoutInItsFirstRoom) {
    EXPECT_STREQ(land::SubRoom::LevelFile(0, world::kAussie, 1), ".\\Subroom3\\subroom3.lnd");
    EXPECT_STREQ(land::SubRoom::LevelFile(0, world::kAussie, 2), ".\\Subroom1\\subroom1.lnd");
    EXPECT_STREQ(land::SubRoom::LevelFile(0, world::kCeltic, 1), ".\\Subroom1\\subroom1.lnd");
}

TEST_F(LandScreenTest, AMissingSongFailsLoadButFramesStaySafe) {
    auto screen = Open(world::kCeltic, 1, "nosuch.xmi");
    EXPECT_EQ(loaded, 0);
    Frames(*screen, 3);
    screen.reset();
    EXPECT_EQ(record.progress, 1);
}

TEST_F(LandScreenTest, WaterCycleTouchesOnlyEntries114To118AndOnlyInTheWetland) {
    for (int landIndex : {world::kCeltic, world::kWetland}) {
        auto screen = Open(landIndex, 1);
        ASSERT_EQ(loaded, 1);
        for (int j = 0; j < 5; ++j) {
            screen->waterColours[j] = platform::PaletteEntry{static_cast<uint8_t>(10 * j + 1), 0, 0, 0};
        }
        platform::PaletteEntry before[256], after[256];
        D().palette->GetEntries(0, 256, before);
        D().fadeState = display::kFadeIdle;
        screen->CycleWater(100000);
        D().palette->GetEntries(0, 256, after);
        EXPECT_EQ(std::memcmp(before, after, sizeof before), 0) << "not while fading";
        D().fadeState = display::kFadeShown;
        screen->CycleWater(200000);
        D().palette->GetEntries(0, 256, after);
        for (int e = 0; e < 256; ++e) {
            const bool water = landIndex == world::kWetland && e >= 114 && e <= 118;
            if (water) {
                EXPECT_EQ(after[e].red, 10 * ((e - 114 + 1) % 5) + 1) << e;
            } else {
                EXPECT_EQ(std::memcmp(&after[e], &before[e], sizeof after[e]), 0) << e;
            }
        }
    }
}

// A demo's steps were recorded without the cat: during playback it must
// neither show nor move, while a game started the same way has it roaming.
TEST_F(LandScreenTest, TheCatSitsOutADemoButNotAGame) {
    auto catInGroup = [](const land::LandScreen& screen) {
        for (sprites::Sprite* s = screen.place.group->First(); s; s = s->next) {
            if (s == screen.companion) return true;
        }
        return false;
    };
    for (const bool demo : {true, false}) {
        game.restoreX = 300;
        game.restoreY = 400;
        game.restoreRoom = -1;
        game.demoStart = demo ? 1 : 0;
        auto screen = Open(world::kCeltic, 1);
        ASSERT_EQ(loaded, 1);
        EXPECT_EQ(game.demoRunning, demo ? 1 : 0);
        Frames(*screen, 25);
        ASSERT_NE(screen->companion, nullptr);
        EXPECT_EQ(catInGroup(*screen), !demo);
        if (demo) {
            EXPECT_EQ(screen->companion->x, -100);
            EXPECT_EQ(screen->companion->y, -100);
        }
        game.demoRunning = 0;
    }
}

}  // namespace
