#include "shell/game_app.h"

#include <gtest/gtest.h>

#include <set>

#include "display/display.h"
#include "land/land_screen.h"
#include "menus/options_menu.h"
#include "support/display_support.h"
#include "shell_fixtures.h"
#include "platform/devices.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/system.h"
#include "screens/den_screen.h"
#include "screens/intro_screen.h"
#include "shell/app_state.h"
#include "shell/note_tables.h"
#include "shell/sample_rate.h"

namespace {

using namespace platform;
using shell::GameApp;

class GameAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell::ResetApp();
        SetCursorPos(320, 240);  // a neutral mouse
        ASSERT_EQ(game.Init(), 1);
    }
    void TearDown() override { shell::ResetApp(); }

    void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        game.HandleMessage(nullptr, message, wParam, lParam);
    }
    void SwitchTo(int state, int landIndex = -1) {
        game.requestedState = state;
        game.requestedLand = landIndex;
        game.Tick();
    }

    ScopedHeadless headless{1};
    shell_test::ScratchDir dir;
    bool libraries = (shell_test::WriteSoundLibraries(dir.Path()), true);
    HWND window = display_support::MakeWindow();
    GameApp game{window};
};

TEST(SampleRateChoice, StrictlyAboveThirtyMegabytesGivesTheHighRate) {
    EXPECT_EQ(shell::ChooseSampleRate(1, 30.0).sampleRate, 11025);
    EXPECT_EQ(shell::ChooseSampleRate(1, 30.0).rateStep, 2);
    EXPECT_EQ(shell::ChooseSampleRate(1, 30.01).sampleRate, 22050);
    EXPECT_EQ(shell::ChooseSampleRate(1, 30.01).rateStep, 1);
    EXPECT_EQ(shell::ChooseSampleRate(0, 80.0).sampleRate, 11025);  // a failed test
}

TEST_F(GameAppTest, InitOpensTheIntroAndGivesRecordsTheirNoteTables) {
    EXPECT_EQ(game.currentState, shell::kStateIntro);
    ASSERT_NE(game.introScreen, nullptr);
    EXPECT_EQ(game.introScreen->game, &game);
    EXPECT_EQ(game.requestedState, shell::kStateIntro);
    EXPECT_EQ(game.requestedLand, 0);
    EXPECT_EQ(game.difficulty, 1);
    EXPECT_EQ(game.redrawFrames, 2);
    // The timed copy picks one of the two rates, each with its own step.
    EXPECT_TRUE((game.sampleRate == 11025 && game.rateStep == 2) ||
                (game.sampleRate == 22050 && game.rateStep == 1));
    ASSERT_NE(game.display, nullptr);
    EXPECT_NE(game.display->frontBuffer, nullptr);
    for (int land = 0; land < shell::kLandCount; ++land) {
        const shell::NoteTable* table = shell::NoteTableFor(game.Record(land).noteTable);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table == &shell::kNoteTableA, land == shell::kFunland);
    }
    // Records sit as aussie, eastern, celtic, wetland, funland, jazzland.
    EXPECT_EQ(&game.Record(shell::kAussie), &game.landRecords[0]);
    EXPECT_EQ(&game.Record(shell::kCeltic), &game.landRecords[2]);
    EXPECT_EQ(&game.Record(shell::kJazzland), &game.landRecords[5]);
}

TEST_F(GameAppTest, SwitchHappensAtTheEndOfTheSameTick) {
    game.requestedState = shell::kStateDen;
    game.redrawFrames = 0;
    game.keepRecords = 1;
    game.Tick();
    EXPECT_EQ(game.currentState, shell::kStateDen);
    EXPECT_EQ(game.introScreen, nullptr);
    ASSERT_NE(game.denScreen, nullptr);
    EXPECT_EQ(game.denScreen->frames, 0);  // the old screen ticked, not the new one
    EXPECT_EQ(game.redrawFrames, 2);
    EXPECT_EQ(game.keepRecords, 0);
    game.Tick();
    EXPECT_EQ(game.denScreen->frames, 1);
}

TEST_F(GameAppTest, LandSwitchLoadsTheLevelOfTheLandAndDifficulty) {
    game.difficulty = 2;
    // This folder has no levels: the land cannot be set up, so the box names
    // the files the switch chose and the player is back in the den.
    platform::headless::ClearMessageBoxLog();
    SwitchTo(shell::kStateLand, shell::kFunland);
    EXPECT_EQ(game.landScreen, nullptr);
    EXPECT_EQ(game.currentState, shell::kStateDen);
    ASSERT_FALSE(platform::headless::MessageBoxLog().empty());
    const std::string& text = platform::headless::MessageBoxLog()[0].text;  // the den's pictures follow
    EXPECT_NE(text.find(".\\graphics\\lands\\funland\\medium.lnd"), std::string::npos) << text;
    EXPECT_NE(text.find(".\\seq\\fun.xmi"), std::string::npos) << text;

    // The den opens all its doors once the celtic land's member is free.
    game.Record(shell::kCeltic).freed = 1;
    SwitchTo(shell::kStateIntro);
    SwitchTo(shell::kStateDen);
    EXPECT_EQ(game.landScreen, nullptr);
    EXPECT_EQ(game.openDenDoors, 7);
}

