#include "assetgen/world_measure.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>

#include "assetgen/world_reach.h"

namespace assetgen {
namespace {

using namespace world::lnd;

constexpr int kStep = 4;          // walk grid, as the walk check steps
constexpr int kSampleEvery = 4;   // hidden share: every 16 pixels each way
constexpr int kBucket = 200;      // sprite index cells

struct Drawn {
    int64_t depth;
    int x, y;             // top-left on the map
    int w, h;             // one frame
    const OpaqueMask* mask;
};

int64_t DepthKey(int x, int y, const Rect& footprint) {
    return int64_t(y + footprint.top) * 3000 + x + footprint.left;
}

class WalkDistances {
public:
    WalkDistances(int mapW, int mapH, const std::vector<Rect>& blocks)
        : cols_(std::max(0, (mapW - kWalkMarginRight - kWalkMarginLeft + kStep - 1) / kStep)),
          rows_(std::max(0, (mapH - kWalkMarginBottom - kWalkMarginTop + kStep - 1) / kStep)),
          blocked_(size_t(cols_) * rows_, 0), dist_(size_t(cols_) * rows_, -1) {
        for (const Rect& b : blocks) {
            // Grid positions whose footprint overlaps b.
            const int left = Ceil(b.left - kDogHalfW + 1 - kWalkMarginLeft), right = Floor(b.right + kDogHalfW - 1 - kWalkMarginLeft);
            const int top = Ceil(b.top - kDogHalfH + 1 - kWalkMarginTop), bottom = Floor(b.bottom + kDogHalfH - 1 - kWalkMarginTop);
            for (int r = std::max(0, top); r <= std::min(rows_ - 1, bottom); ++r)
                for (int c = std::max(0, left); c <= std::min(cols_ - 1, right); ++c) blocked_[Index(c, r)] = 1;
        }
    }

    void Flood(int x, int y) {
        if (cols_ <= 0 || rows_ <= 0) return;
        const int c = std::clamp((x - kWalkMarginLeft + kStep / 2) / kStep, 0, cols_ - 1);
        const int r = std::clamp((y - kWalkMarginTop + kStep / 2) / kStep, 0, rows_ - 1);
        if (blocked_[Index(c, r)]) return;
        std::deque<std::pair<int, int>> queue{{c, r}};
        dist_[Index(c, r)] = 0;
        while (!queue.empty()) {
            const auto [qc, qr] = queue.front();
            queue.pop_front();
            static const int kN[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& n : kN) {
                const int nc = qc + n[0], nr = qr + n[1];
                if (nc < 0 || nr < 0 || nc >= cols_ || nr >= rows_) continue;
                const size_t i = Index(nc, nr);
                if (blocked_[i] || dist_[i] >= 0) continue;
                dist_[i] = dist_[Index(qc, qr)] + 1;
                queue.push_back({nc, nr});
            }
        }
    }

