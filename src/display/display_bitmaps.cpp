// Loading bitmaps into surfaces, colour keys and palettes from .bmp files.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "display/bitmap_file.h"
#include "display/display.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/system.h"

namespace display {

using namespace platform::dd;
namespace gdi = platform::gdi;

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

FilePtr Open(const char* name) { return FilePtr(name ? platform::OpenFile(name, "rb") : nullptr, &std::fclose); }

// The one failure the user sees: a picture that is not there.
void ShowCouldNotLoad(HWND window, const char* name) {
    char directory[1024] = {};
    platform::GetCurrentDirectory(sizeof directory, directory);
    std::string shown = name ? name : "";
    if (shown.rfind(".\\", 0) == 0) shown.erase(0, 2);
    const bool absolute = !shown.empty() && (shown[0] == '/' || shown[0] == '\\' || shown.find(':') != std::string::npos);
    const std::string text = absolute ? shown : std::string(directory) + "/" + shown;
    platform::MessageBox(window, text.c_str(), "Could not load", platform::MB_OK);
}

// Reads the pixel block and copies it into the surface's rows.
void FillFromBlock(FILE* file, const BitmapHeaders& headers, Surface* surface) {
    PixelBlock block;
    if (!ReadPixelBlock(file, headers, &block)) return;
    SurfaceDesc desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT) != DD_OK) return;
    const int rowBytes = desc.width * (desc.bitsPerPixel / 8);
    CopyRowsBottomUp(block, desc.height, static_cast<uint8_t*>(desc.surface), desc.pitch, rowBytes);
    surface->Unlock(desc.surface);
}

bool SaneSize(const BitmapHeaders& headers) {
    return headers.biWidth > 0 && headers.biHeight > 0 && headers.biWidth <= 8192 && headers.biHeight <= 8192;
}

}  // namespace

Surface* Display::GPLoadBitmap(const char* name, int systemMemory, int colourKeyed) {
    DebugTrace(window, 0, "Attempting to load bitmap %s...", name ? name : "");
    const char* memory = (systemMemory || forceSysMem) ? "...creating sys mem direct draw surface size - %dx%d..."
                                                       : "...creating vid mem direct draw surface size - %dx%d...";
    if (!fullScreen) {
        gdi::HBITMAP bitmap = name ? gdi::LoadBitmapFile(name, 0, 0) : nullptr;
        if (!bitmap) {
            DebugTrace(window, 0, "FAILED, could not load file %s.", name ? name : "");
            ShowCouldNotLoad(window, name);
            return nullptr;
        }
        DebugTrace(window, 0, "...bitmap size - %dx%d...", bitmap->width, bitmap->height);
        DebugTrace(window, 0, memory, bitmap->width, bitmap->height);
        Surface* surface = GPCreateSurface(bitmap->width, bitmap->height, systemMemory, colourKeyed);
        if (surface) GPCopyBitmap(surface, bitmap, 0, 0, 0, 0);
        gdi::DeleteBitmap(bitmap);
        if (surface) DebugTrace(window, 0, "SUCCESS.");
        return surface;
    }

    FilePtr file = Open(name);
    if (!file) {
        DebugTrace(window, 0, "FAILED, could not load file %s.", name ? name : "");
        ShowCouldNotLoad(window, name);
        return nullptr;
    }
    BitmapHeaders headers;
    if (!ReadBitmapHeaders(file.get(), &headers) || !SaneSize(headers)) {
        DebugTrace(window, 0, "FAILED, could not load file %s.", name);
        return nullptr;
    }
    DebugTrace(window, 0, memory, headers.biWidth, headers.biHeight);
    Surface* surface = GPCreateSurface(headers.biWidth, headers.biHeight, systemMemory, colourKeyed);
    if (!surface) return nullptr;
    FillFromBlock(file.get(), headers, surface);
    DebugTrace(window, 0, "SUCCESS.");
    return surface;
}

int Display::GPLoadBitmapIntoSurface(Surface* surface, const char* name, int width, int height) {
    DebugTrace(window, 0, "Attempting to load bitmap %s...", name ? name : "");
    SurfaceDesc desc;
    if (!fullScreen) {
        gdi::HBITMAP bitmap = name ? gdi::LoadBitmapFile(name, width, height) : nullptr;
        if (!bitmap) {
            DebugTrace(window, 0, "FAILED, could not load file %s.", name ? name : "");
            return 0;
        }
        DebugTrace(window, 0, "...bitmap size - %dx%d...", bitmap->width, bitmap->height);
        if (!surface) {
            gdi::DeleteBitmap(bitmap);
            return 0;
        }
        surface->GetSurfaceDesc(&desc);
        DebugTrace(window, 0, "...direct draw surface size - %dx%d...", desc.width, desc.height);
        GPCopyBitmap(surface, bitmap, 0, 0, 0, 0);
        gdi::DeleteBitmap(bitmap);
        DebugTrace(window, 0, "SUCCESS.");
        return 1;
    }

    FilePtr file = Open(name);
    if (!file) {
        DebugTrace(window, 0, "FAILED, could not load file %s.", name ? name : "");
        ShowCouldNotLoad(window, name);
        return 0;
    }
    BitmapHeaders headers;
    if (!ReadBitmapHeaders(file.get(), &headers) || !SaneSize(headers)) {
        DebugTrace(window, 0, "FAILED, could not load file %s.", name);
        return 0;
    }
    if (!surface) return 0;
    surface->GetSurfaceDesc(&desc);
    DebugTrace(window, 0, "...direct draw surface size - %dx%d...", desc.width, desc.height);
    FillFromBlock(file.get(), headers, surface);
    return 1;
}

