#include "shell/game_app.h"

#include "audio/cd_audio.h"
#include "audio/sequencer.h"
#include "audio/sound_setup.h"
#include "display/display.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "menus/options_menu.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/devices.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "screens/den_screen.h"
#include "screens/intro_screen.h"
#include "screens/splash.h"
#include "shell/app_state.h"
#include "shell/dev_start.h"
#include "shell/note_tables.h"
#include "shell/sample_rate.h"
#include "world/player_dog.h"
#include "world/saved_game.h"

namespace shell {

namespace {

// Where each land's record sits in GameApp::landRecords, by land index
// (celtic, funland, aussie, jazzland, eastern, wetland): the records are kept
// as aussie, eastern, celtic, wetland, funland, jazzland.
constexpr int kRecordSlots[kLandCount] = {2, 4, 0, 5, 1, 3};

// Frames after a switch, a menu change or an activation that redraw the
// whole screen instead of scrolling.
constexpr int kFullRedrawFrames = 2;

void RaisePriority() {
    platform::SetPriorityClass(platform::HIGH_PRIORITY_CLASS);
    platform::SetThreadPriority(platform::THREAD_PRIORITY_NORMAL);
}

void LowerPriority() {
    platform::SetPriorityClass(platform::IDLE_PRIORITY_CLASS);
    platform::SetThreadPriority(platform::THREAD_PRIORITY_IDLE);
}

}  // namespace

GameApp::GameApp(platform::HWND mainWindow) : window(mainWindow) {
    for (world::LandRecord& record : landRecords) world::InitLandRecord(&record);
}

GameApp::~GameApp() {
    Destroy();
}

world::LandRecord& GameApp::Record(int landIndex) {
    return landRecords[kRecordSlots[landIndex]];
}

void GameApp::RequestState(int state, int landIndex) {
    requestedState = state;
    requestedLand = landIndex;
}

void GameApp::RequestMenu() {
    if (!optionsMenu) openMenuRequest = 1;
}

void GameApp::CountRedrawFrame() {
    if (redrawFrames > 0) --redrawFrames;
}

world::RestorePosition GameApp::TakeRestorePosition() {
    const world::RestorePosition position{restoreX, restoreY, restoreRoom};
    if (restoreY != 0) restoreX = restoreY = 0;
    return position;
}

int GameApp::TakeKeepRecords() {
    const int kept = keepRecords;
    keepRecords = 0;
    return kept;
}

void GameApp::StartRequestedDemo() {
    if (!demoStart) return;
    demoStart = 0;
    demoScratch = 0;
    demoRunning = 1;
}

void GameApp::ResetDemo() {
    demoScratch = 0;
    demoRunning = 0;
}

void GameApp::FinishDemo() {
    demoRunning = 0;
    returnToTitle = 1;
}

int GameApp::Init() {
    display = std::make_unique<display::Display>();
    platform::srand(platform::timeGetTime());
    if (!InitDisplay()) {
        platform::MessageBox(window, "The display could not be set to 640 x 480 in 256 colours.",
                             "Startup Error", platform::MB_OK | platform::MB_ICONEXCLAMATION);
        return 0;
    }
    StartupPause();

    double megabytesPerSecond = 0.0;
    const int measured = RunSpeedTest(&megabytesPerSecond);
    const SampleRateChoice rate = ChooseSampleRate(measured, megabytesPerSecond);
    sampleRate = rate.sampleRate;
    rateStep = rate.rateStep;
    if (!InitSound()) return 0;

    currentState = kStateStart;
    requestedState = kStateIntro;
    requestedLand = 0;
    SwitchState();
    GiveRecordsNoteTables();

    // The development switch: the first Tick goes into a land as if through
    // its den door.
    const DevelopmentStart start = ReadDevelopmentStart();
    difficulty = start.difficulty;
    if (start.land >= 0) {
        requestedLand = start.land;
        requestedState = kStateLand;
    }
    return 1;
}

int GameApp::InitDisplay() {
    const platform::DWORD flags = 0;
    const int32_t size[2] = {640, 480};
    display->GPConfigure(&flags, size, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr);
    if (!display->GPInitDirectDraw(window)) return 0;
    if (!display->GPInitPageFlipping()) return 0;
    return 1;
}

void GameApp::StartupPause() {
    const uint32_t start = platform::timeGetTime();
    while (platform::timeGetTime() - start < 1000) {
    }
    screens::Splash splash(display.get());
    splash.Show();
    const uint32_t splashStart = platform::timeGetTime();
    while (platform::timeGetTime() - splashStart < 3000) {
        if (platform::GetAsyncKeyState(platform::VK_SPACE) < 0) break;
    }
    splash.End();
}

int GameApp::RunSpeedTest(double* megabytesPerSecond) {
    *megabytesPerSecond = 0.0;
    return SpeedTest(display->frontBuffer, 640, 480, megabytesPerSecond);
}

int GameApp::InitSound() {
    const int result = SoundSetUp(window, static_cast<uint32_t>(sampleRate),
                                  static_cast<uint32_t>(rateStep), &sound);
    sequencer = sound.sequencer.get();
    effectsPlayer = sound.fxPlayer.get();
    mixer = sound.mixerFaders.get();
    return result;
}

void GameApp::GiveRecordsNoteTables() {
    for (int land = 0; land < kLandCount; ++land) {
        Record(land).noteTable = land == kFunland ? kNoteTableIdA : kNoteTableIdB;
    }
}

void GameApp::Tick() {
    platform::ShowGameCursor(false);
    input.PollMouse(App().poll);
    input.PollJoystick(App().poll);

    if (openMenuRequest) OpenMenuOnRequest();
    if (closeMenuRequest) CloseMenuOnRequest();
    // An open menu runs instead of the screen.
    if (optionsMenu) optionsMenu->Tick();
    else TickCurrentScreen();

    if (returnToTitle) {
        returnToTitle = 0;
        requestedState = kStateIntro;
        requestedLand = -1;
        closeMenuRequest = 1;
        input.Clear();
    }
    if (requestedState != currentState) SwitchState();
}

void GameApp::OpenMenuOnRequest() {
    openMenuRequest = 0;
    if (optionsMenu) return;
    optionsMenu = MakeMenu(menus::OptionsMenu::kGameMenu);
    optionsMenu->Open();
}

std::unique_ptr<menus::OptionsMenu> GameApp::MakeMenu(int mode) {
    auto menu = std::make_unique<menus::OptionsMenu>(this, mode);
    const StartupPrefs& prefs = App().startup;
    menu->helpButtons.left = platform::POINT{prefs.helpArrowLeftX, prefs.helpArrowLeftY};
    menu->helpButtons.cancel = platform::POINT{prefs.helpCancelX, prefs.helpCancelY};
    menu->helpButtons.right = platform::POINT{prefs.helpArrowRightX, prefs.helpArrowRightY};
    // In the order of the credits' captions.
    const CreditRect* captions[] = {&prefs.graphicsCredit, &prefs.animateCredit, &prefs.graphPrgCredit,
                                    &prefs.addHelpCredit1, &prefs.addHelpCredit2, &prefs.musicCredit,
                                    &prefs.origConcCredit, &prefs.audioPrgCredit, &prefs.sfxCredit};
    for (int c = 0; c < world::chars::kCreditCaptionCount; ++c) {
        const CreditRect& r = *captions[c];
        menu->creditsSettings.captions[c] = platform::RECT{r.x, r.y, r.x + r.w, r.y + r.h};
    }
    menu->creditsSettings.logoCount = prefs.numOfDistLogos;
    return menu;
}

std::unique_ptr<world::TitleMenu> GameApp::CreateTitleMenu() {
    return MakeMenu(menus::OptionsMenu::kTitleMenu);
}

void GameApp::StartDemo(std::unique_ptr<uint8_t[]> demo, const world::SavedSlot& start) {
    demoData = std::move(demo);
    TakeSavedStart(start);
    demoStart = 1;
    requestedState = kStateLand;
}

void GameApp::CloseMenuOnRequest() {
    closeMenuRequest = 0;
    if (!optionsMenu) return;
    if (display) display->GPPageFlipFadeOut(1);
    optionsMenu.reset();
    redrawFrames = kFullRedrawFrames;
    LoadScreenPalette();
    if (display) display->GPFadeIn();
}

world::SavedPlace GameApp::PlaceToSave() {
    world::SavedPlace place;
    if (denScreen) {
        denScreen->WriteBack();
        if (denScreen->dog) {
            place.x = denScreen->dog->x;
            place.y = denScreen->dog->y;
        }
        return place;
    }
    place.land = requestedLand;
    if (landScreen) {
        landScreen->WriteBack();
        if (landScreen->player) {
            place.x = landScreen->player->x;
            place.y = landScreen->player->y;
            place.room = landScreen->player->roomIndex;
        }
    }
    return place;
}

void GameApp::TakeSavedStart(const world::SavedSlot& slot) {
    difficulty = slot.difficulty;
    requestedLand = slot.land;
    restoreRoom = slot.room;
    restoreX = slot.x;
    restoreY = slot.y;
    for (int land = 0; land < kLandCount; ++land) Record(land) = slot.records[land];
    // The note-table word in a file means nothing; each record gets its own.
    GiveRecordsNoteTables();
}

void GameApp::LoadSavedGame(const world::SavedSlot& slot) {
    TakeSavedStart(slot);
    keepRecords = 1;
    currentState = kStateNone;
    requestedState = slot.land != -1 ? kStateLand : kStateDen;
    if (optionsMenu) closeMenuRequest = 1;
}

void GameApp::StartNewGame() {
    restoreRoom = -1;
    restoreX = restoreY = 0;
    currentLand = -1;
    for (int land = 0; land < kLandCount; ++land) world::InitLandRecord(&Record(land));
    GiveRecordsNoteTables();
    difficulty = 1;
    keepRecords = 1;
    currentState = kStateNone;
    requestedState = kStateDen;
    requestedLand = -1;
    closeMenuRequest = 1;
}

void GameApp::TickCurrentScreen() {
    if (currentState == kStateDen) {
        if (denScreen) denScreen->Tick();
    } else if (currentState == kStateIntro) {
        if (introScreen) introScreen->Tick();
    } else if (landScreen) {
        landScreen->Tick();
    }
}

void GameApp::SwitchState() {
    openDenDoors = Record(kCeltic).freed ? 7 : 1;
    currentState = requestedState;
    DestroyScreens();
    keepRecords = 0;
    CreateScreen();
    currentState = requestedState;
    LoadScreenPalette();
    redrawFrames = kFullRedrawFrames;
}

void GameApp::DestroyScreens() {
    landScreen.reset();
    introScreen.reset();
    denScreen.reset();
}

void GameApp::CreateScreen() {
    if (requestedState == kStateDen) {
        denScreen = std::make_unique<screens::DenScreen>(this);
        denScreen->Setup();
        return;
    }
    if (requestedState == kStateIntro) {
        introScreen = std::make_unique<screens::IntroScreen>();
        introScreen->switches.animateSplash = App().startup.animateSplash;
        introScreen->switches.animateIn = App().startup.animateIn;
        introScreen->Setup(this);
        return;
    }
    currentLand = requestedLand;
    std::string levelPath, songFile;
    if (!LevelFiles(currentLand, difficulty, &levelPath, &songFile)) {
        // No such land: the state stays a land without a screen, which ticks
        // as nothing, rather than reading past the land table.
        DebugTrace(window, 1, "SwitchState: no land %d at difficulty %d", currentLand, difficulty);
        return;
    }
    landScreen = std::make_unique<land::LandScreen>(this);
    if (landScreen->Load(levelPath.c_str(), songFile.c_str(), &Record(currentLand))) return;
    // A land that cannot be set up would leave a black screen: say which
    // files and go back to the den instead.
    landScreen.reset();
    const std::string text = "This land could not be loaded: " + levelPath + " or its song " + songFile +
                             " is missing or damaged. Back to the den.";
    platform::MessageBox(window, text.c_str(), "Could not load", platform::MB_OK | platform::MB_ICONEXCLAMATION);
    requestedState = kStateDen;
    requestedLand = -1;
    CreateScreen();
}

void GameApp::LoadScreenPalette() {
    if (!display) return;
    const char* map = nullptr;
    if (currentState == kStateDen) {
        if (denScreen) map = denScreen->PaletteFile();
    } else if (currentState != kStateIntro && landScreen) {
        map = landScreen->PaletteFile();
    }
    if (!map || !map[0]) return;
    // Loading a palette settles the fades; a fade-in the new screen started
    // is started again so the screen still comes up from black.
    const bool fadingIn = display->fadeState == display::kFadeIn;
    display->GPLoadPalette(map);
    if (fadingIn) display->GPFadeIn();
}

void GameApp::RestorePalette() {
    if (display) display->GPSetPalette();
}

void GameApp::PlayMusic() {
    if (sequencer) sequencer->SQ_Play();
}

void GameApp::StopMusic() {
    if (sequencer) sequencer->SQ_Stop();
}

void GameApp::HandleMessage(platform::HWND, platform::UINT message, platform::WPARAM wParam,
                            platform::LPARAM lParam) {
    using namespace platform;
    switch (message) {
    case WM_ACTIVATEAPP:
        OnActivateApp(wParam != 0);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<int>(wParam));
        break;
    case WM_KEYUP:
        input.KeyUp(static_cast<int>(wParam));
        break;
    case WM_CHAR:
        input.lastCharacter = static_cast<uint8_t>(wParam & 0xFF);
        break;
    case WM_SYSKEYUP:
        if (wParam != static_cast<WPARAM>(VK_RETURN)) {
            RaisePriority();
            StopMusic();
        }
        break;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown();
        break;
    case WM_LBUTTONUP:
        input.fire = 0;
        break;
    case MM_MCINOTIFY:
        OnCdAudioNotify(wParam, lParam);
        break;
    case WM_MOVE:
    case WM_SIZE:
        if (display) display->GPSetDisplayRect();
        break;
    case WM_GETMINMAXINFO:
        if (display) display->GPGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    default:
        break;
    }
}

