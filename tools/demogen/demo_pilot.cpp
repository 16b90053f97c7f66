#include "demogen/demo_pilot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "audio/land_sprite.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "land/room_rules.h"
#include "platform/headless.h"
#include "sprites/background.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/game_services.h"
#include "world/input_state.h"
#include "world/player_dog.h"

namespace demogen {
namespace {

using platform::RECT;
using world::PlayerDog;

constexpr int kUp = 1, kDown = 2, kRight = 4, kLeft = 8;
constexpr int kArrive = 12;         // the end of a path counts as reached this close
constexpr size_t kLookAhead = 5;    // the dog heads for the point this many cells on
constexpr size_t kSearchAhead = 12; // how far along the path the dog may have got
constexpr int kDeadBand = 4;        // no key for a smaller offset
constexpr int kIconNear = 34;       // how close to an icon the walk ends
constexpr int kStuckFrames = 60;    // no headway for this long: plan again
// A press as long as a child's: the key's flag goes with its release, and the
// dog looks at the keys only every 95 ms.
constexpr int kFireFrames = 3;

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The dog's door test rectangle at a position.
RECT DoorTest(int x, int y) { return RECT{x - 21, y - 16, x + 21, y + 8}; }

// Positions from which the dog would take the door, with `spare` pixels more
// below it.
RECT AroundDoor(const RECT& area, int spare) {
    return RECT{area.left - 29, area.top - 16, area.right + 29, area.bottom + 16 + spare};
}

// A step from the door: one more cell towards it and the dog takes it.
bool BesideDoor(const RECT& area, int x, int y) {
    if (Overlap(DoorTest(x, y), area) || x <= area.left || x >= area.right) return false;
    return Overlap(DoorTest(x, y - 2 * WalkGrid::kCell), area) || Overlap(DoorTest(x, y + 2 * WalkGrid::kCell), area);
}

// Positions from which the dog would fall into the hole (it looks 60 pixels up).
RECT AroundHole(const RECT& area) {
    return RECT{area.left - 12, area.top + 48, area.right + 12, area.bottom + 72};
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

void DemoPilot::Hold(int keys) {
    static const int kKeys[4][2] = {{kUp, platform::VK_UP}, {kDown, platform::VK_DOWN},
                                    {kRight, platform::VK_RIGHT}, {kLeft, platform::VK_LEFT}};
    for (const auto& k : kKeys) {
        if ((held_ & k[0]) && !(keys & k[0])) platform::headless::KeyUp(k[1]);
    }
    // A key the game forgot (a mouse poll clears the direction flags) is
    // pressed again, as a child would.
    const int flags = input_ ? (input_->up ? kUp : 0) | (input_->down ? kDown : 0) |
                                   (input_->right ? kRight : 0) | (input_->left ? kLeft : 0)
                             : held_;
    for (const auto& k : kKeys) {
        if ((held_ & k[0]) && (keys & k[0]) && !(flags & k[0])) platform::headless::KeyUp(k[1]);
        if (!((held_ & flags) & k[0]) && (keys & k[0])) platform::headless::KeyDown(k[1]);
    }
    held_ = keys;
}

void DemoPilot::PressFire() {
    platform::headless::KeyDown(platform::VK_SPACE);
    fireDown_ = kFireFrames;
}

void DemoPilot::Trace(const land::LandScreen& screen) {
    if (!std::getenv("DEMOGEN_TRACE") || (goal_ == tracedGoal_ && ++tracedFrames_ % 50 != 0)) return;
    const PlayerDog* dog = screen.player;
    const Point aim = path_.empty() ? Point{} : path_[std::min(path_.size() - 1, along_ + kLookAhead)];
    std::fprintf(stderr, "goal %d room %d dog (%d, %d) mode %d input %d carry %d keys %d aim (%d, %d) path %zu/%zu\n",
                 static_cast<int>(goal_), screen.currentRoom, dog->x, dog->y, dog->mode, dog->input, dog->carryState,
                 held_, aim.x, aim.y, along_, path_.size());
    tracedGoal_ = goal_;
}

WalkGrid DemoPilot::GridOf(land::LandScreen& screen, int openDoor) const {
    const bool inRoom = screen.activeRoom != nullptr;
    sprites::SpriteWorld* world = inRoom ? screen.activeRoom->World() : screen.LandWorld();
    sprites::SpriteGroup* group = inRoom ? screen.activeRoom->place.group : screen.place.group;
    const PlayerDog* dog = screen.player;
    std::vector<RECT> blocks, forbidden;
    if (group) {
        for (sprites::Sprite* s = group->First(); s; s = s->next) {
            if (s == dog || (dog && s == dog->carried) || !s->frame || !s->frame->surface) continue;
            RECT box;
            s->GetHitBox(&box);
            if (!Empty(box)) blocks.push_back(box);
        }
    }
    if (inRoom) {
        const world::RoomPlace& room = screen.activeRoom->place;
        forbidden.push_back(AroundHole(room.hotSpot));
        if (openDoor != kExitDoor) forbidden.push_back(AroundDoor(room.exitArea, 0));
        if (!Empty(room.denExitArea)) forbidden.push_back(AroundDoor(room.denExitArea, 0));
    } else {
        const world::LandPlace& land = screen.place;
        for (int k = 0; k < land.doorCount; ++k) {
            if (k != openDoor) forbidden.push_back(AroundDoor(land.doors[k].area, 20));
        }
        forbidden.push_back(AroundDoor(land.mainDoor.area, 20));
        forbidden.push_back(AroundDoor(land.startArea, 20));
        for (int k = 0; k < land.hotSpotCount; ++k) forbidden.push_back(AroundHole(land.hotSpots[k].area));
    }
    const sprites::Background* map = world ? world->background.get() : nullptr;
    return WalkGrid(map ? map->MapWidth() : 0, map ? map->MapHeight() : 0, blocks, forbidden);
}

DemoPilot::Walk DemoPilot::Follow(land::LandScreen& screen) {
    const PlayerDog* dog = screen.player;
    if (path_.empty()) return Walk::Stuck;
    // The dog overshoots by up to a stride between two looks at the keys:
    // it follows the path from the point of it nearest to where it is.
    auto far = [&](size_t i) { return std::abs(path_[i].x - dog->x) + std::abs(path_[i].y - dog->y); };
    size_t nearest = along_;
    for (size_t i = along_; i < std::min(path_.size(), along_ + kSearchAhead); ++i) {
        if (far(i) <= far(nearest)) nearest = i;
    }
    along_ = nearest;
    if (along_ + 1 >= path_.size() && far(along_) <= kArrive) {
        Hold(0);
        return Walk::Arrived;
    }
    const Point& aim = path_[std::min(path_.size() - 1, along_ + kLookAhead)];
    const int dx = aim.x - dog->x, dy = aim.y - dog->y;
    int keys = 0;
    // A diagonal only when the way really runs slantwise.
    const bool across = std::abs(dx) > kDeadBand && std::abs(dx) * 3 > std::abs(dy);
    const bool along = std::abs(dy) > kDeadBand && std::abs(dy) * 3 > std::abs(dx);
    if (across) keys |= dx > 0 ? kRight : kLeft;
    if (along) keys |= dy > 0 ? kDown : kUp;
    Hold(keys);
    if (std::abs(dog->x - lastX_) + std::abs(dog->y - lastY_) > 24) {
        lastX_ = dog->x;
        lastY_ = dog->y;
        stuckFrames_ = 0;
    } else if (++stuckFrames_ > kStuckFrames) {
        stuckFrames_ = 0;
        return Walk::Stuck;
    }
    return Walk::Walking;
}

void DemoPilot::SetPath(std::vector<Point> path) {
    path_ = std::move(path);
    along_ = 0;
    stuckFrames_ = 0;
}

bool DemoPilot::ChooseIcon(land::LandScreen& screen, int difficulty) {
    const PlayerDog* dog = screen.player;
    const world::LandSpriteTable& table = screen.game->LandSprites();
    // Icons that lie in the land and that a sub-room of this land takes.
    std::vector<std::pair<LandSprite*, int>> wanted;
    for (int i = 0; i < table.count; ++i) {
        LandSprite* icon = table[i];
        if (!icon || icon->location != world::kInLand || icon->placed || tried_.count(icon)) continue;
        for (int k = 0; k < screen.place.doorCount; ++k) {
            world::LandRecord copy = *screen.record;
            bool bound = false;
            if (land::DecideDrop(&copy, difficulty, k, icon->iconIndex, &bound) == land::DropOutcome::Placed) {
                wanted.push_back({icon, k});
                break;
            }
        }
    }
    if (wanted.empty()) return false;
    const WalkGrid grid = GridOf(screen, -1);
    // The nearest of them by the walk: one search towards all of them.
    std::vector<Point> path = grid.Path({dog->x, dog->y}, [&](int x, int y) {
        for (const auto& [icon, door] : wanted) {
            const int dx = x - icon->x, dy = y - (icon->y + icon->hitBox.top);
            if (dx * dx + dy * dy < kIconNear * kIconNear) return true;
        }
        return false;
    });
    if (path.empty()) {
        for (const auto& w : wanted) tried_.insert(w.first);
        return false;
    }
    const Point end = path.back();
    int best = 1 << 30;
    for (const auto& [icon, door] : wanted) {
        const int dx = end.x - icon->x, dy = end.y - (icon->y + icon->hitBox.top);
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            target_ = icon;
            door_ = door;
        }
    }
    SetPath(std::move(path));
    return true;
}

bool DemoPilot::PlanToDoor(land::LandScreen& screen) {
    const RECT area = screen.place.doors[door_].area;
    const WalkGrid grid = GridOf(screen, door_);
    // Up to the door, not into it: the last steps are the push below.
    SetPath(grid.Path({screen.player->x, screen.player->y}, [&](int x, int y) { return BesideDoor(area, x, y); }));
    return !path_.empty();
}

bool DemoPilot::PlanInRoom(land::LandScreen& screen, bool toExit) {
    const world::RoomPlace& room = screen.activeRoom->place;
    const WalkGrid grid = GridOf(screen, toExit ? kExitDoor : -1);
    const Point from{screen.player->x, screen.player->y};
    if (toExit) {
        const RECT area = room.exitArea;
        SetPath(grid.Path(from, [&](int x, int y) { return BesideDoor(area, x, y); }));
        return !path_.empty();
    }
    RECT pedestal{from.x - 1, from.y - 120, from.x + 1, from.y - 100};  // no pedestal: a little way in
    if (room.pedestal) room.pedestal->GetRect(&pedestal);
    // A strip's rectangle can span its whole sheet: the pedestal stands at its left.
    const int cx = std::min((pedestal.left + pedestal.right) / 2, pedestal.left + 60);
    SetPath(grid.Path(from, [&](int x, int y) {
        return std::abs(x - cx) < 40 && y > pedestal.bottom && y < pedestal.bottom + 48;
    }));
    if (path_.empty()) {
        SetPath(grid.Path(from, [&](int x, int y) {
            return std::abs(x - cx) < 120 && std::abs(y - pedestal.bottom) < 120;
        }));
    }
    return !path_.empty();
}

void DemoPilot::Steer(land::LandScreen& screen, int difficulty) {
    PlayerDog* dog = screen.player;
    if (fireDown_ > 0 && --fireDown_ == 0) platform::headless::KeyUp(platform::VK_SPACE);
    if (!dog) return;
    input_ = &screen.game->Input();
    if (waitFrames_ > 0) {
        --waitFrames_;
        return;
    }
    Trace(screen);
    const bool passing = dog->mode == PlayerDog::kArriving || dog->mode == PlayerDog::kDoor ||
                         dog->mode == PlayerDog::kHoleDown || dog->mode == PlayerDog::kHoleOut;
    switch (goal_) {
        case Goal::ChooseIcon:
            Hold(0);
            if (passing || screen.activeRoom) return;
            if (ChooseIcon(screen, difficulty)) goal_ = Goal::ToIcon;
            else Wait(25);
            return;
        case Goal::ToIcon:
            if (dog->nearest == target_ && dog->nearestDistance < dog->reach - 6) {
                Hold(0);
                goal_ = Goal::PickUp;
                patience_ = 0;
                Wait(3);
                return;
            }
            if (Follow(screen) != Walk::Walking) {
                tried_.insert(target_);  // out of reach from here: another one
                goal_ = Goal::ChooseIcon;
            }
            return;
        case Goal::PickUp:
            if (dog->carried == target_ && dog->carryState == PlayerDog::kCarrying) {
                ++pickedUp_;
                tried_.insert(target_);
                goal_ = PlanToDoor(screen) ? Goal::ToDoor : Goal::ChooseIcon;
                return;
            }
            if (patience_ % 30 == 0 && dog->carryState == PlayerDog::kEmpty) PressFire();
            if (++patience_ > 90) {
                tried_.insert(target_);
                goal_ = Goal::ChooseIcon;
            }
            return;
        case Goal::ToDoor: {
            if (screen.activeRoom || passing) {
                Hold(0);
                goal_ = Goal::IntoRoom;
                return;
            }
            const Walk walk = Follow(screen);
            if (walk == Walk::Arrived || walk == Walk::Stuck) {
                // Straight up into the door.
                const RECT& area = screen.place.doors[door_].area;
                Hold((area.top + area.bottom) / 2 < dog->y ? kUp : kDown);
                if (walk == Walk::Stuck && !PlanToDoor(screen)) goal_ = Goal::ChooseIcon;
            }
            return;
        }
        case Goal::IntoRoom:
            Hold(0);
            if (passing || !screen.activeRoom) return;
            goal_ = PlanInRoom(screen, false) ? Goal::ToPedestal : Goal::PutDown;
            patience_ = 0;
            return;
        case Goal::ToPedestal:
            if (Follow(screen) != Walk::Walking) {
                Hold(0);
                goal_ = Goal::PutDown;
                patience_ = 0;
                Wait(3);
            }
            return;
        case Goal::PutDown:
            if (!dog->carried && dog->carryState == PlayerDog::kEmpty) {
                if (target_ && target_->placed) ++delivered_;
                goal_ = Goal::ToExit;
                path_.clear();
                Wait(30);  // the icon settles on the pedestal
                return;
            }
            if (patience_++ % 30 == 0 && dog->carryState == PlayerDog::kCarrying) PressFire();
            return;
        case Goal::ToExit: {
            if (!screen.activeRoom) {
                Hold(0);
                goal_ = Goal::OutOfRoom;
                return;
            }
            if (path_.empty() && !PlanInRoom(screen, true)) {
                Hold(kDown);
                return;
            }
            const Walk walk = Follow(screen);
            if (walk == Walk::Arrived || walk == Walk::Stuck) {
                const RECT& area = screen.activeRoom->place.exitArea;
                Hold((area.top + area.bottom) / 2 < dog->y ? kUp : kDown);
            }
            return;
        }
        case Goal::OutOfRoom:
            Hold(0);
            if (passing || screen.activeRoom) return;
            // A few steps away from the door first.
            Hold(kDown);
            goal_ = Goal::ChooseIcon;
            Wait(8);
            return;
    }
}

}  // namespace demogen
