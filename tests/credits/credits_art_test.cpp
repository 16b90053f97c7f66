// The credits' tables and their generated pictures: the page shapes the
// running order relies on, every sheet holding its cells with something
// drawn in each, figures that move from cell to cell, and one palette for
// everything drawn over the background.
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "credits_fixture.h"
#include "platform/ddraw.h"

namespace {

using credits_test::CreditsTest;
using credits_test::DataDir;
using namespace world::chars;

using CreditsArt = CreditsTest;

std::string HostPath(const std::string& gameName) {
    std::string path = gameName.substr(2);
    for (char& c : path) c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return DataDir() + "/" + path;
}

std::vector<uint8_t> ColourTable(const std::string& gameName) {
    std::ifstream in(HostPath(gameName), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.size() >= 54 + 1024 ? std::vector<uint8_t>(bytes.begin() + 54, bytes.begin() + 54 + 1024)
                                     : std::vector<uint8_t>{};
}

TEST(CreditsTables, PagesHaveTheirCellAndStepCountsAndStayOnTheScreen) {
    for (int n = 0; n < kCreditPages; ++n) {
        const CreditsPage page = MakeCreditsPage(n);
        EXPECT_EQ(static_cast<int>(page.cells.size()), kCreditCells[static_cast<size_t>(n)]) << "page " << n + 1;
        int used = 0;
        for (const SeqSteps& seq : page.sequences) {
            ASSERT_EQ(static_cast<int>(seq.size()), kCreditSteps[static_cast<size_t>(n)]) << "page " << n + 1;
            for (const SeqStep& s : seq) {
                ASSERT_LT(s.frame, page.cells.size());
                const SheetFrame& cell = page.cells[s.frame];
                if (cell.Width() <= 0) continue;
                ++used;
                EXPECT_GE(s.dx, 0);
                EXPECT_GE(s.dy, 0);
                EXPECT_LE(s.dx + cell.Width(), 640) << "page " << n + 1 << " cell " << s.frame;
                EXPECT_LE(s.dy + cell.Height(), 480) << "page " << n + 1 << " cell " << s.frame;
            }
        }
        EXPECT_GT(used, 0);
        // The page's caption rectangle(s) fit the screen as well.
        for (int id : page.caption) {
            if (id < 0) continue;
            const CaptionPlace& place = CreditCaptionPlace(id);
            EXPECT_LE(place.x + place.w, 640);
            EXPECT_LE(place.y + place.h, 480);
        }
    }
    // Page 4 has two captions, the others one.
    for (int n = 0; n < kCreditPages; ++n) EXPECT_EQ(MakeCreditsPage(n).caption[1] >= 0, n == 3) << "page " << n + 1;
}

TEST_F(CreditsArt, EverySheetHoldsItsCellsAndEachCellShowsSomething) {
    for (int n = 0; n < kCreditPages; ++n) {
        const CreditsPage page = MakeCreditsPage(n);
        platform::dd::Surface* sheet = D().GPLoadBitmap(page.sheetFile.c_str(), 1, 0);
        ASSERT_NE(sheet, nullptr) << page.sheetFile;
        std::set<int> shown;
        for (const SeqSteps& seq : page.sequences)
            for (const SeqStep& s : seq) shown.insert(s.frame);
        for (size_t i = 1; i < page.cells.size(); ++i) {
            const platform::RECT& r = page.cells[i].rect;
            if (r.right <= r.left) continue;  // the gap before the strip
            EXPECT_TRUE(shown.count(static_cast<int>(i))) << page.sheetFile << " cell " << i << " is never shown";
            ASSERT_LE(r.right, sheet->Width()) << page.sheetFile << " cell " << i;
            ASSERT_LE(r.bottom, sheet->Height()) << page.sheetFile << " cell " << i;
            int visible = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) visible += display_support::PixelAt(sheet, x, y) != 255;
            const int area = (r.right - r.left) * (r.bottom - r.top);
            EXPECT_GT(visible, area / 25) << page.sheetFile << " cell " << i;
        }
        sheet->Release();
    }
}

TEST_F(CreditsArt, FiguresChangeFromCellToCell) {
    for (int n = 0; n < kCreditPages; ++n) {
        const CreditsPage page = MakeCreditsPage(n);
        platform::dd::Surface* sheet = D().GPLoadBitmap(page.sheetFile.c_str(), 1, 0);
        ASSERT_NE(sheet, nullptr);
        for (size_t i = 2; i < page.cells.size(); ++i) {
            const SheetFrame& a = page.cells[i - 1];
            const SheetFrame& b = page.cells[i];
            if (a.pose.figure == kCrewProp || b.pose.figure == kCrewProp || a.rect.top != b.rect.top) continue;
            if (a.Width() <= 0 || b.Width() <= 0) continue;
            int differ = 0;
            for (int y = 0; y < std::min(a.Height(), b.Height()); ++y)
                for (int x = 0; x < std::min(a.Width(), b.Width()); ++x)
                    differ += display_support::PixelAt(sheet, a.rect.left + x, a.rect.top + y) !=
                              display_support::PixelAt(sheet, b.rect.left + x, b.rect.top + y);
            EXPECT_GT(differ, 30) << page.sheetFile << " cells " << i - 1 << " and " << i << " look the same";
        }
        sheet->Release();
    }
}

TEST_F(CreditsArt, CaptionsFitTheirRectanglesAndShareTheBackgroundsPalette) {
    const std::vector<uint8_t> palette = ColourTable(kCreditsBackground);
    ASSERT_EQ(palette.size(), 1024u);
    // Entry 255 is white, the key of the sheets and captions.
    EXPECT_TRUE(palette[1020] == 255 && palette[1021] == 255 && palette[1022] == 255);
    std::vector<std::string> shared = {kCreditsClosing};
    for (int n = 0; n < kCreditPages; ++n) shared.push_back(MakeCreditsPage(n).sheetFile);
    for (int id = 0; id < kCreditCaptionCount; ++id) {
        const CaptionPlace& place = CreditCaptionPlace(id);
        shared.push_back(place.file);
        platform::dd::Surface* caption = D().GPLoadBitmap(place.file, 1, 0);
        ASSERT_NE(caption, nullptr) << place.file;
        EXPECT_EQ(caption->Width(), place.w) << place.file;
        EXPECT_EQ(caption->Height(), place.h) << place.file;
        caption->Release();
    }
    for (const std::string& file : shared) EXPECT_EQ(ColourTable(file), palette) << file;
    for (int logo = 1; logo <= kCreditLogos; ++logo) {
        platform::dd::Surface* picture = D().GPLoadBitmap(CreditLogoFile(logo).c_str(), 1, 0);
        ASSERT_NE(picture, nullptr) << logo;
        EXPECT_EQ(picture->Width(), 640);
        EXPECT_EQ(picture->Height(), 480);
        picture->Release();
    }
}

}  // namespace
