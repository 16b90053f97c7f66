#pragma once
// The headers of a .bmp file as the loaders read them: the 14-byte file
// header and the 40-byte information header, little-endian.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace display {

struct BitmapHeaders {
    uint32_t bfSize = 0, bfOffBits = 0;
    uint32_t biSize = 0;
    int32_t biWidth = 0, biHeight = 0;
    uint16_t biBitCount = 0;
    uint32_t biClrUsed = 0;
};

// Reads both headers (54 bytes) from the file's current position. False when
// the file ends first.
bool ReadBitmapHeaders(FILE* file, BitmapHeaders* headers);

// The pixel block of an 8-bit picture: bfSize - bfOffBits bytes from
// bfOffBits, cut short where the file ends. Rows are (bfSize - bfOffBits) /
// biHeight bytes apart, whatever the width.
struct PixelBlock {
    std::vector<uint8_t> bytes;
    uint32_t stride = 0;
};
bool ReadPixelBlock(FILE* file, const BitmapHeaders& headers, PixelBlock* block);

// Copies the bottom-up rows of the block into a top-down destination of
// width x height bytes per row, pitch bytes apart. Rows or parts of rows the
// block does not hold are left as they are.
void CopyRowsBottomUp(const PixelBlock& block, int height, uint8_t* dest, int pitch, int width);

}  // namespace display
