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
    // What the pedestal is playing: nothing, the short run that greets a
    // room bound to its set on hard (back to rest afterwards), or the
    // finishing run of a complete set (holds its last frame, shows the key).
    enum class PedestalRun { None, Binding, Finishing };

    ~SubRoom() override;
    int PlacedCount() override;
    int Drop(LandSprite* sprite) override;
    int Enter(LandScreen* land, int roomIndex) override;
    void Tick() override;

    // The level a sub-room shows (the aussie land on easy shows the third
    // room's layout in its first room).
    static const char* LevelFile(int roomIndex, int landIndex, int difficulty);

    // Advances the pedestal and reveals the key at the finishing run's end.
    void RoomLogic(uint32_t now);
    void RevealKey();
    // 0 nothing placed, 1 some of the set placed, 2 the set is complete and
    // its music plays in full (the dog dances to it).
    int RoomState();

    LandScreen* land = nullptr;
    int index = 0;
    int solved = 0;
    int pedestalFrame = 0;  // the frame on show
    PedestalRun pedestalRun = PedestalRun::None;
    uint32_t pedestalStart = 0;
    LandSprite* floating = nullptr;
    int32_t floatHomeX = 0, floatHomeY = 0, floatHomeLocation = -1;  // where it goes back to
    Float rise;

private:
    void NearestIcon();
    void ReturnHome(LandSprite* sprite);
    void ShowPedestalFrame(int frame);
    void StartPedestal(PedestalRun run);
};

}  // namespace land
