// Move tests: hit boxes against a group and the map, opaque pixels of other
// sprites read through locks, the margins kept from the map's edges, and the
// pixel gap towards a sprite on the right.
#include <gtest/gtest.h>

#include "display/display.h"
#include "platform/ddraw_emulation.h"
#include "support/sprites_support.h"

using namespace sprites;
using platform::RECT;
namespace emu = platform::dd::emulation;
namespace dd = platform::dd;

namespace {

class Collision : public ::testing::Test, public sprites_support::SpriteTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        W().AddGroup();
        group_ = W().GetGroup(1);
        // A 1280 x 1280 map.
        W().background->SetTileSet(Picture(32, 32, 50), "", 32, 32);
        W().background->SetCells(40, 40, std::vector<int32_t>(1600, 0));
        me_ = Place(100, 100, Frame(10, 10, 5), 1);
    }
    // A picture (keyed on 0) with the given columns transparent, in a frame.
    FrameRecord* Frame(int width, int height, uint8_t value, std::vector<int> clearColumns = {},
                       std::vector<int> clearRows = {}) {
        Surface* s = Picture(width, height, value);
        for (int c : clearColumns)
            for (int r = 0; r < height; ++r) Put(s, c, r, 0);
        for (int r : clearRows)
            for (int c = 0; c < width; ++c) Put(s, c, r, 0);
        group_->AddSurface(s, "");
        auto table = std::make_unique<FrameRecord[]>(1);
        table[0] = FrameRecord{s, RECT{0, 0, width, height}};
        return group_->AddFrameTable(std::move(table));
    }
    Sprite* Place(int x, int y, FrameRecord* frame, int depth) {
        auto* s = new Sprite(&W(), x, y, frame, depth);
        group_->Insert(s);
        return s;
    }
    int Pixels(int32_t* dx, int32_t* dy) {
        group_->BuildDrawList();
        return me_->CollidePixels(group_, dx, dy);
    }
    SpriteGroup* group_ = nullptr;
    Sprite* me_ = nullptr;
};

TEST_F(Collision, BoxesLimitEachAxisByTheFirstBoxInTheSweep) {
    int32_t dx = 0, dy = 0;
    EXPECT_EQ(me_->CollideBoxes(group_, &dx, &dy), 0);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);

    Place(115, 100, Frame(10, 10, 5), 2);    // 5 to the right
    Place(100, 85, Frame(10, 10, 5), 3);     // 5 above
    dx = 8;
    dy = -6;
    EXPECT_EQ(me_->CollideBoxes(group_, &dx, &dy), 1);
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, -5);
}

TEST_F(Collision, BoxesStopAtTheMapEdges) {
    me_->SetPosition(0, 50);
    int32_t dx = -5, dy = 0;
    me_->CollideBoxes(group_, &dx, &dy);
    EXPECT_EQ(dx, 0);
    me_->SetPosition(1275, 1270);
    dx = 9;
    dy = 20;
    me_->CollideBoxes(group_, &dx, &dy);
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, 10);
}

TEST_F(Collision, PixelsLetTheMoverThroughTransparentColumnsUpToTheFirstOpaqueOne) {
    // A gap of 2 between the boxes, then 3 transparent columns.
    Place(112, 100, Frame(20, 10, 5, {0, 1, 2}), 2);
    int32_t dx = 8, dy = 0;
    EXPECT_EQ(Pixels(&dx, &dy), 1);
    EXPECT_EQ(dx, 5);
}

TEST_F(Collision, PixelsWorkVerticallyAndLeftwardsToo) {
    Place(100, 112, Frame(10, 20, 5, {}, {0, 1}), 2);   // below: gap 2, 2 clear rows
    Place(84, 100, Frame(10, 10, 5, {7, 8, 9}), 3);      // left: gap 6, 3 clear columns
    int32_t dx = -12, dy = 9;
    EXPECT_EQ(Pixels(&dx, &dy), 1);
    EXPECT_EQ(dy, 4);
    EXPECT_EQ(dx, -9);
}

