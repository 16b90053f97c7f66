// Palette fades: a state machine stepped once per presented frame, levels in
// 8.8 fixed point (128, a half, is black).
#include <algorithm>

#include "display/display.h"
#include "platform/system.h"

namespace display {

namespace {

constexpr int32_t kBlackLevel = 128;

void SetAll(FadeRgb (&levels)[256], const PaletteEntry* base, bool full) {
    for (int i = 0; i < 256; ++i) {
        levels[i].red = full ? base[i].red * 256 + kBlackLevel : kBlackLevel;
        levels[i].green = full ? base[i].green * 256 + kBlackLevel : kBlackLevel;
        levels[i].blue = full ? base[i].blue * 256 + kBlackLevel : kBlackLevel;
    }
}

}  // namespace

void Display::GPFadeInit() {
    if (bitsPerPixel != 8) {
        DebugTrace(window, 0, "GPFadeInit:display is not 8bit, doing nothing.");
        return;
    }
    if (!fullScreen) {
        DebugTrace(window, 0, "GPFadeInit:display is in window, doing nothing.");
        if (palette) palette->GetEntries(0, 256, basePalette);
        return;
    }
    if (palette) palette->GetEntries(0, 256, basePalette);
    SetAll(fadeLevel, basePalette, false);
    const DWORD steps = fadeSteps ? fadeSteps : 1;
    for (int i = 0; i < 256; ++i) {
        fadeStep[i].red = static_cast<int32_t>((basePalette[i].red * 256u) / steps);
        fadeStep[i].green = static_cast<int32_t>((basePalette[i].green * 256u) / steps);
        fadeStep[i].blue = static_cast<int32_t>((basePalette[i].blue * 256u) / steps);
    }
    fadeState = kFadeIdle;
    fadeCounter = 0;
}

void Display::GPFadeIn() {
    if (!FullScreen8()) return;
    switch (fadeState) {
        case kFadeOut:
        case kFadeIdle:
            fadeState = kFadeIn;
            break;
        case kFadeShown:
            SetAll(fadeLevel, basePalette, false);
            fadeCounter = 0;
            fadeState = kFadeIn;
            break;
        default:
            break;
    }
}

void Display::GPFadeOut() {
    if (!FullScreen8()) return;
    switch (fadeState) {
        case kFadeIn:
        case kFadeShown:
            fadeState = kFadeOut;
            break;
        case kFadeIdle:
            SetAll(fadeLevel, basePalette, true);
            fadeCounter = fadeSteps;
            fadeState = kFadeOut;
            break;
        default:
            break;
    }
}

void Display::GPFadeReset() {
    if (!FullScreen8()) return;
    if (fadeState != kFadeShown && palette) palette->SetEntries(0, 256, basePalette);
    fadeCounter = fadeSteps;
    fadeState = kFadeShown;
}

void Display::GPFadeStep() {
    if (!FullScreen8() || (fadeState != kFadeIn && fadeState != kFadeOut)) return;
    if (fadeState == kFadeOut && fadeCounter == 0) {
        // A fade-out that starts with no steps to undo (a fade-in reversed
        // before its first step) is already black.
        fadeState = kFadeIdle;
        return;
    }
    // Levels stay between black and the base colour, so a fade reversed at
    // its very start cannot overshoot and wrap a colour around.
    auto advance = [this](int32_t& level, int32_t step, uint8_t base) {
        if (fadeState == kFadeIn) {
            level = std::min(level + step, base * 256 + kBlackLevel);
        } else {
            level = std::max(level - step, kBlackLevel);
        }
        return static_cast<uint8_t>(level >> 8);
    };
    for (int i = 0; i < 256; ++i) {
        workPalette[i].red = advance(fadeLevel[i].red, fadeStep[i].red, basePalette[i].red);
        workPalette[i].green = advance(fadeLevel[i].green, fadeStep[i].green, basePalette[i].green);
        workPalette[i].blue = advance(fadeLevel[i].blue, fadeStep[i].blue, basePalette[i].blue);
        workPalette[i].flags = 0;
    }
    if (fadeState == kFadeOut) {
        if (--fadeCounter == 0) fadeState = kFadeIdle;
    } else if (++fadeCounter >= fadeSteps) {
        fadeCounter = fadeSteps;
        fadeState = kFadeShown;
    }
    if (palette) palette->SetEntries(0, 256, workPalette);
}

void Display::GPPageFlipFadeIn() {
    GPFadeIn();
    GPPageFlip();
    GPScroll(0, 0);
    while (FullScreen8() && fadeState != kFadeShown) GPPageFlip();
}

void Display::GPPageFlipFadeOut(int clear) {
    GPFadeOut();
    GPPageFlip();
    GPScroll(0, 0);
    while (FullScreen8() && fadeState != kFadeIdle) GPPageFlip();
    if (clear) GPClear();
}

}  // namespace display
