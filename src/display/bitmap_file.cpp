#include "display/bitmap_file.h"

#include <algorithm>
#include <cstring>

namespace display {
namespace {

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }

long FileLength(FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long length = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return length;
}

}  // namespace

bool ReadBitmapHeaders(FILE* file, BitmapHeaders* headers) {
    uint8_t raw[54];
    if (!file || std::fread(raw, 1, sizeof raw, file) != sizeof raw) return false;
    headers->bfSize = U32(raw + 2);
    headers->bfOffBits = U32(raw + 10);
    headers->biSize = U32(raw + 14);
    headers->biWidth = static_cast<int32_t>(U32(raw + 18));
    headers->biHeight = static_cast<int32_t>(U32(raw + 22));
    headers->biBitCount = static_cast<uint16_t>(raw[28] | (raw[29] << 8));
    headers->biClrUsed = U32(raw + 46);
    return true;
}

bool ReadPixelBlock(FILE* file, const BitmapHeaders& headers, PixelBlock* block) {
    if (headers.biHeight <= 0 || headers.bfSize <= headers.bfOffBits) return false;
    const long length = FileLength(file);
    if (length < 0 || headers.bfOffBits > static_cast<unsigned long>(length)) return false;
    const uint32_t declared = headers.bfSize - headers.bfOffBits;
    block->stride = declared / static_cast<uint32_t>(headers.biHeight);
    const uint32_t available = static_cast<uint32_t>(
        std::min<unsigned long>(declared, static_cast<unsigned long>(length) - headers.bfOffBits));
    block->bytes.resize(available);
    if (std::fseek(file, static_cast<long>(headers.bfOffBits), SEEK_SET) != 0) return false;
    block->bytes.resize(std::fread(block->bytes.data(), 1, available, file));
    return true;
}

void CopyRowsBottomUp(const PixelBlock& block, int height, uint8_t* dest, int pitch, int width) {
    if (width <= 0) return;
    for (int r = 0; r < height; ++r) {
        const uint64_t start = static_cast<uint64_t>(r) * block.stride;
        if (start >= block.bytes.size()) break;
        const size_t count = static_cast<size_t>(std::min<uint64_t>(width, block.bytes.size() - start));
        std::memcpy(dest + static_cast<size_t>(height - 1 - r) * pitch, block.bytes.data() + start, count);
    }
}

}  // namespace display
