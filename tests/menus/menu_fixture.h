#pragma once
// An options menu over plain stand-in pictures in a private folder, with the
// platform's mixer and a saved-game file of the test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "audio/mixer_faders.h"
#include "menus/options_menu.h"
#include "platform/messages.h"
#include "platform/mmmixer.h"
#include "sprites/sprite.h"
#include "support/game_folder.h"
#include "support/sprites_support.h"
#include "support/test_game.h"
#include "world/saved_game.h"

namespace menu_test {

// Marker, knob, mark and button sizes of the stand-in pictures.
inline constexpr int kSmallW = 100, kSmallH = 30, kLargeW = 300, kLargeH = 36, kKnobW = 20, kKnobH = 40;

class MenuTest : public sprites_support::SpriteTest, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start());
        std::filesystem::create_directories(test_support::InGameFolder("graphics/options"));
        for (const char* name : {"mainopts2", "gameopts", "load", "save", "volume", "sure", "replace", "aim", "mangopup",
                                 "musicpuz1", "musicpuz2", "band", "options"}) {
            Picture(std::string("graphics/options/") + name + ".bmp", 640, 480);
        }
        Picture("graphics/options/weered2.bmp", kSmallW, kSmallH);
        Picture("graphics/options/bigred2.bmp", kLargeW, kLargeH);
        Picture("graphics/options/volnob.bmp", kKnobW, kKnobH);
        Picture("graphics/options/empty.bmp", 260, 30);
        for (const char* name : {"arrowl", "cancel", "arrowr"}) {
            Picture(std::string("graphics/options/") + name + ".bmp", 64, 48);
        }
        platform::system_mixer::Reset();
        mixer = std::make_unique<MixerFaders>(Window());
        mixer->MixerFaders_Init();
        game.display = &D();
        game.window = Window();
        game.mixer = mixer.get();
        savePath = test_support::InGameFolder("saves/saved.gam").string();
    }
    void TearDown() override { menu.reset(); }

    void Picture(const std::string& name, int w, int h) {
        WriteBitmap(name, w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h, 9));
    }
    void OpenMenu(int mode) {
        menu = std::make_unique<menus::OptionsMenu>(&game, mode, &D());
        menu->savePath = savePath;
        menu->Open();
    }
    // One input code, then one tick.
    void Press(int code) {
        world::InputState& in = game.input;
        switch (code) {
            case menus::OptionsMenu::kUp: in.up = 1; break;
            case menus::OptionsMenu::kDown: in.down = 1; break;
            case menus::OptionsMenu::kLeft: in.left = 1; break;
            case menus::OptionsMenu::kRight: in.right = 1; break;
            case menus::OptionsMenu::kFire: in.fire = 1; break;
            case menus::OptionsMenu::kEscape: in.escape = 1; break;
            default: break;
        }
        menu->Tick();
    }
    void PressTimes(int code, int times) {
        for (int i = 0; i < times; ++i) Press(code);
    }
    // A file with the given slots used (a den save each).
    void WriteSaves(std::initializer_list<int> used) {
        world::SlotBuffer buffer{};
        for (int s : used) {
            world::SavedSlot slot;
            slot.marker = "a";
            slot.x = 100 + s;
            slot.y = 300;
            for (auto& record : slot.records) world::InitLandRecord(&record);
            world::EncodeSlot(slot, s, &buffer);
        }
        ASSERT_EQ(world::WriteSavedGames(savePath, buffer), 1);
    }

    TestGame game;
    std::unique_ptr<MixerFaders> mixer;
    std::unique_ptr<menus::OptionsMenu> menu;
    std::string savePath;
};

}  // namespace menu_test
