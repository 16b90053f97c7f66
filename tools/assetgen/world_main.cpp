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
        ok &= Report(folder + "/" + names[d - 1], CheckPlaceReach(level, Reader::Land, sizes.For(folder)));
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
    const std::string levelName = reader == Reader::SubRoom ? "subroom" + room.folder.substr(7) + ".lnd"
                                  : reader == Reader::MainSubRoom ? "mainsub.lnd"
                                                                  : "den.lnd";
    ok &= Report(room.folder + "/" + levelName, CheckPlaceReach(level, reader, sizes.For(room.folder)));
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
