#include "assetgen/world_lands.h"

#include "assetgen/world_reach.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <set>

#include "assetgen/world_tiles.h"

namespace assetgen {
namespace {

using namespace world::lnd;

constexpr int kGridW = kLandColumns * kTileSize / kCellSize;  // 16
constexpr int kGridH = kLandRows * kTileSize / kCellSize;     // 12
constexpr int kCells = kGridW * kGridH;
// The cat starts at (1325, 1550): this cell stays open ground.
constexpr int kCatCell = (1550 / kCellSize) * kGridW + 1325 / kCellSize;

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed) {}
    int Next(int n) {
        state_ = state_ * 1103515245u + 12345u;
        return n > 0 ? int((state_ >> 8) % uint32_t(n)) : 0;
    }

private:
    uint32_t state_;
};

// Walls: right[c] closes the edge between cell c and the one to its right,
// down[c] the edge to the cell below.
struct Maze {
    std::vector<uint8_t> right = std::vector<uint8_t>(kCells, 1), down = std::vector<uint8_t>(kCells, 1);
    std::vector<std::pair<int, int>> treeEdges;

    bool Open(int a, int b) const {
        if (b == a + 1 && a % kGridW != kGridW - 1) return !right[a];
        if (b == a - 1 && b % kGridW != kGridW - 1) return !right[b];
        if (b == a + kGridW) return !down[a];
        if (b == a - kGridW) return !down[b];
        return false;
    }
    std::vector<int> Neighbours(int c) const {
        std::vector<int> out;
        const int x = c % kGridW, y = c / kGridW;
        if (x > 0) out.push_back(c - 1);
        if (x < kGridW - 1) out.push_back(c + 1);
        if (y > 0) out.push_back(c - kGridW);
        if (y < kGridH - 1) out.push_back(c + kGridW);
        return out;
    }
    void OpenEdge(int a, int b) {
        if (a > b) std::swap(a, b);
        if (b == a + 1) right[a] = 0;
        else down[a] = 0;
    }
    // Steps from a cell to every other cell through open edges.
    std::vector<int> Distances(int from) const {
        std::vector<int> d(kCells, -1);
        std::deque<int> q{from};
        d[size_t(from)] = 0;
        while (!q.empty()) {
            const int c = q.front();
            q.pop_front();
            for (int n : Neighbours(c))
                if (d[size_t(n)] < 0 && Open(c, n)) {
                    d[size_t(n)] = d[size_t(c)] + 1;
                    q.push_back(n);
                }
        }
        return d;
    }
    int OpenSides(int c) const {
        int n = 0;
        for (int m : Neighbours(c)) n += Open(c, m) ? 1 : 0;
        return n;
    }
};

Maze BuildMaze(Rng& rng, int difficulty) {
    Maze maze;
    // Depth-first carving gives long winding corridors.
    std::vector<uint8_t> seen(kCells, 0);
    std::vector<int> stack{kCatCell};
    seen[kCatCell] = 1;
    while (!stack.empty()) {
        const int c = stack.back();
        std::vector<int> fresh;
        for (int n : maze.Neighbours(c))
            if (!seen[size_t(n)]) fresh.push_back(n);
        if (fresh.empty()) {
            stack.pop_back();
            continue;
        }
        const int n = fresh[size_t(rng.Next(int(fresh.size())))];
        maze.OpenEdge(c, n);
        maze.treeEdges.push_back({c, n});
        seen[size_t(n)] = 1;
        stack.push_back(n);
    }
    // Easier lands open most of the remaining walls.
    const int percent = difficulty == 1 ? 70 : difficulty == 2 ? 35 : 8;
    for (int c = 0; c < kCells; ++c) {
        if (c % kGridW != kGridW - 1 && maze.right[size_t(c)] && rng.Next(100) < percent) maze.right[size_t(c)] = 0;
        if (c / kGridW != kGridH - 1 && maze.down[size_t(c)] && rng.Next(100) < percent) maze.down[size_t(c)] = 0;
    }
    if (difficulty == 1) {
        // Easy lands have no dead ends: a cell with one way in gets a second.
        for (int c = 0; c < kCells; ++c) {
            if (maze.OpenSides(c) != 1) continue;
            std::vector<int> closed;
            for (int n : maze.Neighbours(c))
                if (!maze.Open(c, n)) closed.push_back(n);
            if (!closed.empty()) maze.OpenEdge(c, closed[size_t(rng.Next(int(closed.size())))]);
        }
    }
    return maze;
}

