#pragma once
// 8-bit video surfaces, palettes, clippers and the flipping chain: the small
// set of DirectDraw operations the display and the sprite code use, emulated
// over plain byte buffers. Only presenting a finished frame goes to the window
// (platform/video_out.h). Objects are reference counted: Release frees an
// object when its last reference goes.
//
// Surfaces hold 8-bit pixels (full-screen) or 32-bit 0x00RRGGBB pixels (the
// desktop depth in windowed mode). Surfaces are lost, and their pixels
// discarded, when an exclusive-mode application loses focus or is minimised.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/video_out.h"
#include "platform/win_types.h"

namespace platform {
using HRESULT = std::int32_t;
}
namespace platform::gdi {
class DeviceContext;
}

namespace platform::dd {

constexpr HRESULT MakeDdResult(unsigned n) { return static_cast<HRESULT>(0x88760000u + n); }
constexpr HRESULT DD_OK = 0;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MakeDdResult(10);
constexpr HRESULT DDERR_INVALIDCAPS = MakeDdResult(100);
constexpr HRESULT DDERR_INVALIDMODE = MakeDdResult(120);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDdResult(130);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDdResult(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDdResult(150);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDdResult(212);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDdResult(215);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDdResult(230);
constexpr HRESULT DDERR_NOTFOUND = MakeDdResult(260);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDdResult(380);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDdResult(430);
constexpr HRESULT DDERR_SURFACELOST = MakeDdResult(450);
constexpr HRESULT DDERR_SURFACENOTATTACHED = MakeDdResult(460);
constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MakeDdResult(567);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDdResult(568);
constexpr HRESULT DDERR_NOHWND = MakeDdResult(569);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDdResult(572);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDdResult(574);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDdResult(582);
constexpr HRESULT DDERR_NOTLOCKED = MakeDdResult(584);
constexpr HRESULT DDERR_NODC = MakeDdResult(586);
constexpr HRESULT DDERR_NOTPALETTIZED = MakeDdResult(589);

// Cooperative levels.
constexpr DWORD DDSCL_FULLSCREEN = 0x01;
constexpr DWORD DDSCL_NORMAL = 0x08;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;
constexpr DWORD DDSCL_ALLOWMODEX = 0x40;

// Surface description fields present.
constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;
constexpr DWORD DDSD_LPSURFACE = 0x800;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSD_CKDESTBLT = 0x4000;
constexpr DWORD DDSD_CKSRCBLT = 0x10000;

// Surface capabilities.
constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x20;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x4000;

// Blit, fast-blit, flip, lock and colour-key flags.
constexpr DWORD DDBLT_COLORFILL = 0x400;
constexpr DWORD DDBLT_DDFX = 0x800;
constexpr DWORD DDBLT_WAIT = 0x1000000;
constexpr DWORD DDBLT_KEYDEST = 0x2000;
constexpr DWORD DDBLT_KEYSRC = 0x8000;
constexpr DWORD DDBLTFX_NOTEARING = 0x8;
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x0;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr DWORD DDBLTFAST_DESTCOLORKEY = 0x2;
constexpr DWORD DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDFLIP_WAIT = 0x1;
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDCKEY_DESTBLT = 0x2;
constexpr DWORD DDCKEY_SRCBLT = 0x8;
constexpr DWORD DDPCAPS_8BIT = 0x4;
constexpr DWORD DDPCAPS_ALLOW256 = 0x40;

// Driver capabilities (Caps::caps and Caps::colorKeyCaps).
constexpr DWORD DDCAPS_BANKSWITCHED = 0x8;
constexpr DWORD DDCAPS_BLT = 0x40;
constexpr DWORD DDCAPS_BLTSTRETCH = 0x200;
constexpr DWORD DDCAPS_COLORKEY = 0x400000;
constexpr DWORD DDCAPS_BLTCOLORFILL = 0x4000000;
constexpr DWORD DDCAPS_NOHARDWARE = 0x2000000;
constexpr DWORD DDCKEYCAPS_DESTBLT = 0x1;
constexpr DWORD DDCKEYCAPS_SRCBLT = 0x200;

struct ColorKey {
    DWORD low = 0, high = 0;
};

struct BltFx {
    DWORD fxFlags = 0;     // DDBLTFX_*
    DWORD fillColor = 0;   // pixel value for DDBLT_COLORFILL
};

struct Caps {
    DWORD caps = 0;          // DDCAPS_*
    DWORD colorKeyCaps = 0;  // DDCKEYCAPS_*
    DWORD videoMemoryTotal = 0;
    DWORD videoMemoryFree = 0;
};

struct DisplayMode {
    int width = 0, height = 0, bitsPerPixel = 0, refreshRate = 0;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

class Surface;
class Palette;
class Clipper;

struct SurfaceDesc {
    DWORD flags = 0;           // DDSD_*: which of the fields below count
    int width = 0, height = 0;
    int pitch = 0;             // bytes from one row to the next
    int bitsPerPixel = 0;
    DWORD caps = 0;            // DDSCAPS_*
    DWORD backBufferCount = 0;
    ColorKey srcColorKey, destColorKey;
    void* surface = nullptr;   // first pixel while locked
};

// Shared reference counting. Release returns the references left.
class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;
    unsigned AddRef() { return ++refs_; }
    unsigned Release();
    unsigned RefCount() const { return refs_; }

protected:
    virtual ~RefCounted() = default;

private:
    unsigned refs_ = 1;
};

class Palette : public RefCounted {
public:
    HRESULT GetEntries(DWORD start, DWORD count, PaletteEntry* out) const;
    // Writing the palette attached to the primary surface changes the picture
    // on the screen (shown by the next flip, or soon after when no flip comes).
    HRESULT SetEntries(DWORD start, DWORD count, const PaletteEntry* entries);
    const PaletteEntry* Entries() const { return entries_; }
    // How many times the entries changed (for presenting only on change).
    uint64_t Generation() const { return generation_; }

private:
    friend class DirectDraw;
    Palette() = default;
    PaletteEntry entries_[256];
    uint64_t generation_ = 1;
};

class Clipper : public RefCounted {
public:
    // Clips to the client area of the window.
    HRESULT SetHWnd(DWORD flags, HWND window);
    // Clips to a list of rectangles (surface coordinates). Fails while the
    // clipper follows a window.
    HRESULT SetClipList(const std::vector<RECT>& rects, DWORD flags);
    HRESULT GetHWnd(HWND* window) const;
    // The rectangles that may be drawn, in the attached surface's coordinates.
    std::vector<RECT> EffectiveRects(const Surface& target) const;

private:
    friend class DirectDraw;
    Clipper() = default;
    HWND window_ = nullptr;
    std::vector<RECT> rects_;
};

class Surface : public RefCounted {
public:
    HRESULT Lock(const RECT* rect, SurfaceDesc* desc, DWORD flags);
    HRESULT Unlock(const void* lockedPointer);
    // Blit from source (null only with DDBLT_COLORFILL) onto destRect of this
    // surface, stretching when the rectangles differ in size, clipped by an
    // attached clipper. Without a clipper every rectangle must lie inside its
    // surface (DDERR_INVALIDRECT).
    HRESULT Blt(const RECT* destRect, Surface* source, const RECT* sourceRect, DWORD flags,
                const BltFx* fx);
    // Unscaled copy to (x, y); no clipper may be attached.
    HRESULT BltFast(int x, int y, Surface* source, const RECT* sourceRect, DWORD flags);
    // Rotates the chain's pixel memory (front <- back <- ... <- front) and
    // shows the new front buffer.
    HRESULT Flip(Surface* targetOverride, DWORD flags);
    // The back buffer of a flipping chain, with a new reference.
    HRESULT GetAttachedSurface(DWORD caps, Surface** out);
    HRESULT GetColorKey(DWORD which, ColorKey* key) const;
    HRESULT SetColorKey(DWORD which, const ColorKey* key);  // null removes the key
    HRESULT SetPalette(Palette* palette);                   // null detaches
    HRESULT GetPalette(Palette** out) const;
    HRESULT SetClipper(Clipper* clipper);                   // null detaches
    HRESULT GetClipper(Clipper** out) const;
    HRESULT IsLost() const;   // DD_OK or DDERR_SURFACELOST
    HRESULT Restore();
    HRESULT GetSurfaceDesc(SurfaceDesc* desc) const;
    // GDI drawing on the surface (platform/gdi.h). The surface counts as
    // locked until ReleaseDC.
    HRESULT GetDC(gdi::DeviceContext** dc);
    HRESULT ReleaseDC(gdi::DeviceContext* dc);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    DWORD Caps() const { return caps_; }
    bool Lost() const { return lost_; }
    bool IsPrimary() const { return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0; }
    Palette* AttachedPalette() const { return palette_; }
    Clipper* AttachedClipper() const { return clipper_; }
    // Direct access for the emulation's own pixel work and for tests.
    uint8_t* Pixels() { return pixels_.data(); }
    const uint8_t* Pixels() const { return pixels_.data(); }
    // The palette that pixel values of this surface mean: its own, else the
    // primary surface's, else the adapter's start-up palette.
    const PaletteEntry* EffectivePalette() const;
    // Screen origin of a windowed primary's client area (else 0, 0).
    POINT WindowOrigin() const;

    // Emulation internals.
    void MarkLost();
    // `moved`: how the picture shown last was moved to start this one.
    void PresentIfPrimary(const PictureMove* moved = nullptr);

protected:
    ~Surface() override;

private:
    friend class DirectDraw;
    Surface(int width, int height, int bitsPerPixel, DWORD caps, bool countsVideoMemory);
    uint32_t ReadPixel(int x, int y) const;
    void WritePixel(int x, int y, uint32_t value);
    bool Busy() const { return lockCount_ > 0 || dc_ != nullptr; }
    friend class gdi::DeviceContext;
    friend struct BlitAccess;

    int width_, height_, bitsPerPixel_, pitch_;
    DWORD caps_;
    bool countsVideoMemory_;
    std::vector<uint8_t> pixels_;
    bool lost_ = false;
    bool hasSrcKey_ = false, hasDestKey_ = false;
    ColorKey srcKey_, destKey_;
    Palette* palette_ = nullptr;
    Clipper* clipper_ = nullptr;
    int lockCount_ = 0;
    gdi::DeviceContext* dc_ = nullptr;
    // Flipping chain: the primary holds a reference on each back buffer;
    // every member knows its chain head.
    std::vector<Surface*> chain_;
    Surface* chainHead_ = nullptr;
    // A back buffer started from its front buffer moved by this much (a
    // scroll); handed to the present at the next flip.
    PictureMove movedFromFront_;
    bool hasMove_ = false;
};

class DirectDraw : public RefCounted {
public:
    // The second interface is the same object with another reference.
    HRESULT QueryDirectDraw2(DirectDraw** out);
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    // Calls back once per mode (with its refresh rate) until it returns false.
    HRESULT EnumDisplayModes(const std::function<bool(const DisplayMode&)>& callback) const;
    HRESULT SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate);
    HRESULT GetCaps(Caps* driver, Caps* emulation) const;
    HRESULT GetMonitorFrequency(DWORD* hertz) const;
    HRESULT CreateSurface(const SurfaceDesc& desc, Surface** out);
    HRESULT CreatePalette(DWORD flags, const PaletteEntry entries[256], Palette** out);
    HRESULT CreateClipper(DWORD flags, Clipper** out);

    bool Exclusive() const { return exclusive_; }
    HWND Window() const { return window_; }
    const DisplayMode& Mode() const { return mode_; }

protected:
    ~DirectDraw() override;

private:
    friend HRESULT DirectDrawCreate(bool emulationOnly, DirectDraw** out);
    explicit DirectDraw(bool emulationOnly);
    bool emulationOnly_;
    bool exclusive_ = false;
    bool levelSet_ = false;
    HWND window_ = nullptr;
    DisplayMode mode_;
    int activationListener_ = 0;
    int pumpHook_ = 0;
};

// emulationOnly: no hardware acceleration and no video memory.
HRESULT DirectDrawCreate(bool emulationOnly, DirectDraw** out);

}  // namespace platform::dd
