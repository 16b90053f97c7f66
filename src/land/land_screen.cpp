#include "land/land_screen.h"

#include <cstring>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "land/frame_draw.h"
#include "land/main_sub_room.h"
#include "land/room.h"
#include "land/room_rules.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/devices.h"
#include "platform/files.h"
#include "sprites/background.h"
#include "sprites/loading_animation.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/actor_rules.h"
#include "world/game_services.h"
#include "world/input_state.h"
#include "world/player_dog.h"
#include "world/roaming_cat.h"

namespace land {

namespace {

constexpr int kFirstWaterEntry = 114;
constexpr int kWaterEntries = 5;
constexpr int kMaxTracks = 40;

const char* const kCategoryFolders[6] = {
    ".\\graphics\\icons\\balls", ".\\graphics\\icons\\Crockery", ".\\graphics\\icons\\Footware",
    ".\\graphics\\icons\\fruit", ".\\graphics\\icons\\Hats",     ".\\graphics\\icons\\Sweets",
};

// A keyed bitmap registered with the group and cut into `count` frames of
// equal width. Null when the bitmap cannot be loaded.
sprites::FrameRecord* LoadFrames(display::Display* display, sprites::SpriteGroup* group, const char* name,
                                 int count) {
    platform::dd::Surface* surface = display->GPLoadBitmap(name, 1, 1);
    if (!surface) return nullptr;
    display->GPSetColorKey(surface, 0xFF00);
    group->AddSurface(surface, name);
    auto table = std::make_unique<sprites::FrameRecord[]>(count);
    const int32_t w = surface->Width(), h = surface->Height();
    for (int j = 0; j < count; ++j) {
        table[j] = sprites::FrameRecord{surface, platform::RECT{w * j / count, 0, w * j / count + w / count, h}};
    }
    return group->AddFrameTable(std::move(table));
}

void SetDepth(LandSprite* sprite) {
    sprite->depth = sprites::DepthKey(sprite->x, sprite->y, sprite->hitBox.left, sprite->hitBox.top);
}

}  // namespace

LandScreen::LandScreen(world::GameServices* owner, display::Display* screenDisplay)
    : game(owner), display(screenDisplay ? screenDisplay : owner ? owner->Screen() : nullptr) {}

LandScreen::~LandScreen() {
    Destroy();
}

bool LandScreen::Wetland() const {
    return game && game->RequestedLand() == world::kWetland;
}

int LandScreen::Load(const char* level, const char* song, world::LandRecord* landRecord) {
    levelPath = level;
    songFile = song;
    record = landRecord;
    if (!record || !display) return 0;
    platform::SetCursorPos(320, 300);
    world_ = std::make_unique<sprites::SpriteWorld>(display);
    lockDemonstrated = record->icon[0].location != world::kNeverPlaced ? 1 : 0;
    int wholeFile = 0;
    {
        sprites::LoadingAnimation loading;
        wholeFile = world::LoadLand(level, &loading, world::LandContext{world_.get(), game->Difficulty(), record}, &place);
    }
    if (!place.group || !world_->background) return 0;
    // A file cut short still plays with what it had; one without even a map
    // (missing or empty) would only show black.
    if (!wholeFile && world_->background->columns * int64_t(world_->background->rows) == 0) return 0;
    if (Wetland()) std::memcpy(waterColours, display->basePalette + kFirstWaterEntry, sizeof waterColours);
    sprites::Background& map = *world_->background;
    map.scrollX = map.scrollY = 0;

    const bool jet = game->CurrentState() == world::kStateLand && Wetland();
    const world::DogSurroundings around = LandSurroundings();
    player = new world::PlayerDog(world_.get(), place.group, game, place.startArea.left + 20,
                                  place.startArea.bottom + 50,
                                  jet ? ".\\Graphics\\chars\\jetdog.bmp" : ".\\Graphics\\chars\\mangopup.bmp",
                                  jet ? world::chars::DogLayout::Jet : world::chars::DogLayout::Ordinary, around);
    place.group->Insert(player);
    companion = new world::RoamingCat(world_.get(), place.group, 1325, 1550,
                                      jet ? ".\\Graphics\\chars\\blooncat.bmp" : ".\\Graphics\\chars\\sourpuss.bmp",
                                      jet ? world::chars::CatLayout::Balloon : world::chars::CatLayout::Ordinary);
    companion->dog = player;
    place.group->Insert(companion);

    if (!SetUpIcons(song)) return 0;
    NearestIcon();

    LiveKey live[world::kKeyCount];
    for (int k = 0; k < world::kKeyCount; ++k) live[k] = LiveKey{keys[k]->location, keys[k]->placed, false};
    PreInsertKeys(record, keysNeeded, live, &lockDemonstrated);
    for (int k = 0; k < world::kKeyCount; ++k) {
        keys[k]->location = live[k].location;
        keys[k]->placed = live[k].placed;
        if (live[k].location != world::kNeverPlaced) keys[k]->revealed = 1;
        if (live[k].hitBoxRemoved) keys[k]->hitBox = platform::RECT{0, 0, 0, 0};
    }
    if (Sequencer* music = game->Music()) music->SQ_Play();
    startTime = platform::timeGetTime();

    const world::RestorePosition restore = game->TakeRestorePosition();
    if (restore.y != 0) {
        currentRoom = restore.room;
        player->roomIndex = currentRoom;
        if ((currentRoom >= 0 && currentRoom <= 2) || currentRoom == world::kMainSubRoom) {
            EnterRoom();
        } else {
            currentRoom = -1;  // no such room: stand in the land
            player->roomIndex = -1;
        }
        player->SetPosition(restore.x, restore.y);
        player->depth = sprites::DepthKey(player->x, player->y, player->hitBox.left, player->hitBox.top);
        map.CentreOn(player->x, player->y);
        game->StartRequestedDemo();
        // The demo's moves were made without the cat: it sits the demo out.
        if (game->DemoRunning()) {
            place.group->Unlink(companion);
            looseCompanion_.reset(companion);
            companion->SitOutDemo();
        }
    } else {
        // A land always begins in the lock room, where the captive member is
        // first seen, unless a position is restored.
        currentRoom = world::kMainSubRoom;
        player->roomIndex = world::kMainSubRoom;
        platform::SetCursorPos(320, 300);
        firstArrival = 1;
        EnterRoom();
        player->Arrive();
    }
    player->leftByRoomHole = player->leftByMainHole = 0;
    // The mouse poll acts only on a moved cursor: left away from the centre,
    // the first key press (which centres it) would read as a mouse move back
    // into the neutral zone and lose its direction.
    world::InputState::CentreCursor();
    display->GPFadeIn();
    return 1;
}

int LandScreen::SetUpIcons(const char* song) {
    Sequencer* sequencer = game->Music();
    sprites::SpriteGroup* layer = place.group;
    world::LandSpriteTable& table = game->LandSprites();
    table.count = 0;
    if (!sequencer || !layer || !sequencer->SQ_LoadSequenceFile(song)) return 0;
    sprites::FrameRecord* sparkles =
        LoadFrames(display, layer, ".\\graphics\\icons\\sparkles.bmp", LandSprite::kSparkleFrames);
    const int landIndex = game->RequestedLand();
    const int difficulty = game->Difficulty();
    iconCount = world::IconCount(landIndex, difficulty);
    keysNeeded = world::KeysNeeded(landIndex, difficulty);
    int count = 0;
    for (int i = 0; i < iconCount; ++i) {
        const int id = sequencer->SQ_CreateTrack(static_cast<uint32_t>(i));
        sequencer->SQ_RestartTrack(id);
        sequencer->SQ_SetTrackLoops(id, 0);
        sequencer->SQ_SetTrackChannel(id, id);
        char name[] = "1a.bmp";
        if (difficulty >= 2) name[0] = static_cast<char>('1' + i % 6);
        const int32_t category = record->category[difficulty >= 3 ? 0 : i / 6];
        sprites::FrameRecord* frame = nullptr;
        if (category >= 0 && category < 6) {
            platform::ScopedCurrentDirectory iconFolder;
            if (iconFolder.Enter(kCategoryFolders[category])) frame = LoadFrames(display, layer, name, 1);
        }
        const world::LandEntry& entry = record->icon[i];
        auto* icon = new LandSprite(world_.get(), entry.x, entry.y, frame, sequencer, i, 0, sparkles);
        const int32_t w = frame ? frame->rect.right - frame->rect.left : 0;
        const int32_t h = frame ? frame->rect.bottom - frame->rect.top : 0;
        icon->hitBox = platform::RECT{-w / 2, h / 2 - 20, w / 2, h / 2};
        SetDepth(icon);
        icon->SetSequence(id);
        icon->location = entry.location;
        icon->placed = entry.placed;
        landSprites_.emplace_back(icon);
        if (icon->location == world::kInLand) layer->Insert(icon);
        else icon->Silence();
        table[count++] = icon;
    }
    sprites::FrameRecord* keyFrame = LoadFrames(display, layer, ".\\graphics\\lockstuff\\keymini.bmp", 1);
    for (int k = 0; k < world::kKeyCount; ++k) {
        const world::LandEntry& entry = record->key[k];
        auto* key = new LandKey(world_.get(), entry.x, entry.y, keyFrame, sparkles);
        key->location = entry.location;
        key->placed = entry.placed;
        key->revealed = entry.location != world::kNeverPlaced ? 1 : 0;
        SetDepth(key);
        landSprites_.emplace_back(key);
        if (key->location == world::kInLand) layer->Insert(key);
        keys[k] = key;
        table[count++] = key;
    }
    table.count = count;
    sequencer->SQ_UnloadSequenceFile();
    sequencer->SQ_LoadTrackInstruments();
    return 1;
}

const char* LandScreen::PaletteFile() const {
    if (activeRoom && activeRoom->World() && activeRoom->World()->background) {
        return activeRoom->World()->background->reloadPath;
    }
    if (world_ && world_->background) return world_->background->reloadPath;
    return "";
}

void LandScreen::NearestIcon() {
    if (!player) return;
    int32_t best = 50000;
    int bestIndex = 0;
    const world::LandSpriteTable& table = game->LandSprites();
    const int count = table.count;
    if (player->carried) {
        bool found = false;
        for (int i = 0; i < count; ++i) found = found || table[i] == player->carried;
        if (!found) return;
    }
    for (int i = 0; i < count; ++i) {
        LandSprite* sprite = table[i];
        sprite->notTakeable = player->carried && sprite != player->carried ? 1 : 0;
        if (sprite->location == world::kInLand) {
            sprite->Unsilence();
            const int32_t d = sprite->UpdateSound(player->x, player->y);
            if (d < best) {
                best = d;
                bestIndex = i;
            }
        } else {
            sprite->Silence();
        }
    }
    player->nearest = count > 0 ? table[bestIndex] : nullptr;
    player->nearestDistance = best;
}

void LandScreen::CycleWater(uint32_t now) {
    if (!Wetland() || !display || display->fadeState != display::kFadeShown) return;
    if (now <= lastCycleTime + cyclePeriod) return;
    if (cycleDirection == 0) {
        cyclePeriod = cyclePeriod > cycleStep ? cyclePeriod - cycleStep : 0;
        if (cyclePeriod < 80) {
            cycleDirection = 1;
            cycleStep = static_cast<uint32_t>(platform::rand() % 10);
        }
    } else {
        cyclePeriod += cycleStep;
        if (cyclePeriod > 200) {
            cycleDirection = 0;
            cycleStep = static_cast<uint32_t>(platform::rand() % 10);
        }
    }
    rotation = (rotation + 1) % kWaterEntries;
    lastCycleTime = now;
    platform::PaletteEntry entries[kWaterEntries];
    for (int j = 0; j < kWaterEntries; ++j) entries[j] = waterColours[(rotation + j) % kWaterEntries];
    if (display->palette) display->palette->SetEntries(kFirstWaterEntry, kWaterEntries, entries);
}

world::DogSurroundings LandScreen::LandSurroundings() {
    world::DogSurroundings around;
    around.kind = world::DogPlace::Land;
    around.land = &place;
    around.spriteGroup = place.group;
    around.offerToRoom = [](LandSprite*) { return false; };
    return around;
}

void LandScreen::MoveToWorld(sprites::Sprite* sprite, sprites::SpriteWorld* target) {
    if (!sprite || !target || sprite->world == target) return;
    // A sprite that animated in its old world goes on animating in the new one.
    const bool animated = sprite->world && sprite->world->animated.Contains(sprite);
    if (sprite->world) sprite->world->Forget(sprite);
    sprite->world = target;
    if (animated) target->AddAnimated(sprite);
    if (auto* landSprite = dynamic_cast<LandSprite*>(sprite); landSprite && landSprite->sparkle) {
        landSprite->sparkle->world = target;
    }
}

void LandScreen::EnterRoom() {
    if (Sequencer* music = game->Music()) music->SQ_Stop();
    place.group->Unlink(player);
    player->roomIndex = currentRoom;
    if (player->carried) player->carried->location = currentRoom;
    if (currentRoom == world::kMainSubRoom) activeRoom = std::make_unique<MainSubRoom>();
    else activeRoom = std::make_unique<SubRoom>();
    activeRoom->Enter(this, currentRoom);
    player->enterRoomRequest = -1;
}

void LandScreen::ComeUpAtRoomHotSpot() {
    Room* room = activeRoom.get();
    if (!room) return;
    player->SetPosition(room->place.hotSpot.left + 20, room->place.hotSpot.bottom + 60);
    player->depth = sprites::DepthKey(player->x, player->y, player->hitBox.left, player->hitBox.top);
    player->Resort();
    player->Emerge();
}

void LandScreen::LeaveRoom() {
    Room* room = activeRoom.get();
    if (room) {
        // Once out in the land, the lock room is entered through its own
        // door, not beside the way to the den the first arrival came by.
        firstArrival = 0;
        room->place.group->Unlink(player);
        const world::LandSpriteTable& table = game->LandSprites();
        for (int i = 0; i < table.count; ++i) {
            LandSprite* s = table[i];
            if (s->location == currentRoom || s->world == room->World()) {
                room->place.group->Unlink(s);
                MoveToWorld(s, world_.get());
            }
        }
    }
    MoveToWorld(player, world_.get());
    if (player->carried) MoveToWorld(player->carried, world_.get());
    activeRoom.reset();
    // Only the land's opening puts the dog by the lock room's den door; from
    // now on it comes in through the door from the land (arriving by the den
    // door, its next step up would walk it into the den).
    firstArrival = 0;
    game->Input().Clear();
    if (world_->background && world_->background->reloadPath[0]) display->GPLoadPalette(world_->background->reloadPath);
    const int door = currentRoom == world::kMainSubRoom ? -1 : currentRoom;
    const platform::RECT area = door >= 0 && door < 3 ? place.doors[door].area : place.mainDoor.area;
    player->place = LandSurroundings();
    player->SetPosition(area.left + 20, area.bottom + 20);
    player->depth = sprites::DepthKey(player->x, player->y, player->hitBox.left, player->hitBox.top);
    place.group->Insert(player);
    world_->background->CentreOn(player->x, player->y);
    currentRoom = -1;
    player->roomIndex = -1;
    player->leaveRoomRequest = 0;
    NearestIcon();
    if (Sequencer* music = game->Music()) {
        music->SQ_LimitAudibleTracks(8);
        music->SQ_Play();
    }
    game->AddRedrawFrames(2);
}

void LandScreen::Tick() {
    ++frames;
    if (!world_ || !world_->background || !player) return;
    if (player->leftByRoomHole && activeRoom && currentRoom != world::kMainSubRoom) {
        // A sub-room's hole leads straight to the lock room.
        display->GPPageFlipFadeOut(1);
        previousRoom = currentRoom;
        LeaveRoom();
        currentRoom = world::kMainSubRoom;
        EnterRoom();
        ComeUpAtRoomHotSpot();
        player->leftByRoomHole = 0;
        display->GPFadeIn();
    }
    if (player->leftByMainHole && activeRoom && currentRoom == world::kMainSubRoom && previousRoom >= 0 &&
        previousRoom <= 2) {
        // The lock room's hole leads back to the sub-room the dog came from.
        display->GPPageFlipFadeOut(1);
        LeaveRoom();
        currentRoom = previousRoom;
        EnterRoom();
        ComeUpAtRoomHotSpot();
        player->leftByMainHole = 0;
        display->GPFadeIn();
    }
    if (player->leaveRoomRequest && activeRoom) {
        display->GPPageFlipFadeOut(1);
        LeaveRoom();
        fadeInPending = 1;
    }
    player->leaveRoomRequest = 0;
    const int request = player->enterRoomRequest;
    if (((request >= 0 && request <= 2) || request == world::kMainSubRoom) && !activeRoom) {
        display->GPPageFlipFadeOut(1);
        currentRoom = player->enterRoomRequest;
        EnterRoom();
        display->GPFadeIn();
        return;
    }
    if (player->enterRoomRequest >= 0) {
        // No such room, or one is open already: the dog stays where it is
        // with what it carries.
        player->enterRoomRequest = -1;
        player->roomIndex = currentRoom;
        if (player->carried) player->carried->location = world::kInLand;
    }
    player->leftByRoomHole = player->leftByMainHole = 0;
    if (activeRoom) {
        activeRoom->Tick();
        return;
    }

    frameTime = platform::timeGetTime();
    CycleWater(frameTime);
    platform::RECT foot;
    player->GetHitBox(&foot);
    world::UpdateProximity(place.proximity, foot);
    for (int k = 0; k < place.watcherCount; ++k) world::UpdateWatcher(place.watchers[k], player->x, player->y);
    const world::LandSpriteTable& table = game->LandSprites();
    for (int i = 0; i < table.count; ++i) {
        LandSprite* sprite = table[i];
        if (sprite->location == world::kInLand && sprite->sparkle && sprite != player->carried) {
            sprite->sparkle->Animate(frameTime);
        }
    }
    NearestIcon();
    if (fadeInPending) {
        display->GPFadeIn();
        fadeInPending = 0;
    }
    world_->AnimateAll(frameTime);
    world_->background->Follow(player->x, player->y, &scrollStepX, &scrollStepY);
    DrawPlaceFrame(world_.get(), game, -scrollStepX, -scrollStepY);
    if (Sequencer* music = game->Music()) music->SQ_LimitAudibleTracks(8);
    display->GPPageFlip();
}

void LandScreen::WriteBack() {
    if (!record) return;
    const world::LandSpriteTable& table = game->LandSprites();
    for (int i = 0; i < table.count && i < iconCount && i < world::kMaxIcons; ++i) {
        const LandSprite* s = table[i];
        record->icon[i] = world::LandEntry{s->location, s->x, s->y, s->placed};
    }
    for (int k = 0; k < world::kKeyCount; ++k) {
        if (keys[k]) record->key[k] = world::LandEntry{keys[k]->location, keys[k]->x, keys[k]->y, keys[k]->placed};
    }
}

void LandScreen::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (activeRoom && player && world_) LeaveRoom();
    if (game && game->TakeKeepRecords()) {
        // Loading or a new game wrote the record; the live land is dropped.
    } else if (world_) {
        WriteBack();
    }
    if (record && record->progress == 0) record->progress = 1;
    if (Sequencer* music = game ? game->Music() : nullptr) {
        music->SQ_Stop();
        for (int id = 0; id < kMaxTracks; ++id) music->SQ_DeleteTrack(id);
    }
    for (auto& sprite : landSprites_) {
        if (place.group) place.group->Unlink(sprite.get());
    }
    landSprites_.clear();
    if (looseCompanion_) {
        world_->RemoveAnimated(looseCompanion_.get());
        looseCompanion_.reset();
    }
    if (game) game->LandSprites().Clear();
    player = nullptr;
    companion = nullptr;
    for (LandSprite*& key : keys) key = nullptr;
    world_.reset();
    if (display) display->GPPageFlipFadeOut(1);
}

}  // namespace land
