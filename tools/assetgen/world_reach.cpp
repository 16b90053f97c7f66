#include "assetgen/world_reach.h"

#include "world/pedestal_strip.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

namespace assetgen {
namespace {

using world::lnd::Rect;

// The dog's footprint around its position, and its door test rectangle (the
// footprint widened by 8 pixels left, right and up).
constexpr int kHalfW = kDogHalfW, kHalfH = kDogHalfH;
constexpr int kStep = 4;
// Map margins that keep the dog on the map.
constexpr int kMarginLeft = kWalkMarginLeft, kMarginRight = kWalkMarginRight, kMarginTop = kWalkMarginTop,
              kMarginBottom = kWalkMarginBottom;
// How close the dog must come to an icon to pick it up (its reach is 50).
constexpr int kIconReach = kIconReachDistance;
// Hot spots are tested at this point above the dog.
constexpr int kHoleLook = 60;

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string Text(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

class Grid {
public:
    Grid(int mapWidth, int mapHeight, const std::vector<Rect>& blocks)
        : x0_(kMarginLeft), y0_(kMarginTop),
          cols_(std::max(0, (mapWidth - kMarginRight - kMarginLeft + kStep - 1) / kStep)),
          rows_(std::max(0, (mapHeight - kMarginBottom - kMarginTop + kStep - 1) / kStep)),
          blocked_(size_t(cols_) * rows_, 0), seen_(size_t(cols_) * rows_, 0) {
        for (const Rect& b : blocks) {
            // Positions whose footprint overlaps b.
            const int left = CellAtOrAfter(b.left - kHalfW + 1 - x0_), right = CellBefore(b.right + kHalfW - x0_);
            const int top = CellAtOrAfter(b.top - kHalfH + 1 - y0_), bottom = CellBefore(b.bottom + kHalfH - y0_);
            for (int r = std::max(0, top); r <= std::min(rows_ - 1, bottom); ++r)
                for (int c = std::max(0, left); c <= std::min(cols_ - 1, right); ++c) blocked_[Index(c, r)] = 1;
        }
    }

    // Flood from the grid position nearest to (x, y).
    void Flood(int x, int y) {
        const int c = std::clamp((x - x0_ + kStep / 2) / kStep, 0, cols_ - 1);
        const int r = std::clamp((y - y0_ + kStep / 2) / kStep, 0, rows_ - 1);
        if (cols_ <= 0 || rows_ <= 0 || blocked_[Index(c, r)]) return;
        std::deque<std::pair<int, int>> queue{{c, r}};
        seen_[Index(c, r)] = 1;
        while (!queue.empty()) {
            auto [qc, qr] = queue.front();
            queue.pop_front();
            static const int kN[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& n : kN) {
                const int nc = qc + n[0], nr = qr + n[1];
                if (nc < 0 || nr < 0 || nc >= cols_ || nr >= rows_) continue;
                const size_t i = Index(nc, nr);
                if (blocked_[i] || seen_[i]) continue;
                seen_[i] = 1;
                queue.push_back({nc, nr});
            }
        }
    }

    // Calls visit(x, y) for reached positions until it returns true.
    template <typename Visit>
    bool AnyReached(const Visit& visit) const {
        for (int r = 0; r < rows_; ++r)
            for (int c = 0; c < cols_; ++c)
                if (seen_[Index(c, r)] && visit(x0_ + c * kStep, y0_ + r * kStep)) return true;
        return false;
    }
    bool Reached(int x, int y) const {
        const int c = (x - x0_ + kStep / 2) / kStep, r = (y - y0_ + kStep / 2) / kStep;
        if (c < 0 || r < 0 || c >= cols_ || r >= rows_) return false;
        return seen_[Index(c, r)] != 0;
    }

private:
    size_t Index(int c, int r) const { return size_t(r) * cols_ + c; }
    static int CellAtOrAfter(int v) { return v <= 0 ? -((-v) / kStep) : (v + kStep - 1) / kStep; }
    static int CellBefore(int v) { return v <= 0 ? -((-v + kStep) / kStep) : (v - 1) / kStep; }
    int x0_, y0_, cols_, rows_;
    std::vector<uint8_t> blocked_, seen_;
};

}  // namespace

ReachReport CheckReach(int mapWidth, int mapHeight, const std::vector<Rect>& blocks, int startX, int startY,
                       const std::vector<ReachTarget>& targets, const std::vector<std::pair<int, int>>& mustBeFree) {
    ReachReport report;
    report.targets = int(targets.size());
    const Rect startBox{startX - kHalfW, startY - kHalfH, startX + kHalfW, startY + kHalfH};
    for (const Rect& b : blocks) {
        if (Overlap(startBox, b)) report.problems.push_back("start position blocked by footprint " + Text(b));
    }
    Grid grid(mapWidth, mapHeight, blocks);
    grid.Flood(startX, startY);
    for (const auto& [x, y] : mustBeFree) {
        const Rect box{x - kHalfW, y - kHalfH, x + kHalfW, y + kHalfH};
        bool free = x >= kMarginLeft && x < mapWidth - kMarginRight && y >= kMarginTop && y < mapHeight - kMarginBottom;
        std::string by;
        for (const Rect& b : blocks)
            if (Overlap(box, b)) {
                free = false;
                by = " by footprint " + Text(b);
            }
        if (!free || !grid.Reached(x, y))
            report.problems.push_back("arrival position (" + std::to_string(x) + ", " + std::to_string(y) + ") is blocked or cut off" + by);
    }
    for (const ReachTarget& t : targets) {
        bool found = false;
        switch (t.kind) {
            case ReachTarget::Door:
                found = grid.AnyReached([&](int x, int y) {
                    return Overlap({x - kHalfW - 8, y - kHalfH - 8, x + kHalfW + 8, y + kHalfH}, t.area);
                });
                break;
            case ReachTarget::HotSpot:
                found = grid.AnyReached([&](int x, int y) {
                    const int py = y - kHoleLook;
                    return x >= t.area.left && x < t.area.right && py >= t.area.top && py < t.area.bottom;
                });
                break;
            case ReachTarget::Stand:
                found = grid.AnyReached([&](int x, int y) {
                    return x >= t.area.left && x < t.area.right && y >= t.area.top && y < t.area.bottom;
                });
                break;
            case ReachTarget::IconSpot: {
                const int sx = t.area.left, sy = t.area.top;
                // The icon's collision box (icons are at most 56 wide).
                const Rect base{sx - 28, sy + 8, sx + 28, sy + 28};
                for (const Rect& b : blocks) {
                    if (Overlap(base, b)) {
                        report.problems.push_back(t.what + " lies inside footprint " + Text(b));
                        break;
                    }
                }
                found = grid.AnyReached([&](int x, int y) {
                    return std::abs(x - sx) <= kIconReach && std::abs(y - sy) <= kIconReach;
                });
                break;
            }
        }
        if (!found) report.problems.push_back(t.what + " " + Text(t.area) + " cannot be reached");
    }
    report.ok = report.problems.empty();
    return report;
}

std::vector<Rect> BlockingFootprints(const world::lnd::LandFileData& data, world::lnd::Reader reader,
                                     const BitmapSize& sizeOf, std::vector<std::string>* problems) {
    using namespace world::lnd;
    std::vector<Rect> blocks;
    auto moved = [](const Rect& f, int x, int y) { return Rect{f.left + x, f.top + y, f.right + x, f.bottom + y}; };
    for (const Placement& p : data.placements) {
        if (p.image < data.images.size()) blocks.push_back(moved(data.images[p.image].footprint, p.x, p.y));
    }
    for (const Section& s : data.sections) {
        for (const AnimPlacement& p : s.animPlacements) {
            if (p.strip < s.strips.size()) blocks.push_back(moved(s.strips[p.strip].footprint, p.x, p.y));
        }
        for (const Actor& a : s.actors) {
            int w = 0, h = 0;
            if (!sizeOf(a.bitmap, &w, &h)) {
                if (problems) problems->push_back("size of " + a.bitmap + " unknown");
                continue;
            }
            const int n = std::max(1, a.frameCount);
            Rect f{0, 0, 0, 0};
            switch (reader) {
                case Reader::Land:
                    if (a.kind == actor::kProximity) f = {0, h - 5, w / n, h};
                    else if (a.kind >= actor::kIconPostFirst && a.kind <= actor::kIconPostFirst + 2) f = {0, h - 5, w, h};
                    break;  // watchers have no footprint
                case Reader::SubRoom:
                    if (a.kind == actor::kLockFish) f = {0, 34, w / 3, h};
                    else if (a.kind == actor::kPedestal) f = {0, 16, w / world::pedestal::kFrames, h};
                    break;
                case Reader::MainSubRoom:
                    if (a.kind == actor::kLemon || a.kind == actor::kLever) f = {0, h - 10, w, h};
                    else f = {0, h - 15, w / n, h};
                    break;
                case Reader::Den:
                    if (a.kind >= actor::kDenDoorFirst && a.kind < actor::kDenDoorFirst + 6) f = {0, h - 15, w / n, h};
                    else if (a.kind >= actor::kBandPieceFirst && a.kind < actor::kBandPieceFirst + 6) f = {0, h - 1, w, h};
                    break;
            }
            if (f.right > f.left && f.bottom > f.top) blocks.push_back(moved(f, a.x, a.y));
        }
    }
    return blocks;
}

ReachReport CheckLandReach(const world::lnd::LandFileData& data, const BitmapSize& sizeOf) {
    using namespace world::lnd;
    std::vector<std::string> problems;
    const std::vector<Rect> blocks = BlockingFootprints(data, Reader::Land, sizeOf, &problems);
    std::vector<ReachTarget> targets;
    std::vector<std::pair<int, int>> free;
    const Door* start = nullptr;
    std::vector<Rect> holes;
    for (const Section& s : data.sections) {
        for (const Door& d : s.doors) {
            if (!d.isDoor) {
                start = &d;
            } else {
                targets.push_back({ReachTarget::Door, d.area, "door " + d.name});
                free.push_back({d.area.left + 20, d.area.bottom + 20});
            }
        }
        for (const Zone& z : s.zones) {
            if (z.kind == zone::kHotSpot) holes.push_back(z.area);
        }
        for (size_t i = 0; i < s.spots.size(); ++i)
            targets.push_back({ReachTarget::IconSpot, {s.spots[i].x, s.spots[i].y, s.spots[i].x + 1, s.spots[i].y + 1},
                               "icon spot " + std::to_string(i)});
    }
    for (size_t k = 0; k < holes.size(); ++k) {
        targets.push_back({ReachTarget::HotSpot, holes[k], "hot spot " + std::to_string(k)});
        free.push_back({holes[k].left + 20, holes[k].bottom + 60});
    }
    if (holes.size() % 2) problems.push_back("hot spots do not come in pairs");
    if (!start) {
        ReachReport report;
        report.problems = problems;
        report.problems.push_back("no start area");
        return report;
    }
    const int width = data.tiles.tileWidth * data.tiles.columns, height = data.tiles.tileHeight * data.tiles.rows;
    ReachReport report = CheckReach(width, height, blocks, start->area.left + 20, start->area.bottom + 50, targets, free);
    // The icon spots also by the player bot's judgement, which keeps clear of
    // doors and holes the way the dog must.
    const LandWalkJudge judge(data, sizeOf);
    for (const Section& s : data.sections)
        for (size_t i = 0; i < s.spots.size(); ++i)
            if (!judge.ReachesIconSpot(s.spots[i].x, s.spots[i].y))
                problems.push_back("icon spot " + std::to_string(i) + " is out of the walk's reach past doors and holes");
    report.problems.insert(report.problems.begin(), problems.begin(), problems.end());
    report.ok = report.problems.empty();
    return report;
}

}  // namespace assetgen

namespace assetgen {

ReachReport CheckPlaceReach(const world::lnd::LandFileData& data, world::lnd::Reader reader, const BitmapSize& sizeOf) {
    using namespace world::lnd;
    if (reader == Reader::Land) return CheckLandReach(data, sizeOf);
    std::vector<std::string> problems;
    const std::vector<Rect> blocks = BlockingFootprints(data, reader, sizeOf, &problems);
    std::vector<ReachTarget> targets;
    std::vector<std::pair<int, int>> free;
    const Rect none{0, 0, 0, 0};
    Rect exit = none, denExit = none, hole = none;
    Rect denRects[kDenZoneCount] = {};
    const Actor* lemon = nullptr;
    for (const Section& s : data.sections) {
        if (!s.doors.empty() && exit == none) exit = s.doors[0].area;
        for (const Zone& z : s.zones) {
            if (z.kind == zone::kHotSpot) hole = z.area;
            if (reader == Reader::MainSubRoom && z.kind == zone::kRoomExit) exit = z.area;
            if (reader == Reader::MainSubRoom && z.kind == zone::kDenExit) denExit = z.area;
            if (reader == Reader::Den && z.kind >= 1 && z.kind <= uint32_t(kDenZoneCount)) denRects[z.kind - 1] = z.area;
        }
        for (const Actor& a : s.actors)
            if (reader == Reader::MainSubRoom && a.kind == actor::kLemon) lemon = &a;
    }
    int startX = 320, startY = 380;
    if (reader == Reader::Den) {
        for (int k = 0; k < kDenZoneCount; ++k) {
            if (denRects[k] == none) problems.push_back("den rectangle " + std::to_string(k + 1) + " missing");
            targets.push_back({ReachTarget::Door, denRects[k], "den rectangle " + std::to_string(k + 1)});
            if (k < 6) free.push_back({denRects[k].left + 20, denRects[k].bottom + 20});
        }
    } else {
        if (exit == none) problems.push_back("no exit area");
        if (hole == none) problems.push_back("no hole");
        targets.push_back({ReachTarget::Door, exit, "exit"});
        targets.push_back({ReachTarget::HotSpot, hole, "hole"});
        free.push_back({hole.left + 20, hole.bottom + 60});
        startX = exit.left + 20;
        startY = exit.bottom + 20;
        if (reader == Reader::MainSubRoom) {
            if (denExit == none) problems.push_back("no den exit");
            // The first arrival is at the den exit; the way back from the land at the exit.
            free.push_back({startX, startY});
            startX = denExit.left + 20;
            startY = denExit.bottom + 20;
            targets.push_back({ReachTarget::Door, denExit, "den exit"});
            int w = 0, h = 0;
            if (!lemon || !sizeOf(lemon->bitmap, &w, &h)) {
                problems.push_back("no lemon");
            } else {
                // Buttons: thirds of the lemon's width, from its bottom to 35
                // pixels below; the lever: the 100 pixels right of it.
                const int bottom = lemon->y + h;
                for (int b = 0; b < 3; ++b)
                    targets.push_back({ReachTarget::Stand, {lemon->x + w * b / 3, bottom, lemon->x + w * (b + 1) / 3, bottom + 36},
                                       "lock button " + std::to_string(b + 1)});
                targets.push_back({ReachTarget::Stand, {lemon->x + w, bottom, lemon->x + w + 100, bottom + 36}, "lever"});
            }
        }
    }
    const int width = data.tiles.tileWidth * data.tiles.columns, height = data.tiles.tileHeight * data.tiles.rows;
    ReachReport report = CheckReach(width, height, blocks, startX, startY, targets, free);
    report.problems.insert(report.problems.begin(), problems.begin(), problems.end());
    report.ok = report.problems.empty();
    return report;
}

}  // namespace assetgen

#include "bot/walk_grid.h"

namespace assetgen {
namespace {

platform::RECT ToRect(const world::lnd::Rect& r) { return platform::RECT{r.left, r.top, r.right, r.bottom}; }

// The base of an icon on a spot, for the widest and tallest icon.
world::lnd::Rect IconBase(int x, int y) { return {x - 28, y + 8, x + 28, y + 65 / 2 + 1}; }

}  // namespace

struct LandWalkJudge::Grid {
    bot::WalkGrid walk;
};

LandWalkJudge::LandWalkJudge(const world::lnd::LandFileData& data, const BitmapSize& sizeOf, bot::Footprint dog) {
    using namespace world::lnd;
    footprints_ = BlockingFootprints(data, Reader::Land, sizeOf, nullptr);
    std::vector<platform::RECT> blocks, forbidden;
    for (const Rect& f : footprints_) blocks.push_back(ToRect(f));
    bool fromLockRoom = false;
    for (const Section& s : data.sections) {
        for (const Spot& spot : s.spots) blocks.push_back(ToRect(IconBase(spot.x, spot.y)));
        for (const Door& d : s.doors) {
            if (!d.isDoor) forbidden.push_back(bot::AroundDoor(ToRect(d.area), 20, bot::kHomeMargin));
            else forbidden.push_back(bot::AroundDoor(ToRect(d.area), 20, bot::kDoorMargin));
            // Without a lock room the walk starts where a new dog stands.
            if (!d.isDoor && !fromLockRoom) {
                startX_ = d.area.left + 20;
                startY_ = d.area.bottom + 50;
            }
        }
        for (const Zone& z : s.zones) {
            if (z.kind == zone::kHotSpot) forbidden.push_back(bot::AroundHole(ToRect(z.area)));
            if (z.kind == zone::kMainDoor) {
                fromLockRoom = true;
                startX_ = z.area.left + 20;
                startY_ = z.area.bottom + 20;
            }
        }
    }
    const int width = data.tiles.tileWidth * data.tiles.columns, height = data.tiles.tileHeight * data.tiles.rows;
    grid_ = std::make_unique<Grid>(Grid{bot::WalkGrid(width, height, blocks, forbidden, dog)});
}

LandWalkJudge::~LandWalkJudge() = default;

bool LandWalkJudge::ReachesIconSpot(int x, int y) const {
    auto near = [](int px, int py, int gx, int gy) {
        return (gx - px) * (gx - px) + (gy - py) * (gy - py) < bot::kIconFar * bot::kIconFar;
    };
    // The tallest icon: its base reaches lowest, and a shorter icon's base
    // and measured point both lie higher by the same amount.
    const int top = y + bot::kTallIconTop;
    return !grid_->walk.Path({startX_, startY_}, [&](int gx, int gy) { return near(x, top, gx, gy); }).empty();
}

bool LandWalkJudge::SpotClear(int x, int y) const {
    const Rect base = IconBase(x, y);
    for (const Rect& f : footprints_)
        if (Overlap(base, f)) return false;
    return true;
}

}  // namespace assetgen
