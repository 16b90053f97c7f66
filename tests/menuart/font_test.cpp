// The menu lettering: words land centred where they are asked for, which is
// what puts them under the menu's markers.
#include <gtest/gtest.h>

#include "assetgen/menus_font.h"

namespace {

namespace menus = assetgen::menus;

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Box InkBox(const assetgen::Picture& p, uint8_t ink) {
    Box b;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.At(x, y) == ink) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

TEST(MenuFont, CentredCapitalsSitOnTheirCentreAtEveryCellSize) {
    for (int cell : {3, 4, 5, 6}) {
        SCOPED_TRACE(cell);
        assetgen::Picture p(400, 120, 0);
        menus::DrawCentred(p, "HELP ME", 200, 60, cell, 9);
        const Box b = InkBox(p, 9);
        EXPECT_NEAR((b.left + b.right) / 2.0, 200, 2.0);
        EXPECT_NEAR((b.top + b.bottom) / 2.0, 60, 2.0);
        // The strokes reach just past the cells they are drawn on.
        EXPECT_NEAR(b.right - b.left + 1, menus::TextWidth("HELP ME", cell), cell);
        EXPECT_NEAR(b.bottom - b.top + 1, menus::kCapRows * cell, cell);
    }
}

TEST(MenuFont, DescendersHangBelowTheLineAndWidthsFollowTheLetters) {
    assetgen::Picture p(300, 120, 0);
    menus::DrawText(p, "gy", 10, 10, 4, 9);
    EXPECT_GT(InkBox(p, 9).bottom, 10 + menus::kCapRows * 4) << "g and y reach below the capitals";
    EXPECT_LT(menus::TextWidth("ill", 4), menus::TextWidth("mmm", 4)) << "letters are proportional";
    EXPECT_EQ(menus::TextWidth("", 4), 0);
    EXPECT_TRUE(menus::CanWrite("Do you really want to quit? Game 8 (1-2), Yes/No!"));
    EXPECT_FALSE(menus::CanWrite("@"));
}

TEST(MenuFont, AHaloIsDrawnUnderTheWordsNotOverThem) {
    assetgen::Picture p(300, 80, 0);
    menus::DrawCentred(p, "Save", 150, 40, 4, 9, 3, 7);
    const Box ink = InkBox(p, 9), halo = InkBox(p, 7);
    EXPECT_LT(halo.left, ink.left);
    EXPECT_GT(halo.right, ink.right);
    EXPECT_GT(ink.right - ink.left, 40) << "the words are still drawn";
}

}  // namespace
