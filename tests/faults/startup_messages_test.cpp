// Start-up failures end with a box that names the file and a non-zero exit,
// never silently: a missing effect library, a damaged movie.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"
#include "platform/platform.h"
#include "shell/app_state.h"
#include "shell/entry.h"
#include "shell/shell_fixtures.h"

namespace {

using namespace platform;

class StartupFailures : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ClearDrives();
        shell::ResetApp();
    }
    void TearDown() override { shell::ResetApp(); }
    int Run() {
        std::string error;
        EXPECT_EQ(headless::LoadScript("wait 20000\nclose\n", &error), 1) << error;
        shell::RunOptions options;
        options.headless = true;
        return shell::RunGame(options);
    }
    bool BoxSays(const std::string& caption, const std::string& part) const {
        for (const auto& box : headless::MessageBoxLog())
            if (box.caption == caption && box.text.find(part) != std::string::npos) return true;
        return false;
    }

    ScopedHeadless headless_{1};
    shell_test::ScratchDir dir_;
};

TEST_F(StartupFailures, MissingEffectLibraryIsNamedAndTheRunFails) {
    shell_test::WriteFile(dir_.Path() / "prefs.ini", shell_test::CompletePrefs());
    shell_test::WriteBothMovies(dir_.Path());
    shell_test::WriteFile(dir_.Path() / "seq" / "wavelib.txt", "");
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(BoxSays("Could not open effect library file", "fxlib.txt"));
}

TEST_F(StartupFailures, DamagedMovieSaysSoInsteadOfAskingForTheDisc) {
    shell_test::WriteFile(dir_.Path() / "prefs.ini", shell_test::CompletePrefs());
    shell_test::WriteSoundLibraries(dir_.Path());
    shell_test::WriteFile(dir_.Path() / "Movie" / "logo.avi", "RIFF, but no movie");
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_TRUE(BoxSays("Movie damaged", "logo.avi"));
}

}  // namespace
