// Start-up: finding the movies, the insert-disc prompt, the movie sequence in
// the window procedure and whole in-process runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "screens/intro_screen.h"
#include "shell/app_state.h"
#include "shell/entry.h"
#include "shell/game_app.h"
#include "shell/movie_player.h"
#include "shell_fixtures.h"

namespace {

using namespace platform;
namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ClearDrives();
        shell::ResetApp();
    }
    void TearDown() override { shell::ResetApp(); }

    // A CD-ROM drive whose disc is a folder of the scratch directory.
    fs::path InsertDisc(char letter) {
        const fs::path root = dir.Path() / (std::string("disc_") + letter);
        fs::create_directories(root);
        headless::SetDrive(letter, DRIVE_CDROM, root.string());
        return root;
    }
    static int BoxCount() { return static_cast<int>(headless::MessageBoxLog().size()); }

    ScopedHeadless headless{1};
    shell_test::ScratchDir dir;
};

TEST_F(StartupTest, MoviesAreLookedForHereThenOnCdDrivesInLetterOrder) {
    headless::SetDrive('C', DRIVE_FIXED);
    InsertDisc('E');
    InsertDisc('G');
    InsertDisc('K');
    std::vector<std::string> tried;
    const int found = shell::LocateMovie("Movie\\logo.avi", [&](const char* path) {
        tried.push_back(path);
        return std::string(path) == "G:\\Movie\\logo.avi" ? 1 : 0;
    });
    EXPECT_EQ(found, 1);
    EXPECT_EQ(tried, (std::vector<std::string>{".\\Movie\\logo.avi", "E:\\Movie\\logo.avi",
                                               "G:\\Movie\\logo.avi"}));

    tried.clear();
    EXPECT_EQ(shell::LocateMovie("Movie\\logo.avi",
                                 [&](const char* path) {
                                     tried.push_back(path);
                                     return 1;
                                 }),
              1);
    EXPECT_EQ(tried.size(), 1u);  // found here: no drive probed
}

TEST_F(StartupTest, PlayerOpensAMovieThatIsOnlyOnTheDisc) {
    shell::MoviePlayer player(nullptr);
    EXPECT_EQ(shell::LocateAndOpenMovie(player, "Movie\\logo.avi"), 0);
    EXPECT_EQ(player.deviceId, 0u);

    ASSERT_TRUE(shell_test::WriteTinyMovie(InsertDisc('D') / "Movie" / "logo.avi", 2, 50));
    EXPECT_EQ(shell::LocateAndOpenMovie(player, "Movie\\logo.avi"), 1);
    EXPECT_NE(player.deviceId, 0u);
    EXPECT_EQ(player.Close(), 0u);
    EXPECT_EQ(player.deviceId, 0u);
}

TEST_F(StartupTest, InsertDiscPromptRetriesOnOkAndGivesUpOnCancel) {
    const fs::path disc = InsertDisc('F');
    headless::SetMessageBoxResponder([&](const headless::MessageBoxRecord&) {
        shell_test::WriteTinyMovie(disc / "Movie" / "movie.avi", 2, 50);  // the disc goes in
        return IDOK;
    });
    shell::MoviePlayer player(nullptr);
    EXPECT_EQ(shell::OpenMovieOrAskForDisc(player, "Movie\\movie.avi", nullptr, "Insert it",
                                           "Title"),
              1);
    ASSERT_EQ(BoxCount(), 1);
    const auto& box = headless::MessageBoxLog()[0];
    EXPECT_EQ(box.text, "Insert it");
    EXPECT_EQ(box.caption, "Title");
    EXPECT_EQ(box.flags, MB_OKCANCEL | MB_SETFOREGROUND);
    player.Close();

    headless::SetMessageBoxResponder([](const headless::MessageBoxRecord&) { return IDCANCEL; });
    EXPECT_EQ(shell::OpenMovieOrAskForDisc(player, "Movie\\logo.avi", nullptr, "Insert it",
                                           "Title"),
              0);
    EXPECT_EQ(BoxCount(), 2);
}

// The window procedure before and after the game exists.
class MovieSequenceTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = shell::WindowProc;
        windowClass.lpszClassName = "Tunewander";
        ASSERT_EQ(RegisterClass(windowClass), 1);
        window = CreateWindowEx(0, "Tunewander", "Tunewander", WS_POPUP, 0, 0, 0, 0);
        ASSERT_NE(window, nullptr);
        shell::AppState& app = shell::App();
        app.mainWindow = window;
        app.windowAlive = true;
        app.moviePlayer = std::make_unique<shell::MoviePlayer>(window);
    }
    void TearDown() override {
        shell::AppState& app = shell::App();
        app.game.reset();
        app.moviePlayer.reset();
        app.running = 0;
        if (app.windowAlive) DestroyWindow(window);
        StartupTest::TearDown();
    }
    void StartLogo() {
        shell_test::WriteBothMovies(dir.Path());
        shell_test::WriteSoundLibraries(dir.Path());
        shell::AppState& app = shell::App();
        ASSERT_EQ(shell::LocateAndOpenMovie(*app.moviePlayer, shell::kLogoMovieName), 1);
        app.moviePhase = shell::kLogoMovie;
        app.moviePlayer->Play();
    }
    void Notify() { shell::WindowProc(window, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0); }

    HWND window = nullptr;
};

