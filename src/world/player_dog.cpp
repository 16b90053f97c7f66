#include "world/player_dog.h"

#include <algorithm>
#include <cstring>

#include "audio/fx_player.h"
#include "audio/land_sprite.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/devices.h"
#include "platform/dialogs.h"
#include "sprites/rect_math.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/chars/poses.h"
#include "world/game_services.h"
#include "world/input_state.h"

namespace world {

using sprites::AnimSequence;
using sprites::RECT;

const int PlayerDog::kEffectNumbers[kEffectCount] = {25, 19, 23, 10, 13, 14, 16, 24, 21, 20, 15, 0};

namespace {

// Two strides of nine steps; the walk slows through each stride.
constexpr int kStrideTable[18] = {5, 6, 7, 8, 10, 11, 12, 8, 7, 5, 6, 7, 8, 10, 11, 12, 8, 7};
constexpr uint32_t kMaxPixelsPerFrame = 25;
constexpr int kStandTicksBeforeIdle = 50;
constexpr int kUp = 1, kDown = 2, kRight = 4, kLeft = 8;

int DirectionSlot(int direction) {
    const int index = chars::DirectionIndex(direction);
    return index < 0 ? chars::DirectionIndex(kDown) : index;
}

bool PointIn(const RECT& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

int32_t ReadI32(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
void WriteI32(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }

}  // namespace

PlayerDog::PlayerDog(sprites::SpriteWorld* world, sprites::SpriteGroup* group, GameServices* game, int32_t x,
                     int32_t y, const char* sheetFile, chars::DogLayout layout, DogSurroundings surroundings)
    : TwoPartSprite(world, group, x, y, sheetFile, 0, kFrameDelay),
      game(game),
      place(std::move(surroundings)),
      layout(layout),
      tables_(chars::MakeDogTables(layout)) {
    frameTable_ = chars::MakeFrameTable(tables_.sheet, surface);
    SetFrames(frameTable_.data(), static_cast<int32_t>(frameTable_.size()));
    sequences_ = chars::MakeSequences(tables_.sheet);
    const bool jet = layout == chars::DogLayout::Jet;
    reach = jet ? 60 : 50;
    footprint_ = jet ? RECT{-10, -10, 10, 10} : RECT{-13, -8, 13, 8};
    hitBox = footprint_;
    lastMoveTime = lastTime = platform::timeGetTime();

    FxPlayer* fx = game ? game->Effects() : nullptr;
    for (int i = 0; i < kEffectCount; ++i) {
        effectSlots[i] = fx ? fx->FxPlayer_Load(kEffectNumbers[i]) : -1;
        if (effectSlots[i] < 0) noSound = 1;
        else fx->FxPlayer_SetVolume(effectSlots[i], -600);
    }
    if (game) game->ResetDemo();
    direction = kDown;
    SelectPair(tables_.roles.stand[DirectionSlot(kDown)]);
    UpdateDepth();
    FrameChanged(lastMoveTime);
}

PlayerDog::~PlayerDog() {
    FxPlayer* fx = game ? game->Effects() : nullptr;
    if (fx) {
        for (int slot : effectSlots) {
            if (slot >= 0) fx->FxPlayer_Release(slot);
        }
    }
    // The sequences and frame table go with their vectors; nothing drawn may
    // point at them afterwards.
    sequence = secondSequence = carrySequence = nullptr;
}

// ---- pairs, effects and depth ----

void PlayerDog::SelectPair(const chars::DogPair& pair) {
    chars::StartSequencePair(sequences_, pair.main, pair.overlay, &sequence, &secondSequence);
}

void PlayerDog::Advance() {
    if (sequence) sequence->Set(AnimSequence::kNext);
    if (secondSequence) secondSequence->Set(AnimSequence::kNext);
}

bool PlayerDog::AtLastStep() const { return !sequence || sequence->IsLast(); }

void PlayerDog::Play(Effect effect, int loop) {
    FxPlayer* fx = game ? game->Effects() : nullptr;
    if (fx && effectSlots[effect] >= 0) fx->FxPlayer_Play(effectSlots[effect], loop);
}

void PlayerDog::StopEffect(Effect effect) {
    FxPlayer* fx = game ? game->Effects() : nullptr;
    if (fx && effectSlots[effect] >= 0) fx->FxPlayer_Stop(effectSlots[effect]);
}

void PlayerDog::UpdateDepth() {
    depth = sprites::DepthKey(x, y, footprint_.left, footprint_.top);
    Resort();
}

int PlayerDog::SetPosition(int32_t newX, int32_t newY) {
    x = newX;
    y = newY;
    if (carried) carried->SetPosition(newX, newY);
    return 1;
}

// ---- the frame ----

int PlayerDog::Animate(uint32_t now) {
    Move(now);
    if (TimeDue(now)) {
        ReadInput();
        Decide();
        StepMode();
    }
    FrameChanged(now);
    return 1;
}

uint32_t PlayerDog::StepPeriod(int step) {
    return step > 17 || step < 0 ? 8u : static_cast<uint32_t>(kStrideTable[step] - 2);
}

void PlayerDog::Move(uint32_t now) {
    const uint32_t period = StepPeriod(sequence ? sequence->GetIndex() : 0);
    uint32_t n = (now - lastMoveTime) / period;
    lastMoveTime += n * period;
    n = std::min(n, kMaxPixelsPerFrame);
    int32_t dx = 0, dy = 0;
    if (mode == kWalking) {
        const int32_t step = static_cast<int32_t>(n);
        if (direction & kDown) dy = step;
        else if (direction & kUp) dy = -step;
        if (direction & kRight) dx = step;
        else if (direction & kLeft) dx = -step;
    }
    if (dx || dy) CollidePixels(Neighbours(), &dx, &dy);
    x += dx;
    y += dy;
    if (carried) carried->SetPosition(x, y);
    UpdateDepth();
}

int PlayerDog::FrameHook(uint32_t) {
    // In demo playback the recorded picture is shown.
    if (playbackFrame_ > 0) {
        frameNumber = playbackFrame_;
        frame = FrameAt(frameNumber);
    }
    return 1;
}

int PlayerDog::FrameChanged(uint32_t now) {
    TwoPartSprite::FrameChanged(now);
    const RECT oldCarry = carryRect;
    carryFrame = nullptr;
    carryRect = RECT{};
    if (carryState != kEmpty && carrySequence) {
        int16_t number = 0, dx = 0, dy = 0;
        carrySequence->Get(&number, &dx, &dy);
        const bool atDropPoint = carrySequence->GetIndex() < chars::kCarryInMouthStep && carryState != kCarrying;
        if (!PlaceCarriedLook(number, dx, dy, atDropPoint)) {
            carryFrame = number > 0 ? FrameAt(number) : nullptr;
            const int32_t left = (atDropPoint ? dropX : x) + dx, top = (atDropPoint ? dropY : y) + dy;
            if (carryFrame) carryRect = RECT{left, top, left + carryFrame->Width(), top + carryFrame->Height()};
        }
    }
    if (world && !sprites::IsEmpty(sprites::Union(oldCarry, carryRect))) {
        const RECT both = sprites::Union(oldCarry, carryRect);
        world->AddDirty(both.left, both.top, both.right, both.bottom);
    }
    return 1;
}

bool PlayerDog::PlaceCarriedLook(int16_t number, int16_t dx, int16_t dy, bool atDropPoint) {
    const sprites::FrameRecord* bundle = number > 0 ? FrameAt(number) : nullptr;
    if (!carried || !carried->frame || !bundle) return false;
    // The carry steps place the bundle by its bottom middle; what is left of
    // their offsets is the nudge and lift of the moment.
    const int32_t nudgeX = dx + bundle->Width() / 2, liftY = dy + bundle->Height() - 2;
    if (atDropPoint) {
        // Nosed where it lies: the thing itself, at its own size and place.
        carryFrame = carried->frame;
        const int32_t left = dropX + nudgeX - carried->offsetX, top = dropY + liftY - carried->offsetY;
        carryRect = RECT{left, top, left + carryFrame->Width(), top + carryFrame->Height()};
        return true;
    }
    if (!carriedPicture.MadeFrom(*carried->frame)) return false;
    // In the mouth, which lies forward of the head the way the pup faces;
    // the hold sequence's small rise and fall makes it bob with the trot.
    constexpr int16_t kHoldY = -18;
    const int facing = chars::DirectionIndex(direction) >= 0 ? chars::DirectionIndex(direction) : 4;
    // On the water-jet the pup stands six pixels up on its hull.
    const chars::ScreenOffset mouth = chars::ProjectLocal(facing, 17, 0, layout == chars::DogLayout::Jet ? 22 : 16);
    carryFrame = carriedPicture.Frame();
    const int32_t left = x + mouth.x - carryFrame->Width() / 2;
    const int32_t top = y + mouth.y + (liftY - kHoldY) - carryFrame->Height() / 2;
    carryRect = RECT{left, top, left + carryFrame->Width(), top + carryFrame->Height()};
    return true;
}

int PlayerDog::Draw() {
    const int result = TwoPartSprite::Draw();
    const bool passing = mode == kHoleDown || mode == kHoleOut || mode == kArriving || mode == kDoor;
    if (carryFrame && !passing && world) {
        const RECT dest{carryRect.left - ScrollX(), carryRect.top - ScrollY(), carryRect.right - ScrollX(),
                        carryRect.bottom - ScrollY()};
        BlitClipped(*carryFrame, dest, world->view);
    }
    return result;
}

int PlayerDog::DrawClipped(const RECT& clip) {
    const int result = TwoPartSprite::DrawClipped(clip);
    const bool passing = mode == kHoleDown || mode == kHoleOut || mode == kArriving || mode == kDoor;
    if (carryFrame && !passing) {
        const RECT dest{carryRect.left - ScrollX(), carryRect.top - ScrollY(), carryRect.right - ScrollX(),
                        carryRect.bottom - ScrollY()};
        BlitClipped(*carryFrame, dest, clip);
    }
    return result;
}

// ---- input ----

void PlayerDog::ReadInput() {
    previousInput = input;
    input = 0;
    if (game) {
        InputState& in = game->Input();
        if (in.fire) {
            input = kFireInput;
            in.fire = 0;
        } else {
            if (in.down) input |= kDown;
            if (in.up && !(input & kDown)) input |= kUp;
            if (in.right) input |= kRight;
            if (in.left && !(input & kRight)) input |= kLeft;
        }
    }
    RecordDemo();
    PlayDemo();
}

bool PlayerDog::OnMap(int32_t px, int32_t py) const {
    if (!world || !world->background) return true;
    const sprites::Background& map = *world->background;
    if (map.MapWidth() <= 0 || map.MapHeight() <= 0) return true;  // no map to leave
    return px >= 0 && py >= 0 && px < map.MapWidth() && py < map.MapHeight();
}

void PlayerDog::RecordDemo() {
    if (!game || !game->DemoRecording() || !game->DemoData()) return;
    // The buffer holds exactly 1000 records; the next one has no room.
    if (recordingIndex >= kDemoRecords) {
        platform::MessageBox(game->Window(), "Out of Space", "Demo Mode", platform::MB_OK);
        game->StopDemoRecording();
        return;
    }
    uint8_t* record = game->DemoData() + kDemoRecordOffset + 16 * recordingIndex;
    WriteI32(record, x);
    WriteI32(record + 4, y);
    WriteI32(record + 8, input);
    WriteI32(record + 12, frameNumber);
    ++recordingIndex;
}

void PlayerDog::PlayDemo() {
    playbackFrame_ = 0;
    if (!game || !game->DemoRunning() || !game->DemoData()) return;
    const uint8_t* records = game->DemoData() + kDemoRecordOffset;
    if (recordingIndex >= kDemoRecords) {
        game->FinishDemo();
        return;
    }
    const uint8_t* record = records + 16 * recordingIndex;
    const int32_t stepX = ReadI32(record), stepY = ReadI32(record + 4);
    if (!OnMap(stepX, stepY)) {
        // A damaged step: the demo ends here rather than put the dog off the map.
        game->FinishDemo();
        return;
    }
    // Only the direction and fire bits mean anything to the dog.
    input = ReadI32(record + 8) & (kUp | kDown | kLeft | kRight | kFireInput);
    SetPosition(stepX, stepY);
    UpdateDepth();
    playbackFrame_ = static_cast<int16_t>(ReadI32(record + 12));
    ++recordingIndex;
    if (recordingIndex >= kDemoRecords || ReadI32(records + 16 * recordingIndex + 12) == -1) {
        game->FinishDemo();
    }
}

// ---- decisions ----

void PlayerDog::Decide() {
    if (mode == kBusy) return;
    const chars::DogRoles& roles = tables_.roles;
    if (input == 0) {
        if (mode != kWalking) return;
        if (carryState != kEmpty) {
            Stand();
        } else {
            SelectPair(roles.stop[DirectionSlot(direction)]);
            mode = kStopping;
        }
        return;
    }
    if (input == kFireInput) {
        if (mode == kHoleDown || mode == kHoleOut || mode == kArriving || mode == kDoor) return;
        platform::SetCursorPos(320, 240);
        if (place.kind == DogPlace::Den) {
            panelOpen = 1;
            return;
        }
        if (carryState == kEmpty) {
            if (nearestDistance < reach) StartPickUp();
            else if (place.kind == DogPlace::MainRoom) TestLockControls();
        } else if (carryState == kCarrying) {
            FindDropPoint();
            Play(kFxPutDown);
            carryState = kPuttingDown;
            carrySequence = sequences_[roles.pickUp].get();
            carrySequence->Set(AnimSequence::kLast);
        }
        return;
    }
    if (place.kind == DogPlace::Den && panelOpen) return;
    if (mode == kIdling && idleSubState != 16) {
        if (idleSubState == 8 || idleSubState == 10) StopEffect(kFxPant);
        if (idleSubState == 15) {
            SelectPair(roles.getUp);
            Play(kFxGetUp);
            idleSubState = 16;
            return;
        }
        Stand();
    }
    if ((mode == kWalking && input != previousInput) || mode == kStanding || mode == kStopping) {
        StartWalking(input);
    }
}

void PlayerDog::StartWalking(int newDirection) {
    direction = newDirection;
    SelectPair(tables_.roles.walk[DirectionSlot(direction)]);
    mode = kWalking;
    tickCounter = 0;
}

void PlayerDog::Stand() {
    SelectPair(tables_.roles.stand[DirectionSlot(direction)]);
    mode = kStanding;
    tickCounter = 0;
}

void PlayerDog::Busy() {
    SelectPair(tables_.roles.busy);
    Play(kFxScuffle);
    mode = kBusy;
}

void PlayerDog::Emerge() {
    SelectPair(tables_.roles.emerge);
    Play(kFxHoleOut);
    mode = kHoleOut;
}

void PlayerDog::Arrive() {
    SelectPair(tables_.roles.arrive);
    mode = kArriving;
}

// ---- each tick ----

void PlayerDog::StepMode() {
    switch (mode) {
        case kWalking:
            Advance();
            break;
        case kStanding:
            if (++tickCounter > kStandTicksBeforeIdle) {
                mode = kIdling;
                idleTicks = 0;
                tickCounter = 0;
                if (direction == kDown) {
                    idleSubState = 2;  // resting until a choice succeeds
                    ChooseIdle();
                } else {
                    idleSubState = 18;
                }
            }
            break;
        case kStopping:
        case kLever:
        case kButton:
        case kArriving:
        case kHoleOut:
            if (AtLastStep()) Stand();
            else Advance();
            break;
        case kHoleDown:
            if (!AtLastStep()) {
                x += (targetX - x) / 2;
                y += (targetY - y) / 2;
                Advance();
            } else {
                LeaveByHole();
            }
            break;
        case kDoor:
            if (!AtLastStep()) {
                x += (targetX - x) / 2;
                Advance();
            } else {
                EndDoor();
            }
            break;
        case kIdling:
            IdleStep();
            break;
        case kBusy:
            Advance();  // the scuffle plays until the cat ends it
            break;
        default:
            break;
    }

    const chars::DogRoles& roles = tables_.roles;
    switch (carryState) {
        case kCarrying:
            if (carrySequence) carrySequence->Set(AnimSequence::kNext);
            break;
        case kPickingUp:
            if (!carrySequence || carrySequence->IsLast()) {
                carryState = kCarrying;
                carrySequence = sequences_[roles.hold].get();
                carrySequence->Set(AnimSequence::kFirst);
            } else {
                carrySequence->Set(AnimSequence::kNext);
            }
            break;
        case kPuttingDown:
            if (!carrySequence || carrySequence->GetIndex() == 0) FinishPutDown();
            else carrySequence->Set(AnimSequence::kPrevious);
            break;
        default:
            break;
    }
    TestDoors();
    TestHoles();
}

// ---- carrying ----

void PlayerDog::StartPickUp() {
    if (carryState != kEmpty || !nearest || nearest->notTakeable) return;
    carryState = kPickingUp;
    carrySequence = sequences_[tables_.roles.pickUp].get();
    carrySequence->Set(AnimSequence::kFirst);
    carried = nearest;
    dropX = carried->x;
    dropY = carried->y;
    carriedHomeX = carried->x;
    carriedHomeY = carried->y;
    carriedHomeLocation = carried->location;
    if (carried->frame && !carriedPicture.MadeFrom(*carried->frame) && world)
        carriedPicture.Make(world->display, *carried->frame);
    if (place.spriteGroup) place.spriteGroup->Unlink(carried);
    carried->MarkDirty();
    Play(kFxPickUp);
}

void PlayerDog::FindDropPoint() {
    struct Try {
        int32_t dx, dy, dropDx, dropDy;
    };
    static constexpr Try kTries[4] = {{0, 30, 0, 15}, {0, -40, 0, -40}, {30, 0, 55, -13}, {-30, 0, -55, -13}};
    for (const Try& t : kTries) {
        int32_t dx = t.dx, dy = t.dy;
        CollidePixels(Neighbours(), &dx, &dy);
        if (dx == t.dx && dy == t.dy) {
            dropX = x + t.dropDx;
            dropY = y + t.dropDy;
            return;
        }
    }
    dropX = x;
    dropY = y + 15;
}

void PlayerDog::FinishPutDown() {
    if (!carried) {
        carryState = kEmpty;
        return;
    }
    if (place.kind == DogPlace::Room || place.kind == DogPlace::MainRoom) {
        Stand();
        if (place.offerToRoom && place.offerToRoom(carried)) {
            carried = nullptr;
            carryState = kEmpty;
            return;
        }
        // A room that does not take the sprite gets it put down like in a
        // land, so it is neither lost nor carried for ever.
    }
    LandSprite* sprite = carried;
    carried = nullptr;
    carryState = kEmpty;
    sprite->SetPosition(dropX, dropY);
    sprite->depth = sprites::DepthKey(sprite->x, sprite->y, sprite->hitBox.left, sprite->hitBox.top);
    if (place.spriteGroup) place.spriteGroup->Insert(sprite);
    sprite->MarkDirty();
    sprite->location = roomIndex;
}

// ---- lock controls ----

void PlayerDog::TestLockControls() {
    RoomPlace* room = place.room;
    if (!room || !room->lemon) return;
    RECT lemon;
    room->lemon->GetRect(&lemon);
    if (y < lemon.bottom || y > lemon.bottom + 35) return;
    const int32_t third = (lemon.right - lemon.left) / 3;
    static constexpr int32_t kLitAt[3] = {34, 119, 204};
    int control = 0;
    if (x >= lemon.left && x < lemon.left + 3 * third) {
        const int button = (x - lemon.left) / third;  // 0..2
        const sprites::Sprite* light = room->lights[button + 1];
        if (!light || light->x != room->lemon->x + kLitAt[button]) control = button + 1;
    } else if (x >= lemon.right && x < lemon.right + 100) {
        control = 4;
    }
    if (!control) return;
    if (control == 4) {
        SelectPair(tables_.roles.lever);
        mode = kLever;
    } else {
        SelectPair(tables_.roles.button);
        mode = kButton;
    }
    lockRequest = control;
}

// ---- doors ----

void PlayerDog::TestDoors() {
    if (direction == kRight || direction == kLeft || mode == kArriving || mode == kDoor ||
        carryState == kPickingUp || carryState == kPuttingDown) {
        return;
    }
    const RECT test{x + footprint_.left - 8, y + footprint_.top - 8, x + footprint_.right + 8, y + footprint_.bottom};
    switch (place.kind) {
        case DogPlace::Den: {
            if (!place.den) return;
            const int open = std::min(game ? game->OpenDenDoors() : 0, 6);
            for (int k = 0; k < open; ++k) {
                if (sprites::Overlaps(test, place.den->rects[k])) return TakeDoor(1, k, place.den->rects[k]);
            }
            const RECT& menu = place.den->rects[6];
            if (sprites::Overlaps(test, menu)) {
                if (game) game->RequestMenu();
                SetPosition(x, menu.bottom + 20);
                UpdateDepth();
                Stand();
            }
            return;
        }
        case DogPlace::Land: {
            LandPlace* land = place.land;
            if (!land) return;
            for (int k = 0; k < land->doorCount; ++k) {
                if (sprites::Overlaps(test, land->doors[k].area)) return TakeDoor(2, k, land->doors[k].area);
            }
            if (sprites::Overlaps(test, land->mainDoor.area)) {
                mainDoorTouched = 1;
                return TakeDoor(3, 0, land->mainDoor.area);
            }
            if (sprites::Overlaps(test, land->startArea)) return TakeDoor(4, 0, land->startArea);
            return;
        }
        case DogPlace::Room:
        case DogPlace::MainRoom: {
            RoomPlace* room = place.room;
            if (!room) return;
            if (sprites::Overlaps(test, room->exitArea)) return TakeDoor(5, 0, room->exitArea);
            if (place.kind == DogPlace::MainRoom && sprites::Overlaps(test, room->denExitArea)) {
                return TakeDoor(4, 0, room->denExitArea);
            }
            return;
        }
    }
}

void PlayerDog::TakeDoor(int kind, int index, const RECT& area) {
    doorKind = kind;
    doorIndex = index;
    targetX = (area.left + area.right) / 2 - 3;
    SelectPair(tables_.roles.door);
    mode = kDoor;
}

void PlayerDog::EndDoor() {
    auto enterRoom = [this](int room) {
        enterRoomRequest = room;
        roomIndex = room;
        if (carried) carried->location = room;
        platform::SetCursorPos(320, 300);
        direction = kDown;
        Arrive();
    };
    switch (doorKind) {
        case 1:
            if (game) game->RequestState(kStateLand, doorIndex);
            Stand();
            break;
        case 2:
            enterRoom(doorIndex);
            break;
        case 3:
            enterRoom(10);
            break;
        case 4:
            if (carried) {
                // Back where it was found, in the land.
                LandSprite* sprite = carried;
                carried = nullptr;
                carryState = kEmpty;
                sprite->SetPosition(carriedHomeX, carriedHomeY);
                sprite->location = carriedHomeLocation < 0 ? -1 : carriedHomeLocation;
                sprite->depth = sprites::DepthKey(sprite->x, sprite->y, sprite->hitBox.left, sprite->hitBox.top);
                if (place.spriteGroup && place.kind == DogPlace::Land) place.spriteGroup->Insert(sprite);
            }
            if (game) game->RequestState(kStateDen, -1);
            platform::SetCursorPos(320, 300);
            Stand();
            break;
        case 5:
            leaveRoomRequest = 1;
            roomIndex = -1;
            if (carried) carried->location = -1;
            platform::SetCursorPos(320, 300);
            direction = kDown;
            Arrive();
            break;
        default:
            Stand();
            break;
    }
}

// ---- holes ----

int PlayerDog::HolePartner(int index, int hotSpotCount) {
    const int partner = index % 2 == 0 ? index + 1 : index - 1;
    return partner == hotSpotCount ? 0 : partner;
}

void PlayerDog::TestHoles() {
    if (mode == kHoleDown || mode == kHoleOut || direction == kRight || direction == kLeft || !place.landScreen) return;
    const int32_t px = x, py = y - 60;
    auto use = [this](int index, const RECT& area) {
        holeIndex = index;
        targetX = (area.left + area.right) / 2 - 3;
        targetY = (area.top + area.bottom) / 2 + 65;
        if (carryState == kPickingUp || carryState == kPuttingDown) return;
        SelectPair(tables_.roles.hole);
        mode = kHoleDown;
        Play(kFxHoleIn);
    };
    if (place.kind == DogPlace::Room || place.kind == DogPlace::MainRoom) {
        if (place.room && PointIn(place.room->hotSpot, px, py)) use(-1, place.room->hotSpot);
    } else if (place.kind == DogPlace::Land && place.land) {
        for (int k = 0; k < place.land->hotSpotCount; ++k) {
            if (PointIn(place.land->hotSpots[k].area, px, py)) return use(k, place.land->hotSpots[k].area);
        }
    }
}

void PlayerDog::LeaveByHole() {
    if (holeIndex >= 0 && place.land) {
        const int partner = HolePartner(holeIndex, place.land->hotSpotCount);
        const RECT& area = place.land->hotSpots[std::clamp(partner, 0, lnd::kMaxLandHotSpots - 1)].area;
        SetPosition(area.left + 20, area.bottom + 60);
        UpdateDepth();
        direction = kDown;
        Emerge();
    } else if (place.kind == DogPlace::MainRoom) {
        leftByMainHole = 1;
    } else {
        leftByRoomHole = 1;
    }
    platform::SetCursorPos(320, 240);
}

// ---- idling ----

int PlayerDog::TurnTowardsDown(int from) {
    switch (from) {
        case kUp: return kUp | kLeft;
        case kUp | kLeft: return kLeft;
        case kLeft: return kDown | kLeft;
        case kDown | kLeft: return kDown;
        case kUp | kRight: return kRight;
        case kRight: return kDown | kRight;
        case kDown | kRight: return kDown;
        default: return kDown;
    }
}

void PlayerDog::RestPair(int newPosture) {
    posture = std::clamp(newPosture, 1, 3);
    SelectPair(tables_.roles.rest[posture - 1]);
    idleSubState = posture;
    tickCounter = 0;
}

bool PlayerDog::MusicPlays() const {
    if (place.kind == DogPlace::Den) return place.bandPlaying != 0;
    return place.kind == DogPlace::Room && roomIndex >= 0 && roomIndex <= 2 && place.roomState >= 2;
}

void PlayerDog::StartDance() {
    SelectPair(tables_.roles.dance[platform::rand() % 4]);
    idleSubState = 7;
}

void PlayerDog::ChooseIdle() {
    if (MusicPlays()) return StartDance();
    const chars::DogRoles& roles = tables_.roles;
    const int r = platform::rand() % 9;
    const int p = posture;
    switch (r) {
        case 0:
            RestPair(platform::rand() % 3 + 1);
            break;
        case 1:
        case 2:
            if (idleTicks > 800) {
                SelectPair(roles.fallAsleep);
                idleSubState = 14;
                Play(kFxSleep);
            } else if (idleTicks > 200 && p != 3) {
                SelectPair(roles.sniff);
                idleSubState = 17;
            }
            break;
        case 3:
            if (p == 1 || p == 2) {
                SelectPair(roles.bark[p - 1]);
                Play(kFxBark);
                idleSubState = p == 2 ? 9 : 6;
                tickCounter = platform::rand() % 20 + 10;
            }
            break;
        case 4:
            if (p == 2 || p == 3) {
                SelectPair(roles.pant[p - 2]);
                Play(kFxPant, 1);
                idleSubState = p == 2 ? 8 : 10;
                tickCounter = platform::rand() % 20 + 10;
            }
            break;
        case 5:
        case 6:
            if (p == 1) {
                SelectPair(r == 5 ? roles.lookLeft : roles.lookRight);
                idleSubState = r == 5 ? 4 : 5;
                countdown = platform::rand() % 20 + 10;
            }
            break;
        case 7:
            if (p == 3) {
                SelectPair(roles.rollOver);
                Play(kFxRoll);
                idleSubState = 12;
                tickCounter = platform::rand() % 10 + 10;
            }
            break;
        case 8:
            if (p == 1 || p == 2) {
                SelectPair(roles.beg);
                idleSubState = 13;
                countdown = platform::rand() % 20 + 30;
            }
            break;
    }
}

void PlayerDog::IdleStep() {
    ++idleTicks;
    switch (idleSubState) {
        case 1:
        case 2:
        case 3:
            if (++tickCounter >= 21) {
                ChooseIdle();
                tickCounter = platform::rand() % 10;
            }
            break;
        case 4:
        case 5:
        case 13:
            if (--countdown <= 0) RestPair(posture);
            break;
        case 6:
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
        case 16:
            if (AtLastStep()) {
                if (idleSubState == 8 || idleSubState == 10) StopEffect(kFxPant);
                RestPair(posture);
            } else {
                Advance();
            }
            break;
        case 7:
            if (AtLastStep()) StartDance();
            else Advance();
            break;
        case 14:
            if (AtLastStep()) {
                SelectPair(tables_.roles.asleep);
                idleSubState = 15;
            } else {
                Advance();
            }
            break;
        case 15:
            Advance();  // the sleeping pose breathes in place
            break;
        case 17:
            if (AtLastStep()) {
                if (nearestDistance < 301) {
                    Play(kFxSniffNear);
                    if (posture == 1 || posture == 2) {
                        SelectPair(tables_.roles.beg);
                        idleSubState = 13;
                        countdown = platform::rand() % 20 + 30;
                    }
                    posture = 1;
                } else {
                    posture = 3;
                    SelectPair(tables_.roles.rest[2]);
                    idleSubState = 11;
                    Play(kFxSniffAway);
                }
            } else {
                Advance();
            }
            break;
        case 18:
            if (direction == kDown) {
                idleSubState = 2;
            } else {
                direction = TurnTowardsDown(direction);
                SelectPair(tables_.roles.turn[DirectionSlot(direction)]);
            }
            break;
        default:
            RestPair(posture);
            break;
    }
}

}  // namespace world
