#pragma once
// The rooms of a land (three sub-rooms and the main sub-room with the lock)
// and the den. Each is one picture cut into tiles, plus its level file.
#include <string>
#include <vector>

#include "assetgen/art_canvas.h"
#include "assetgen/world_palettes.h"
#include "world/land_file_format.h"

namespace assetgen {

struct RoomFiles {
    std::string folder;  // relative to the data folder, '/' separated
    Place place;
    Picture tiles{1, 1};
    world::lnd::LandFileData level;
    // Further pictures of the room, relative to its folder.
    std::vector<std::pair<std::string, Picture>> pictures;
};

// Sub-room k (0..2): a 400 x 300 room for the fixed view at (-120, -90).
RoomFiles MakeSubRoom(int k);
// The main sub-room: 400 x 480 for the fixed view at (-120, 0).
RoomFiles MakeMainSubRoom();
// The den: 640 x 480 with the six land doors and the band's instruments.
RoomFiles MakeDen();

// The tile map of a picture cut into tiles: tile i is the i-th cell row by
// row, so cell (c, r) holds r x columns + c.
std::vector<int32_t> SlicedCells(int columns, int rows);

// Room geometry shared with the checks.
namespace room {
inline constexpr world::lnd::Rect kSubExit{40, 40, 100, 76};
inline constexpr world::lnd::Rect kSubHole{300, 150, 360, 200};
inline constexpr int kPedestalX = 150, kPedestalY = 40;
inline constexpr int kSubFishX = 30, kSubFishY = 170;
inline constexpr int kSubSignX = 368, kSubSignY = 268;  // centre of the set sign, a plaque on the floor
inline constexpr world::lnd::Rect kMainExit{30, 280, 80, 330};
inline constexpr world::lnd::Rect kMainDenExit{320, 280, 370, 330};
inline constexpr world::lnd::Rect kMainHole{170, 330, 230, 370};
inline constexpr int kLemonX = 40, kLemonY = 110;
inline constexpr int kLeverX = 305, kLeverY = 120;
inline constexpr world::lnd::Rect kDenOptions{20, 300, 70, 360};
world::lnd::Rect DenDoor(int k);  // the area of land door k (zone kind k + 1)
}  // namespace room

}  // namespace assetgen
