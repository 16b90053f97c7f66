#pragma once
// Process-wide state of the video emulation, shared by its source files.
#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/ddraw.h"
#include "platform/ddraw_emulation.h"

namespace platform::dd::detail {

struct State {
    emulation::Adapter adapter = emulation::DefaultAdapter();
    std::array<std::deque<HRESULT>, static_cast<size_t>(emulation::Op::Count)> faults;
    std::vector<Surface*> surfaces;   // every live surface
    DWORD videoMemoryUsed = 0;
    DirectDraw* object = nullptr;     // the newest live DirectDraw object
    Surface* primary = nullptr;
    // What the window shows: which palette at which generation, and when.
    const Palette* presentedPalette = nullptr;
    uint64_t presentedGeneration = 0;
    uint32_t lastPresentMs = 0;
};
State& GetState();

// Shows a palette change of the primary surface that no flip has shown
// within a short while (called from the event pump).
void PresentPendingPalette();

// Bytes of a row of the given width, rounded up to 8 like display memory.
inline int PitchFor(int width, int bitsPerPixel) {
    return ((width * (bitsPerPixel / 8)) + 7) & ~7;
}

}  // namespace platform::dd::detail
