// The generated pictures through the game's own loader: every one loads at
// its size with its pixels in place, and each place's palette makes the
// display's colour matching find black, green and white at their entries.
#include <gtest/gtest.h>

#include "generated_world.h"
#include "platform/files.h"
#include "support/display_support.h"
#include "world/palette_plan.h"

namespace {

using namespace worldart_test;
using display_support::PixelAt;

class GameLoader : public ::testing::Test, public display_support::DisplayTest {
protected:
    void SetUp() override {
        ASSERT_EQ(Start(), 1);
        ASSERT_EQ(platform::SetCurrentDirectory(WorldDir().c_str()), 1);
    }
    void TearDown() override { platform::SetCurrentDirectory(std::filesystem::temp_directory_path().c_str()); }

    // The game's spelling of a data file: ".\" and backslashes.
    static std::string GameName(const std::string& relative) {
        std::string name = ".\\" + relative;
        for (char& c : name)
            if (c == '/') c = '\\';
        return name;
    }
};

TEST_F(GameLoader, LoadsEveryGeneratedPictureAtItsSize) {
    for (const std::string& path : FilesEndingIn(".bmp")) {
        SCOPED_TRACE(path);
        Picture8 file;
        ASSERT_TRUE(ReadPicture(WorldDir() / path, &file));
        platform::dd::Surface* s = D().GPLoadBitmap(GameName(path).c_str(), 1, 1);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Width(), file.Width());
        EXPECT_EQ(s->Height(), file.Height());
        // Corners and the middle, as the display laid them out.
        const int w = file.Width(), h = file.Height();
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2}})
            EXPECT_EQ(PixelAt(s, x, y), file.At(x, y)) << x << ", " << y;
        s->Release();
    }
}

TEST_F(GameLoader, EachPlacePaletteMatchesTheKeyColoursToTheirEntries) {
    namespace plan = world::palette_plan;
    std::vector<std::string> tileSets;
    for (const std::string& path : FilesEndingIn(".bmp"))
        if (path.size() > 9 && path.compare(path.size() - 9, 9, "tiles.bmp") == 0) tileSets.push_back(path);
    ASSERT_EQ(tileSets.size(), 11u) << "six lands, three sub-rooms, the main sub-room and the den";
    for (const std::string& path : tileSets) {
        SCOPED_TRACE(path);
        ASSERT_EQ(D().GPLoadPalette(GameName(path).c_str()), 1);
        EXPECT_EQ(D().GPColorMatch(nullptr, 0x000000), platform::DWORD(plan::kBlack));
        EXPECT_EQ(D().GPColorMatch(nullptr, 0x00FF00), platform::DWORD(plan::kGreenKey));
        EXPECT_EQ(D().GPColorMatch(nullptr, 0xFFFFFF), platform::DWORD(plan::kWhite));
    }
}

}  // namespace
