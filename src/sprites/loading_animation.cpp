#include "sprites/loading_animation.h"

#include "platform/clock.h"

namespace sprites {

using platform::RECT;

namespace {

constexpr RECT kFrames[12] = {{0, 0, 0, 0},       {0, 0, 57, 57},      {0, 57, 57, 115},
                              {0, 168, 51, 235},  {51, 168, 91, 235},  {91, 168, 129, 233},
                              {0, 235, 52, 298},  {52, 235, 107, 297}, {107, 235, 168, 291},
                              {0, 298, 31, 310},  {31, 298, 62, 310},  {62, 298, 93, 309}};

constexpr int kBounceFrame[18] = {2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1};
constexpr int kBounceLeft[18] = {288, 290, 288, 291, 288, 290, 288, 290, 288,
                                 290, 288, 289, 288, 290, 288, 290, 288, 290};
constexpr int kBounceTop[18] = {189, 179, 187, 179, 187, 180, 188, 180, 187,
                                179, 187, 181, 187, 180, 187, 179, 187, 179};
constexpr int kBodyFrame[18] = {6, 6, 6, 6, 6, 6, 6, 5, 7, 3, 3, 3, 3, 3, 3, 3, 4, 8};
constexpr int kBodyDx[18] = {-25, -25, -25, -25, -25, -25, -25, -7, -11,
                             -19, -19, -19, -19, -19, -19, -19, -9, -17};
constexpr int kBodyDy[18] = {-56, -56, -56, -56, -56, -56, -56, -56, -51,
                             -55, -55, -55, -55, -55, -55, -55, -55, -47};
constexpr int kFeetFrame[18] = {9, 11, 10, 11, 9, 11, 10, 9, 11, 10, 11, 9, 11, 10, 11, 9, 11, 10};
constexpr int kFeetDx[18] = {-24, -24, -24, -24, -24, -24, -24, -27, -11,
                             -23, -24, -23, -24, -23, -24, -24, -25, -10};
constexpr int kFeetDy[18] = {-57, -57, -58, -57, -57, -57, -58, -57, -52,
                             -57, -57, -56, -57, -57, -57, -56, -57, -52};

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

LoadingAnimation::~LoadingAnimation() {
    if (surface) surface->Release();
}

int LoadingAnimation::Start(display::Display* shownOn, int32_t stepCount, int32_t goal) {
    display = shownOn;
    if (!display) return 0;
    display->GPClear();
    display->GPFadeReset();
    if (surface) surface->Release();
    surface = display->GPLoadBitmap(".\\LoadAnim.bmp", 1, 1);
    if (surface) display->GPSetColorKey(surface, platform::RGB(0, 255, 0));
    frameCount = 11;
    for (int i = 0; i < 12; ++i) frames[i] = kFrames[i];
    x = 0;
    y = kBaseLine;
    steps = stepCount;
    target = goal;
    stepSize = steps != 0 ? target / steps : 0;
    for (RECT& r : previous) r = frames[0];
    lastTime = platform::timeGetTime();
    return Step();
}

int LoadingAnimation::SetProgress(int32_t stepCount, int32_t goal) {
    steps = stepCount;
    target = goal;
    // No steps left means no distance to cover per step (and no division).
    stepSize = steps != 0 ? (target - x) / steps + 1 : 0;
    return 1;
}

int LoadingAnimation::Step() {
    if (!display) return 0;
    const uint32_t now = platform::timeGetTime();
    if (now - lastTime > 100) {
        lastTime = now;
        phase = (phase + 1) % kPhases;
    }
    x += stepSize;

    const int p = phase;
    const RECT& bounce = frames[kBounceFrame[p]];
    const RECT bounceDest{kBounceLeft[p], kBounceTop[p], 288 + Width(bounce), 189 + Height(bounce)};
    const RECT& body = frames[kBodyFrame[p]];
    const int32_t bodyLeft = x + kBodyDx[p], bodyTop = y + kBodyDy[p];
    const RECT bodyDest{bodyLeft, bodyTop, bodyLeft + Width(body), bodyTop + Height(body)};
    const RECT& feet = frames[kFeetFrame[p]];
    const int32_t feetLeft = x + kFeetDx[p], feetTop = y + kFeetDy[p];
    const RECT feetDest{feetLeft, feetTop, feetLeft + Width(feet), feetTop + Height(feet)};

    if (surface) {
        display->GPBlt(surface, &bounce, nullptr, &bounceDest, 1);
        display->GPBlt(surface, &body, nullptr, &bodyDest, 1);
        display->GPBlt(surface, &feet, nullptr, &feetDest, 1);
    }
    const int shown = display->GPPageFlip();

    for (RECT& r : previous) {
        if (r.left < r.right && r.top < r.bottom) display->GPFillBufferIndex(nullptr, &r, 0);
    }
    previous[0] = bodyDest;
    previous[1] = feetDest;
    previous[2] = bounceDest;
    return shown;
}

}  // namespace sprites
