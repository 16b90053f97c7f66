#pragma once
// The walk check of a level: from the start position, can a walker with the
// dog's footprint reach every door, every hole and every icon spot, staying
// inside the map margins and out of every footprint? The check is
// conservative: it treats a whole footprint as solid (the game blocks only on
// the opaque pixels inside it) and moves in 4-pixel steps.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bot/walk_grid.h"
#include "world/land_file_format.h"

namespace assetgen {

// The dog's footprint around its position (its feet), the map margins that
// keep it on the map, and how close it must come to an icon spot to take it.
inline constexpr int kDogHalfW = 13, kDogHalfH = 8;
inline constexpr int kWalkMarginLeft = 30, kWalkMarginRight = 30, kWalkMarginTop = 60, kWalkMarginBottom = 10;
inline constexpr int kIconReachDistance = 30;

// Size of a bitmap named in the level; false when unknown.
using BitmapSize = std::function<bool(const std::string& name, int* width, int* height)>;

struct ReachTarget {
    // Door: the dog's door test rectangle meets the area; HotSpot: the point
    // 60 pixels above the dog lies in it; IconSpot: the dog comes within
    // reach of the point; Stand: the dog's position lies in the area.
    enum Kind { Door, HotSpot, IconSpot, Stand } kind;
    world::lnd::Rect area;  // door and hot-spot areas; an icon spot's point as a 1 x 1 rectangle
    std::string what;
};

struct ReachReport {
    bool ok = false;
    std::vector<std::string> problems;
    int targets = 0;
};

// The footprints that block the walker, in world coordinates: placed images,
// placed animation strips and the actors to which the reader gives a
// footprint. Where a reader takes W as the whole bitmap of a strip, so does
// this (the wider footprint is the safer guess).
std::vector<world::lnd::Rect> BlockingFootprints(const world::lnd::LandFileData& data, world::lnd::Reader reader,
                                                 const BitmapSize& sizeOf, std::vector<std::string>* problems);

// Checks a land: start from the start area (first Doors record with isDoor 0;
// the walker starts at its left + 20, bottom + 50), then every door area,
// every hot spot (its partner's exit included), every icon spot.
ReachReport CheckLandReach(const world::lnd::LandFileData& data, const BitmapSize& sizeOf);

// The same for any place, with the targets its reader's owner uses: a
// sub-room from its exit to its hole; the main sub-room from its den exit to
// its exit, hole, the three lock buttons and the lever; the den from the
// dog's first position (320, 380) to its seven rectangles.
ReachReport CheckPlaceReach(const world::lnd::LandFileData& data, world::lnd::Reader reader, const BitmapSize& sizeOf);

// The general check used for every place: the walker starts at start;
// returns one problem per target that cannot be reached or position that is
// blocked.
ReachReport CheckReach(int mapWidth, int mapHeight, const std::vector<world::lnd::Rect>& blocks,
                       int startX, int startY, const std::vector<ReachTarget>& targets,
                       const std::vector<std::pair<int, int>>& mustBeFree);

// The player bot's own walking judgement on a land level as generated: the
// bot's walking grid, with every footprint (and the base of an icon on every
// spot) blocking whole, and the doors and holes a walk must not take kept
// clear, as the bot keeps clear of them. A walk starts beside the lock
// room's door, where the dog first comes out into the land. What this
// passes, the bot reaches on the level the game loads.
class LandWalkJudge {
public:
    // dog: the footprint of the dog that walks the land (the jet dog's in the wetland).
    LandWalkJudge(const world::lnd::LandFileData& data, const BitmapSize& sizeOf, bot::Footprint dog = bot::kDogFootprint);
    ~LandWalkJudge();
    // An icon on the spot (x, y), of any height, can be picked up.
    bool ReachesIconSpot(int x, int y) const;
    // The icon's base on the spot stays off every footprint.
    bool SpotClear(int x, int y) const;

private:
    struct Grid;
    std::unique_ptr<Grid> grid_;
    std::vector<world::lnd::Rect> footprints_;
    int startX_ = 0, startY_ = 0;
};

}  // namespace assetgen
