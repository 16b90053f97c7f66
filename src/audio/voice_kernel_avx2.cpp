// The linear-run kernel sixteen frames at a time with AVX2, the same integer
// arithmetic as the SSE2 kernel (see there) in 256-bit registers.
//
// Sample pairs: while eight frames span at most 16 samples (a step below
// about 2.1) they come from two 16-sample windows, one starting at the first
// frame's sample and one a sample later: the frame k sample pair at offset r
// is word r / 2 of the first window for an even r, of the second for an odd
// r, picked by a cross-lane permute and a blend. Faster steps, and windows
// that would read past the samples, load each pair on its own.
//
// 256-bit packs work within 128-bit halves, so sixteen frames sit in the
// order 0-3, 8-11, 4-7, 12-15; the fractions are laid out in that order too.
// Built for any x86-64 and run only where the processor has AVX2.
#include "audio/voice_render_parts.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

#include <cstring>

#define TW_AVX2 __attribute__((target("avx2")))

namespace voice_render {
namespace {

// Eight frames span at most 16 samples plus the pair's second below this.
constexpr uint64_t kWindowIncrement = (16 * 65536 - 65536) / 7;
constexpr uint64_t kWindowSamples = 17;

// The sample pairs (a low, b high) of four frames in 32-bit lanes.
TW_AVX2 inline __m128i FourPairs(const int16_t* samples, uint64_t at0, uint64_t at1, uint64_t at2, uint64_t at3) {
    int32_t p0, p1, p2, p3;
    std::memcpy(&p0, samples + (at0 >> 16), 4);
    std::memcpy(&p1, samples + (at1 >> 16), 4);
    std::memcpy(&p2, samples + (at2 >> 16), 4);
    std::memcpy(&p3, samples + (at3 >> 16), 4);
    return _mm_unpacklo_epi64(_mm_unpacklo_epi32(_mm_cvtsi32_si128(p0), _mm_cvtsi32_si128(p1)),
                              _mm_unpacklo_epi32(_mm_cvtsi32_si128(p2), _mm_cvtsi32_si128(p3)));
}

// The sample pairs of frames at, at + increment, ... at + 7 x increment.
TW_AVX2 inline __m256i EightPairs(const LinearRun& run, uint64_t at, const uint64_t* offsets, __m256i offsets32,
                                  bool window) {
    const uint64_t first = at >> 16;
    if (window && first + kWindowSamples <= run.sampleCount) {
        const __m256i r = _mm256_srli_epi32(_mm256_add_epi32(_mm256_set1_epi32(int32_t(at & 0xFFFF)), offsets32), 16);
        const __m256i half = _mm256_srli_epi32(r, 1);
        const __m256i even = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(run.samples + first)), half);
        const __m256i odd = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(run.samples + first + 1)), half);
        return _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(even), _mm256_castsi256_ps(odd),
                                                    _mm256_castsi256_ps(_mm256_slli_epi32(r, 31))));
    }
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(FourPairs(run.samples, at, at + offsets[1], at + offsets[2], at + offsets[3])),
        FourPairs(run.samples, at + offsets[4], at + offsets[5], at + offsets[6], at + offsets[7]), 1);
}

// Adds eight frames, given as the sample of each frame twice (left, right)
// in the order 0-3 | 4-7, times the split gains into sum[0 .. 16). Gains
// below 1 (the high halves 0, as for most voices) need no multiply-add: the
// low term, widened, is the whole product.
TW_AVX2 inline void AddScaled(__m256i twice, __m256i gainLow, __m256i gainHigh, bool highGain, int32_t* sum) {
    const __m256i negative = _mm256_srai_epi16(twice, 15);
    const __m256i low =
        _mm256_sub_epi16(_mm256_mulhi_epu16(twice, gainLow), _mm256_and_si256(negative, gainLow));
    __m256i first, second;
    if (highGain) {
        const __m256i pairs01 = _mm256_madd_epi16(_mm256_unpacklo_epi16(twice, low), gainHigh);  // 0 1 | 4 5
        const __m256i pairs23 = _mm256_madd_epi16(_mm256_unpackhi_epi16(twice, low), gainHigh);  // 2 3 | 6 7
        first = _mm256_permute2x128_si256(pairs01, pairs23, 0x20);
        second = _mm256_permute2x128_si256(pairs01, pairs23, 0x31);
    } else {
        first = _mm256_cvtepi16_epi32(_mm256_castsi256_si128(low));
        second = _mm256_cvtepi16_epi32(_mm256_extracti128_si256(low, 1));
    }
    __m256i* out = reinterpret_cast<__m256i*>(sum);
    _mm256_storeu_si256(out, _mm256_add_epi32(_mm256_loadu_si256(out), first));
    _mm256_storeu_si256(out + 1, _mm256_add_epi32(_mm256_loadu_si256(out + 1), second));
}

}  // namespace

