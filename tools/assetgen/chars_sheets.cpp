#include "assetgen/chars_sheets.h"

#include <cctype>
#include <cstdio>

#include "assetgen/art_bmp_writer.h"
#include "assetgen/chars_figures.h"
#include "assetgen/generators.h"
#include "world/chars/band_tables.h"
#include "world/chars/captive_tables.h"
#include "world/chars/cat_tables.h"
#include "world/chars/dog_tables.h"
#include "world/chars/reward_tables.h"

namespace assetgen {
namespace chars {

using namespace world::chars;

std::vector<SheetToDraw> AllCharacterSheets() {
    std::vector<SheetToDraw> all;
    all.push_back({MakeDogTables(DogLayout::Ordinary).sheet});
    all.push_back({MakeDogTables(DogLayout::Jet).sheet});
    all.push_back({MakeCatTables(CatLayout::Ordinary).sheet});
    all.push_back({MakeCatTables(CatLayout::Balloon).sheet});
    all.push_back({MakeBandTables().sheet});
    for (int land = 0; land < kCaptiveCount; ++land) all.push_back({MakeCaptiveSheet(land)});
    for (int n = 1; n <= kRewardCount; ++n) {
        const RewardTables reward = MakeRewardTables(n);
        SheetToDraw d;
        d.sheet.file = reward.file;
        d.sheet.width = reward.width;
        d.sheet.height = reward.height;
        d.sheet.frames = reward.frames;
        d.key = 0;
        d.ownPalette = true;
        all.push_back(std::move(d));
    }
    return all;
}

Picture DrawSheet(const CharacterSheet& sheet, uint8_t key, int* failures) {
    Picture pic(sheet.width, sheet.height, key);
    int failed = 0;
    for (size_t i = 1; i < sheet.frames.size(); ++i)
        if (!DrawFrame(pic, sheet.frames[i], key)) ++failed;
    if (failures) *failures = failed;
    return pic;
}

std::string DataPath(const std::string& gameName) {
    std::string path = gameName;
    if (path.rfind(".\\", 0) == 0) path.erase(0, 2);
    for (char& c : path) c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
}

}  // namespace chars

int WriteChars(const std::string& dataDir) {
    const world::palette_plan::Palette palette = world::palette_plan::CommonPalette();
    int ok = 1;
    for (const chars::SheetToDraw& d : chars::AllCharacterSheets()) {
        int failures = 0;
        const Picture pic = chars::DrawSheet(d.sheet, d.key, &failures);
        if (failures) {
            std::fprintf(stderr, "assetgen: %s: %d frames of unknown figures\n", d.sheet.file.c_str(), failures);
            ok = 0;
        }
        ok &= WriteBmp8(dataDir + "/" + chars::DataPath(d.sheet.file), pic.width(), pic.height(), pic.pixels(), palette);
    }
    return ok;
}

}  // namespace assetgen
