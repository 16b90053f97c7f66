// Device contexts on surfaces: pixels, text and bitmap copies.
#include <SDL_ttf.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/ddraw.h"
#include "platform/ddraw_emulation.h"
#include "platform/gdi.h"

namespace platform::gdi {
namespace {

uint32_t RgbPixel(COLORREF colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

COLORREF ColourOfRgbPixel(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// The pixel value a colour takes on the surface, and the colour it shows.
uint32_t PixelValue(const dd::Surface& surface, COLORREF colour, COLORREF* shown) {
    if (surface.BitsPerPixel() == 8) {
        const PaletteEntry* palette = surface.EffectivePalette();
        const int index = NearestPaletteIndex(palette, colour);
        if (shown) *shown = RGB(palette[index].red, palette[index].green, palette[index].blue);
        return static_cast<uint32_t>(index);
    }
    if (shown) *shown = colour & 0xFFFFFF;
    return RgbPixel(colour);
}

void Put(dd::Surface& surface, int x, int y, uint32_t value) {
    uint8_t* row = surface.Pixels() + static_cast<size_t>(y) * surface.Pitch();
    if (surface.BitsPerPixel() == 8) {
        row[x] = static_cast<uint8_t>(value);
    } else {
        std::memcpy(row + x * 4, &value, 4);
    }
}

uint32_t Get(const dd::Surface& surface, int x, int y) {
    const uint8_t* row = surface.Pixels() + static_cast<size_t>(y) * surface.Pitch();
    if (surface.BitsPerPixel() == 8) return row[x];
    uint32_t value;
    std::memcpy(&value, row + x * 4, 4);
    return value;
}

bool Inside(const dd::Surface& surface, int x, int y) {
    return x >= 0 && y >= 0 && x < surface.Width() && y < surface.Height();
}

}  // namespace

DeviceContext::DeviceContext(dd::Surface* surface) : surface_(surface) {}
DeviceContext::DeviceContext() = default;

HDC CreateCompatibleDC(HDC) { return new DeviceContext(); }

void DeleteDC(HDC dc) {
    if (dc && !dc->TargetSurface()) delete dc;
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (!dc) return nullptr;
    HFONT previous = dc->font_;
    dc->font_ = font;
    return previous;
}

HBITMAP SelectObject(HDC dc, HBITMAP bitmap) {
    if (!dc) return nullptr;
    HBITMAP previous = dc->bitmap_;
    dc->bitmap_ = bitmap;
    return previous;
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bkMode_;
    dc->bkMode_ = mode;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->textColor_;
    dc->textColor_ = colour & 0xFFFFFF;
    return previous;
}

int NearestPaletteIndex(const PaletteEntry* palette, COLORREF colour) {
    const int red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 256; ++i) {
        const int dr = palette[i].red - red, dg = palette[i].green - green, db = palette[i].blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0) break;
        }
    }
    return best;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!dc || !dc->TargetSurface() || !Inside(*dc->TargetSurface(), x, y)) return CLR_INVALID;
    const dd::Surface& surface = *dc->TargetSurface();
    const uint32_t value = Get(surface, x, y);
    if (surface.BitsPerPixel() == 8) {
        const PaletteEntry& entry = surface.EffectivePalette()[value];
        return RGB(entry.red, entry.green, entry.blue);
    }
    return ColourOfRgbPixel(value);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    if (!dc || !dc->TargetSurface() || !Inside(*dc->TargetSurface(), x, y)) return CLR_INVALID;
    dd::Surface& surface = *dc->TargetSurface();
    COLORREF shown = 0;
    Put(surface, x, y, PixelValue(surface, colour, &shown));
    return shown;
}

