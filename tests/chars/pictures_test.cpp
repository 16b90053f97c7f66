// The drawn sheets: every frame shows something, nothing lies outside the
// frame rectangles, and the pictures shown in the lands, rooms and den keep
// to the common palette block.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "assetgen/chars_figures.h"
#include "assetgen/chars_sheets.h"
#include "assetgen/generators.h"
#include "world/chars/band_tables.h"
#include "world/chars/captive_tables.h"
#include "world/chars/cat_tables.h"
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

namespace {

// The opaque pixels of one frame drawn on its own.
std::vector<uint8_t> Silhouette(const SheetFrame& frame) {
    SheetFrame f = frame;
    f.rect = {0, 0, frame.Width(), frame.Height()};
    Picture p(f.Width(), f.Height(), 1);
    chars::DrawFrame(p, f, 1);
    std::vector<uint8_t> mask(p.pixels().size());
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = p.pixels()[i] != 1;
    return mask;
}

}  // namespace

TEST(MemberShapes, EveryMemberFrameHasItsOwnOutlineNotARecolour) {
    // Each body frame of a captive or den musician, drawn again as each other
    // member in the same pose and rectangle, must cover clearly other pixels.
    std::vector<SheetFrame> frames;
    for (int land = 0; land < kCaptiveCount; ++land)
        for (const SheetFrame& f : MakeCaptiveSheet(land).frames) frames.push_back(f);
    for (const SheetFrame& f : MakeBandTables().sheet.frames) frames.push_back(f);
    int compared = 0;
    for (const SheetFrame& frame : frames) {
        if (frame.pose.figure != kFigMusician || frame.pose.tail != 0 || frame.Width() <= 0) continue;
        std::vector<std::vector<uint8_t>> masks;
        for (int member = 0; member < 6; ++member) {
            SheetFrame as = frame;
            as.pose.variant = static_cast<uint8_t>(member);
            masks.push_back(Silhouette(as));
        }
        for (int a = 0; a < 6; ++a)
            for (int b = a + 1; b < 6; ++b) {
                int both = 0, either = 0;
                for (size_t i = 0; i < masks[size_t(a)].size(); ++i) {
                    both += masks[size_t(a)][i] & masks[size_t(b)][i];
                    either += masks[size_t(a)][i] | masks[size_t(b)][i];
                }
                ASSERT_GT(either, 0);
                EXPECT_LT(both * 100 / either, 88) << "members " << a << " and " << b << " overlap " << both * 100 / either << "%, action " << int(frame.pose.action)
                                                  << " phase " << int(frame.pose.phase);
                ++compared;
            }
    }
    EXPECT_GT(compared, 15 * 50);
}

TEST(CatShapes, StandingWalkingLickingAndArchingAreDifferentShapes) {
    // The cat's poses, all turned the same way, each cover clearly other
    // pixels than the rest: a pose told by its outline, not its colours.
    const CatTables t = MakeCatTables(CatLayout::Ordinary);
    auto find = [&](uint8_t action, int phase) {
        for (const SheetFrame& f : t.sheet.frames)
            if (f.pose.figure == kFigCat && f.pose.facing == 3 && f.pose.action == action && f.pose.phase == phase) return f;
        ADD_FAILURE() << "no cat frame for action " << int(action);
        return SheetFrame{};
    };
    const SheetFrame poses[] = {find(kActStand, 0), find(kActWalk, 1), find(kActLick, 2), find(kActHiss, 2)};
    std::vector<std::vector<uint8_t>> masks;
    for (const SheetFrame& f : poses) {
        ASSERT_EQ(poses[0].Width(), f.Width());
        ASSERT_EQ(poses[0].Height(), f.Height());
        masks.push_back(Silhouette(f));
    }
    for (size_t a = 0; a < masks.size(); ++a)
        for (size_t b = a + 1; b < masks.size(); ++b) {
            int both = 0, either = 0;
            for (size_t i = 0; i < masks[a].size(); ++i) {
                both += masks[a][i] & masks[b][i];
                either += masks[a][i] | masks[b][i];
            }
            ASSERT_GT(either, 0);
            EXPECT_LT(both * 100 / either, 75) << "poses " << a << " and " << b;
        }
}
