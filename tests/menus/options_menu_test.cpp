// The options menu's screens, driven one input code per tick: the list, load,
// save and its confirmation, the volume knobs on the system faders, help,
// new game, quit to title and quit.
#include "menu_fixture.h"
#include "platform/clock.h"
#include "platform/user_files.h"
#include "support/display_support.h"

namespace {

using menu_test::MenuTest;
using menus::OptionsMenu;
using O = menus::OptionsMenu;

TEST_F(MenuTest, TheListMarkerStopsAtTheFirstAndLastLines) {
    OpenMenu(O::kGameMenu);
    EXPECT_EQ(menu->menuState, O::kList);
    EXPECT_EQ(menu->picture, ".\\Graphics\\options\\gameopts.bmp");
    EXPECT_EQ(game.redrawFrames, 2) << "two whole pictures to come";
    Press(O::kUp);
    EXPECT_EQ(menu->listItem, 0);
    EXPECT_EQ(menu->ListMarker()->y, 68 - menu_test::kSmallH / 2);
    PressTimes(O::kDown, 7);
    EXPECT_EQ(menu->listItem, 5);
    EXPECT_EQ(menu->ListMarker()->x, 320 - menu_test::kSmallW / 2);
    EXPECT_EQ(menu->ListMarker()->y, 6 * 68 - menu_test::kSmallH / 2);
    // Each code is taken once and centres the cursor.
    EXPECT_EQ(game.input.down, 0);
    Press(O::kEscape);
    EXPECT_EQ(game.closeMenuRequest, 1) << "escape leaves the game menu";
}

TEST_F(MenuTest, LoadingShowsEmptySlotsLoadsOnlyUsedOnesAndCancels) {
    WriteSaves({3});
    OpenMenu(O::kTitleMenu);
    Press(O::kDown);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kLoad);
    for (int s = 0; s < 8; ++s) {
        EXPECT_EQ(menu->Shown(menu->EmptyMark(s)), s != 3) << s;
        if (s != 3) {
            EXPECT_EQ(menu->EmptyMark(s)->y, 110 + 40 * s - 15);
        }
    }
    Press(O::kFire);  // slot 0 is empty
    EXPECT_EQ(game.gamesLoaded, 0);
    EXPECT_EQ(menu->menuState, O::kLoad);
    PressTimes(O::kDown, 3);
    EXPECT_EQ(menu->SlotMarker()->y, 110 + 120 - menu_test::kLargeH / 2);
    Press(O::kFire);
    EXPECT_EQ(game.gamesLoaded, 1);
    PressTimes(O::kDown, 9);
    EXPECT_EQ(menu->item, 8);
    EXPECT_EQ(menu->SlotMarker()->frame->Width(), menu_test::kSmallW) << "cancel has the small marker";
    EXPECT_EQ(menu->SlotMarker()->y, 440 - menu_test::kSmallH / 2);
    Press(O::kFire);
    EXPECT_EQ(menu->menuState, O::kList);
}

TEST_F(MenuTest, ADamagedSlotShowsEmptyAndIsNotLoaded) {
    WriteSaves({0});
    world::SlotBuffer buffer{};
    world::ReadSavedGames(savePath, &buffer);
    buffer[260] = 9;  // difficulty 9
    ASSERT_EQ(world::WriteSavedGames(savePath, buffer), 1);
    OpenMenu(O::kTitleMenu);
    Press(O::kDown);
    Press(O::kFire);
    EXPECT_TRUE(menu->Shown(menu->EmptyMark(0)));
    Press(O::kFire);
    EXPECT_EQ(game.gamesLoaded, 0);
}

TEST_F(MenuTest, SavingIntoAUsedSlotAsksAndNoReturnsToThatSlot) {
    WriteSaves({2});
    game.placeToSave = world::SavedPlace{world::kJazzland, 400, 500, 1};
    OpenMenu(O::kGameMenu);
    Press(O::kDown);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kSave);
    PressTimes(O::kDown, 2);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kConfirmReplace);
    EXPECT_EQ(menu->ConfirmMarker()->y, 310);
    Press(O::kDown);
    EXPECT_EQ(menu->ConfirmMarker()->y, 355);
    Press(O::kFire);  // no
    EXPECT_EQ(menu->menuState, O::kSave);
    EXPECT_EQ(menu->item, 2);
    EXPECT_EQ(menu->SlotMarker()->y, 110 + 80 - menu_test::kLargeH / 2);
    EXPECT_EQ(game.placesTaken, 0) << "nothing was saved";

    Press(O::kFire);
    Press(O::kFire);  // yes
    EXPECT_EQ(menu->menuState, O::kList);
    world::SlotBuffer file{};
    world::ReadSavedGames(savePath, &file);
    world::SavedSlot saved;
    ASSERT_EQ(world::DecodeSlot(file, 2, &saved), 1);
    EXPECT_EQ(saved.marker, "a");
    EXPECT_EQ(saved.land, world::kJazzland);
    EXPECT_EQ(saved.room, 1);
    EXPECT_EQ(saved.x, 400);
}

