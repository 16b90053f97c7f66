#include "menus/options_menu.h"

#include <algorithm>

#include "audio/mixer_faders.h"
#include "display/display.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "sprites/background.h"
#include "sprites/rect_math.h"
#include "sprites/sprite.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/game_services.h"
#include "world/input_state.h"

namespace menus {

namespace {

constexpr const char* kTitleList = ".\\Graphics\\options\\mainopts2.bmp";
constexpr const char* kGameList = ".\\Graphics\\options\\gameopts.bmp";
constexpr const char* kLoadPicture = ".\\Graphics\\options\\load.bmp";
constexpr const char* kSavePicture = ".\\Graphics\\options\\save.bmp";
constexpr const char* kVolumePicture = ".\\Graphics\\options\\volume.bmp";
constexpr const char* kSurePicture = ".\\Graphics\\options\\sure.bmp";
constexpr const char* kReplacePicture = ".\\Graphics\\options\\replace.bmp";
constexpr const char* kHelpPagePictures[OptionsMenu::kHelpPages] = {
    ".\\graphics\\options\\aim.bmp",       ".\\graphics\\options\\mangopup.bmp", ".\\graphics\\options\\musicpuz1.bmp",
    ".\\graphics\\options\\musicpuz2.bmp", ".\\graphics\\options\\band.bmp",     ".\\graphics\\options\\options.bmp",
};
constexpr const char* kButtons[3] = {".\\graphics\\options\\arrowl.bmp", ".\\graphics\\options\\cancel.bmp",
                                     ".\\graphics\\options\\arrowr.bmp"};
constexpr uint32_t kKeyGreen = 0xFF00;
constexpr int kFullPictures = 2;

int32_t HalfWidth(const sprites::FrameRecord& f) { return f.Width() / 2; }
int32_t HalfHeight(const sprites::FrameRecord& f) { return f.Height() / 2; }

}  // namespace

OptionsMenu::OptionsMenu(world::GameServices* owner, int menuMode, display::Display* screenDisplay)
    : savePath(world::SavedGamePath()),
      game(owner),
      display(screenDisplay ? screenDisplay : owner ? owner->Screen() : nullptr),
      mode(menuMode) {
    if (game) {
        game->Input().Clear();
        mixer = game->Mixer();
    }
    if (display) display->GPPageFlipFadeOut(1);
}

OptionsMenu::~OptionsMenu() {
    credits.reset();
    HideAll();
    // The menu's sprites go before the world they were made in.
    listMarker_.reset();
    slotMarker_.reset();
    confirmMarker_.reset();
    for (auto& mark : emptyMarks_) mark.reset();
    for (auto& knob : knobs_) knob.reset();
    for (auto& button : buttons_) button.reset();
    world_.reset();
}

sprites::FrameRecord OptionsMenu::LoadFrame(const char* name) {
    platform::dd::Surface* surface = display->GPLoadBitmap(name, 1, 1);
    if (!surface) return sprites::FrameRecord{};
    display->GPSetColorKey(surface, kKeyGreen);
    group_->AddSurface(surface, name);
    return sprites::FrameRecord{surface, platform::RECT{0, 0, surface->Width(), surface->Height()}};
}

int OptionsMenu::Open() {
    world::ReadSavedGames(savePath, &slots);
    if (!display) return 0;
    world_ = std::make_unique<sprites::SpriteWorld>(display);
    group_ = world_->GetGroup(world_->AddGroup());
    world_->GetGroup(world_->AddGroup());
    SetPicture(kTitleList);
    const int loaded = display->GPLoadPalette(kTitleList);
    smallMarker_ = LoadFrame(".\\graphics\\options\\weered2.bmp");
    largeMarker_ = LoadFrame(".\\graphics\\options\\bigred2.bmp");
    knobFrame_ = LoadFrame(".\\graphics\\options\\volnob.bmp");
    emptyFrame_ = LoadFrame(".\\graphics\\options\\empty.bmp");
    for (int b = 0; b < 3; ++b) buttonFrames_[b] = LoadFrame(kButtons[b]);
    auto make = [this](sprites::FrameRecord* frame, int32_t depth) {
        return std::make_unique<sprites::Sprite>(world_.get(), 0, 0, frame, depth);
    };
    listMarker_ = make(&smallMarker_, 100);
    slotMarker_ = make(&largeMarker_, 100);
    confirmMarker_ = make(&smallMarker_, 100);
    for (auto& mark : emptyMarks_) mark = make(&emptyFrame_, 50);
    for (auto& knob : knobs_) knob = make(&knobFrame_, kKnobDepth);
    for (int b = 0; b < 3; ++b) buttons_[b] = make(&buttonFrames_[b], 100);
    knobOrigin = kKnobLeft - HalfWidth(knobFrame_);
    display->GPFadeIn();
    Show(kList);
    return loaded;
}

void OptionsMenu::SetPicture(const char* file) {
    picture = file;
    // A new picture is drawn whole.
    if (game) game->SetRedrawFrames(kFullPictures);
    if (!world_) return;
    sprites::Background& map = *world_->background;
    map.Clear();
    platform::dd::Surface* surface = display->GPLoadBitmap(file, 1, 0);
    if (!surface) return;
    if (!map.SetTileSet(surface, file, 640, 480)) {
        surface->Release();
        return;
    }
    map.SetCells(1, 1, {0});
}

bool OptionsMenu::Shown(const sprites::Sprite* sprite) const {
    return sprite && std::find(shown_.begin(), shown_.end(), sprite) != shown_.end();
}

void OptionsMenu::HideAll() {
    for (sprites::Sprite* sprite : shown_) {
        if (group_) group_->Unlink(sprite);
    }
    shown_.clear();
}

void OptionsMenu::Put(sprites::Sprite* sprite, sprites::FrameRecord* frame, int32_t x, int32_t y) {
    if (!sprite || !group_) return;
    const platform::RECT before = sprite->rect;
    sprite->frame = frame;
    sprite->SetPosition(x, y);
    if (!Shown(sprite)) {
        group_->Insert(sprite);
        shown_.push_back(sprite);
    }
    const platform::RECT both = sprites::Union(before, sprite->rect);
    world_->AddDirty(both.left, both.top, both.right, both.bottom);
}

// ---- showing the screens ----

void OptionsMenu::Show(int state) {
    HideAll();
    menuState = state;
    if (game) game->SetRedrawFrames(kFullPictures);
    switch (state) {
        case kList:
            SetPicture(mode == kTitleMenu ? kTitleList : kGameList);
            Put(listMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_),
                68 * (listItem + 1) - HalfHeight(smallMarker_));
            break;
        case kLoad:
        case kSave:
            SetPicture(state == kLoad ? kLoadPicture : kSavePicture);
            ShowSlots();
            break;
        case kVolume:
            SetPicture(kVolumePicture);
            ShowKnobs();
            break;
        case kConfirmTitle:
        case kConfirmQuit:
            SetPicture(kSurePicture);
            Put(confirmMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_), 220 + 60 * item);
            break;
        case kConfirmReplace:
            SetPicture(kReplacePicture);
            Put(confirmMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_), 310 + 45 * item);
            break;
        case kHelp:
            ShowHelp();
            break;
        default:
            break;
    }
}

