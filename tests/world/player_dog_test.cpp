// The player's dog: stride timing, input rules, doors and holes, idling,
// carrying and demo recording and playback.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/land_sprite.h"
#include "world/dog_fixture.h"

namespace {

using world::PlayerDog;
using world_test::DogTest;

class PlayerDogTest : public DogTest, public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(MakeWorld()); }
};

TEST_F(PlayerDogTest, StridesSetThePaceAndALateFrameMovesAtMostTwentyFivePixels) {
    EXPECT_EQ(3u, PlayerDog::StepPeriod(0));
    EXPECT_EQ(10u, PlayerDog::StepPeriod(6));
    EXPECT_EQ(8u, PlayerDog::StepPeriod(18));
    MakeDog(1000, 1000);
    dog->StartWalking(2);
    dog->lastMoveTime = 20000;
    dog->Move(20030);  // step 0: a pixel per 3 ms
    EXPECT_EQ(1010, dog->y);
    for (int i = 0; i < 6; ++i) dog->sequence->Set(sprites::AnimSequence::kNext);
    dog->Move(20130);  // step 6: a pixel per 10 ms
    EXPECT_EQ(1020, dog->y);
    dog->Move(21130);
    EXPECT_EQ(1045, dog->y);
    EXPECT_EQ(21130u, dog->lastMoveTime);
    EXPECT_EQ(sprites::DepthKey(1000, 1045, -13, -8), dog->depth);
}

TEST_F(PlayerDogTest, FramesShorterThanAStrideKeepTheirTimeUntilItAddsUp) {
    MakeDog(1000, 1000);
    dog->StartWalking(4);  // right
    for (int i = 0; i < 6; ++i) dog->sequence->Set(sprites::AnimSequence::kNext);
    dog->lastMoveTime = 20000;
    // A pixel per 10 ms, the clock moving 7 ms at a time: 70 ms make 7 pixels.
    for (uint32_t t = 20007; t <= 20070; t += 7) dog->Move(t);
    EXPECT_EQ(1007, dog->x);
    EXPECT_EQ(20070u, dog->lastMoveTime);
    dog->Move(20079);
    EXPECT_EQ(1007, dog->x);
    EXPECT_EQ(20070u, dog->lastMoveTime);
}

TEST_F(PlayerDogTest, OpposingDirectionsFavourDownAndRight) {
    MakeDog(1000, 1000);
    Hold(1, 1, 0, 0);
    Tick();
    EXPECT_EQ(PlayerDog::kWalking, dog->mode);
    EXPECT_EQ(2, dog->direction);
    Hold(0, 0, 1, 1);
    Tick();
    EXPECT_EQ(4, dog->direction);
    Hold(1, 0, 1, 0);
    Tick();
    EXPECT_EQ(9, dog->direction);
    Release();
    Tick();
    EXPECT_EQ(PlayerDog::kStopping, dog->mode);
    TickWhile(PlayerDog::kStopping);
    EXPECT_EQ(PlayerDog::kStanding, dog->mode);
}

TEST_F(PlayerDogTest, DoorsAreTakenOnlyOffThePureHorizontal) {
    land.doorCount = 1;
    land.doors[0].area = platform::RECT{990, 960, 1010, 1000};
    MakeDog(1000, 1000);
    dog->direction = 4;
    Tick();
    EXPECT_EQ(PlayerDog::kStanding, dog->mode);
    dog->direction = 8;
    Tick();
    EXPECT_EQ(PlayerDog::kStanding, dog->mode);

    dog->direction = 5;  // up-right
    Tick();
    ASSERT_EQ(PlayerDog::kDoor, dog->mode);
    EXPECT_EQ(2, dog->doorKind);
    EXPECT_EQ(997, dog->targetX);
    TickWhile(PlayerDog::kDoor);
    EXPECT_EQ(0, dog->enterRoomRequest);
    EXPECT_EQ(0, dog->roomIndex);
    EXPECT_EQ(PlayerDog::kArriving, dog->mode);
    EXPECT_EQ(2, dog->direction);
}

TEST_F(PlayerDogTest, TheDenDoorsAndTheStartAreaRequestStateChanges) {
    land.startArea = platform::RECT{980, 900, 1020, 1000};
    MakeDog(1000, 1000);
    Tick();
    ASSERT_EQ(PlayerDog::kDoor, dog->mode);
    TickWhile(PlayerDog::kDoor);
    EXPECT_EQ(world::kStateDen, game.requestedState);
    EXPECT_EQ(-1, game.requestedLand);

    world::DenPlace den;
    den.rects[1] = platform::RECT{0, 0, 3000, 1000};
    world::DogSurroundings around;
    around.kind = world::DogPlace::Den;
    around.den = &den;
    game.openDenDoors = 1;  // door 1 is still shut
    dog->place = around;
    dog->Stand();
    Tick();
    EXPECT_EQ(PlayerDog::kStanding, dog->mode);
    game.openDenDoors = 2;
    Tick();
    ASSERT_EQ(PlayerDog::kDoor, dog->mode);
    TickWhile(PlayerDog::kDoor);
    EXPECT_EQ(world::kStateLand, game.requestedState);
    EXPECT_EQ(1, game.requestedLand);
}

