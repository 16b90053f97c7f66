#include "land/main_sub_room.h"

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/reward_show.h"
#include "platform/clock.h"
#include "sprites/background.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/game_services.h"
#include "world/input_state.h"
#include "world/player_dog.h"

namespace land {

namespace {
void SetDepth(sprites::Sprite* s) { s->depth = sprites::DepthKey(s->x, s->y, s->hitBox.left, s->hitBox.top); }
}  // namespace

MainSubRoom::~MainSubRoom() { Destroy(); }

int MainSubRoom::KeySlot(const LandSprite* sprite) const {
    for (int k = 0; k < world::kKeyCount; ++k) {
        if (sprite && land->keys[k] == sprite) return k;
    }
    return -1;
}

int MainSubRoom::Enter(LandScreen* owner, int roomIndex) {
    land = owner;
    (void)roomIndex;  // always the lock room
    world::GameServices* game = land->game;
    world_ = std::make_unique<sprites::SpriteWorld>(land->display);
    game->Input() = world::InputState{};
    world::LoadMainSubRoom(kLevelFile, world::RoomContext{world_.get(), game->Difficulty(), 0}, &place);
    if (!place.group) place.group = world_->GetGroup(world_->AddGroup());

    world::PlayerDog* dog = land->player;
    LandScreen::MoveToWorld(dog, world_.get());
    const platform::RECT& arrival = land->firstArrival ? place.denExitArea : place.exitArea;
    dog->SetPosition(arrival.left + 20, arrival.bottom + 20);
    SetDepth(dog);
    place.group->Insert(dog);
    world::DogSurroundings around;
    around.kind = world::DogPlace::MainRoom;
    around.room = &place;
    around.spriteGroup = place.group;
    around.offerToRoom = [this](LandSprite* s) { return Drop(s) != 0; };
    dog->place = around;
    if (dog->carried) LandScreen::MoveToWorld(dog->carried, world_.get());

    lock = std::make_unique<LockMechanism>(land->record, game->Effects());
    LockMechanism::Parts parts;
    parts.lemon = place.lemon;
    parts.pointer = place.lights[0];
    for (int k = 0; k < LockMechanism::kSlots; ++k) parts.lights[k] = place.lights[k + 1];
    parts.keyFrames = place.fishFrames;
    lock->Attach(parts);

    member = screens::CaptiveMember::ForLand(game->CurrentLand(), world_.get(), place.group, game->Effects());
    if (place.lemon) {
        // The member stands just behind the lock, in the middle of it.
        const int32_t w = place.lemon->frame ? place.lemon->frame->Width() : 0;
        member->x = place.lemon->x + w / 2;
        member->y = place.lemon->y + 20;
        member->depth = place.lemon->depth - 1;
    }
    if (land->record->freed) member->SetFreed();
    member->FrameChanged(platform::timeGetTime());
    place.group->Insert(member.get());

    if (world_->background) {
        world_->background->scrollX = kScrollX;
        world_->background->scrollY = kScrollY;
    }
    for (int i = 0; i < game->LandSprites().count; ++i) {
        LandSprite* s = game->LandSprites()[i];
        if (s->location != world::kMainSubRoom || s == dog->carried || KeySlot(s) >= 0) continue;
        LandScreen::MoveToWorld(s, world_.get());
        SetDepth(s);
        place.group->Insert(s);
    }
    for (int k = 0; k < world::kKeyCount; ++k) {
        LandSprite* key = land->keys[k];
        if (!key || !key->placed || key == dog->carried) continue;
        key->location = world::kMainSubRoom;
        LandScreen::MoveToWorld(key, world_.get());
        lock->ShowKey(k, key);
        place.group->Unlink(key);
        place.group->Insert(key);
    }
    lock->LoadVoices();
    for (sprites::AnimatedSprite* fish : {place.stripA, place.stripB}) {
        if (fish) fish->paused = true;  // the room opens and closes them
    }
    NearestIcon();
    if (game->Music()) {
        game->Music()->SQ_LimitAudibleTracks(8);
        game->Music()->SQ_Play();
    }
    lock->LightRightSlots();
    game->AddRedrawFrames(2);
    return 1;
}

void MainSubRoom::Destroy() {
    if (destroyed_ || !land) return;
    destroyed_ = true;
    world::GameServices* game = land->game;
    if (game && game->Music()) game->Music()->SQ_Stop();
    if (lock) lock->ReleaseVoices();
    if (member && place.group) place.group->Unlink(member.get());
    member.reset();
    // Whatever still lies in this room's group belongs to the land.
    for (int i = 0; game && i < game->LandSprites().count; ++i) {
        LandSprite* s = game->LandSprites()[i];
        if (s->world == world_.get()) {
            if (place.group) place.group->Unlink(s);
            LandScreen::MoveToWorld(s, land->LandWorld());
        }
    }
}

int MainSubRoom::InsertKey(LandSprite* sprite) {
    const int k = KeySlot(sprite);
    if (k < 0 || !lock) return 0;
    if (place.group) place.group->Unlink(sprite);
    LandScreen::MoveToWorld(sprite, world_.get());
    lock->InsertKey(k, sprite);
    sprite->location = world::kMainSubRoom;
    sprite->placed = 1;
    if (land->player && land->player->carried == sprite) land->player->carried = nullptr;
    if (place.group) place.group->Insert(sprite);
    return 1;
}

void MainSubRoom::TurnKey(int button) {
    if (lock) lock->TurnKey(button, platform::timeGetTime());
}

void MainSubRoom::PullLever() {
    if (lock) lock->AdvanceCheck(platform::timeGetTime(), &land->lockDemonstrated);
}

void MainSubRoom::NearestIcon() {
    UpdateIconSounds(land, world::kMainSubRoom);
}

void MainSubRoom::StepFish(sprites::AnimatedSprite* fish, uint32_t now) {
    if (!fish || !fish->frames || fish->frameCount <= 0) return;
    platform::RECT r;
    fish->GetRect(&r);
    const platform::RECT near{r.left - 75, r.bottom - 50, r.right + 75, r.bottom + 75};
    platform::RECT foot;
    land->player->GetHitBox(&foot);
    const bool inside = foot.left >= near.left && foot.left < near.right && foot.bottom >= near.top &&
                        foot.bottom < near.bottom;
    const int32_t target = inside ? fish->frameCount - 1 : 0;
    if (fish->frameIndex == target || !fish->TimeDue(now)) return;
    fish->frameIndex += fish->frameIndex < target ? 1 : -1;
    fish->frame = &fish->frames[fish->frameIndex];
    fish->FrameChanged(now);
}

void MainSubRoom::StepLever(uint32_t now) {
    const int target = lock->checkStep ? kLeverFrames - 1 : 0;
    if (leverFrame == target) {
        leverTime = now;
        return;
    }
    if (now - leverTime < kLeverStepMs) return;
    leverTime = now;
    leverFrame += leverFrame < target ? 1 : -1;
    if (place.lever && place.leverFrames) {
        place.lever->frame = &place.leverFrames[leverFrame];
        place.lever->SetPosition(place.lever->x, place.lever->y);
    }
}

void MainSubRoom::PlayReward() {
    world::GameServices* game = land->game;
    display::Display* display = land->display;
    if (display) display->GPClear();
    RewardShow reward(display, game->Effects(), game->CurrentLand());
    reward.Run([] { return platform::timeGetTime(); },
               waitForTime ? waitForTime : std::function<void()>([] {}));
    rewardShown = 1;
    if (display) display->GPClear();
}

void MainSubRoom::Tick() {
    if (!lock || destroyed_) return;
    world::GameServices* game = land->game;
    world::LandRecord* record = land->record;
    uint32_t now = platform::timeGetTime();
    world::PlayerDog* dog = land->player;

    // A lock button or the lever the dog pushed.
    if (dog->lockRequest >= 1 && dog->lockRequest <= 3) TurnKey(dog->lockRequest);
    if (dog->lockRequest == 4) PullLever();
    dog->lockRequest = 0;

    if (!record->freed) lock->Hint(now, member.get());
    lock->SelfRun(now, land->keysNeeded, &land->lockDemonstrated);
    StepFish(place.stripA, now);
    StepFish(place.stripB, now);
    NearestIcon();
    StepLever(now);
    if (game->Music()) game->Music()->SQ_LimitAudibleTracks(8);
    record->lockRoomVisited = 1;
    if (lock->checkStep) lock->AdvanceCheck(now, &land->lockDemonstrated);
    if (lock->OpenIfDue(now)) member->Free();
    if (record->freed && member->TakeFinished()) {
        PlayReward();
        game->RequestState(world::kStateDen, -1);
        return;
    }
    frameTime = now = platform::timeGetTime();
    for (int i = 0; i < game->LandSprites().count; ++i) {
        LandSprite* s = game->LandSprites()[i];
        if (s->location == world::kMainSubRoom && s->sparkle && s != dog->carried && !s->placed) s->sparkle->Animate(now);
    }
    lock->HidePointerIfDue(now);
    world_->AnimateAll(now);
    world_->DrawAll();
    game->CountRedrawFrame();
    if (land->display) land->display->GPPageFlip();
}

}  // namespace land
