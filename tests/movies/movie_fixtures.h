#pragma once
// Helpers of the movie tests: tiny movies whose frames are told apart by
// colour, a scratch folder as the game's current folder, and byte-level file access.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/avi_writer.h"
#include "support/scratch_dir.h"

namespace movies_test {

// Frame i: top half colour i + 1, bottom half colour 200. Colour k is
// (k, 255 - k, 7); colour 200 is (1, 2, 3).
inline platform::avi::MovieDescription TinyMovie(int frames, int width = 8, int height = 8, bool rle8 = true) {
    platform::avi::MovieDescription movie;
    movie.width = width;
    movie.height = height;
    movie.rate = 10;
    movie.scale = 1;
    movie.rle8 = rle8;
    for (int k = 0; k < 256; ++k) movie.palette[k] = {uint8_t(k), uint8_t(255 - k), 7, 0};
    movie.palette[200] = {1, 2, 3, 0};
    for (int i = 0; i < frames; ++i) {
        std::vector<uint8_t> pixels(size_t(width) * height, 200);
        std::fill(pixels.begin(), pixels.begin() + ptrdiff_t(width * (height / 2)), uint8_t(i + 1));
        movie.frames.push_back({pixels, std::nullopt});
    }
    return movie;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
}

// Offset of the first occurrence of a four-character code, or npos.
inline size_t Find(const std::vector<uint8_t>& bytes, const char* fourcc, size_t from = 0) {
    for (size_t i = from; i + 4 <= bytes.size(); ++i)
        if (std::memcmp(&bytes[i], fourcc, 4) == 0) return i;
    return std::string::npos;
}

inline void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
}

using ScratchDir = test_support::ScratchDir;

}  // namespace movies_test
