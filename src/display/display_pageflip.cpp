// Building the flipping chain (or the windowed front and back buffers), the
// first palette, the colour key and the overlays.
#include "display/display.h"
#include "platform/system.h"

namespace display {

using namespace platform::dd;

namespace {

Surface* CreatePlain(DirectDraw* directDraw, int width, int height, DWORD memory) {
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.width = width;
    desc.height = height;
    desc.caps = DDSCAPS_OFFSCREENPLAIN | memory;
    Surface* surface = nullptr;
    return directDraw->CreateSurface(desc, &surface) == DD_OK ? surface : nullptr;
}

}  // namespace

int Display::GPInitPageFlipping() {
    DebugTrace(window, 0, "Starting page flipping initialisation...");
    if (!directDraw2) {
        DebugTrace(window, 1, "Initialisation FAILED, could not get caps, %s\n", GPErrorText(DDERR_INVALIDOBJECT));
        return 0;
    }
    Caps driver, emulation;
    HRESULT result = directDraw2->GetCaps(&driver, &emulation);
    if (result != DD_OK) {
        DebugTrace(window, 1, "Initialisation FAILED, could not get caps, %s\n", GPErrorText(result));
        return 0;
    }
    const bool bankSwitched = (driver.caps & DDCAPS_BANKSWITCHED) != 0;

    if (fullScreen && bufferCount > 1) {
        DebugTrace(window, 0, "...fullscreen, %d back buffer(s)...", static_cast<int>(bufferCount - 1));
        SurfaceDesc desc;
        desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.backBufferCount = bufferCount - 1;
        result = directDraw2->CreateSurface(desc, &frontBuffer);
        if (result != DD_OK) {
            DebugTrace(window, 1, "Create primary surface FAILED, %s\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...created primary surface...");
        result = frontBuffer->GetAttachedSurface(DDSCAPS_BACKBUFFER, &backBuffer);
        if (result != DD_OK) {
            DebugTrace(window, 1, "FAILED, can't get attached back buffer, %s.\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...got attached back buffer...");
        if (stretch) {
            if (bankSwitched) {
                DebugTrace(window, 0, "...detected bank switched hardware, creating sys mem stretch buffer...");
                stretchBuffer = CreatePlain(directDraw2, backWidth, backHeight, DDSCAPS_SYSTEMMEMORY);
            } else {
                DebugTrace(window, 0, "...detected linear frame buffer hardware, creating video mem stretch buffer...");
                stretchBuffer = CreatePlain(directDraw2, backWidth, backHeight, DDSCAPS_VIDEOMEMORY);
                if (!stretchBuffer) {
                    DebugTrace(window, 0, "...reverting to sys mem stretch buffer...");
                    stretchBuffer = CreatePlain(directDraw2, backWidth, backHeight, DDSCAPS_SYSTEMMEMORY);
                }
            }
        }
    } else if (fullScreen) {
        DebugTrace(window, 0, "...fullscreen, no back buffers...");
        SurfaceDesc desc;
        desc.flags = DDSD_CAPS;
        desc.caps = DDSCAPS_PRIMARYSURFACE;
        result = directDraw2->CreateSurface(desc, &frontBuffer);
        if (result != DD_OK) {
            DebugTrace(window, 1, "Create primary surface FAILED! %s.\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...created primary surface...");
        backBuffer = frontBuffer;
        backBuffer->AddRef();
        DebugTrace(window, 0, "...using primary as back buffer...");
    } else {
        DebugTrace(window, 0, "...windowed, one back buffer (always the case)...");
        SurfaceDesc desc;
        desc.flags = DDSD_CAPS;
        desc.caps = DDSCAPS_PRIMARYSURFACE;
        result = directDraw2->CreateSurface(desc, &frontBuffer);
        if (result != DD_OK) {
            DebugTrace(window, 1, "Create primary surface FAILED! %s.\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...created primary surface...");
        if (stretch && bankSwitched) {
            DebugTrace(window, 0, "...detected bank switched hardware, creating system mem back buffer...");
            backBuffer = CreatePlain(directDraw2, backWidth, backHeight, DDSCAPS_SYSTEMMEMORY);
        } else {
            DebugTrace(window, 0, "...creating video mem back buffer...");
            backBuffer = CreatePlain(directDraw2, backWidth, backHeight, DDSCAPS_VIDEOMEMORY);
            if (!backBuffer) {
                DebugTrace(window, 0, "...trying system mem back buffer...");
                backBuffer = CreatePlain(directDraw2, backWidth, backHeight, DDSCAPS_SYSTEMMEMORY);
            }
        }
        if (!backBuffer) return 0;
        DebugTrace(window, 0, "...backbuffer created successfully...");
        result = directDraw2->CreateClipper(0, &windowClipper);
        if (result != DD_OK) {
            DebugTrace(window, 1, "Create window clipper FAILED, %s.\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...window clipper created successfully...");
        result = windowClipper->SetHWnd(0, window);
        if (result != DD_OK) {
            DebugTrace(window, 1, "FAILED, cant set window clipper window handle, %s.\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...window clipper set to window handle...");
        result = frontBuffer->SetClipper(windowClipper);
        if (result != DD_OK) {
            DebugTrace(window, 1, "FAILED, cant attach window clipper to front buffer, %s.\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "...window clipper attached to front buffer...");
    }

    DebugTrace(window, 0, "...attempting to clear back buffer(s)...");
    DebugTrace(window, 0, GPClear() ? "...back buffer(s) cleared..."
                                    : "...problem clearing back buffer(s) continuing anyway...");

    if (bitsPerPixel == 8) {
        DebugTrace(window, 0, "...got 8bit display, initialising palette...");
        if (palette) palette->Release();
        palette = GPLoadPaletteFile(paletteFile);
        if (palette) {
            GPFadeInit();
            if (frontBuffer) WritePaletteToScreen();
        }
    }

    colourKey = GPColorMatch(backBuffer, platform::RGB(0, 0, 0));
    DebugTrace(window, 0, "...color key set to 0x%08lX (%d)...", static_cast<unsigned long>(colourKey),
               static_cast<int>(colourKey));
    if (useDestColourKey) {
        // Destination-keyed blits compare against the back buffer's
        // destination key.
        const DWORD value = GPColorMatch(backBuffer, platform::RGB(0, 0, 0));
        const ColorKey key{value, value};
        result = backBuffer->SetColorKey(DDCKEY_DESTBLT, &key);
        if (result != DD_OK) DebugTrace(window, 0, "GPSetColorKey:set colorkey failed, %s.", GPErrorText(result));
    }

    DebugTrace(window, 0, "Initialise page flipping SUCCESS.\n");
    if (showFrameRate) {
        showFrameRate = false;
        GPToggleFrameRate();
    }
    if (showInfo) {
        showInfo = false;
        GPToggleInfo();
    }
    GPBorderChange(0, 0);
    initialised = true;
    return 1;
}

void Display::WritePaletteToScreen() {
    HRESULT result = palette->SetEntries(0, 256, basePalette);
    if (result == DD_OK) result = frontBuffer->SetPalette(palette);
    if (result == DD_OK) {
        DebugTrace(window, 0, "...GPSetPalette succeeded...");
    } else {
        DebugTrace(window, 0, "GPSetPalette FAILED, %s.\n", GPErrorText(result));
    }
}

}  // namespace display
