#include "bot/walk_grid.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

namespace bot {
namespace {

// The margin kept round the dog's footprint, and the margins that keep it on the map.
constexpr int kSafety = 4;
constexpr int kEscapeCells = 4;
constexpr int kMarginLeft = 30, kMarginRight = 30, kMarginTop = 60, kMarginBottom = 10;
constexpr int kSteps[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

bool Inside(const platform::RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

WalkGrid::WalkGrid(int mapWidth, int mapHeight, const std::vector<platform::RECT>& blocks,
                   const std::vector<platform::RECT>& forbidden, Footprint dog)
    : cols_(std::max(0, mapWidth / kCell)), rows_(std::max(0, mapHeight / kCell)),
      free_(static_cast<size_t>(cols_) * rows_, kFree) {
    // The cells whose dog position satisfies test(x, y), among those whose
    // position could lie in [left, right) x [top, bottom).
    auto mark = [&](int left, int top, int right, int bottom, char value, auto test) {
        const int c0 = std::max(0, (left + kCell - 1) / kCell), c1 = std::min(cols_ - 1, (right - 1) / kCell);
        const int r0 = std::max(0, (top + kCell - 1) / kCell), r1 = std::min(rows_ - 1, (bottom - 1) / kCell);
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c) {
                char& cell = free_[r * cols_ + c];
                if (cell != kBlocked && test(c * kCell, r * kCell)) cell = value;
            }
        }
    };
    for (const platform::RECT& f : forbidden) {
        mark(f.left, f.top, f.right, f.bottom, kForbidden, [&](int x, int y) { return Inside(f, x, y); });
    }
    // A position is blocked when the footprint with its margin overlaps a block.
    for (const platform::RECT& b : blocks) {
        mark(b.left - dog.halfWidth - kSafety + 1, b.top - dog.halfHeight - kSafety + 1,
             b.right + dog.halfWidth + kSafety, b.bottom + dog.halfHeight + kSafety, kBlocked, [](int, int) { return true; });
    }
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const int x = c * kCell, y = r * kCell;
            if (x < kMarginLeft || y < kMarginTop || x >= mapWidth - kMarginRight || y >= mapHeight - kMarginBottom) {
                free_[r * cols_ + c] = kBlocked;
            }
        }
    }
}

bool WalkGrid::Free(int x, int y) const {
    return FreeCell((x + kCell / 2) / kCell, (y + kCell / 2) / kCell);
}

bool WalkGrid::Forbidden(int x, int y) const {
    const int c = (x + kCell / 2) / kCell, r = (y + kCell / 2) / kCell;
    return c >= 0 && r >= 0 && c < cols_ && r < rows_ && free_[r * cols_ + c] == kForbidden;
}

void WalkGrid::BlockStep(Point from, Point to) {
    const int c0 = (from.x + kCell / 2) / kCell, r0 = (from.y + kCell / 2) / kCell;
    const int c1 = (to.x + kCell / 2) / kCell, r1 = (to.y + kCell / 2) / kCell;
    if (std::abs(c1 - c0) > 1 || std::abs(r1 - r0) > 1 || (c0 == c1 && r0 == r1)) return;
    if (c0 < 0 || r0 < 0 || c1 < 0 || r1 < 0 || c0 >= cols_ || c1 >= cols_ || r0 >= rows_ || r1 >= rows_) return;
    const int a = r0 * cols_ + c0, b = r1 * cols_ + c1;
    blockedSteps_.push_back({std::min(a, b), std::max(a, b)});
}

bool WalkGrid::StepBlocked(int at, int next) const {
    if (blockedSteps_.empty()) return false;
    const std::pair<int, int> step{std::min(at, next), std::max(at, next)};
    return std::find(blockedSteps_.begin(), blockedSteps_.end(), step) != blockedSteps_.end();
}

std::vector<Point> WalkGrid::Path(Point from, const std::function<bool(int, int)>& goal) const {
    int c0 = (from.x + kCell / 2) / kCell, r0 = (from.y + kCell / 2) / kCell;
    if (c0 < 0 || r0 < 0 || c0 >= cols_ || r0 >= rows_) return {};
    // The dog can stand closer to things than the margin allows (it put
    // something down there): the walk starts from the nearest cell that is
    // not blocked, a few cells at most.
    if (free_[r0 * cols_ + c0] == kBlocked) {
        int best = -1, bestDistance = 0;
        for (int dr = -kEscapeCells; dr <= kEscapeCells; ++dr) {
            for (int dc = -kEscapeCells; dc <= kEscapeCells; ++dc) {
                const int c = c0 + dc, r = r0 + dr;
                if (c < 0 || r < 0 || c >= cols_ || r >= rows_ || free_[r * cols_ + c] == kBlocked) continue;
                const int distance = dc * dc + dr * dr;
                if (best < 0 || distance < bestDistance) {
                    best = r * cols_ + c;
                    bestDistance = distance;
                }
            }
        }
        if (best < 0) return {};
        c0 = best % cols_;
        r0 = best / cols_;
    }
    std::vector<int> cells;
    int at = r0 * cols_ + c0;
    const int start = at;
    auto atGoal = [&](int cell) { return goal(cell % cols_ * kCell, cell / cols_ * kCell); };
    if (free_[at] == kForbidden) {
        // Beside the door the dog just came out of: first the nearest place
        // it may stand, then the walk from there.
        cells = Search(at, true, [this](int cell) { return free_[cell] == kFree; });
        if (cells.empty()) return {};
        at = cells.back();
        cells.pop_back();
    }
    std::vector<int> walk = Search(at, false, atGoal);
    if (walk.empty() && free_[start] == kForbidden) {
        // The nearest free place was a pocket cut off from the goal.
        cells.clear();
        walk = SearchOutOfForbidden(start, atGoal);
    }
    if (walk.empty()) return {};
    cells.insert(cells.end(), walk.begin(), walk.end());
    std::vector<Point> path;
    for (int cell : cells) path.push_back({cell % cols_ * kCell, cell / cols_ * kCell});
    return path;
}

