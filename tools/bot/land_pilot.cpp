#include "bot/land_pilot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>

#include "audio/land_sprite.h"
#include "bot/place_grid.h"
#include "land/land_screen.h"
#include "land/main_sub_room.h"
#include "land/room.h"
#include "sprites/background.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/game_services.h"
#include "world/input_state.h"
#include "world/player_dog.h"

namespace bot {
namespace {

using platform::RECT;
using world::PlayerDog;

constexpr int kArrive = 12;          // the end of a path counts as reached this close
constexpr size_t kLookAhead = 5;     // the dog heads for the point this many cells on
constexpr size_t kSearchAhead = 12;  // how far along the path the dog may have got
constexpr int kDeadBand = 4;         // no key for a smaller offset
constexpr int kDrift = 8;            // further than this from the path: back to it
constexpr int kStuckFrames = 60;     // no headway along the path for this long: plan again
constexpr int kBlockedFrames = 2;    // held in place this long: slide
constexpr int kSlideFrames = 6;      // a slide lasts this long
constexpr int kSlideProbe = 8;       // a slide goes only where the grid is free this far off
constexpr int kTriesPerIcon = 3;     // walks that may fail before an icon counts as out of reach
constexpr int kLockPulls = 6;
constexpr uint32_t kPressGapMs = 700;  // a key turns at most every 500 ms
constexpr uint32_t kHumGapMs = 2500;   // a longer silence ends a hummed run
constexpr int kSets = 8;
// Going down a hole and up out of its partner takes about as long as
// walking this many cells; a way shorter than the other bound is walked.
constexpr size_t kHoleCells = 60, kHoleWorthCells = 120;
constexpr int kTripStart = 48;       // a trip's length is counted from the free cells this near the dog

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The dog's door test rectangle at a position.
RECT DoorTest(int x, int y) { return RECT{x - 21, y - 16, x + 21, y + 8}; }

// A step from the door: two more cells towards it and the dog takes it.
bool BesideDoor(const RECT& area, int x, int y) {
    if (Overlap(DoorTest(x, y), area) || x <= area.left || x >= area.right) return false;
    return Overlap(DoorTest(x, y - 2 * WalkGrid::kCell), area) || Overlap(DoorTest(x, y + 2 * WalkGrid::kCell), area);
}

bool IsKey(const LandSprite* s) { return s && s->iconIndex < 0; }
int SetOf(const LandSprite* s) { return s->iconIndex / 6; }

}  // namespace

void LandPilot::Trace(const land::LandScreen& screen) {
    static const bool on = std::getenv("BOT_TRACE") != nullptr;
    if (!on || (act_ == tracedAct_ && ++tracedFrames_ % 50 != 0)) return;
    tracedAct_ = act_;
    const PlayerDog* dog = screen.player;
    std::fprintf(stderr, "%u act %d then %d room %d dog (%d, %d) mode %d carry %d%s path %zu/%zu tally %d/%d/%d\n",
                 frames_, static_cast<int>(act_), static_cast<int>(then_), screen.currentRoom, dog->x, dog->y, dog->mode,
                 dog->carryState, dog->carried ? (IsKey(dog->carried) ? " key" : " icon") : "", along_, path_.size(),
                 tally_.iconsCarried, tally_.iconsPlaced, tally_.keysInserted);
}

void LandPilot::Start(Act act, int patience) {
    act_ = act;
    patience_ = patience;
}

WalkGrid LandPilot::GridOf(land::LandScreen& screen, int openDoor) const {
    GridPlan plan;
    plan.openDoor = openDoor;
    plan.tight = tight_;
    const int placeId = screen.activeRoom ? screen.currentRoom : -1;
    for (const auto& [id, step] : learnedSteps_) {
        if (id == placeId) plan.blockedSteps.push_back(step);
    }
    return PlaceGrid(screen, plan);
}

LandPilot::Walk LandPilot::Follow(land::LandScreen& screen) {
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
        hands_->Hold(0, &screen.game->Input());
        return Walk::Arrived;
    }
    // Drifted off the path (a stride overshoots): back onto it first, or the
    // dog scrapes along whatever the path kept clear of.
    const size_t ahead = far(along_) > kDrift ? 1 : kLookAhead;
    const Point& aim = path_[std::min(path_.size() - 1, along_ + ahead)];
    const int dx = aim.x - dog->x, dy = aim.y - dog->y;
    int keys = 0;
    // A diagonal only when the way really runs slantwise.
    if (std::abs(dx) > kDeadBand && std::abs(dx) * 3 > std::abs(dy)) keys |= dx > 0 ? Hands::kRight : Hands::kLeft;
    if (std::abs(dy) > kDeadBand && std::abs(dy) * 3 > std::abs(dx)) keys |= dy > 0 ? Hands::kDown : Hands::kUp;
    // Near a door or hole not to be taken (the cat's scuffle can leave the
    // dog there): only straight across, which takes neither.
    if (pathGrid_ && pathGrid_->Forbidden(dog->x, dog->y) && (keys & (Hands::kLeft | Hands::kRight))) {
        keys &= Hands::kLeft | Hands::kRight;
    }
    keys = Slide(*dog, keys);
    hands_->Hold(keys, &screen.game->Input());
    // Headway is getting on along the path, not moving about.
    if (along_ > bestAlong_) {
        bestAlong_ = along_;
        stuckFrames_ = 0;
    } else if (++stuckFrames_ > kStuckFrames) {
        // Something the grid does not show stops the dog on this step of
        // the path: the next plans in this place leave the step out.
        stuckFrames_ = 0;
        const Point from = path_[along_], to = path_[std::min(path_.size() - 1, along_ + 1)];
        if (std::getenv("BOT_TRACE")) {
            std::fprintf(stderr, "stuck at (%d, %d) on the step (%d, %d) to (%d, %d)\n", dog->x, dog->y, from.x, from.y,
                         to.x, to.y);
        }
        learnedSteps_.push_back({screen.activeRoom ? screen.currentRoom : -1, {from, to}});
        return Walk::Stuck;
    }
    return Walk::Walking;
}