TEST_F(MenuTest, SavingIntoAnEmptySlotWritesItOrSaysItCouldNot) {
    OpenMenu(O::kGameMenu);
    Press(O::kDown);
    Press(O::kFire);
    PressTimes(O::kDown, 7);
    // The disk is full: the save screen stays with the slot still empty.
    platform::headless::FailUserFileWritesAfter(100);
    Press(O::kFire);
    platform::headless::FailUserFileWritesAfter(-1);
    EXPECT_EQ(menu->saveFailed, 1);
    EXPECT_EQ(menu->menuState, O::kSave);
    EXPECT_TRUE(menu->Shown(menu->EmptyMark(7)));
    EXPECT_FALSE(std::filesystem::exists(savePath));

    Press(O::kFire);
    EXPECT_EQ(menu->saveFailed, 0);
    EXPECT_EQ(menu->menuState, O::kList);
    world::SlotBuffer file{};
    ASSERT_EQ(world::ReadSavedGames(savePath, &file), 1);
    world::SavedSlot saved;
    ASSERT_EQ(world::DecodeSlot(file, 7, &saved), 1);
    EXPECT_EQ(saved.marker, "a\n");
    EXPECT_EQ(std::filesystem::file_size(savePath), world::kSavedGameBytes);
}

TEST_F(MenuTest, KnobsFollowTheFadersStepByStep) {
    OpenMenu(O::kGameMenu);
    PressTimes(O::kDown, 2);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kVolume);
    const int32_t origin = 500 - menu_test::kKnobW / 2;
    EXPECT_EQ(menu->knobOrigin, origin);
    // Every fader starts at full volume, the knob at the right end.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(menu->Knob(k)->x, origin + 116) << k;
        EXPECT_EQ(menu->Knob(k)->y, 166 + 80 * k - menu_test::kKnobH / 2) << k;
    }
    Press(O::kDown);  // the wave fader
    Press(O::kLeft);
    uint32_t value = 0, minimum = 0, maximum = 0, step = 0;
    mixer->m_GetFaderValue(MixerFaders::kWave);
    mixer->FaderValue(MixerFaders::kWave, &value);
    mixer->MixerFaders_GetRange(MixerFaders::kWave, &minimum, &maximum, &step);
    EXPECT_EQ(value, maximum - step);
    EXPECT_EQ(menu->Knob(1)->x, origin + static_cast<int32_t>(int64_t(value) * 116 / maximum));
    EXPECT_LT(menu->Knob(1)->x, origin + 116);
    EXPECT_EQ(menu->Knob(0)->x, origin + 116) << "the other knobs stay";
    // What is heard follows: the wave volume is down.
    EXPECT_LT(platform::system_mixer::Volume(platform::MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 65535u);
    Press(O::kRight);
    EXPECT_EQ(menu->Knob(1)->x, origin + 116);
    // Nothing right of the screen.
    EXPECT_LE(menu->Knob(1)->x + menu_test::kKnobW, 640);
    PressTimes(O::kDown, 5);
    EXPECT_EQ(menu->ListMarker()->y, 400 - menu_test::kSmallH / 2);
    Press(O::kFire);
    EXPECT_EQ(menu->menuState, O::kList);
}

TEST_F(MenuTest, AKnobWithoutAFaderStaysWhereItIs) {
    platform::system_mixer::SetLinePresent(platform::MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, false);
    mixer = std::make_unique<MixerFaders>(Window());
    mixer->MixerFaders_Init();
    game.mixer = mixer.get();
    OpenMenu(O::kGameMenu);
    PressTimes(O::kDown, 2);
    Press(O::kFire);
    const int32_t x = menu->Knob(2)->x;
    PressTimes(O::kDown, 2);
    Press(O::kLeft);
    Press(O::kLeft);
    EXPECT_EQ(menu->Knob(2)->x, x);
}

TEST_F(MenuTest, HelpPagesTurnWithTheHighlightedButtonAndLeaveAtTheEnds) {
    menu = std::make_unique<OptionsMenu>(&game, O::kGameMenu, &D());
    menu->savePath = savePath;
    menu->helpButtons.right = platform::POINT{552, 420};
    menu->helpButtons.left = platform::POINT{40, 421};
    menu->Open();
    PressTimes(O::kDown, 3);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kHelp);
    EXPECT_EQ(menu->picture, ".\\graphics\\options\\aim.bmp");
    EXPECT_TRUE(menu->Shown(menu->HelpButton(2)));
    EXPECT_FALSE(menu->Shown(menu->HelpButton(0)));
    EXPECT_EQ(menu->HelpButton(2)->x, 552);
    for (int page = 1; page < 6; ++page) {
        Press(O::kFire);
        EXPECT_EQ(menu->helpPage, page);
    }
    EXPECT_EQ(menu->picture, ".\\graphics\\options\\options.bmp");
    Press(O::kLeft);
    Press(O::kUp);
    EXPECT_EQ(menu->helpButton, 0);
    EXPECT_TRUE(menu->Shown(menu->HelpButton(0)));
    EXPECT_EQ(menu->HelpButton(0)->y, 421);
    Press(O::kFire);
    EXPECT_EQ(menu->helpPage, 4);
    Press(O::kRight);  // cancel
    Press(O::kFire);
    EXPECT_EQ(menu->menuState, O::kList);

    // Right on the last page leaves too.
    Press(O::kFire);
    for (int page = 1; page < 6; ++page) Press(O::kFire);
    Press(O::kFire);
    EXPECT_EQ(menu->menuState, O::kList);
}

