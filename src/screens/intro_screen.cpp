#include "screens/intro_screen.h"

#include "audio/sequencer.h"
#include "display/display.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/system.h"
#include "world/chars/title_tables.h"
#include "world/demo_file.h"
#include "world/game_services.h"
#include "world/input_state.h"

namespace screens {

namespace {

constexpr const char* kSplashPicture = ".\\graphics\\splash\\splash.bmp";
constexpr const char* kTitlePicture = ".\\graphics\\splash\\Tunewander.bmp";
constexpr const char* kMascotPicture = ".\\graphics\\splash\\MPupin.bmp";
constexpr const char* kUrlPicture = ".\\graphics\\splash\\url.bmp";
constexpr const char* kBandSong = ".\\seq\\band.xmi";
constexpr const char* kMenuPicture = ".\\Graphics\\options\\mainopts2.bmp";
constexpr uint32_t kKeyGreen = 0xFF00;
constexpr platform::RECT kUrlPlace{130, 456, 549, 479};

using world::chars::GetTitleTables;
using world::chars::TitleSource;

}  // namespace

IntroScreen::~IntroScreen() {
    for (platform::dd::Surface* surface : {urlSurface, splashSurface, titleSurface, mascotSurface}) {
        if (surface) surface->Release();
    }
    if (Sequencer* music = game ? game->Music() : nullptr) {
        music->SQ_Stop();
        for (int id : trackIds) music->SQ_DeleteTrack(id);
        music->SQ_LoadTrackInstruments();
    }
    menu.reset();
    if (game && game->Screen()) game->Screen()->GPPageFlipFadeOut(1);
}

int IntroScreen::Setup(world::GameServices* owner) {
    game = owner;
    display::Display* display = game ? game->Screen() : nullptr;
    if (!display) return 0;
    display->GPLoadPalette(kSplashPicture);
    display->GPFadeReset();
    splashSurface = display->GPLoadBitmap(kSplashPicture, 1, 1);
    titleSurface = display->GPLoadBitmap(kTitlePicture, 1, 1);
    mascotSurface = display->GPLoadBitmap(kMascotPicture, 1, 1);
    urlSurface = display->GPLoadBitmap(kUrlPicture, 1, 1);
    const bool pictures = splashSurface && titleSurface && mascotSurface && urlSurface;
    display->GPClear();
    if (splashSurface) display->GPSetColorKey(splashSurface, kKeyGreen);
    if (urlSurface) display->GPSetColorKey(urlSurface, kKeyGreen);
    if (titleSurface) display->GPSetColorKey(titleSurface, 0);
    if (mascotSurface) display->GPSetColorKey(mascotSurface, 0);
    step = 0;
    lastStepTime = 0;
    inputCountdown = kInputCountdown;
    menuState = 0;
    idleStart = platform::timeGetTime();
    if (!pictures) return 0;

    display->GPLoadPalette(kSplashPicture);
    display->GPPageFlipFadeIn();
    for (int& value : memberValues) value = kMemberPart;
    Sequencer* music = game->Music();
    if (!music || !music->SQ_LoadSequenceFile(kBandSong)) return 0;
    const int sequences = static_cast<int>(music->SequenceCount());
    for (int s = 0; s < sequences; ++s) {
        const int id = music->SQ_CreateTrack(static_cast<uint32_t>(s));
        music->SQ_SetTrackLoops(id, 0);
        music->SQ_SetTrackChannel(id, id);
        trackIds.push_back(id);
    }
    music->SQ_UnloadSequenceFile();
    music->SQ_LoadTrackInstruments();
    idleStart = platform::timeGetTime();
    game->Input().Clear();
    ApplyBandMix();
    music->SQ_Play();
    return 1;
}

void IntroScreen::ApplyBandMix() {
    Sequencer* music = game->Music();
    const auto mix = audio::BandMix(memberValues);
    const size_t tracks = std::min(trackIds.size(), mix.size());
    for (size_t t = 0; t < tracks; ++t) {
        music->SQ_SetTrackMute(trackIds[t], static_cast<uint32_t>(mix[t].mute));
        music->SQ_SetTrackVolume(trackIds[t], mix[t].volume);
        music->SQ_SetTrackPan(trackIds[t], mix[t].pan);
    }
}

void IntroScreen::Tick() {
    ++frames;
    if (!game) return;
    const uint32_t now = platform::timeGetTime();
    if (inputCountdown > 0) {
        game->Input().Clear();
        --inputCountdown;
    }
    if (menuState == 1 && menu) {
        menu->Tick();
        idleStart = now;
        return;
    }
    // A menu that escape closed goes now, outside its own tick.
    menuState = 0;
    menu.reset();
    AnimationStep(now);
    if (game->Input().anyInput) {
        OpenMenu();
        return;
    }
    if (now - idleStart > kDemoAfterMs && !StartDemo()) idleStart = now;
}

void IntroScreen::OpenMenu() {
    menuState = 1;
    game->Input().Clear();
    game->Input().anyInput = 0;
    menu = game->CreateTitleMenu();
    if (!menu) {
        menuState = 0;
        return;
    }
    menu->OnLeaveTitle([this] { menuState = 0; });
    menu->Open();
    if (display::Display* display = game->Screen()) {
        display->GPClear();
        display->GPLoadPalette(kMenuPicture);
    }
}

void IntroScreen::AnimationStep(uint32_t now) {
    if (now - lastStepTime <= kStepMs) return;
    display::Display* display = game->Screen();
    if (!display) return;
    display->GPFillBufferIndex(nullptr, nullptr, 0);
    lastChannels.clear();
    if (switches.animateSplash) {
        for (int c = world::chars::kFirstMascotChannel; c < world::chars::kBandPictureChannel; ++c) {
            if (c == world::chars::kEntranceChannel && !switches.animateIn) continue;
            DrawChannel(c);
        }
        if (urlSurface) display->GPBlt(urlSurface, nullptr, nullptr, &kUrlPlace, 1);
    } else if (urlSurface) {
        display->GPBlt(urlSurface, nullptr, nullptr, nullptr, 1);
    }
    for (int c = world::chars::kBandPictureChannel; c < world::chars::kTitleChannels; ++c) DrawChannel(c);
    step = (step + 1) % world::chars::kTitleSteps;
    ++stepsDrawn;
    display->GPPageFlip();
    lastStepTime = now;
}

void IntroScreen::DrawChannel(int channel) {
    const world::chars::TitleTables& tables = GetTitleTables();
    const world::chars::TitleChannel& ch = tables.channels[channel];
    const int cell = ch.cell[step];
    if (cell == 0) return;
    platform::dd::Surface* surface = nullptr;
    platform::RECT source{};
    int keyed = 0;
    switch (world::chars::ChannelSource(channel)) {
        case TitleSource::Mascot:
            surface = mascotSurface;
            if (cell < world::chars::kMascotCells) source = tables.mascotCells[cell];
            break;
        case TitleSource::Letters:
            surface = titleSurface;
            if (cell < world::chars::kTitleLetterCells) source = tables.letterCells[cell];
            break;
        case TitleSource::Splash:
            surface = splashSurface;
            if (cell < world::chars::kSplashCells) source = tables.splashCells[cell];
            keyed = 1;
            break;
    }
    lastChannels.push_back(channel);
    if (!surface || source.right <= source.left) return;
    const platform::RECT dest{ch.x[step], ch.y[step], ch.x[step] + (source.right - source.left),
                              ch.y[step] + (source.bottom - source.top)};
    game->Screen()->GPBlt(surface, &source, nullptr, &dest, keyed);
}

bool IntroScreen::StartDemo() {
    platform::srand(platform::timeGetTime());
    const std::string name = world::DemoFileName(platform::rand() % 3);
    world::SavedSlot start;
    std::unique_ptr<uint8_t[]> demo = world::LoadDemo(name.c_str(), &start);
    if (!demo) {
        DebugTrace(game->Window(), 1, "IntroScreen: the demo %s is missing or damaged; the title stays", name.c_str());
        return false;
    }
    game->StartDemo(std::move(demo), start);
    return true;
}

}  // namespace screens
