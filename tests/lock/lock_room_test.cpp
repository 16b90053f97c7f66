// The lock room inside a running land on the manual clock: keys carried in
// and inserted, turned to the hummed combination, the lever, the freeing,
// the reward to its end and the den request; and a freed land's room.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "audio/xmidi_format.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/main_sub_room.h"
#include "land/reward_show.h"
#include "lock/lock_fixture.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
#include "support/test_game.h"
#include "world/chars/reward_tables.h"
#include "world/land_file_format.h"
#include "world/land_files.h"
#include "world/player_dog.h"

namespace {

namespace lnd = world::lnd;
using land::MainSubRoom;

class LockRoomTest : public lock_test::LockTest {
public:
    LockRoomTest() : sequencer(nullptr, nullptr) {}

    void SetUp() override {
        LockTest::SetUp();
        game.sequencer = &sequencer;
        game.effectsPlayer = fx.get();
        game.currentState = game.requestedState = world::kStateLand;
        world::InitLandRecord(&record);
        WriteSmallLand();
        WritePicture("graphics/lockstuff/lemon.bmp", 240, 40);
        WritePicture("graphics/lockstuff/redlight.bmp", 10, 10);
        WritePicture("graphics/lockstuff/greenlight.bmp", 10, 10);
        WritePicture("graphics/lockstuff/lever.bmp", 80, 50);
        for (char c = 'A'; c <= 'G'; ++c) WritePicture(std::string("graphics/lockstuff/Fish") + c + ".bmp", 12, 8);
        std::filesystem::create_directories(test_support::InGameFolder("mainSub"));
        world_test::LevelWriter m = SmallMap("mainSub");
        m.Images({}).Placements({}).Section(lnd::kIconSpots, 0).Name("\\keys.bmp");
        m.Section(lnd::kZones, 2).Zone(10, 300, 60, 340, lnd::zone::kDenExit).Zone(500, 300, 560, 340,
                                                                                  lnd::zone::kRoomExit);
        m.Section(lnd::kActors, 2).Actor(lnd::actor::kLemon, "", 0, 200, 150).Actor(lnd::actor::kLever, "", 0, 460,
                                                                                    150);
        m.Save("mainSub/mainsub.lnd");
        WriteMemberSheet(world::kCeltic);
        const auto reward = world::chars::MakeRewardTables(world::kCeltic + 1);
        WriteGamePicture(reward.file, reward.width, reward.height);
    }
    void TearDown() override {
        screen.reset();
        LockTest::TearDown();
    }

    void Open(int keysNeededDifficulty = 1) {
        game.requestedLand = game.currentLand = world::kCeltic;
        game.difficulty = keysNeededDifficulty;
        screen = std::make_unique<land::LandScreen>(&game, &D());
        ASSERT_EQ(screen->Load("lands\\celtic\\easy.lnd", "song.xmi", &record), 1);
        // A first visit begins in the lock room; the tests go in by the door.
        ASSERT_NE(dynamic_cast<MainSubRoom*>(screen->activeRoom.get()), nullptr);
        screen->player->leaveRoomRequest = 1;
        screen->Tick();
        ASSERT_EQ(screen->activeRoom, nullptr);
    }
    // The dog goes through the lock room's door.
    MainSubRoom* EnterLockRoom() {
        screen->player->enterRoomRequest = world::kMainSubRoom;
        screen->Tick();
        auto* room = dynamic_cast<MainSubRoom*>(screen->activeRoom.get());
        if (room) room->waitForTime = [] { platform::manual_clock::Advance(10); };
        return room;
    }
    void Frames(int count, uint32_t step = 20) {
        for (int i = 0; i < count && game.requestedState == world::kStateLand; ++i) {
            platform::manual_clock::Advance(step);
            screen->Tick();
        }
    }

