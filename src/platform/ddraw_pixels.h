#pragma once
// Pixel work of the video emulation over plain byte buffers: colour fills and
// copies (scaled nearest-neighbour, with source or destination colour keys).
// Rectangles are already checked and clipped by the caller.
#include <cstdint>

#include "platform/ddraw_rows.h"
#include "platform/win_types.h"

namespace platform::dd::detail {

struct PixelView {
    uint8_t* pixels = nullptr;
    int pitch = 0;
    int bitsPerPixel = 8;   // 8 or 32
};

struct KeyRange {
    bool active = false;
    uint32_t low = 0, high = 0;
    bool Matches(uint32_t value) const { return value >= low && value <= high; }
};

void FillRect(const PixelView& dest, const RECT& rect, uint32_t value);

// Copies sourceRect onto destRect (scaling when the sizes differ), writing
// only the part of destRect inside clip. A source pixel in sourceKey is
// skipped; with destKey only destination pixels in the key are written.
// The path picks the row kernel of unscaled 8-bit keyed copies.
void CopyRect(const PixelView& dest, const RECT& destRect, const RECT& clip,
              const PixelView& source, const RECT& sourceRect, const KeyRange& sourceKey,
              const KeyRange& destKey, RowPath path = RowPath::Best);

inline bool Intersect(const RECT& a, const RECT& b, RECT* out) {
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.left >= r.right || r.top >= r.bottom) return false;
    *out = r;
    return true;
}

inline bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace platform::dd::detail
