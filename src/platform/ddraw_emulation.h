#pragma once
// Controls of the video emulation: the adapter it pretends to be (driver
// capabilities, video memory, display modes, desktop depth, monitor
// frequency) and fault injection, so that tests reach every failure branch of
// the display code. Settings take effect for objects created afterwards.
#include <vector>

#include "platform/ddraw.h"

namespace platform::dd::emulation {

struct Adapter {
    Caps driverCaps;       // hardware; DirectDrawCreate(emulationOnly) reports none
    Caps emulationCaps;    // software fallback
    std::vector<DisplayMode> modes;
    int desktopBitsPerPixel = 32;   // 8 or 32
    DWORD monitorFrequency = 60;    // 0: the driver does not report one
};

// A realistic mid-nineties adapter with 4 MiB of video memory, a blitter,
// colour fill and source colour keying, and 60 display modes (among them
// 640 x 480 x 8 at 60, 72 and 75 Hz).
Adapter DefaultAdapter();
// Restores the default adapter, clears pending faults. Objects alive stay.
void Reset();
Adapter& Current();

enum class Op {
    Create,            // DirectDrawCreate
    QueryInterface,
    SetCooperativeLevel,
    SetDisplayMode,
    GetCaps,
    GetMonitorFrequency,
    CreateSurface,
    CreatePalette,
    CreateClipper,
    GetAttachedSurface,
    Lock,
    Blt,               // Blt and colour fills
    BltFast,
    Flip,
    Restore,
    SetColorKey,
    SetPalette,        // attaching a palette to a surface
    SetEntries,
    SetClipper,        // attaching or detaching a clipper
    SetHWnd,
    SetClipList,
    GetDC,
    Count
};
// The next `times` calls of the operation fail with the code.
void FailNext(Op op, HRESULT code, int times = 1);
void ClearFaults();
// Consumed by the operations themselves: the pending fault, or DD_OK.
HRESULT TakeFault(Op op);

// Marks every live surface lost and discards its pixels, as losing the
// exclusive mode does.
void LoseAllSurfaces();
// Video memory in use by surfaces that count against the budget.
DWORD VideoMemoryUsed();
// Live surfaces (for leak checks in tests).
int LiveSurfaceCount();
// The palette of the adapter before any palette is attached (3-3-2 colours).
const PaletteEntry* StartupPalette();

// The primary surface as the window shows it: front buffer through the
// current palette (8-bit) or the client area (windowed, 32-bit). Empty when
// there is no primary surface.
Screenshot CaptureFrontBuffer();

}  // namespace platform::dd::emulation