void GameApp::OnActivateApp(bool active) {
    App().active = active ? 1 : 0;
    if (!active) {
        LowerPriority();
        return;
    }
    RaisePriority();
    RestorePalette();
    redrawFrames = kFullRedrawFrames;
    PlayMusic();
}

bool GameApp::EndDemoOnInput() {
    if (!demoRunning) return false;
    demoRunning = 0;
    returnToTitle = 1;
    return true;
}

void GameApp::OnKeyDown(int virtualKey) {
    input.anyInput = 1;
    if (EndDemoOnInput()) return;
    const int menuKey = input.KeyDown(virtualKey);
    if (menuKey && currentState != kStateIntro && optionsMenu == nullptr) openMenuRequest = 1;
}

void GameApp::OnLeftButtonDown() {
    input.anyInput = 1;
    if (EndDemoOnInput()) return;
    input.fire = 1;
}

void GameApp::OnCdAudioNotify(platform::WPARAM code, platform::LPARAM device) {
    ++mciNotifications;
    CDAudio_OnNotify(code, device, denScreen != nullptr, window);
}

void GameApp::Destroy() {
    DestroyScreens();
    // The sequencer, the effects player, then the mixer, which puts the
    // system volumes back; the options menu before them, as it uses the
    // mixer. Last the display.
    optionsMenu.reset();
    SoundShutdown(&sound);
    sequencer = nullptr;
    effectsPlayer = nullptr;
    mixer = nullptr;
    display.reset();
}

}  // namespace shell
