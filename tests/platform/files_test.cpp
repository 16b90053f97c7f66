#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/headless.h"
#include "platform/internal/drives.h"
#include "platform/platform.h"
#include "temp_folder.h"

using namespace platform;

namespace {

std::string Canonical(const std::string& path) { return std::filesystem::canonical(path).string(); }

std::string GameFolder() {
    char buffer[4096];
    return GetCurrentDirectory(sizeof buffer, buffer) ? std::string(buffer) : std::string("(none)");
}

std::string ReadAll(const char* name) {
    FILE* f = OpenFile(name, "rb");
    if (!f) return "(cannot open)";
    char text[64] = {};
    const size_t got = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    return std::string(text, got);
}

}  // namespace

TEST(Files, ResolvesEveryComponentIgnoringCaseAndBackslashes) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("Graphics/Chars/Dog.BMP", "dog");
    folder.Make("graphics/lands/celtic/easy.lnd", "lnd");
    ScopedCurrentDirectory game;
    ASSERT_EQ(game.Enter(folder.Path().c_str()), 1);
    const std::string root = Canonical(folder.Path());

    EXPECT_EQ(ResolvePath(".\\graphics\\chars\\dog.bmp"), root + "/Graphics/Chars/Dog.BMP");
    EXPECT_EQ(ResolvePath("GRAPHICS\\CHARS\\DOG.bmp"), root + "/Graphics/Chars/Dog.BMP");
    // Two folders differing only in case: a file is found in either.
    EXPECT_EQ(ResolvePath(".\\graphics\\lands\\celtic\\easy.lnd"), root + "/graphics/lands/celtic/easy.lnd");

    FILE* f = OpenFile(".\\GRAPHICS\\chars\\dog.bmp", "rb");
    ASSERT_NE(f, nullptr);
    char text[8] = {};
    EXPECT_EQ(std::fread(text, 1, sizeof text, f), 3u);
    std::fclose(f);
    EXPECT_STREQ(text, "dog");
    EXPECT_TRUE(FileExists("graphics\\CHARS\\dog.bmp"));
    EXPECT_FALSE(FileExists("graphics\\chars\\cat.bmp"));
}

TEST(Files, NewFilesGoIntoTheExistingFolderAndMissingFoldersFail) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("Save/readme.txt");
    ScopedCurrentDirectory game;
    ASSERT_EQ(game.Enter(folder.Path().c_str()), 1);

    EXPECT_EQ(ResolvePath(".\\save\\Saved.gam"), Canonical(folder.Path()) + "/Save/Saved.gam");
    FILE* f = OpenFile(".\\SAVE\\saved.gam", "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/Save/saved.gam"));

    EXPECT_EQ(ResolvePath(".\\nothere\\file.txt"), "");
    EXPECT_EQ(OpenFile(".\\nothere\\file.txt", "wb"), nullptr);
    EXPECT_EQ(ResolvePath(""), "");
    EXPECT_EQ(ResolvePath(nullptr), "");
    // A file where a folder is expected is no folder.
    EXPECT_EQ(ResolvePath("save\\readme.txt\\x"), "");
}

