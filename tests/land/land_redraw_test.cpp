// The land, a sub-room and the lock room draw only what changed between two
// frames; every such frame must equal the whole picture drawn afresh from
// the same state. The dog walks the generated celtic land for 30 simulated
// seconds: the lock room (keys turned, lever pulled), the open land
// (scrolling), and the first sub-room (icons placed, the pedestal finishing,
// the key appearing within the dog's reach, the dog dancing).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "support/data_dir.h"
#include "support/display_support.h"
#include "support/test_game.h"
#include "world/land_files.h"
#include "world/player_dog.h"

namespace {

std::string DataDir() { return test_support::GeneratedDataDir(); }

class LandRedraw : public display_support::DisplayTest, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(DataDir() + "/mainSub/mainsub.lnd")) << "no generated data";
        ASSERT_TRUE(inData_.Enter(DataDir().c_str()));
        ASSERT_EQ(Start(), 1);
        game.sequencer = &sequencer;
        game.difficulty = 1;
        game.requestedLand = game.currentLand = world::kCeltic;
        game.requestedState = game.currentState = world::kStateLand;
        std::string level, song;
        ASSERT_TRUE(world::LevelFiles(world::kCeltic, 1, &level, &song));
        screen = std::make_unique<land::LandScreen>(&game, &D());
        ASSERT_EQ(screen->Load(level.c_str(), song.c_str(), &game.Record(world::kCeltic)), 1);
    }
    void TearDown() override { screen.reset(); }

    // One frame; when it was drawn by the dirty path, the shown picture is
    // compared with a whole redraw of the same world. Returns the number of
    // differing pixels (0 for a whole-picture frame).
    size_t Frame() {
        const bool owedNone = game.redrawFrames == 0;
        platform::manual_clock::Advance(40);
        screen->Tick();
        // A frame that changed place draws nothing and owes whole pictures.
        if (!owedNone || game.redrawFrames != 0 || game.requestedState != world::kStateLand) return 0;
        ++dirtyFrames;
        sprites::SpriteWorld* world = screen->activeRoom ? screen->activeRoom->World() : screen->LandWorld();
        Copy(D().frontBuffer, &shown_);
        D().GPFillBufferRGB(nullptr, nullptr, platform::RGB(0, 0, 0));
        world->DrawAll();
        Copy(D().backBuffer, &full_);
        size_t differing = 0;
        for (size_t i = 0; i < shown_.size(); ++i) {
            if (shown_[i] == full_[i]) continue;
            if (differing++ == 0) firstDifference = {static_cast<int>(i % 640), static_cast<int>(i / 640)};
        }
        return differing;
    }

    void Hold(int left, int right, int up, int down) {
        game.input.left = left;
        game.input.right = right;
        game.input.up = up;
        game.input.down = down;
    }

    static void Copy(platform::dd::Surface* surface, std::vector<uint8_t>* out) {
        out->resize(640 * 480);
        for (int y = 0; y < 480; ++y) std::memcpy(out->data() + y * 640, surface->Pixels() + y * surface->Pitch(), 640);
    }

    Sequencer sequencer{nullptr, nullptr};
    TestGame game;
    std::unique_ptr<land::LandScreen> screen;
    int dirtyFrames = 0;
    platform::POINT firstDifference{};

private:
    platform::ScopedCurrentDirectory inData_;
    std::vector<uint8_t> shown_, full_;
};

TEST_F(LandRedraw, EveryPartlyRepaintedFrameEqualsAWholeRedrawForThirtySeconds) {
    int frame = 0;
    // False (with the failure reported) at the first frame that differs.
    auto frames = [&](int count) {
        for (int f = 0; f < count; ++f, ++frame) {
            const size_t differing = Frame();
            if (differing == 0) continue;
            ADD_FAILURE() << differing << " pixels differ in frame " << frame << " (room " << screen->currentRoom
                          << "), the first at (" << firstDifference.x << ", " << firstDifference.y << ")";
            return false;
        }
        return true;
    };
    // The lock room: the dog walks, turns the keys the land gave it and
    // pulls the lever.
    ASSERT_EQ(screen->currentRoom, world::kMainSubRoom);
    Hold(1, 0, 0, 0);
    ASSERT_TRUE(frames(25));
    Hold(0, 0, 0, 1);
    ASSERT_TRUE(frames(15));
    Hold(0, 0, 0, 0);
    for (int request : {1, 2, 3, 4}) {
        screen->player->lockRequest = request;
        ASSERT_TRUE(frames(20));
    }
    ASSERT_EQ(game.requestedState, world::kStateLand) << "still in the lock room";
    // The open land: walking scrolls the view both ways.
    screen->player->leaveRoomRequest = 1;
    ASSERT_TRUE(frames(3));
    ASSERT_EQ(screen->currentRoom, -1);
    const int legs[4][4] = {{0, 1, 0, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 1, 0}};
    for (int leg = 0; leg < 8; ++leg) {
        const int* d = legs[leg % 4];
        Hold(d[0], d[1], d[2], d[3]);
        ASSERT_TRUE(frames(40));
    }
    Hold(0, 0, 0, 0);
    ASSERT_TRUE(frames(40));  // standing; a door the walk ended in takes the dog through first
    if (screen->activeRoom) {
        screen->player->leaveRoomRequest = 1;
        ASSERT_TRUE(frames(3));
    }
    // The first sub-room: six icons go on the pedestal one by one, the
    // pedestal finishes, the key appears and the dog dances.
    screen->player->enterRoomRequest = 0;
    ASSERT_TRUE(frames(3));
    for (int i = 0; i < 6; ++i) {
        auto* room = dynamic_cast<land::SubRoom*>(screen->activeRoom.get());
        ASSERT_NE(room, nullptr) << "icon " << i << " room " << screen->currentRoom;
        LandSprite* icon = game.landSprites[i];
        screen->place.group->Unlink(icon);
        land::LandScreen::MoveToWorld(icon, room->World());
        ASSERT_EQ(room->Drop(icon), 1);
        ASSERT_TRUE(frames(10));
    }
    Hold(1, 0, 0, 0);
    ASSERT_TRUE(frames(20));
    Hold(0, 0, 0, 0);
    ASSERT_TRUE(frames(200));
    EXPECT_EQ(screen->keys[2]->location, 0) << "the key appeared";
    EXPECT_EQ(screen->player->place.roomState, 2);
    // In front of the pedestal the key is within the dog's reach and is what
    // it would pick up, not an icon on the pedestal before it.
    auto* room = dynamic_cast<land::SubRoom*>(screen->activeRoom.get());
    ASSERT_NE(room, nullptr);
    sprites::RECT pedestal;
    room->place.pedestal->GetHitBox(&pedestal);
    screen->player->SetPosition(screen->keys[2]->x, pedestal.bottom + 10);
    ASSERT_TRUE(frames(1));
    EXPECT_EQ(screen->player->nearest, screen->keys[2]);
    EXPECT_LT(screen->player->nearestDistance, screen->player->reach);
    EXPECT_EQ(screen->keys[2]->notTakeable, 0);
    EXPECT_EQ(game.requestedState, world::kStateLand);
    RecordProperty("frames", frame);
    RecordProperty("partly_repainted_frames", dirtyFrames);
    EXPECT_GE(frame, 750) << "thirty seconds at 40 ms a frame";
    EXPECT_GT(dirtyFrames, frame - 30) << "nearly every frame repaints only what changed";
}

}  // namespace
