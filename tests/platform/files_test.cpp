#include <gtest/gtest.h>

#include <cstring>

#include "platform/files.h"
#include "platform/headless.h"
#include "platform/internal/drives.h"
#include "platform/platform.h"
#include "temp_folder.h"

using namespace platform;

TEST(Files, ResolvesEveryComponentIgnoringCaseAndBackslashes) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("Graphics/Chars/Dog.BMP", "dog");
    folder.Make("graphics/lands/celtic/easy.lnd", "lnd");
    ScopedCurrentDirectory cwd(folder.Path());

    EXPECT_EQ(ResolvePath(".\\graphics\\chars\\dog.bmp"), "Graphics/Chars/Dog.BMP");
    EXPECT_EQ(ResolvePath("GRAPHICS\\CHARS\\DOG.bmp"), "Graphics/Chars/Dog.BMP");
    // Two folders differing only in case: a file is found in either.
    EXPECT_EQ(ResolvePath(".\\graphics\\lands\\celtic\\easy.lnd"), "graphics/lands/celtic/easy.lnd");

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
    ScopedCurrentDirectory cwd(folder.Path());

    EXPECT_EQ(ResolvePath(".\\save\\Saved.gam"), "Save/Saved.gam");
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

TEST(Files, CurrentDirectoryIsTheProcesses) {
    ScopedHeadless headless;
    TempFolder folder;
    folder.Make("Levels/Den/den.lnd");
    ScopedCurrentDirectory cwd(folder.Path());

    ASSERT_EQ(SetCurrentDirectory(".\\LEVELS\\den"), 1);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder.Path() + "/Levels/Den"));
    EXPECT_TRUE(FileExists("DEN.LND"));
    char buffer[4096];
    const DWORD length = GetCurrentDirectory(sizeof buffer, buffer);
    EXPECT_EQ(length, std::strlen(buffer));
    EXPECT_EQ(std::string(buffer), std::filesystem::current_path().string());
    char tiny[4] = "abc";
    EXPECT_EQ(GetCurrentDirectory(sizeof tiny, tiny), 0u);
    EXPECT_STREQ(tiny, "");

    ASSERT_EQ(SetCurrentDirectory("..\\.."), 1);
    EXPECT_EQ(SetCurrentDirectory("missing"), 0);
    EXPECT_TRUE(FileExists("levels\\den\\den.lnd"));
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