TEST(Files, DriveRootsMapToInjectedDrives) {
    ScopedHeadless headless;
    TempFolder disc;
    disc.Make("MOVIE/LOGO.AVI", "avi");
    headless::SetDrive('e', DRIVE_CDROM, disc.Path());

    EXPECT_EQ(GetDriveType("E:\\"), DRIVE_CDROM);
    EXPECT_EQ(GetDriveType("e:"), DRIVE_CDROM);
    EXPECT_EQ(GetDriveType("C:\\"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveType("D:\\"), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(GetDriveType("E:\\x"), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(GetDriveType("garbage"), DRIVE_NO_ROOT_DIR);

    EXPECT_EQ(ResolvePath("E:\\Movie\\logo.avi"), disc.Path() + "/MOVIE/LOGO.AVI");
    EXPECT_TRUE(FileExists("e:\\movie\\LOGO.avi"));
    EXPECT_EQ(ResolvePath("D:\\Movie\\logo.avi"), "");

    headless::ClearDrives();
    EXPECT_EQ(GetDriveType("E:\\"), DRIVE_NO_ROOT_DIR);
    EXPECT_FALSE(FileExists("E:\\Movie\\logo.avi"));
}

// The game's current folder lives in the platform; the process's working
// directory never moves.
TEST(GameFolder, ChangesWithoutMovingTheProcess) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("Levels/Den/den.lnd");
    ScopedCurrentDirectory game;
    const std::filesystem::path process = std::filesystem::current_path();
    ASSERT_EQ(SetCurrentDirectory(folder.Path().c_str()), 1);

    ASSERT_EQ(SetCurrentDirectory(".\\LEVELS\\den"), 1);
    EXPECT_EQ(std::filesystem::current_path(), process);
    const std::string den = Canonical(folder.Path() + "/Levels/Den");
    char buffer[4096];
    const DWORD length = GetCurrentDirectory(sizeof buffer, buffer);
    EXPECT_EQ(length, std::strlen(buffer));
    EXPECT_EQ(std::string(buffer), den);
    // Exactly too small (no room for the terminator) fails and empties it.
    std::vector<char> tight(den.size(), 'x');
    EXPECT_EQ(GetCurrentDirectory(DWORD(tight.size()), tight.data()), 0u);
    EXPECT_EQ(tight[0], '\0');
    std::vector<char> exact(den.size() + 1);
    EXPECT_EQ(GetCurrentDirectory(DWORD(exact.size()), exact.data()), DWORD(den.size()));
    EXPECT_EQ(GetCurrentDirectory(0, nullptr), 0u);

    ASSERT_EQ(SetCurrentDirectory("..\\.."), 1);
    EXPECT_EQ(GameFolder(), Canonical(folder.Path()));
    EXPECT_TRUE(FileExists("levels\\den\\den.lnd"));
    EXPECT_EQ(SetCurrentDirectory("/"), 1);
    EXPECT_EQ(GameFolder(), "/");
    EXPECT_EQ(std::filesystem::current_path(), process);
}

TEST(GameFolder, RelativeNamesStartThereAndAbsoluteOnesStayAbsolute) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("A/Only.txt", "a");
    folder.Make("A/Both.txt", "from a");
    const std::string inB = folder.Make("B/both.TXT", "from b");
    ScopedCurrentDirectory game;

    ASSERT_EQ(SetCurrentDirectory((folder.Path() + "/a").c_str()), 1);
    EXPECT_EQ(ReadAll(".\\BOTH.txt"), "from a");
    EXPECT_TRUE(FileExists("only.txt"));
    EXPECT_FALSE(std::filesystem::exists("Only.txt")) << "the process's folder is not the game's";
    EXPECT_EQ(ReadAll(inB.c_str()), "from b");
    EXPECT_EQ(ResolvePath(inB.c_str()), inB);

    ASSERT_EQ(SetCurrentDirectory("..\\b"), 1);
    EXPECT_EQ(ReadAll("both.txt"), "from b");
    EXPECT_FALSE(FileExists("only.txt"));
    EXPECT_TRUE(FileExists("..\\a\\ONLY.TXT"));
    // New files are made in the game's folder too.
    FILE* f = OpenFile("New.gam", "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/B/New.gam"));
    EXPECT_FALSE(std::filesystem::exists("New.gam"));
}

TEST(GameFolder, AFailedChangeKeepsTheFolder) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("Levels/den.lnd");
    ScopedCurrentDirectory game;
    ASSERT_EQ(SetCurrentDirectory(folder.Path().c_str()), 1);
    const std::string before = GameFolder();

    for (const char* name :
         {"missing", "levels\\missing", "levels\\den.lnd", "Q:\\levels", "", "missing\\..\\levels"}) {
        EXPECT_EQ(SetCurrentDirectory(name), 0) << name;
        EXPECT_EQ(GameFolder(), before) << name;
    }
    EXPECT_EQ(SetCurrentDirectory(nullptr), 0);
    EXPECT_EQ(GameFolder(), before);
    EXPECT_TRUE(FileExists("LEVELS\\DEN.LND"));
}

