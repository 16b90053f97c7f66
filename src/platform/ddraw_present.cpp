// Showing the primary surface in the window.
#include <algorithm>

#include "platform/clock.h"
#include "platform/ddraw.h"
#include "platform/ddraw_emulation.h"
#include "platform/ddraw_state.h"
#include "platform/messages.h"

namespace platform::dd {
namespace {

// A palette change waits this long for a flip before it is shown on its own,
// so that a running game presents once per frame.
constexpr uint32_t kPaletteGraceMs = 100;

struct VisibleArea {
    const uint8_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0, bitsPerPixel = 8;
};

// The part of the primary that the window shows: the whole front buffer in
// exclusive mode, the window's client area on the desktop otherwise.
VisibleArea VisiblePart(const Surface& primary) {
    VisibleArea area{primary.Pixels(), primary.Width(), primary.Height(), primary.Pitch(),
                     primary.BitsPerPixel()};
    const auto& state = detail::GetState();
    if (!state.object || state.object->Exclusive() || !state.object->Window()) return area;
    RECT client;
    if (!GetClientRect(state.object->Window(), &client)) return VisibleArea{};
    const POINT origin = primary.WindowOrigin();
    const int left = std::clamp<int>(origin.x, 0, primary.Width());
    const int top = std::clamp<int>(origin.y, 0, primary.Height());
    const int right = std::clamp<int>(origin.x + (client.right - client.left), left, primary.Width());
    const int bottom = std::clamp<int>(origin.y + (client.bottom - client.top), top, primary.Height());
    area.pixels += static_cast<size_t>(top) * area.pitch +
                   static_cast<size_t>(left) * (area.bitsPerPixel / 8);
    area.width = right - left;
    area.height = bottom - top;
    return area;
}

void Present(const Surface& primary, const PictureMove* moved = nullptr) {
    auto& state = detail::GetState();
    const VisibleArea area = VisiblePart(primary);
    if (area.width <= 0 || area.height <= 0) return;
    if (area.bitsPerPixel == 8) {
        PresentIndexed(area.pixels, area.width, area.height, area.pitch, primary.EffectivePalette(), moved);
    } else {
        PresentRgb32(reinterpret_cast<const uint32_t*>(area.pixels), area.width, area.height,
                     area.pitch / 4);
    }
    state.presentedPalette = primary.AttachedPalette();
    state.presentedGeneration = state.presentedPalette ? state.presentedPalette->Generation() : 0;
    state.lastPresentMs = timeGetTime();
}

}  // namespace

void Surface::PresentIfPrimary(const PictureMove* moved) {
    // Back buffers are shown by the flip; a flipping chain's front buffer and
    // a primary without back buffers show every change at once.
    if (IsPrimary() && detail::GetState().primary == this) Present(*this, moved);
}

namespace detail {

void PresentPendingPalette() {
    auto& state = GetState();
    const Surface* primary = state.primary;
    if (!primary || primary->Lost() || primary->BitsPerPixel() != 8) return;
    const Palette* palette = primary->AttachedPalette();
    const bool changed = palette != state.presentedPalette ||
                         (palette && palette->Generation() != state.presentedGeneration);
    if (changed && timeGetTime() - state.lastPresentMs >= kPaletteGraceMs) Present(*primary);
}

}  // namespace detail

namespace emulation {

Screenshot CaptureFrontBuffer() {
    Screenshot shot;
    const Surface* primary = detail::GetState().primary;
    if (!primary) return shot;
    const VisibleArea area = VisiblePart(*primary);
    if (area.width <= 0 || area.height <= 0) return shot;
    shot.width = area.width;
    shot.height = area.height;
    shot.rgb.resize(static_cast<size_t>(area.width) * area.height * 3);
    const PaletteEntry* palette = primary->EffectivePalette();
    uint8_t* out = shot.rgb.data();
    for (int y = 0; y < area.height; ++y) {
        const uint8_t* row = area.pixels + static_cast<size_t>(y) * area.pitch;
        for (int x = 0; x < area.width; ++x) {
            if (area.bitsPerPixel == 8) {
                const PaletteEntry& entry = palette[row[x]];
                *out++ = entry.red;
                *out++ = entry.green;
                *out++ = entry.blue;
            } else {
                const uint8_t* pixel = row + x * 4;   // 0x00RRGGBB, little-endian
                *out++ = pixel[2];
                *out++ = pixel[1];
                *out++ = pixel[0];
            }
        }
    }
    return shot;
}

}  // namespace emulation
}  // namespace platform::dd