TEST_F(MovieSequenceTest, LogoThenMainMovieThenTheGame) {
    StartLogo();
    shell::AppState& app = shell::App();
    Notify();
    EXPECT_EQ(app.moviePhase, shell::kMainMovie);
    ASSERT_NE(app.moviePlayer, nullptr);
    EXPECT_EQ(app.moviePlayer->playing, 1);
    EXPECT_EQ(app.game, nullptr);

    Notify();
    EXPECT_EQ(app.moviePhase, shell::kNoMovie);
    EXPECT_EQ(app.moviePlayer, nullptr);
    ASSERT_NE(app.game, nullptr);
    EXPECT_EQ(app.game->currentState, shell::kStateIntro);
    EXPECT_EQ(app.running, 1);

    // From now on the media-control message is the game's (CD audio).
    shell::GameApp* game = app.game.get();
    Notify();
    EXPECT_EQ(app.game.get(), game);
    EXPECT_EQ(game->mciNotifications, 1);
    EXPECT_EQ(app.moviePhase, shell::kNoMovie);
}

TEST_F(MovieSequenceTest, AKeyOrClickSkipsEachMovieOtherKeysDoNot) {
    StartLogo();
    shell::AppState& app = shell::App();
    auto deliver = [&] {
        MSG message;
        while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
            shell::WindowProc(message.hwnd, message.message, message.wParam, message.lParam);
        }
    };
    shell::WindowProc(window, WM_KEYDOWN, 'A', 0);
    deliver();
    EXPECT_EQ(app.moviePhase, shell::kLogoMovie) << "a letter does not skip";
    shell::WindowProc(window, WM_KEYDOWN, VK_ESCAPE, 0);
    deliver();
    ASSERT_EQ(app.moviePhase, shell::kMainMovie);
    EXPECT_EQ(app.moviePlayer->playing, 1) << "the main movie still plays";
    shell::WindowProc(window, WM_LBUTTONDOWN, 0, 0);
    deliver();
    EXPECT_EQ(app.moviePhase, shell::kNoMovie);
    ASSERT_NE(app.game, nullptr);
}

TEST_F(MovieSequenceTest, CancelAtTheSecondPromptEndsWithoutAGame) {
    StartLogo();
    fs::remove(dir.Path() / "Movie" / "movie.avi");
    headless::SetMessageBoxResponder([](const headless::MessageBoxRecord&) { return IDCANCEL; });
    Notify();
    EXPECT_EQ(shell::App().running, 0);
    EXPECT_EQ(shell::App().game, nullptr);
    EXPECT_EQ(BoxCount(), 1);
}

TEST_F(MovieSequenceTest, ClosingTheWindowDuringTheMoviesQuits) {
    StartLogo();
    DestroyWindow(window);
    EXPECT_FALSE(shell::App().windowAlive);
    bool quit = false;
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) quit |= message.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

// Whole runs in this process, on the test's headless platform.
class RunGameTest : public StartupTest {
protected:
    int Run(const std::string& script, uint32_t maxMs = 0) {
        std::string error;
        EXPECT_EQ(headless::LoadScript(script, &error), 1) << error;
        shell::RunOptions options;
        options.headless = true;
        options.maxVirtualMs = maxMs;
        options.onFinish = [this] { finishedAt = timeGetTime(); };
        return shell::RunGame(options);
    }
    void WriteData() {
        shell_test::WriteFile(dir.Path() / "prefs.ini", shell_test::CompletePrefs());
        shell_test::WriteBothMovies(dir.Path());
        shell_test::WriteSoundLibraries(dir.Path());
    }
    uint32_t finishedAt = 0;
};

TEST_F(RunGameTest, RunsTheMoviesAndTheGameUntilTheWindowCloses) {
    WriteData();
    EXPECT_EQ(Run("wait 20000\nclose\n"), 0);
    EXPECT_GE(finishedAt, 20000u);
    // The game went on to the splash and the title, whose pictures this
    // folder lacks: each missing one is named, nothing else is reported.
    EXPECT_GT(BoxCount(), 0);
    for (const auto& box : headless::MessageBoxLog()) {
        EXPECT_EQ(box.caption, "Could not load");
        EXPECT_NE(box.text.find("raphics\\"), std::string::npos) << box.text;
    }
    EXPECT_EQ(shell::App().game, nullptr);
    EXPECT_EQ(shell::StartupPreferences().insertCdTitle, "Tunewander");
}

TEST_F(RunGameTest, SecondCopyOnlyBringsTheFirstToTheFront) {
    WriteData();
    headless::SetOtherInstanceRunning(true);
    EXPECT_EQ(Run("wait 100\nclose\n"), 0);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(shell::App().mainWindow, nullptr);  // no window was made
    headless::SetOtherInstanceRunning(false);
}

TEST_F(RunGameTest, CancelAtTheFirstPromptExits) {
    shell_test::WriteFile(dir.Path() / "prefs.ini", shell_test::CompletePrefs());
    headless::SetMessageBoxResponder([](const headless::MessageBoxRecord&) { return IDCANCEL; });
    EXPECT_EQ(Run("wait 100\nclose\n"), 0);
    ASSERT_EQ(BoxCount(), 1);
    EXPECT_EQ(headless::MessageBoxLog()[0].caption, "Tunewander");
}

TEST_F(RunGameTest, InactiveRunWithTheScriptOverStops) {
    WriteData();
    // Inactive after the movies, with the script over: nothing can happen.
    EXPECT_EQ(Run("wait 5000\nfocus 0\n"), 1);
    EXPECT_LT(finishedAt, 60000u);
}

TEST_F(RunGameTest, RunStopsAtItsTimeLimit) {
    WriteData();
    EXPECT_EQ(Run("wait 100000\nclose\n", 8000), 1);
    EXPECT_GE(finishedAt, 8000u);
    EXPECT_LT(finishedAt, 100000u);
}

}  // namespace
