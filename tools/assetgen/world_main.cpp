// The look of the world: palettes, tile sets, scenery, props and every level
// file, written and then checked (reader limits and the walk check).
#include <cstdio>
#include <map>
#include <string>

#include "assetgen/art_bmp_writer.h"
#include "assetgen/generators.h"
#include "assetgen/world_icons.h"
#include "assetgen/world_lands.h"
#include "assetgen/world_lnd_writer.h"
#include "assetgen/world_reach.h"
#include "assetgen/world_rooms.h"
#include "assetgen/world_tiles.h"
#include "world/land_file_reader.h"

namespace assetgen {
namespace {

using namespace world::lnd;

// Level names use backslashes; the data folder is a Unix folder.
std::string Slashes(std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    return name;
}

int WritePicture(const std::string& path, const Picture& p, Place place) {
    return WriteBmp8(path, p.width(), p.height(), p.pixels(), PlacePalette(place));
}

// Sizes of the pictures a level names: those generated in this run, else
// read from the headers of the files in the data folder.
class Sizes {
public:
    explicit Sizes(std::string dataDir) : dataDir_(std::move(dataDir)) {}
    void Add(const std::string& path, const Picture& p) { sizes_[Normal(path)] = {p.width(), p.height()}; }
    // A name inside a level, relative to the level's folder.
    BitmapSize For(const std::string& folder) const {
        return [this, folder](const std::string& name, int* w, int* h) {
            const std::string path = Normal(folder + "/" + Slashes(name));
            auto it = sizes_.find(path);
            if (it != sizes_.end()) {
                *w = it->second.first;
                *h = it->second.second;
                return true;
            }
            return FileSize(path, w, h);
        };
    }

private:
    // Lower case, with "x/../" folded away.
    static std::string Normal(std::string path) {
        for (char& c : path) c = char(std::tolower(static_cast<unsigned char>(c)));
        for (size_t at; (at = path.find("/../")) != std::string::npos;) {
            const size_t start = path.rfind('/', at == 0 ? 0 : at - 1);
            path.erase(start == std::string::npos ? 0 : start + 1, at + 4 - (start == std::string::npos ? 0 : start + 1));
        }
        return path;
    }
    bool FileSize(const std::string& path, int* w, int* h) const {
        FILE* file = std::fopen((dataDir_ + "/" + path).c_str(), "rb");
        uint8_t header[26] = {};
        const bool read = file && std::fread(header, 1, sizeof header, file) == sizeof header;
        if (file) std::fclose(file);
        if (!read) return false;
        *w = header[18] | header[19] << 8 | header[20] << 16;
        *h = header[22] | header[23] << 8 | header[24] << 16;
        return true;
    }
    std::string dataDir_;
    std::map<std::string, std::pair<int, int>> sizes_;
};

std::vector<uint8_t> ReadWhole(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    uint8_t buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

int Report(const std::string& what, const ReachReport& report) {
    for (const std::string& problem : report.problems) std::fprintf(stderr, "assetgen: %s: %s\n", what.c_str(), problem.c_str());
    return report.ok ? 1 : 0;
}

int WriteLevel(const std::string& path, const LandFileData& level, Reader reader) {
    std::string error;
    if (!CheckForReader(level, reader, &error)) {
        std::fprintf(stderr, "assetgen: %s: %s\n", path.c_str(), error.c_str());
        return 0;
    }
    return WriteFileBytes(path, EncodeLandFile(level));
}

// A marker of an icon spot for each difficulty (the land's icon pictures).
Picture SpotMarker(int difficulty) {
    using world::palette_plan::Common;
    Picture p(24, 24, world::palette_plan::kGreenKey);
    const Ramp ramp = difficulty == 1 ? Ramp::Yellow : difficulty == 2 ? Ramp::Orange : Ramp::Red;
    p.Line(12, 2, 12, 22, Common(ramp, 6), 3);
    p.Line(2, 12, 22, 12, Common(ramp, 6), 3);
    p.FillEllipse(12, 12, 4, 4, Common(Ramp::Grey, 7));
    p.Outline(world::palette_plan::kGreenKey, world::palette_plan::kOutline);
    return p;
}

int WriteLand(const std::string& dir, Place land, Sizes& sizes) {
    const std::string folder = std::string("graphics/lands/") + PlaceName(land);
    const std::string base = dir + "/" + folder + "/";
    int ok = WritePicture(base + "tiles.bmp", LandTileSet(land), land);
    const LandArt art = MakeLandArt(land);
    for (const ArtPiece* piece : AllPieces(art)) {
        ok &= WritePicture(base + Slashes(piece->file), piece->picture, land);
        sizes.Add(folder + "/" + Slashes(piece->file), piece->picture);
    }
    const char* markers[3] = {"icons/easyico.bmp", "icons/medico.bmp", "icons/hardico.bmp"};
    for (int d = 1; d <= 3; ++d) ok &= WritePicture(base + markers[d - 1], SpotMarker(d), land);
    const char* names[3] = {"easy.lnd", "medium.lnd", "hard.lnd"};
    for (int d = 1; d <= 3; ++d) {
        const LandFileData level = MakeLandLevel(land, d, art);
        ok &= Report(folder + "/" + names[d - 1], CheckLandReach(level, sizes.For(folder)));
        ok &= WriteLevel(base + names[d - 1], level, Reader::Land);
    }
    return ok;
}

int WriteRoom(const std::string& dir, const RoomFiles& room, Reader reader, Sizes& sizes) {
    const std::string base = dir + "/" + room.folder + "/";
    int ok = WritePicture(base + "tiles.bmp", room.tiles, room.place);
    for (const auto& [name, picture] : room.pictures) {
        ok &= WritePicture(base + name, picture, room.place);
        sizes.Add(room.folder + "/" + name, picture);
    }
    const LandFileData& level = room.level;
    const int width = level.tiles.tileWidth * level.tiles.columns, height = level.tiles.tileHeight * level.tiles.rows;
    std::vector<std::string> problems;
    const std::vector<Rect> blocks = BlockingFootprints(level, reader, sizes.For(room.folder), &problems);
    std::vector<ReachTarget> targets;
    std::vector<std::pair<int, int>> free;
    int startX = 0, startY = 0;
    std::string levelName;
    if (reader == Reader::SubRoom) {
        levelName = "subroom" + room.folder.substr(7) + ".lnd";
        startX = room::kSubExit.left + 20;
        startY = room::kSubExit.bottom + 20;
        targets.push_back({ReachTarget::Door, room::kSubExit, "exit"});
        targets.push_back({ReachTarget::HotSpot, room::kSubHole, "hole"});
        free.push_back({room::kSubHole.left + 20, room::kSubHole.bottom + 60});
    } else if (reader == Reader::MainSubRoom) {
        levelName = "mainsub.lnd";
        startX = room::kMainDenExit.left + 20;
        startY = room::kMainDenExit.bottom + 20;
        targets.push_back({ReachTarget::Door, room::kMainExit, "exit"});
        targets.push_back({ReachTarget::Door, room::kMainDenExit, "den exit"});
        targets.push_back({ReachTarget::HotSpot, room::kMainHole, "hole"});
        // Lock buttons: thirds of the lemon's width, up to 35 pixels below
        // it; the lever: the 100 pixels right of it.
        int lw = 0, lh = 0;
        sizes.For(room.folder)("..\\graphics\\lockstuff\\lemon.bmp", &lw, &lh);
        const int bottom = room::kLemonY + lh;
        for (int b = 0; b < 3; ++b)
            targets.push_back({ReachTarget::Stand, {room::kLemonX + lw * b / 3, bottom, room::kLemonX + lw * (b + 1) / 3, bottom + 36},
                               "lock button " + std::to_string(b + 1)});
        targets.push_back({ReachTarget::Stand, {room::kLemonX + lw, bottom, room::kLemonX + lw + 100, bottom + 36}, "lever"});
        free.push_back({room::kMainExit.left + 20, room::kMainExit.bottom + 20});
        free.push_back({room::kMainHole.left + 20, room::kMainHole.bottom + 60});
    } else {
        levelName = "den.lnd";
        startX = 320;
        startY = 380;
        for (int k = 0; k < 6; ++k) {
            targets.push_back({ReachTarget::Door, room::DenDoor(k), "land door " + std::to_string(k)});
            free.push_back({room::DenDoor(k).left + 20, room::DenDoor(k).bottom + 20});
        }
        targets.push_back({ReachTarget::Door, room::kDenOptions, "options corner"});
    }
    ReachReport report = CheckReach(width, height, blocks, startX, startY, targets, free);
    report.problems.insert(report.problems.begin(), problems.begin(), problems.end());
    report.ok = report.problems.empty();
    ok &= Report(room.folder + "/" + levelName, report);
    ok &= WriteLevel(base + levelName, level, reader);
    return ok;
}

}  // namespace

int WriteWorld(const std::string& dataDir) {
    Sizes sizes(dataDir);
    // The shared pieces first: levels name some of them.
    if (!WriteSharedArt(dataDir)) return 0;
    int ok = 1;
    for (int land = 0; land < kLandCount; ++land) ok &= WriteLand(dataDir, Place(land), sizes);
    for (int k = 0; k < 3; ++k) ok &= WriteRoom(dataDir, MakeSubRoom(k), Reader::SubRoom, sizes);
    ok &= WriteRoom(dataDir, MakeMainSubRoom(), Reader::MainSubRoom, sizes);
    ok &= WriteRoom(dataDir, MakeDen(), Reader::Den, sizes);
    // The land and den readers start the loading animation after changing
    // into the level's folder, so ".\LoadAnim.bmp" is looked up there too.
    const std::vector<uint8_t> loadAnim = ReadWhole(dataDir + "/LoadAnim.bmp");
    ok &= !loadAnim.empty();
    for (int land = 0; land < kLandCount; ++land)
        ok &= WriteFileBytes(dataDir + "/graphics/lands/" + PlaceName(Place(land)) + "/LoadAnim.bmp", loadAnim);
    ok &= WriteFileBytes(dataDir + "/graphics/den/LoadAnim.bmp", loadAnim);
    return ok;
}

}  // namespace assetgen
