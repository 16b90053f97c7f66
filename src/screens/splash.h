#pragma once
// The maker's mark, shown full screen while the game starts: faded in from
// black and out again.
#include "platform/ddraw.h"

namespace display {
class Display;
}

namespace screens {

class Splash {
public:
    static constexpr const char* kPicture = ".\\graphics\\splash\\kblogo.bmp";

    explicit Splash(display::Display* display) : display_(display) {}
    ~Splash();
    Splash(const Splash&) = delete;
    Splash& operator=(const Splash&) = delete;

    // Hides the cursor, takes the picture's palette and fades the picture
    // in. 1 shown, 0 when the picture could not be loaded (the screen stays
    // dark; the start-up goes on).
    int Show();
    // Fades out to a cleared screen and lets the picture go.
    void End();

private:
    display::Display* display_;
    platform::dd::Surface* surface_ = nullptr;
    bool shown_ = false;
};

}  // namespace screens
