// One land played from its start on easy with the generated game data
// (TW_DATA_DIR, else <build>/data): the dog carries the six icons of set 0
// into sub-room 0, the pedestal finishes, the key appears, and the record
// keeps it. Screenshots (the pedestal at each of its four frames, the solved
// room entered again) and the sound go to <build>/land_play_integration/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
#include "platform/dsound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "platform/video_out.h"
#include "sprites/sprite_group.h"
#include "support/data_dir.h"
#include "support/display_support.h"
#include "support/test_game.h"
#include "world/land_files.h"
#include "world/player_dog.h"

namespace {

constexpr unsigned kRate = 22050;

class LandPlayIntegration : public display_support::DisplayTest, public ::testing::Test {};

void Frames(land::LandScreen* screen, int n) {
    for (int f = 0; f < n; ++f) {
        platform::manual_clock::Advance(40);
        screen->Tick();
    }
}

// The dog picks up icon i where it lies in the land.
void PickUp(land::LandScreen* screen, int i) {
    world::PlayerDog* dog = screen->player;
    LandSprite* icon = screen->game->LandSprites()[i];
    dog->SetPosition(icon->x, icon->y + 20);
    Frames(screen, 1);
    dog->carriedHomeX = icon->x;
    dog->carriedHomeY = icon->y;
    dog->carriedHomeLocation = icon->location;
    screen->place.group->Unlink(icon);
    dog->carried = icon;
    dog->carryState = world::PlayerDog::kCarrying;
}

TEST_F(LandPlayIntegration, CarryingSetZeroIntoTheFirstRoomRevealsItsKey) {
    const std::string data = test_support::GeneratedDataDir();
    ASSERT_TRUE(std::filesystem::exists(data + "/mainSub/mainsub.lnd")) << "no generated data in " << data;
    const std::filesystem::path out = std::filesystem::path(TW_BINARY_DIR) / "land_play_integration";
    std::filesystem::create_directories(out);
    platform::ScopedCurrentDirectory inData;
    ASSERT_TRUE(inData.Enter(data.c_str()));
    ASSERT_EQ(Start(), 1);

    platform::IDirectSound* ds = nullptr;
    ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds, nullptr), platform::DS_OK);
    ds->SetCooperativeLevel(Window(), platform::DSSCL_NORMAL);
    platform::sound_card::SetOutputRate(kRate);
    {
        Sequencer sequencer(Window(), ds);
        ds->AddRef();
        SoundFormat format;
        format.outputRate = kRate;
        ASSERT_TRUE(sequencer.SQ_CreateVirtualSynth(format));
        ASSERT_TRUE(sequencer.SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt"));
        TestGame game;
        game.window = Window();
        game.sequencer = &sequencer;
        game.difficulty = 1;
        game.requestedLand = game.currentLand = world::kCeltic;
        game.requestedState = game.currentState = world::kStateLand;
        std::string level, song;
        ASSERT_TRUE(world::LevelFiles(world::kCeltic, 1, &level, &song));
        platform::sound_card::StartCapture();
        auto screen = std::make_unique<land::LandScreen>(&game, &D());
        world::LandRecord& record = game.Record(world::kCeltic);
        ASSERT_EQ(screen->Load(level.c_str(), song.c_str(), &record), 1);
        ASSERT_EQ(screen->iconCount, 7);
        // A first visit begins in the lock room; the dog walks out into the land.
        ASSERT_EQ(screen->currentRoom, world::kMainSubRoom);
        screen->player->leaveRoomRequest = 1;
        screen->Tick();
        ASSERT_EQ(screen->currentRoom, -1);
        Frames(screen.get(), 25);
        platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), (out / "1_land.png").string());

        for (int i = 0; i < 6; ++i) {
            PickUp(screen.get(), i);
            screen->player->enterRoomRequest = 0;
            Frames(screen.get(), 2);
            auto* room = dynamic_cast<land::SubRoom*>(screen->activeRoom.get());
            ASSERT_NE(room, nullptr);
            ASSERT_NE(room->place.pedestal, nullptr);
            EXPECT_EQ(game.landSprites[i]->location, 0);
            ASSERT_EQ(room->Drop(game.landSprites[i]), 1);
            screen->player->carried = nullptr;
            screen->player->carryState = world::PlayerDog::kEmpty;
            EXPECT_EQ(room->floating, nullptr);
            if (i == 4) {
                Frames(screen.get(), 5);
                platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), (out / "pedestal_frame0.png").string());
            }
            if (i < 5) {
                Frames(screen.get(), 5);
                screen->player->leaveRoomRequest = 1;
                Frames(screen.get(), 5);
                ASSERT_EQ(screen->activeRoom, nullptr);
            }
        }
        auto* room = dynamic_cast<land::SubRoom*>(screen->activeRoom.get());
        ASSERT_NE(room, nullptr);
        EXPECT_EQ(room->PlacedCount(), 6);
        EXPECT_NE(screen->keys[2]->location, 0);
        // The finishing run, a shot of each frame: 1 now, 2 after 200 ms, 3
        // (with the key) after 400 ms.
        for (int frame = 1; frame <= 3; ++frame) {
            Frames(screen.get(), 1);
            EXPECT_EQ(room->pedestalFrame, frame);
            const std::string name = "pedestal_frame" + std::to_string(frame) + ".png";
            platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), (out / name).string());
            Frames(screen.get(), 4);
        }
        Frames(screen.get(), 10);
        EXPECT_EQ(room->pedestalFrame, 3);
        EXPECT_EQ(screen->keys[2]->location, 0);
        platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), (out / "3_key_revealed.png").string());
        // In front of the pedestal the key is within the dog's reach and is
        // what it would pick up, not an icon on the pedestal before it.
        sprites::RECT pedestal;
        room->place.pedestal->GetHitBox(&pedestal);
        screen->player->SetPosition(screen->keys[2]->x, pedestal.bottom + 10);
        Frames(screen.get(), 1);
        EXPECT_EQ(screen->player->nearest, screen->keys[2]);
        EXPECT_LT(screen->player->nearestDistance, screen->player->reach);
        EXPECT_EQ(screen->keys[2]->notTakeable, 0);
        screen->player->leaveRoomRequest = 1;
        Frames(screen.get(), 10);
        // The solved room entered again: the finished pedestal and its key.
        screen->player->enterRoomRequest = 0;
        Frames(screen.get(), 10);
        room = dynamic_cast<land::SubRoom*>(screen->activeRoom.get());
        ASSERT_NE(room, nullptr);
        EXPECT_EQ(room->pedestalFrame, 3);
        platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), (out / "solved_room_reentered.png").string());
        screen->player->leaveRoomRequest = 1;
        Frames(screen.get(), 10);
        screen.reset();
        const auto sound = platform::sound_card::StopCapture();
        platform::sound_card::WriteCaptureWave((out / "land_play.wav").string(), sound, kRate);
        EXPECT_FALSE(sound.empty());
        // Six placed icons sounding together in the sub-room never clip.
        EXPECT_EQ(std::count_if(sound.begin(), sound.end(), [](int16_t v) { return v >= 32767 || v <= -32768; }), 0);

        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(record.icon[i].location, 0) << i;
            EXPECT_EQ(record.icon[i].placed, 1) << i;
        }
        EXPECT_EQ(record.icon[6].location, -1);
        EXPECT_EQ(record.room[0].set, 0);
        EXPECT_EQ(record.room[0].solved, 1);
        EXPECT_EQ(record.key[2].location, 0);
        EXPECT_EQ(record.progress, 1);
        EXPECT_EQ(record.slot[0], record.target[0]);  // one key to find: two were in the lock
        game.sequencer = nullptr;
        sequencer.SQ_Stop();
        sequencer.SQ_Destroy();
    }
    ds->Release();
}

}  // namespace
