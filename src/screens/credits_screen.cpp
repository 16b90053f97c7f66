#include "screens/credits_screen.h"

#include <string>

#include "display/clip_to_screen.h"
#include "display/display.h"
#include "platform/ddraw.h"
#include "sprites/anim_sequence.h"

namespace screens {

namespace {
constexpr int kScreenW = 640, kScreenH = 480;
constexpr platform::COLORREF kWhite = platform::RGB(255, 255, 255);
}  // namespace

CreditsScreen::CreditsScreen(const CreditsSettings& settings) : settings_(settings) {}

CreditsScreen::~CreditsScreen() {
    ReleasePage();
    Release(background_);
}

void CreditsScreen::Release(platform::dd::Surface*& surface) {
    if (surface) surface->Release();
    surface = nullptr;
}

void CreditsScreen::Start(display::Display* display) {
    display_ = display;
    if (!display_) return;
    display_->GPLoadPalette(world::chars::kCreditsBackground);
    Release(background_);
    background_ = display_->GPLoadBitmap(world::chars::kCreditsBackground, 1, 0);
    display_->GPClear();
}

int CreditsScreen::StepIndex() const { return sequences_.empty() ? -1 : sequences_[0]->GetIndex(); }

int CreditsScreen::Tick(uint32_t now, bool skip) {
    if (phase_ == kPhasePages) {
        if (sequences_.empty() || sequences_[0]->IsLast() || skip) {
            if (pageCounter_ < world::chars::kCreditPages) {
                StartPage(now);
            } else {
                ReleasePage();
                if (display_ && background_)
                    display_->GPLoadBitmapIntoSurface(background_, world::chars::kCreditsClosing, kScreenW, kScreenH);
                phaseTimer_ = now + kClosingMs;
                phase_ = kPhaseClosing;
                DrawBackground();
                return 0;
            }
        }
        DrawPage(now);
        return 0;
    }
    // Signed difference: the timer may lie past a wrap of the clock.
    if (static_cast<int32_t>(now - phaseTimer_) <= 0 && !skip) {
        DrawBackground();
        return 0;
    }
    return NextPicture(now);
}

int CreditsScreen::NextPicture(uint32_t now) {
    const int logo = phase_;  // phase k leads to logo k
    if (logo > world::chars::kCreditLogos || settings_.logoCount < logo) return 1;
    phase_ = logo + 1;
    phaseTimer_ = now + kLogoMs;
    if (display_) {
        const std::string file = world::chars::CreditLogoFile(logo);
        display_->GPClear();
        display_->GPLoadPalette(file.c_str());
        if (background_) display_->GPLoadBitmapIntoSurface(background_, file.c_str(), kScreenW, kScreenH);
    }
    DrawBackground();
    return 0;
}

void CreditsScreen::StartPage(uint32_t now) {
    ReleasePage();
    const world::chars::CreditsPage page = world::chars::MakeCreditsPage(pageCounter_);
    ++pageCounter_;
    if (display_) {
        sheet_ = display_->GPLoadBitmap(page.sheetFile.c_str(), 1, 1);
        if (sheet_) display_->GPSetColorKey(sheet_, kWhite);
        for (size_t i = 0; i < captions_.size(); ++i) {
            const int id = page.caption[i];
            if (id < 0 || id >= world::chars::kCreditCaptionCount || page.captionFile[i].empty()) continue;
            captions_[i] = display_->GPLoadBitmap(page.captionFile[i].c_str(), 1, 1);
            if (captions_[i]) display_->GPSetColorKey(captions_[i], kWhite);
            captionRects_[i] = settings_.captions[id];
        }
    }
    for (const world::chars::SheetFrame& cell : page.cells) cells_.push_back(cell.rect);
    for (const world::chars::SeqSteps& steps : page.sequences) sequences_.push_back(world::chars::MakeSequence(steps));
    lastStep_ = now;
}

void CreditsScreen::ReleasePage() {
    Release(sheet_);
    for (auto& caption : captions_) Release(caption);
    captionRects_ = {};
    sequences_.clear();
    cells_.clear();
}

void CreditsScreen::DrawBackground() {
    if (!display_) return;
    if (background_ && display_->GPBlt(background_, nullptr, display_->backBuffer, nullptr, 0)) return;
    display_->GPFillBufferIndex(display_->backBuffer, nullptr, 0);
}

void CreditsScreen::DrawCell(int cell, int x, int y) {
    if (!sheet_ || cell <= 0 || cell >= static_cast<int>(cells_.size())) return;
    platform::RECT src = cells_[static_cast<size_t>(cell)];
    if (src.right <= src.left || src.bottom <= src.top) return;  // the gap before the strip
    platform::RECT dst{x, y, x + (src.right - src.left), y + (src.bottom - src.top)};
    if (!display::ClipToScreen(&src, &dst, kScreenW, kScreenH)) return;
    display_->GPBlt(sheet_, &src, display_->backBuffer, &dst, 1);
}

void CreditsScreen::DrawPage(uint32_t now) {
    DrawBackground();
    if (now - lastStep_ > kStepMs) {
        for (auto& sequence : sequences_) sequence->Set(sprites::AnimSequence::kNext);
        lastStep_ = now;
    }
    if (!display_) return;
    for (const auto& sequence : sequences_) {
        int16_t cell = 0, x = 0, y = 0;
        sequence->Get(&cell, &x, &y);
        DrawCell(cell, x, y);
    }
    for (size_t i = 0; i < captions_.size(); ++i) {
        if (captions_[i]) display_->GPBlt(captions_[i], nullptr, display_->backBuffer, &captionRects_[i], 1);
    }
}

}  // namespace screens
