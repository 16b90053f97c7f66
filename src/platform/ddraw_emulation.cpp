#include "platform/ddraw_emulation.h"

#include "platform/ddraw_state.h"

namespace platform::dd {
namespace detail {

State& GetState() {
    static State state;
    return state;
}

}  // namespace detail

namespace emulation {

Adapter DefaultAdapter() {
    Adapter adapter;
    adapter.driverCaps.caps = DDCAPS_BLT | DDCAPS_BLTCOLORFILL | DDCAPS_BLTSTRETCH | DDCAPS_COLORKEY;
    adapter.driverCaps.colorKeyCaps = DDCKEYCAPS_SRCBLT;
    adapter.driverCaps.videoMemoryTotal = 4u << 20;
    adapter.emulationCaps.caps = DDCAPS_BLT | DDCAPS_BLTCOLORFILL | DDCAPS_BLTSTRETCH | DDCAPS_COLORKEY;
    adapter.emulationCaps.colorKeyCaps = DDCKEYCAPS_SRCBLT;
    static const int sizes[][2] = {{320, 200}, {320, 240}, {400, 300},  {512, 384},  {640, 400},
                                   {640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024}};
    for (const auto& size : sizes) {
        for (int bits : {8, 16, 32}) {
            adapter.modes.push_back({size[0], size[1], bits, 60});
            if (size[0] == 640 && size[1] == 480) adapter.modes.push_back({size[0], size[1], bits, 72});
            adapter.modes.push_back({size[0], size[1], bits, 75});
        }
    }
    return adapter;
}

void Reset() {
    auto& state = detail::GetState();
    state.adapter = DefaultAdapter();
    ClearFaults();
}

Adapter& Current() { return detail::GetState().adapter; }

void FailNext(Op op, HRESULT code, int times) {
    auto& queue = detail::GetState().faults[static_cast<size_t>(op)];
    for (int i = 0; i < times; ++i) queue.push_back(code);
}

void ClearFaults() {
    for (auto& queue : detail::GetState().faults) queue.clear();
}

HRESULT TakeFault(Op op) {
    auto& queue = detail::GetState().faults[static_cast<size_t>(op)];
    if (queue.empty()) return DD_OK;
    HRESULT code = queue.front();
    queue.pop_front();
    return code;
}

void LoseAllSurfaces() {
    for (Surface* surface : detail::GetState().surfaces) surface->MarkLost();
}

DWORD VideoMemoryUsed() { return detail::GetState().videoMemoryUsed; }

int LiveSurfaceCount() { return static_cast<int>(detail::GetState().surfaces.size()); }

const PaletteEntry* StartupPalette() {
    static const auto table = [] {
        std::array<PaletteEntry, 256> entries{};
        for (int i = 0; i < 256; ++i) {
            entries[i].red = static_cast<uint8_t>(((i >> 5) & 7) * 255 / 7);
            entries[i].green = static_cast<uint8_t>(((i >> 2) & 7) * 255 / 7);
            entries[i].blue = static_cast<uint8_t>((i & 3) * 255 / 3);
        }
        return entries;
    }();
    return table.data();
}

}  // namespace emulation
}  // namespace platform::dd
