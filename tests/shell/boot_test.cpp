// The real executable, started headless in a tiny data folder.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/headless.h"
#include "platform/platform.h"
#include "shell/prefs_file.h"
#include "shell/startup_prefs.h"
#include "shell_fixtures.h"
#include "world/chars/credits_tables.h"

namespace {

TEST(Boot, HeadlessGamePlaysBothMoviesAndEndsOnClose) {
    const std::string game = std::string(TW_BINARY_DIR) + "/tunewander";
    ASSERT_TRUE(std::filesystem::exists(game)) << game;
    shell_test::ScratchDir dir;
    shell_test::WriteFile(dir.Path() / "prefs.ini", shell_test::CompletePrefs());
    shell_test::WriteBothMovies(dir.Path());
    shell_test::WriteSoundLibraries(dir.Path());
    shell_test::WriteFile(dir.Path() / "run.script", "wait 20000\nclose\n");

    const std::string command = "cd '" + dir.Path().string() +
                                "' && TUNEWANDER_HEADLESS=1 TUNEWANDER_SCRIPT=run.script "
                                "TUNEWANDER_TRACE=1 timeout 120 '" + game + "' 2> stderr.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    std::ifstream errors(dir.Path() / "stderr.txt");
    std::stringstream text;
    text << errors.rdbuf();
    EXPECT_EQ(WEXITSTATUS(status), 0) << text.str();
    EXPECT_NE(text.str().find("Start-up movies over"), std::string::npos) << text.str();
    // The game's pictures (splash, title) are missing from this folder;
    // nothing but those is reported.
    std::string line;
    std::istringstream lines(text.str());
    while (std::getline(lines, line)) {
        if (line.find("message box") == std::string::npos) continue;
        EXPECT_NE(line.find("Could not load"), std::string::npos) << line;
        EXPECT_NE(line.find("raphics\\"), std::string::npos) << line;
    }
}

TEST(Boot, GeneratedPreferencesHoldEveryStartupKey) {
    // The data folder the test run generated.
    const char* env = std::getenv("TW_DATA_DIR");
    const std::string data = env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
    ASSERT_TRUE(std::filesystem::exists(data + "/prefs.ini")) << data;
    platform::ScopedHeadless headless;
    shell::PrefsFile prefs((data + "/prefs.ini").c_str());
    const shell::StartupPrefs values = shell::ReadStartupPrefs(prefs, nullptr);
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
    EXPECT_EQ(values.insertCdText, "Please insert the Tunewander disc and press OK.");
    EXPECT_EQ(values.numOfDistLogos, 1);
    EXPECT_LE(values.sfxCredit.x + values.sfxCredit.w, 640);
    EXPECT_LE(values.sfxCredit.y + values.sfxCredit.h, 480);
    // Each credits caption is drawn where the generator put its picture, in
    // the order of the keys.
    const shell::CreditRect* read[] = {&values.graphicsCredit, &values.animateCredit, &values.graphPrgCredit,
                                       &values.addHelpCredit1, &values.addHelpCredit2, &values.musicCredit,
                                       &values.origConcCredit, &values.audioPrgCredit, &values.sfxCredit};
    for (int id = 0; id < world::chars::kCreditCaptionCount; ++id) {
        const auto& place = world::chars::CreditCaptionPlace(id);
        EXPECT_TRUE(read[id]->x == place.x && read[id]->y == place.y && read[id]->w == place.w &&
                    read[id]->h == place.h)
            << place.key << ": " << read[id]->x << "," << read[id]->y << " " << read[id]->w << "x" << read[id]->h;
    }
    // The help page's three buttons sit on one line across the page, in order.
    EXPECT_EQ(values.helpArrowLeftY, values.helpCancelY);
    EXPECT_EQ(values.helpCancelY, values.helpArrowRightY);
    EXPECT_LT(values.helpArrowLeftX, values.helpCancelX);
    EXPECT_LT(values.helpCancelX, values.helpArrowRightX);
}

}  // namespace
