#pragma once
// One land while the game is in the land state: its level and song, the dog
// and the cat, the icons carrying the song's parts, the mini keys, and the
// view following the dog. Destroying it writes the land's progress back into
// its record unless the game asked to keep the records.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "world/land_record.h"
#include "world/place.h"
#include "world/player_dog.h"

namespace display {
class Display;
}
namespace sprites {
class SpriteWorld;
struct FrameRecord;
}
namespace world {
class GameServices;
class PlayerDog;
class RoamingCat;
}
class LandSprite;

namespace land {
class Room;
}

namespace land {

class LandScreen {
public:
    // The display is the game's unless another is given; without one nothing
    // is loaded and Tick only counts frames.
    explicit LandScreen(world::GameServices* game, display::Display* display = nullptr);
    ~LandScreen();
    LandScreen(const LandScreen&) = delete;
    LandScreen& operator=(const LandScreen&) = delete;

    // 1 on success; 0 when the level, the icons or the song could not be set
    // up. The screen then keeps running on what was set up.
    int Load(const char* levelPath, const char* songFile, world::LandRecord* record);
    void Tick();
    void Destroy();

    // The icons, the keys and the song's tracks (a track per icon).
    int SetUpIcons(const char* songFile);
    // Gives the dog the nearest free icon and marks what cannot be taken.
    void NearestIcon();
    // Puts the dog at the active room's hole (its hot spot), coming up.
    void ComeUpAtRoomHotSpot();
    // Copies the live icons and keys into the record.
    void WriteBack();
    // Room transitions: into the room `currentRoom` names, and back out to
    // the land beside the door the dog came through.
    void EnterRoom();
    void LeaveRoom();
    sprites::SpriteWorld* LandWorld() const { return world_.get(); }
    // The tile bitmap of the map on show (the active room's, else the
    // land's), whose palette the screen uses; "" before a load.
    const char* PaletteFile() const;
    // A sprite (and its sparkle) handed to another place's world.
    static void MoveToWorld(sprites::Sprite* sprite, sprites::SpriteWorld* world);
    // One wetland colour step when it is due (only while fully faded in).
    void CycleWater(uint32_t now);

    world::GameServices* game;
    display::Display* display;
    std::string levelPath, songFile;
    world::LandRecord* record = nullptr;
    int frames = 0;

    uint32_t startTime = 0, frameTime = 0;
    int32_t scrollStepX = 0, scrollStepY = 0;
    int fadeInPending = 0;
    int lockDemonstrated = 0;
    int firstArrival = 0;
    int iconCount = 0, keysNeeded = 0;
    int currentRoom = -1, previousRoom = -1;
    platform::PaletteEntry waterColours[5] = {};
    LandSprite* keys[world::kKeyCount] = {};
    world::PlayerDog* player = nullptr;
    world::RoamingCat* companion = nullptr;
    world::LandPlace place;
    std::unique_ptr<Room> activeRoom;

    // The wetland colour cycle.
    uint32_t cyclePeriod = 100, cycleStep = 5;
    int cycleDirection = 0;
    uint32_t lastCycleTime = 0;
    int rotation = 0;

private:
    bool Wetland() const;
    world::DogSurroundings LandSurroundings();
    // Owned here, not by a group: they move between the land and the rooms.
    // They are unlinked and released before the world goes.
    std::vector<std::unique_ptr<LandSprite>> landSprites_;
    std::unique_ptr<world::RoamingCat> looseCompanion_;  // during a demo
    std::unique_ptr<sprites::SpriteWorld> world_;
    bool destroyed_ = false;
};

}  // namespace land
