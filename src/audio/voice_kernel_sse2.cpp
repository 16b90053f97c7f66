// The linear-run kernel eight frames at a time with SSE2, exact to the
// portable kernel's integer arithmetic:
// - interpolation a + floor((b - a) x fraction / 65536) works in 16-bit
//   lanes: with d = b - a taken modulo 65536 (unsigned) the product is
//   d x fraction - 65536 x fraction when b < a, so the result is
//   a + high16(d x fraction) - (b < a ? fraction : 0), which always fits;
// - the gain g (0 .. 2^31) is split into g >> 16 and g & 0xFFFF:
//   floor(s x g / 65536) = s x (g >> 16) + floor(s x (g & 0xFFFF) / 65536),
//   the second term again a high half corrected for a negative s, and the
//   sum of both one multiply-add of the pair (s, term) with (g >> 16, 1).
#include "audio/voice_render_parts.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstring>

namespace voice_render {
namespace {

// The samples at index and index + 1 as one 32-bit lane (a low, b high).
inline __m128i SamplePair(const int16_t* samples, uint64_t at) {
    int32_t pair;
    std::memcpy(&pair, samples + (at >> 16), sizeof pair);
    return _mm_cvtsi32_si128(pair);
}

// Adds four frames, given as the sample of each frame twice (left, right),
// times the split gains into sum[0 .. 8).
inline void AddScaled(__m128i twice, __m128i gainLow, __m128i gainHigh, int32_t* sum) {
    const __m128i negative = _mm_srai_epi16(twice, 15);
    const __m128i low = _mm_sub_epi16(_mm_mulhi_epu16(twice, gainLow), _mm_and_si128(negative, gainLow));
    __m128i* out = reinterpret_cast<__m128i*>(sum);
    const __m128i first = _mm_madd_epi16(_mm_unpacklo_epi16(twice, low), gainHigh);
    const __m128i second = _mm_madd_epi16(_mm_unpackhi_epi16(twice, low), gainHigh);
    _mm_storeu_si128(out, _mm_add_epi32(_mm_loadu_si128(out), first));
    _mm_storeu_si128(out + 1, _mm_add_epi32(_mm_loadu_si128(out + 1), second));
}

}  // namespace

bool Sse2Built() { return true; }

void LinearFramesSse2(const LinearRun& run, int32_t* sum, int32_t frames) {
    constexpr int64_t kMaxGain = 0x7FFFFFFF;  // (g >> 16) must fit a signed 16-bit lane
    if (run.gainLeft < 0 || run.gainRight < 0 || run.gainLeft > kMaxGain || run.gainRight > kMaxGain)
        return LinearFramesPortable(run, sum, frames);
    const uint32_t left = uint32_t(run.gainLeft), right = uint32_t(run.gainRight);
    const __m128i gainLow = _mm_setr_epi16(int16_t(left), int16_t(right), int16_t(left), int16_t(right),
                                           int16_t(left), int16_t(right), int16_t(left), int16_t(right));
    const __m128i gainHigh = _mm_setr_epi16(int16_t(left >> 16), 1, int16_t(right >> 16), 1, int16_t(left >> 16), 1,
                                            int16_t(right >> 16), 1);
    // Fractions of frames 0..7 relative to the first (modulo 65536); none
    // when the voice does not interpolate.
    const uint16_t fractionStep = run.interpolate ? uint16_t(run.increment) : 0;
    const __m128i fractionSteps = _mm_mullo_epi16(_mm_set1_epi16(int16_t(fractionStep)),
                                                  _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7));
    const uint64_t fractionMask = run.interpolate ? 0xFFFF : 0;
    const int16_t* const samples = run.samples;
    const uint64_t i1 = run.increment, i2 = 2 * i1, i3 = 3 * i1, i4 = 4 * i1, i5 = 5 * i1, i6 = 6 * i1,
                   i7 = 7 * i1, i8 = 8 * i1;
    uint64_t at = run.at;
    for (; frames >= 8; frames -= 8, sum += 16, at += i8) {
        const __m128i pairs0 = _mm_unpacklo_epi64(
            _mm_unpacklo_epi32(SamplePair(samples, at), SamplePair(samples, at + i1)),
            _mm_unpacklo_epi32(SamplePair(samples, at + i2), SamplePair(samples, at + i3)));
        const __m128i pairs1 = _mm_unpacklo_epi64(
            _mm_unpacklo_epi32(SamplePair(samples, at + i4), SamplePair(samples, at + i5)),
            _mm_unpacklo_epi32(SamplePair(samples, at + i6), SamplePair(samples, at + i7)));
        const __m128i a = _mm_packs_epi32(_mm_srai_epi32(_mm_slli_epi32(pairs0, 16), 16),
                                          _mm_srai_epi32(_mm_slli_epi32(pairs1, 16), 16));
        const __m128i b = _mm_packs_epi32(_mm_srai_epi32(pairs0, 16), _mm_srai_epi32(pairs1, 16));
        const __m128i fraction = _mm_add_epi16(_mm_set1_epi16(int16_t(at & fractionMask)), fractionSteps);
        const __m128i bBelowA = _mm_cmpgt_epi16(a, b);
        const __m128i s = _mm_add_epi16(
            a, _mm_sub_epi16(_mm_mulhi_epu16(_mm_sub_epi16(b, a), fraction), _mm_and_si128(bBelowA, fraction)));
        AddScaled(_mm_unpacklo_epi16(s, s), gainLow, gainHigh, sum);
        AddScaled(_mm_unpackhi_epi16(s, s), gainLow, gainHigh, sum + 8);
    }
    if (frames > 0) LinearFramesPortable(LinearRun{samples, run.sampleCount, at, run.increment, run.gainLeft, run.gainRight,
                                                   run.interpolate},
                                         sum, frames);
}

}  // namespace voice_render

// The signed saturating pack is exactly the clamp to 16 bits.
void SaturateToSamples(const int32_t* sum, int16_t* out, size_t count) {
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sum + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sum + i + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packs_epi32(low, high));
    }
    for (; i < count; ++i) out[i] = int16_t(std::clamp<int32_t>(sum[i], -32768, 32767));
}

#else

namespace voice_render {
bool Sse2Built() { return false; }
void LinearFramesSse2(const LinearRun& run, int32_t* sum, int32_t frames) { LinearFramesPortable(run, sum, frames); }
}  // namespace voice_render

void SaturateToSamples(const int32_t* sum, int16_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) out[i] = int16_t(std::clamp<int32_t>(sum[i], -32768, 32767));
}

#endif
