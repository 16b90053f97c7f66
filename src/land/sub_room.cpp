#include <algorithm>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "land/frame_draw.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "platform/clock.h"
#include "sprites/background.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/game_services.h"
#include "world/input_state.h"
#include "world/pedestal_strip.h"
#include "world/player_dog.h"

namespace land {

namespace {

int32_t Height(const LandSprite* s) {
    return s->frame ? s->frame->rect.bottom - s->frame->rect.top : 0;
}
int32_t Width(const LandSprite* s) {
    return s->frame ? s->frame->rect.right - s->frame->rect.left : 0;
}
// A placed sprite only touches the ground along its bottom line (it is
// centred on its position).
void BottomLineHitBox(LandSprite* s) {
    const int32_t w = Width(s), h = Height(s);
    s->hitBox = platform::RECT{-w / 2, h / 2 - 1, w / 2, h / 2};
}
void SetDepth(sprites::Sprite* s) {
    s->depth = sprites::DepthKey(s->x, s->y, s->hitBox.left, s->hitBox.top);
}

}  // namespace

const char* SubRoom::LevelFile(int roomIndex, int landIndex, int difficulty) {
    static const char* const kFiles[3] = {".\\Subroom1\\subroom1.lnd", ".\\Subroom2\\subroom2.lnd",
                                          ".\\Subroom3\\subroom3.lnd"};
    if (roomIndex == 0 && landIndex == world::kAussie && difficulty <= 1) return kFiles[2];
    return kFiles[std::clamp(roomIndex, 0, 2)];
}

SubRoom::~SubRoom() {
    if (land && land->game && land->game->Music()) land->game->Music()->SQ_Stop();
    if (floating) ReturnHome(floating);
    floating = nullptr;
    // Whatever still lies in this room's group belongs to the land.
    if (land) {
        for (int i = 0; i < land->game->LandSprites().count; ++i) {
            LandSprite* s = land->game->LandSprites()[i];
            if (s->world == world_.get()) {
                if (place.group) place.group->Unlink(s);
                LandScreen::MoveToWorld(s, land->LandWorld());
            }
        }
    }
}

int SubRoom::Enter(LandScreen* owner, int roomIndex) {
    land = owner;
    index = roomIndex;
    world::GameServices* game = land->game;
    world_ = std::make_unique<sprites::SpriteWorld>(land->display);
    game->Input().Clear();
    solved = land->record->room[index].solved;
    world::LoadSubRoom(LevelFile(index, game->CurrentLand(), game->Difficulty()),
                       world::RoomContext{world_.get(), game->Difficulty(), solved}, &place);
    if (!place.group) place.group = world_->GetGroup(world_->AddGroup());

    world::PlayerDog* dog = land->player;
    LandScreen::MoveToWorld(dog, world_.get());
    dog->SetPosition(place.exitArea.left + 20, place.exitArea.bottom + 20);
    SetDepth(dog);
    place.group->Insert(dog);
    world::DogSurroundings around;
    around.kind = world::DogPlace::Room;
    around.room = &place;
    around.spriteGroup = place.group;
    around.offerToRoom = [this](LandSprite* s) { return Drop(s) != 0; };
    dog->place = around;
    if (dog->carried) LandScreen::MoveToWorld(dog->carried, world_.get());
    if (world_->background) {
        world_->background->scrollX = world::kSubRoomScrollX;
        world_->background->scrollY = world::kSubRoomScrollY;
    }

    const Spot keySpot = place.pedestal ? KeySpot(place.pedestal->x, place.pedestal->y) : Spot{0, 0};
    for (int i = 0; i < game->LandSprites().count; ++i) {
        LandSprite* s = game->LandSprites()[i];
        if (s->location != index || s == dog->carried) continue;
        LandScreen::MoveToWorld(s, world_.get());
        if (s->placed) BottomLineHitBox(s);
        if (place.pedestal && s->x == keySpot.x && s->y == keySpot.y) s->depth = place.pedestal->depth + 1;
        else SetDepth(s);
        place.group->Insert(s);
    }
    floating = nullptr;
    // A finished room shows its pedestal's last frame for good; a full room
    // whose key never appeared finishes at once.
    if (solved) ShowPedestalFrame(world::pedestal::kLastFrame);
    if (PlacedCount() == 6 && !solved) {
        ShowPedestalFrame(world::pedestal::kLastFrame);
        RevealKey();
    }
    NearestIcon();
    if (game->Music()) {
        game->Music()->SQ_LimitAudibleTracks(8);
        game->Music()->SQ_Play();
    }
    game->AddRedrawFrames(2);
    return 1;
}

int SubRoom::PlacedCount() {
    int placed[world::kMaxIcons] = {};
    const int count = std::min(land->iconCount, world::kMaxIcons);
    for (int i = 0; i < count && i < land->game->LandSprites().count; ++i) placed[i] = land->game->LandSprites()[i]->placed;
    return land::PlacedCount(*land->record, index, placed, count);
}

int SubRoom::Drop(LandSprite* sprite) {
    bool bound = false;
    const DropOutcome outcome =
        DecideDrop(land->record, land->game->Difficulty(), index, sprite->iconIndex, &bound);
    if (outcome == DropOutcome::Refused) return 0;
    world::PlayerDog* dog = land->player;
    if (outcome == DropOutcome::Placed && place.pedestal) {
        const Spot spot = PedestalSpot(place.pedestal->x, place.pedestal->y, sprite->iconIndex, Height(sprite));
        sprite->placed = 1;
        sprite->SetPosition(spot.x, spot.y);
        BottomLineHitBox(sprite);
    } else {
        sprite->SetPosition(dog->dropX, dog->dropY);
        floating = sprite;
        floatHomeX = dog->carriedHomeX;
        floatHomeY = dog->carriedHomeY;
        floatHomeLocation = dog->carriedHomeLocation < 0 ? world::kInLand : dog->carriedHomeLocation;
        rise = Float{1, 0, 1};
    }
    SetDepth(sprite);
    // Never linked twice: a sprite still in a list would join the two lists.
    place.group->Unlink(sprite);
    LandScreen::MoveToWorld(sprite, world_.get());
    place.group->Insert(sprite);
    sprite->location = index;
    if (bound) StartPedestal(PedestalRun::Binding);
    if (sprite->placed && outcome == DropOutcome::Placed && PlacedCount() == 6 && !solved &&
        pedestalRun != PedestalRun::Finishing) {
        ++land->record->progress;
        StartPedestal(PedestalRun::Finishing);
    }
    return 1;
}

void SubRoom::ShowPedestalFrame(int frame) {
    pedestalFrame = frame;
    if (place.pedestal && place.pedestalFrames) place.pedestal->ShowFrame(&place.pedestalFrames[frame]);
}

void SubRoom::StartPedestal(PedestalRun run) {
    pedestalRun = run;
    pedestalStart = platform::timeGetTime();
    ShowPedestalFrame(world::pedestal::kFirstFinishingFrame);
}

int SubRoom::RoomState() {
    const int placed = PlacedCount();
    return placed >= 6 ? 2 : placed > 0 ? 1 : 0;
}

void SubRoom::RevealKey() {
    solved = 1;
    land->record->room[index].solved = 1;
    LandSprite* key = land->keys[KeyOfRoom(index)];
    // A key shown once (or put in the lock before the game began) is never
    // taken back to the pedestal.
    if (!key || key->revealed) return;
    key->revealed = 1;
    const Spot spot = place.pedestal ? KeySpot(place.pedestal->x, place.pedestal->y) : Spot{0, 0};
    key->location = index;
    LandScreen::MoveToWorld(key, world_.get());
    key->SetPosition(spot.x, spot.y);
    key->depth = place.pedestal ? place.pedestal->depth + 1 : key->depth;
    if (place.group) {
        place.group->Unlink(key);
        place.group->Insert(key);
    }
    key->MarkDirty();
}

void SubRoom::RoomLogic(uint32_t now) {
    if (pedestalRun != PedestalRun::None) {
        using namespace world::pedestal;
        const int step = kFirstFinishingFrame + static_cast<int>((now - pedestalStart) / kFrameMs);
        if (pedestalRun == PedestalRun::Binding) {
            if (step > kLastFrame) pedestalRun = PedestalRun::None;
            ShowPedestalFrame(step > kLastFrame ? kRestFrame : step);
        } else {
            ShowPedestalFrame(std::min(step, kLastFrame));
            if (step >= kLastFrame) {
                pedestalRun = PedestalRun::None;
                if (!solved) RevealKey();
            }
        }
    }
    if (floating) {
        int32_t x = floating->x, y = floating->y;
        const int32_t top = world_->background ? world_->background->scrollY : 0;
        const bool gone = rise.Step(&x, &y, top);
        floating->SetPosition(x, y);
        if (gone) {
            ReturnHome(floating);
            floating = nullptr;
        }
    }
}

void SubRoom::ReturnHome(LandSprite* sprite) {
    if (place.group) place.group->Unlink(sprite);
    sprite->SetPosition(floatHomeX, floatHomeY);
    sprite->location = floatHomeLocation;
    SetDepth(sprite);
    if (sprite->location == world::kInLand) {
        LandScreen::MoveToWorld(sprite, land->LandWorld());
        land->place.group->Insert(sprite);
    } else if (sprite->location == index) {
        place.group->Insert(sprite);
    }
}

void SubRoom::NearestIcon() {
    UpdateIconSounds(land, index);
}

void SubRoom::Tick() {
    const uint32_t now = platform::timeGetTime();
    NearestIcon();
    if (land->game->Music()) land->game->Music()->SQ_LimitAudibleTracks(8);
    RoomLogic(now);
    for (int i = 0; i < land->game->LandSprites().count; ++i) {
        LandSprite* s = land->game->LandSprites()[i];
        if (s->location == index && s->sparkle && s != land->player->carried && !s->placed) s->sparkle->Animate(now);
    }
    // The dog dances to a complete set's music.
    land->player->place.roomState = RoomState();
    world_->AnimateAll(now);
    DrawPlaceFrame(world_.get(), land->game, 0, 0);
    land->display->GPPageFlip();
}

}  // namespace land
