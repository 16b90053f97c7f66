// Fills, blits, clearing, scrolling, stretching and presenting a frame.
#include "display/display.h"
#include "platform/system.h"

namespace display {

using namespace platform::dd;

int Display::GPFillBufferRGB(Surface* surface, const RECT* rect, COLORREF colour) {
    if (!surface) surface = backBuffer;
    if (!surface) return 0;
    BltFx fx;
    fx.fillColor = GPColorMatch(backBuffer, colour);
    const HRESULT result = surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    if (result == DD_OK) return 1;
    if (result == DDERR_SURFACELOST) {
        DebugTrace(window, 0, "GPFillBufferRGB: surface lost, restoring all.");
        GPRestoreAll();
    } else {
        DebugTrace(window, 0, "GPFillBufferRGB:Fill failed, error=%s", GPErrorText(result));
    }
    return 0;
}

int Display::GPFillBufferIndex(Surface* surface, const RECT* rect, DWORD value) {
    if (!surface) surface = backBuffer;
    if (!surface) return 0;
    BltFx fx;
    fx.fillColor = value;
    const HRESULT result = surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    if (result == DD_OK) return 1;
    if (result == DDERR_SURFACELOST) {
        DebugTrace(window, 0, "GPFillBufferIndex: surface lost, restoring all.");
        GPRestoreAll();
    } else {
        DebugTrace(window, 0, "GPFillBufferIndex:Fill failed, error=%s", GPErrorText(result));
    }
    return 0;
}

HRESULT Display::BltWithFlags(Surface* source, const RECT* sourceRect, Surface* dest,
                              const RECT* destRect, int keyed) {
    DWORD flags = DDBLT_WAIT;
    if (useDestColourKey) {
        flags |= DDBLT_KEYDEST;
    } else if (keyed) {
        flags |= DDBLT_KEYSRC;
    }
    return dest->Blt(destRect, source, sourceRect, flags, nullptr);
}

int Display::GPBlt(Surface* source, const RECT* sourceRect, Surface* dest, const RECT* destRect,
                   int keyed) {
    if (!dest) dest = backBuffer;
    if (!dest || !source) return 0;
    HRESULT result = BltWithFlags(source, sourceRect, dest, destRect, keyed);
    if (result == DD_OK) return 1;
    if (result == DDERR_SURFACELOST) {
        DebugTrace(window, 0, "GPBlt: surface lost, restoring all.");
        GPRestoreAll();
        // The retry may draw, but the caller must still learn that its own
        // surface may have lost its picture.
        result = BltWithFlags(source, sourceRect, dest, destRect, keyed);
        if (result != DD_OK) DebugTrace(window, 0, "GPBlt:Blt failed err=%s", GPErrorText(result));
        return 0;
    }
    DebugTrace(window, 0, "GPBlt:Blt failed err=%s", GPErrorText(result));
    return result == DDERR_INVALIDRECT ? 1 : 0;
}

int Display::GPClear() {
    // (No paint messages are pending in this window system, so the window
    // is always up to date.)
    const DWORD value = GPColorMatch(backBuffer, platform::RGB(0, 0, 0));
    if (!backBuffer) return 0;
    int ok = 1;
    BltFx fx;
    fx.fillColor = value;
    if (fullScreen) {
        // Four fills and flips blacken every buffer of a chain of up to four.
        for (int i = 0; i < 4; ++i) {
            HRESULT result = backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
            if (result != DD_OK) {
                DebugTrace(window, 0, "GPClear: Fill failed error=%s", GPErrorText(result));
                ok = 0;
            }
            if (frontBuffer) {
                result = frontBuffer->Flip(nullptr, DDFLIP_WAIT);
                if (result != DD_OK) {
                    DebugTrace(window, 0, "GPClear: Flip failed error=%s", GPErrorText(result));
                    ok = 0;
                }
            }
        }
    } else {
        HRESULT result = backBuffer->Blt(&backRect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
        if (result != DD_OK) {
            DebugTrace(window, 0, "GPClear: Fill failed error=%s", GPErrorText(result));
            ok = 0;
        }
        if (frontBuffer) {
            result = frontBuffer->Blt(&displayRect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
            if (result != DD_OK) {
                DebugTrace(window, 0, "GPClear: Fill failed error=%s", GPErrorText(result));
                ok = 0;
            }
        }
    }
    return ok;
}

int Display::GPScroll(int dx, int dy) {
    if (!frontBuffer || !backBuffer) return 0;
    RECT source = displayRect;
    if (fullScreen) {
        source.left += borderX;
        source.right -= borderX;
        source.top += borderY;
        source.bottom -= borderY;
    }
    const RECT dest{gameRect.left + dx, gameRect.top + dy, gameRect.right + dx, gameRect.bottom + dy};
    const HRESULT result = backBuffer->Blt(&dest, frontBuffer, &source, DDBLT_WAIT, nullptr);
    if (result == DD_OK) return 1;
    if (result == DDERR_SURFACELOST) {
        DebugTrace(window, 0, "GPScroll: surface lost, restoring all.");
        GPRestoreAll();
    } else {
        DebugTrace(window, 0, "GPScroll: blt FAILED, %s", GPErrorText(result));
    }
    return 0;
}

int Display::GPStretchBackBuffer() {
    if (!backBuffer) return 0;
    auto report = [this](HRESULT result) {
        if (result == DDERR_SURFACELOST) {
            DebugTrace(window, 0, "GPStretchBackBuffer: surface lost, restoring all.");
            GPRestoreAll();
        } else {
            DebugTrace(window, 0, "GPStretchBackBuffer: blt error, %s.", GPErrorText(result));
        }
    };
    if (stretchBuffer) {
        HRESULT result = stretchBuffer->Blt(&backRect, backBuffer, &backRect, DDBLT_WAIT, nullptr);
        if (result != DD_OK) report(result);
        result = backBuffer->Blt(&backRect, stretchBuffer, &gameRect, DDBLT_WAIT, nullptr);
        if (result != DD_OK) report(result);
        return 1;
    }
    const HRESULT result = backBuffer->Blt(&backRect, backBuffer, &gameRect, DDBLT_WAIT, nullptr);
    if (result == DD_OK) return 1;
    report(result);
    return 0;
}

int Display::GPUpdateWindow() {
    if (!frontBuffer || !backBuffer) return 0;
    DWORD flags = DDBLT_WAIT;
    BltFx fx;
    if (noTearing) {
        flags |= DDBLT_DDFX;
        fx.fxFlags = DDBLTFX_NOTEARING;
    }
    const HRESULT result = frontBuffer->Blt(&displayRect, backBuffer, &gameRect, flags, noTearing ? &fx : nullptr);
    if (result == DD_OK) return 1;
    if (result == DDERR_SURFACELOST) {
        DebugTrace(window, 0, "GPUpdateWindow: surface lost, restoring all.");
        GPRestoreAll();
    } else {
        DebugTrace(window, 0, "GPUpdateWindow: blt FAILED, %s", GPErrorText(result));
    }
    return 0;
}

void Display::GPPaletteChart() {
    for (int i = 0; i < 256; ++i) {
        const int left = backWidth / 2 - 80 + (i % 16) * 10;
        const int top = backHeight / 2 - 80 + (i / 16) * 10;
        const RECT swatch{left, top, left + 10, top + 10};
        GPFillBufferIndex(backBuffer, &swatch, static_cast<DWORD>(i));
    }
}

int Display::GPPageFlip() {
    GPBltFrameRate();
    GPBltInfo();
    if (showPalette && bitsPerPixel == 8) GPPaletteChart();
    int ok = 1;
    if (fullScreen) {
        if (stretch) GPStretchBackBuffer();
        if (bufferCount > 1 && frontBuffer) {
            const HRESULT result = frontBuffer->Flip(nullptr, DDFLIP_WAIT);
            if (result == DDERR_SURFACELOST) {
                DebugTrace(window, 0, "GPPageFlip: surface lost, restoring all.");
                GPRestoreAll();
                ok = 0;
            } else if (result != DD_OK) {
                DebugTrace(window, 0, "GPPageFlip:Flip FAILED, %s", GPErrorText(result));
                ok = 0;
            }
        }
    } else {
        ok = GPUpdateWindow();
    }
    GPFadeStep();
    return ok;
}

int Display::GPSetPalette() {
    if (!frontBuffer || !palette || bitsPerPixel != 8) return 0;
    HRESULT result = palette->SetEntries(0, 256, basePalette);
    if (result == DD_OK) result = frontBuffer->SetPalette(palette);
    if (result != DD_OK) {
        DebugTrace(window, 0, "GPSetPalette FAILED, %s.\n", GPErrorText(result));
        return 0;
    }
    DebugTrace(window, 0, "...GPSetPalette succeeded...");
    return 1;
}

}  // namespace display
