// Where the game is drawn: back-buffer and front-buffer game rectangles, the
// border around them, its painting and the game clipper.
#include <algorithm>

#include "display/display.h"
#include "display/window_frame.h"
#include "platform/messages.h"
#include "platform/system.h"

namespace display {

using namespace platform::dd;

namespace {

RECT Centred(int outerWidth, int outerHeight, int width, int height, int offsetX = 0, int offsetY = 0) {
    const int left = (outerWidth - width) / 2, top = (outerHeight - height) / 2;
    return RECT{offsetX + left, offsetY + top, offsetX + left + width, offsetY + top + height};
}

}  // namespace

int Display::GPSetGameRects() {
    DebugTrace(window, 0, "Setting Game Rectangles....");
    if (!stretch) {
        backWidth = requiredWidth;
        backHeight = requiredHeight;
    }
    if (fullScreen && !stretch) {
        frontGameWidth = frontWidth - 2 * borderX;
        frontGameHeight = frontHeight - 2 * borderY;
        frontGameRect = Centred(frontWidth, frontHeight, frontGameWidth, frontGameHeight);
    } else {
        frontGameWidth = frontWidth;
        frontGameHeight = frontHeight;
        frontGameRect = displayRect;
    }
    backRect = RECT{0, 0, backWidth, backHeight};
    gameWidth = backWidth - 2 * borderX;
    gameHeight = backHeight - 2 * borderY;
    gameRect = Centred(backWidth, backHeight, gameWidth, gameHeight);
    DebugTrace(window, 0, "...backbuffer size:       %dx%d...", backWidth, backHeight);
    DebugTrace(window, 0, "...backbuffer rect:       [%d,%d,%d,%d]...", backRect.left, backRect.top,
               backRect.right, backRect.bottom);
    DebugTrace(window, 0, "...backbuffer game size:  %dx%d...", gameWidth, gameHeight);
    DebugTrace(window, 0, "...backbuffer game rect:  [%d,%d,%d,%d]...", gameRect.left, gameRect.top,
               gameRect.right, gameRect.bottom);
    DebugTrace(window, 0, "...frontbuffer game size: %dx%d...", frontGameWidth, frontGameHeight);
    DebugTrace(window, 0, "...frontbuffer game rect: [%d,%d,%d,%d]...", frontGameRect.left,
               frontGameRect.top, frontGameRect.right, frontGameRect.bottom);
    DebugTrace(window, 0, "SUCCESS.");
    return 1;
}

int Display::GPBorderChange(int dx, int dy) {
    DebugTrace(window, 0, "Changing border size from %dx%d to %dx%d...", borderX, borderY, borderX + dx,
               borderY + dy);
    if (!directDraw2 || !backBuffer) {
        DebugTrace(window, 0, "Create game clipper FAILED, %s.\n", GPErrorText(DDERR_INVALIDOBJECT));
        return 0;
    }
    HRESULT result;
    if (!gameClipper) {
        result = directDraw2->CreateClipper(0, &gameClipper);
        if (result != DD_OK) {
            DebugTrace(window, 0, "Create game clipper FAILED, %s.\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...game clipper created successfully...");
    }
    result = backBuffer->SetClipper(nullptr);
    if (result != DD_OK && result != DDERR_NOCLIPPERATTACHED) {
        DebugTrace(window, 0, "FAILED, cant remove current game clipper, %s.\n", GPErrorText(result));
        return 0;
    }
    DebugTrace(window, 0, "...game clipper removed...");

    borderX = std::clamp(borderX + dx, 0, std::max(0, backWidth / 2));
    borderY = std::clamp(borderY + dy, 0, std::max(0, backHeight / 2));
    GPSetGameRects();

    if (!fullScreen && !stretch && window) {
        const int ex = (gameWidth - frontWidth) / 2, ey = (gameHeight - frontHeight) / 2;
        RECT frame;
        if (platform::GetWindowRect(window, &frame)) {
            const int width = frame.right - frame.left + 2 * ex + (frontWidth % 2 != 0 ? 1 : 0);
            const int height = frame.bottom - frame.top + 2 * ey + (frontHeight % 2 != 0 ? 1 : 0);
            platform::MoveWindow(window, frame.left - ex, frame.top - ey, width, height);
        }
    }

    if (fullScreen && borderX != 0 && borderY != 0 && !(dx < 0 && dy < 0)) PaintBorder(dx, dy);

    return InstallGameClipper();
}

int Display::PaintBorder(int, int) {
    const bool savedFrameRate = showFrameRate, savedInfo = showInfo, savedPalette = showPalette;
    showFrameRate = showInfo = showPalette = false;
    DebugTrace(window, 0, "...attempting to create vid mem surface...");
    Surface* border = GPCreateSurface(backWidth, backHeight, 0, 0);
    if (!border) {
        DebugTrace(window, 0, "...trying sys mem one...");
        border = GPCreateSurface(backWidth, backHeight, 1, 0);
    }
    if (!border) {
        DebugTrace(window, 0, "...could not create surface, reverting to color fill...");
    } else {
        DebugTrace(window, 0, "...attempting to load bitmap...");
        if (!GPLoadBitmapIntoSurface(border, borderBitmap, 0, 0)) {
            DebugTrace(window, 0, "...could not load bitmap, reverting to color fill...");
            border->Release();
            border = nullptr;
        } else {
            DebugTrace(window, 0, "...loaded bitmap, successfully...");
        }
    }
    gameRect.left = std::clamp<int>(gameRect.left, 0, frontWidth / 2);
    gameRect.top = std::clamp<int>(gameRect.top, 0, frontHeight / 2);
    gameRect.right = std::clamp<int>(gameRect.right, frontWidth / 2 + 1, std::max(frontWidth, frontWidth / 2 + 1));
    gameRect.bottom = std::clamp<int>(gameRect.bottom, frontHeight / 2 + 1,
                                      std::max(frontHeight, frontHeight / 2 + 1));
    const RECT strips[4] = {
        {backRect.left, backRect.top, backRect.right, gameRect.top},
        {backRect.left, gameRect.bottom, backRect.right, backRect.bottom},
        {backRect.left, gameRect.top, gameRect.left, gameRect.bottom},
        {gameRect.right, gameRect.top, backRect.right, gameRect.bottom},
    };
    for (DWORD pass = 0; pass < bufferCount + 1; ++pass) {
        for (const RECT& strip : strips) {
            if (strip.left >= strip.right || strip.top >= strip.bottom) continue;
            if (border) {
                HRESULT result = backBuffer->BltFast(strip.left, strip.top, border, &strip, DDBLTFAST_WAIT);
                if (result != DD_OK) DebugTrace(window, 0, "...bltfast error, %s...\n", GPErrorText(result));
            } else {
                GPFillBufferRGB(backBuffer, &strip, platform::RGB(0, 0, 0));
            }
        }
        GPPageFlip();
    }
    if (border) border->Release();
    showFrameRate = savedFrameRate;
    showInfo = savedInfo;
    showPalette = savedPalette;
    return 1;
}

int Display::InstallGameClipper() {
    const RECT clip = stretch ? backRect : gameRect;
    platform::gdi::HRGN region = platform::gdi::CreateRectRgnIndirect(&clip);
    if (!region) {
        DebugTrace(window, 0, "FAILED, could not create game rect region.\n");
        return 0;
    }
    const DWORD size = platform::gdi::GetRegionData(region, 0, nullptr);
    DebugTrace(window, 0, "...need %ld bytes for RGNDATA...", static_cast<long>(size));
    platform::gdi::RegionData data;
    platform::gdi::GetRegionData(region, size, &data);
    HRESULT result = gameClipper->SetClipList(data.rects, 0);
    platform::gdi::DeleteRegion(region);
    if (result != DD_OK) {
        DebugTrace(window, 0, "FAILED, cant set game clipper to game rect, %s.\n", GPErrorText(result));
        return 0;
    }
    DebugTrace(window, 0, "...game clipper set to gamerect...");
    result = backBuffer->SetClipper(gameClipper);
    if (result != DD_OK) {
        DebugTrace(window, 0, "FAILED, cant attach game clipper to back buffer, %s.\n", GPErrorText(result));
        return 0;
    }
    DebugTrace(window, 0, "...game clipper attached to back buffer...");
    DebugTrace(window, 0, "BorderChange SUCCESS.\n");
    return 1;
}

}  // namespace display
