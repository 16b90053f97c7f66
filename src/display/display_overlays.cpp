// Diagnostic overlays: the frame-rate counter and the information line.
#include <cstdio>
#include <cstring>

#include "display/display.h"
#include "platform/clock.h"
#include "platform/system.h"

namespace display {

using namespace platform::dd;
namespace gdi = platform::gdi;

namespace {

constexpr COLORREF kYellow = platform::RGB(255, 255, 0);
constexpr DWORD kMeasuringPeriodMs = 1000;

}  // namespace

void Display::DrawOverlayText(Surface* surface, const char* text) {
    gdi::HDC dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK) return;
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SelectObject(dc, overlayFont);
    gdi::SetTextColor(dc, kYellow);
    gdi::TextOut(dc, 0, 0, text, static_cast<int>(std::strlen(text)));
    surface->ReleaseDC(dc);
}

int Display::GPToggleFrameRate() {
    DebugTrace(window, 0, "Toggling frameRate...");
    if (showFrameRate) {
        if (frameRateBuffer) {
            frameRateBuffer->Release();
            frameRateBuffer = nullptr;
        }
        DebugTrace(window, 0, "...frameRate buffer destroyed,SUCCESS.\n");
        showFrameRate = false;
        return 1;
    }
    DebugTrace(window, 0, "...turning on frame rate display...");
    DebugTrace(window, 0, "...creating buffer...");
    frameRateBuffer = GPCreateSurface(40, 15, 1, 1);
    if (!frameRateBuffer) return 0;
    DebugTrace(window, 0, "...SUCCESS.\n");
    showFrameRate = true;
    return 1;
}

int Display::GPToggleInfo() {
    DebugTrace(window, 0, "Toggling info...");
    if (showInfo) {
        if (infoBuffer) {
            infoBuffer->Release();
            infoBuffer = nullptr;
        }
        DebugTrace(window, 0, "...info buffer destroyed,SUCCESS.\n");
        showInfo = false;
        return 1;
    }
    DebugTrace(window, 0, "...turning on info display...");
    DebugTrace(window, 0, "...creating buffer...");
    infoBuffer = GPCreateSurface(400, 15, 1, 1);
    if (!infoBuffer) return 0;
    DebugTrace(window, 0, "...SUCCESS.\n");
    showInfo = true;
    return 1;
}

int Display::GPBltFrameRate() {
    ++frameCount;
    const DWORD now = platform::timeGetTime();
    const bool shown = showFrameRate && frameRateBuffer;
    if (now - frameTimer > kMeasuringPeriodMs) {
        frameTimer = now;
        framesPerSecond = frameCount;
        frameCount = 0;
        if (shown) {
            const RECT all{0, 0, 40, 15};
            GPFillBufferIndex(frameRateBuffer, &all, colourKey);
            // Eight characters at most: larger counts are cut.
            std::snprintf(frameRateText, sizeof frameRateText, "%dfps", static_cast<int>(framesPerSecond));
            DrawOverlayText(frameRateBuffer, frameRateText);
        }
    }
    if (shown && backBuffer) {
        const RECT dest{gameRect.left, gameRect.top, gameRect.left + 40, gameRect.top + 15};
        const HRESULT result = BltWithFlags(frameRateBuffer, nullptr, backBuffer, &dest, 1);
        if (result == DDERR_SURFACELOST) {
            DebugTrace(window, 0, "GPBltFrameRate: surface lost, restoring all.");
            GPRestoreAll();
        } else if (result != DD_OK) {
            DebugTrace(window, 0, "GPBltFrameRate:Blt framerate failed, %s.", GPErrorText(result));
        }
    }
    return 1;
}

int Display::GPBltInfo() {
    if (!showInfo || !infoBuffer || !backBuffer) return 1;
    const RECT all{0, 0, 400, 15};
    GPFillBufferIndex(infoBuffer, &all, colourKey);
    std::snprintf(infoText, sizeof infoText, "Front-%dx%d (%dx%d) Back-%dx%d (%dx%d)", frontWidth, frontHeight,
                  frontGameWidth, frontGameHeight, backWidth, backHeight, gameWidth, gameHeight);
    DrawOverlayText(infoBuffer, infoText);
    const RECT dest{gameRect.left, gameRect.bottom - 15, gameRect.left + 400, gameRect.bottom};
    const HRESULT result = BltWithFlags(infoBuffer, nullptr, backBuffer, &dest, 1);
    if (result == DDERR_SURFACELOST) {
        DebugTrace(window, 0, "GPBltInfo: surface lost, restoring all.");
        GPRestoreAll();
    } else if (result != DD_OK) {
        DebugTrace(window, 0, "GPBltInfo:Blt failed, %s.", GPErrorText(result));
    }
    return 1;
}

}  // namespace display
