#pragma once
// The work shared by the four level readers: the folder change, the tile map,
// the image table and placements, strips, and the section loop that hands
// each accepted section to the reader's own handler.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "sprites/animated_sprite.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/level_stream.h"
#include "world/place.h"

namespace world {

// A strip bitmap cut into equal frames side by side.
struct Strip {
    sprites::FrameRecord* frames = nullptr;  // owned by the group
    int32_t count = 0;
    int32_t width = 0, height = 0;  // of the whole bitmap
    platform::RECT footprint{};
};

class LevelLoad {
public:
    LevelLoad(const char* fileName, sprites::SpriteWorld* world, lnd::Reader reader, PlaceCommon* place);
    ~LevelLoad();  // the saved directory is current again
    LevelLoad(const LevelLoad&) = delete;
    LevelLoad& operator=(const LevelLoad&) = delete;

    // Steps up to the placements; false when the file is missing or stopped.
    bool Opening(sprites::LoadingAnimation* loading, int32_t imageTarget, int32_t placementTarget);
    // Reads sections to the end; `handle` is called with each accepted header
    // and reads its payload. Returns true at the clean end of the file.
    bool Sections(const std::function<void(uint32_t type, uint32_t count)>& handle);

    LevelStream& In() { return in_; }
    sprites::SpriteWorld* World() const { return world_; }
    sprites::SpriteGroup* Group() const { return place_->group; }
    const std::string& Folder() const { return place_->folder; }

    // A bitmap in system memory keyed on green, registered with the group.
    // Null when it cannot be loaded.
    platform::dd::Surface* LoadKeyed(const std::string& name);
    // The same with the game's own directory current (fixed room pictures).
    platform::dd::Surface* LoadKeyedFromGame(const std::string& name);
    // Cuts a bitmap into n equal frames (a missing bitmap gives empty frames).
    Strip LoadStrip(const std::string& name, int32_t frameCount, bool fromGame = false);
    // A frame table of `count` records, owned by the group.
    sprites::FrameRecord* NewFrames(int32_t count);

    // Inserts a sprite with its footprint as hit box and the depth key as
    // depth.
    void Place(sprites::Sprite* sprite, const platform::RECT& footprint);
    sprites::AnimatedSprite* MakeAnimated(const Strip& strip, int32_t x, int32_t y, const platform::RECT& footprint,
                                          int32_t period, bool backAndForth);

    // The payload of an Animations section (placements beyond the reader's
    // limit are read and dropped).
    void ReadAnimations(uint32_t count, int32_t placementLimit);
    // Reads `count` records of `size` bytes, giving the first `limit` to
    // `each`; the rest are skipped. A file that ends early keeps the records
    // before the cut.
    template <typename F>
    void ReadRecords(uint32_t count, uint32_t size, uint32_t limit, F each) {
        for (uint32_t i = 0; i < count && in_.Ok(); ++i) {
            if (i < limit) each(i);
            else in_.Skip(size);
        }
    }

    bool footprintCheck = false;  // lands replace absurd footprints
    bool registerImages = true;
    bool absoluteReloadPath = false;

private:
    LevelStream in_;
    sprites::SpriteWorld* world_;
    lnd::Reader reader_;
    PlaceCommon* place_;
    platform::ScopedCurrentDirectory directory_;  // the folder before the place's
    bool changedDirectory_ = false;
};

// Calls the owner's handler for the Actors section's records.
struct ActorRecord {
    uint32_t kind = 0;
    std::string bitmap;
    int32_t frameCount = 0, x = 0, y = 0;
};
ActorRecord ReadActor(LevelStream& in);

}  // namespace world