TEST_F(PlayerDogTest, HolesLeadToTheirPartnersAndAnOddLastHoleToTheFirst) {
    EXPECT_EQ(1, PlayerDog::HolePartner(0, 2));
    EXPECT_EQ(0, PlayerDog::HolePartner(1, 2));
    EXPECT_EQ(0, PlayerDog::HolePartner(2, 3));
    EXPECT_EQ(2, PlayerDog::HolePartner(3, 4));
    land.hotSpotCount = 3;
    land.hotSpots[0].area = platform::RECT{100, 100, 140, 140};
    land.hotSpots[1].area = platform::RECT{300, 100, 340, 140};
    land.hotSpots[2].area = platform::RECT{980, 920, 1020, 960};
    MakeDog(1000, 1000);  // test point (1000, 940) lies in hot spot 2
    Tick();
    ASSERT_EQ(PlayerDog::kHoleDown, dog->mode);
    EXPECT_EQ(2, dog->holeIndex);
    EXPECT_EQ(997, dog->targetX);
    EXPECT_EQ(1005, dog->targetY);
    TickWhile(PlayerDog::kHoleDown);
    EXPECT_EQ(PlayerDog::kHoleOut, dog->mode);
    EXPECT_EQ(120, dog->x);
    EXPECT_EQ(200, dog->y);
    EXPECT_EQ(2, dog->direction);

    // In a room the room's own hole is left through the land screen.
    world::RoomPlace room;
    room.hotSpot = platform::RECT{0, 0, 400, 400};
    world::DogSurroundings around;
    around.kind = world::DogPlace::Room;
    around.room = &room;
    dog->place = around;
    TickWhile(PlayerDog::kHoleOut);
    Tick();
    EXPECT_EQ(-1, dog->holeIndex);
    TickWhile(PlayerDog::kHoleDown);
    EXPECT_EQ(1, dog->leftByRoomHole);
    EXPECT_EQ(0, dog->leftByMainHole);
}

TEST_F(PlayerDogTest, AnIdleDogTurnsTowardsDownBeforeChoosingABehaviour) {
    EXPECT_EQ(9, PlayerDog::TurnTowardsDown(1));
    EXPECT_EQ(4, PlayerDog::TurnTowardsDown(5));
    EXPECT_EQ(6, PlayerDog::TurnTowardsDown(4));
    MakeDog(1000, 1000);
    dog->direction = 8;
    dog->Stand();
    Tick(50);
    EXPECT_EQ(PlayerDog::kStanding, dog->mode);
    Tick();
    EXPECT_EQ(PlayerDog::kIdling, dog->mode);
    EXPECT_EQ(18, dog->idleSubState);
    Tick();
    EXPECT_EQ(10, dog->direction);
    Tick();
    EXPECT_EQ(2, dog->direction);
    Tick();
    EXPECT_EQ(2, dog->idleSubState);
}

TEST_F(PlayerDogTest, ASleepingDogNeedsOneInputToGetUpAndAnotherToWalk) {
    MakeDog(1000, 1000);
    dog->mode = PlayerDog::kIdling;
    dog->idleSubState = 15;
    Hold(0, 0, 1, 0);
    Tick();
    EXPECT_EQ(PlayerDog::kIdling, dog->mode);
    EXPECT_EQ(16, dog->idleSubState);
    for (int i = 0; i < 100 && dog->idleSubState == 16; ++i) Tick();  // input held: still getting up
    EXPECT_EQ(PlayerDog::kIdling, dog->mode);
    EXPECT_EQ(dog->posture, dog->idleSubState);
    Tick();
    EXPECT_EQ(PlayerDog::kWalking, dog->mode);
    EXPECT_EQ(8, dog->direction);
}