TEST_F(GameAppTest, LandWithoutAValidIndexRunsWithoutAScreen) {
    SwitchTo(shell::kStateLand, -1);
    EXPECT_EQ(game.currentState, shell::kStateLand);
    EXPECT_EQ(game.landScreen, nullptr);
    game.Tick();  // nothing to tick, nothing read past the land table
    game.difficulty = 4;
    SwitchTo(shell::kStateIntro);
    SwitchTo(shell::kStateLand, shell::kWetland);
    EXPECT_EQ(game.landScreen, nullptr);
    std::string level, song;
    const char* files[3] = {"easy.lnd", "medium.lnd", "hard.lnd"};
    for (int difficulty = 1; difficulty <= 3; ++difficulty) {
        EXPECT_TRUE(shell::LevelFiles(shell::kWetland, difficulty, &level, &song));
        EXPECT_EQ(level, std::string(".\\graphics\\lands\\wetland\\") + files[difficulty - 1]);
    }
    EXPECT_FALSE(shell::LevelFiles(6, 1, &level, &song));
    EXPECT_FALSE(shell::LevelFiles(shell::kCeltic, 0, &level, &song));
}

TEST_F(GameAppTest, MenuKeysAskForTheMenuOnlyOutsideTheTitle) {
    Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(game.input.escape, 1);
    EXPECT_EQ(game.input.anyInput, 1);
    EXPECT_EQ(game.openMenuRequest, 0);

    SwitchTo(shell::kStateDen);
    Send(WM_KEYDOWN, VK_F12);
    EXPECT_EQ(game.openMenuRequest, 1);

    // Not while a menu is open.
    game.openMenuRequest = 0;
    game.optionsMenu = std::make_unique<menus::OptionsMenu>(&game, menus::OptionsMenu::kGameMenu);
    Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(game.openMenuRequest, 0);
    game.optionsMenu = nullptr;
}

TEST_F(GameAppTest, InputDuringADemoReturnsToTheTitle) {
    SwitchTo(shell::kStateLand, shell::kCeltic);
    game.demoRunning = 1;
    Send(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(game.input.anyInput, 1);
    EXPECT_EQ(game.input.left, 0);  // the key does nothing else
    EXPECT_EQ(game.demoRunning, 0);
    EXPECT_EQ(game.returnToTitle, 1);

    game.input.up = game.input.fire = 1;
    game.input.lastCharacter = 'q';
    game.Tick();
    EXPECT_EQ(game.currentState, shell::kStateIntro);
    EXPECT_EQ(game.requestedLand, -1);
    EXPECT_EQ(game.returnToTitle, 0);
    EXPECT_EQ(game.closeMenuRequest, 1);
    EXPECT_EQ(game.input.up + game.input.fire + game.input.lastCharacter, 0);

    game.demoRunning = 1;
    Send(WM_LBUTTONDOWN);
    EXPECT_EQ(game.input.fire, 0);
    EXPECT_EQ(game.returnToTitle, 1);
}

TEST_F(GameAppTest, ActivationChangesPriorityAndForcesFullRedraws) {
    Send(WM_ACTIVATEAPP, 0);
    EXPECT_EQ(shell::App().active, 0);
    EXPECT_EQ(GetPriorityClass(), IDLE_PRIORITY_CLASS);

    game.redrawFrames = 0;
    Send(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(shell::App().active, 1);
    EXPECT_EQ(GetPriorityClass(), HIGH_PRIORITY_CLASS);
    EXPECT_EQ(game.redrawFrames, 2);

    SetPriorityClass(NORMAL_PRIORITY_CLASS);
    Send(WM_SYSKEYUP, VK_RETURN);
    EXPECT_EQ(GetPriorityClass(), NORMAL_PRIORITY_CLASS);
    Send(WM_SYSKEYUP, 'X');
    EXPECT_EQ(GetPriorityClass(), HIGH_PRIORITY_CLASS);
    SetPriorityClass(NORMAL_PRIORITY_CLASS);
}

// The guards behind what the screens, rooms and characters are given of the
// game; the plain field reads and writes are left to the flows that use them.
TEST(GameAppServices, GuardedRequestsAndOneTimeTakes) {
    GameApp game{nullptr};
    world::GameServices& services = game;
    game.optionsMenu = std::make_unique<menus::OptionsMenu>(&game, menus::OptionsMenu::kGameMenu);
    services.RequestMenu();
    EXPECT_EQ(game.openMenuRequest, 0) << "not while a menu is open";
    game.optionsMenu = nullptr;

    game.redrawFrames = 0;
    services.AddRedrawFrames(2);
    services.CountRedrawFrame();
    EXPECT_EQ(game.redrawFrames, 1);
    services.CountRedrawFrame();
    services.CountRedrawFrame();
    EXPECT_EQ(game.redrawFrames, 0) << "never below zero";

    game.restoreX = 150;
    game.restoreY = 260;
    game.restoreRoom = 10;
    EXPECT_EQ(services.TakeRestorePosition().y, 260);
    const world::RestorePosition second = services.TakeRestorePosition();
    EXPECT_EQ(second.x + second.y, 0);
    EXPECT_EQ(second.room, 10) << "the room stays as it was";
    game.keepRecords = 1;
    EXPECT_EQ(services.TakeKeepRecords(), 1);
    EXPECT_EQ(services.TakeKeepRecords(), 0);

    services.StartRequestedDemo();
    EXPECT_EQ(services.DemoRunning(), 0) << "no demo was asked for";
    game.demoStart = 1;
    services.StartRequestedDemo();
    EXPECT_EQ(services.DemoRunning(), 1);
    services.ResetDemo();
    services.StartRequestedDemo();
    EXPECT_EQ(services.DemoRunning(), 0) << "a request starts one demo only";
    game.demoScratch = 1;
    services.StopDemoRecording();
    EXPECT_EQ(services.DemoRecording(), 0);

    // Every land has a record of its own.
    std::set<const world::LandRecord*> records;
    for (int land = 0; land < shell::kLandCount; ++land) records.insert(&services.Record(land));
    EXPECT_EQ(records.size(), size_t(shell::kLandCount));
}

}  // namespace