int TextOut(HDC dc, int x, int y, const char* text, int length) {
    if (!dc || !dc->TargetSurface() || !text || length < 0) return 0;
    HFONT font = dc->SelectedFont();
    if (!font || !font->Native()) return 0;
    if (length == 0) return 1;
    const std::string line(text, text + strnlen(text, static_cast<size_t>(length)));
    SDL_Surface* glyphs = TTF_RenderUTF8_Solid(font->Native(), line.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs) return 0;
    dd::Surface& surface = *dc->TargetSurface();
    const uint32_t ink = PixelValue(surface, dc->TextColor(), nullptr);
    const uint32_t paper = PixelValue(surface, dc->BkColor(), nullptr);
    SDL_LockSurface(glyphs);
    for (int gy = 0; gy < glyphs->h; ++gy) {
        const auto* row = static_cast<const uint8_t*>(glyphs->pixels) + gy * glyphs->pitch;
        for (int gx = 0; gx < glyphs->w; ++gx) {
            if (!Inside(surface, x + gx, y + gy)) continue;
            if (row[gx] != 0) {
                Put(surface, x + gx, y + gy, ink);
            } else if (dc->BkMode() == OPAQUE) {
                Put(surface, x + gx, y + gy, paper);
            }
        }
    }
    SDL_UnlockSurface(glyphs);
    SDL_FreeSurface(glyphs);
    return 1;
}

int StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
               int sourceWidth, int sourceHeight, DWORD rop) {
    if (!dest || !source || rop != SRCCOPY || !dest->TargetSurface() || !source->SelectedBitmap()) {
        return 0;
    }
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return 0;
    const Bitmap& bitmap = *source->SelectedBitmap();
    dd::Surface& surface = *dest->TargetSurface();
    const PaletteEntry* palette = surface.BitsPerPixel() == 8 ? surface.EffectivePalette() : nullptr;
    // At 8 bits every bitmap colour goes to its nearest palette entry; a small
    // cache keeps pictures with few colours fast.
    uint32_t lastColour = 0xFFFFFFFFu, lastValue = 0;
    for (int dy = 0; dy < height; ++dy) {
        const int ty = y + dy;
        if (ty < 0 || ty >= surface.Height()) continue;
        const int by = sy + static_cast<int>(static_cast<int64_t>(dy) * sourceHeight / height);
        if (by < 0 || by >= bitmap.height) continue;
        for (int dx = 0; dx < width; ++dx) {
            const int tx = x + dx;
            if (tx < 0 || tx >= surface.Width()) continue;
            const int bx = sx + static_cast<int>(static_cast<int64_t>(dx) * sourceWidth / width);
            if (bx < 0 || bx >= bitmap.width) continue;
            const uint32_t rgb = bitmap.pixels[static_cast<size_t>(by) * bitmap.width + bx];
            uint32_t value = rgb;
            if (palette) {
                if (rgb != lastColour) {
                    lastColour = rgb;
                    lastValue = static_cast<uint32_t>(NearestPaletteIndex(palette, ColourOfRgbPixel(rgb)));
                }
                value = lastValue;
            }
            Put(surface, tx, ty, value);
        }
    }
    return 1;
}

int GetScreenBitsPerPixel() {
    return dd::emulation::Current().desktopBitsPerPixel;
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) return nullptr;
    auto* region = new Region();
    if (rect->left < rect->right && rect->top < rect->bottom) region->rects.push_back(*rect);
    return region;
}

void DeleteRegion(HRGN region) { delete region; }

DWORD GetRegionData(HRGN region, DWORD size, RegionData* data) {
    if (!region) return 0;
    const DWORD rectBytes = static_cast<DWORD>(region->rects.size() * 16);
    const DWORD needed = kRegionHeaderSize + rectBytes;
    if (!data) return needed;
    if (size < needed) return 0;
    data->size = kRegionHeaderSize;
    data->type = 1;
    data->count = static_cast<DWORD>(region->rects.size());
    data->rgnSize = rectBytes;
    data->rects = region->rects;
    data->bound = RECT{};
    for (size_t i = 0; i < region->rects.size(); ++i) {
        const RECT& r = region->rects[i];
        if (i == 0) {
            data->bound = r;
        } else {
            data->bound = RECT{std::min(data->bound.left, r.left), std::min(data->bound.top, r.top),
                               std::max(data->bound.right, r.right), std::max(data->bound.bottom, r.bottom)};
        }
    }
    return needed;
}

}  // namespace platform::gdi