TEST_F(PlayerDogTest, PickingUpAndPuttingDownInALand) {
    sprites::FrameRecord picture{Picture(20, 20, 5), platform::RECT{0, 0, 20, 20}};
    auto* icon = new LandSprite(&W(), 1010, 1000, &picture, nullptr, 0, 0, nullptr);
    group->Insert(icon);
    MakeDog(1000, 1000);
    dog->nearest = icon;
    dog->nearestDistance = 49;
    game.input.fire = 1;
    Tick();
    EXPECT_EQ(PlayerDog::kPickingUp, dog->carryState);
    EXPECT_EQ(0, game.input.fire);
    EXPECT_EQ(icon, dog->carried);
    EXPECT_EQ(nullptr, icon->prev);  // out of the group while carried
    for (int i = 0; i < 20 && dog->carryState == PlayerDog::kPickingUp; ++i) Tick();
    EXPECT_EQ(PlayerDog::kCarrying, dog->carryState);
    EXPECT_EQ(1000, icon->x);  // moves with the dog

    game.input.fire = 1;
    Tick();
    EXPECT_EQ(PlayerDog::kPuttingDown, dog->carryState);
    EXPECT_EQ(1000, dog->dropX);  // nothing around: in front of the dog
    EXPECT_EQ(1015, dog->dropY);
    for (int i = 0; i < 20 && dog->carryState == PlayerDog::kPuttingDown; ++i) Tick();
    EXPECT_EQ(PlayerDog::kEmpty, dog->carryState);
    EXPECT_EQ(nullptr, dog->carried);
    EXPECT_EQ(1015, icon->y);
    EXPECT_NE(nullptr, icon->prev);
    EXPECT_EQ(-1, icon->location);
    picture.surface->Release();
}

TEST_F(PlayerDogTest, TheDropPointFallsBackAroundObstacles) {
    // A solid block just below the dog, then one above as well, then all round.
    platform::dd::Surface* wall = Picture(200, 20, 9);
    group->AddSurface(wall, "wall.bmp");
    sprites::FrameRecord wallFrame{wall, platform::RECT{0, 0, 200, 20}};
    sprites::FrameRecord picture{Picture(20, 20, 5), platform::RECT{0, 0, 20, 20}};
    // (Pixel tests look only at sprites in the view.)
    group->Insert(new sprites::Sprite(&W(), 200, 320, &wallFrame, 1));
    MakeDog(300, 300);
    auto* icon = new LandSprite(&W(), 0, 0, &picture, nullptr, 0, 0, nullptr);
    auto drop = [&] {
        group->BuildDrawList();
        dog->carried = icon;
        dog->carryState = PlayerDog::kCarrying;
        game.input.fire = 1;
        Tick();
        return std::make_pair(dog->dropX, dog->dropY);
    };
    EXPECT_EQ(std::make_pair(300, 260), drop());
    group->Insert(new sprites::Sprite(&W(), 200, 270, &wallFrame, 2));
    EXPECT_EQ(std::make_pair(355, 287), drop());
    platform::dd::Surface* post = Picture(20, 100, 9);
    group->AddSurface(post, "post.bmp");
    sprites::FrameRecord postFrame{post, platform::RECT{0, 0, 20, 100}};
    group->Insert(new sprites::Sprite(&W(), 320, 250, &postFrame, 3));
    EXPECT_EQ(std::make_pair(245, 287), drop());
    group->Insert(new sprites::Sprite(&W(), 260, 250, &postFrame, 4));
    EXPECT_EQ(std::make_pair(300, 315), drop());
    dog->carried = nullptr;
    dog->carryState = PlayerDog::kEmpty;
    delete icon;
    picture.surface->Release();
}

TEST_F(PlayerDogTest, InARoomTheDogBumpsIntoTheRoomsSpritesNotTheLands) {
    // A post of the land stands where the dog will stand in the room, and a
    // post of the room a little to its right.
    platform::dd::Surface* post = Picture(20, 100, 9);
    group->AddSurface(post, "post.bmp");
    sprites::FrameRecord postFrame{post, platform::RECT{0, 0, 20, 100}};
    group->Insert(new sprites::Sprite(&W(), 310, 250, &postFrame, 1));
    sprites::SpriteGroup* room = W().GetGroup(W().AddGroup());
    room->Insert(new sprites::Sprite(&W(), 330, 250, &postFrame, 2));
    MakeDog(300, 300);
    auto walkRight = [&](uint32_t ms) {
        group->BuildDrawList();
        room->BuildDrawList();
        dog->StartWalking(4);
        dog->lastMoveTime = now;
        now += ms;
        dog->Move(now);
    };
    walkRight(30);
    EXPECT_EQ(299, dog->x);  // the land's post is under its leading edge: a pixel back
    world::DogSurroundings inRoom;
    inRoom.kind = world::DogPlace::Room;
    inRoom.spriteGroup = room;
    dog->place = inRoom;
    dog->SetPosition(300, 300);
    walkRight(9);
    EXPECT_EQ(303, dog->x);
    walkRight(60);
    EXPECT_EQ(317, dog->x);  // its right edge meets the room's post
}

