#include "bot/game_session.h"

#include <cstring>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "screens/den_screen.h"
#include "shell/app_state.h"
#include "shell/game_app.h"
#include "shell/prefs_file.h"
#include "shell/startup_prefs.h"
#include "world/player_dog.h"

namespace bot {
namespace {

constexpr uint32_t kStartClock = 100000;
constexpr unsigned kSeed = 11;

platform::LRESULT QuietWindow(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                              platform::LPARAM lParam) {
    return platform::DefWindowProc(window, message, wParam, lParam);
}

struct Fold {
    uint32_t h = 2166136261u;
    void Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 16777619u;
    }
    void Int(int64_t v) { Bytes(&v, sizeof v); }
};

}  // namespace

const char* const FrameState::kNames[kFields] = {"dog", "carried", "icons", "records", "music"};

GameSession::GameSession() {
    platform::WNDCLASS cls;
    cls.lpfnWndProc = QuietWindow;
    cls.lpszClassName = "Tunewander";
    platform::RegisterClass(cls);
    window_ = platform::CreateWindowEx(0, "Tunewander", "Tunewander", platform::WS_POPUP | platform::WS_SYSMENU, 0, 0,
                                       640, 480);
}

GameSession::~GameSession() {
    game_.reset();
    platform::DestroyWindow(window_);
    shell::ResetApp();
}

bool GameSession::Start(std::string* error) {
    shell::ResetApp();
    platform::manual_clock::Set(kStartClock);
    shell::App().prefs = std::make_unique<shell::PrefsFile>("prefs.ini");
    shell::App().startup = shell::ReadStartupPrefs(*shell::App().prefs, nullptr);
    platform::SetCursorPos(320, 240);
    // The records drawn at construction, and all after start-up, come from
    // a fixed seed, whatever ran before in this process.
    platform::srand(kSeed);
    game_ = std::make_unique<shell::GameApp>(window_);
    if (!game_->Init()) {
        *error = "the game could not start (display or sound)";
        return false;
    }
    platform::srand(kSeed);
    return true;
}

void GameSession::Frame() {
    platform::manual_clock::Advance(kFrameMs);
    platform::MSG message;
    while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        game_->HandleMessage(message.hwnd, message.message, message.wParam, message.lParam);
    }
    game_->Tick();
    ++frames_;
}

FrameState GameSession::Probe() const {
    FrameState state;
    const shell::GameApp& game = *game_;
    const world::PlayerDog* dog = game.landScreen   ? game.landScreen->player
                                  : game.denScreen ? game.denScreen->dog
                                                   : nullptr;
    Fold f[FrameState::kFields];
    f[0].Int(game.currentState);
    if (dog) {
        f[0].Int(dog->x);
        f[0].Int(dog->y);
        f[0].Int(dog->mode);
    }
    const world::LandSpriteTable& table = const_cast<shell::GameApp&>(game).LandSprites();
    int carried = -1;
    for (int i = 0; i < table.count; ++i) {
        const LandSprite* s = table[i];
        if (!s) continue;
        if (dog && dog->carried == s) carried = i;
        f[2].Int(s->x);
        f[2].Int(s->y);
        f[2].Int(s->location);
        f[2].Int(s->placed);
    }
    f[1].Int(carried);
    if (dog) f[1].Int(dog->carryState);
    for (int land = 0; land < world::kLandCount; ++land) {
        const world::LandRecord& record = const_cast<shell::GameApp&>(game).Record(land);
        f[3].Bytes(&record, sizeof record);
    }
    if (const Sequencer* music = game.sequencer) {
        for (int id = 0; id < music->TrackCount(); ++id) {
            if (const SeqTrack* track = music->Track(id)) f[4].Int(track->volume.load());
        }
    }
    for (int k = 0; k < FrameState::kFields; ++k) state.field[k] = f[k].h;
    return state;
}

}  // namespace bot
