#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using shell::ParseCommandLine;
using shell::RunFromCommandLine;
namespace fs = std::filesystem;

struct TempTree {
    TempTree() {
        root = fs::temp_directory_path() / ("tw-cmdline-" + std::to_string(::getpid()));
        fs::create_directories(root);
    }
    ~TempTree() { fs::remove_all(root); }
    void Make(const std::string& relative) {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative) << "x";
    }
    fs::path root;
};

}  // namespace

TEST(CommandLine, EachOptionIsRead) {
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
    EXPECT_TRUE(ParseCommandLine({"--version"}).version);
    EXPECT_EQ(ParseCommandLine({"--fullscreen"}).fullscreen, 1);
    EXPECT_EQ(ParseCommandLine({"--fullscreen", "--window"}).fullscreen, 0);  // the last one counts
    EXPECT_EQ(ParseCommandLine({}).fullscreen, -1);
    EXPECT_TRUE(ParseCommandLine({"--no-sound"}).noSound);
    EXPECT_EQ(ParseCommandLine({"--data", "/games/tw"}).dataFolder, "/games/tw");
    EXPECT_EQ(ParseCommandLine({"--data=/games/tw"}).dataFolder, "/games/tw");
    EXPECT_NE(ParseCommandLine({"--data"}).error, "");
    EXPECT_NE(ParseCommandLine({"--fulscreen"}).error, "");
    EXPECT_NE(ParseCommandLine({"extra"}).error, "");
}

TEST(CommandLine, HelpVersionAndBadOptionsEndBeforeTheGame) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunFromCommandLine({"tunewander", "--help"}, ""), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("--no-sound"), std::string::npos);
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunFromCommandLine({"tunewander", "--version"}, ""), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("tunewander ", 0), 0u);

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunFromCommandLine({"tunewander", "--bogus"}, ""), 2);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("--bogus"), std::string::npos);
    EXPECT_NE(err.find("Usage: tunewander"), std::string::npos);

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunFromCommandLine({"tunewander", "--data", "/no/such/folder"}, ""), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("/no/such/folder"), std::string::npos);
}

TEST(CommandLine, DataFolderGivenHereOrInstalledBesideTheProgram) {
    TempTree tree;
    tree.Make("usr/bin/tunewander");
    tree.Make("usr/share/tunewander/prefs.ini");
    tree.Make("mine/prefs.ini");
    const std::string program = (tree.root / "usr/bin/tunewander").string();
    const fs::path before = fs::current_path();

    fs::current_path(tree.root);  // no data here: the installed folder
    EXPECT_EQ(shell::FindDataFolder("", program), (tree.root / "usr/share/tunewander").string());
    EXPECT_EQ(shell::FindDataFolder("mine", program), (tree.root / "mine").string());
    EXPECT_EQ(shell::FindDataFolder("usr", program), "");  // a folder without the data
    fs::current_path(tree.root / "mine");  // data in the working directory comes first
    EXPECT_EQ(shell::FindDataFolder("", program), (tree.root / "mine").string());
    EXPECT_EQ(shell::FindDataFolder("", ""), (tree.root / "mine").string());
    fs::current_path(tree.root);
    EXPECT_EQ(shell::FindDataFolder("", "/nowhere/bin/tunewander"), "");
    fs::current_path(before);
}