int CellLeft(int c) { return (c % kGridW) * kCellSize; }
int CellTop(int c) { return (c / kGridW) * kCellSize; }

struct Builder {
    LandFileData data;
    Section spots, zones, doors, anims, actors;
    enum ImageId { WallH, WallV, Post, Tree, Prop, Hut, Hall, Gate, Hole, ImageCount };

    void Place(ImageId id, int x, int y) { data.placements.push_back({uint32_t(id), x, y}); }
};

Rect Offset(const Rect& r, int x, int y) { return {r.left + x, r.top + y, r.right + x, r.bottom + y}; }

// Path and feature terrains at the corners of the tiles, then the tiles.
void PaintGround(Builder& b, const Maze& maze, Rng& rng, Place land, const std::vector<int>& featureCells) {
    const int vw = kLandColumns + 1, vh = kLandRows + 1;
    std::vector<uint8_t> corner(size_t(vw) * vh, uint8_t(Terrain::Ground));
    auto at = [&](int vx, int vy) -> uint8_t& { return corner[size_t(vy) * vw + vx]; };
    // Paths along the maze's tree, from cell centre to cell centre.
    for (const auto& [a, c] : maze.treeEdges) {
        const int ax = CellLeft(a) + kCellSize / 2, ay = CellTop(a) + kCellSize / 2;
        const int cx = CellLeft(c) + kCellSize / 2, cy = CellTop(c) + kCellSize / 2;
        for (int vy = std::min(ay, cy) / kTileSize - 1; vy <= std::max(ay, cy) / kTileSize + 2; ++vy)
            for (int vx = std::min(ax, cx) / kTileSize - 1; vx <= std::max(ax, cx) / kTileSize + 2; ++vx) {
                if (vx < 0 || vy < 0 || vx >= vw || vy >= vh) continue;
                const int px = vx * kTileSize, py = vy * kTileSize;
                const int dx = std::max({std::min(ax, cx) - px, 0, px - std::max(ax, cx)});
                const int dy = std::max({std::min(ay, cy) - py, 0, py - std::max(ay, cy)});
                if (dx * dx + dy * dy <= 34 * 34) at(vx, vy) = uint8_t(Terrain::Path);
            }
    }
    // Blobs of the land's feature in some cells, kept one corner away from paths.
    const int radius = land == Place::Wetland || land == Place::Celtic ? 130 : 90;
    for (int c : featureCells) {
        const int cx = CellLeft(c) + kCellSize / 2 + rng.Next(41) - 20, cy = CellTop(c) + kCellSize / 2 + rng.Next(41) - 20;
        for (int vy = (cy - radius) / kTileSize; vy <= (cy + radius) / kTileSize + 1; ++vy)
            for (int vx = (cx - radius) / kTileSize; vx <= (cx + radius) / kTileSize + 1; ++vx) {
                if (vx < 0 || vy < 0 || vx >= vw || vy >= vh) continue;
                const int dx = vx * kTileSize - cx, dy = vy * kTileSize - cy;
                const int wobble = int(Hash(vx, vy, uint32_t(c)) % 24);
                if (dx * dx + dy * dy <= (radius - wobble) * (radius - wobble) && at(vx, vy) == uint8_t(Terrain::Ground))
                    at(vx, vy) = uint8_t(Terrain::Feature);
            }
    }
    for (int vy = 0; vy < vh; ++vy)
        for (int vx = 0; vx < vw; ++vx) {
            if (at(vx, vy) != uint8_t(Terrain::Feature)) continue;
            for (int ny = std::max(0, vy - 1); ny <= std::min(vh - 1, vy + 1); ++ny)
                for (int nx = std::max(0, vx - 1); nx <= std::min(vw - 1, vx + 1); ++nx)
                    if (at(nx, ny) == uint8_t(Terrain::Path)) at(vx, vy) = uint8_t(Terrain::Ground);
        }
    b.data.cells.resize(size_t(kLandColumns) * kLandRows);
    for (int c = 0; c < kLandColumns; ++c)
        for (int r = 0; r < kLandRows; ++r) {
            const uint8_t k[4] = {at(c, r), at(c + 1, r), at(c, r + 1), at(c + 1, r + 1)};
            Terrain other = Terrain::Ground;
            int mask = 0;
            for (int i = 0; i < 4; ++i)
                if (k[i] != uint8_t(Terrain::Ground)) {
                    other = Terrain(k[i]);
                    mask |= 1 << i;
                }
            const int variant = int(Hash(c, r, uint32_t(land) + 77) % 7);  // plain tiles: variant 0 most often
            b.data.cells[size_t(c) * kLandRows + r] = TileNumber(other, mask, variant < 4 ? variant : 0);
        }
}