int LandPilot::Slide(const PlayerDog& dog, int keys) {
    // Held in place while walking: the dog brushes something with the edge
    // of its box. A player slides off it by adding the key across the way,
    // towards the path's line, or to each side in turn when on the line.
    const bool still = std::abs(dog.x - frameX_) + std::abs(dog.y - frameY_) <= 1;
    blockedFrames_ = still && heldKeys_ != 0 && keys == heldKeys_ && dog.mode == PlayerDog::kWalking ? blockedFrames_ + 1 : 0;
    frameX_ = dog.x;
    frameY_ = dog.y;
    const int held = keys;
    if (blockedFrames_ >= kBlockedFrames) {
        const Point& on = path_[along_];
        const bool flip = (frames_ / kSlideFrames) % 2 != 0;
        const bool across = keys == Hands::kLeft || keys == Hands::kRight;
        const bool along = keys == Hands::kUp || keys == Hands::kDown;
        // Never towards a door or hole not to be taken, nor from near one.
        auto open = [&](int dx, int dy) {
            return pathGrid_ && !pathGrid_->Forbidden(dog.x, dog.y) && pathGrid_->Free(dog.x + dx, dog.y + dy);
        };
        if (across) {
            const bool down = on.y > dog.y || (on.y == dog.y && flip);
            if (open(0, down ? kSlideProbe : -kSlideProbe)) keys |= down ? Hands::kDown : Hands::kUp;
            else if (open(0, down ? -kSlideProbe : kSlideProbe)) keys |= down ? Hands::kUp : Hands::kDown;
        }
        if (along) {
            const bool right = on.x > dog.x || (on.x == dog.x && flip);
            if (open(right ? kSlideProbe : -kSlideProbe, 0)) keys |= right ? Hands::kRight : Hands::kLeft;
            else if (open(right ? -kSlideProbe : kSlideProbe, 0)) keys |= right ? Hands::kLeft : Hands::kRight;
        }
        if (keys != held) {
            slideFrames_ = kSlideFrames;
            slideFrom_ = held;
        }
    }
    // Keep sliding for a stride once started, or the dog stops again at once.
    if (slideFrames_ > 0 && keys == held && held == slideFrom_) {
        --slideFrames_;
        keys = slideKeys_;
    } else if (keys != held) {
        slideKeys_ = keys;
    }
    heldKeys_ = held;
    return keys;
}

