// The lock room played to the end on the generated data folder (TW_DATA_DIR,
// else <build>/data): every slot turned to its note, the lever pulled, the
// reward shown and the den requested. Pictures of the lock and of the reward
// go to <build>/lock_shots/ for looking at by eye (TW_LOCK_LAND picks the
// land, 0 by default).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "audio/fx_player.h"
#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/main_sub_room.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
#include "platform/dsound.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "support/data_dir.h"
#include "support/test_game.h"
#include "world/land_files.h"
#include "world/player_dog.h"

namespace {

platform::HWND MakeWindow() {
    platform::WNDCLASS cls;
    cls.lpfnWndProc = [](platform::HWND w, platform::UINT m, platform::WPARAM wp, platform::LPARAM lp) {
        return platform::DefWindowProc(w, m, wp, lp);
    };
    cls.lpszClassName = "Tunewander";
    platform::RegisterClass(cls);
    return platform::CreateWindowEx(0, "Tunewander", "Tunewander", platform::WS_POPUP | platform::WS_SYSMENU, 0, 0,
                                    640, 480);
}

TEST(LockShots, LockRoomAndReward) {
    const std::string dataDir = test_support::GeneratedDataDir();
    const char* data = dataDir.c_str();
    ASSERT_TRUE(std::filesystem::exists(dataDir + "/mainSub/mainsub.lnd")) << "no generated data in " << dataDir;
    const std::string out = std::string(TW_BINARY_DIR) + "/lock_shots";
    std::filesystem::create_directories(out);
    const int landIndex = std::getenv("TW_LOCK_LAND") ? std::atoi(std::getenv("TW_LOCK_LAND")) % 6 : 0;

    platform::ScopedHeadless headless;
    platform::ScopedCurrentDirectory inData;
    ASSERT_TRUE(inData.Enter(data));
    platform::HWND window = MakeWindow();
    display::Display display;
    platform::DWORD flags = 0, buffers = 2;
    const int32_t size[2] = {640, 480};
    display.GPConfigure(&flags, size, nullptr, nullptr, nullptr, nullptr, &buffers, nullptr, nullptr, nullptr);
    ASSERT_TRUE(display.GPInitDirectDraw(window) && display.GPInitPageFlipping());
    platform::IDirectSound* ds = nullptr;
    ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds, nullptr), platform::DS_OK);
    ds->SetCooperativeLevel(nullptr, platform::DSSCL_NORMAL);
    {
        FxPlayer fx(nullptr, ds, 30);
        ASSERT_EQ(fx.LoadFXLib(".\\seq\\fxlib.txt"), 1);
        Sequencer sequencer(nullptr, nullptr);
        TestGame game;
        game.sequencer = &sequencer;
        game.effectsPlayer = &fx;
        game.difficulty = 1;
        game.requestedLand = game.currentLand = landIndex;
        game.requestedState = game.currentState = world::kStateLand;
        std::string level, song;
        world::LevelFiles(landIndex, 1, &level, &song);
        land::LandScreen screen(&game, &display);
        screen.Load(level.c_str(), song.c_str(), &game.Record(landIndex));
        screen.place.group->Unlink(screen.player);
        screen.currentRoom = screen.player->roomIndex = world::kMainSubRoom;
        screen.activeRoom = std::make_unique<land::MainSubRoom>();
        auto* room = static_cast<land::MainSubRoom*>(screen.activeRoom.get());
        room->Enter(&screen, world::kMainSubRoom);
        for (int k = 0; k < world::kKeyCount; ++k) {
            if (!screen.keys[k]->placed) room->InsertKey(screen.keys[k]);
        }
        auto tick = [&](int frames) {
            for (int i = 0; i < frames && game.requestedState == world::kStateLand; ++i) {
                platform::manual_clock::Advance(40);
                screen.Tick();
            }
        };
        tick(30);
        world::LandRecord& record = game.Record(landIndex);
        for (int k = 0; k < 3; ++k) {
            while (record.slot[k] != record.target[k]) {
                screen.player->lockRequest = k + 1;
                tick(15);
            }
        }
        screen.player->lockRequest = 4;
        tick(60);  // the check's three notes
        EXPECT_TRUE(platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), out + "/lock.png"));
        int waits = 0;
        room->waitForTime = [&] {
            platform::manual_clock::Advance(10);
            if (++waits == 250) platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), out + "/reward.png");
        };
        tick(200);
        EXPECT_EQ(game.requestedState, world::kStateDen);
        EXPECT_EQ(record.freed, 1);
    }
    ds->Release();
    platform::DestroyWindow(window);
}

}  // namespace