TEST_F(Collision, AMoverAlreadyOnOpaquePixelsStepsOneBack) {
    Place(105, 100, Frame(20, 10, 5), 2);
    int32_t dx = 8, dy = 0;
    Debug().Clear();
    EXPECT_EQ(Pixels(&dx, &dy), 0);
    EXPECT_EQ(dx, -1);
    EXPECT_EQ(Debug().Texts(), std::vector<std::string>{"Stuck\n"});

    Place(100, 105, Frame(10, 20, 5), 3);   // overlapping below
    dx = 0;
    dy = 4;
    Debug().Clear();
    EXPECT_EQ(Pixels(&dx, &dy), 0);
    EXPECT_EQ(dy, -1);
    EXPECT_EQ(Debug().Texts(), std::vector<std::string>{"stuck\n"});
}

TEST_F(Collision, PixelsAreReadInTheFrameNotAtTheSurfaceCorner) {
    // The surface's left half is opaque; the frame is its transparent right
    // half with one opaque column at its own column 4.
    Surface* sheet = Picture(20, 10, 5);
    for (int c = 10; c < 20; ++c)
        for (int r = 0; r < 10; ++r) Put(sheet, c, r, c == 14 ? 5 : 0);
    group_->AddSurface(sheet, "");
    FrameRecord frame{sheet, RECT{10, 0, 20, 10}};
    Place(112, 100, &frame, 2);
    int32_t dx = 8, dy = 0;
    EXPECT_EQ(Pixels(&dx, &dy), 1);
    EXPECT_EQ(dx, 6);
}

TEST_F(Collision, CharactersKeepTheirMarginsFromTheMapEdges) {
    me_->SetPosition(25, 100);
    int32_t dx = -10, dy = 0;
    Pixels(&dx, &dy);
    EXPECT_EQ(dx, 5);
    me_->SetPosition(1245, 1265);
    dx = 10;
    dy = 10;
    Pixels(&dx, &dy);
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, 5);
}

TEST_F(Collision, AnUnreadablePictureEndsThePixelTestWithTheMoveUntouched) {
    FrameRecord* frame = Frame(20, 10, 5);
    Place(112, 100, frame, 2);
    frame->surface->SetColorKey(dd::DDCKEY_SRCBLT, nullptr);
    int32_t dx = 8, dy = 3;
    Debug().Clear();
    EXPECT_EQ(Pixels(&dx, &dy), 0);
    EXPECT_EQ(dx, 8);
    EXPECT_EQ(dy, 3);
    EXPECT_EQ(Debug().Texts(), std::vector<std::string>{std::string(" get colorkey failed ") +
                                                        display::Display::GPErrorText(dd::DDERR_NOCOLORKEY)});

    const dd::ColorKey key{0, 0};
    frame->surface->SetColorKey(dd::DDCKEY_SRCBLT, &key);
    emu::FailNext(emu::Op::Lock, dd::DDERR_SURFACEBUSY);
    Debug().Clear();
    EXPECT_EQ(Pixels(&dx, &dy), 0);
    EXPECT_EQ(dx, 8);
    EXPECT_EQ(Debug().Texts(), std::vector<std::string>{std::string(" lock failed ") +
                                                        display::Display::GPErrorText(dd::DDERR_SURFACEBUSY)});
}

TEST_F(Collision, GapToTheRightAddsTheMoversOwnTransparentRightColumns) {
    // Own picture: columns 7..9 transparent; the other box starts 5 to the right.
    me_->frame = Frame(10, 10, 5, {7, 8, 9});
    Sprite* other = Place(115, 102, Frame(10, 4, 5), 2);
    int hit = 7;
    EXPECT_EQ(me_->PixelGapRight(other, 20, &hit), 9);   // 5 + columns 10, 9, 8, 7
    EXPECT_EQ(hit, 1);
    EXPECT_EQ(me_->PixelGapRight(other, 5, &hit), 5);    // the gap is not smaller
    EXPECT_EQ(hit, 0);
    other->SetPosition(115, 110);                        // no shared rows
    EXPECT_EQ(me_->PixelGapRight(other, 20, &hit), 20);
    other->SetPosition(115, 102);
    me_->frame->surface->SetColorKey(dd::DDCKEY_SRCBLT, nullptr);
    EXPECT_EQ(me_->PixelGapRight(other, 20, &hit), 5);
    EXPECT_EQ(hit, 1);
    EXPECT_EQ(Debug().Texts(), std::vector<std::string>{std::string("CheckCollisionPixelsLeft get colorkey failed ") +
                                                        display::Display::GPErrorText(dd::DDERR_NOCOLORKEY)});
    me_->frame = nullptr;
    EXPECT_EQ(me_->PixelGapRight(other, 20, &hit), 5);
    EXPECT_EQ(hit, 1);
}

}  // namespace