bool LandPilot::PlanTo(land::LandScreen& screen, int openDoor, const std::function<bool(int, int)>& goal, Act then) {
    if (PlanOnce(screen, openDoor, goal, then)) return true;
    // What stopped the dog may have moved on (the cat): forget it and look
    // again; then closer to the doors than is comfortable.
    learnedSteps_.clear();
    if (PlanOnce(screen, openDoor, goal, then)) return true;
    tight_ = true;
    const bool planned = PlanOnce(screen, openDoor, goal, then);
    tight_ = false;
    return planned;
}

bool LandPilot::PlanOnce(land::LandScreen& screen, int openDoor, const std::function<bool(int, int)>& goal, Act then) {
    const PlayerDog* dog = screen.player;
    const WalkGrid grid = GridOf(screen, openDoor);
    const Point from{dog->x, dog->y};
    std::vector<Point> path = grid.Path(from, goal);
    Act next = then;
    if ((path.empty() || path.size() > kHoleWorthCells) && !screen.activeRoom) {
        // The way is cut, or long: through the hole whose partner opens
        // onto the goal, when the walk to it and on from its partner is
        // shorter by more than going down and up takes.
        const world::LandPlace& land = screen.place;
        size_t best = path.empty() ? SIZE_MAX : path.size();
        for (int k = 0; k < land.hotSpotCount; ++k) {
            const RECT in = land.hotSpots[k].area;
            const size_t on = grid.Path(HoleExit(screen, k), goal).size();
            if (on == 0 || on + kHoleCells >= best) continue;
            std::vector<Point> way = grid.Path(from, [&](int x, int y) { return BelowHole(in, x, y); });
            if (!way.empty() && way.size() + on + kHoleCells < best) {
                best = way.size() + on + kHoleCells;
                path = std::move(way);
                hole_ = k;
                next = Act::IntoHole;
            }
        }
    }
    if (path.empty()) return false;
    path_ = std::move(path);
    pathGrid_ = grid;
    along_ = 0;
    bestAlong_ = 0;
    stuckFrames_ = 0;
    act_ = Act::WalkTo;
    then_ = next;
    return true;
}

bool LandPilot::PlanToDoor(land::LandScreen& screen, int door) {
    RECT area;
    if (screen.activeRoom) area = screen.activeRoom->place.exitArea;
    else area = door == kMainDoor ? screen.place.mainDoor.area : screen.place.doors[door].area;
    door_ = door;
    return PlanTo(screen, door, [area](int x, int y) { return BesideDoor(area, x, y); }, Act::PushDoor);
}

std::vector<int> LandPilot::RoomsFor(int iconIndex, int doorCount) const {
    const int set = iconIndex / 6;
    if (set < 0 || set >= kSets) return {};
    if (roomOfSet_[set] >= 0) return {roomOfSet_[set]};
    std::vector<int> rooms;
    for (int r = 0; r < doorCount && r < 3; ++r) {
        if (setOfRoom_[r] < 0 && !(refused_[set] & (1 << r))) rooms.push_back(r);
    }
    return rooms;
}

bool LandPilot::WorkLeft(land::LandScreen& screen) const {
    const world::LandSpriteTable& table = screen.game->LandSprites();
    for (int i = 0; i < table.count; ++i) {
        const LandSprite* s = table[i];
        if (!s || IsKey(s) || s->placed || s->location != world::kInLand || hopeless_.count(s)) continue;
        auto tries = std::count(triedIcons_.begin(), triedIcons_.end(), s);
        if (tries >= kTriesPerIcon) continue;
        if (!RoomsFor(s->iconIndex, screen.place.doorCount).empty()) return true;
    }
    return false;
}

