#pragma once
// The rooms a land's dog can walk into: three sub-rooms with a pedestal each
// and the main sub-room with the lock. A room exists only while the dog is in
// it; it borrows the dog and the land sprites lying in it from the land.
#include <cstdint>
#include <memory>

#include "land/room_rules.h"
#include "world/place.h"

class LandSprite;
namespace sprites {
class SpriteWorld;
}

namespace land {

class LandScreen;

class Room {
public:
    virtual ~Room() = default;
    virtual int PlacedCount() { return 0; }
    // The dog put `sprite` down here; 0 when the room does not take it.
    virtual int Drop(LandSprite* sprite) = 0;
    virtual int Enter(LandScreen* land, int roomIndex) = 0;
    virtual void Tick() = 0;

    world::RoomPlace place;
    sprites::SpriteWorld* World() const { return world_.get(); }

protected:
    // The land sprites lying at `location` sing by the dog's distance, all
    // others are silenced; the nearest becomes the dog's nearest icon.
    static void UpdateIconSounds(LandScreen* land, int location);

    std::unique_ptr<sprites::SpriteWorld> world_;
};

class SubRoom : public Room {
public:
    static constexpr uint32_t kPedestalFrameMs = 200;
    static constexpr int kPedestalLastFrame = 3;

    ~SubRoom() override;
    int PlacedCount() override;
    int Drop(LandSprite* sprite) override;
    int Enter(LandScreen* land, int roomIndex) override;
    void Tick() override;

    // The level a sub-room shows (the aussie land on easy shows the third
    // room's layout in its first room).
    static const char* LevelFile(int roomIndex, int landIndex, int difficulty);

    // Advances the pedestal's finish and reveals the key at its last frame.
    void RoomLogic(uint32_t now);
    void RevealKey();

    LandScreen* land = nullptr;
    int index = 0;
    int solved = 0;
    int pedestalFrame = -1;  // -1 still, 1..3 while finishing
    uint32_t pedestalStart = 0;
    LandSprite* floating = nullptr;
    int32_t floatHomeX = 0, floatHomeY = 0, floatHomeLocation = -1;  // where it goes back to
    Float rise;

private:
    void NearestIcon();
    void ReturnHome(LandSprite* sprite);
};

}  // namespace land
