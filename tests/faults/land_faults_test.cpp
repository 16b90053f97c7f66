// A land that cannot be set up sends the player back to the den with a box;
// platform faults (files failing to open mid-load, surfaces or sound buffers
// that cannot be made, surfaces lost at any frame) swept through a land's
// load and play end without a crash and without leaking surfaces.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "faults_support.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
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

namespace {

namespace fs = std::filesystem;
using namespace platform;
using shell::GameApp;

class LandFaults : public ::testing::Test {
protected:
    void TearDown() override {
        headless::FailFileOpens(0, 0);
        headless::FailSoundBuffers(0, 0);
        dd::emulation::ClearFaults();
        game_.reset();
        shell::ResetApp();
        ::unsetenv("TUNEWANDER_SAVE_DIR");
    }
    // The game started on a data folder, standing in the den.
    void Start(const std::string& folder) {
        ASSERT_TRUE(fs::exists(faults::DataDir() + "/graphics/den/den.lnd")) << "no generated data";
        ASSERT_EQ(folder_.Enter(folder.c_str()), 1);
        ::setenv("TUNEWANDER_SAVE_DIR", saves_.Path().c_str(), 1);
        shell::ResetApp();
        shell::App().prefs = std::make_unique<shell::PrefsFile>("prefs.ini");
        shell::App().startup = shell::ReadStartupPrefs(*shell::App().prefs, nullptr);
        game_ = std::make_unique<GameApp>(window_);
        ASSERT_EQ(game_->Init(), 1);
        Go(shell::kStateDen, -1);
        ASSERT_NE(game_->denScreen, nullptr);
    }
    void Go(int state, int land) {
        game_->requestedState = state;
        game_->requestedLand = land;
        Ticks(1);
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            manual_clock::Advance(40);
            MSG message;
            while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
                game_->HandleMessage(message.hwnd, message.message, message.wParam, message.lParam);
            game_->Tick();
        }
    }
    bool BoxNames(const std::string& part) const {
        for (const auto& box : headless::MessageBoxLog())
            if (box.text.find(part) != std::string::npos) return true;
        return false;
    }

    ScopedHeadless headless_{1};
    test_support::ScratchDir saves_;
    test_support::ScratchDir links_;
    ScopedCurrentDirectory folder_;
    HWND window_ = display_support::MakeWindow();
    std::unique_ptr<GameApp> game_;
};

TEST_F(LandFaults, MissingOrEmptyLevelReturnsToTheDenWithAMessage) {
    const fs::path data = links_.Path() / "data";
    faults::LinkTree(faults::DataDir(), data);
    const fs::path level = data / "graphics" / "lands" / "celtic" / "easy.lnd";
    fs::remove(level);
    Start(data.string());
    for (bool empty : {false, true}) {
        if (empty) {
            ASSERT_TRUE(faults::WriteBytes(level, {}));
        }
        headless::ClearMessageBoxLog();
        Go(shell::kStateLand, 0);
        EXPECT_EQ(game_->currentState, shell::kStateDen) << "empty file: " << empty;
        EXPECT_EQ(game_->landScreen, nullptr);
        EXPECT_NE(game_->denScreen, nullptr);
        EXPECT_TRUE(BoxNames("easy.lnd"));
        Ticks(5);  // the den plays on
    }
}

// Each case arms a fault, enters celtic from the den, plays a second of it
// and goes back; the den afterwards holds as many surfaces as before.
TEST_F(LandFaults, PlatformFaultsThroughALandsLoadAndPlay) {
    Start(faults::DataDir());
    const int denSurfaces = dd::emulation::LiveSurfaceCount();
    auto visit = [&](const char* what, int lostAtFrame = -1) {
        SCOPED_TRACE(what);
        headless::ClearMessageBoxLog();
        Go(shell::kStateLand, 0);
        // Either the land plays, or it could not be set up and the den
        // is back with a message.
        if (game_->currentState == shell::kStateLand) {
            ASSERT_NE(game_->landScreen, nullptr);
        } else {
            EXPECT_EQ(game_->currentState, shell::kStateDen);
            EXPECT_FALSE(headless::MessageBoxLog().empty());
        }
        for (int frame = 0; frame < 25; ++frame) {
            if (frame == lostAtFrame) dd::emulation::LoseAllSurfaces();
            Ticks(1);
        }
        headless::FailFileOpens(0, 0);
        headless::FailSoundBuffers(0, 0);
        dd::emulation::ClearFaults();
        // A den made while the faults still held is made again (by way of
        // the title) before its surfaces are counted.
        if (game_->currentState == shell::kStateDen) Go(shell::kStateIntro, -1);
        Go(shell::kStateDen, -1);
        Ticks(3);
        ASSERT_NE(game_->denScreen, nullptr);
        EXPECT_EQ(dd::emulation::LiveSurfaceCount(), denSurfaces);
    };
    visit("no fault");
    for (int after : {0, 1, 2, 4, 8, 16, 40, 100}) {
        headless::FailFileOpens(after, 1);
        visit(("one file open fails after " + std::to_string(after)).c_str());
    }
    headless::FailFileOpens(6, 100000);
    visit("every file open fails from the seventh");
    for (int times : {1, 4, 40}) {
        dd::emulation::FailNext(dd::emulation::Op::CreateSurface, dd::DDERR_OUTOFMEMORY, times);
        visit(("surface creation fails " + std::to_string(times) + " times").c_str());
    }
    for (int after : {0, 3}) {
        headless::FailSoundBuffers(after, 100000);
        visit(("sound buffers fail after " + std::to_string(after)).c_str());
    }
    for (int frame : {0, 1, 7, 24}) visit(("surfaces lost at frame " + std::to_string(frame)).c_str(), frame);
    EXPECT_EQ(game_->currentState, shell::kStateDen);
}

}  // namespace
