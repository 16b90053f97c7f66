// The drawn sheets: every frame shows something, nothing lies outside the
// frame rectangles, and the pictures shown in the lands, rooms and den keep
// to the common palette block.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "assetgen/chars_sheets.h"
#include "assetgen/generators.h"
#include "world/chars/poses.h"
#include "world/palette_plan.h"

namespace {

using namespace assetgen;
using namespace world::chars;
namespace plan = world::palette_plan;

class DrawnSheets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sheets_ = new std::vector<chars::SheetToDraw>(chars::AllCharacterSheets());
        pictures_ = new std::vector<Picture>();
        for (const auto& d : *sheets_) pictures_->push_back(chars::DrawSheet(d.sheet, d.key, &failures_));
    }
    static void TearDownTestSuite() {
        delete sheets_;
        delete pictures_;
    }
    static std::vector<chars::SheetToDraw>* sheets_;
    static std::vector<Picture>* pictures_;
    static int failures_;
};
std::vector<chars::SheetToDraw>* DrawnSheets::sheets_ = nullptr;
std::vector<Picture>* DrawnSheets::pictures_ = nullptr;
int DrawnSheets::failures_ = 0;

TEST_F(DrawnSheets, EveryFrameIsDrawnInsideItsRectangleOnly) {
    EXPECT_EQ(failures_, 0);
    ASSERT_EQ(sheets_->size(), 17u);
    for (size_t n = 0; n < sheets_->size(); ++n) {
        const auto& d = (*sheets_)[n];
        const Picture& pic = (*pictures_)[n];
        SCOPED_TRACE(d.sheet.file);
        EXPECT_EQ(pic.width(), d.sheet.width);
        EXPECT_EQ(pic.height(), d.sheet.height);
        std::vector<uint8_t> covered(size_t(pic.width()) * pic.height(), 0);
        for (size_t i = 1; i < d.sheet.frames.size(); ++i) {
            const platform::RECT& r = d.sheet.frames[i].rect;
            int visible = 0, edge = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    covered[size_t(y) * pic.width() + x] = 1;
                    if (pic.At(x, y) == d.key) continue;
                    ++visible;
                    if (x == r.left || y == r.top) ++edge;
                }
            // Something to see, and room left for the outline at the top
            // and left (a figure cut by its rectangle shows there first).
            EXPECT_GT(visible, 6) << "frame " << i;
            EXPECT_LE(edge, (r.right - r.left) / 2) << "frame " << i;
        }
        for (int y = 0; y < pic.height(); ++y)
            for (int x = 0; x < pic.width(); ++x)
                if (!covered[size_t(y) * pic.width() + x]) {
                    ASSERT_EQ(pic.At(x, y), d.key) << x << "," << y;
                }
    }
}

TEST_F(DrawnSheets, PicturesShownInPlacesUseTheCommonBlockOnly) {
    for (size_t n = 0; n < sheets_->size(); ++n) {
        const auto& d = (*sheets_)[n];
        const Picture& pic = (*pictures_)[n];
        SCOPED_TRACE(d.sheet.file);
        for (uint8_t v : pic.pixels()) {
            if (d.ownPalette) {
                // Rewards: black is their key, and no visible pixel may be black.
                ASSERT_TRUE(v == plan::kBlack || v >= plan::kCommonFirst);
            } else {
                ASSERT_TRUE(v == plan::kGreenKey || (v >= plan::kCommonFirst && v <= plan::kCommonLast)) << int(v);
            }
        }
    }
}

TEST_F(DrawnSheets, DrawingIsRepeatable) {
    const Picture again = chars::DrawSheet((*sheets_)[0].sheet, (*sheets_)[0].key);
    EXPECT_EQ(again.pixels(), (*pictures_)[0].pixels());
}

TEST(CharacterFiles, WrittenWhereTheGameLooks) {
    EXPECT_EQ(chars::DataPath(".\\Graphics\\Chars\\reward1.bmp"), "graphics/chars/reward1.bmp");
    const std::filesystem::path dir = std::filesystem::path(TW_BINARY_DIR) / "chars_test_data";
    std::filesystem::remove_all(dir);
    ASSERT_EQ(WriteChars(dir.string()), 1);
    for (const char* name : {"mangopup", "jetdog", "sourpuss", "blooncat", "band", "bullseye", "scratch", "alien",
                             "fifi", "chilledog", "icedog", "reward1", "reward6"}) {
        const std::filesystem::path file = dir / "graphics" / "chars" / (std::string(name) + ".bmp");
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    }
    // The sheet's header carries the table's size.
    FILE* f = std::fopen((dir / "graphics/chars/scratch.bmp").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    uint8_t header[26] = {};
    ASSERT_EQ(std::fread(header, 1, sizeof header, f), sizeof header);
    std::fclose(f);
    EXPECT_EQ(header[18] | header[19] << 8, 420);
    EXPECT_EQ(header[22] | header[23] << 8, 384);
    std::filesystem::remove_all(dir);
}

}  // namespace
