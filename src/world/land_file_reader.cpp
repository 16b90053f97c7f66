#include "world/land_file_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace world::lnd {
namespace {

// Reads little-endian fields from a byte range; every read checks the
// remaining length first and a failed read sticks.
class Cursor {
public:
    Cursor(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool Ok() const { return ok_; }
    bool AtEnd() const { return pos_ >= size_; }
    size_t Remaining() const { return size_ - pos_; }
    size_t Position() const { return pos_; }

    bool Skip(size_t n) {
        if (!Need(n)) return false;
        pos_ += n;
        return true;
    }
    uint32_t U32() {
        if (!Need(4)) return 0;
        const uint8_t* p = bytes_ + pos_;
        pos_ += 4;
        return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    Rect ReadRect() {
        Rect r;
        r.left = I32();
        r.top = I32();
        r.right = I32();
        r.bottom = I32();
        return r;
    }
    // A 260-byte name field: the text up to its first NUL (or all 260 bytes).
    std::string Name() {
        if (!Need(kNameSize)) return {};
        const char* p = reinterpret_cast<const char*>(bytes_ + pos_);
        pos_ += kNameSize;
        return std::string(p, strnlen(p, kNameSize));
    }

private:
    bool Need(size_t n) {
        if (!ok_ || size_ - pos_ < n) ok_ = false;
        return ok_;
    }
    const uint8_t* bytes_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

int Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return 0;
}

// A count is believable only when that many records of recordSize bytes fit
// in what is left of the file.
bool Fits(const Cursor& in, uint64_t count, uint64_t recordSize) {
    return count * recordSize <= in.Remaining();
}

int ParseSection(Cursor& in, Section* section, std::string* error) {
    const size_t at = in.Position();
    in.Skip(kSectionTypeOffset);
    section->type = in.U32();
    const uint32_t count = in.U32();
    if (!in.Ok()) return Fail(error, "section header cut short at byte " + std::to_string(at));
    const std::string where = "section of type " + std::to_string(section->type) + " at byte " + std::to_string(at);
    switch (section->type) {
        case kIconSpots:
            section->spotName = in.Name();
            if (!in.Ok() || !Fits(in, count, kSpotSize)) return Fail(error, where + ": spots cut short");
            for (uint32_t i = 0; i < count; ++i) section->spots.push_back({in.I32(), in.I32()});
            break;
        case kDoors:
            if (!Fits(in, count, kDoorRecordSize)) return Fail(error, where + ": doors cut short");
            for (uint32_t i = 0; i < count; ++i) {
                Door d;
                d.area = in.ReadRect();
                d.isDoor = in.U32();
                d.name = in.Name();
                section->doors.push_back(d);
            }
            break;
        case kAnimations: {
            if (!Fits(in, count, kStripRecordSize)) return Fail(error, where + ": strips cut short");
            for (uint32_t i = 0; i < count; ++i) {
                Strip s;
                s.bitmap = in.Name();
                s.footprint = in.ReadRect();
                s.frameCount = in.I32();
                section->strips.push_back(s);
            }
            const uint32_t placements = in.U32();
            if (!in.Ok() || !Fits(in, placements, kAnimPlacementSize))
                return Fail(error, where + ": animation placements cut short");
            for (uint32_t i = 0; i < placements; ++i) {
                AnimPlacement p;
                p.strip = in.U32();
                p.x = in.I32();
                p.y = in.I32();
                p.period = in.I32();
                p.backAndForth = in.I32();
                section->animPlacements.push_back(p);
            }
            break;
        }
        case kActors:
            if (!Fits(in, count, kActorRecordSize)) return Fail(error, where + ": actors cut short");
            for (uint32_t i = 0; i < count; ++i) {
                Actor a;
                a.kind = in.U32();
                a.bitmap = in.Name();
                a.frameCount = in.I32();
                a.x = in.I32();
                a.y = in.I32();
                section->actors.push_back(a);
            }
            break;
        case kZones:
            if (!Fits(in, count, kZoneRecordSize)) return Fail(error, where + ": zones cut short");
            for (uint32_t i = 0; i < count; ++i) {
                Zone z;
                z.area = in.ReadRect();
                z.kind = in.U32();
                section->zones.push_back(z);
            }
            break;
        default:
            return Fail(error, where + ": unknown section type");
    }
    return in.Ok() ? 1 : Fail(error, where + ": cut short");
}

}  // namespace

int ParseLandFile(const uint8_t* bytes, size_t size, LandFileData* out, std::string* error) {
    *out = LandFileData{};
    Cursor in(bytes, size);
    in.Skip(kFileHeaderSize);
    out->tiles.bitmap = in.Name();
    out->tiles.tileWidth = in.I32();
    out->tiles.tileHeight = in.I32();
    out->tiles.columns = in.I32();
    out->tiles.rows = in.I32();
    if (!in.Ok()) return Fail(error, "file too short for its tile-set record");
    const TileSet& t = out->tiles;
    if (t.columns < 0 || t.rows < 0 || t.tileWidth <= 0 || t.tileHeight <= 0)
        return Fail(error, "tile-set record holds a negative or zero size");
    const uint64_t cellCount = uint64_t(t.columns) * uint64_t(t.rows);
    if (!Fits(in, cellCount, 4)) return Fail(error, "map cells cut short");
    out->cells.resize(cellCount);
    for (auto& cell : out->cells) cell = in.I32();

    in.Skip(kImageCountOffset);
    const uint32_t imageCount = in.U32();
    if (!in.Ok() || !Fits(in, imageCount, kImageRecordSize)) return Fail(error, "image table cut short");
    for (uint32_t i = 0; i < imageCount; ++i) {
        Image image;
        image.bitmap = in.Name();
        image.footprint = in.ReadRect();
        out->images.push_back(image);
    }
    const uint32_t placementCount = in.U32();
    if (!in.Ok() || !Fits(in, placementCount, kPlacementSize)) return Fail(error, "placements cut short");
    for (uint32_t i = 0; i < placementCount; ++i) {
        Placement p;
        p.image = in.U32();
        p.x = in.I32();
        p.y = in.I32();
        out->placements.push_back(p);
    }
    while (!in.AtEnd()) {
        Section section;
        if (!ParseSection(in, &section, error)) return 0;
        out->sections.push_back(std::move(section));
    }
    return 1;
}

int ReadLandFile(const std::string& name, LandFileData* out, std::string* error) {
    FILE* file = platform::OpenFile(name.c_str(), "rb");
    if (!file) return Fail(error, "cannot open " + name);
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    if (!ParseLandFile(bytes.data(), bytes.size(), out, error)) {
        if (error) *error = name + ": " + *error;
        return 0;
    }
    return 1;
}

int CheckForReader(const LandFileData& data, Reader reader, std::string* error) {
    const uint64_t cellCount = uint64_t(std::max(0, data.tiles.columns)) * uint64_t(std::max(0, data.tiles.rows));
    if (data.cells.size() != cellCount) return Fail(error, "cell count does not match columns x rows");
    if (data.tiles.bitmap.size() >= size_t(kNameSize)) return Fail(error, "tile-set name too long");
    for (const Placement& p : data.placements) {
        if (p.image >= data.images.size()) return Fail(error, "placement of image " + std::to_string(p.image) + " that does not exist");
    }
    int hotSpots = 0, watchers = 0;
    for (const Section& s : data.sections) {
        const std::string what = "section of type " + std::to_string(s.type);
        if (!Accepts(reader, s.type)) return Fail(error, what + " is not accepted by this reader");
        switch (s.type) {
            case kDoors: {
                if (s.doors.size() > size_t(kMaxDoorRecords)) return Fail(error, "more than 10 door records");
                int flagged = 0;
                for (const Door& d : s.doors) flagged += d.isDoor ? 1 : 0;
                if (reader == Reader::Land && flagged > kMaxLandDoorFlags) return Fail(error, "more than 4 doors flagged");
                break;
            }
            case kAnimations: {
                const size_t limit = reader == Reader::Land ? kMaxLandAnimPlacements : kMaxOtherAnimPlacements;
                if (s.animPlacements.size() > limit) return Fail(error, "too many animation placements");
                for (const AnimPlacement& p : s.animPlacements) {
                    if (p.strip >= s.strips.size()) return Fail(error, "animation placement of a strip that does not exist");
                }
                for (const Strip& strip : s.strips) {
                    if (strip.frameCount <= 0) return Fail(error, "strip " + strip.bitmap + " without frames");
                }
                break;
            }
            case kActors:
                if (reader != Reader::Den && s.actors.size() > size_t(kMaxActorRecords)) return Fail(error, "more than 30 actors");
                for (const Actor& a : s.actors) watchers += (reader == Reader::Land && a.kind == actor::kWatcher) ? 1 : 0;
                break;
            case kZones:
                for (const Zone& z : s.zones) hotSpots += (reader == Reader::Land && z.kind == zone::kHotSpot) ? 1 : 0;
                break;
            default:
                break;
        }
    }
    if (hotSpots > kMaxLandHotSpots) return Fail(error, "more than 20 hot spots");
    if (watchers > kMaxLandWatchers) return Fail(error, "more than 12 watchers");
    return 1;
}

}  // namespace world::lnd
