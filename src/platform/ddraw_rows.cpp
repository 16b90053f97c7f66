#include "platform/ddraw_rows.h"

#include "platform/ddraw_pixels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::dd::detail {
namespace {

void PortableKeyedRow8(uint8_t* to, const uint8_t* from, int count, const KeyRange& sourceKey,
                       const KeyRange& destKey) {
    for (int x = 0; x < count; ++x) {
        const uint8_t value = from[x];
        if (sourceKey.active && sourceKey.Matches(value)) continue;
        if (destKey.active && !destKey.Matches(to[x])) continue;
        to[x] = value;
    }
}

#if defined(__SSE2__)
// All-ones lanes where low <= value <= high (unsigned bytes).
inline __m128i InRange(__m128i value, __m128i low, __m128i high) {
    const __m128i aboveLow = _mm_cmpeq_epi8(_mm_max_epu8(value, low), value);
    const __m128i belowHigh = _mm_cmpeq_epi8(_mm_min_epu8(value, high), value);
    return _mm_and_si128(aboveLow, belowHigh);
}

inline __m128i Splat(uint32_t value) { return _mm_set1_epi8(static_cast<char>(value & 0xFF)); }

void Sse2KeyedRow8(uint8_t* to, const uint8_t* from, int count, const KeyRange& sourceKey,
                   const KeyRange& destKey) {
    // An 8-bit surface's key bounds above 255 cannot match a byte the same
    // way in both paths, so such keys take the portable loop.
    if ((sourceKey.active && (sourceKey.low > 0xFF || sourceKey.high > 0xFF)) ||
        (destKey.active && (destKey.low > 0xFF || destKey.high > 0xFF))) {
        PortableKeyedRow8(to, from, count, sourceKey, destKey);
        return;
    }
    const __m128i sourceLow = Splat(sourceKey.low), sourceHigh = Splat(sourceKey.high);
    const __m128i destLow = Splat(destKey.low), destHigh = Splat(destKey.high);
    const __m128i ones = _mm_set1_epi8(-1);
    int x = 0;
    for (; x + 16 <= count; x += 16) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        // write: lanes that take the source pixel.
        __m128i write = ones;
        if (sourceKey.active) write = _mm_andnot_si128(InRange(source, sourceLow, sourceHigh), ones);
        if (destKey.active) {
            const __m128i dest = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + x));
            write = _mm_and_si128(write, InRange(dest, destLow, destHigh));
        }
        const int lanes = _mm_movemask_epi8(write);
        if (lanes == 0) continue;  // all transparent: leave the row untouched
        __m128i* out = reinterpret_cast<__m128i*>(to + x);
        if (lanes == 0xFFFF) {
            _mm_storeu_si128(out, source);
        } else {
            const __m128i dest = _mm_loadu_si128(out);
            _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(write, source), _mm_andnot_si128(write, dest)));
        }
    }
    PortableKeyedRow8(to + x, from + x, count - x, sourceKey, destKey);
}
#endif

}  // namespace

void CopyKeyedRow8(uint8_t* to, const uint8_t* from, int count, const KeyRange& sourceKey,
                   const KeyRange& destKey, RowPath path) {
#if defined(__SSE2__)
    if (path == RowPath::Best) {
        Sse2KeyedRow8(to, from, count, sourceKey, destKey);
        return;
    }
#endif
    (void)path;
    PortableKeyedRow8(to, from, count, sourceKey, destKey);
}

}  // namespace platform::dd::detail
