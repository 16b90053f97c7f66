// Construction, configuration, DirectDraw and mode set-up, display rectangle,
// window size limits, tear-down, off-screen surfaces and colour matching.
#include <algorithm>
#include <cstring>

#include "display/display.h"
#include "display/window_frame.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/system.h"

namespace display {

using namespace platform::dd;

Display::Display() = default;

Display::~Display() {
    GPDestroy(1);
    platform::gdi::DeleteFont(overlayFont);
}

int Display::GPConfigure(const DWORD* flags, const int32_t* size, const uint8_t* bits,
                         const DWORD* rate, const char* paletteName, const char* borderName,
                         const DWORD* buffers, const int32_t* border, const void*,
                         const DWORD* steps) {
    if (flags) {
        const DWORD f = *flags;
        if (f & kConfigStretch) stretch = true;
        if (f & kConfigEmulationOnly) emulationOnly = true;
        if (f & kConfigForceSysMem) forceSysMem = true;
        if (f & kConfigNoTearing) noTearing = true;
        if (f & kConfigShowFrameRate) showFrameRate = true;
        if (f & kConfigShowInfo) showInfo = true;
        if (f & kConfigShowPalette) showPalette = true;
        fullScreen = (f & kConfigWindowed) == 0;
    }
    if (size) {
        requiredWidth = backWidth = size[0];
        requiredHeight = backHeight = size[1];
    }
    if (bits) bitsPerPixel = *bits;
    if (rate) refreshRate = *rate;
    if (paletteName) {
        std::strncpy(paletteFile, paletteName, sizeof paletteFile - 1);
        paletteFile[sizeof paletteFile - 1] = '\0';
    }
    if (borderName) {
        std::strncpy(borderBitmap, borderName, sizeof borderBitmap - 1);
        borderBitmap[sizeof borderBitmap - 1] = '\0';
    }
    if (buffers) bufferCount = *buffers;
    if (border) {
        borderX = border[0];
        borderY = border[1];
    }
    // A fade of zero steps would divide by zero; such a value is ignored.
    if (steps && *steps > 0) fadeSteps = *steps;
    if (!directDraw2) return 1;
    GPDestroy(0);
    if (!GPInitDirectDraw(window)) return 0;
    if (!GPInitPageFlipping()) return 0;
    return 1;
}

int Display::GPInitDirectDraw(HWND mainWindow) {
    window = mainWindow;
    frameCount = 0;
    frameTimer = platform::timeGetTime();
    framesPerSecond = 0;
    DebugTrace(window, 0, "Attempting to create a DirectDraw object...");
    if (directDraw2) {
        DebugTrace(window, 0, "...object already created, using existing one...");
    } else {
        DebugTrace(window, 0, emulationOnly ? "...creating with emulation..." : "...creating without emulation...");
        HRESULT result = DirectDrawCreate(emulationOnly, &directDraw);
        if (result != DD_OK) {
            DebugTrace(window, 1, "DirectDraw object creation FAILED, %s\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "DirectDraw object creation SUCCESS.\n");
        DebugTrace(window, 0, "Attempting to create a DirectDraw2 object...");
        result = directDraw->QueryDirectDraw2(&directDraw2);
        if (result != DD_OK) {
            DebugTrace(window, 1, "DirectDraw2 object creation FAILED, %s\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "DirectDraw2 object creation SUCCESS.\n");
    }

    DebugTrace(window, 0, "Attempting to set cooperative level...");
    displayModes.Clear();
    HRESULT result;
    if (fullScreen) {
        DebugTrace(window, 0, "...going fullscreen...");
        result = directDraw2->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWMODEX);
        if (result == DD_OK) {
            directDraw2->EnumDisplayModes([this](const DisplayMode& mode) {
                displayModes.Add({mode.width, mode.height, mode.bitsPerPixel, mode.refreshRate});
                return true;
            });
        }
    } else {
        DebugTrace(window, 0, "...going windowed...");
        result = directDraw2->SetCooperativeLevel(window, DDSCL_NORMAL);
        if (result == DD_OK) {
            for (const auto& size : {std::pair{320, 200}, {320, 240}, {512, 384}, {640, 400}, {640, 480}}) {
                displayModes.Add({size.first, size.second, 0, 0});
            }
        }
    }
    if (result != DD_OK) {
        DebugTrace(window, 1, "Set cooperative level FAILED, %s\n", GPErrorText(result));
        return 0;
    }
    DebugTrace(window, 0, "Set cooperative level SUCCESS, got %d modes.\n", displayModes.count);

    if (fullScreen) {
        if (refreshRate) {
            DebugTrace(window, 0, "Attempting to go to mode %dx%dx%d at %dHz...", requiredWidth,
                       requiredHeight, static_cast<int>(bitsPerPixel), static_cast<int>(refreshRate));
        } else {
            DebugTrace(window, 0, "Attempting to go to mode %dx%dx%d (using default refresh rate)...",
                       requiredWidth, requiredHeight, static_cast<int>(bitsPerPixel));
        }
        result = directDraw2->SetDisplayMode(requiredWidth, requiredHeight, static_cast<int>(bitsPerPixel),
                                             static_cast<int>(refreshRate));
        if (refreshRate && result == DDERR_INVALIDMODE) {
            DebugTrace(window, 0, "...video mode unsupported, trying default refresh rate");
            result = directDraw2->SetDisplayMode(requiredWidth, requiredHeight, static_cast<int>(bitsPerPixel), 0);
        }
        if (result != DD_OK) {
            DebugTrace(window, 1, "Set mode FAILED, %s\n", GPErrorText(result));
            return 0;
        }
        DebugTrace(window, 0, "Set mode SUCCESS.\n");
        displayRect = RECT{0, 0, requiredWidth, requiredHeight};
    } else {
        DebugTrace(window, 0, "Initialising window mode...");
        bitsPerPixel = static_cast<DWORD>(platform::gdi::GetScreenBitsPerPixel());
        DebugTrace(window, 0, "...must use current bpp=%d", static_cast<int>(bitsPerPixel));
        DWORD style = platform::GetWindowStyle(window);
        style &= ~platform::WS_POPUP;
        style |= platform::WS_CAPTION | platform::WS_THICKFRAME | platform::WS_MINIMIZEBOX;
        if (stretch) {
            style |= platform::WS_MAXIMIZEBOX;
            DebugTrace(window, 0, "...allowing for resize stretching...");
        } else {
            backWidth = requiredWidth;
            backHeight = requiredHeight;
            DebugTrace(window, 0, "...allowing for resize clipping...");
        }
        platform::SetWindowStyle(window, style);
        RECT frame{0, 0, requiredWidth, requiredHeight};
        AdjustForFrame(window, &frame);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        platform::MoveWindow(window, (platform::GetSystemMetricsScreenWidth() - width) / 2,
                             (platform::GetSystemMetricsScreenHeight() - height) / 2, width, height);
        DebugTrace(window, 0, "Window initialisation SUCCESS.\n");
    }

    DebugTrace(window, 0, "Checking display capabilities...");
    Caps driver, emulation;
    result = directDraw2->GetCaps(&driver, &emulation);
    if (result != DD_OK) {
        DebugTrace(window, 1, "Get caps FAILED, %s\n", GPErrorText(result));
        return 0;
    }
    DebugTrace(window, 0, (driver.caps & DDCAPS_NOHARDWARE) ? "...no hardware support at all..."
                                                           : "...got some hardware support...");
    hasBlitter = (driver.caps & DDCAPS_BLT) != 0;
    DebugTrace(window, 0, hasBlitter ? "...device has a blter..." : "...device does not even have a blter...");
    hasColourFill = (driver.caps & DDCAPS_BLTCOLORFILL) != 0;
    DebugTrace(window, 0, hasColourFill ? "...device supports color fill..."
                                        : "...device does not support color fill...");
    if (driver.caps & DDCAPS_COLORKEY) {
        const bool source = (driver.colorKeyCaps & DDCKEYCAPS_SRCBLT) != 0;
        const bool dest = (driver.colorKeyCaps & DDCKEYCAPS_DESTBLT) != 0;
        if (source) DebugTrace(window, 0, "...can do Src colorkey in hardware...");
        if (dest) DebugTrace(window, 0, "...can do Dest colorkey in hardware...");
        const uint64_t needed = uint64_t{bitsPerPixel / 8} * (2u << 20);
        if (dest && !source && driver.videoMemoryTotal >= needed) {
            useDestColourKey = true;
            DebugTrace(window, 0, "...using destination color key...");
        }
    } else {
        DebugTrace(window, 0, "...can't do colorkey in hardware...");
    }
    result = directDraw2->GetMonitorFrequency(&monitorFrequency);
    if (result == DD_OK) {
        DebugTrace(window, 0, "...monitor freq=%d", static_cast<int>(monitorFrequency));
    } else {
        monitorFrequency = 0;
        DebugTrace(window, 0, "...could not get monitor freq, %s", GPErrorText(result));
    }
    if (bufferCount == 0) {
        if (driver.videoMemoryTotal > uint64_t{bitsPerPixel / 8} * (1u << 20) && frontWidth <= 640) {
            bufferCount = 3;
            DebugTrace(window, 0, "...triple buffering...");
        } else {
            bufferCount = 2;
            DebugTrace(window, 0, "...double buffering (not enough memory for 3)...");
        }
    } else {
        DebugTrace(window, 0, "...using %d buffers...", static_cast<int>(bufferCount));
    }
    DebugTrace(window, 0, "Capability check SUCCESS.\n");

    platform::gdi::DeleteFont(overlayFont);
    overlayFont = platform::gdi::CreateFont(14, platform::gdi::FW_NORMAL, platform::gdi::VARIABLE_PITCH,
                                            "Comic Sans MS");
    GPSetDisplayRect();
    initialised = true;
    return 1;
}

int Display::GPSetDisplayRect() {
    DebugTrace(window, 0, "Setting Display Rectangle...");
    if (!fullScreen) {
        RECT client;
        platform::POINT origin;
        if (window && platform::GetClientRect(window, &client) && platform::ClientToScreen(window, &origin)) {
            displayRect = RECT{origin.x, origin.y, origin.x + (client.right - client.left),
                               origin.y + (client.bottom - client.top)};
        }
    }
    frontWidth = displayRect.right - displayRect.left;
    frontHeight = displayRect.bottom - displayRect.top;
    if (!fullScreen) {
        frontGameWidth = frontWidth;
        frontGameHeight = frontHeight;
        frontGameRect = displayRect;
    }
    if (initialised && !stretch && (frontWidth != gameWidth || frontHeight != gameHeight)) {
        GPBorderChange((gameWidth - frontWidth) / 2, (gameHeight - frontHeight) / 2);
    }
    DebugTrace(window, 0, "...required display size: %dx%d...", requiredWidth, requiredHeight);
    DebugTrace(window, 0, "...frontbuffer size:      %dx%d...", frontWidth, frontHeight);
    DebugTrace(window, 0, "...frontbuffer rect:      [%d,%d,%d,%d]...", displayRect.left, displayRect.top,
               displayRect.right, displayRect.bottom);
    DebugTrace(window, 0, "SUCCESS.");
    return 1;
}

int Display::GPGetMinMaxInfo(MINMAXINFO* info) {
    if (info && initialised && !stretch) {
        info->ptMinTrackSize = platform::POINT{100, 100};
        RECT frame{0, 0, backWidth, backHeight};
        AdjustForFrame(window, &frame);
        info->ptMaxTrackSize = platform::POINT{frame.right - frame.left, frame.bottom - frame.top};
    }
    return 1;
}

namespace {

template <typename T>
void ReleaseField(HWND window, T*& field, const char* message) {
    if (!field) return;
    field->Release();
    field = nullptr;
    DebugTrace(window, 0, "%s", message);
}

}  // namespace

int Display::GPDestroy(int releaseDirectDraw) {
    initialised = false;
    DebugTrace(window, 0, "Destroying direct draw elements...");
    ReleaseField(window, gameClipper, "...game clipper destroyed...");
    ReleaseField(window, windowClipper, "...window clipper destroyed...");
    ReleaseField(window, palette, "...palette destroyed...");
    ReleaseField(window, backBuffer, "...back buffer(s) destroyed...");
    ReleaseField(window, frontBuffer, "...front buffer destroyed...");
    ReleaseField(window, stretchBuffer, "...stretch buffer destroyed...");
    ReleaseField(window, frameRateBuffer, "...stretch buffer destroyed...");
    ReleaseField(window, infoBuffer, "...stretch buffer destroyed...");
    if (releaseDirectDraw) {
        ReleaseField(window, directDraw, "...directdraw object destroyed...");
        ReleaseField(window, directDraw2, "...directdraw2 object destroyed...");
    }
    DebugTrace(window, 0, "Objects destroyed SUCCESS.\n");
    return 1;
}

Surface* Display::GPCreateSurface(int width, int height, int systemMemory, int colourKeyed) {
    if (!directDraw2) {
        DebugTrace(window, 0, "Create surface FAILED, %s", GPErrorText(DDERR_INVALIDOBJECT));
        return nullptr;
    }
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.width = width;
    desc.height = height;
    desc.caps = DDSCAPS_OFFSCREENPLAIN |
                ((systemMemory || forceSysMem) ? DDSCAPS_SYSTEMMEMORY : DDSCAPS_VIDEOMEMORY);
    Surface* surface = nullptr;
    HRESULT result = directDraw2->CreateSurface(desc, &surface);
    if (result != DD_OK) {
        DebugTrace(window, 0, "Create surface FAILED, %s", GPErrorText(result));
        return nullptr;
    }
    if (palette) surface->SetPalette(palette);
    if (colourKeyed && !useDestColourKey) {
        const ColorKey key{colourKey, colourKey};
        surface->SetColorKey(DDCKEY_SRCBLT, &key);
    }
    return surface;
}

DWORD Display::GPColorMatch(Surface* surface, COLORREF colour) {
    if (!surface) surface = backBuffer;
    if (!surface) return 0xFFFFFFFFu;
    platform::gdi::HDC dc = nullptr;
    COLORREF remembered = platform::gdi::CLR_INVALID;
    if (surface->GetDC(&dc) == DD_OK) {
        remembered = platform::gdi::GetPixel(dc, 0, 0);
        platform::gdi::SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
    }
    DWORD value = 0xFFFFFFFFu;
    SurfaceDesc desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT) == DD_OK) {
        uint32_t pixel = 0;
        std::memcpy(&pixel, desc.surface, static_cast<size_t>(std::min(desc.bitsPerPixel / 8, 4)));
        value = desc.bitsPerPixel >= 32 ? pixel : pixel & ((1u << desc.bitsPerPixel) - 1);
        surface->Unlock(desc.surface);
    }
    if (remembered != platform::gdi::CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        platform::gdi::SetPixel(dc, 0, 0, remembered);
        surface->ReleaseDC(dc);
    }
    return value;
}

}  // namespace display
