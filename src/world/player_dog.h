#pragma once
// The dog the child steers through the den, the lands and the rooms: it walks
// in eight directions at the pace of its stride, stops, turns, idles, picks
// up and puts down land sprites, takes doors and holes, and records or plays
// back its moves for the demo. What it asks of the screens (a door taken, a
// hole left, a lock control pushed, the den's panel) it leaves in request
// fields the screens read.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "sprites/character_sprite.h"
#include "world/carried_picture.h"
#include "world/chars/dog_tables.h"
#include "world/place.h"

class LandSprite;

namespace world {

class GameServices;

enum class DogPlace { Land, Room, MainRoom, Den };

// The place the dog is in, as its screen describes it.
struct DogSurroundings {
    DogPlace kind = DogPlace::Land;
    LandPlace* land = nullptr;
    RoomPlace* room = nullptr;  // Room and MainRoom
    DenPlace* den = nullptr;
    // The group that free land sprites lie in (dropped sprites go back here).
    sprites::SpriteGroup* spriteGroup = nullptr;
    bool landScreen = true;  // holes are tested only where a land screen runs
    int roomState = 0;       // a sub-room at state 2 or more plays for the dog
    int bandPlaying = 0;     // in the den, at least one band member plays
    // A room offered the sprite the dog put down: true when it took it.
    std::function<bool(LandSprite*)> offerToRoom;
};

class PlayerDog : public sprites::TwoPartSprite {
public:
    // Modes.
    static constexpr int kWalking = 1, kStanding = 2, kStopping = 4, kBusy = 64, kLever = 128, kButton = 240,
                         kHoleDown = 256, kHoleOut = 512, kArriving = 1024, kDoor = 2048, kIdling = 3840;
    // Carry states.
    static constexpr int kEmpty = 0, kCarrying = 1, kPickingUp = 2, kPuttingDown = 4;
    // Input bits besides the directions.
    static constexpr int kFireInput = 1024;
    // Demo records live after the saved-game part of the demo buffer.
    static constexpr int kDemoRecordOffset = 3792;
    static constexpr int kDemoRecords = 1000;
    static constexpr uint32_t kFrameDelay = 95;

    // Effects, in slot order.
    enum Effect {
        kFxSniffNear, kFxSniffAway, kFxSleep, kFxGetUp, kFxHoleIn, kFxHoleOut,
        kFxPickUp, kFxPutDown, kFxBark, kFxPant, kFxRoll, kFxScuffle, kEffectCount
    };
    static const int kEffectNumbers[kEffectCount];

    PlayerDog(sprites::SpriteWorld* world, sprites::SpriteGroup* group, GameServices* game, int32_t x, int32_t y,
              const char* sheetFile, chars::DogLayout layout, DogSurroundings surroundings);
    ~PlayerDog() override;

    int SetPosition(int32_t x, int32_t y) override;
    int Draw() override;
    int DrawClipped(const sprites::RECT& clip) override;
    int Animate(uint32_t now) override;
    int FrameChanged(uint32_t now) override;
    int FrameHook(uint32_t now) override;

    void Move(uint32_t now);
    void ReadInput();
    void Decide();
    void StepMode();

    // Called by the cat, the land screen and the den.
    void Busy();
    void StartWalking(int direction);
    void Stand();
    void Emerge();
    void Arrive();

    // The stride table: ms per pixel at main step i of a walk.
    static uint32_t StepPeriod(int step);
    // Direction after one turn step towards down (2 stays 2).
    static int TurnTowardsDown(int direction);
    // The hot spot a hole leads to.
    static int HolePartner(int index, int hotSpotCount);

    GameServices* game;
    DogSurroundings place;
    chars::DogLayout layout;
    int carryState = kEmpty;
    int previousInput = 0, input = 0;
    int direction = 2;
    int posture = 1;
    int mode = kStanding;
    int idleSubState = 2;
    int doorKind = 0, doorIndex = 0;
    int32_t targetX = 0, targetY = 0;
    int holeIndex = -1;
    int tickCounter = 0, countdown = 0;
    int idleTicks = 0;
    uint32_t lastMoveTime = 0;
    LandSprite* nearest = nullptr;
    int32_t nearestDistance = 0x7FFFFFFF;
    int32_t reach = 50;
    LandSprite* carried = nullptr;
    int32_t dropX = 0, dropY = 0;
    int roomIndex = -1;
    int leftByRoomHole = 0, leftByMainHole = 0;
    int recordingIndex = 0;
    int effectSlots[kEffectCount];
    int noSound = 0;

    // Requests for the screens (cleared by whoever carries them out).
    int enterRoomRequest = -1;  // sub-room 0..2, or 10 for the main sub-room
    int leaveRoomRequest = 0;
    int mainDoorTouched = 0;
    int panelOpen = 0;          // the den's panel
    int lockRequest = 0;        // 1..3 a lock button, 4 the lever

    // Where a carried sprite lay when it was picked up.
    int32_t carriedHomeX = 0, carriedHomeY = 0, carriedHomeLocation = -1;

    sprites::AnimSequence* carrySequence = nullptr;
    sprites::FrameRecord* carryFrame = nullptr;
    sprites::RECT carryRect{};
    // The small copy of the carried sprite's picture (kept for the next
    // pick-up of the same thing).
    CarriedPicture carriedPicture;

private:
    void SelectPair(const chars::DogPair& pair);
    void Advance();
    bool AtLastStep() const;
    void Play(Effect effect, int loop = 0);
    void StopEffect(Effect effect);
    void UpdateDepth();

    void StartPickUp();
    void FindDropPoint();
    // Where the carried thing is shown this tick: its own picture where it
    // lies, its small copy at the mouth; false leaves the sheet's bundle.
    bool PlaceCarriedLook(int16_t number, int16_t dx, int16_t dy, bool atDropPoint);
    // The sprites the dog bumps into: those of the place it is in (a room's
    // own group), not the land group it was made in.
    sprites::SpriteGroup* Neighbours() const { return place.spriteGroup ? place.spriteGroup : group; }
    void FinishPutDown();
    void TestLockControls();
    void TestDoors();
    void TestHoles();
    void TakeDoor(int kind, int index, const sprites::RECT& area);
    void EndDoor();
    void LeaveByHole();

    void ChooseIdle();
    void IdleStep();
    void RestPair(int posture);
    bool MusicPlays() const;
    void StartDance();

    void RecordDemo();
    void PlayDemo();
    // Inside the map of the place the dog is in.
    bool OnMap(int32_t px, int32_t py) const;

    chars::DogTables tables_;
    std::vector<sprites::FrameRecord> frameTable_;
    std::vector<std::unique_ptr<sprites::AnimSequence>> sequences_;
    int16_t playbackFrame_ = 0;
    sprites::RECT footprint_{};
};

}  // namespace world