std::vector<int> WalkGrid::Distances(const std::function<bool(int, int)>& source) const {
    std::vector<int> steps(free_.size(), -1);
    std::deque<int> queue;
    for (int cell = 0; cell < static_cast<int>(free_.size()); ++cell) {
        if (free_[cell] == kFree && source(cell % cols_ * kCell, cell / cols_ * kCell)) {
            steps[cell] = 0;
            queue.push_back(cell);
        }
    }
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        const int c = at % cols_, r = at / cols_;
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                const int nc = c + dc, nr = r + dr;
                if ((!dc && !dr) || !FreeCell(nc, nr) || steps[nr * cols_ + nc] >= 0) continue;
                if (dc && dr && (!FreeCell(c + dc, r) || !FreeCell(c, r + dr))) continue;
                if (StepBlocked(at, nr * cols_ + nc)) continue;
                steps[nr * cols_ + nc] = steps[at] + 1;
                queue.push_back(nr * cols_ + nc);
            }
        }
    }
    return steps;
}

int WalkGrid::NearestDistance(const std::vector<int>& distances, Point at, int radius) const {
    int best = -1;
    const int reach = radius / kCell + 1;
    const int c0 = (at.x + kCell / 2) / kCell, r0 = (at.y + kCell / 2) / kCell;
    for (int r = r0 - reach; r <= r0 + reach; ++r) {
        for (int c = c0 - reach; c <= c0 + reach; ++c) {
            if (c < 0 || r < 0 || c >= cols_ || r >= rows_) continue;
            const int dx = c * kCell - at.x, dy = r * kCell - at.y;
            const int d = distances[r * cols_ + c];
            if (d >= 0 && dx * dx + dy * dy < radius * radius && (best < 0 || d < best)) best = d;
        }
    }
    return best;
}

bool WalkGrid::Open(int c, int r, bool throughForbidden) const {
    if (c < 0 || r < 0 || c >= cols_ || r >= rows_) return false;
    const char cell = free_[r * cols_ + c];
    return cell == kFree || (throughForbidden && cell == kForbidden);
}

bool WalkGrid::CanStep(int c, int r, int dc, int dr, bool throughForbidden) const {
    if (!Open(c + dc, r + dr, throughForbidden)) return false;
    // Diagonal steps only where both straight neighbours are open too.
    if (dc && dr && (!Open(c + dc, r, throughForbidden) || !Open(c, r + dr, throughForbidden))) return false;
    return !StepBlocked(r * cols_ + c, (r + dr) * cols_ + c + dc);
}

std::vector<int> WalkGrid::Search(int start, bool throughForbidden, const std::function<bool(int)>& goal) const {
    std::vector<int> cameFrom(free_.size(), -2);
    std::deque<int> queue{start};
    cameFrom[start] = -1;
    int found = -1;
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        const int c = at % cols_, r = at / cols_;
        if ((free_[at] == kFree || throughForbidden) && goal(at)) {
            found = at;
            break;
        }
        for (const auto& step : kSteps) {
            const int nc = c + step[0], nr = r + step[1];
            if (!CanStep(c, r, step[0], step[1], throughForbidden) || cameFrom[nr * cols_ + nc] != -2) continue;
            cameFrom[nr * cols_ + nc] = at;
            queue.push_back(nr * cols_ + nc);
        }
    }
    std::vector<int> cells;
    for (int at = found; at >= 0; at = cameFrom[at]) cells.push_back(at);
    std::reverse(cells.begin(), cells.end());
    return cells;
}

std::vector<int> WalkGrid::SearchOutOfForbidden(int start, const std::function<bool(int)>& goal) const {
    // States are cells twice over: still in the forbidden area (0) or out of
    // it on free cells (1), never to go back in.
    const int count = static_cast<int>(free_.size());
    std::vector<int> cameFrom(2 * free_.size(), -2);
    std::deque<int> queue{start};
    cameFrom[start] = -1;
    int found = -1;
    while (!queue.empty()) {
        const int state = queue.front();
        queue.pop_front();
        const int layer = state / count, at = state % count, c = at % cols_, r = at / cols_;
        if (layer == 1 && goal(at)) {
            found = state;
            break;
        }
        for (const auto& step : kSteps) {
            if (!CanStep(c, r, step[0], step[1], layer == 0)) continue;
            const int next = (r + step[1]) * cols_ + c + step[0];
            const int nextState = (free_[next] == kFree ? 1 : 0) * count + next;
            if (cameFrom[nextState] != -2) continue;
            cameFrom[nextState] = state;
            queue.push_back(nextState);
        }
    }
    std::vector<int> cells;
    for (int state = found; state >= 0; state = cameFrom[state]) cells.push_back(state % count);
    std::reverse(cells.begin(), cells.end());
    return cells;
}

}  // namespace bot
