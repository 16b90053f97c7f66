// Recovering lost surfaces.
#include "display/display.h"
#include "platform/system.h"

namespace display {

using namespace platform::dd;

namespace {

struct RestoreTexts {
    const char* lost;
    const char* restored;
    const char* failed;
    const char* notLost;
};

constexpr RestoreTexts kFront{"...front buffer lost, attempting restore...", "...front buffer restored SUCCESSFULLY...",
                              "Front buffer restore FAILED, %s.", "...front buffer not lost..."};
constexpr RestoreTexts kBack{"...back buffer lost, attempting restore...", "...back buffer restored SUCCESSFULLY...",
                             "Back buffer restore FAILED, %s.", "...back buffer not lost..."};
constexpr RestoreTexts kStretch{"...stretch buffer lost, attempting restore...",
                                "...stretch buffer restored SUCCESSFULLY...", "Stretch buffer restore FAILED, %s.",
                                "...stretch buffer not lost..."};
constexpr RestoreTexts kInfo{"...info buffer lost, attempting restore...", "...info buffer restored SUCCESSFULLY...",
                             "Info buffer restore FAILED, %s.", "...info buffer not lost..."};
constexpr RestoreTexts kFrameRate{"...frame rate buffer lost, attempting restore...",
                                  "...frame rate buffer restored SUCCESSFULLY...",
                                  "Frame rate buffer restore FAILED, %s.", "...frame rate buffer not lost..."};

enum class Outcome { NotLost, Restored, Failed };

Outcome RestoreOne(HWND window, Surface* surface, const RestoreTexts& texts) {
    if (surface->IsLost() != DDERR_SURFACELOST) {
        DebugTrace(window, 0, "%s", texts.notLost);
        return Outcome::NotLost;
    }
    DebugTrace(window, 0, "%s", texts.lost);
    const HRESULT result = surface->Restore();
    if (result != DD_OK) {
        DebugTrace(window, 0, texts.failed, Display::GPErrorText(result));
        return Outcome::Failed;
    }
    DebugTrace(window, 0, "%s", texts.restored);
    return Outcome::Restored;
}

}  // namespace

int Display::GPRestoreAll() {
    DebugTrace(window, 0, "Attempting to restore display surfaces... ");
    bool chainRestored = false;
    const std::pair<Surface*, const RestoreTexts*> surfaces[] = {
        {frontBuffer, &kFront}, {backBuffer, &kBack}, {stretchBuffer, &kStretch},
        {infoBuffer, &kInfo},   {frameRateBuffer, &kFrameRate}};
    for (const auto& [surface, texts] : surfaces) {
        if (!surface) continue;
        const Outcome outcome = RestoreOne(window, surface, *texts);
        if (outcome == Outcome::Failed) return 0;
        if (outcome == Outcome::Restored && (surface == frontBuffer || surface == backBuffer)) {
            chainRestored = true;
        }
    }
    DebugTrace(window, 0, "RestoreAll complete, SUCCESS.");
    if (chainRestored) GPBorderChange(0, 0);
    return 1;
}

}  // namespace display