void PlaceBarriers(Builder& b, const Maze& maze, const LandArt& art) {
    std::set<std::pair<int, int>> posts;
    for (int c = 0; c < kCells; ++c) {
        const int x = CellLeft(c), y = CellTop(c);
        if (c % kGridW != kGridW - 1 && maze.right[size_t(c)]) {
            const int gx = x + kCellSize;
            for (int k = 0; k < kCellSize / kWallStep; ++k)
                b.Place(Builder::WallV, gx - art.wallV.FrameWidth() / 2, y + kWallStep * (k + 1) - art.wallV.Height());
            posts.insert({gx, y});
            posts.insert({gx, y + kCellSize});
        }
        if (c / kGridW != kGridH - 1 && maze.down[size_t(c)]) {
            const int gy = y + kCellSize;
            b.Place(Builder::WallH, x, gy + 20 - art.wallH.Height());
            posts.insert({x, gy});
            posts.insert({x + kCellSize, gy});
        }
    }
    for (const auto& [gx, gy] : posts) {
        // Posts on the map's border would stand half outside it.
        if (gx <= 0 || gy <= 0 || gx >= kLandColumns * kTileSize || gy >= kLandRows * kTileSize) continue;
        b.Place(Builder::Post, gx - art.post.FrameWidth() / 2, gy + 20 - art.post.Height());
    }
}

// Every icon spot where the player bot's walk reaches it: a spot the walk
// cannot come within the dog's reach of moves within its cell, else to a
// free cell, to the first place whose icon stands clear and is reached.
void KeepSpotsInReach(Builder& b, const LandArt& art, const std::vector<int>& order, std::vector<uint8_t>& used,
                      int difficulty, bot::Footprint dog) {
    b.data.sections = {b.spots, b.zones, b.doors, b.anims, b.actors};
    const BitmapSize sizeOf = [&](const std::string& name, int* w, int* h) {
        for (const ArtPiece* piece : AllPieces(art)) {
            if (piece->file != name) continue;
            *w = piece->picture.width();
            *h = piece->picture.height();
            return true;
        }
        return false;
    };
    const LandWalkJudge judge(b.data, sizeOf, dog);
    auto fits = [&](int x, int y) { return judge.SpotClear(x, y) && judge.ReachesIconSpot(x, y); };
    for (Spot& spot : b.spots.spots) {
        if (fits(spot.x, spot.y)) continue;
        const int cell = (spot.y / kCellSize) * kGridW + spot.x / kCellSize;
        const int cx = CellLeft(cell) + kCellSize / 2, cy = CellTop(cell) + kCellSize / 2 - 10;
        bool moved = false;
        for (int dy : {0, 30, -30})
            for (int dx : {0, 45, -45, 20, -20})
                if (!moved && fits(cx + dx, cy + dy)) {
                    spot = {cx + dx, cy + dy};
                    moved = true;
                }
        // Else a free cell, in the order the level prefers (far on hard).
        for (size_t k = 0; !moved && k < order.size(); ++k) {
            const int c = order[difficulty == 3 ? order.size() - 1 - k : k];
            if (used[size_t(c)]) continue;
            const int x = CellLeft(c) + kCellSize / 2, y = CellTop(c) + kCellSize / 2 - 10;
            if (fits(x, y)) {
                used[size_t(c)] = 1;
                spot = {x, y};
                moved = true;
            }
        }
    }
}

}  // namespace