void OptionsMenu::ShowSlots() {
    for (int s = 0; s < world::kSavedSlots; ++s) {
        world::SavedSlot unused;
        // A damaged slot shows as empty: it can never be loaded.
        if (!world::DecodeSlot(slots, s, &unused)) {
            Put(emptyMarks_[s].get(), &emptyFrame_, 320 - HalfWidth(emptyFrame_),
                110 + 40 * s - HalfHeight(emptyFrame_));
        }
    }
    if (item >= kCancelItem) {
        Put(slotMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_), 440 - HalfHeight(smallMarker_));
    } else {
        Put(slotMarker_.get(), &largeMarker_, 320 - HalfWidth(largeMarker_), 110 + 40 * item - HalfHeight(largeMarker_));
    }
}

void OptionsMenu::ShowKnobs() {
    for (int k = 0; k < 3; ++k) {
        uint32_t minimum = 0, maximum = 0, step = 0, value = 0;
        const bool known = mixer && mixer->MixerFaders_GetRange(k, &minimum, &maximum, &step) &&
                           mixer->m_GetFaderValue(k) && mixer->FaderValue(k, &value);
        int32_t x = knobOrigin;
        if (known && maximum > minimum) {
            value = std::clamp(value, minimum, maximum);
            x = knobOrigin + static_cast<int32_t>(static_cast<int64_t>(value - minimum) * kKnobTravel /
                                                  static_cast<int64_t>(maximum - minimum));
        } else if (Shown(knobs_[k].get())) {
            x = knobs_[k]->x;  // an empty range leaves the knob where it is
        }
        Put(knobs_[k].get(), &knobFrame_, x, 166 + 80 * k - HalfHeight(knobFrame_));
    }
    const int32_t y = item < 3 ? 150 + 80 * item : 400;
    Put(listMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_), y - HalfHeight(smallMarker_));
}