HRESULT Display::GPCopyBitmap(Surface* surface, gdi::HBITMAP bitmap, int x, int y, int width, int height) {
    if (!surface || !bitmap) return E_FAIL;
    surface->Restore();
    gdi::HDC memory = gdi::CreateCompatibleDC(nullptr);
    gdi::SelectObject(memory, bitmap);
    if (width == 0) width = bitmap->width;
    if (height == 0) height = bitmap->height;
    gdi::HDC dc = nullptr;
    const HRESULT result = surface->GetDC(&dc);
    if (result == DD_OK) {
        gdi::StretchBlt(dc, 0, 0, surface->Width(), surface->Height(), memory, x, y, width, height, gdi::SRCCOPY);
        surface->ReleaseDC(dc);
    }
    gdi::DeleteDC(memory);
    return result;
}

int Display::GPSetColorKey(Surface* surface, COLORREF colour) {
    const DWORD value = GPColorMatch(surface, colour);
    const ColorKey key{value, value};
    HRESULT result;
    if (!surface) {
        colourKey = value;
        if (!useDestColourKey) return 1;
        result = backBuffer ? backBuffer->SetColorKey(DDCKEY_DESTBLT, &key) : DDERR_INVALIDOBJECT;
    } else {
        result = surface->SetColorKey(DDCKEY_SRCBLT, &key);
    }
    if (result != DD_OK) {
        DebugTrace(window, 0, "GPSetColorKey:set colorkey failed, %s.", GPErrorText(result));
        return 0;
    }
    return 1;
}

int Display::GPLoadPalette(const char* name) {
    if (!name || bitsPerPixel != 8) return 0;
    DebugTrace(window, 0, "...got 8bit display, initialising palette...");
    if (name != paletteFile) {
        std::strncpy(paletteFile, name, sizeof paletteFile - 1);
        paletteFile[sizeof paletteFile - 1] = '\0';
    }
    Palette* loaded = GPLoadPaletteFile(paletteFile);
    if (!loaded) return 0;
    if (palette) palette->Release();
    palette = loaded;
    GPFadeInit();
    if (frontBuffer) WritePaletteToScreen();
    return 1;
}

Palette* Display::GPLoadPaletteFile(const char* name) {
    PaletteEntry entries[256];
    if (!name) {
        DebugTrace(window, 0, "No palette filename specified.  Using default 322 palette");
        for (int i = 0; i < 256; ++i) {
            entries[i].red = static_cast<uint8_t>(((i >> 5) & 7) * 255 / 7);
            entries[i].green = static_cast<uint8_t>(((i >> 2) & 7) * 255 / 7);
            entries[i].blue = static_cast<uint8_t>((i & 3) * 255 / 3);
            entries[i].flags = 0;
        }
    } else {
        FilePtr file = Open(name);
        if (!file) {
            DebugTrace(window, 0, "Can't open palette file, function FAILED..");
            return nullptr;
        }
        DebugTrace(window, 0, "Got palette from file %s", name);
        BitmapHeaders headers;
        // Entries the file does not hold stay black.
        uint8_t table[1024] = {};
        if (ReadBitmapHeaders(file.get(), &headers)) {
            std::fread(table, 1, sizeof table, file.get());
        }
        uint32_t count = 0;
        if (headers.biSize == 40 && headers.biBitCount <= 8) {
            count = headers.biClrUsed ? headers.biClrUsed : (1u << headers.biBitCount);
        }
        if (count > 256) count = 256;   // a table never has more entries
        for (int i = 0; i < 256; ++i) {
            const uint8_t* raw = table + i * 4;
            const bool swap = static_cast<uint32_t>(i) < count;
            entries[i].red = swap ? raw[2] : raw[0];
            entries[i].green = raw[1];
            entries[i].blue = swap ? raw[0] : raw[2];
            entries[i].flags = raw[3];
        }
    }
    if (!directDraw2) return nullptr;
    Palette* created = nullptr;
    if (directDraw2->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &created) != DD_OK) return nullptr;
    return created;
}

}  // namespace display