LandFileData MakeLandLevel(Place land, int difficulty, const LandArt& art) {
    constexpr int kBuildingFoot = 130;
    Rng rng(uint32_t(land) * 7919u + uint32_t(difficulty) * 104729u + 17u);
    Builder b;
    b.data.tiles = {"tiles.bmp", kTileSize, kTileSize, kLandColumns, kLandRows};
    const ArtPiece* images[Builder::ImageCount] = {&art.wallH, &art.wallV, &art.post, &art.tree, &art.prop,
                                                    &art.hut, &art.hall, &art.gate, &art.hole};
    for (const ArtPiece* piece : images) b.data.images.push_back({piece->file, piece->footprint});

    Maze maze = BuildMaze(rng, difficulty);
    // The way home sits beside the cat's cell, with the icon posts next to it.
    const int startCell = kCatCell + 1;
    maze.OpenEdge(kCatCell, startCell);
    const std::vector<int> dist = maze.Distances(startCell);
    std::vector<uint8_t> used(kCells, 0);
    used[kCatCell] = used[startCell] = 1;
    const int signCell = startCell - kGridW;  // the cell above: icon posts
    maze.OpenEdge(startCell, signCell);
    used[size_t(signCell)] = 1;

    // Cells ordered by how far they are from home; ties by a fixed shuffle.
    std::vector<int> order;
    for (int c = 0; c < kCells; ++c)
        if (!used[size_t(c)]) order.push_back(c);
    std::vector<int> tie(kCells);
    for (int& t : tie) t = rng.Next(1 << 20);
    std::sort(order.begin(), order.end(), [&](int a, int c) {
        return dist[size_t(a)] != dist[size_t(c)] ? dist[size_t(a)] < dist[size_t(c)] : tie[size_t(a)] < tie[size_t(c)];
    });
    auto anyCell = [](int) { return true; };
    // The free cell nearest a relative rank (0 near, 1000 far) of the
    // distance order that suits the piece.
    auto take = [&](int rank, auto suits) {
        const int n = int(order.size());
        const int i = std::clamp(rank * (n - 1) / 1000, 0, n - 1);
        for (int k = 0; k < n; ++k) {
            const int c = order[size_t((i + k) % n)];
            if (!used[size_t(c)] && suits(c)) {
                used[size_t(c)] = 1;
                return c;
            }
        }
        return -1;
    };
    // A building blocks its cell from side to side, so it goes where nothing
    // comes in from above: a cell with its top edge closed and another side
    // open. Best a dead end: a way running on through the cell would pass
    // right under the door, which the dog takes when it walks into it.
    auto buildingCell = [&](int c) {
        const bool topClosed = c < kGridW || maze.down[size_t(c - kGridW)];
        return topClosed && maze.OpenSides(c) >= 1;
    };
    auto buildingDeadEnd = [&](int c) { return buildingCell(c) && maze.OpenSides(c) == 1; };

    // The way home (start area).
    {
        const int gx = CellLeft(startCell) + kCellSize / 2 - art.gate.FrameWidth() / 2, gy = CellTop(startCell) - 10;
        b.Place(Builder::Gate, gx, gy);
        b.doors.doors.push_back({Offset(art.gateArea, gx, gy), 0, "home"});
    }
    // Three sub-room doors and the main door, further away on harder levels.
    const int doorRanks[3][4] = {{150, 300, 450, 250}, {350, 600, 850, 500}, {550, 800, 990, 700}};
    for (int k = 0; k < 4; ++k) {
        int cell = take(doorRanks[difficulty - 1][k], buildingDeadEnd);
        if (cell < 0) cell = take(doorRanks[difficulty - 1][k], buildingCell);
        if (cell < 0) cell = take(doorRanks[difficulty - 1][k], anyCell);
        const bool main = k == 3;
        const ArtPiece& piece = main ? art.hall : art.hut;
        // The building's foot stands 34 pixels above the posts at the cell's
        // lower corners: room for the taller jet dog and a margin to pass
        // between them into the way under the door.
        const int x = CellLeft(cell) + kCellSize / 2 - piece.FrameWidth() / 2;
        const int y = CellTop(cell) + kBuildingFoot - piece.Height();
        b.Place(main ? Builder::Hall : Builder::Hut, x, y);
        const Rect area = Offset(main ? art.hallDoor : art.hutDoor, x, y);
        const std::string name = main ? "mainSub" : "Subroom" + std::to_string(k + 1);
        b.doors.doors.push_back({area, 1, name});
        b.zones.zones.push_back({area, main ? zone::kMainDoor : uint32_t(zone::kDoor1 + k)});
    }
    // Hole pairs: each pair joins a near cell and a far one. A hole in a
    // cell the way runs through would cut off what lies beyond it (the dog
    // cannot pass under a hole without falling in), so holes go in dead ends
    // where the maze has them.
    const int pairs = difficulty + 1;
    auto deadEnd = [&](int c) { return maze.OpenSides(c) == 1; };
    for (int k = 0; k < pairs; ++k) {
        for (int end = 0; end < 2; ++end) {
            const int rank = end == 0 ? 80 + k * 120 : 950 - k * 130;
            int cell = take(rank, deadEnd);
            if (cell < 0) cell = take(rank, anyCell);
            const int x = CellLeft(cell) + kCellSize / 2 - art.hole.FrameWidth() / 2, y = CellTop(cell) + 40;
            b.Place(Builder::Hole, x, y);
            b.zones.zones.push_back({Offset(art.holeArea, x, y), zone::kHotSpot});
        }
    }
    // Icon spots: near the paths on easy, in the far dead ends on hard.
    std::vector<int> spotCells;
    {
        std::vector<int> candidates;
        for (int c : order)
            if (!used[size_t(c)]) candidates.push_back(c);
        std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int c) {
            auto score = [&](int cell) {
                const int deadEnd = maze.OpenSides(cell) == 1 ? 1 : 0;
                const int far = dist[size_t(cell)];
                if (difficulty == 1) return -std::abs(far - 6) * 10 + int(Hash(cell, 1, 5) % 40);
                if (difficulty == 2) return far * 4 + deadEnd * 30 + int(Hash(cell, 2, 5) % 60);
                return far * 3 + deadEnd * 80 + int(Hash(cell, 3, 5) % 40);
            };
            return score(a) > score(c);
        });
        const size_t want = 28;
        for (int c : candidates) {
            if (spotCells.size() == want) break;
            // Spread: not next to a spot already taken.
            bool crowded = false;
            for (int s : spotCells)
                crowded = crowded || (std::abs(s % kGridW - c % kGridW) + std::abs(s / kGridW - c / kGridW) <= 1);
            if (!crowded) spotCells.push_back(c);
        }
        for (int c : candidates) {
            if (spotCells.size() == want) break;
            if (std::find(spotCells.begin(), spotCells.end(), c) == spotCells.end()) spotCells.push_back(c);
        }
        for (int c : spotCells) {
            used[size_t(c)] = 1;
            // On hard the icon sits off the middle of its cell.
            const int dx = difficulty == 3 ? (Hash(c, 9, 1) % 2 ? 45 : -45) : int(Hash(c, 9, 2) % 41) - 20;
            const int sx = CellLeft(c) + kCellSize / 2 + dx, sy = CellTop(c) + kCellSize / 2 - 10;
            b.spots.spots.push_back({sx, sy});
        }
    }
    // Animations in dead ends (their footprints fill the middle of a cell).
    const int animCount = 5, bannerCount = 4;
    b.anims.strips.push_back({art.anim.file, art.anim.footprint, art.anim.frames});
    b.anims.strips.push_back({art.banner.file, art.banner.footprint, art.banner.frames});
    for (int k = 0; k < animCount + bannerCount; ++k) {
        int cell = -1;
        for (int c : order)
            if (!used[size_t(c)] && (k >= animCount || maze.OpenSides(c) == 1) && (Hash(c, k, 3) % 3 == 0 || k >= animCount)) {
                cell = c;
                break;
            }
        if (cell < 0) continue;
        used[size_t(cell)] = 1;
        const ArtPiece& piece = k < animCount ? art.anim : art.banner;
        const int x = CellLeft(cell) + kCellSize / 2 - piece.FrameWidth() / 2 + (k < animCount ? 0 : 40);
        const int y = CellTop(cell) + 120 - piece.Height();
        b.anims.animPlacements.push_back({uint32_t(k < animCount ? 0 : 1), x, y, k < animCount ? 120 : 110, k < animCount ? 0 : 1});
    }
    // Actors: the proximity animation near home, watchers, the icon posts.
    {
        const int cell = take(40, anyCell);
        const int x = CellLeft(cell) + kCellSize / 2 - art.proximity.FrameWidth() / 2, y = CellTop(cell) + 120 - art.proximity.Height();
        b.actors.actors.push_back({actor::kProximity, art.proximity.file, art.proximity.frames, x, y});
    }
    const int watcherCount = 6 + 2 * difficulty;
    for (int k = 0; k < watcherCount && k < kMaxLandWatchers; ++k) {
        int cell = order[size_t((k * 37 + 11) % int(order.size()))];
        if (cell < kGridW) cell += kGridW;
        // On top of the barrier line at the cell's upper edge, left of centre.
        const int x = CellLeft(cell) + 30, y = CellTop(cell) - 44;
        b.actors.actors.push_back({actor::kWatcher, art.watcher.file, art.watcher.frames, x, y});
    }
    {
        const int x = CellLeft(signCell), y = CellTop(signCell);
        const int at[3][2] = {{80, -20}, {160, -20}, {120, 60}};
        for (int k = 0; k < 3; ++k)
            b.actors.actors.push_back({actor::kIconPostFirst + uint32_t(k), art.iconPost.file, 1, x + at[k][0], y + at[k][1]});
    }
    // Decorations in the cells that are left, at their corners.
    for (int c = 0; c < kCells; ++c) {
        if (used[size_t(c)] || c == kCatCell) continue;
        const uint32_t h = Hash(c, difficulty, uint32_t(land));
        if (h % 10 < 4) continue;
        const bool tree = h % 10 < 8;
        const ArtPiece& piece = tree ? art.tree : art.prop;
        const int left = (h >> 8) % 2 ? 24 : kCellSize - 24 - piece.footprint.right;
        const int x = CellLeft(c) + left - piece.footprint.left;
        const int y = (h >> 9) % 2 ? CellTop(c) + 36 - piece.footprint.top : CellTop(c) + kCellSize - 30 - piece.footprint.bottom;
        b.Place(tree ? Builder::Tree : Builder::Prop, x, y);
    }
    PlaceBarriers(b, maze, art);
    KeepSpotsInReach(b, art, order, used, difficulty, land == Place::Wetland ? bot::kJetDogFootprint : bot::kDogFootprint);

    std::vector<int> featureCells;
    for (int c = 0; c < kCells; ++c)
        if (Hash(c, 5, uint32_t(land)) % (land == Place::Wetland ? 2 : land == Place::Celtic ? 4 : 8) == 0 && c != kCatCell)
            featureCells.push_back(c);
    PaintGround(b, maze, rng, land, featureCells);

    b.spots.type = kIconSpots;
    b.spots.spotName = "icons";
    b.zones.type = kZones;
    b.doors.type = kDoors;
    b.anims.type = kAnimations;
    b.actors.type = kActors;
    // Zones before doors: a Zones section resets the door count, which the
    // Doors section then sets again from its own records.
    b.data.sections = {b.spots, b.zones, b.doors, b.anims, b.actors};
    return b.data;
}

}  // namespace assetgen
