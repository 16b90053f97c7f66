#pragma once
// The credits, run inside the title menu: eight pages over one background
// picture, each with its figures animated from a sheet of cells (one step
// every 100 ms) and its caption(s); then the closing picture for 3 s, then
// the distributor logos for 5 s each. Any input moves on to the next page or
// logo. The menu calls Tick every tick and flips the picture itself.
//
// A picture that cannot be loaded is left out and the rest still shows: a
// page without its sheet shows the background and its captions for its
// usual time, a missing caption is simply not drawn, a missing background
// (or closing picture or logo) leaves the screen black.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win_types.h"
#include "world/chars/credits_tables.h"

namespace display {
class Display;
}
namespace platform::dd {
class Surface;
}
namespace sprites {
class AnimSequence;
}

namespace screens {

// What the credits take from the preferences: the nine caption rectangles
// (left, top, right, bottom) in the order of world::chars::CreditCaption,
// and how many logos follow the closing picture (0..5).
struct CreditsSettings {
    platform::RECT captions[world::chars::kCreditCaptionCount] = {};
    int logoCount = 0;
};

class CreditsScreen {
public:
    static constexpr uint32_t kStepMs = 100;
    static constexpr uint32_t kClosingMs = 3000;
    static constexpr uint32_t kLogoMs = 5000;
    static constexpr int kPhasePages = 0;
    static constexpr int kPhaseClosing = 1;   // 2..6: logo 1..5

    explicit CreditsScreen(const CreditsSettings& settings);
    ~CreditsScreen();
    CreditsScreen(const CreditsScreen&) = delete;
    CreditsScreen& operator=(const CreditsScreen&) = delete;

    // Loads the palette and the background and clears the screen.
    void Start(display::Display* display);
    // Draws the current page, picture or logo into the back buffer; 1 once
    // the credits are over, else 0.
    int Tick(uint32_t now, bool skip);

    int Phase() const { return phase_; }
    int PagesStarted() const { return pageCounter_; }
    // Step index of the page's first sequence (-1 before the first page).
    int StepIndex() const;

private:
    void StartPage(uint32_t now);
    void ReleasePage();
    void DrawBackground();
    void DrawCell(int cell, int x, int y);
    void DrawPage(uint32_t now);
    int NextPicture(uint32_t now);
    static void Release(platform::dd::Surface*& surface);

    CreditsSettings settings_;
    display::Display* display_ = nullptr;
    platform::dd::Surface* background_ = nullptr;
    platform::dd::Surface* sheet_ = nullptr;
    std::array<platform::dd::Surface*, 2> captions_{};
    std::array<platform::RECT, 2> captionRects_{};
    int pageCounter_ = 0;
    uint32_t lastStep_ = 0;
    std::vector<std::unique_ptr<sprites::AnimSequence>> sequences_;
    std::vector<platform::RECT> cells_;
    uint32_t phaseTimer_ = 0;
    int phase_ = kPhasePages;
};

}  // namespace screens