bool Avx2Built() { return __builtin_cpu_supports("avx2"); }

TW_AVX2 void LinearFramesAvx2(const LinearRun& run, int32_t* sum, int32_t frames) {
    constexpr int64_t kMaxGain = 0x7FFFFFFF;  // (g >> 16) must fit a signed 16-bit lane
    if (run.gainLeft < 0 || run.gainRight < 0 || run.gainLeft > kMaxGain || run.gainRight > kMaxGain)
        return LinearFramesSse2(run, sum, frames);
    const uint32_t left = uint32_t(run.gainLeft), right = uint32_t(run.gainRight);
    const int16_t ll = int16_t(left), rl = int16_t(right), lh = int16_t(left >> 16), rh = int16_t(right >> 16);
    const __m256i gainLow = _mm256_setr_epi16(ll, rl, ll, rl, ll, rl, ll, rl, ll, rl, ll, rl, ll, rl, ll, rl);
    const __m256i gainHigh = _mm256_setr_epi16(lh, 1, rh, 1, lh, 1, rh, 1, lh, 1, rh, 1, lh, 1, rh, 1);
    const bool highGain = lh != 0 || rh != 0;
    uint64_t offsets[16];
    for (int k = 0; k < 16; ++k) offsets[k] = uint64_t(k) * run.increment;
    const bool window = run.increment < kWindowIncrement;
    const __m256i offsets32 = window ? _mm256_setr_epi32(0, int32_t(offsets[1]), int32_t(offsets[2]),
                                                         int32_t(offsets[3]), int32_t(offsets[4]), int32_t(offsets[5]),
                                                         int32_t(offsets[6]), int32_t(offsets[7]))
                                     : _mm256_setzero_si256();
    const uint16_t fractionStep = run.interpolate ? uint16_t(run.increment) : 0;
    const __m256i fractionSteps =
        _mm256_mullo_epi16(_mm256_set1_epi16(int16_t(fractionStep)),
                           _mm256_setr_epi16(0, 1, 2, 3, 8, 9, 10, 11, 4, 5, 6, 7, 12, 13, 14, 15));
    const uint64_t fractionMask = run.interpolate ? 0xFFFF : 0;
    uint64_t at = run.at;
    for (; frames >= 16; frames -= 16, sum += 32, at += 2 * offsets[8]) {
        const __m256i pairs0 = EightPairs(run, at, offsets, offsets32, window);
        const __m256i pairs1 = EightPairs(run, at + offsets[8], offsets, offsets32, window);
        const __m256i a = _mm256_packs_epi32(_mm256_srai_epi32(_mm256_slli_epi32(pairs0, 16), 16),
                                             _mm256_srai_epi32(_mm256_slli_epi32(pairs1, 16), 16));
        const __m256i b = _mm256_packs_epi32(_mm256_srai_epi32(pairs0, 16), _mm256_srai_epi32(pairs1, 16));
        const __m256i fraction = _mm256_add_epi16(_mm256_set1_epi16(int16_t(at & fractionMask)), fractionSteps);
        const __m256i bBelowA = _mm256_cmpgt_epi16(a, b);
        const __m256i s = _mm256_add_epi16(a, _mm256_sub_epi16(_mm256_mulhi_epu16(_mm256_sub_epi16(b, a), fraction),
                                                               _mm256_and_si256(bBelowA, fraction)));
        // s holds frames 0-3 8-11 | 4-7 12-15.
        AddScaled(_mm256_unpacklo_epi16(s, s), gainLow, gainHigh, highGain, sum);       // 0-3 | 4-7
        AddScaled(_mm256_unpackhi_epi16(s, s), gainLow, gainHigh, highGain, sum + 16);  // 8-11 | 12-15
    }
    if (frames > 0)
        LinearFramesSse2(LinearRun{run.samples, run.sampleCount, at, run.increment, run.gainLeft, run.gainRight,
                                   run.interpolate},
                         sum, frames);
}

}  // namespace voice_render

#else

namespace voice_render {
bool Avx2Built() { return false; }
void LinearFramesAvx2(const LinearRun& run, int32_t* sum, int32_t frames) { LinearFramesSse2(run, sum, frames); }
}  // namespace voice_render

#endif
