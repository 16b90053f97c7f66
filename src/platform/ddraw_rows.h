#pragma once
// Row kernels of the 8-bit colour-keyed copy: a portable byte loop and, on
// x86-64, an SSE2 loop sixteen pixels at a time. Both give identical pixels;
// the fast one is the default and the portable one stays callable so tests
// can hold the two against each other.
#include <cstdint>

namespace platform::dd::detail {

struct KeyRange;

enum class RowPath { Best, Portable };

// Copies count pixels from `from` to `to`: a source pixel inside sourceKey is
// skipped; with destKey active only destination pixels inside it are
// written. The two rows must not overlap.
void CopyKeyedRow8(uint8_t* to, const uint8_t* from, int count, const KeyRange& sourceKey,
                   const KeyRange& destKey, RowPath path = RowPath::Best);

}  // namespace platform::dd::detail
