#pragma once
// The few GDI services the display uses on surfaces: one pixel at a time
// (how an RGB colour learns its pixel value), text in a font, device-
// independent bitmaps loaded from .bmp files and stretched onto a surface, and
// rectangular clip regions. A device context draws either on a surface (from
// Surface::GetDC) or, as a memory context, holds a bitmap as a copy source.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/video_out.h"
#include "platform/win_types.h"

struct _TTF_Font;

namespace platform::dd {
class Surface;
}

namespace platform::gdi {

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int FW_NORMAL = 400;
constexpr DWORD VARIABLE_PITCH = 2;
constexpr DWORD SRCCOPY = 0x00CC0020;

// A font made once and drawn with many times. The face asked for is only
// recorded: every face is drawn with the bundled rounded sans-serif (Comic
// Neue). Height is the character cell height in pixels.
class Font {
public:
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    int Height() const { return height_; }
    const std::string& Face() const { return face_; }
    _TTF_Font* Native() const { return native_; }

private:
    friend Font* CreateFont(int, int, DWORD, const char*);
    Font() = default;
    int height_ = 0;
    std::string face_;
    _TTF_Font* native_ = nullptr;
};
using HFONT = Font*;

// Null when no font file can be opened.
HFONT CreateFont(int height, int weight, DWORD pitchAndFamily, const char* face);
void DeleteFont(HFONT font);

// A device-independent bitmap: 32-bit 0x00RRGGBB pixels, top row first.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};
using HBITMAP = Bitmap*;

// Loads an uncompressed 1, 4, 8, 24 or 32-bit .bmp file through the
// case-insensitive file lookup, scaled to width x height (0 = its own size).
// Null when the file is missing, short or malformed.
HBITMAP LoadBitmapFile(const char* name, int width, int height);
void DeleteBitmap(HBITMAP bitmap);

class DeviceContext {
public:
    explicit DeviceContext(dd::Surface* surface);   // surface context
    DeviceContext();                                // memory context
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    dd::Surface* TargetSurface() const { return surface_; }
    HBITMAP SelectedBitmap() const { return bitmap_; }
    HFONT SelectedFont() const { return font_; }
    int BkMode() const { return bkMode_; }
    COLORREF TextColor() const { return textColor_; }
    COLORREF BkColor() const { return bkColor_; }

private:
    friend HFONT SelectObject(DeviceContext*, HFONT);
    friend HBITMAP SelectObject(DeviceContext*, HBITMAP);
    friend int SetBkMode(DeviceContext*, int);
    friend COLORREF SetTextColor(DeviceContext*, COLORREF);
    dd::Surface* surface_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    int bkMode_ = OPAQUE;
    COLORREF textColor_ = 0;
    COLORREF bkColor_ = 0xFFFFFF;
};
using HDC = DeviceContext*;

// Memory contexts (CreateCompatibleDC) hold a selected bitmap.
HDC CreateCompatibleDC(HDC reference);
void DeleteDC(HDC dc);

HFONT SelectObject(HDC dc, HFONT font);       // returns the previous font
HBITMAP SelectObject(HDC dc, HBITMAP bitmap); // returns the previous bitmap
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF colour);

// The colour of a pixel, or CLR_INVALID outside the surface.
COLORREF GetPixel(HDC dc, int x, int y);
// Sets the pixel to the nearest colour the surface can show (at 8 bits the
// nearest entry of its palette); returns that colour, or CLR_INVALID.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
// Draws text with the selected font and text colour; an opaque background
// fills the text's box first. Returns 1 / 0.
int TextOut(HDC dc, int x, int y, const char* text, int length);
// Copies (SRCCOPY) the source rectangle of a memory context's bitmap onto the
// destination rectangle of a surface context, scaling nearest-neighbour.
// Returns 1 / 0.
int StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
               int sourceWidth, int sourceHeight, DWORD rop);

// Rectangular regions and their data, for clip lists.
struct Region {
    std::vector<RECT> rects;
};
using HRGN = Region*;
constexpr DWORD kRegionHeaderSize = 32;   // RGNDATAHEADER
struct RegionData {
    DWORD size = kRegionHeaderSize, type = 1, count = 0, rgnSize = 0;
    RECT bound;
    std::vector<RECT> rects;
};
HRGN CreateRectRgnIndirect(const RECT* rect);
void DeleteRegion(HRGN region);
// Bytes the region's data needs; with data, fills it (when size suffices).
DWORD GetRegionData(HRGN region, DWORD size, RegionData* data);

// Colour depth of the screen device: bits per pixel times planes.
int GetScreenBitsPerPixel();

// Nearest entry of a 256-entry palette to an RGB colour (first on ties).
int NearestPaletteIndex(const PaletteEntry* palette, COLORREF colour);

}  // namespace platform::gdi
