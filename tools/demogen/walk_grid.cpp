#include "demogen/walk_grid.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

namespace demogen {
namespace {

// The dog's footprint and the margins that keep it on the map.
constexpr int kHalfW = 13, kHalfH = 8, kSafety = 8;
constexpr int kMarginLeft = 30, kMarginRight = 30, kMarginTop = 60, kMarginBottom = 10;

bool Overlap(const platform::RECT& a, const platform::RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const platform::RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

WalkGrid::WalkGrid(int mapWidth, int mapHeight, const std::vector<platform::RECT>& blocks,
                   const std::vector<platform::RECT>& forbidden)
    : cols_(std::max(0, mapWidth / kCell)), rows_(std::max(0, mapHeight / kCell)),
      free_(static_cast<size_t>(cols_) * rows_, 0) {
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const int x = c * kCell, y = r * kCell;
            if (x < kMarginLeft || y < kMarginTop || x >= mapWidth - kMarginRight || y >= mapHeight - kMarginBottom) {
                continue;
            }
            const platform::RECT foot{x - kHalfW - kSafety, y - kHalfH - kSafety, x + kHalfW + kSafety,
                                      y + kHalfH + kSafety};
            bool open = true, allowed = true;
            for (const platform::RECT& b : blocks) open = open && !Overlap(foot, b);
            for (const platform::RECT& f : forbidden) allowed = allowed && !Inside(f, x, y);
            free_[r * cols_ + c] = open && allowed ? kFree : open ? kForbidden : kBlocked;
        }
    }
}

bool WalkGrid::Free(int x, int y) const {
    return FreeCell((x + kCell / 2) / kCell, (y + kCell / 2) / kCell);
}

std::vector<Point> WalkGrid::Path(Point from, const std::function<bool(int, int)>& goal) const {
    const int c0 = (from.x + kCell / 2) / kCell, r0 = (from.y + kCell / 2) / kCell;
    if (c0 < 0 || r0 < 0 || c0 >= cols_ || r0 >= rows_) return {};
    std::vector<int> cameFrom(free_.size(), -2);
    std::deque<int> queue{r0 * cols_ + c0};
    cameFrom[queue.front()] = -1;
    int found = -1;
    while (!queue.empty() && found < 0) {
        const int at = queue.front();
        queue.pop_front();
        const int c = at % cols_, r = at / cols_;
        if (FreeCell(c, r) && goal(c * kCell, r * kCell)) {
            found = at;
            break;
        }
        static const int kSteps[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
        // A walk that starts where the dog may not stand (beside the door
        // it just came out of) first leaves that place by any way.
        const bool escaping = !FreeCell(c, r);
        for (const auto& s : kSteps) {
            const int nc = c + s[0], nr = r + s[1];
            if (nc < 0 || nr < 0 || nc >= cols_ || nr >= rows_ || cameFrom[nr * cols_ + nc] != -2) continue;
            if (escaping ? free_[nr * cols_ + nc] == kBlocked : !FreeCell(nc, nr)) continue;
            // Diagonal steps only where both straight neighbours are free too.
            if (!escaping && s[0] && s[1] && (!FreeCell(c + s[0], r) || !FreeCell(c, r + s[1]))) continue;
            cameFrom[nr * cols_ + nc] = at;
            queue.push_back(nr * cols_ + nc);
        }
    }
    std::vector<Point> path;
    for (int at = found; at >= 0; at = cameFrom[at]) path.push_back({at % cols_ * kCell, at / cols_ * kCell});
    std::reverse(path.begin(), path.end());
    return path;
}

}  // namespace demogen
