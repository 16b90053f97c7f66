#pragma once
// The one writer of 8-bit pictures: BITMAPFILEHEADER (14 bytes),
// BITMAPINFOHEADER (40 bytes), a 256-entry colour table (blue, green, red,
// 0), then the rows bottom-up, each padded to a multiple of 4 bytes, with
// bfSize the exact file length. The game's loader takes the row stride as
// (bfSize - bfOffBits) / height, which is the padded width only when bfSize
// is exact.
#include <cstdint>
#include <string>
#include <vector>

#include "world/palette_plan.h"

namespace assetgen {

// The file image of a picture of width x height index bytes, rows top-down.
std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<uint8_t>& pixels,
                                const world::palette_plan::Palette& palette);
// Writes it to path (directories are created). Returns 1, or 0 with a message
// on standard error.
int WriteBmp8(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels,
              const world::palette_plan::Palette& palette);
// Writes bytes to path, creating its directories. Returns 1 / 0 (with message).
int WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace assetgen
