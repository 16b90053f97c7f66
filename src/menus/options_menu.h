#pragma once
// The options menu: a full-screen picture with a red marker, driven by the
// shared input flags. The title menu (new game, load, volume, help, credits,
// quit) is opened from the title; the game menu (resume, save, volume, help,
// quit to title, quit) by Escape or F12 in the den or a land, or by the den's
// toy chest. While a menu exists the game runs it instead of the screen.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "screens/credits_screen.h"
#include "sprites/frame_record.h"
#include "world/game_services.h"
#include "world/saved_game.h"

class MixerFaders;

namespace display {
class Display;
}
namespace sprites {
class Sprite;
class SpriteGroup;
class SpriteWorld;
}
namespace world {
class GameServices;
}

namespace menus {

// Where the help screen's three buttons stand (from the preferences).
struct HelpButtons {
    platform::POINT left{40, 420}, cancel{296, 420}, right{552, 420};
};

class OptionsMenu final : public world::TitleMenu {
public:
    enum Mode { kTitleMenu = 0, kGameMenu = 1 };
    enum State {
        kList = 1, kLoad = 2, kSave = 3, kVolume = 4, kConfirmTitle = 5, kConfirmReplace = 6, kNewGame = 7,
        kHelp = 8, kCredits = 9, kConfirmQuit = 10, kQuitting = 20
    };
    // One code per tick.
    enum Input { kNoInput = 0, kUp = 1, kDown = 2, kLeft = 3, kRight = 4, kFire = 5, kEscape = 6 };
    static constexpr int kListItems = 6;
    static constexpr int kCancelItem = world::kSavedSlots;  // below the eight slots
    static constexpr int kHelpPages = 6;
    static constexpr uint32_t kQuitRepeatMs = 3000;
    static constexpr int32_t kKnobDepth = 51;
    // A knob's middle stands at x = 500 at the fader's minimum and moves 116
    // pixels to its maximum, so that a full fader's knob stays on the screen.
    static constexpr int32_t kKnobTravel = 116;
    static constexpr int32_t kKnobLeft = 500;

    // Clears the input, fades the screen out and takes the game's mixer. The
    // display is the game's unless another is given.
    OptionsMenu(world::GameServices* game, int mode, display::Display* display = nullptr);
    ~OptionsMenu() override;
    OptionsMenu(const OptionsMenu&) = delete;
    OptionsMenu& operator=(const OptionsMenu&) = delete;

    // Reads the saved games, shows the list and fades in. 1, or 0 when the
    // menu's pictures could not be loaded (the menu still runs, unseen).
    int Open() override;
    // The current screen's handler, then the drawing.
    void Tick() override;
    void OnLeaveTitle(std::function<void()> handler) override { onLeaveTitle = std::move(handler); }

    // The title menu's way back to the title picture (set by the title).
    std::function<void()> onLeaveTitle;
    // Where the saved games are kept (the player's folder unless changed).
    std::string savePath;
    HelpButtons helpButtons;
    // The credits' caption places and logo count (from the preferences).
    screens::CreditsSettings creditsSettings;
    // While the credits run.
    std::unique_ptr<screens::CreditsScreen> credits;

    world::GameServices* game;
    display::Display* display;
    MixerFaders* mixer = nullptr;
    int mode;
    int menuState = kList;
    int listItem = 0;
    int item = 0;
    int lastInput = kNoInput;
    int chosenSlot = -1;
    std::string slotMarker;
    world::SlotBuffer slots{};
    int helpPage = 0;
    int helpButton = 2;
    int32_t knobOrigin = 0;
    uint32_t quittingSince = 0;
    int saveFailed = 0;  // the last save could not be written
    std::string picture;  // the picture on show

    // The sprites on show, for tests.
    sprites::Sprite* ListMarker() const { return listMarker_.get(); }
    sprites::Sprite* SlotMarker() const { return slotMarker_.get(); }
    sprites::Sprite* ConfirmMarker() const { return confirmMarker_.get(); }
    sprites::Sprite* EmptyMark(int slot) const { return emptyMarks_[slot].get(); }
    sprites::Sprite* Knob(int k) const { return knobs_[k].get(); }
    sprites::Sprite* HelpButton(int b) const { return buttons_[b].get(); }
    bool Shown(const sprites::Sprite* sprite) const;

private:
    int ReadInput();
    void Show(int state);
    void SetPicture(const char* file);
    void HideAll();
    // Puts a sprite on show with that frame, its top-left corner at (x, y).
    void Put(sprites::Sprite* sprite, sprites::FrameRecord* frame, int32_t x, int32_t y);
    void ShowSlots();
    void ShowKnobs();
    void ShowHelp();
    void LeaveHelp();
    void ShowListAgain();

    void ListTick(int input);
    void SlotsTick(int input);
    void ReplaceTick(int input);
    void VolumeTick(int input);
    void HelpTick(int input);
    void ConfirmTitleTick(int input);
    void ConfirmQuitTick(int input);
    void QuittingTick(int input);
    void NewGame();
    void StartCredits();
    void CreditsTick();
    // Fills the chosen slot from the game and writes the file.
    void WriteSlot(int slot, const char* marker);
    void Draw();

    sprites::FrameRecord LoadFrame(const char* name);
    std::unique_ptr<sprites::SpriteWorld> world_;
    sprites::SpriteGroup* group_ = nullptr;
    sprites::FrameRecord smallMarker_{}, largeMarker_{}, knobFrame_{}, emptyFrame_{};
    sprites::FrameRecord buttonFrames_[3] = {};
    std::unique_ptr<sprites::Sprite> listMarker_, slotMarker_, confirmMarker_;
    std::unique_ptr<sprites::Sprite> emptyMarks_[world::kSavedSlots];
    std::unique_ptr<sprites::Sprite> knobs_[3];
    std::unique_ptr<sprites::Sprite> buttons_[3];
    std::vector<sprites::Sprite*> shown_;
};

}  // namespace menus
