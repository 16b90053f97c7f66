// The options menus through the game object on the generated data: a game
// saved in a land's sub-room, quit to the title and loaded again from the
// title menu (pictures in <build>/menu_flow/); a den save; a new game; the
// credits; volumes chosen in the menu kept for the next run.
#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "audio/land_sprite.h"
#include "audio/mixer_faders.h"
#include "display/display.h"
#include "game_flow_fixture.h"
#include "land/land_screen.h"
#include "menus/options_menu.h"
#include "screens/intro_screen.h"
#include "platform/desktop_settings.h"
#include "platform/mmmixer.h"
#include "platform/video_out.h"
#include "sprites/sprite_group.h"
#include "world/player_dog.h"
#include "world/saved_game.h"

namespace {

using namespace platform;
using MenuFlow = game_flow::GameFlow;
using O = menus::OptionsMenu;

std::filesystem::path Shots() { return game_flow::ShotFolder("menu_flow"); }

class MenuFlowTest : public MenuFlow {
protected:
    // One key press as the keyboard gives it, and a tick after its release.
    void Key(int vk) {
        Press(vk);
        Ticks(1);
        Release(vk);
        Ticks(1);
    }
    void Keys(int vk, int times) {
        for (int i = 0; i < times; ++i) Key(vk);
    }
    void Shot(const char* name) {
        Ticks(3);
        const Screenshot shot = CaptureScreen();
        EXPECT_EQ(WritePng(shot, (Shots() / name).string()), 1);
        size_t lit = 0;
        for (uint8_t v : shot.rgb) lit += v > 40;
        EXPECT_GT(lit, shot.rgb.size() / 10) << name << " is nearly black";
    }
    // The menu on show: the game's, or the one the title opened.
    O* Menu() {
        if (Game().optionsMenu) return Game().optionsMenu.get();
        screens::IntroScreen* title = Game().introScreen.get();
        if (title && title->menuState == 1) return dynamic_cast<O*>(title->menu.get());
        return nullptr;
    }
    // Back to the title through the game menu when a game runs, then any key
    // on the title opens its menu.
    void OpenTitleMenu() {
        if (Game().currentState != world::kStateIntro) {
            Key(VK_ESCAPE);
            Keys(VK_DOWN, 4);
            Key(VK_RETURN);
            Key(VK_RETURN);
            Ticks(2);
        }
        ASSERT_EQ(Game().currentState, world::kStateIntro);
        Ticks(16);  // the title ignores input while it starts
        Key('A');
        ASSERT_NE(Menu(), nullptr);
        EXPECT_EQ(Menu()->mode, O::kTitleMenu);
    }
};

TEST_F(MenuFlowTest, AGameSavedInASubRoomLoadsIntoThatRoomFromTheTitle) {
    Game().requestedState = world::kStateLand;
    Game().requestedLand = world::kCeltic;
    Ticks(1);
    land::LandScreen* land = Game().landScreen.get();
    ASSERT_NE(land, nullptr);
    land->player->leaveRoomRequest = 1;  // out of the lock room
    Ticks(5);
    // Icon 0 has been carried into sub-room 1 and placed there.
    LandSprite* icon = Game().landSprites[0];
    land->place.group->Unlink(icon);
    icon->location = 1;
    icon->placed = 1;
    land->player->enterRoomRequest = 1;
    Ticks(20);
    ASSERT_EQ(land->currentRoom, 1);
    const int32_t x = land->player->x, y = land->player->y;

    Key(VK_ESCAPE);
    ASSERT_NE(Menu(), nullptr);
    EXPECT_EQ(Menu()->mode, O::kGameMenu);
    Shot("1_game_menu.png");
    Key(VK_DOWN);
    Key(VK_RETURN);
    ASSERT_EQ(Menu()->menuState, O::kSave);
    Shot("2_save.png");
    Keys(VK_DOWN, 2);
    Key(VK_RETURN);
    EXPECT_EQ(Menu()->menuState, O::kList);
    EXPECT_EQ(Menu()->saveFailed, 0);
    const std::string file = world::SavedGamePath();
    EXPECT_EQ(std::filesystem::file_size(file), world::kSavedGameBytes);

    Keys(VK_DOWN, 3);  // quit to the title
    Key(VK_RETURN);
    ASSERT_EQ(Menu()->menuState, O::kConfirmTitle);
    Shot("3_sure.png");
    Key(VK_RETURN);
    EXPECT_EQ(Game().currentState, world::kStateIntro);
    EXPECT_EQ(Menu(), nullptr);
    EXPECT_EQ(Game().landScreen, nullptr);

    OpenTitleMenu();
    Shot("4_title_menu.png");
    // Escape goes back to the title without a game; a key opens the menu again.
    Key(VK_ESCAPE);
    Ticks(3);
    EXPECT_EQ(Menu(), nullptr);
    EXPECT_EQ(Game().currentState, world::kStateIntro);
    EXPECT_EQ(Game().requestedState, world::kStateIntro);
    Shot("4_back_on_the_title.png");
    Key('A');
    ASSERT_NE(Menu(), nullptr);
    Key(VK_DOWN);
    Key(VK_RETURN);
    ASSERT_EQ(Menu()->menuState, O::kLoad);
    EXPECT_FALSE(Menu()->Shown(Menu()->EmptyMark(2)));
    EXPECT_TRUE(Menu()->Shown(Menu()->EmptyMark(1)));
    Shot("5_load.png");
    Keys(VK_DOWN, 2);
    Key(VK_RETURN);
    Ticks(5);
    EXPECT_EQ(Menu(), nullptr);
    ASSERT_EQ(Game().currentState, world::kStateLand);
    ASSERT_NE(Game().landScreen, nullptr);
    land = Game().landScreen.get();
    EXPECT_EQ(Game().currentLand, world::kCeltic);
    EXPECT_EQ(land->currentRoom, 1);
    EXPECT_EQ(land->player->x, x);
    EXPECT_EQ(land->player->y, y);
    EXPECT_EQ(Game().Record(world::kCeltic).icon[0].location, 1);
    EXPECT_EQ(Game().Record(world::kCeltic).icon[0].placed, 1);
    EXPECT_EQ(Game().landSprites[0]->location, 1);
    Shot("6_loaded_into_the_room.png");
}

TEST_F(MenuFlowTest, ADenSaveLoadsIntoTheDenAndANewGameForgetsTheBand) {
    // Celtic's member has joined and plays part 3.
    Game().Record(world::kCeltic).bandWord = 3;
    Game().Record(world::kCeltic).freed = 1;
    Game().requestedState = world::kStateDen;
    Game().requestedLand = -1;
    Ticks(20);
    ASSERT_NE(Game().denScreen, nullptr);
    ASSERT_EQ(Game().denScreen->memberValues[2], 3);
    // The child picks part 4 in the panel just before saving.
    Game().denScreen->memberValues[2] = 4;
    const int32_t x = Game().denScreen->dog->x, y = Game().denScreen->dog->y;

    Key(VK_F12);
    ASSERT_NE(Menu(), nullptr);
    Key(VK_DOWN);
    Key(VK_RETURN);
    Key(VK_RETURN);  // slot 0
    ASSERT_EQ(Menu()->menuState, O::kList);
    Key(VK_ESCAPE);
    Ticks(2);
    EXPECT_EQ(Menu(), nullptr);

    // A new game (from the title's menu): every record fresh, the den empty.
    OpenTitleMenu();
    Key(VK_RETURN);
    Ticks(3);
    EXPECT_EQ(Menu(), nullptr);
    ASSERT_NE(Game().denScreen, nullptr);
    EXPECT_EQ(Game().difficulty, 1);
    EXPECT_EQ(Game().Record(world::kCeltic).bandWord, -1);
    EXPECT_EQ(Game().denScreen->memberValues[2], -1);
    EXPECT_EQ(Game().openDenDoors, 1);

    OpenTitleMenu();
    Key(VK_DOWN);
    Key(VK_RETURN);
    Key(VK_RETURN);  // slot 0
    Ticks(3);
    ASSERT_NE(Game().denScreen, nullptr);
    EXPECT_EQ(Game().denScreen->dog->x, x);
    EXPECT_EQ(Game().denScreen->dog->y, y);
    EXPECT_EQ(Game().denScreen->memberValues[2], 4) << "the den's choice was saved";
    EXPECT_EQ(Game().openDenDoors, 7);
}

TEST_F(MenuFlowTest, TheCreditsRunFromTheTitleToTheirEndAndBackToTheList) {
    OpenTitleMenu();
    Keys(VK_DOWN, 4);
    Key(VK_RETURN);
    ASSERT_EQ(Menu()->menuState, O::kCredits);
    int shotOfPage = 0;
    int ticks = 0;
    for (; ticks < 3000 && Menu() && Menu()->menuState == O::kCredits; ++ticks) {
        Ticks(1);
        // Each page pictured two seconds after it began.
        const int page = Menu() && Menu()->credits ? Menu()->credits->PagesStarted() : 0;
        if (page > shotOfPage && Menu()->credits->StepIndex() == 20) {
            shotOfPage = page;
            const std::string name = "11_credits_page_" + std::to_string(page) + ".png";
            EXPECT_EQ(WritePng(CaptureScreen(), (Shots() / name).string()), 1);
        }
    }
    EXPECT_EQ(shotOfPage, 8);
    ASSERT_NE(Menu(), nullptr);
    EXPECT_EQ(Menu()->menuState, O::kList);
    // Eight pages of 5 to 7 s, the closing 3 s and one logo's 5 s.
    EXPECT_GT(ticks * 40, 50000);
    EXPECT_LT(ticks * 40, 70000);
}

TEST_F(MenuFlowTest, VolumesChosenInTheMenuComeBackAtTheNextRunAndTheMixerIsGivenBack) {
    const std::string settings = (saves_.Path() / "config" / "settings.ini").string();
    system_mixer::Reset();  // every line at full volume
    RunAgain(settings);     // no settings file yet: nothing asked, nothing changed
    EXPECT_TRUE(headless::MessageBoxLog().empty());
    uint32_t minimum = 0, full = 0, step = 0;
    ASSERT_EQ(Game().mixer->MixerFaders_GetRange(MixerFaders::kMaster, &minimum, &full, &step), 1);

    Game().requestedState = world::kStateDen;
    Game().requestedLand = -1;
    Ticks(10);
    Key(VK_ESCAPE);
    Keys(VK_DOWN, 2);
    Key(VK_RETURN);
    ASSERT_EQ(Menu()->menuState, O::kVolume);
    Keys(VK_LEFT, 3);  // master
    Key(VK_DOWN);
    Keys(VK_LEFT, 5);  // wave
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 1), full - 3 * step);

    RunAgain(settings);
    // The first run gave the mixer back as it found it ...
    DesktopSettings saved;
    ASSERT_EQ(LoadDesktopSettings(settings, &saved), 1);
    EXPECT_EQ(saved.volumes, (std::array<int, 3>{int(full - 3 * step), int(full - 5 * step), -1}));
    // ... and this one set the chosen volumes again; the CD fader was never moved.
    const uint32_t expected[3] = {full - 3 * step, full - 5 * step, full};
    for (int f = 0; f < MixerFaders::kFaders; ++f) {
        uint32_t value = 0;
        EXPECT_TRUE(Game().mixer->m_GetFaderValue(f) && Game().mixer->FaderValue(f, &value));
        EXPECT_EQ(value, expected[f]) << f;
    }
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 1), full - 5 * step);

    // A run that changes nothing keeps the choice; its end gives the start values back.
    game_.reset();
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0), full);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), full);
    Shutdown();
    ASSERT_EQ(LoadDesktopSettings(settings, &saved), 1);
    EXPECT_EQ(saved.volumes[1], int(full - 5 * step));

    // A damaged file: every fader keeps the mixer's own value, without a word.
    std::ofstream(settings, std::ios::binary) << std::string("\0\xff\x01", 3)
                                              << "\nmaster_volume=-5\nwave_volume=70000\ncd_volume=12x\n";
    RunAgain(settings);
    EXPECT_TRUE(headless::MessageBoxLog().empty());
    for (int f = 0; f < MixerFaders::kFaders; ++f) {
        uint32_t value = 0;
        EXPECT_TRUE(Game().mixer->m_GetFaderValue(f) && Game().mixer->FaderValue(f, &value));
        EXPECT_EQ(value, full) << f;
    }
}

}  // namespace
