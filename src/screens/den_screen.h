#pragma once
// The den (state 2), the home screen between lands: the dog walks about a
// small room with a door to every land, and the band of the freed members
// plays the band song. Each member plays the part the child chose in the
// band panel; the choice lives in the land records' band words, so it is
// saved with the game. The den does not scroll.
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/band_mix.h"
#include "sprites/frame_record.h"
#include "world/place.h"

namespace display {
class Display;
}
namespace sprites {
class Sprite;
class SpriteGroup;
class SpriteWorld;
}
namespace world {
class DenBand;
class GameServices;
class PlayerDog;
}

namespace screens {

class BandExport;
class BandPanel;

class DenScreen {
public:
    static constexpr int kMembers = audio::kBandMembers;
    // The land whose record holds member k's value.
    static constexpr int kMemberLand[kMembers] = {2, 4, 0, 5, 1, 3};
    static constexpr int kIconRows = kMembers, kIconColumns = 7;
    static constexpr int kIconCells = kIconRows * kIconColumns;
    static constexpr int32_t kPanelDepth = 2100000;
    static constexpr int32_t kIconDepth = 2103000;

    // The display is the game's unless another is given.
    explicit DenScreen(world::GameServices* game, display::Display* display = nullptr);
    // Writes the member values back into the land records and releases the
    // den, its song and its pictures.
    ~DenScreen();
    DenScreen(const DenScreen&) = delete;
    DenScreen& operator=(const DenScreen&) = delete;

    // Builds the den and starts the band song: 1, or 0 when the band song
    // cannot be loaded (the den then runs silent, without its band).
    int Setup();
    void Tick();
    // Members that play a part (joined and not silent).
    int MemberCount() const;
    // The den map's tile bitmap, whose palette the den shows ("" before set-up).
    const char* PaletteFile() const;
    sprites::SpriteWorld* World() const { return world_.get(); }
    // The member values into the land records (as the den's end does), so
    // that a save made in the den keeps the parts chosen.
    void WriteBack();
    // Mutes, levels and pans the band's tracks by the member values.
    void ApplyBandMix();
    // Shows, hides, starts and stops the members by their values.
    void ShowMembers();

    world::GameServices* game;
    display::Display* display;
    sprites::SpriteGroup* layer = nullptr;
    world::DenBand* band = nullptr;      // in the layer
    world::PlayerDog* dog = nullptr;     // in the layer
    int32_t scrollX = 0, scrollY = 0;
    std::vector<int> trackIds;
    int trackCount = 0;
    int memberValues[kMembers] = {-1, -1, -1, -1, -1, -1};
    std::unique_ptr<BandPanel> panel;
    // Keeps the band's song as a sound file (key R while the panel is closed).
    std::unique_ptr<BandExport> keeper;
    sprites::FrameRecord tapeSavedFrame{}, tapeFailedFrame{};
    sprites::FrameRecord litIconFrames[kIconCells] = {};
    sprites::FrameRecord iconFrames[kIconCells] = {};
    sprites::FrameRecord cloudFrame{};
    sprites::FrameRecord bubbleFrames[kMembers] = {};
    // Shown only while the panel is open; owned here, lent to the layer.
    std::unique_ptr<sprites::Sprite> cloud, bubble;
    std::unique_ptr<sprites::Sprite> icons[kIconColumns];
    world::DenPlace place;  // doors, band pieces, door animations, the group
    int frames = 0;
    int songLoaded = 0;
    int membersRead = 0;  // the member values came from the records

private:
    void CreateDog();
    // A keyed picture registered with the layer for reloading; an empty
    // frame (drawn as nothing) when it cannot be loaded.
    sprites::FrameRecord LoadPicture(const char* name);
    void CutIconSheet(const char* name, sprites::FrameRecord (&cells)[kIconCells]);
    int LoadBandSong();
    void BandSetup();
    void StepDoors();
    void CheckKeepKey();
    void Draw();
    void ReleaseSong();

    std::unique_ptr<sprites::SpriteWorld> world_;
    bool destroyed_ = false;
};

}  // namespace screens
