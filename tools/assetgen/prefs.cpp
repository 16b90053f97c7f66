// "prefs.ini": the start-up preferences, one key and value per line.
#include <cstdio>
#include <string>

#include "assetgen/generators.h"
#include "world/chars/credits_tables.h"

namespace assetgen {

namespace {

// Help screen buttons along the bottom edge: left arrow, cancel, right arrow.
constexpr int kHelpButtonY = 420;
constexpr int kHelpArrowLeftX = 40, kHelpCancelX = 296, kHelpArrowRightX = 552;

}  // namespace

int WritePrefs(const std::string& dataDir) {
    const std::string path = dataDir + "/prefs.ini";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return 0;
    }
    std::fprintf(file, "sFLInsertCDTitle \"Tunewander\"\n");
    std::fprintf(file, "sFLInsertCDText \"Please insert the Tunewander disc and press OK.\"\n");
    std::fprintf(file, "bFLAnimateSplash 1\n");
    std::fprintf(file, "bFLAnimateIn 1\n");
    std::fprintf(file, "iHelpArrowLeftX %d\niHelpArrowLeftY %d\n", kHelpArrowLeftX, kHelpButtonY);
    std::fprintf(file, "iHelpCancelX %d\niHelpCancelY %d\n", kHelpCancelX, kHelpButtonY);
    std::fprintf(file, "iHelpArrowRightX %d\niHelpArrowRightY %d\n", kHelpArrowRightX, kHelpButtonY);
    std::fprintf(file, "iNumOfDistLogos 1\n");
    // The credits' caption rectangles, where their bitmaps are drawn to fit.
    for (int caption = 0; caption < world::chars::kCreditCaptionCount; ++caption) {
        const world::chars::CaptionPlace& place = world::chars::CreditCaptionPlace(caption);
        std::fprintf(file, "i%sX %d\ni%sY %d\ni%sW %d\ni%sH %d\n", place.key, place.x, place.key, place.y,
                     place.key, place.w, place.key, place.h);
    }
    const bool ok = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "assetgen: writing %s failed\n", path.c_str());
        return 0;
    }
    return 1;
}

}  // namespace assetgen
