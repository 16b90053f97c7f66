#pragma once
// What the screens, rooms and characters need from the one game object: the
// shared sound objects and input, the running land's sprite table, a few
// values to read, and requests that the game carries out itself (a state
// switch happens at the end of the game's tick, a menu opens at the start of
// the next). The game object implements it; tests use a small stand-in.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/win_types.h"

class Sequencer;
class FxPlayer;
class LandSprite;
class MixerFaders;

namespace display {
class Display;
}

namespace world {

struct InputState;
struct LandRecord;
struct SavedSlot;

// The options menu as the title screen sees it: opened over the title, run
// by the title's tick, and telling the title when escape leaves it.
class TitleMenu {
public:
    virtual ~TitleMenu() = default;
    virtual int Open() = 0;
    virtual void Tick() = 0;
    virtual void OnLeaveTitle(std::function<void()> handler) = 0;
};

// Where the player stands, as a saved game keeps it.
struct SavedPlace {
    int32_t land = -1;  // -1 in the den
    int32_t x = 0, y = 0;
    int32_t room = 0;   // in a land: -1 open land, 0..2 a sub-room, 10 the lock room; in the den 0
};

// Game states (plain ints).
inline constexpr int kStateNone = 0;  // written by loading and new game to force a switch
inline constexpr int kStateDen = 2;
inline constexpr int kStateLand = 4;
inline constexpr int kStateIntro = 8;
inline constexpr int kStateStart = 9;  // before the first switch

// Land indices.
inline constexpr int kCeltic = 0, kFunland = 1, kAussie = 2, kJazzland = 3, kEastern = 4, kWetland = 5;
inline constexpr int kLandCount = 6;

// The icons and mini keys of the running land, in icon order then the keys.
// The game keeps the table; the land screen fills and empties it.
struct LandSpriteTable {
    static constexpr int kCapacity = 128;
    LandSprite* entries[kCapacity] = {};
    int count = 0;

    LandSprite*& operator[](int i) { return entries[i]; }
    LandSprite* operator[](int i) const { return entries[i]; }
    void Clear() {
        for (int i = 0; i < count; ++i) entries[i] = nullptr;
        count = 0;
    }
};

// A position to put the player at when a land or the den opens; y = 0 means
// there is none. Room: -1 the open land, 0..2 a sub-room, 10 the lock room.
struct RestorePosition {
    int x = 0, y = 0;
    int room = -1;
};

class GameServices {
public:
    virtual ~GameServices() = default;

    // Shared objects; the sound objects and the display are null when they
    // could not be set up.
    virtual Sequencer* Music() = 0;
    virtual FxPlayer* Effects() = 0;
    virtual display::Display* Screen() = 0;
    virtual platform::HWND Window() = 0;
    virtual InputState& Input() = 0;
    virtual LandSpriteTable& LandSprites() = 0;
    // The progress record of a land index (0..5).
    virtual LandRecord& Record(int landIndex) = 0;

    // What is being played: 1 easy, 2 medium, 3 hard; states and land
    // indices as above (-1 for no land).
    virtual int Difficulty() const = 0;
    virtual int CurrentState() const = 0;
    virtual int CurrentLand() const = 0;
    virtual int RequestedLand() const = 0;
    // How many of the den's doors lead somewhere (1 or 7).
    virtual int OpenDenDoors() const = 0;

    // Asks for another screen: the switch happens at the end of this tick.
    virtual void RequestState(int state, int landIndex) = 0;
    // Opens the options menu at the next tick unless one is open already.
    virtual void RequestMenu() = 0;
    // The next `frames` frames redraw the whole screen instead of scrolling.
    virtual void AddRedrawFrames(int frames) = 0;
    // Counts one drawn frame against them.
    virtual void CountRedrawFrame() = 0;
    // Frames still to be redrawn whole, and setting that count outright.
    virtual int RedrawFrames() const = 0;
    virtual void SetRedrawFrames(int frames) = 0;

    // The position to restore, which is then forgotten (the room is kept).
    virtual RestorePosition TakeRestorePosition() = 0;
    // The keep-records flag, which is cleared: set, the closing land leaves
    // its record as loading or a new game wrote it.
    virtual int TakeKeepRecords() = 0;

    // The demo: the loaded demo file (null when none), whether one is playing
    // or being recorded.
    virtual uint8_t* DemoData() = 0;
    virtual int DemoRunning() const = 0;
    virtual int DemoRecording() const = 0;
    // A demo the intro asked for begins playing (nothing when none was asked).
    virtual void StartRequestedDemo() = 0;
    // A new player character forgets any demo in progress.
    virtual void ResetDemo() = 0;
    // The recording stops (its buffer is full).
    virtual void StopDemoRecording() = 0;
    // The played demo is over: back to the title.
    virtual void FinishDemo() = 0;

    // What the options menu does to the game.
    // The system volume controls (null when there are none).
    virtual MixerFaders* Mixer() = 0;
    // The open menu goes at the start of the next tick.
    virtual void RequestCloseMenu() = 0;
    // Where the player stands now; a running land first writes its live
    // icons and keys into its record, so the records are what a save keeps.
    virtual SavedPlace PlaceToSave() = 0;
    // The game takes a saved slot's difficulty, place and records and goes
    // to its den or land at the end of this tick; the screen left behind
    // does not write over the loaded records.
    virtual void LoadSavedGame(const SavedSlot& slot) = 0;
    // A new game: every record afresh, easy, and the den at the end of this
    // tick; the screen left behind writes nothing back.
    virtual void StartNewGame() = 0;
    // The options menu in its title mode (the title owns it).
    virtual std::unique_ptr<TitleMenu> CreateTitleMenu() = 0;
    // A demo begins: the game takes the demo's buffer, its start (difficulty,
    // land, place and records) and goes to that land at the end of this tick.
    virtual void StartDemo(std::unique_ptr<uint8_t[]> demo, const SavedSlot& start) = 0;
};

}  // namespace world
