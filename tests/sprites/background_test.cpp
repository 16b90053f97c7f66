// The tile map: cell lookup, which cells a view shows and where, black for
// empty and outside cells, clipping at the view, and recovery of a lost tile
// set.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/ddraw_emulation.h"
#include "support/sprites_support.h"

using platform::RECT;
using platform::dd::Surface;
using sprites::Background;
namespace emu = platform::dd::emulation;

namespace {

class Tiles : public ::testing::Test, public sprites_support::SpriteTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        // Four 32 x 32 tiles with values 10, 20, 30, 40; cell (c, r) holds
        // tile (c + r) mod 4 on a 25 x 20 map.
        std::vector<uint8_t> rows(128 * 32);
        for (int r = 0; r < 32; ++r)
            for (int c = 0; c < 128; ++c) rows[r * 128 + c] = static_cast<uint8_t>(10 * (c / 32 + 1));
        WriteBitmap("tiles.bmp", 128, 32, rows);
        Surface* set = D().GPLoadBitmap(".\\tiles.bmp", 1, 0);
        ASSERT_NE(set, nullptr);
        ASSERT_EQ(Map().SetTileSet(set, ".\\tiles.bmp", 32, 32), 1);
        std::vector<int32_t> cells(25 * 20);
        for (int c = 0; c < 25; ++c)
            for (int r = 0; r < 20; ++r) cells[c * 20 + r] = (c + r) % 4;
        ASSERT_EQ(Map().SetCells(25, 20, cells), 1);
    }
    Background& Map() { return *W().background; }
    static uint8_t TileValue(int c, int r) { return static_cast<uint8_t>(10 * ((c + r) % 4 + 1)); }
};

TEST_F(Tiles, CellsAreColumnMajorAndOutsideOrUnknownTilesAreEmpty) {
    EXPECT_EQ(Map().tiles[2].rect, (RECT{64, 0, 96, 32}));
    EXPECT_EQ(Map().Cell(1, 2), 3);
    EXPECT_EQ(Map().Cell(-1, 0), -1);
    EXPECT_EQ(Map().Cell(25, 0), -1);
    EXPECT_EQ(Map().Cell(0, 20), -1);
    Map().cells.cells[0] = 4;   // no such tile
    EXPECT_EQ(Map().Cell(0, 0), -1);
    EXPECT_EQ(Map().SetCells(3, 3, std::vector<int32_t>(8)), 0);
}

TEST_F(Tiles, AnUnscrolledViewShowsColumns0To19AndRows0To14) {
    PaintBack(99);
    EXPECT_EQ(Map().Draw(), 1);
    EXPECT_EQ(Back(0, 0), TileValue(0, 0));
    EXPECT_EQ(Back(33, 40), TileValue(1, 1));
    EXPECT_EQ(Back(639, 479), TileValue(19, 14));
    EXPECT_EQ(Back(620, 10), TileValue(19, 0));
}

TEST_F(Tiles, NegativeScrollShowsBlackOutsideTheMapAndCellsClippedAtTheView) {
    Map().scrollX = -120;
    Map().scrollY = -90;
    PaintBack(99);
    EXPECT_EQ(Map().Draw(), 1);
    EXPECT_EQ(Back(0, 0), 0);
    EXPECT_EQ(Back(119, 89), 0);
    EXPECT_EQ(Back(120, 90), TileValue(0, 0));
    EXPECT_EQ(Back(152, 90), TileValue(1, 0));

    // Part of a cell: cell (0, 0) covers screen -5..26 at scroll (5, 7).
    Map().scrollX = 5;
    Map().scrollY = 7;
    EXPECT_EQ(Map().Draw(), 1);
    EXPECT_EQ(Back(26, 24), TileValue(0, 0));
    EXPECT_EQ(Back(27, 24), TileValue(1, 0));
    EXPECT_EQ(Back(26, 25), TileValue(0, 1));
    Map().scrollX = 800 - 600;
    EXPECT_EQ(Map().Draw(), 1);
    EXPECT_EQ(Back(599, 0), TileValue(24, 0));
    EXPECT_EQ(Back(600, 0), 0);
}

TEST_F(Tiles, WithoutAMapTheViewIsBlack) {
    Map().Clear();
    PaintBack(99);
    EXPECT_EQ(Map().Draw(), 1);
    EXPECT_EQ(Back(300, 200), 0);
    EXPECT_EQ(Map().ReloadBackground(1), 1);   // nothing to reload
}

TEST_F(Tiles, ALostTileSetIsRestoredAndReloadedFromItsPath) {
    Map().tileSurface->MarkLost();
    PaintBack(99);
    Debug().Clear();
    EXPECT_EQ(Map().Draw(), 1);
    EXPECT_EQ(Back(639, 479), TileValue(19, 14));
    EXPECT_EQ(Debug().Joined(), "Background surface lost......restored......reloaded.\n");

    Debug().Clear();
    EXPECT_EQ(Map().ReloadBackground(0), 1);
    EXPECT_EQ(Debug().Joined(), "");
    std::strcpy(Map().reloadPath, ".\\gone.bmp");
    EXPECT_EQ(Map().ReloadBackground(1), 0);
    EXPECT_EQ(Debug().Joined(), "Background not lost, forcing Reload......RELOAD FAILED.\n");
}

TEST_F(Tiles, ACellThatCannotBeRestoredIsAbandonedAndDrawingGoesOn) {
    Map().tileSurface->MarkLost();
    emu::FailNext(emu::Op::Restore, platform::dd::DDERR_GENERIC, 1000);
    Traces().Clear();
    EXPECT_EQ(Map().DrawCellsIn(RECT{0, 0, 40, 40}), 0);   // four cells, all failing
    EXPECT_EQ(Debug().Count("...RESTORE FAILED. \n"), 4);
    EXPECT_EQ(Traces().Count("Background: Could not restore surface, abandoning blt."), 0);
    EXPECT_EQ(Map().Draw(), 0);
    EXPECT_GT(Traces().Count("Background: Could not restore surface, abandoning blt."), 0);
    emu::ClearFaults();
}

}  // namespace
