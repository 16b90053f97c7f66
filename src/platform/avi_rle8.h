#pragma once
// RLE8, the run-length coding of 8-bit DIB frames. Rows are coded bottom row
// first; a frame may skip pixels (delta and end-of-line codes), leaving what
// the previous frame put there.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::avi {

// Codes a top-down picture of width x height bytes (rows width bytes apart).
// With previous (the picture shown before, same size), pixels that did not
// change are skipped; without it every pixel is coded.
std::vector<uint8_t> EncodeRle8(const uint8_t* pixels, const uint8_t* previous, int width,
                                int height);

// Decodes into a top-down picture (rows pitch bytes apart); pixels that the
// data skips keep their value. Returns false, having possibly written part of
// the picture, when a code would write outside it or the data ends inside a
// code. Data that ends without the end-of-bitmap code is accepted.
bool DecodeRle8(const uint8_t* data, size_t size, uint8_t* pixels, int width, int height,
                int pitch);

}  // namespace platform::avi