TEST_F(MenuTest, NewGameFromTheTitleAndEscapeBackToTheTitlePicture) {
    int leftTitle = 0;
    OpenMenu(O::kTitleMenu);
    menu->onLeaveTitle = [&] { ++leftTitle; };
    EXPECT_EQ(menu->picture, ".\\Graphics\\options\\mainopts2.bmp");
    Press(O::kEscape);
    EXPECT_EQ(leftTitle, 1);
    EXPECT_EQ(game.newGames, 0);
    EXPECT_EQ(game.redrawFrames, 0);

    OpenMenu(O::kTitleMenu);
    Press(O::kFire);
    EXPECT_EQ(menu->menuState, O::kNewGame);
    EXPECT_EQ(game.newGames, 0);
    Press(O::kNoInput);
    EXPECT_EQ(game.newGames, 1);
    EXPECT_EQ(game.closeMenuRequest, 1);
}

TEST_F(MenuTest, QuitToTitleAndQuitAskFirst) {
    OpenMenu(O::kGameMenu);
    PressTimes(O::kDown, 4);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kConfirmTitle);
    EXPECT_EQ(menu->ConfirmMarker()->y, 220);
    Press(O::kEscape);
    EXPECT_EQ(menu->menuState, O::kList);
    Press(O::kFire);
    Press(O::kFire);  // yes
    EXPECT_EQ(game.requestedState, world::kStateIntro);
    EXPECT_EQ(game.requestedLand, -1);
    EXPECT_EQ(game.closeMenuRequest, 1);

    OpenMenu(O::kGameMenu);
    PressTimes(O::kDown, 5);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kConfirmQuit);
    Press(O::kDown);
    EXPECT_EQ(menu->ConfirmMarker()->y, 280);
    Press(O::kUp);
    platform::MSG message;
    while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
    }
    Press(O::kFire);
    EXPECT_EQ(menu->menuState, O::kQuitting);
    auto closes = [] {
        int n = 0;
        platform::MSG m;
        while (platform::PeekMessage(&m, nullptr, 0, 0, platform::PM_REMOVE)) n += m.message == platform::WM_CLOSE;
        return n;
    };
    EXPECT_EQ(closes(), 1);
    platform::manual_clock::Advance(2900);
    Press(O::kNoInput);
    EXPECT_EQ(closes(), 0);
    platform::manual_clock::Advance(100);
    Press(O::kNoInput);
    EXPECT_EQ(closes(), 1) << "asked again after three seconds";
    Press(O::kFire);
    EXPECT_EQ(closes(), 1) << "and on any input";
}

TEST_F(MenuTest, CreditsRunInsideTheTitleMenuAndGiveTheListBack) {
    OpenMenu(O::kTitleMenu);
    menu->creditsSettings.logoCount = 1;
    PressTimes(O::kDown, 4);
    Press(O::kFire);
    ASSERT_EQ(menu->menuState, O::kCredits);
    ASSERT_NE(menu->credits, nullptr);
    EXPECT_FALSE(menu->Shown(menu->ListMarker()));
    // Without their pictures the credits still keep time: one key moves on
    // one page, then the closing picture and the logo.
    for (int i = 0; i < 8; ++i) {
        game.input.anyInput = 1;
        Press(O::kNoInput);
        EXPECT_EQ(game.input.anyInput, 0) << "each key is seen once";
    }
    EXPECT_EQ(menu->credits->PagesStarted(), 8);
    game.input.anyInput = 1;
    Press(O::kNoInput);  // the closing picture
    EXPECT_EQ(menu->credits->Phase(), screens::CreditsScreen::kPhaseClosing);
    platform::manual_clock::Advance(3001);
    Press(O::kNoInput);  // the logo
    EXPECT_EQ(menu->menuState, O::kCredits);
    platform::manual_clock::Advance(5001);
    Press(O::kNoInput);
    EXPECT_EQ(menu->menuState, O::kList);
    EXPECT_EQ(menu->credits, nullptr);
    EXPECT_TRUE(menu->Shown(menu->ListMarker()));
}

}  // namespace