bool LandPilot::ChooseIcon(land::LandScreen& screen) {
    const world::LandSpriteTable& table = screen.game->LandSprites();
    std::vector<LandSprite*> wanted;
    for (int i = 0; i < table.count; ++i) {
        LandSprite* s = table[i];
        if (!s || IsKey(s) || s->placed || s->location != world::kInLand || hopeless_.count(s)) continue;
        if (std::count(triedIcons_.begin(), triedIcons_.end(), s) >= kTriesPerIcon) continue;
        if (RoomsFor(s->iconIndex, screen.place.doorCount).empty()) {
            hopeless_.insert(s);
            continue;
        }
        wanted.push_back(s);
    }
    if (wanted.empty()) return false;
    auto near = [&](const LandSprite* s, int x, int y) {
        const int dx = x - s->x, dy = y - (s->y + s->hitBox.top);
        return dx * dx + dy * dy;
    };
    auto planTo = [&](const std::vector<LandSprite*>& icons) {
        // Close by first; an icon tucked against a wall may be reached only
        // from the edge of the dog's reach.
        for (int radius : {kIconNear, kIconFar}) {
            const bool planned = PlanTo(
                screen, -1,
                [&](int x, int y) {
                    for (const LandSprite* s : icons) {
                        if (near(s, x, y) < radius * radius) return true;
                    }
                    return false;
                },
                Act::PickUp);
            if (planned) return true;
        }
        return false;
    };
    // The icon whose whole trip, there and on to a door of a room that may
    // take it, is shortest; the nearest icon when that cannot be told.
    if (LandSprite* best = CheapestTrip(screen, wanted); best && planTo({best})) {
        target_ = best;
        return true;
    }
    if (!planTo(wanted)) {
        for (const LandSprite* s : wanted) triedIcons_.push_back(s);
        return false;
    }
    const Point end = path_.back();
    target_ = *std::min_element(wanted.begin(), wanted.end(),
                                [&](const LandSprite* a, const LandSprite* b) { return near(a, end.x, end.y) < near(b, end.x, end.y); });
    return true;
}

LandSprite* LandPilot::CheapestTrip(land::LandScreen& screen, const std::vector<LandSprite*>& icons) const {
    const PlayerDog* dog = screen.player;
    const WalkGrid grid = GridOf(screen, -1);
    const std::vector<int> fromDog = grid.Distances([&](int x, int y) {
        return std::abs(x - dog->x) <= kTripStart && std::abs(y - dog->y) <= kTripStart;
    });
    // From the way in below each room's door.
    std::vector<std::vector<int>> fromDoor;
    const world::LandPlace& land = screen.place;
    for (int r = 0; r < land.doorCount && r < 3; ++r) {
        const RECT area = land.doors[r].area;
        fromDoor.push_back(grid.Distances([&](int x, int y) {
            return x >= area.left - 8 && x <= area.right + 8 && y >= area.bottom + 48 && y <= area.bottom + 100;
        }));
    }
    LandSprite* best = nullptr;
    int bestCost = 0;
    for (LandSprite* s : icons) {
        const Point at = IconPoint(*s);
        const int there = grid.NearestDistance(fromDog, at, kIconFar);
        if (there < 0) continue;
        int on = -1;
        for (int r : RoomsFor(s->iconIndex, land.doorCount)) {
            const int d = r < static_cast<int>(fromDoor.size()) ? grid.NearestDistance(fromDoor[r], at, kIconFar) : -1;
            if (d >= 0 && (on < 0 || d < on)) on = d;
        }
        const int cost = there + std::max(on, 0);
        if (!best || cost < bestCost) {
            best = s;
            bestCost = cost;
        }
    }
    return best;
}

void LandPilot::Listen(land::LandScreen& screen) {
    auto* room = dynamic_cast<land::MainSubRoom*>(screen.activeRoom.get());
    const uint32_t now = Now();
    const std::vector<HeardNote> notes = ear_.Listen(screen.game->Effects(), now);
    if (!room) return;
    const sprites::Sprite* lemon = room->place.lemon;
    const sprites::Sprite* pointer = room->place.lights[0];
    int keyNotes = 0;
    for (const HeardNote& n : notes) keyNotes += n.effect == Ear::kKeyNoteEffect;
    for (const HeardNote& n : notes) {
        if (n.effect == Ear::kHumEffect) {
            if (!hum_.empty() && n.at - hum_.back().at > kHumGapMs) hum_.clear();
            hum_.push_back(n);
            if (hum_.size() == 3) {
                for (int k = 0; k < 3; ++k) combination_[k] = hum_[k].cents;
                knowCombination_ = true;
            }
        } else if (keyNotes == 1 && lemon && pointer) {
            // The pointer stands over the slot whose note sounds.
            const int slot = (pointer->x - lemon->x - 34 + 42) / 85;
            if (slot >= 0 && slot < 3) {
                slotNote_[slot] = n.cents;
                slotHeard_[slot] = true;
            }
        }
    }
}

