#pragma once
// The picture shown while a place loads: a bouncing figure near the centre
// and a runner that crosses the screen as loading progresses. It draws
// straight through the Display, one presented frame per step.
#include <cstdint>

#include "display/display.h"

namespace sprites {

class LoadingAnimation {
public:
    static constexpr int kPhases = 18;
    static constexpr int32_t kBaseLine = 350;

    LoadingAnimation() = default;
    ~LoadingAnimation();
    LoadingAnimation(const LoadingAnimation&) = delete;
    LoadingAnimation& operator=(const LoadingAnimation&) = delete;

    // Clears the screen, shows the palette at once, loads ".\LoadAnim.bmp"
    // and draws the first frame. The runner reaches `target` after `steps`
    // steps.
    int Start(display::Display* display, int32_t steps, int32_t target);
    // Continues towards a new target over a new number of steps.
    int SetProgress(int32_t steps, int32_t target);
    // Advances and draws one frame.
    int Step();

    platform::dd::Surface* surface = nullptr;
    int32_t phase = 0;
    int32_t steps = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t stepSize = 0;
    int32_t target = 0;
    int32_t frameCount = 0;
    platform::RECT frames[12] = {};
    display::Display* display = nullptr;
    platform::RECT previous[3] = {};
    uint32_t lastTime = 0;
};

}  // namespace sprites
