#pragma once
// A stand-in for the game object in tests of the layers below it: plain
// fields, named as the game's own, behind the interface the screens, rooms
// and characters use.
#include <functional>
#include <memory>

#include "world/game_services.h"
#include "world/input_state.h"
#include "world/land_record.h"
#include "world/saved_game.h"

namespace display {
class Display;
}

class TestGame final : public world::GameServices {
public:
    TestGame() {
        for (world::LandRecord& record : records) world::InitLandRecord(&record);
    }

    Sequencer* Music() override { return sequencer; }
    FxPlayer* Effects() override { return effectsPlayer; }
    display::Display* Screen() override { return display; }
    platform::HWND Window() override { return window; }
    world::InputState& Input() override { return input; }
    world::LandSpriteTable& LandSprites() override { return landSprites; }
    world::LandRecord& Record(int landIndex) override { return records[landIndex]; }
    int Difficulty() const override { return difficulty; }
    int CurrentState() const override { return currentState; }
    int CurrentLand() const override { return currentLand; }
    int RequestedLand() const override { return requestedLand; }
    int OpenDenDoors() const override { return openDenDoors; }
    void RequestState(int state, int landIndex) override {
        requestedState = state;
        requestedLand = landIndex;
    }
    void RequestMenu() override {
        if (!menuOpen) openMenuRequest = 1;
    }
    void AddRedrawFrames(int frames) override { redrawFrames += frames; }
    void CountRedrawFrame() override {
        if (redrawFrames > 0) --redrawFrames;
    }
    int RedrawFrames() const override { return redrawFrames; }
    void SetRedrawFrames(int frames) override { redrawFrames = frames; }
    world::RestorePosition TakeRestorePosition() override {
        const world::RestorePosition position{restoreX, restoreY, restoreRoom};
        if (restoreY != 0) restoreX = restoreY = 0;
        return position;
    }
    int TakeKeepRecords() override {
        const int kept = keepRecords;
        keepRecords = 0;
        return kept;
    }
    uint8_t* DemoData() override { return demoData.get(); }
    int DemoRunning() const override { return demoRunning; }
    int DemoRecording() const override { return demoScratch; }
    void StartRequestedDemo() override {
        if (!demoStart) return;
        demoStart = 0;
        demoScratch = 0;
        demoRunning = 1;
    }
    void ResetDemo() override { demoScratch = demoRunning = 0; }
    void StopDemoRecording() override { demoScratch = 0; }
    void FinishDemo() override {
        demoRunning = 0;
        returnToTitle = 1;
    }
    MixerFaders* Mixer() override { return mixer; }
    void RequestCloseMenu() override { closeMenuRequest = 1; }
    world::SavedPlace PlaceToSave() override {
        ++placesTaken;
        return placeToSave;
    }
    void LoadSavedGame(const world::SavedSlot&) override { ++gamesLoaded; }
    void StartNewGame() override { ++newGames; }
    std::unique_ptr<world::TitleMenu> CreateTitleMenu() override {
        ++titleMenus;
        return makeTitleMenu ? makeTitleMenu() : nullptr;
    }
    void StartDemo(std::unique_ptr<uint8_t[]> demo, const world::SavedSlot& start) override {
        demoData = std::move(demo);
        difficulty = start.difficulty;
        requestedLand = start.land;
        restoreX = start.x;
        restoreY = start.y;
        restoreRoom = start.room;
        demoStart = 1;
        requestedState = world::kStateLand;
        ++demosStarted;
    }

    Sequencer* sequencer = nullptr;
    FxPlayer* effectsPlayer = nullptr;
    display::Display* display = nullptr;
    platform::HWND window = nullptr;
    world::InputState input{};
    world::LandSpriteTable landSprites;
    world::LandRecord records[world::kLandCount];
    int difficulty = 1;
    int currentState = world::kStateLand, requestedState = world::kStateLand;
    int currentLand = -1, requestedLand = -1;
    int openDenDoors = 1;
    int menuOpen = 0, openMenuRequest = 0;
    int redrawFrames = 0;
    int restoreX = 0, restoreY = 0, restoreRoom = -1;
    int keepRecords = 0;
    std::unique_ptr<uint8_t[]> demoData;
    int demoStart = 0, demoRunning = 0, demoScratch = 0, returnToTitle = 0;
    MixerFaders* mixer = nullptr;
    int closeMenuRequest = 0;
    world::SavedPlace placeToSave;
    int placesTaken = 0, gamesLoaded = 0, newGames = 0, titleMenus = 0, demosStarted = 0;
    std::function<std::unique_ptr<world::TitleMenu>()> makeTitleMenu;
};
