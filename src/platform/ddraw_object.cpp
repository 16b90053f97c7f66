#include <algorithm>

#include "platform/ddraw.h"
#include "platform/ddraw_emulation.h"
#include "platform/ddraw_state.h"
#include "platform/internal/hooks.h"
#include "platform/messages.h"

namespace platform::dd {

using emulation::Op;
using emulation::TakeFault;

namespace {

// Larger sizes than any display we emulate are refused rather than allocated.
constexpr int kMaxSurfaceSide = 8192;

DWORD VideoMemoryFree() {
    const auto& state = detail::GetState();
    const DWORD total = state.adapter.driverCaps.videoMemoryTotal;
    return total > state.videoMemoryUsed ? total - state.videoMemoryUsed : 0;
}

}  // namespace

HRESULT DirectDrawCreate(bool emulationOnly, DirectDraw** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (HRESULT fault = TakeFault(Op::Create)) return fault;
    *out = new DirectDraw(emulationOnly);
    return DD_OK;
}

DirectDraw::DirectDraw(bool emulationOnly) : emulationOnly_(emulationOnly) {
    detail::GetState().object = this;
    // Losing focus or being minimised in exclusive mode loses every surface.
    activationListener_ = internal::AddActivationListener([this](bool active, bool minimized) {
        if (exclusive_ && (!active || minimized)) emulation::LoseAllSurfaces();
    });
    pumpHook_ = internal::AddPumpHook([] { detail::PresentPendingPalette(); });
}

DirectDraw::~DirectDraw() {
    internal::RemoveActivationListener(activationListener_);
    internal::RemovePumpHook(pumpHook_);
    auto& state = detail::GetState();
    if (state.object == this) state.object = nullptr;
}

HRESULT DirectDraw::QueryDirectDraw2(DirectDraw** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (HRESULT fault = TakeFault(Op::QueryInterface)) return fault;
    AddRef();
    *out = this;
    return DD_OK;
}

HRESULT DirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    if (HRESULT fault = TakeFault(Op::SetCooperativeLevel)) return fault;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    if (exclusive != ((flags & DDSCL_FULLSCREEN) != 0)) return DDERR_INVALIDPARAMS;
    if (!exclusive && !(flags & DDSCL_NORMAL)) return DDERR_INVALIDPARAMS;
    if (exclusive && !window) return DDERR_NOHWND;
    if (exclusive_ && !exclusive) mode_ = DisplayMode{};   // back to the desktop
    exclusive_ = exclusive;
    window_ = window;
    levelSet_ = true;
    detail::GetState().object = this;
    return DD_OK;
}

HRESULT DirectDraw::EnumDisplayModes(const std::function<bool(const DisplayMode&)>& callback) const {
    if (!callback) return DDERR_INVALIDPARAMS;
    for (const DisplayMode& mode : detail::GetState().adapter.modes) {
        if (!callback(mode)) break;
    }
    return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate) {
    if (HRESULT fault = TakeFault(Op::SetDisplayMode)) return fault;
    if (!exclusive_) return DDERR_NOEXCLUSIVEMODE;
    if (bitsPerPixel != 8 && bitsPerPixel != 32) return DDERR_INVALIDMODE;
    const auto& modes = detail::GetState().adapter.modes;
    const bool offered = std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& mode) {
        return mode.width == width && mode.height == height && mode.bitsPerPixel == bitsPerPixel &&
               (refreshRate == 0 || mode.refreshRate == refreshRate);
    });
    if (!offered) return DDERR_INVALIDMODE;
    // A mode switch takes the display memory away from every surface.
    emulation::LoseAllSurfaces();
    mode_ = {width, height, bitsPerPixel, refreshRate};
    return DD_OK;
}

HRESULT DirectDraw::GetCaps(Caps* driver, Caps* emulation) const {
    if (HRESULT fault = TakeFault(Op::GetCaps)) return fault;
    if (!driver && !emulation) return DDERR_INVALIDPARAMS;
    const auto& adapter = detail::GetState().adapter;
    if (driver) {
        if (emulationOnly_) {
            *driver = Caps{DDCAPS_NOHARDWARE, 0, 0, 0};
        } else {
            *driver = adapter.driverCaps;
            driver->videoMemoryFree = VideoMemoryFree();
        }
    }
    if (emulation) *emulation = adapter.emulationCaps;
    return DD_OK;
}

HRESULT DirectDraw::GetMonitorFrequency(DWORD* hertz) const {
    if (!hertz) return DDERR_INVALIDPARAMS;
    if (HRESULT fault = TakeFault(Op::GetMonitorFrequency)) return fault;
    const DWORD frequency = detail::GetState().adapter.monitorFrequency;
    if (frequency == 0) return DDERR_UNSUPPORTED;
    *hertz = frequency;
    return DD_OK;
}

