#pragma once
// The one top-level object of a run: owns the display, the sound objects, the
// input state, the six land records and exactly one current screen, and runs
// the screen state machine one Tick per main-loop pass.
#include <cstdint>
#include <memory>
#include <string>

#include "audio/sound_setup.h"
#include "platform/win_types.h"
#include "world/game_services.h"
#include "world/input_state.h"
#include "world/land_files.h"
#include "world/land_record.h"

class MixerFaders;
class Sequencer;
class FxPlayer;

namespace display {
class Display;
}

namespace land {
class LandScreen;
}
namespace screens {
class IntroScreen;
class DenScreen;
}
namespace menus {
class OptionsMenu;
}

namespace shell {

using world::kStateDen;
using world::kStateIntro;
using world::kStateLand;
using world::kStateNone;
using world::kStateStart;
using world::kAussie, world::kCeltic, world::kEastern, world::kFunland, world::kJazzland, world::kWetland;
using world::kLandCount;

using world::LevelFiles;

class GameApp final : public world::GameServices {
public:
    explicit GameApp(platform::HWND window);
    ~GameApp() override;
    GameApp(const GameApp&) = delete;
    GameApp& operator=(const GameApp&) = delete;

    // Sets up display and sound, then opens the intro. 1, or 0 when the
    // display or the sound could not be set up.
    int Init();
    // One frame: polls, menu requests, the menu's or the screen's tick, the
    // return-to-title request, then a switch if another state was requested.
    void Tick();
    void HandleMessage(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                       platform::LPARAM lParam);
    // Replaces the current screen with the one the requested state names.
    void SwitchState();
    // Releases the screens, the sound objects, the menu and last the display.
    void Destroy();

    // The record of a land index (the records are kept in their own order).
    world::LandRecord& Record(int landIndex) override;

    // What the screens, rooms and characters use of the game.
    Sequencer* Music() override { return sequencer; }
    FxPlayer* Effects() override { return effectsPlayer; }
    display::Display* Screen() override { return display.get(); }
    platform::HWND Window() override { return window; }
    world::InputState& Input() override { return input; }
    world::LandSpriteTable& LandSprites() override { return landSprites; }
    int Difficulty() const override { return difficulty; }
    int CurrentState() const override { return currentState; }
    int CurrentLand() const override { return currentLand; }
    int RequestedLand() const override { return requestedLand; }
    int OpenDenDoors() const override { return openDenDoors; }
    void RequestState(int state, int landIndex) override;
    void RequestMenu() override;
    void AddRedrawFrames(int frames) override { redrawFrames += frames; }
    void CountRedrawFrame() override;
    int RedrawFrames() const override { return redrawFrames; }
    void SetRedrawFrames(int frames) override { redrawFrames = frames; }
    world::RestorePosition TakeRestorePosition() override;
    int TakeKeepRecords() override;
    uint8_t* DemoData() override { return demoData.get(); }
    int DemoRunning() const override { return demoRunning; }
    int DemoRecording() const override { return demoScratch; }
    void StartRequestedDemo() override;
    void ResetDemo() override;
    void StopDemoRecording() override { demoScratch = 0; }
    void FinishDemo() override;
    MixerFaders* Mixer() override { return mixer; }
    void RequestCloseMenu() override { closeMenuRequest = 1; }
    world::SavedPlace PlaceToSave() override;
    void LoadSavedGame(const world::SavedSlot& slot) override;
    void StartNewGame() override;
    std::unique_ptr<world::TitleMenu> CreateTitleMenu() override;
    void StartDemo(std::unique_ptr<uint8_t[]> demo, const world::SavedSlot& start) override;

    // Fields, in this order.
    int requestedState = kStateStart;
    int sampleRate = 0;
    int rateStep = 0;
    MixerFaders* mixer = nullptr;
    std::unique_ptr<screens::IntroScreen> introScreen;
    platform::HWND window;
    int difficulty = 1;
    std::unique_ptr<menus::OptionsMenu> optionsMenu;  // null when no menu is open
    int openMenuRequest = 0;
    int closeMenuRequest = 0;
    std::unique_ptr<screens::DenScreen> denScreen;
    int requestedLand = -1;
    int currentLand = -1;
    int openDenDoors = 1;
    int restoreX = 0, restoreY = 0;
    int restoreRoom = -1;
    int currentState = kStateStart;
    world::InputState input{};
    // aussie, eastern, celtic, wetland, funland, jazzland
    world::LandRecord landRecords[kLandCount];
    std::unique_ptr<uint8_t[]> demoData;
    int demoStart = 0;
    int returnToTitle = 0;
    int demoRunning = 0;
    int demoScratch = 0;
    int keepRecords = 0;
    std::unique_ptr<land::LandScreen> landScreen;
    world::LandSpriteTable landSprites;  // the table and the count of its entries in use
    int redrawFrames = 0;
    // Owned by `sound` below; null until the sound set-up made them.
    Sequencer* sequencer = nullptr;
    FxPlayer* effectsPlayer = nullptr;
    std::unique_ptr<display::Display> display;

    // Owner of the sequencer, the effects player and the mixer faders.
    SoundObjects sound;

    // Media-control completions that reached the game (CD audio's).
    int mciNotifications = 0;

private:
    // Creates and configures the display (640 x 480, page flipped); 0 when
    // DirectDraw or the flipping chain cannot be set up.
    int InitDisplay();
    // The pause after the display comes up and the splash's wait, which the
    // space bar cuts short.
    void StartupPause();
    int RunSpeedTest(double* megabytesPerSecond);
    int InitSound();

    void OnActivateApp(bool active);
    void OnKeyDown(int virtualKey);
    void OnLeftButtonDown();
    // Ends a running demo on a key or click; true when it did.
    bool EndDemoOnInput();
    // CD audio's completion message (the audio subsystem answers it).
    void OnCdAudioNotify(platform::WPARAM code, platform::LPARAM device);

    // The options menu in a mode, with the help buttons of the preferences.
    std::unique_ptr<menus::OptionsMenu> MakeMenu(int mode);
    void OpenMenuOnRequest();
    void CloseMenuOnRequest();
    void TickCurrentScreen();
    void DestroyScreens();
    void CreateScreen();
    // The palette of the new screen and music control belong to the display
    // and the sequencer; with neither present there is nothing to do.
    void LoadScreenPalette();
    void RestorePalette();
    void PlayMusic();
    void StopMusic();
    void GiveRecordsNoteTables();
    // A saved slot's or a demo's difficulty, land, place and records.
    void TakeSavedStart(const world::SavedSlot& slot);
};

}  // namespace shell
