// The title's pictures load, fit the tables and share one palette; every
// cell a channel draws shows something and every channel stays on screen.
#include <cstring>
#include <set>

#include "titleart/generated_title.h"

namespace {

using namespace titleart_test;
namespace chars = world::chars;

TEST(TitlePictures, LoadWithTheSizesOfTheTables) {
    const auto& t = chars::GetTitleTables();
    const TitlePictures& p = Pictures();
    EXPECT_EQ(p.splash.Width(), t.splashWidth);
    EXPECT_EQ(p.splash.Height(), t.splashHeight);
    EXPECT_EQ(p.letters.Width(), t.lettersWidth);
    EXPECT_EQ(p.letters.Height(), t.lettersHeight);
    EXPECT_EQ(p.mascot.Width(), t.mascotWidth);
    EXPECT_EQ(p.mascot.Height(), t.mascotHeight);
    EXPECT_EQ(p.url.Width(), kUrlRect.right - kUrlRect.left);
    EXPECT_EQ(p.url.Height(), kUrlRect.bottom - kUrlRect.top);
    Picture8 logo;
    ASSERT_TRUE(ReadTitlePicture("kblogo.bmp", &logo));
    EXPECT_EQ(logo.Width(), kScreenW);
    EXPECT_EQ(logo.Height(), kScreenH);
}

TEST(TitlePictures, ShareTheSplashPaletteWithItsKeys) {
    const TitlePictures& p = Pictures();
    // The title loads its palette from the splash picture only.
    EXPECT_EQ(std::memcmp(p.letters.table, p.splash.table, sizeof p.splash.table), 0);
    EXPECT_EQ(std::memcmp(p.mascot.table, p.splash.table, sizeof p.splash.table), 0);
    EXPECT_EQ(std::memcmp(p.url.table, p.splash.table, sizeof p.splash.table), 0);
    EXPECT_LT(p.splashKey, 256) << "no pure green for the band's key";
    // Black is the cleared screen and the key of the lettering and mascot.
    EXPECT_EQ(p.splash.IndexOf(0, 0, 0), 0);
}

TEST(TitlePictures, EveryDrawnCellShowsSomething) {
    const auto& t = chars::GetTitleTables();
    const TitlePictures& p = Pictures();
    for (int c = 0; c < chars::kTitleChannels; ++c) {
        const int key = c >= chars::kBandPictureChannel ? p.splashKey : 0;
        std::set<int> cells(t.channels[size_t(c)].cell.begin(), t.channels[size_t(c)].cell.begin() + chars::kTitleSteps);
        cells.erase(0);
        for (int cell : cells) {
            const platform::RECT r = CellRect(c, cell);
            int visible = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) visible += ChannelPicture(c).At(x, y) != key;
            EXPECT_GE(visible, 12) << "channel " << c << " cell " << cell;
        }
    }
}

}  // namespace