void OptionsMenu::ShowHelp() {
    if (display) display->GPClear();
    SetPicture(kHelpPagePictures[std::clamp(helpPage, 0, kHelpPages - 1)]);
    const platform::POINT at[3] = {helpButtons.left, helpButtons.cancel, helpButtons.right};
    for (int b = 0; b < 3; ++b) {
        if (b == helpButton) {
            Put(buttons_[b].get(), &buttonFrames_[b], at[b].x, at[b].y);
        } else if (Shown(buttons_[b].get())) {
            group_->Unlink(buttons_[b].get());
            shown_.erase(std::find(shown_.begin(), shown_.end(), buttons_[b].get()));
        }
    }
}

void OptionsMenu::ShowListAgain() {
    if (display) {
        display->GPClear();
        display->GPLoadPalette(kTitleList);
    }
    Show(kList);
}

// ---- input ----

int OptionsMenu::ReadInput() {
    if (!game) return kNoInput;
    world::InputState& in = game->Input();
    int code = kNoInput;
    if (in.down) {
        in.down = 0;
        code = kDown;
    } else if (in.up) {
        in.up = 0;
        code = kUp;
    } else if (in.left) {
        in.left = 0;
        code = kLeft;
    } else if (in.right) {
        in.right = 0;
        code = kRight;
    } else if (in.fire) {
        in.fire = 0;
        return lastInput = kFire;
    } else if (in.escape) {
        in.escape = 0;
        return lastInput = kEscape;
    } else {
        return lastInput = kNoInput;
    }
    world::InputState::CentreCursor();
    return lastInput = code;
}

void OptionsMenu::Tick() {
    const int input = ReadInput();
    switch (menuState) {
        case kList: ListTick(input); break;
        case kLoad:
        case kSave: SlotsTick(input); break;
        case kVolume: VolumeTick(input); break;
        case kConfirmTitle: ConfirmTitleTick(input); break;
        case kConfirmReplace: ReplaceTick(input); break;
        case kNewGame: NewGame(); break;
        case kHelp: HelpTick(input); break;
        case kCredits: CreditsTick(); break;
        case kConfirmQuit: ConfirmQuitTick(input); break;
        case kQuitting: QuittingTick(input); break;
        default: Show(kList); break;
    }
    Draw();
}

// ---- the screens ----

