#include "assetgen/world_lnd_writer.h"

#include <algorithm>
#include <cstring>

namespace assetgen {
namespace {

using namespace world::lnd;

class Out {
public:
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
    }
    void I32(int32_t v) { U32(uint32_t(v)); }
    void Zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    void WriteRect(const Rect& r) {
        I32(r.left);
        I32(r.top);
        I32(r.right);
        I32(r.bottom);
    }
    // A fixed name field: the text (cut to leave room for its NUL), then zeros.
    void Name(const std::string& text) {
        const size_t n = std::min(text.size(), size_t(kNameSize - 1));
        bytes.insert(bytes.end(), text.begin(), text.begin() + long(n));
        Zeros(kNameSize - n);
    }
    void SectionHeader(uint32_t type, uint32_t count) {
        Zeros(kSectionTypeOffset);
        U32(type);
        U32(count);
    }
    std::vector<uint8_t> bytes;
};

}  // namespace

std::vector<uint8_t> EncodeLandFile(const LandFileData& d) {
    Out out;
    out.Zeros(kFileHeaderSize);
    out.Name(d.tiles.bitmap);
    out.I32(d.tiles.tileWidth);
    out.I32(d.tiles.tileHeight);
    out.I32(d.tiles.columns);
    out.I32(d.tiles.rows);
    for (int32_t cell : d.cells) out.I32(cell);
    out.Zeros(kImageCountOffset);
    out.U32(uint32_t(d.images.size()));
    for (const Image& image : d.images) {
        out.Name(image.bitmap);
        out.WriteRect(image.footprint);
    }
    out.U32(uint32_t(d.placements.size()));
    for (const Placement& p : d.placements) {
        out.U32(p.image);
        out.I32(p.x);
        out.I32(p.y);
    }
    for (const Section& s : d.sections) {
        switch (s.type) {
            case kIconSpots:
                out.SectionHeader(s.type, uint32_t(s.spots.size()));
                out.Name(s.spotName);
                for (const Spot& spot : s.spots) {
                    out.I32(spot.x);
                    out.I32(spot.y);
                }
                break;
            case kDoors:
                out.SectionHeader(s.type, uint32_t(s.doors.size()));
                for (const Door& door : s.doors) {
                    out.WriteRect(door.area);
                    out.U32(door.isDoor);
                    out.Name(door.name);
                }
                break;
            case kAnimations:
                out.SectionHeader(s.type, uint32_t(s.strips.size()));
                for (const Strip& strip : s.strips) {
                    out.Name(strip.bitmap);
                    out.WriteRect(strip.footprint);
                    out.I32(strip.frameCount);
                }
                out.U32(uint32_t(s.animPlacements.size()));
                for (const AnimPlacement& p : s.animPlacements) {
                    out.U32(p.strip);
                    out.I32(p.x);
                    out.I32(p.y);
                    out.I32(p.period);
                    out.I32(p.backAndForth);
                }
                break;
            case kActors:
                out.SectionHeader(s.type, uint32_t(s.actors.size()));
                for (const Actor& a : s.actors) {
                    out.U32(a.kind);
                    out.Name(a.bitmap);
                    out.I32(a.frameCount);
                    out.I32(a.x);
                    out.I32(a.y);
                }
                break;
            case kZones:
                out.SectionHeader(s.type, uint32_t(s.zones.size()));
                for (const Zone& z : s.zones) {
                    out.WriteRect(z.area);
                    out.U32(z.kind);
                }
                break;
            default:
                break;  // unknown types are never written
        }
    }
    return std::move(out.bytes);
}

}  // namespace assetgen