void LandPilot::Solve(land::LandScreen& screen) {
    auto* room = dynamic_cast<land::MainSubRoom*>(screen.activeRoom.get());
    const sprites::Sprite* lemon = room ? room->place.lemon : nullptr;
    if (!lemon) return GiveUp("the lock room has no lock");
    if (checkWait_ > 0) {
        --checkWait_;
        hands_->Hold(0, &screen.game->Input());
        return;
    }
    for (int k = 0; k < 3; ++k) {
        const LandSprite* key = screen.keys[k];
        if (!key || !key->placed) {
            std::string unreached;
            for (const LandSprite* s : triedIcons_) {
                const std::string at = " (" + std::to_string(s->x) + ", " + std::to_string(s->y) + ")";
                if (!s->placed && unreached.find(at) == std::string::npos) unreached += at;
            }
            return GiveUp("the lock's slot " + std::to_string(k + 1) + " has no key" +
                          (unreached.empty() ? "" : "; icons out of reach at" + unreached));
        }
    }
    if (!knowCombination_) {
        hands_->Hold(0, &screen.game->Input());
        if (++humWait_ > 40 * 1000 / 40) GiveUp("the member never hummed the combination");
        return;
    }
    RECT r;
    const_cast<sprites::Sprite*>(lemon)->GetRect(&r);
    const int third = (r.right - r.left) / 3;
    auto lit = [&](int k) {
        const sprites::Sprite* light = room->place.lights[k + 1];
        return light && light->x == lemon->x + 34 + 85 * k;
    };
    int control = 4;
    for (int k = 0; k < 3 && control == 4; ++k) {
        if (!lit(k) && !(slotHeard_[k] && SameNote(slotNote_[k], combination_[k]))) control = k + 1;
    }
    if (control == 4 && tally_.lockAttempts >= kLockPulls) {
        return GiveUp("the lock never opened after " + std::to_string(kLockPulls) + " pulls");
    }
    const uint32_t now = Now();
    if (now - lastPress_ < kPressGapMs) return;
    const int left = control == 4 ? r.right + 14 : r.left + (control - 1) * third + 14;
    const int right = control == 4 ? r.right + 86 : r.left + control * third - 14;
    control_ = control;
    const PlayerDog* dog = screen.player;
    if (dog->x >= left && dog->x <= right && dog->y >= r.bottom + 2 && dog->y <= r.bottom + 33) {
        Start(Act::PressLock, 0);
        return;
    }
    auto spot = [&](int x, int y) { return x >= left && x <= right && y >= r.bottom + 4 && y <= r.bottom + 31; };
    auto below = [&](int x, int y) { return x >= left && x <= right && y > r.bottom && y <= r.bottom + 110; };
    if (!PlanTo(screen, -1, spot, Act::PressLock) && !PlanTo(screen, -1, below, Act::PressLock)) {
        GiveUp("no way to the lock's controls");
    }
}

void LandPilot::OpenLand(land::LandScreen& screen) {
    PlayerDog* dog = screen.player;
    if (dog->carried) {
        target_ = dog->carried;
        if (IsKey(target_)) {
            if (!PlanToDoor(screen, kMainDoor)) GiveUp("no way from the key to the lock room");
            return;
        }
        const std::vector<int> rooms = RoomsFor(target_->iconIndex, screen.place.doorCount);
        for (int r : rooms) {
            if (PlanToDoor(screen, r)) return;
        }
        // Nowhere worth taking it: put it down here.
        hopeless_.insert(target_);
        Start(Act::PutDown, 0);
        return;
    }
    if (ChooseIcon(screen)) return;
    if (finish_) {
        if (!PlanToDoor(screen, kMainDoor)) GiveUp("no way to the lock room");
        return;
    }
    hands_->Hold(0, &screen.game->Input());
    waitFrames_ = 25;
}

