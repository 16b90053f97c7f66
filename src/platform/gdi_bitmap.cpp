// Device-independent bitmaps from .bmp files (uncompressed, bottom-up or
// top-down), read with every length checked against the file.
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/files.h"
#include "platform/gdi.h"

namespace platform::gdi {
namespace {

constexpr int kMaxSide = 16384;

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

std::vector<uint8_t> ReadWholeFile(const char* name) {
    std::vector<uint8_t> bytes;
    std::unique_ptr<FILE, int (*)(FILE*)> file(OpenFile(name, "rb"), &std::fclose);
    if (!file) return bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() > (size_t{256} << 20)) return {};   // not a picture of ours
    }
    return bytes;
}

// Decodes the file image into 32-bit pixels at its own size; false when it is
// short, compressed or otherwise not understood.
bool Decode(const std::vector<uint8_t>& file, Bitmap* out) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return false;
    const uint32_t offBits = U32(&file[10]);
    const uint32_t infoSize = U32(&file[14]);
    if (infoSize < 40 || 14 + static_cast<uint64_t>(infoSize) > file.size()) return false;
    const int32_t width = static_cast<int32_t>(U32(&file[18]));
    const int32_t rawHeight = static_cast<int32_t>(U32(&file[22]));
    const uint16_t bits = U16(&file[28]);
    const uint32_t compression = U32(&file[30]);
    uint32_t colours = U32(&file[46]);
    if (compression != 0 && !(compression == 3 && bits == 32)) return false;
    if (width <= 0 || width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide || rawHeight > kMaxSide) {
        return false;
    }
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    uint32_t table[256] = {};
    if (bits <= 8) {
        const uint32_t maxColours = 1u << bits;
        if (colours == 0 || colours > maxColours) colours = maxColours;
        const uint64_t tableStart = 14 + static_cast<uint64_t>(infoSize);
        if (tableStart + colours * 4ull > file.size()) return false;
        for (uint32_t i = 0; i < colours; ++i) {
            const uint8_t* q = &file[tableStart + i * 4];
            table[i] = (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
        }
    }
    const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    if (offBits > file.size() || stride * height > file.size() - offBits) return false;
    out->width = width;
    out->height = height;
    out->pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = &file[offBits + stride * static_cast<uint64_t>(row)];
        const int y = topDown ? row : height - 1 - row;
        uint32_t* dst = &out->pixels[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            switch (bits) {
                case 1: dst[x] = table[(src[x / 8] >> (7 - x % 8)) & 1]; break;
                case 4: dst[x] = table[(src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
                case 8: dst[x] = table[src[x]]; break;
                case 24: dst[x] = (uint32_t(src[x * 3 + 2]) << 16) | (uint32_t(src[x * 3 + 1]) << 8) | src[x * 3]; break;
                default: dst[x] = U32(&src[x * 4]) & 0xFFFFFF; break;
            }
        }
    }
    return true;
}

}  // namespace

HBITMAP LoadBitmapFile(const char* name, int width, int height) {
    if (!name || width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    Bitmap decoded;
    if (!Decode(ReadWholeFile(name), &decoded)) return nullptr;
    if (width == 0) width = decoded.width;
    if (height == 0) height = decoded.height;
    if (width == decoded.width && height == decoded.height) return new Bitmap(std::move(decoded));
    auto* scaled = new Bitmap();
    scaled->width = width;
    scaled->height = height;
    scaled->pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>(static_cast<int64_t>(y) * decoded.height / height);
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>(static_cast<int64_t>(x) * decoded.width / width);
            scaled->pixels[static_cast<size_t>(y) * width + x] =
                decoded.pixels[static_cast<size_t>(sy) * decoded.width + sx];
        }
    }
    return scaled;
}

void DeleteBitmap(HBITMAP bitmap) { delete bitmap; }

}  // namespace platform::gdi
