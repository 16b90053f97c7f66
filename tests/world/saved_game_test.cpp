// The saved-game file: the slot layout and record order, the folder it lives
// in, damaged and odd files, and writes that never leave it half written.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/crt_random.h"
#include "platform/user_files.h"
#include "support/scratch_dir.h"
#include "world/saved_game.h"

namespace {

using namespace world;
namespace fs = std::filesystem;

std::vector<uint8_t> FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

int32_t WordAt(const SlotBuffer& buffer, size_t offset) {
    return static_cast<int32_t>(buffer[offset] | buffer[offset + 1] << 8 | buffer[offset + 2] << 16 |
                                static_cast<uint32_t>(buffer[offset + 3]) << 24);
}

// A slot as a game in progress would save it: every land's record fresh,
// with the land index in its progress word so the order can be told.
SavedSlot Played(int32_t land, int32_t room) {
    SavedSlot slot;
    slot.marker = kNewSlotMarker;
    slot.difficulty = 2;
    slot.land = land;
    slot.x = 1234;
    slot.y = 567;
    slot.room = room;
    platform::srand(9);
    for (int i = 0; i < kLandCount; ++i) {
        InitLandRecord(&slot.records[i]);
        slot.records[i].progress = 10 + i;
        slot.records[i].noteTable = 77;
    }
    return slot;
}

class SavedGameTest : public ::testing::Test {
protected:
    void TearDown() override { platform::headless::FailUserFileWritesAfter(-1); }
    fs::path File() const { return dir.Path() / "saves" / "saved.gam"; }
    test_support::ScratchDir dir;
};

TEST_F(SavedGameTest, ASlotKeepsPlaceDifficultyAndRecordsInTheFileOrder) {
    SlotBuffer buffer{};
    buffer.fill(0xEE);
    EncodeSlot(Played(kFunland, 1), 3, &buffer);
    const size_t base = 3 * kSlotBytes;
    EXPECT_EQ(buffer[base], 'a');
    EXPECT_EQ(buffer[base + 1], '\n');
    for (size_t i = 2; i < kMarkerBytes; ++i) ASSERT_EQ(buffer[base + i], 0) << "unfilled bytes are zeros";
    EXPECT_EQ(WordAt(buffer, base + 260), 2);
    EXPECT_EQ(WordAt(buffer, base + 264), kFunland);
    EXPECT_EQ(WordAt(buffer, base + 268), 1234);
    EXPECT_EQ(WordAt(buffer, base + 272), 567);
    EXPECT_EQ(WordAt(buffer, base + 276), 1);
    // Wetland, funland, celtic, aussie, jazzland, eastern: progress = 10 + land.
    const int order[kLandCount] = {kWetland, kFunland, kCeltic, kAussie, kJazzland, kEastern};
    for (int i = 0; i < kLandCount; ++i) EXPECT_EQ(WordAt(buffer, base + 280 + 584 * i + 32), 10 + order[i]) << i;
    EXPECT_EQ(buffer[2 * kSlotBytes], 0xEE) << "other slots untouched";
    EXPECT_EQ(buffer[4 * kSlotBytes], 0xEE);

    SavedSlot back;
    ASSERT_EQ(DecodeSlot(buffer, 3, &back), 1);
    EXPECT_EQ(back.marker, "a\n");
    EXPECT_EQ(back.land, kFunland);
    EXPECT_EQ(back.room, 1);
    for (int land = 0; land < kLandCount; ++land) EXPECT_EQ(back.records[land].progress, 10 + land);
    EXPECT_EQ(back.records[kCeltic].icon[0].location, kNeverPlaced) << "a land never visited stays fresh";
}

TEST_F(SavedGameTest, MissingShortAndOddFilesReadAsEmptySlots) {
    SlotBuffer buffer{};
    EXPECT_EQ(ReadSavedGames(File().string(), &buffer), 0);
    for (int s = 0; s < kSavedSlots; ++s) EXPECT_FALSE(SlotMarked(buffer, s));

    fs::create_directories(File().parent_path());
    for (size_t size : {size_t(0), size_t(10), kSlotBytes + kSlotBytes / 2}) {
        SlotBuffer whole{};
        EncodeSlot(Played(-1, 0), 0, &whole);
        EncodeSlot(Played(-1, 0), 1, &whole);
        WriteBytes(File(), std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(size)));
        ASSERT_EQ(ReadSavedGames(File().string(), &buffer), 1) << size;
        SavedSlot slot;
        EXPECT_EQ(DecodeSlot(buffer, 0, &slot), size >= kSlotBytes ? 1 : 0) << size;
        EXPECT_FALSE(SlotMarked(buffer, 1)) << "a slot cut short is empty (" << size << ")";
    }
    // A folder or a FIFO where the file should be: empty slots, no hang.
    fs::remove(File());
    fs::create_directory(File());
    EXPECT_EQ(ReadSavedGames(File().string(), &buffer), 0);
    fs::remove(File());
    ASSERT_EQ(::mkfifo(File().c_str(), 0600), 0);
    EXPECT_EQ(ReadSavedGames(File().string(), &buffer), 0);
    EXPECT_FALSE(SlotMarked(buffer, 0));
}