    int cols() const { return cols_; }
    int rows() const { return rows_; }
    int X(int c) const { return kWalkMarginLeft + c * kStep; }
    int Y(int r) const { return kWalkMarginTop + r * kStep; }
    // Walked pixels from the flood's start, or -1 where the walk never came.
    int Distance(int c, int r) const {
        const int d = dist_[Index(c, r)];
        return d < 0 ? -1 : d * kStep;
    }

private:
    size_t Index(int c, int r) const { return size_t(r) * size_t(cols_) + size_t(c); }
    static int Ceil(int v) { return v >= 0 ? (v + kStep - 1) / kStep : -((-v) / kStep); }
    static int Floor(int v) { return v >= 0 ? v / kStep : -((-v + kStep - 1) / kStep); }
    int cols_, rows_;
    std::vector<uint8_t> blocked_;
    std::vector<int> dist_;
};

// Cells of the maze the dog can enter by exactly one side.
int CountDeadEnds(const WalkDistances& walk, int mapW, int mapH) {
    const int gw = (mapW + kMeasureCell - 1) / kMeasureCell, gh = (mapH + kMeasureCell - 1) / kMeasureCell;
    std::vector<uint8_t> entered(size_t(gw) * gh, 0), openRight(size_t(gw) * gh, 0), openDown(size_t(gw) * gh, 0);
    for (int r = 0; r < walk.rows(); ++r)
        for (int c = 0; c < walk.cols(); ++c) {
            if (walk.Distance(c, r) < 0) continue;
            const int cell = (walk.Y(r) / kMeasureCell) * gw + walk.X(c) / kMeasureCell;
            entered[size_t(cell)] = 1;
            if (c + 1 < walk.cols() && walk.Distance(c + 1, r) >= 0 && walk.X(c + 1) / kMeasureCell != walk.X(c) / kMeasureCell)
                openRight[size_t(cell)] = 1;
            if (r + 1 < walk.rows() && walk.Distance(c, r + 1) >= 0 && walk.Y(r + 1) / kMeasureCell != walk.Y(r) / kMeasureCell)
                openDown[size_t(cell)] = 1;
        }
    int deadEnds = 0;
    for (int cell = 0; cell < gw * gh; ++cell) {
        if (!entered[size_t(cell)]) continue;
        const int x = cell % gw, y = cell / gw;
        const int sides = openRight[size_t(cell)] + openDown[size_t(cell)] + (x > 0 ? openRight[size_t(cell - 1)] : 0) +
                          (y > 0 ? openDown[size_t(cell - gw)] : 0);
        deadEnds += sides == 1 ? 1 : 0;
    }
    return deadEnds;
}

// Everything the land screen draws from the level, with its depth key.
std::vector<Drawn> DrawnSprites(const LandFileData& data, const std::map<std::string, OpaqueMask>& masks) {
    std::vector<Drawn> out;
    auto add = [&](const std::string& name, int frames, int x, int y, const Rect& footprint) {
        const auto it = masks.find(name);
        if (it == masks.end()) return;
        const OpaqueMask& m = it->second;
        out.push_back({DepthKey(x, y, footprint), x, y, m.width / std::max(1, frames), m.height, &m});
    };
    for (const Placement& p : data.placements)
        if (p.image < data.images.size()) add(data.images[p.image].bitmap, 1, p.x, p.y, data.images[p.image].footprint);
    for (const Section& s : data.sections) {
        for (const AnimPlacement& p : s.animPlacements)
            if (p.strip < s.strips.size()) add(s.strips[p.strip].bitmap, s.strips[p.strip].frameCount, p.x, p.y, s.strips[p.strip].footprint);
        for (const Actor& a : s.actors) {
            const auto it = masks.find(a.bitmap);
            if (it == masks.end()) continue;
            const int h = it->second.height;
            const bool based = a.kind == actor::kProximity || (a.kind >= actor::kIconPostFirst && a.kind <= actor::kIconPostFirst + 2);
            if (a.kind == actor::kWatcher || based) add(a.bitmap, std::max(1, a.frameCount), a.x, a.y, based ? Rect{0, h - 5, 0, h} : Rect{0, 0, 0, 0});
        }
    }
    return out;
}

}  // namespace

LevelMeasures MeasureLand(const LandFileData& data, const MaskOf& maskOf, bot::Footprint dog) {
    LevelMeasures m;
    std::map<std::string, OpaqueMask> masks;
    auto remember = [&](const std::string& name) {
        if (masks.count(name)) return;
        OpaqueMask mask;
        if (maskOf(name, &mask)) masks.emplace(name, std::move(mask));
    };
    for (const Image& image : data.images) remember(image.bitmap);
    for (const Section& s : data.sections) {
        for (const Strip& strip : s.strips) remember(strip.bitmap);
        for (const Actor& a : s.actors) remember(a.bitmap);
    }
    const BitmapSize sizeOf = [&](const std::string& name, int* w, int* h) {
        const auto it = masks.find(name);
        if (it == masks.end()) return false;
        *w = it->second.width;
        *h = it->second.height;
        return true;
    };
    const int mapW = data.tiles.tileWidth * data.tiles.columns, mapH = data.tiles.tileHeight * data.tiles.rows;
    WalkDistances walk(mapW, mapH, BlockingFootprints(data, Reader::Land, sizeOf, nullptr));
    for (const Section& s : data.sections)
        for (const Door& d : s.doors)
            if (!d.isDoor) walk.Flood(d.area.left + 20, d.area.bottom + 50);

    m.deadEnds = CountDeadEnds(walk, mapW, mapH);

    // Icon spots: the shortest walk that comes within reach of each.
    int64_t total = 0;
    int reached = 0;
    for (const Section& s : data.sections)
        for (const Spot& spot : s.spots) {
            int best = -1;
            for (int r = 0; r < walk.rows(); ++r) {
                if (std::abs(walk.Y(r) - spot.y) > kIconReachDistance) continue;
                for (int c = 0; c < walk.cols(); ++c) {
                    const int d = walk.Distance(c, r);
                    if (d >= 0 && std::abs(walk.X(c) - spot.x) <= kIconReachDistance && (best < 0 || d < best)) best = d;
                }
            }
            if (best < 0) continue;
            total += best;
            ++reached;
        }
    m.meanIconDistance = reached ? int(total / reached) : 0;
    // Out of reach by the player bot's own judgement, the one the generator
    // places the spots by.
    const LandWalkJudge judge(data, sizeOf, dog);
    for (const Section& s : data.sections)
        for (const Spot& spot : s.spots) m.unreachedSpots += judge.ReachesIconSpot(spot.x, spot.y) ? 0 : 1;

    // Hidden share: sprites bucketed by the map cells their frame covers.
    const std::vector<Drawn> drawn = DrawnSprites(data, masks);
    const int bw = mapW / kBucket + 1, bh = mapH / kBucket + 1;
    std::vector<std::vector<const Drawn*>> buckets(size_t(bw) * bh);
    for (const Drawn& d : drawn)
        for (int by = std::max(0, d.y / kBucket); by <= std::min(bh - 1, (d.y + d.h) / kBucket); ++by)
            for (int bx = std::max(0, d.x / kBucket); bx <= std::min(bw - 1, (d.x + d.w) / kBucket); ++bx)
                buckets[size_t(by) * bw + bx].push_back(&d);
    constexpr int boxW = kDogBoxRight - kDogBoxLeft, boxH = kDogBoxBottom - kDogBoxTop;
    std::vector<uint8_t> cover(size_t(boxW) * boxH);
    int hidden = 0;
    for (int r = 0; r < walk.rows(); r += kSampleEvery)
        for (int c = 0; c < walk.cols(); c += kSampleEvery) {
            if (walk.Distance(c, r) < 0) continue;
            ++m.walkableSamples;
            const int x = walk.X(c), y = walk.Y(r);
            const int64_t dogDepth = DepthKey(x, y, {-kDogHalfW, -kDogHalfH, kDogHalfW, kDogHalfH});
            const int left = x + kDogBoxLeft, top = y + kDogBoxTop;
            std::fill(cover.begin(), cover.end(), uint8_t(0));
            std::vector<const Drawn*> seen;
            for (int by = std::max(0, top / kBucket); by <= std::min(bh - 1, (top + boxH) / kBucket); ++by)
                for (int bx = std::max(0, left / kBucket); bx <= std::min(bw - 1, (left + boxW) / kBucket); ++bx)
                    for (const Drawn* d : buckets[size_t(by) * bw + bx]) {
                        if (d->depth <= dogDepth || std::find(seen.begin(), seen.end(), d) != seen.end()) continue;
                        seen.push_back(d);
                        const int x0 = std::max(left, d->x), x1 = std::min(left + boxW, d->x + d->w);
                        const int y0 = std::max(top, d->y), y1 = std::min(top + boxH, d->y + d->h);
                        for (int py = y0; py < y1; ++py)
                            for (int px = x0; px < x1; ++px)
                                if (d->mask->opaque[size_t(py - d->y) * d->mask->width + (px - d->x)])
                                    cover[size_t(py - top) * boxW + (px - left)] = 1;
                    }
            int covered = 0;
            for (uint8_t v : cover) covered += v;
            hidden += covered * 2 > boxW * boxH ? 1 : 0;
        }
    m.hiddenShare = m.walkableSamples ? double(hidden) / m.walkableSamples : 0;
    return m;
}

}  // namespace assetgen