void OptionsMenu::ListTick(int input) {
    if (input == kUp || input == kDown) {
        listItem = std::clamp(listItem + (input == kDown ? 1 : -1), 0, kListItems - 1);
        Put(listMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_),
            68 * (listItem + 1) - HalfHeight(smallMarker_));
        return;
    }
    if (input == kEscape) {
        if (mode == kGameMenu) {
            game->RequestCloseMenu();
        } else {
            HideAll();
            if (onLeaveTitle) onLeaveTitle();
            if (display) {
                display->GPClear();
                display->GPLoadPalette(".\\graphics\\splash\\splash.bmp");
            }
            game->Input().Clear();
            game->SetRedrawFrames(0);
        }
        return;
    }
    if (input != kFire) return;
    item = 0;
    const bool title = mode == kTitleMenu;
    switch (listItem) {
        case 0:
            if (title) menuState = kNewGame;
            else game->RequestCloseMenu();
            break;
        case 1: Show(title ? kLoad : kSave); break;
        case 2: Show(kVolume); break;
        case 3:
            helpPage = 0;
            helpButton = 2;
            Show(kHelp);
            break;
        case 4:
            if (title) StartCredits();
            else Show(kConfirmTitle);
            break;
        case 5: Show(kConfirmQuit); break;
        default: break;
    }
}

void OptionsMenu::SlotsTick(int input) {
    if (input == kUp || input == kDown) {
        item = std::clamp(item + (input == kDown ? 1 : -1), 0, kCancelItem);
        ShowSlots();
        return;
    }
    if (input == kEscape || (input == kFire && item == kCancelItem)) {
        Show(kList);
        return;
    }
    if (input != kFire) return;
    world::SavedSlot saved;
    const bool used = world::DecodeSlot(slots, item, &saved) == 1;
    if (menuState == kLoad) {
        if (used) game->LoadSavedGame(saved);  // an empty slot does nothing
        return;
    }
    chosenSlot = item;
    if (used) {
        item = 0;
        Show(kConfirmReplace);
        return;
    }
    game->Input().Clear();
    WriteSlot(chosenSlot, world::kNewSlotMarker);
    if (saveFailed) {
        // Nothing was saved: the save screen stays, the slot still empty.
        item = chosenSlot;
        Show(kSave);
        return;
    }
    Show(kList);
}

void OptionsMenu::ReplaceTick(int input) {
    if (input == kUp || input == kDown) {
        item = std::clamp(item + (input == kDown ? 1 : -1), 0, 1);
        Put(confirmMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_), 310 + 45 * item);
        return;
    }
    if (input == kFire && item == 0) {
        WriteSlot(chosenSlot, world::kReplacedSlotMarker);
        if (!saveFailed) {
            Show(kList);
            return;
        }
    }
    if (input == kEscape || input == kFire) {
        item = chosenSlot;
        Show(kSave);
    }
}

void OptionsMenu::WriteSlot(int slot, const char* marker) {
    slotMarker = marker;
    const world::SlotBuffer before = slots;
    world::SavedSlot saved;
    saved.marker = marker;
    saved.difficulty = game->Difficulty();
    const world::SavedPlace place = game->PlaceToSave();
    saved.land = place.land;
    saved.x = place.x;
    saved.y = place.y;
    saved.room = place.room;
    for (int land = 0; land < world::kLandCount; ++land) saved.records[land] = game->Record(land);
    world::EncodeSlot(saved, slot, &slots);
    saveFailed = world::WriteSavedGames(savePath, slots) ? 0 : 1;
    if (saveFailed) {
        // What is shown stays what the file holds.
        slots = before;
        DebugTrace(game->Window(), 1, "OptionsMenu: the saved games could not be written to %s", savePath.c_str());
    }
}

void OptionsMenu::VolumeTick(int input) {
    if (input == kUp || input == kDown) {
        item = std::clamp(item + (input == kDown ? 1 : -1), 0, 3);
        ShowKnobs();
        return;
    }
    if ((input == kLeft || input == kRight) && item < 3) {
        if (mixer) mixer->m_OnChangeFader(item, input == kRight ? 1 : 0);
        ShowKnobs();
        return;
    }
    if (input == kEscape || (input == kFire && item == 3)) Show(kList);
}