TEST_F(PlayerDogTest, FireBelowTheLemonPushesAnUnlitButtonOrTheLever) {
    sprites::FrameRecord lemonFrame{nullptr, platform::RECT{0, 0, 240, 30}};
    sprites::Sprite lemon(&W(), 100, 100, &lemonFrame, 0);
    sprites::Sprite lights[4] = {{&W(), -500, 106, nullptr, 0}, {&W(), -500, 106, nullptr, 0},
                                 {&W(), -500, 106, nullptr, 0}, {&W(), -500, 106, nullptr, 0}};
    world::RoomPlace room;
    room.lemon = &lemon;
    for (int k = 0; k < 4; ++k) room.lights[k] = &lights[k];
    world::DogSurroundings around;
    around.kind = world::DogPlace::MainRoom;
    around.room = &room;
    MakeDog(110, 140, around);  // in the lemon's first third, 10 below it
    auto fire = [&] {
        dog->Stand();
        dog->lockRequest = 0;
        game.input.fire = 1;
        Tick();
        return dog->lockRequest;
    };
    EXPECT_EQ(1, fire());
    EXPECT_EQ(PlayerDog::kButton, dog->mode);
    lights[1].x = 100 + 34;  // button 1 already lit
    EXPECT_EQ(0, fire());
    dog->SetPosition(300, 140);
    EXPECT_EQ(3, fire());
    dog->SetPosition(390, 140);
    EXPECT_EQ(4, fire());
    EXPECT_EQ(PlayerDog::kLever, dog->mode);
    dog->SetPosition(300, 170);  // more than 35 below the lemon
    EXPECT_EQ(0, fire());
    for (auto& light : lights) group->Unlink(&light);
}

TEST_F(PlayerDogTest, DemoRecordingStopsWhenTheBufferIsFull) {
    MakeDog(1000, 1000);
    game.demoData = std::make_unique<uint8_t[]>(19792);
    game.demoScratch = 1;
    platform::headless::ClearMessageBoxLog();
    for (int i = 0; i < 1000; ++i) dog->ReadInput();
    EXPECT_EQ(1, game.demoScratch);
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
    dog->ReadInput();
    EXPECT_EQ(0, game.demoScratch);
    ASSERT_EQ(1u, platform::headless::MessageBoxLog().size());
    EXPECT_EQ("Out of Space", platform::headless::MessageBoxLog()[0].text);
    EXPECT_EQ("Demo Mode", platform::headless::MessageBoxLog()[0].caption);
    int32_t x = 0;
    std::memcpy(&x, game.demoData.get() + 3792 + 16 * 999, 4);
    EXPECT_EQ(1000, x);
    dog->ReadInput();
    EXPECT_EQ(1u, platform::headless::MessageBoxLog().size());
}

TEST_F(PlayerDogTest, DemoPlaybackMovesTheDogAndEndsAtAFacingOfMinusOne) {
    MakeDog(1000, 1000);
    game.demoData = std::make_unique<uint8_t[]>(19792);
    const int32_t records[4][4] = {{500, 600, 2, 3}, {510, 610, 4, 5}, {520, 620, 8, 6}, {0, 0, 0, -1}};
    std::memcpy(game.demoData.get() + 3792, records, sizeof records);
    game.demoRunning = 1;
    dog->ReadInput();
    EXPECT_EQ(500, dog->x);
    EXPECT_EQ(2, dog->input);
    dog->ReadInput();
    EXPECT_EQ(1, game.demoRunning);
    dog->ReadInput();
    EXPECT_EQ(520, dog->x);
    EXPECT_EQ(8, dog->input);
    EXPECT_EQ(0, game.demoRunning);
    EXPECT_EQ(1, game.returnToTitle);
}

TEST_F(PlayerDogTest, ADemoStepOffTheMapEndsTheDemoThere) {
    MakeDog(1000, 1000);
    const sprites::Background& map = *dog->world->background;
    ASSERT_GT(map.MapWidth(), 0);
    game.demoData = std::make_unique<uint8_t[]>(19792);
    const int32_t records[3][4] = {{500, 600, 2, 3}, {map.MapWidth() + 5, 610, 4, 5}, {520, 620, 8 | 4096, 6}};
    std::memcpy(game.demoData.get() + 3792, records, sizeof records);
    game.demoRunning = 1;
    dog->ReadInput();
    EXPECT_EQ(500, dog->x);
    dog->ReadInput();
    EXPECT_EQ(500, dog->x) << "the dog is not put off the map";
    EXPECT_EQ(0, game.demoRunning);
    EXPECT_EQ(1, game.returnToTitle);
}

}  // namespace
