#pragma once
// The real game object on the generated data folder, headless on the manual
// clock, driven as the main loop drives it: the waiting messages, then a tick.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "screens/den_screen.h"
#include "shell/app_state.h"
#include "shell/game_app.h"
#include "shell/prefs_file.h"
#include "shell/startup_prefs.h"
#include "support/display_support.h"
#include "support/scratch_dir.h"

namespace game_flow {

using namespace platform;
using shell::GameApp;

inline std::string DataDir() {
    const char* env = std::getenv("TW_DATA_DIR");
    return env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
}

inline std::filesystem::path ShotFolder(const char* name) {
    const auto out = std::filesystem::path(TW_BINARY_DIR) / name;
    std::filesystem::create_directories(out);
    return out;
}

class GameFlow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(DataDir() + "/graphics/den/den.lnd")) << "no generated data";
        ASSERT_EQ(folder_.Enter(DataDir().c_str()), 1);
        // Saves go to a folder of the test's own.
        ::setenv("TUNEWANDER_SAVE_DIR", saves_.Path().c_str(), 1);
        StartGame();
    }
    void TearDown() override {
        game_.reset();
        shell::ResetApp();
        Shutdown();  // before the test's folders go: a settings file is written here
        ::unsetenv("TUNEWANDER_SAVE_DIR");
    }
    // The game object made and started as a run makes it.
    void StartGame() {
        shell::ResetApp();
        // The preferences, read as a run reads them at start-up.
        shell::App().prefs = std::make_unique<shell::PrefsFile>("prefs.ini");
        shell::App().startup = shell::ReadStartupPrefs(*shell::App().prefs, nullptr);
        SetCursorPos(320, 240);
        game_ = std::make_unique<GameApp>(window_);
        ASSERT_EQ(game_->Init(), 1);
        platform::srand(3);
    }
    // Ends the game and the platform as a run ends them (the settings file
    // written), then starts both as the next run does, reading `settingsPath`.
    void RunAgain(const std::string& settingsPath) {
        game_.reset();
        shell::ResetApp();
        Shutdown();
        PlatformOptions options;
        options.kind = BackendKind::Headless;
        options.headlessAutoAdvanceMs = 1;
        options.settingsPath = settingsPath;
        ASSERT_EQ(Startup(options), 1);
        window_ = display_support::MakeWindow();
        StartGame();
    }

    GameApp& Game() { return *game_; }
    // A frame as the main loop runs it: the waiting messages, then the tick.
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            manual_clock::Advance(40);
            MSG message;
            while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
                game_->HandleMessage(message.hwnd, message.message, message.wParam, message.lParam);
            }
            game_->Tick();
        }
    }
    // Keys as the keyboard gives them: the key state and the messages.
    void Press(int key) { headless::KeyDown(key); }
    void Release(int key) { headless::KeyUp(key); }
    // Holds a key until `done` or the tick limit; true when done.
    template <typename Done>
    bool HoldUntil(int key, int limit, Done done) {
        Press(key);
        int i = 0;
        for (; i < limit && !done(); ++i) Ticks(1);
        Release(key);
        return done();
    }
    world::PlayerDog* DenDog() { return game_->denScreen ? game_->denScreen->dog : nullptr; }

    ScopedHeadless headless_{1};
    test_support::ScratchDir saves_;  // (made before the data folder is entered)
    ScopedCurrentDirectory folder_;
    HWND window_ = display_support::MakeWindow();
    std::unique_ptr<GameApp> game_;
};

}  // namespace game_flow
