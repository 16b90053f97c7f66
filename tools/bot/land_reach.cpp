#include "bot/land_reach.h"

#include <functional>

#include "audio/land_sprite.h"
#include "bot/place_grid.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "land/room_rules.h"
#include "world/game_services.h"
#include "world/player_dog.h"
#include "world/roaming_cat.h"

namespace bot {
namespace {

using platform::RECT;

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Near(Point p, int x, int y) {
    const int dx = x - p.x, dy = y - p.y;
    return dx * dx + dy * dy < kIconFar * kIconFar;
}

// Where walks may start: beside the lock room's door, and out of every hole
// a walk from there (or from another hole) can drop into.
std::vector<Point> Starts(const land::LandScreen& screen, const WalkGrid& grid) {
    const RECT& door = screen.place.mainDoor.area;
    std::vector<Point> starts{{door.left + 20, door.bottom + 20}};
    std::vector<bool> taken(size_t(screen.place.hotSpotCount), false);
    for (size_t i = 0; i < starts.size(); ++i) {
        for (int k = 0; k < screen.place.hotSpotCount; ++k) {
            if (taken[size_t(k)]) continue;
            const RECT in = screen.place.hotSpots[k].area;
            if (grid.Path(starts[i], [&](int x, int y) { return BelowHole(in, x, y); }).empty()) continue;
            taken[size_t(k)] = true;
            starts.push_back(HoleExit(screen, k));
        }
    }
    return starts;
}

bool Reachable(const WalkGrid& grid, const std::vector<Point>& starts, const std::function<bool(int, int)>& goal) {
    for (const Point& from : starts) {
        if (!grid.Path(from, goal).empty()) return true;
    }
    return false;
}

}  // namespace

std::vector<ReachProblem> LandOutOfReach(land::LandScreen& screen) {
    std::vector<ReachProblem> problems;
    GridPlan plan;
    plan.ignored = screen.companion;  // the cat roams; it is no wall
    const WalkGrid grid = LandGrid(screen, plan);
    const std::vector<Point> starts = Starts(screen, grid);

    const world::LandSpriteTable& table = screen.game->LandSprites();
    for (int i = 0; i < table.count; ++i) {
        const LandSprite* s = table[i];
        if (!s || s->iconIndex < 0 || s->location != world::kInLand) continue;
        const Point p = IconPoint(*s);
        if (!Reachable(grid, starts, [&](int x, int y) { return Near(p, x, y); }))
            problems.push_back({{s->x, s->y}, "icon " + std::to_string(s->iconIndex)});
    }
    for (size_t i = 0; i < screen.place.iconSpots.size(); ++i) {
        const world::lnd::Spot& spot = screen.place.iconSpots[i];
        const Point tall{spot.x, spot.y + kTallIconTop};
        if (!Reachable(grid, starts, [&](int x, int y) { return Near(tall, x, y); }))
            problems.push_back({{spot.x, spot.y}, "icon spot " + std::to_string(i)});
    }
    // The doors, each on the grid that lets the walk take it.
    auto doorTest = [](int x, int y) { return RECT{x - 21, y - 16, x + 21, y + 8}; };
    for (int k = -1; k < screen.place.doorCount; ++k) {
        const int door = k < 0 ? kMainDoor : k;
        const RECT area = k < 0 ? screen.place.mainDoor.area : screen.place.doors[k].area;
        GridPlan open = plan;
        open.openDoor = door;
        const WalkGrid doorGrid = LandGrid(screen, open);
        if (!Reachable(doorGrid, Starts(screen, doorGrid), [&](int x, int y) { return Overlap(doorTest(x, y), area); }))
            problems.push_back({{area.left, area.top}, k < 0 ? "the lock room's door" : "door " + std::to_string(k + 1)});
    }
    return problems;
}

std::vector<ReachProblem> RoomOutOfReach(land::LandScreen& screen) {
    std::vector<ReachProblem> problems;
    if (!screen.activeRoom) return problems;
    const world::RoomPlace& room = screen.activeRoom->place;
    const WalkGrid grid = PlaceGrid(screen, GridPlan{});
    const std::vector<Point> starts{{room.exitArea.left + 20, room.exitArea.bottom + 20}};
    if (!room.pedestal) {
        problems.push_back({starts[0], "no pedestal"});
        return problems;
    }
    // The key appears on the pedestal; the dog picks it up from below.
    const land::Spot spot = land::KeySpot(room.pedestal->x, room.pedestal->y);
    const Point key{spot.x, spot.y};
    if (!Reachable(grid, starts, [&](int x, int y) { return Near(key, x, y); }))
        problems.push_back({key, "key spot"});
    return problems;
}

}  // namespace bot