void LandPilot::InSubRoom(land::LandScreen& screen) {
    PlayerDog* dog = screen.player;
    land::Room& room = *screen.activeRoom;
    if (!dog->carried) {
        for (LandSprite* key : screen.keys) {
            if (!key || key->placed || key->location != screen.currentRoom || key->world != room.World()) continue;
            if (std::count(triedIcons_.begin(), triedIcons_.end(), key) >= kTriesPerIcon) continue;
            target_ = key;
            // Below the key, then up towards it until it is within reach.
            auto belowKey = [key](int x, int y) { return std::abs(x - key->x) <= 8 && y > key->y && y < key->y + 90; };
            if (PlanTo(screen, -1, belowKey, Act::Nudge)) return;
            Start(Act::PickUp, 0);
            return;
        }
        if (!PlanToDoor(screen, kExitDoor)) Start(Act::BackOff, 0);
        return;
    }
    target_ = dog->carried;
    if (IsKey(target_)) {
        if (!PlanToDoor(screen, kExitDoor)) Start(Act::BackOff, 0);
        return;
    }
    RECT pedestal{dog->x - 1, dog->y - 120, dog->x + 1, dog->y - 100};  // no pedestal: a little way in
    if (room.place.pedestal) room.place.pedestal->GetRect(&pedestal);
    // A strip's rectangle can span its whole sheet: the pedestal stands at its left.
    const int cx = std::min((pedestal.left + pedestal.right) / 2, pedestal.left + 60);
    const bool planned =
        PlanTo(screen, -1, [&](int x, int y) { return std::abs(x - cx) < 40 && y > pedestal.bottom && y < pedestal.bottom + 48; },
               Act::PutDown) ||
        PlanTo(screen, -1, [&](int x, int y) { return std::abs(x - cx) < 120 && std::abs(y - pedestal.bottom) < 120; },
               Act::PutDown);
    if (!planned) Start(Act::PutDown, 0);
}

void LandPilot::InLockRoom(land::LandScreen& screen) {
    PlayerDog* dog = screen.player;
    if (dog->carried) {
        target_ = dog->carried;
        if (IsKey(target_)) return Start(Act::PutDown, 0);
        if (!PlanToDoor(screen, kExitDoor)) Start(Act::BackOff, 0);
        return;
    }
    if (WorkLeft(screen) || !finish_) {
        if (!PlanToDoor(screen, kExitDoor)) Start(Act::BackOff, 0);
        return;
    }
    Solve(screen);
}

