#include "platform/ddraw_pixels.h"

#include <cstddef>
#include <cstring>

namespace platform::dd::detail {
namespace {

inline uint32_t Read(const PixelView& view, int x, int y) {
    const uint8_t* row = view.pixels + static_cast<ptrdiff_t>(y) * view.pitch;
    if (view.bitsPerPixel == 8) return row[x];
    uint32_t value;
    std::memcpy(&value, row + x * 4, 4);
    return value;
}

inline void Write(const PixelView& view, int x, int y, uint32_t value) {
    uint8_t* row = view.pixels + static_cast<ptrdiff_t>(y) * view.pitch;
    if (view.bitsPerPixel == 8) {
        row[x] = static_cast<uint8_t>(value);
    } else {
        std::memcpy(row + x * 4, &value, 4);
    }
}

}  // namespace

void FillRect(const PixelView& dest, const RECT& rect, uint32_t value) {
    const int width = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint8_t* row = dest.pixels + static_cast<ptrdiff_t>(y) * dest.pitch;
        if (dest.bitsPerPixel == 8) {
            std::memset(row + rect.left, static_cast<uint8_t>(value), static_cast<size_t>(width));
        } else {
            auto* out = reinterpret_cast<uint32_t*>(row) + rect.left;
            for (int x = 0; x < width; ++x) out[x] = value;
        }
    }
}

void CopyRect(const PixelView& dest, const RECT& destRect, const RECT& clip,
              const PixelView& source, const RECT& sourceRect, const KeyRange& sourceKey,
              const KeyRange& destKey, RowPath path) {
    const int64_t dw = destRect.right - destRect.left, dh = destRect.bottom - destRect.top;
    const int64_t sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    const int bytes = dest.bitsPerPixel / 8;
    const bool unscaled = dw == sw && dh == sh;
    const bool keyed = sourceKey.active || destKey.active;
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sy = static_cast<int>(sourceRect.top + (y - destRect.top) * sh / dh);
        if (unscaled && !keyed) {
            const int sx = static_cast<int>(sourceRect.left + (clip.left - destRect.left));
            std::memmove(dest.pixels + static_cast<ptrdiff_t>(y) * dest.pitch + clip.left * bytes,
                         source.pixels + static_cast<ptrdiff_t>(sy) * source.pitch + sx * bytes,
                         static_cast<size_t>(clip.right - clip.left) * bytes);
            continue;
        }
        if (unscaled && dest.bitsPerPixel == 8) {
            // The common sprite case: a straight keyed row copy.
            const uint8_t* from = source.pixels + static_cast<ptrdiff_t>(sy) * source.pitch +
                                  (sourceRect.left + (clip.left - destRect.left));
            uint8_t* to = dest.pixels + static_cast<ptrdiff_t>(y) * dest.pitch + clip.left;
            CopyKeyedRow8(to, from, clip.right - clip.left, sourceKey, destKey, path);
            continue;
        }
        for (int x = clip.left; x < clip.right; ++x) {
            const int sx = unscaled ? static_cast<int>(sourceRect.left + (x - destRect.left))
                                    : static_cast<int>(sourceRect.left + (x - destRect.left) * sw / dw);
            const uint32_t value = Read(source, sx, sy);
            if (sourceKey.active && sourceKey.Matches(value)) continue;
            if (destKey.active && !destKey.Matches(Read(dest, x, y))) continue;
            Write(dest, x, y, value);
        }
    }
}

}  // namespace platform::dd::detail