HRESULT DirectDraw::CreateSurface(const SurfaceDesc& desc, Surface** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (HRESULT fault = TakeFault(Op::CreateSurface)) return fault;
    if (!levelSet_) return DDERR_NOCOOPERATIVELEVELSET;
    auto& state = detail::GetState();
    const auto& adapter = state.adapter;
    const bool hardware = !emulationOnly_;

    if (desc.caps & DDSCAPS_PRIMARYSURFACE) {
        if (state.primary) return MakeDdResult(564);   // a primary already exists
        int width, height, bits;
        if (exclusive_ && mode_.width > 0) {
            width = mode_.width;
            height = mode_.height;
            bits = mode_.bitsPerPixel;
        } else {
            // The desktop: its size and depth.
            width = std::max(1, GetSystemMetricsScreenWidth());
            height = std::max(1, GetSystemMetricsScreenHeight());
            bits = adapter.desktopBitsPerPixel == 8 ? 8 : 32;
        }
        const bool flipping = (desc.caps & DDSCAPS_FLIP) != 0;
        const DWORD backBuffers = flipping ? desc.backBufferCount : 0;
        if (flipping && !exclusive_) return DDERR_NOEXCLUSIVEMODE;
        if (flipping && (backBuffers < 1 || backBuffers > 3)) return DDERR_INVALIDPARAMS;
        // The exclusive chain lives in display memory; the windowed primary
        // is the desktop that already exists.
        const bool counts = hardware && exclusive_;
        const DWORD bytes = static_cast<DWORD>(detail::PitchFor(width, bits)) *
                            static_cast<DWORD>(height) * (backBuffers + 1);
        if (counts && bytes > VideoMemoryFree()) return DDERR_OUTOFVIDEOMEMORY;
        auto* primary = new Surface(width, height, bits,
                                    DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY |
                                        (flipping ? DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_FRONTBUFFER : 0),
                                    counts);
        if (flipping) {
            primary->chain_.push_back(primary);
            for (DWORD i = 0; i < backBuffers; ++i) {
                auto* back = new Surface(width, height, bits,
                                         DDSCAPS_VIDEOMEMORY | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                                             (i == 0 ? DDSCAPS_BACKBUFFER : 0),
                                         counts);
                back->chainHead_ = primary;
                primary->chain_.push_back(back);
            }
        }
        state.primary = primary;
        state.presentedPalette = nullptr;
        *out = primary;
        return DD_OK;
    }

    if (!(desc.flags & DDSD_WIDTH) || !(desc.flags & DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
    if (desc.width <= 0 || desc.height <= 0 || desc.width > kMaxSurfaceSide ||
        desc.height > kMaxSurfaceSide) {
        return DDERR_INVALIDPARAMS;
    }
    int bits = exclusive_ && mode_.width > 0 ? mode_.bitsPerPixel
                                             : (adapter.desktopBitsPerPixel == 8 ? 8 : 32);
    if (desc.flags & DDSD_PIXELFORMAT) {
        if (desc.bitsPerPixel != 8 && desc.bitsPerPixel != 32) return DDERR_INVALIDPIXELFORMAT;
        bits = desc.bitsPerPixel;
    }
    const DWORD bytes = static_cast<DWORD>(detail::PitchFor(desc.width, bits)) *
                        static_cast<DWORD>(desc.height);
    const bool fitsVideo = hardware && bytes <= VideoMemoryFree();
    bool video;
    if (desc.caps & DDSCAPS_SYSTEMMEMORY) {
        video = false;
    } else if (desc.caps & DDSCAPS_VIDEOMEMORY) {
        if (!fitsVideo) return DDERR_OUTOFVIDEOMEMORY;
        video = true;
    } else {
        video = fitsVideo;
    }
    auto* surface = new Surface(desc.width, desc.height, bits,
                                DDSCAPS_OFFSCREENPLAIN |
                                    (video ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY),
                                video);
    if (desc.flags & DDSD_CKSRCBLT) surface->SetColorKey(DDCKEY_SRCBLT, &desc.srcColorKey);
    if (desc.flags & DDSD_CKDESTBLT) surface->SetColorKey(DDCKEY_DESTBLT, &desc.destColorKey);
    *out = surface;
    return DD_OK;
}

HRESULT DirectDraw::CreatePalette(DWORD, const PaletteEntry entries[256], Palette** out) {
    if (!out || !entries) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (HRESULT fault = TakeFault(Op::CreatePalette)) return fault;
    auto* palette = new Palette();
    std::copy(entries, entries + 256, palette->entries_);
    *out = palette;
    return DD_OK;
}

HRESULT DirectDraw::CreateClipper(DWORD, Clipper** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (HRESULT fault = TakeFault(Op::CreateClipper)) return fault;
    *out = new Clipper();
    return DD_OK;
}

HRESULT Palette::GetEntries(DWORD start, DWORD count, PaletteEntry* out) const {
    if (!out || start > 256 || count > 256 - start) return DDERR_INVALIDPARAMS;
    std::copy(entries_ + start, entries_ + start + count, out);
    return DD_OK;
}

HRESULT Palette::SetEntries(DWORD start, DWORD count, const PaletteEntry* entries) {
    if (HRESULT fault = TakeFault(Op::SetEntries)) return fault;
    if (!entries || start > 256 || count > 256 - start) return DDERR_INVALIDPARAMS;
    std::copy(entries, entries + count, entries_ + start);
    ++generation_;
    return DD_OK;
}

HRESULT Clipper::SetHWnd(DWORD, HWND window) {
    if (HRESULT fault = TakeFault(Op::SetHWnd)) return fault;
    window_ = window;
    return DD_OK;
}

HRESULT Clipper::SetClipList(const std::vector<RECT>& rects, DWORD) {
    if (HRESULT fault = TakeFault(Op::SetClipList)) return fault;
    if (window_) return DDERR_CLIPPERISUSINGHWND;
    rects_ = rects;
    return DD_OK;
}

HRESULT Clipper::GetHWnd(HWND* window) const {
    if (!window) return DDERR_INVALIDPARAMS;
    *window = window_;
    return DD_OK;
}

std::vector<RECT> Clipper::EffectiveRects(const Surface& target) const {
    if (!window_) return rects_;
    RECT client;
    if (!GetClientRect(window_, &client)) return {};
    // On the desktop (a windowed primary) the client area sits at its screen
    // position; on any other surface it starts at the origin.
    const POINT origin = target.WindowOrigin();
    return {RECT{origin.x, origin.y, origin.x + (client.right - client.left),
                 origin.y + (client.bottom - client.top)}};
}

}  // namespace platform::dd
