// A small PNG writer (8-bit RGB, stored deflate blocks) and a reader for
// exactly that kind of file, enough for screenshots and golden images.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/video_out.h"

namespace platform {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kMaxSide = 16384;

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t Crc(const uint8_t* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = CrcTable()[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

uint32_t GetBE32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    PutBE32(out, uint32_t(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBE32(out, Crc(out.data() + typeAt, data.size() + 4));
}

// Inflates a zlib stream made only of stored blocks; false on anything else.
bool InflateStored(const std::vector<uint8_t>& z, std::vector<uint8_t>* out) {
    if (z.size() < 6) return false;
    const uint8_t cmf = z[0], flg = z[1];
    if ((cmf & 0x0F) != 8 || ((cmf << 8) | flg) % 31 != 0 || (flg & 0x20)) return false;
    size_t pos = 2;
    bool final = false;
    while (!final) {
        if (pos + 5 > z.size()) return false;
        const uint8_t header = z[pos];
        final = header & 1;
        if (((header >> 1) & 3) != 0) return false;  // only stored blocks are read
        const uint16_t len = uint16_t(z[pos + 1] | (z[pos + 2] << 8));
        const uint16_t nlen = uint16_t(z[pos + 3] | (z[pos + 4] << 8));
        if (uint16_t(~len) != nlen) return false;
        pos += 5;
        if (pos + len > z.size()) return false;
        out->insert(out->end(), z.begin() + long(pos), z.begin() + long(pos + len));
        pos += len;
    }
    if (pos + 4 > z.size()) return false;
    return GetBE32(z.data() + pos) == Adler32(out->data(), out->size());
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

namespace {
// channels 3 (RGB) or 4 (RGBA), 8 bits each.
int WritePngPixels(int width, int height, int channels, const std::vector<uint8_t>& pixels, const std::string& path) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        pixels.size() != size_t(width) * size_t(height) * size_t(channels))
        return 0;
    const size_t rowBytes = size_t(width) * size_t(channels);
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * size_t(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        const uint8_t* row = pixels.data() + rowBytes * size_t(y);
        raw.insert(raw.end(), row, row + rowBytes);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t pos = 0;;) {
        const size_t len = std::min<size_t>(65535, raw.size() - pos);
        const bool last = pos + len >= raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(len));
        z.push_back(uint8_t(len >> 8));
        z.push_back(uint8_t(~len));
        z.push_back(uint8_t(~len >> 8));
        z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + len));
        pos += len;
        if (last) break;
    }
    PutBE32(z, Adler32(raw.data(), raw.size()));

    std::vector<uint8_t> png(kSignature, kSignature + 8);
    std::vector<uint8_t> header;
    PutBE32(header, uint32_t(width));
    PutBE32(header, uint32_t(height));
    // 8-bit RGB or RGBA, deflate, no filter set, no interlace.
    header.insert(header.end(), {8, uint8_t(channels == 4 ? 6 : 2), 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});

    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return 0;
    if (std::fwrite(png.data(), 1, png.size(), file.get()) != png.size()) return 0;
    return std::fclose(file.release()) == 0 ? 1 : 0;
}
}  // namespace

int WritePng(const Screenshot& shot, const std::string& path) {
    return WritePngPixels(shot.width, shot.height, 3, shot.rgb, path);
}

int WritePngRgba(int width, int height, const std::vector<uint8_t>& rgba, const std::string& path) {
    return WritePngPixels(width, height, 4, rgba, path);
}

int ReadPng(const std::string& path, Screenshot* shot) {
    if (!shot) return 0;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return 0;
    std::vector<uint8_t> data;
    uint8_t buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        data.insert(data.end(), buffer, buffer + n);
        if (data.size() > (size_t(1) << 30)) return 0;
    }
    if (data.size() < 8 || std::memcmp(data.data(), kSignature, 8) != 0) return 0;
    size_t pos = 8;
    int width = 0, height = 0;
    bool haveHeader = false, haveEnd = false;
    std::vector<uint8_t> z;
    while (!haveEnd) {
        if (data.size() - pos < 12) return 0;
        const uint32_t length = GetBE32(data.data() + pos);
        if (length > data.size() - pos - 12) return 0;
        const uint8_t* type = data.data() + pos + 4;
        const uint8_t* body = type + 4;
        if (GetBE32(body + length) != Crc(type, length + 4)) return 0;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (length != 13 || haveHeader) return 0;
            width = int(GetBE32(body));
            height = int(GetBE32(body + 4));
            // 8-bit RGB, deflate, adaptive filters, no interlace: what WritePng makes.
            if (body[8] != 8 || body[9] != 2 || body[10] != 0 || body[11] != 0 || body[12] != 0) return 0;
            if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return 0;
            haveHeader = true;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            if (!haveHeader) return 0;
            z.insert(z.end(), body, body + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            haveEnd = true;
        } else if (!(type[0] & 0x20)) {
            return 0;  // an unknown critical chunk
        }
        pos += 12 + length;
    }
    std::vector<uint8_t> raw;
    if (!haveHeader || !InflateStored(z, &raw)) return 0;
    const size_t rowBytes = size_t(width) * 3;
    if (raw.size() != (rowBytes + 1) * size_t(height)) return 0;
    Screenshot result;
    result.width = width;
    result.height = height;
    result.rgb.resize(rowBytes * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = raw.data() + (rowBytes + 1) * size_t(y);
        if (row[0] != 0) return 0;  // only unfiltered rows are written
        std::memcpy(result.rgb.data() + rowBytes * size_t(y), row + 1, rowBytes);
    }
    *shot = std::move(result);
    return 1;
}

}  // namespace platform
