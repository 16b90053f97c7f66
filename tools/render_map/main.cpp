// render_map: draws a whole place (tiles, scenery, animations and actors at
// rest, with icon spots, doors and holes marked) into a PNG for reviewing
// levels.
//
//   render_map <data folder> <level file> <out.png> [shrink]
//   render_map --all <data folder> <out folder>
//
// The level file is named relative to the data folder ("graphics/lands/
// celtic/easy.lnd" or with backslashes). shrink divides the picture size
// (default: 2 for maps wider than 1600 pixels, else 1).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "render_map/render_map_picture.h"
#include "world/pedestal_strip.h"
#include "world/land_file_reader.h"

namespace {

using namespace world::lnd;
using render_map::Bitmap;
using render_map::Canvas;

std::string Slashes(std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

Reader ReaderFor(const std::string& level) {
    const std::string l = Lower(level);
    if (l.find("mainsub") != std::string::npos) return Reader::MainSubRoom;
    if (l.find("subroom") != std::string::npos) return Reader::SubRoom;
    if (l.find("/den/") != std::string::npos || l.rfind("den.lnd") == l.size() - 7) return Reader::Den;
    return Reader::Land;
}

struct Drawable {
    int64_t depth;
    const Bitmap* bitmap;
    int sx, sw;  // source column and width (a strip frame)
    int x, y;
};

class Renderer {
public:
    Renderer(std::string dataDir, std::string level) : data_(std::move(dataDir)), level_(Slashes(std::move(level))) {
        const size_t slash = level_.rfind('/');
        folder_ = slash == std::string::npos ? "" : level_.substr(0, slash);
    }

    int Run(const std::string& out, int shrink) {
        LandFileData d;
        std::string error;
        if (!ReadLandFile(data_ + "/" + level_, &d, &error)) {
            std::fprintf(stderr, "render_map: %s\n", error.c_str());
            return 1;
        }
        const Bitmap* tiles = Load(InFolder(d.tiles.bitmap));
        if (!tiles) return 1;
        const int width = d.tiles.tileWidth * d.tiles.columns, height = d.tiles.tileHeight * d.tiles.rows;
        Canvas canvas(width, height, tiles->paletteRgb);
        const int perRow = std::max(1, tiles->width / d.tiles.tileWidth);
        for (int c = 0; c < d.tiles.columns; ++c)
            for (int r = 0; r < d.tiles.rows; ++r) {
                const int t = d.cells[size_t(c) * d.tiles.rows + r];
                if (t < 0) continue;
                canvas.Blit(*tiles, (t % perRow) * d.tiles.tileWidth, (t / perRow) * d.tiles.tileHeight, d.tiles.tileWidth,
                            d.tiles.tileHeight, c * d.tiles.tileWidth, r * d.tiles.tileHeight, false);
            }
        CollectSprites(d);
        std::stable_sort(items_.begin(), items_.end(), [](const Drawable& a, const Drawable& b) { return a.depth < b.depth; });
        for (const Drawable& item : items_) canvas.Blit(*item.bitmap, item.sx, 0, item.sw, item.bitmap->height, item.x, item.y, true);
        Mark(canvas, d);
        if (shrink <= 0) shrink = width > 1600 ? 2 : 1;
        if (!canvas.WritePng(out, shrink)) {
            std::fprintf(stderr, "render_map: cannot write %s\n", out.c_str());
            return 1;
        }
        std::printf("%s\n", out.c_str());
        return 0;
    }

private:
    std::string InFolder(const std::string& name) const { return folder_ + "/" + Slashes(name); }

    const Bitmap* Load(const std::string& relative) {
        auto it = cache_.find(relative);
        if (it != cache_.end()) return it->second.get();
        auto bitmap = std::make_unique<Bitmap>();
        if (!render_map::LoadBitmap(data_ + "/" + relative, bitmap.get())) {
            std::fprintf(stderr, "render_map: cannot load %s\n", relative.c_str());
            bitmap.reset();
        }
        return (cache_[relative] = std::move(bitmap)).get();
    }

    void Add(const Bitmap* b, int frame, int frames, const Rect& footprint, int x, int y) {
        if (!b) return;
        const int w = b->width / std::max(1, frames);
        items_.push_back({int64_t(y + footprint.top) * 3000 + x + footprint.left, b, frame * w, w, x, y});
    }

    void CollectSprites(const LandFileData& d) {
        const Reader reader = ReaderFor(level_);
        for (const Placement& p : d.placements) {
            if (p.image >= d.images.size()) continue;
            Add(Load(InFolder(d.images[p.image].bitmap)), 0, 1, d.images[p.image].footprint, p.x, p.y);
        }
        static const char* kFlags[3] = {"../../icons/balls/ballflag.bmp", "../../icons/Crockery/crockflg.bmp",
                                        "../../icons/Footware/shoeflag.bmp"};
        for (const Section& s : d.sections) {
            for (const AnimPlacement& p : s.animPlacements) {
                if (p.strip >= s.strips.size()) continue;
                const Strip& strip = s.strips[p.strip];
                Add(Load(InFolder(strip.bitmap)), 0, strip.frameCount, strip.footprint, p.x, p.y);
            }
            for (const Actor& a : s.actors) {
                const Bitmap* b = nullptr;
                int frame = 0, frames = std::max(1, a.frameCount);
                if (reader == Reader::SubRoom) {
                    b = Load(a.kind == actor::kPedestal ? "graphics/icons/peds.bmp" : "graphics/lockstuff/fishglow.bmp");
                    frames = a.kind == actor::kPedestal ? world::pedestal::kFrames : 3;
                } else if (reader == Reader::MainSubRoom && a.kind == actor::kLemon) {
                    b = Load("graphics/lockstuff/lemon.bmp");
                    frames = 1;
                } else if (reader == Reader::MainSubRoom && a.kind == actor::kLever) {
                    b = Load("graphics/lockstuff/lever.bmp");
                    frames = 4;
                } else {
                    b = Load(InFolder(a.bitmap));
                    if (reader == Reader::Land && a.kind == actor::kWatcher) frame = 7;  // looking down
                }
                if (!b) continue;
                const int h = b->height;
                Add(b, frame, frames, {0, h - 5, 0, h}, a.x, a.y);
                if (reader == Reader::Land && a.kind >= actor::kIconPostFirst && a.kind <= actor::kIconPostFirst + 2) {
                    Add(Load(InFolder(kFlags[a.kind - actor::kIconPostFirst])), 0, 5, {0, h - 5, 0, h}, a.x - 67, a.y);
                }
            }
        }
    }

    void Mark(Canvas& canvas, const LandFileData& d) {
        for (const Section& s : d.sections) {
            for (const Spot& spot : s.spots) {
                canvas.Ring(spot.x, spot.y, 22, 255, 230, 0);
                canvas.Ring(spot.x, spot.y, 5, 255, 60, 0);
            }
            int flagged = 0;
            for (const Door& door : s.doors) {
                if (!door.isDoor) canvas.FrameRect(door.area, 40, 220, 40, 3);
                else if (++flagged == 4) canvas.FrameRect(door.area, 255, 140, 0, 3);
                else canvas.FrameRect(door.area, 255, 255, 0, 3);
            }
            for (const Zone& z : s.zones) {
                if (z.kind == zone::kHotSpot) canvas.FrameRect(z.area, 255, 0, 255, 3);
                else if (ReaderFor(level_) != Reader::Land) canvas.FrameRect(z.area, 0, 230, 255, 2);
            }
        }
    }

    std::string data_, level_, folder_;
    std::map<std::string, std::unique_ptr<Bitmap>> cache_;
    std::vector<Drawable> items_;
};

int RenderAll(const std::string& data, const std::string& outDir) {
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    const char* lands[6] = {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"};
    const char* levels[3] = {"easy", "medium", "hard"};
    int failures = 0;
    for (const char* land : lands)
        for (const char* level : levels) {
            Renderer r(data, std::string("graphics/lands/") + land + "/" + level + ".lnd");
            failures += r.Run(outDir + "/" + land + "_" + level + ".png", 0);
        }
    const char* rooms[5][2] = {{"Subroom1/subroom1.lnd", "subroom1"}, {"Subroom2/subroom2.lnd", "subroom2"},
                               {"Subroom3/subroom3.lnd", "subroom3"}, {"mainSub/mainsub.lnd", "mainsub"},
                               {"graphics/den/den.lnd", "den"}};
    for (const auto& room : rooms) {
        Renderer r(data, room[0]);
        failures += r.Run(outDir + "/" + room[1] + ".png", 1);
    }
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--all") return RenderAll(argv[2], argv[3]);
    if (argc == 4 || argc == 5) {
        Renderer r(argv[1], argv[2]);
        return r.Run(argv[3], argc == 5 ? std::atoi(argv[4]) : 0);
    }
    std::fprintf(stderr,
                 "usage: render_map <data folder> <level file> <out.png> [shrink]\n"
                 "       render_map --all <data folder> <out folder>\n");
    return 2;
}