namespace {

// Leaves through an early return after entering a folder, as the level
// readers do when a file is cut short.
int ReadFromSubfolder(const char* name, bool stopEarly) {
    ScopedCurrentDirectory back;
    if (!back.Enter(name)) return 0;
    if (stopEarly) return 0;
    return back.Enter("inner") ? 2 : 1;
}

}  // namespace

TEST(GameFolder, TheScopedGuardPutsTheFolderBackOnEveryWayOut) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("Sub/Inner/x.txt");
    ScopedCurrentDirectory game;
    ASSERT_EQ(SetCurrentDirectory(folder.Path().c_str()), 1);
    const std::string root = GameFolder();

    EXPECT_EQ(ReadFromSubfolder("sub", true), 0);
    EXPECT_EQ(GameFolder(), root);
    EXPECT_EQ(ReadFromSubfolder("sub", false), 2);
    EXPECT_EQ(GameFolder(), root);
    EXPECT_EQ(ReadFromSubfolder("nothere", false), 0);
    EXPECT_EQ(GameFolder(), root);

    {
        ScopedCurrentDirectory outer;
        ASSERT_EQ(outer.Enter("sub"), 1);
        {
            ScopedCurrentDirectory inner;
            EXPECT_EQ(inner.Saved(), Canonical(folder.Path() + "/Sub"));
            ASSERT_EQ(inner.Enter("INNER"), 1);
            EXPECT_TRUE(FileExists("X.TXT"));
        }
        EXPECT_EQ(GameFolder(), Canonical(folder.Path() + "/Sub"));
    }
    EXPECT_EQ(GameFolder(), root);

    // A folder removed meanwhile still comes back, so its files are missing
    // rather than taken from the folder entered last.
    const std::string gone = folder.Path() + "/Gone";
    std::filesystem::create_directories(gone);
    folder.Make("Other/x.txt");
    ASSERT_EQ(SetCurrentDirectory(gone.c_str()), 1);
    {
        ScopedCurrentDirectory back;
        ASSERT_EQ(back.Enter("..\\other"), 1);
        std::filesystem::remove(gone);
    }
    EXPECT_EQ(GameFolder(), Canonical(folder.Path()) + "/Gone");
    EXPECT_FALSE(FileExists("x.txt"));
}

TEST(GameFolder, StartsAtTheProcessesFolderAndIsReadSafelyFromAnotherThread) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("One/x");
    folder.Make("Two/x");
    ScopedCurrentDirectory game;
    ResetCurrentDirectory();
    EXPECT_EQ(GameFolder(), std::filesystem::current_path().string());

    const std::string one = Canonical(folder.Path() + "/One"), two = Canonical(folder.Path() + "/Two");
    ASSERT_EQ(SetCurrentDirectory(one.c_str()), 1);
    int torn = 0;
    std::thread reader([&] {
        for (int i = 0; i < 2000; ++i) {
            const std::string seen = GameFolder();
            if (seen != one && seen != two) ++torn;
        }
    });
    for (int i = 0; i < 200; ++i) SetCurrentDirectory(i % 2 ? one.c_str() : two.c_str());
    reader.join();
    EXPECT_EQ(torn, 0);
}

TEST(Files, OpticalMountPointsComeFromTheMountTable) {
    const std::string mounts =
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sr0 /media/user/MY\\040DISC iso9660 ro 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sr1 /mnt/dvd udf ro 0 0\n"
        "broken line\n";
    const auto points = internal::OpticalMountPoints(mounts);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0], "/media/user/MY DISC");
    EXPECT_EQ(points[1], "/mnt/dvd");
}
