#pragma once
// The Display: the program's only way to the screen. It sets up the video
// mode and the flipping chain, hands out the back buffer and off-screen
// surfaces, draws (fills, keyed blits, scrolling, stretching), presents frames,
// recovers lost surfaces, loads bitmaps and palettes, fades the palette and
// draws the diagnostic overlays. Every GP operation returns 1 for success and
// 0 for failure unless noted, and reports its steps through DebugTrace.
#include <cstdint>

#include "platform/ddraw.h"
#include "platform/gdi.h"
#include "platform/win_types.h"

namespace display {

using platform::COLORREF;
using platform::DWORD;
using platform::HRESULT;
using platform::HWND;
using platform::MINMAXINFO;
using platform::PaletteEntry;
using platform::RECT;
using platform::dd::Clipper;
using platform::dd::DirectDraw;
using platform::dd::Palette;
using platform::dd::Surface;

// Configuration flags (first argument of GPConfigure).
constexpr DWORD kConfigStretch = 0x002;
constexpr DWORD kConfigEmulationOnly = 0x008;
constexpr DWORD kConfigForceSysMem = 0x010;
constexpr DWORD kConfigNoTearing = 0x020;
constexpr DWORD kConfigShowFrameRate = 0x040;
constexpr DWORD kConfigShowInfo = 0x080;
constexpr DWORD kConfigShowPalette = 0x100;
constexpr DWORD kConfigWindowed = 0x200;

// Fade states.
constexpr uint8_t kFadeIn = 1;
constexpr uint8_t kFadeOut = 2;
constexpr uint8_t kFadeShown = 4;
constexpr uint8_t kFadeIdle = 8;

// The display modes reported by the driver; only the first 100 are kept.
struct DisplayModeList {
    static constexpr int kCapacity = 100;
    struct Entry {
        int width = 0, height = 0, bitsPerPixel = 0, refreshRate = 0;
    };
    Entry entries[kCapacity];
    int count = 0;   // entries stored
    int reported = 0;   // modes the driver reported, stored or not
    void Clear() { count = reported = 0; }
    void Add(const Entry& entry) {
        ++reported;
        if (count < kCapacity) entries[count++] = entry;
    }
};

struct FadeRgb {
    int32_t red = 0, green = 0, blue = 0;
};

class Display {
public:
    Display();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Set-up and buffers.
    int GPConfigure(const DWORD* flags, const int32_t* size, const uint8_t* bitsPerPixel,
                    const DWORD* refreshRate, const char* paletteFile, const char* borderBitmap,
                    const DWORD* bufferCount, const int32_t* border, const void* ignored,
                    const DWORD* fadeSteps);
    int GPInitDirectDraw(HWND window);
    int GPInitPageFlipping();
    int GPSetDisplayRect();
    int GPSetGameRects();
    int GPBorderChange(int dx, int dy);
    int GPGetMinMaxInfo(MINMAXINFO* info);
    int GPDestroy(int releaseDirectDraw);
    Surface* GPCreateSurface(int width, int height, int systemMemory, int colourKeyed);
    DWORD GPColorMatch(Surface* surface, COLORREF colour);

    // Drawing, presenting and recovery.
    int GPFillBufferRGB(Surface* surface, const RECT* rect, COLORREF colour);
    int GPFillBufferIndex(Surface* surface, const RECT* rect, DWORD value);
    int GPBlt(Surface* source, const RECT* sourceRect, Surface* dest, const RECT* destRect, int keyed);
    int GPClear();
    int GPScroll(int dx, int dy);
    int GPStretchBackBuffer();
    int GPUpdateWindow();
    int GPPageFlip();
    int GPSetPalette();
    int GPRestoreAll();
    static const char* GPErrorText(HRESULT code);

    // Bitmaps and palettes.
    Surface* GPLoadBitmap(const char* name, int systemMemory, int colourKeyed);
    int GPLoadBitmapIntoSurface(Surface* surface, const char* name, int width, int height);
    HRESULT GPCopyBitmap(Surface* surface, platform::gdi::HBITMAP bitmap, int x, int y, int width,
                         int height);
    int GPSetColorKey(Surface* surface, COLORREF colour);
    int GPLoadPalette(const char* name);
    Palette* GPLoadPaletteFile(const char* name);

    // Palette fades.
    void GPFadeInit();
    void GPFadeIn();
    void GPFadeOut();
    void GPFadeReset();
    void GPFadeStep();
    void GPPageFlipFadeIn();
    void GPPageFlipFadeOut(int clear);

    // Diagnostic overlays.
    int GPToggleFrameRate();
    int GPToggleInfo();
    int GPBltFrameRate();
    int GPBltInfo();
    void GPPaletteChart();

    // Fields, in their declared order.
    bool emulationOnly = false;
    bool forceSysMem = false;
    bool showFrameRate = false;
    bool showInfo = false;
    bool showPalette = false;
    bool noTearing = false;
    bool stretch = false;
    DWORD fadeSteps = 15;
    bool fullScreen = true;
    int32_t requiredWidth = 640, requiredHeight = 480;
    int32_t backWidth = 640, backHeight = 480;
    DWORD bitsPerPixel = 8;
    DWORD bufferCount = 2;
    DWORD refreshRate = 0;
    int32_t borderX = 0, borderY = 0;
    char borderBitmap[260] = {};
    char paletteFile[260] = {};
    int32_t gameWidth = 640, gameHeight = 480;
    int32_t frontWidth = 0, frontHeight = 0;
    int32_t frontGameWidth = 0, frontGameHeight = 0;
    bool useDestColourKey = false;
    bool hasColourFill = false;
    bool hasBlitter = false;
    DWORD monitorFrequency = 0;
    DWORD framesPerSecond = 0;
    DirectDraw* directDraw = nullptr;
    DirectDraw* directDraw2 = nullptr;
    Surface* frontBuffer = nullptr;
    Surface* backBuffer = nullptr;
    Surface* stretchBuffer = nullptr;
    Surface* frameRateBuffer = nullptr;
    Surface* infoBuffer = nullptr;
    Clipper* windowClipper = nullptr;
    Clipper* gameClipper = nullptr;
    Palette* palette = nullptr;
    HWND window = nullptr;
    RECT gameRect, displayRect, backRect, frontGameRect;
    DWORD colourKey = 0;
    DWORD frameCount = 0, frameTimer = 0;
    platform::gdi::HFONT overlayFont = nullptr;
    bool initialised = false;
    PaletteEntry basePalette[256];
    PaletteEntry workPalette[256];
    FadeRgb fadeStep[256];
    FadeRgb fadeLevel[256];
    uint8_t fadeState = kFadeIdle;
    DWORD fadeCounter = 0;

    DisplayModeList displayModes;
    // The frame-rate text ("%dfps" in at most 8 characters; eight spaces
    // before the first measurement).
    char frameRateText[9] = "        ";
    // The information line as last drawn.
    char infoText[65] = {};

private:
    HRESULT BltWithFlags(Surface* source, const RECT* sourceRect, Surface* dest,
                         const RECT* destRect, int keyed);
    int PaintBorder(int dx, int dy);
    int InstallGameClipper();
    void DrawOverlayText(Surface* surface, const char* text);
    bool FullScreen8() const { return fullScreen && bitsPerPixel == 8; }
    void WritePaletteToScreen();
};

}  // namespace display
