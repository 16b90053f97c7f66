#include "bot/place_grid.h"

#include <algorithm>

#include "audio/land_sprite.h"
#include "bot/sprite_blocks.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "sprites/background.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/player_dog.h"

namespace bot {
namespace {

using platform::RECT;

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

void AddGroup(sprites::SpriteGroup* group, const land::LandScreen& screen, const GridPlan& plan,
              std::vector<RECT>* blocks) {
    if (!group) return;
    const world::PlayerDog* dog = screen.player;
    for (sprites::Sprite* s = group->First(); s; s = s->next) {
        if (s == dog || (dog && s == dog->carried) || s == plan.ignored) continue;
        AddBlocks(*s, blocks);
    }
}

// The dog's own collision box: the jet dog's is taller than the ordinary one's.
Footprint DogFootprint(const land::LandScreen& screen) {
    const world::PlayerDog* dog = screen.player;
    if (!dog) return kDogFootprint;
    const RECT& box = dog->hitBox;
    return Footprint{std::max(-box.left, box.right), std::max(-box.top, box.bottom)};
}

WalkGrid Grid(const land::LandScreen& screen, const sprites::SpriteWorld* world, const GridPlan& plan,
              const std::vector<RECT>& blocks, const std::vector<RECT>& forbidden) {
    const sprites::Background* map = world ? world->background.get() : nullptr;
    WalkGrid grid(map ? map->MapWidth() : 0, map ? map->MapHeight() : 0, blocks, forbidden, DogFootprint(screen));
    for (const auto& [from, to] : plan.blockedSteps) grid.BlockStep(from, to);
    return grid;
}

}  // namespace

bool BelowHole(const RECT& area, int x, int y) {
    return x > area.left + 4 && x < area.right - 4 && y >= area.bottom + 72 && y < area.bottom + 100;
}

Point HoleExit(const land::LandScreen& screen, int k) {
    const int count = screen.place.hotSpotCount;
    const RECT& out = screen.place.hotSpots[world::PlayerDog::HolePartner(k, count) % count].area;
    return {out.left + 20, out.bottom + 60};
}

Point IconPoint(const LandSprite& icon) { return {icon.x, icon.y + icon.hitBox.top}; }

WalkGrid LandGrid(land::LandScreen& screen, const GridPlan& plan) {
    std::vector<RECT> blocks = plan.extra, forbidden;
    AddGroup(screen.place.group, screen, plan, &blocks);
    const int margin = plan.tight ? 0 : kDoorMargin, homeMargin = plan.tight ? 0 : kHomeMargin;
    const world::LandPlace& land = screen.place;
    for (int k = 0; k < land.doorCount; ++k) {
        if (k != plan.openDoor) forbidden.push_back(AroundDoor(land.doors[k].area, 20, margin));
    }
    if (plan.openDoor != kMainDoor) forbidden.push_back(AroundDoor(land.mainDoor.area, 20, margin));
    forbidden.push_back(AroundDoor(land.startArea, 20, homeMargin));
    for (int k = 0; k < land.hotSpotCount; ++k) forbidden.push_back(AroundHole(land.hotSpots[k].area));
    return Grid(screen, screen.LandWorld(), plan, blocks, forbidden);
}

WalkGrid PlaceGrid(land::LandScreen& screen, const GridPlan& plan) {
    if (!screen.activeRoom) return LandGrid(screen, plan);
    std::vector<RECT> blocks = plan.extra, forbidden;
    const world::RoomPlace& room = screen.activeRoom->place;
    AddGroup(room.group, screen, plan, &blocks);
    const int margin = plan.tight ? 0 : kDoorMargin;
    if (!Empty(room.hotSpot)) forbidden.push_back(AroundHole(room.hotSpot));
    if (plan.openDoor != kExitDoor) forbidden.push_back(AroundDoor(room.exitArea, 0, margin));
    if (!Empty(room.denExitArea)) forbidden.push_back(AroundDoor(room.denExitArea, 0, margin));
    return Grid(screen, screen.activeRoom->World(), plan, blocks, forbidden);
}

}  // namespace bot
