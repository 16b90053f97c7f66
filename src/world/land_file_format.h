#pragma once
// The ".lnd" level file: record layouts, sizes, section types and the limits
// the readers keep their tables in.
//
// All numbers are 32-bit little-endian ("i32" signed, "u32" unsigned), names
// are fixed 260-byte NUL-terminated fields, rectangles are four i32 (left,
// top, right, bottom; right and bottom exclusive), and there is no padding.
// The file is read front to back:
//
//   file header             16 bytes, not interpreted
//   tile-set record         276 bytes: tileBitmap[260], tileWidth, tileHeight,
//                           columns, rows
//   map cells               columns x rows i32, column by column (cell (c, r)
//                           is value c x rows + r); -1 is an empty cell
//   image-table header      16 bytes; u32 at offset 12 = image count N
//   N image records         276 bytes: bitmap[260], footprint rectangle
//   placement count P (u32), P placements of 12 bytes: image, x, y
//   sections until the end of the file, each a 16-byte header (u32 type at
//   offset 8, u32 count at offset 12) followed by its payload:
//     1 IconSpots   name[260], then count spots (x, y)
//     2 Doors       count records of 280 bytes: area, isDoor, name[260]
//     3 Animations  count strips of 280 bytes: bitmap[260], footprint,
//                   frameCount; then u32 M and M placements of 20 bytes:
//                   strip, x, y, frame period (ms), back-and-forth flag
//     4 Actors      count records of 276 bytes: kind, bitmap[260],
//                   frameCount, x, y
//     5 Zones       count records of 20 bytes: area, kind
//
// A reader cannot skip a section type it does not accept, so each file holds
// only the section types its reader takes (see kAccepts below).
#include <cstdint>
#include <string>
#include <vector>

namespace world::lnd {

inline constexpr int kNameSize = 260;
inline constexpr int kFileHeaderSize = 16;
inline constexpr int kTileSetRecordSize = kNameSize + 16;  // 276
inline constexpr int kImageTableHeaderSize = 16;
inline constexpr int kImageCountOffset = 12;  // inside the image-table header
inline constexpr int kImageRecordSize = kNameSize + 16;  // 276
inline constexpr int kPlacementSize = 12;
inline constexpr int kSectionHeaderSize = 16;
inline constexpr int kSectionTypeOffset = 8;
inline constexpr int kSectionCountOffset = 12;
inline constexpr int kSpotSize = 8;
inline constexpr int kDoorRecordSize = 16 + 4 + kNameSize;       // 280
inline constexpr int kStripRecordSize = kNameSize + 16 + 4;      // 280
inline constexpr int kAnimPlacementSize = 20;
inline constexpr int kActorRecordSize = 4 + kNameSize + 12;      // 276
inline constexpr int kZoneRecordSize = 20;

enum SectionType : uint32_t {
    kIconSpots = 1,
    kDoors = 2,
    kAnimations = 3,
    kActors = 4,
    kZones = 5,
};

// The four readers, and which section types each accepts.
enum class Reader { Land, SubRoom, MainSubRoom, Den };
constexpr bool Accepts(Reader reader, uint32_t type) {
    switch (reader) {
        case Reader::Land:
        case Reader::SubRoom:
        case Reader::MainSubRoom: return type >= kIconSpots && type <= kZones;
        case Reader::Den: return type == kAnimations || type == kActors || type == kZones;
    }
    return false;
}

// Limits of the readers' fixed tables.
inline constexpr int kMaxDoorRecords = 10;           // per Doors section
inline constexpr int kMaxLandDoorFlags = 4;          // records with isDoor set, in a land
inline constexpr int kMaxLandAnimPlacements = 200;   // per Animations section, LoadLand
inline constexpr int kMaxOtherAnimPlacements = 100;  // per Animations section, other readers
inline constexpr int kMaxActorRecords = 30;          // per Actors section (not LoadDen)
inline constexpr int kMaxLandHotSpots = 20;          // zone kind 20 in a land
inline constexpr int kMaxLandWatchers = 12;          // actor kind 5 in a land
inline constexpr int kDenZoneCount = 7;              // den zone kinds 1..7
inline constexpr int kLandIconSlots = 24;            // spots the land reader copies
// LoadLand replaces a footprint with a coordinate outside 0..1000 by the
// whole bitmap.
inline constexpr int kLandFootprintMax = 1000;

// Actor kinds.
namespace actor {
inline constexpr uint32_t kProximity = 1;   // land: opens as the dog comes near
inline constexpr uint32_t kLockFish = 1;    // sub-room
inline constexpr uint32_t kPedestal = 2;    // sub-room
inline constexpr uint32_t kLemon = 3;       // main sub-room: lemon and lights
inline constexpr uint32_t kLever = 4;       // main sub-room
inline constexpr uint32_t kStripB = 5;      // main sub-room: second fish
inline constexpr uint32_t kStripA = 6;      // main sub-room: first fish (any kind but 3, 4, 5)
inline constexpr uint32_t kWatcher = 5;     // land: 8 frames, one per direction
inline constexpr uint32_t kIconPostFirst = 10;  // land: 10, 11, 12
inline constexpr uint32_t kBandPieceFirst = 10;  // den: 10..15
inline constexpr uint32_t kDenDoorFirst = 20;    // den: 20..25, the land doors
}  // namespace actor

// Zone kinds.
namespace zone {
inline constexpr uint32_t kDoor1 = 1;  // land door slots 1..3 (kinds 1, 2, 3)
inline constexpr uint32_t kDenExit = 6;   // main sub-room
inline constexpr uint32_t kRoomExit = 7;  // main sub-room
inline constexpr uint32_t kMainDoor = 10; // land
inline constexpr uint32_t kHotSpot = 20;  // land holes, room holes
}  // namespace zone

// Value types of the records, as a reader or writer holds them.
struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct TileSet {
    std::string bitmap;
    int32_t tileWidth = 0, tileHeight = 0, columns = 0, rows = 0;
};

struct Image {
    std::string bitmap;
    Rect footprint;
};

struct Placement {
    uint32_t image = 0;
    int32_t x = 0, y = 0;
};

struct Spot {
    int32_t x = 0, y = 0;
};

struct Door {
    Rect area;
    uint32_t isDoor = 0;
    std::string name;
};

struct Strip {
    std::string bitmap;
    Rect footprint;
    int32_t frameCount = 0;
};

struct AnimPlacement {
    uint32_t strip = 0;
    int32_t x = 0, y = 0, period = 0, backAndForth = 0;
};

struct Actor {
    uint32_t kind = 0;
    std::string bitmap;
    int32_t frameCount = 0, x = 0, y = 0;
};

struct Zone {
    Rect area;
    uint32_t kind = 0;
};

// One section; only the vectors of its type are used.
struct Section {
    uint32_t type = 0;
    std::string spotName;                 // IconSpots
    std::vector<Spot> spots;              // IconSpots
    std::vector<Door> doors;              // Doors
    std::vector<Strip> strips;            // Animations
    std::vector<AnimPlacement> animPlacements;  // Animations
    std::vector<Actor> actors;            // Actors
    std::vector<Zone> zones;              // Zones
};

struct LandFileData {
    TileSet tiles;
    std::vector<int32_t> cells;  // column-major, columns x rows
    std::vector<Image> images;
    std::vector<Placement> placements;
    std::vector<Section> sections;
};

}  // namespace world::lnd