    TestGame game;
    Sequencer sequencer;
    world::LandRecord record{};
    std::unique_ptr<land::LandScreen> screen;
};

TEST_F(LockRoomTest, OnlyTheLandsOpeningStartsByTheDenDoorLaterVisitsComeInFromTheLand) {
    game.requestedLand = game.currentLand = world::kCeltic;
    game.difficulty = 1;
    screen = std::make_unique<land::LandScreen>(&game, &D());
    ASSERT_EQ(screen->Load("lands\\celtic\\easy.lnd", "song.xmi", &record), 1);
    EXPECT_EQ(screen->player->x, 30);  // the den exit (10, 300, 60, 340)
    EXPECT_EQ(screen->player->y, 360);
    screen->player->leaveRoomRequest = 1;
    screen->Tick();
    ASSERT_NE(EnterLockRoom(), nullptr);
    EXPECT_EQ(screen->player->x, 520);  // the exit to the land (500, 300, 560, 340)
    EXPECT_EQ(screen->player->y, 360);
    Frames(50);
    EXPECT_EQ(game.requestedState, world::kStateLand);
}

TEST_F(LockRoomTest, AOneKeyLandIsCompletedFromTheKeyToTheDen) {
    Open(1);
    ASSERT_EQ(screen->keysNeeded, 1);
    MainSubRoom* room = EnterLockRoom();
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(screen->currentRoom, world::kMainSubRoom);
    ASSERT_NE(room->place.lemon, nullptr);
    ASSERT_NE(room->member, nullptr);
    EXPECT_EQ(room->member->State(), screens::CaptiveMember::kIdleB);
    const int progress = record.progress;

    // The keys not yet in the lock are carried in and put down.
    for (int k = 0; k < world::kKeyCount; ++k) {
        LandSprite* key = screen->keys[k];
        if (key->placed) continue;
        screen->place.group->Unlink(key);
        screen->player->carried = key;
        EXPECT_EQ(room->Drop(key), 1);
        EXPECT_EQ(screen->player->carried, nullptr);
        EXPECT_EQ(record.slot[k], 0);
    }
    EXPECT_EQ(room->Drop(game.landSprites[0]), 0) << "icons are not taken here";

    // Listen to the member: the hint voices name the combination.
    Frames(800);  // 16 s: at least one full hint
    for (int k = 0; k < 3; ++k) {
        platform::DWORD f = 0;
        fx->Slot(room->lock->HintVoice(k))->buffer->GetFrequency(&f);
        const int semitones = int(std::lround(12.0 * std::log2(f / 22050.0)));
        EXPECT_EQ(semitones, record.scale[record.target[k]]) << "hint " << k;
    }
    // The dog presses each slot's button until its key is right.
    for (int k = 0; k < 3; ++k) {
        for (int guard = 0; guard < 20 && record.slot[k] != record.target[k]; ++guard) {
            screen->player->lockRequest = k + 1;
            Frames(30);
        }
        EXPECT_EQ(record.slot[k], record.target[k]);
    }
    screen->player->lockRequest = 4;
    Frames(400);
    EXPECT_EQ(record.freed, 1);
    EXPECT_EQ(record.bandWord, 6);
    EXPECT_EQ(record.progress, progress + 1);
    EXPECT_EQ(room->rewardShown, 1);
    EXPECT_EQ(game.requestedState, world::kStateDen);
    EXPECT_EQ(game.requestedLand, -1);
    EXPECT_EQ(HeldVoices(), 8) << "only the room's eight voices are left";
    screen->activeRoom.reset();
    EXPECT_EQ(HeldVoices(), 0) << "leaving the room releases its voices";
}

TEST_F(LockRoomTest, AFreedLandsRoomShowsTheFreedPoseAndHumsNothing) {
    Open(1);
    record.freed = 1;
    record.bandWord = 6;
    MainSubRoom* room = EnterLockRoom();
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->member->State(), screens::CaptiveMember::kFreed);
    Frames(1000);
    EXPECT_EQ(room->lock->hintState, 0);
    EXPECT_EQ(room->member->State(), screens::CaptiveMember::kFreed);
    EXPECT_EQ(game.requestedState, world::kStateLand) << "no second reward";
}

TEST_F(LockRoomTest, TheRewardRunsEveryStepAndGivesItsSoundBack) {
    land::RewardShow reward(&D(), fx.get(), world::kCeltic);
    const uint32_t start = platform::timeGetTime();
    reward.Start(start);
    ASSERT_GE(reward.EffectSlot(), 0);
    EXPECT_EQ(fx->Slot(reward.EffectSlot())->effect, 26 + world::kCeltic);
    const int slot = reward.EffectSlot();
    reward.Run([] { return platform::timeGetTime(); }, [] { platform::manual_clock::Advance(10); });
    EXPECT_EQ(reward.StepsShown(), world::chars::kRewardSteps[world::kCeltic]);
    EXPECT_NEAR(double(platform::timeGetTime() - start), 100.0 * reward.StepCount(), 20.0);
    EXPECT_EQ(fx->Slot(slot)->buffer, nullptr);
}

// After every step of every reward the screen holds exactly that step's two
// pictures (the fixture's pictures are solid): the earlier steps' pictures
// are wiped on both buffers and nothing spills or wraps round.
TEST_F(LockRoomTest, EveryRewardStepShowsOnlyItsOwnTwoPictures) {
    for (int land = 0; land < world::chars::kRewardCount; ++land) {
        const auto tables = world::chars::MakeRewardTables(land + 1);
        WriteGamePicture(tables.file, tables.width, tables.height);
        land::RewardShow reward(&D(), nullptr, land);
        uint32_t now = platform::timeGetTime();
        reward.Start(now);
        for (int step = 0; step < reward.StepCount(); ++step) {
            if (step > 0) {
                now += land::RewardShow::kStepMs;
                ASSERT_EQ(reward.Update(now), 1);
            }
            ASSERT_EQ(reward.StepIndex(), step);
            std::vector<uint8_t> expected(640 * 480, 0);
            auto mark = [&](int x, int y, uint16_t frame) {
                if (frame == 0) return;
                const auto& f = tables.frames[frame];
                for (int py = std::max(y, 0); py < std::min(y + f.Height(), 480); ++py)
                    for (int px = std::max(x, 0); px < std::min(x + f.Width(), 640); ++px)
                        expected[size_t(py * 640 + px)] = 1;
            };
            mark(tables.xA[size_t(step)], tables.yA[size_t(step)], tables.frameA[size_t(step)]);
            mark(tables.xB[size_t(step)], tables.yB[size_t(step)], tables.frameB[size_t(step)]);
            const auto shot = platform::dd::emulation::CaptureFrontBuffer();
            ASSERT_EQ(shot.width, 640);
            ASSERT_EQ(shot.height, 480);
            int wrong = 0;
            for (size_t i = 0; i < expected.size(); ++i) {
                const bool on = shot.rgb[i * 3] | shot.rgb[i * 3 + 1] | shot.rgb[i * 3 + 2];
                wrong += on != bool(expected[i]);
            }
            ASSERT_EQ(wrong, 0) << "reward " << land + 1 << " step " << step;
        }
    }
}

}  // namespace