void OptionsMenu::HelpTick(int input) {
    if (input == kLeft || input == kUp) {
        helpButton = std::max(helpButton - 1, 0);
        ShowHelp();
        return;
    }
    if (input == kRight || input == kDown) {
        helpButton = std::min(helpButton + 1, 2);
        ShowHelp();
        return;
    }
    const bool leave = input == kEscape ||
                       (input == kFire && (helpButton == 1 || (helpButton == 0 && helpPage == 0) ||
                                           (helpButton == 2 && helpPage == kHelpPages - 1)));
    if (leave) {
        LeaveHelp();
        return;
    }
    if (input != kFire) return;
    helpPage += helpButton == 2 ? 1 : -1;
    ShowHelp();
}

void OptionsMenu::LeaveHelp() {
    HideAll();
    ShowListAgain();
}

void OptionsMenu::StartCredits() {
    HideAll();
    menuState = kCredits;
    if (display) display->GPClear();
    game->Input().anyInput = 0;
    credits = std::make_unique<screens::CreditsScreen>(creditsSettings);
    credits->Start(display);
}

void OptionsMenu::CreditsTick() {
    world::InputState& in = game->Input();
    const bool skip = in.anyInput != 0;
    const int over = credits ? credits->Tick(platform::timeGetTime(), skip) : 1;
    // The credits see each key once.
    in.Clear();
    in.anyInput = 0;
    if (!over) return;
    credits.reset();
    ShowListAgain();
}

void OptionsMenu::ConfirmTitleTick(int input) {
    if (input == kUp || input == kDown) {
        item = std::clamp(item + (input == kDown ? 1 : -1), 0, 1);
        Put(confirmMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_), 220 + 60 * item);
        return;
    }
    if (input == kFire && item == 0) {
        game->RequestState(world::kStateIntro, -1);
        game->RequestCloseMenu();
        game->Input().Clear();
        HideAll();
        game->SetRedrawFrames(0);
        return;
    }
    if (input == kFire || input == kEscape) Show(kList);
}

void OptionsMenu::ConfirmQuitTick(int input) {
    if (input == kUp || input == kDown) {
        item = std::clamp(item + (input == kDown ? 1 : -1), 0, 1);
        Put(confirmMarker_.get(), &smallMarker_, 320 - HalfWidth(smallMarker_), 220 + 60 * item);
        return;
    }
    if (input == kFire && item == 0) {
        HideAll();
        menuState = kQuitting;
        game->SetRedrawFrames(0);
        game->Input().anyInput = 0;
        quittingSince = platform::timeGetTime();
        platform::PostMessage(game->Window(), platform::WM_CLOSE, 0, 0);
        return;
    }
    if (input == kFire || input == kEscape) Show(kList);
}

void OptionsMenu::QuittingTick(int input) {
    const uint32_t now = platform::timeGetTime();
    if (input != kNoInput || game->Input().anyInput || now - quittingSince >= kQuitRepeatMs) {
        HideAll();
        game->Input().anyInput = 0;
        quittingSince = now;
        platform::PostMessage(game->Window(), platform::WM_CLOSE, 0, 0);
    }
}

void OptionsMenu::NewGame() {
    game->StartNewGame();
    game->RequestCloseMenu();
    HideAll();
    game->SetRedrawFrames(0);
}

void OptionsMenu::Draw() {
    if (credits && display) {
        display->GPPageFlip();
        return;
    }
    if (!world_ || !display) return;
    if (game->RedrawFrames() > 0) {
        world_->DrawAll();
        world_->dirtyCount = 0;
        game->CountRedrawFrame();
    } else {
        world_->Scroll(0, 0);
        world_->RedrawDirty();
    }
    display->GPPageFlip();
}

}  // namespace menus
