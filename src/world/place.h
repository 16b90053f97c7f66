#pragma once
// What a level reader keeps for the owner of a place (land screen, room or
// den): the sprite group it filled, the level's folder, the icon spots and
// the areas and actors the owner drives. Plain records the owners read.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "sprites/animated_sprite.h"
#include "sprites/frame_record.h"
#include "sprites/sprite.h"
#include "world/land_file_format.h"

namespace sprites {
class SpriteGroup;
class SpriteWorld;
class LoadingAnimation;
}  // namespace sprites
namespace world {

// Scroll positions on entering a place (lands start at (0, 0) and are then
// centred on the player).
inline constexpr int32_t kSubRoomScrollX = -120, kSubRoomScrollY = -90;
inline constexpr int32_t kMainSubRoomScrollX = -120, kMainSubRoomScrollY = 0;
inline constexpr int32_t kDenScrollX = 0, kDenScrollY = 0;

struct LandRecord;
using platform::RECT;

struct DoorSlot {
    RECT area{};
    std::string name;
};

struct HotSpot {
    RECT area{};
    int32_t kind = 0;
};

struct IconPost {
    sprites::Sprite* post = nullptr;
    sprites::AnimatedSprite* flag = nullptr;
};

// Shared by every reader.
struct PlaceCommon {
    sprites::SpriteGroup* group = nullptr;
    int groupNumber = 0;
    std::string folder;  // the level file's name up to its last backslash
    std::vector<lnd::Spot> iconSpots;
    std::string iconBitmap;
    // 1 when the file was read to its clean end; 0 when it was missing or
    // stopped at a short or absurd read (what came before is kept).
    int complete = 0;
};

struct LandPlace : PlaceCommon {
    int doorCount = 0;  // 0..3
    DoorSlot doors[3];
    DoorSlot mainDoor;
    RECT startArea{};
    HotSpot hotSpots[lnd::kMaxLandHotSpots];
    int hotSpotCount = 0;
    sprites::AnimatedSprite* watchers[lnd::kMaxLandWatchers] = {};
    int watcherCount = 0;
    sprites::AnimatedSprite* proximity = nullptr;  // the last kind-1 actor
    std::vector<IconPost> posts;
};

struct RoomPlace : PlaceCommon {
    RECT exitArea{};
    RECT hotSpot{};
    RECT denExitArea{};  // main sub-room
    // Sub-room actors.
    sprites::AnimatedSprite* fish = nullptr;
    sprites::Sprite* pedestal = nullptr;
    sprites::FrameRecord* pedestalFrames = nullptr;  // pedestal::kFrames of them
    sprites::Sprite* sign = nullptr;  // the picture of the room's set, at its icon spot
    // Main sub-room actors.
    sprites::Sprite* lemon = nullptr;
    sprites::Sprite* lights[4] = {};  // red, then three greens
    sprites::Sprite* lever = nullptr;
    sprites::FrameRecord* leverFrames = nullptr;  // 4 quarters
    sprites::AnimatedSprite* stripA = nullptr;
    sprites::AnimatedSprite* stripB = nullptr;
    sprites::FrameRecord fishFrames[7] = {};  // FishA..FishG
};

struct DenPlace : PlaceCommon {
    RECT rects[lnd::kDenZoneCount] = {};  // zone kind k in rects[k - 1]
    sprites::AnimatedSprite* members[6] = {};
    sprites::Sprite* pieces[6] = {};
};

// What the land reader needs from the game.
struct LandContext {
    sprites::SpriteWorld* world = nullptr;
    int difficulty = 1;                    // 1, 2, 3
    LandRecord* record = nullptr;    // the icon table and categories
};

struct RoomContext {
    sprites::SpriteWorld* world = nullptr;
    int difficulty = 1;
    int fishDone = 0;  // the room's fish shows its closed frames
};

// Each reader changes into the level's folder for the time of the load and
// creates the place's sprites in a new group of the world. Returns 1 when
// the whole file was read, 0 when it was missing or cut short (the place then
// holds what was read before the failure).
int LoadLand(const char* fileName, sprites::LoadingAnimation* loading, const LandContext& context,
             LandPlace* place);
int LoadSubRoom(const char* fileName, const RoomContext& context, RoomPlace* place);
int LoadMainSubRoom(const char* fileName, const RoomContext& context, RoomPlace* place);
int LoadDen(const char* fileName, sprites::SpriteWorld* world, DenPlace* place);

// The flag bitmap of an icon post of kind 10, 11 or 12 (relative to the land
// folder) and its frame count, for a difficulty and the land's categories.
std::string PostFlagBitmap(uint32_t kind, int difficulty, const int32_t* categories, int32_t* frameCount);

}  // namespace world
