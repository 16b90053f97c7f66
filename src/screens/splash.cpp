#include "screens/splash.h"

#include "display/display.h"
#include "platform/devices.h"

namespace screens {

Splash::~Splash() {
    if (surface_) surface_->Release();
}

int Splash::Show() {
    if (!display_) return 0;
    platform::ShowGameCursor(false);
    display_->GPLoadPalette(kPicture);
    display_->GPFadeReset();
    surface_ = display_->GPLoadBitmap(kPicture, 1, 0);
    shown_ = true;
    if (!surface_) return 0;
    display_->GPBlt(surface_, nullptr, nullptr, nullptr, 0);
    display_->GPPageFlipFadeIn();
    return 1;
}

void Splash::End() {
    if (surface_) {
        surface_->Release();
        surface_ = nullptr;
    }
    if (display_ && shown_) display_->GPPageFlipFadeOut(1);
    shown_ = false;
}

}  // namespace screens
