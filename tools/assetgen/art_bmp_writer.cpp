#include "assetgen/art_bmp_writer.h"

#include <cstdio>
#include <filesystem>

namespace assetgen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<uint8_t>& pixels,
                                const world::palette_plan::Palette& palette) {
    const uint32_t stride = (uint32_t(width) + 3u) & ~3u;
    const uint32_t offBits = 14 + 40 + 256 * 4;
    const uint32_t imageSize = stride * uint32_t(height);
    std::vector<uint8_t> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + imageSize);  // bfSize
    Put32(out, 0);                    // bfReserved1, bfReserved2
    Put32(out, offBits);
    Put32(out, 40);  // biSize
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));  // positive: bottom-up
    Put16(out, 1);                 // biPlanes
    Put16(out, 8);                 // biBitCount
    Put32(out, 0);                 // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 256);  // biClrUsed
    Put32(out, 0);
    for (const auto& c : palette) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        const uint8_t* line = pixels.data() + size_t(row) * size_t(width);
        out.insert(out.end(), line, line + width);
        out.insert(out.end(), stride - uint32_t(width), uint8_t(0));
    }
    return out;
}

int WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return 0;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "assetgen: writing %s failed\n", path.c_str());
        return 0;
    }
    return 1;
}

int WriteBmp8(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels,
              const world::palette_plan::Palette& palette) {
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) {
        std::fprintf(stderr, "assetgen: picture %s has a bad size\n", path.c_str());
        return 0;
    }
    return WriteFileBytes(path, EncodeBmp8(width, height, pixels, palette));
}

}  // namespace assetgen
