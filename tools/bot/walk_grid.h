#pragma once
// A walking grid over one place for the players the tools run: a dog position is free
// when it keeps the dog's footprint (with a safety margin) off every blocking
// rectangle, stays inside the map margins and lies in no forbidden area (the
// doors and holes the walk must not take). Paths are searched on 8-pixel
// cells, eight ways, never cutting a blocked corner.
#include <functional>
#include <utility>
#include <vector>

#include "platform/win_types.h"

namespace bot {

struct Point {
    int x = 0, y = 0;
};

// Half the dog's collision box around its position: the ordinary dog's, and
// the jet dog's in the wetland.
struct Footprint {
    int halfWidth = 13, halfHeight = 8;
};
inline constexpr Footprint kDogFootprint{13, 8}, kJetDogFootprint{10, 10};

// Margins kept from doors a walk must not take (the stride the dog
// overshoots by), and a wider one from the way home to the den.
inline constexpr int kDoorMargin = 10, kHomeMargin = 18;

// Positions from which the dog would take the door `area`, with `margin`
// round it and `spare` pixels more below it.
// The door test reaches 8 pixels beyond the footprint, which reaches 13
// pixels across and 10 up or down at most.
inline platform::RECT AroundDoor(const platform::RECT& area, int spare, int margin) {
    return platform::RECT{area.left - 29 - margin, area.top - 16 - margin, area.right + 29 + margin,
                          area.bottom + 18 + margin + spare};
}
// Positions from which the dog would fall into the hole `area` (it looks 60
// pixels up).
inline platform::RECT AroundHole(const platform::RECT& area) {
    return platform::RECT{area.left - 12, area.top + 48, area.right + 12, area.bottom + 72};
}
// How close the pilot walks to an icon before pressing fire: within the
// dog's reach (50) less a little for the stride it stops short by; and the
// part of the tallest icon (65 pixels) the game measures to, the top of its
// 20-pixel base.
inline constexpr int kIconNear = 34, kIconFar = 48;
inline constexpr int kTallIconTop = 65 / 2 - 20;

class WalkGrid {
public:
    static constexpr int kCell = 8;

    WalkGrid(int mapWidth, int mapHeight, const std::vector<platform::RECT>& blocks,
             const std::vector<platform::RECT>& forbidden, Footprint dog = kDogFootprint);

    bool Free(int x, int y) const;
    // Whether (x, y) lies in a forbidden area (near a door or hole not to be taken).
    bool Forbidden(int x, int y) const;
    // The step between the cells of two neighbouring positions is not to be
    // taken (the dog was stopped there by something the grid does not show).
    void BlockStep(Point from, Point to);
    // The cells from `from` to the nearest free cell where goal(x, y) holds,
    // as positions; empty when there is none. A walk from a forbidden place
    // (beside the door the dog just came out of) first leaves it for the
    // nearest free cell, never through blocked ones; a walk from a blocked
    // cell starts at the nearest open one a few cells away.
    std::vector<Point> Path(Point from, const std::function<bool(int, int)>& goal) const;
    // Steps (cells) from the nearest free cell where source(x, y) holds to
    // every cell, through free cells; -1 where none leads.
    std::vector<int> Distances(const std::function<bool(int, int)>& source) const;
    // The least of `distances` over the cells within `radius` of (x, y); -1
    // when none of them is reached.
    int NearestDistance(const std::vector<int>& distances, Point at, int radius) const;

private:
    enum : char { kBlocked, kForbidden, kFree };
    // Cells from `start` to the nearest cell where goal(cell) holds, through
    // free cells (and forbidden ones when asked); empty when there is none.
    std::vector<int> Search(int start, bool throughForbidden, const std::function<bool(int)>& goal) const;
    // Cells from the forbidden `start` to the nearest free cell where
    // goal(cell) holds, leaving the forbidden cells once for good: the way
    // out of a door's area into the place the goal lies in, not merely the
    // nearest free cell, which may be a pocket with no way on.
    std::vector<int> SearchOutOfForbidden(int start, const std::function<bool(int)>& goal) const;
    // Whether the step from cell `at` to its neighbour `next` was blocked.
    bool StepBlocked(int at, int next) const;
    // Free ground, or forbidden ground when allowed, inside the grid.
    bool Open(int c, int r, bool throughForbidden) const;
    // One step from (c, r) by (dc, dr): onto open ground, a diagonal only
    // between two open straight neighbours, and not a step left out.
    bool CanStep(int c, int r, int dc, int dr, bool throughForbidden) const;
    bool FreeCell(int c, int r) const {
        return c >= 0 && r >= 0 && c < cols_ && r < rows_ && free_[r * cols_ + c] == kFree;
    }
    int cols_, rows_;
    std::vector<char> free_;
    std::vector<std::pair<int, int>> blockedSteps_;  // (cell, neighbour), both ways
};

}  // namespace bot
