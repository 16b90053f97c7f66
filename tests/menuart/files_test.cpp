// The menu files themselves: present, readable by the game, 8-bit, one
// palette, the right sizes, and keyed where they are drawn over a page.
#include <gtest/gtest.h>

#include <cstring>

#include "assetgen/menus_art.h"
#include "assetgen/menus_palette.h"
#include "generated_menus.h"

namespace {

using namespace menuart_test;
namespace menus = assetgen::menus;

TEST(MenuFiles, EveryPageIsAFullScreenPictureWithMainopts2sPalette) {
    const Picture8 main = Load("mainopts2.bmp");
    // Black, the key green and white each appear once, at 0, 1 and 255.
    int black = 0, green = 0, white = 0;
    for (int i = 0; i < 256; ++i) {
        const uint8_t* c = main.table + 4 * i;
        black += c[0] == 0 && c[1] == 0 && c[2] == 0;
        green += c[0] == 0 && c[1] == 255 && c[2] == 0;
        white += c[0] == 255 && c[1] == 255 && c[2] == 255;
    }
    EXPECT_EQ(black, 1);
    EXPECT_EQ(green, 1);
    EXPECT_EQ(white, 1);
    EXPECT_EQ(main.table[4 + 1], 255) << "entry 1 is the key green";
    for (const std::string& name : PageNames()) {
        SCOPED_TRACE(name);
        Picture8 p;
        ASSERT_TRUE(ReadMenuPicture(name, &p));
        EXPECT_EQ(p.headers.biBitCount, 8);
        EXPECT_EQ(p.Width(), menus::kScreenW);
        EXPECT_EQ(p.Height(), menus::kScreenH);
        EXPECT_EQ(std::memcmp(p.table, main.table, sizeof p.table), 0) << "shown with mainopts2's palette";
        // Pages are opaque: neither key colour nor the display's black.
        int keyed = 0;
        for (uint8_t v : p.pixels) keyed += v == menus::kKey || v == 0;
        EXPECT_EQ(keyed, 0);
    }
}

TEST(MenuFiles, SpritesHaveTheirSizesAndAreKeyedAroundAFilledShape) {
    const Picture8 main = Load("mainopts2.bmp");
    const struct {
        const char* name;
        int w, h;
    } sizes[] = {{"weered2.bmp", menus::kSmallMarkerW, menus::kSmallMarkerH},
                 {"bigred2.bmp", menus::kLargeMarkerW, menus::kLargeMarkerH},
                 {"volnob.bmp", menus::kKnobW, menus::kKnobH},
                 {"empty.bmp", menus::kEmptyW, menus::kEmptyH},
                 {"arrowl.bmp", menus::kButtonW, menus::kButtonH},
                 {"cancel.bmp", menus::kButtonW, menus::kButtonH},
                 {"arrowr.bmp", menus::kButtonW, menus::kButtonH}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.name);
        Picture8 p;
        ASSERT_TRUE(ReadMenuPicture(s.name, &p));
        EXPECT_EQ(p.Width(), s.w);
        EXPECT_EQ(p.Height(), s.h);
        EXPECT_EQ(std::memcmp(p.table, main.table, sizeof p.table), 0);
        // Rounded corners are see-through; the shape itself never uses black.
        EXPECT_EQ(p.At(0, 0), menus::kKey);
        EXPECT_EQ(p.At(s.w - 1, s.h - 1), menus::kKey);
        int shape = 0, black = 0;
        for (uint8_t v : p.pixels) {
            shape += v != menus::kKey;
            black += v == 0;
        }
        EXPECT_GT(shape, s.w * s.h / 8);
        EXPECT_EQ(black, 0);
    }
    // The markers are frames: their middle shows the page's words.
    for (const char* frame : {"weered2.bmp", "bigred2.bmp"}) {
        const Picture8 p = Load(frame);
        EXPECT_EQ(p.At(p.Width() / 2, p.Height() / 2), menus::kKey) << frame;
    }
    // The empty mark is solid, so it hides a slot's words.
    const Picture8 empty = Load("empty.bmp");
    for (int x = 12; x < empty.Width() - 12; ++x)
        for (int y = 3; y < empty.Height() - 3; ++y) ASSERT_NE(empty.At(x, y), menus::kKey) << x << "," << y;
}

TEST(MenuFiles, DrawingIsRepeatable) {
    const auto a = menus::DrawAllMenuPictures(), b = menus::DrawAllMenuPictures();
    ASSERT_EQ(a.size(), PageNames().size() + SpriteNames().size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].picture.pixels(), b[i].picture.pixels()) << a[i].name;
}

}  // namespace
