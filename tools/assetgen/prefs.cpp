// "prefs.ini": the start-up preferences, one key and value per line.
#include <cstdio>
#include <string>

#include "assetgen/generators.h"

namespace assetgen {

namespace {

struct Credit {
    const char* name;  // the key without its type letter and X/Y/W/H
};

// The credits screens show nine rectangles, three rows of three across the
// 640 x 480 screen below a title band.
constexpr Credit kCredits[] = {
    {"GraphicsCredit"}, {"AnimateCredit"},   {"GraphPrgCredit"},
    {"AddHelpCredit1"}, {"AddHelpCredit2"},  {"MusicCredit"},
    {"OrigConcCredit"}, {"AudioPrgCredit"},  {"SFXCredit"},
};
constexpr int kCreditW = 200, kCreditH = 120;
constexpr int kCreditLeft = 10, kCreditTop = 60, kCreditStepX = 210, kCreditStepY = 140;

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
    int index = 0;
    for (const Credit& credit : kCredits) {
        const int x = kCreditLeft + (index % 3) * kCreditStepX;
        const int y = kCreditTop + (index / 3) * kCreditStepY;
        std::fprintf(file, "i%sX %d\ni%sY %d\ni%sW %d\ni%sH %d\n", credit.name, x, credit.name, y,
                     credit.name, kCreditW, credit.name, kCreditH);
        ++index;
    }
    const bool ok = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "assetgen: writing %s failed\n", path.c_str());
        return 0;
    }
    return 1;
}

}  // namespace assetgen