TEST_F(SavedGameTest, SlotsWithValuesOutOfRangeAreNeverLoaded) {
    auto damaged = [](auto change) {
        SavedSlot slot = Played(kCeltic, 0);
        change(slot);
        SlotBuffer buffer{};
        EncodeSlot(slot, 5, &buffer);
        SavedSlot out;
        return DecodeSlot(buffer, 5, &out) == 0 && SlotMarked(buffer, 5);
    };
    EXPECT_FALSE(damaged([](SavedSlot&) {})) << "the undamaged slot loads";
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.difficulty = 0; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.difficulty = 4; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.land = 6; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.land = -2; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.room = 3; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.room = 9; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.land = -1, s.room = 10; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.x = 1 << 30; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.y = -70000; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kJazzland].category[7] = 6; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kAussie].icon[23].location = 5; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kAussie].key[2].placed = 2; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kEastern].room[1].set = 4; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kEastern].slot[0] = 7; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kWetland].target[2] = -1; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kFunland].bandWord = 7; }));
    EXPECT_TRUE(damaged([](SavedSlot& s) { s.records[kFunland].freed = 2; }));
    // Places the game really saves from are all fine.
    EXPECT_FALSE(damaged([](SavedSlot& s) { s.room = -1; }));
    EXPECT_FALSE(damaged([](SavedSlot& s) { s.room = kMainSubRoom; }));
    EXPECT_FALSE(damaged([](SavedSlot& s) { s.land = -1, s.room = 0; }));
}

TEST_F(SavedGameTest, AWriteCutShortAnywhereLeavesTheOldFileWhole) {
    SlotBuffer old{};
    EncodeSlot(Played(kCeltic, -1), 0, &old);
    ASSERT_EQ(WriteSavedGames(File().string(), old), 1) << "the folder is made on the first save";
    const std::vector<uint8_t> before = FileBytes(File());
    ASSERT_EQ(before.size(), kSavedGameBytes);

    SlotBuffer next = old;
    EncodeSlot(Played(kAussie, 2), 7, &next);
    for (long long cut = 0; cut < static_cast<long long>(kSavedGameBytes); ++cut) {
        platform::headless::FailUserFileWritesAfter(cut);
        ASSERT_EQ(WriteSavedGames(File().string(), next), 0) << cut;
        ASSERT_EQ(fs::file_size(File()), kSavedGameBytes) << "cut at " << cut;
        if (cut % 97 == 0) {
            ASSERT_EQ(FileBytes(File()), before) << "cut at " << cut;
        }
    }
    platform::headless::FailUserFileWritesAfter(-1);
    EXPECT_EQ(FileBytes(File()), before);
    // No half-written files are left beside it.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(File().parent_path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);

    ASSERT_EQ(WriteSavedGames(File().string(), next), 1);
    const std::vector<uint8_t> after = FileBytes(File());
    ASSERT_EQ(after.size(), kSavedGameBytes);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 7 * kSlotBytes, after.begin()))
        << "slots 0..6 byte for byte";
}

TEST_F(SavedGameTest, AFolderThatCannotBeMadeFailsTheSave) {
    WriteBytes(dir.Path() / "blocked", {1});
    SlotBuffer buffer{};
    EXPECT_EQ(WriteSavedGames((dir.Path() / "blocked" / "saved.gam").string(), buffer), 0);
}

TEST(SavedGamePlace, TheFileLivesInThePlayersOwnFolder) {
    const char* keep = std::getenv("TUNEWANDER_SAVE_DIR");
    const std::string kept = keep ? keep : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("TUNEWANDER_SAVE_DIR");
    ::setenv("XDG_DATA_HOME", "/tmp/tw-xdg", 1);
    EXPECT_EQ(SavedGamePath(), "/tmp/tw-xdg/tunewander/saved.gam");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/tmp/tw-home", 1);
    EXPECT_EQ(SavedGamePath(), "/tmp/tw-home/.local/share/tunewander/saved.gam");
    ::setenv("TUNEWANDER_SAVE_DIR", "/tmp/tw-saves", 1);
    EXPECT_EQ(SavedGamePath(), "/tmp/tw-saves/saved.gam");
    ::setenv("HOME", home.c_str(), 1);
    if (keep) ::setenv("TUNEWANDER_SAVE_DIR", kept.c_str(), 1);
    else ::unsetenv("TUNEWANDER_SAVE_DIR");
}

}  // namespace