void LandPilot::Steer(land::LandScreen& screen) {
    ++frames_;
    hands_->BeforeFrame();
    PlayerDog* dog = screen.player;
    if (!dog) return;
    const world::InputState* input = &screen.game->Input();
    // Distance: what the dog walked since the last frame, leaving out jumps
    // through doors and holes.
    if (hadDog_) {
        const int dx = dog->x - prevX_, dy = dog->y - prevY_;
        if (std::abs(dx) + std::abs(dy) < 40) tally_.distance += std::sqrt(double(dx * dx + dy * dy));
    }
    hadDog_ = true;
    prevX_ = dog->x;
    prevY_ = dog->y;
    Listen(screen);
    Trace(screen);
    if (waitFrames_ > 0) {
        --waitFrames_;
        return;
    }
    const bool passing = dog->mode == PlayerDog::kArriving || dog->mode == PlayerDog::kDoor ||
                         dog->mode == PlayerDog::kHoleDown || dog->mode == PlayerDog::kHoleOut ||
                         dog->mode == PlayerDog::kBusy;
    if (passing) {
        hands_->Hold(0, input);
        act_ = Act::None;
        return;
    }
    switch (act_) {
        case Act::None:
            break;
        case Act::WalkTo: {
            const Walk walk = Follow(screen);
            if (walk == Walk::Arrived || (walk == Walk::Stuck && then_ == Act::Nudge)) {
                Start(then_, 0);
                if (then_ == Act::PickUp || then_ == Act::PutDown) waitFrames_ = 3;
            } else if (walk == Walk::Stuck) {
                if (then_ == Act::PickUp && target_) triedIcons_.push_back(target_);
                act_ = Act::None;
            }
            return;
        }
        case Act::PickUp:
            hands_->Hold(0, input);
            if (dog->carried && dog->carryState == PlayerDog::kCarrying) {
                act_ = Act::None;
                return;
            }
            if (patience_ % 30 == 0 && dog->carryState == PlayerDog::kEmpty) hands_->PressFire();
            if (++patience_ > 90) {
                if (target_) triedIcons_.push_back(target_);
                act_ = Act::None;
            }
            return;
        case Act::PushDoor: {
            RECT area = screen.activeRoom ? screen.activeRoom->place.exitArea
                        : door_ == kMainDoor ? screen.place.mainDoor.area
                        : door_ >= 0 && door_ < 3 ? screen.place.doors[door_].area
                                                  : RECT{};
            hands_->Hold((area.top + area.bottom) / 2 < dog->y ? Hands::kUp : Hands::kDown, input);
            if (++patience_ > 60) act_ = Act::None;
            return;
        }
        case Act::BackOff:  // wedged where no walk starts: a few steps back into the room
            hands_->Hold(Hands::kDown, input);
            if (++patience_ > 8) act_ = Act::None;
            return;
        case Act::Nudge:
            if ((dog->nearest == target_ && dog->nearestDistance < dog->reach - 2) || ++patience_ > 15 ||
                (target_ && dog->y < target_->y + 20)) {
                hands_->Hold(0, input);
                Start(Act::PickUp, 0);
                waitFrames_ = 3;
            } else {
                hands_->Hold(Hands::kUp, input);
            }
            return;
        case Act::IntoHole: {
            // Up into it, edging under its middle: the dog stops short of
            // the end of its path by up to a stride.
            int keys = Hands::kUp;
            if (hole_ >= 0 && hole_ < screen.place.hotSpotCount) {
                const RECT& area = screen.place.hotSpots[hole_].area;
                const int off = (area.left + area.right) / 2 - dog->x;
                if (std::abs(off) > (area.right - area.left) / 4) keys |= off > 0 ? Hands::kRight : Hands::kLeft;
            }
            hands_->Hold(keys, input);
            if (++patience_ > 60) act_ = Act::None;
            return;
        }
        case Act::PutDown:
            hands_->Hold(0, input);
            if (!dog->carried && dog->carryState == PlayerDog::kEmpty) {
                if (screen.activeRoom && screen.currentRoom >= 0 && screen.currentRoom < 3 && target_ && !IsKey(target_)) {
                    ++tally_.iconsCarried;
                    const int set = SetOf(target_), r = screen.currentRoom;
                    if (target_->placed) {
                        ++tally_.iconsPlaced;
                        if (set < kSets) roomOfSet_[set] = r;
                        setOfRoom_[r] = set;
                    } else {
                        ++tally_.wrongDrops;
                        if (set < kSets) refused_[set] |= 1 << r;
                    }
                } else if (IsKey(target_) && target_->placed) {
                    ++tally_.keysInserted;
                }
                // A full pedestal shows its key after its finishing run;
                // otherwise a moment for the icon to settle.
                const bool full = screen.activeRoom && screen.activeRoom->PlacedCount() == 6;
                Start(Act::Settle, full ? 40 : 8);
                return;
            }
            if (patience_++ % 30 == 0 && dog->carryState == PlayerDog::kCarrying) hands_->PressFire();
            if (patience_ > 150) act_ = Act::None;
            return;
        case Act::Settle:
            hands_->Hold(0, input);
            if (--patience_ <= 0) act_ = Act::None;
            return;
        case Act::PressLock: {
            auto* room = dynamic_cast<land::MainSubRoom*>(screen.activeRoom.get());
            RECT r{};
            if (room && room->place.lemon) room->place.lemon->GetRect(&r);
            if (dog->y > r.bottom + 33 && patience_ < 40) {
                hands_->Hold(Hands::kUp, input);
                ++patience_;
                return;
            }
            hands_->Hold(0, input);
            if (patience_ < 100) {
                patience_ = 100;  // one frame for the dog to stop
                return;
            }
            hands_->PressFire();
            lastPress_ = Now();
            if (control_ == 4) {
                ++tally_.lockAttempts;
                checkWait_ = 120;  // the check plays three notes a second apart
                for (bool& heard : slotHeard_) heard = false;
            } else {
                slotHeard_[control_ - 1] = false;
            }
            waitFrames_ = 6;
            act_ = Act::None;
            return;
        }
    }
    // A fresh look at what to do.
    if (!gaveUp_.empty()) {
        hands_->Hold(0, input);
        return;
    }
    if (!screen.activeRoom) OpenLand(screen);
    else if (dynamic_cast<land::MainSubRoom*>(screen.activeRoom.get())) InLockRoom(screen);
    else InSubRoom(screen);
}

}  // namespace bot
