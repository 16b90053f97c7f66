// Writes the menu pictures for review into <build>/menuart: each page at
// full size with its markers placed by the menu's rules (pages/*.png), and
// all of them on one contact sheet (contact_sheet.png).
#include <gtest/gtest.h>

#include <filesystem>

#include "assetgen/menus_layout.h"
#include "assetgen/menus_palette.h"
#include "generated_menus.h"
#include "platform/video_out.h"

namespace {

using namespace menuart_test;
namespace menus = assetgen::menus;

// A page with sprites drawn over it as the menu would.
struct Shown {
    std::string page;
    std::vector<std::tuple<std::string, int, int>> sprites;  // name, left, top
};

std::vector<uint8_t> Compose(const Shown& shown) {
    Picture8 page = Load(shown.page);
    for (const auto& [name, left, top] : shown.sprites) {
        const Picture8 s = Load(name);
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x) {
                const int px = left + x, py = top + y;
                if (s.At(x, y) != menus::kKey && px >= 0 && py >= 0 && px < page.Width() && py < page.Height())
                    page.pixels[size_t(py) * size_t(page.Width()) + size_t(px)] = s.At(x, y);
            }
    }
    return page.pixels;
}

TEST(ContactSheet, WritesEveryPageWithItsMarkersPlaced) {
    const int mw = menus::kSmallMarkerW, mh = menus::kSmallMarkerH, bw = menus::kLargeMarkerW,
              bh = menus::kLargeMarkerH, ew = menus::kEmptyW, eh = menus::kEmptyH, kw = menus::kKnobW,
              kh = menus::kKnobH;
    const auto small = [&](int y) { return std::make_tuple(std::string("weered2.bmp"), 320 - mw / 2, y - mh / 2); };
    std::vector<Shown> shown = {
        {"mainopts2.bmp", {small(menus::ListLineY(0))}},
        {"gameopts.bmp", {small(menus::ListLineY(4))}},
        {"load.bmp",
         {{"bigred2.bmp", 320 - bw / 2, menus::SlotY(2) - bh / 2},
          {"empty.bmp", 320 - ew / 2, menus::SlotY(5) - eh / 2},
          {"empty.bmp", 320 - ew / 2, menus::SlotY(6) - eh / 2},
          {"empty.bmp", 320 - ew / 2, menus::SlotY(7) - eh / 2}}},
        {"save.bmp", {small(menus::kSlotCancelY), {"empty.bmp", 320 - ew / 2, menus::SlotY(7) - eh / 2}}},
        {"volume.bmp",
         {small(menus::VolumeItemY(1)),
          {"volnob.bmp", menus::kFaderLeft - kw / 2, menus::FaderY(0) - kh / 2},
          {"volnob.bmp", menus::kFaderLeft - kw / 2 + menus::kFaderTravel / 2, menus::FaderY(1) - kh / 2},
          {"volnob.bmp", menus::kFaderLeft - kw / 2 + menus::kFaderTravel, menus::FaderY(2) - kh / 2}}},
        {"sure.bmp", {{"weered2.bmp", 320 - mw / 2, 220}}},
        {"replace.bmp", {{"weered2.bmp", 320 - mw / 2, 310 + 45}}},
    };
    const char* buttons[3] = {"arrowl.bmp", "cancel.bmp", "arrowr.bmp"};
    for (size_t i = 0; i < HelpNames().size(); ++i)
        shown.push_back({HelpNames()[i], {{buttons[i % 3], menus::kHelpButtonX[i % 3], menus::kHelpButtonY}}});

    const Picture8 main = Load("mainopts2.bmp");
    const auto rgb = [&](uint8_t v, uint8_t* out) {
        out[0] = main.table[v * 4 + 2];
        out[1] = main.table[v * 4 + 1];
        out[2] = main.table[v * 4];
    };
    const auto dir = std::filesystem::path(TW_BINARY_DIR) / "menuart";
    std::filesystem::create_directories(dir / "pages");
    // The sheet: four half-size pages a row.
    constexpr int kCols = 4, kW = menus::kScreenW / 2, kH = menus::kScreenH / 2, kGap = 8;
    const int rows = int((shown.size() + kCols - 1) / kCols);
    platform::Screenshot sheet;
    sheet.width = kCols * (kW + kGap) + kGap;
    sheet.height = rows * (kH + kGap) + kGap;
    sheet.rgb.assign(size_t(sheet.width) * size_t(sheet.height) * 3, 40);
    for (size_t i = 0; i < shown.size(); ++i) {
        const std::vector<uint8_t> pixels = Compose(shown[i]);
        platform::Screenshot full;
        full.width = menus::kScreenW;
        full.height = menus::kScreenH;
        full.rgb.resize(pixels.size() * 3);
        for (size_t p = 0; p < pixels.size(); ++p) rgb(pixels[p], &full.rgb[p * 3]);
        const std::string stem = shown[i].page.substr(0, shown[i].page.size() - 4);
        EXPECT_EQ(platform::WritePng(full, (dir / "pages" / (stem + ".png")).string()), 1);
        const int ox = kGap + int(i % kCols) * (kW + kGap), oy = kGap + int(i / kCols) * (kH + kGap);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                rgb(pixels[size_t(2 * y) * menus::kScreenW + size_t(2 * x)],
                    &sheet.rgb[(size_t(oy + y) * size_t(sheet.width) + size_t(ox + x)) * 3]);
    }
    EXPECT_EQ(platform::WritePng(sheet, (dir / "contact_sheet.png").string()), 1);
    std::printf("menu pictures for review: %s\n", dir.c_str());
}

}  // namespace
