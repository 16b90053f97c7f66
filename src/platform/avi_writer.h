#pragma once
// Writes 8-bit AVI movies: one video stream (RLE8 or uncompressed, with a
// 256-colour palette and optional palette changes between frames) and an
// optional PCM sound stream. The content generator makes the start-up movies
// with it, and tests make tiny movies with it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/video_out.h"

namespace platform::avi {

using Palette = std::array<PaletteEntry, 256>;

struct MovieFrame {
    std::vector<uint8_t> pixels;     // width x height, top row first
    std::optional<Palette> palette;  // when set, the palette from this frame on
};

struct MovieSound {
    uint16_t channels = 1;       // 1 or 2
    uint32_t samplesPerSec = 22050;
    uint16_t bitsPerSample = 16; // 8 (unsigned) or 16 (signed little-endian)
    std::vector<uint8_t> pcm;    // interleaved sample frames
};

struct MovieDescription {
    int width = 0;
    int height = 0;
    uint32_t rate = 15;  // frames per second = rate / scale
    uint32_t scale = 1;
    bool rle8 = true;    // false: uncompressed bottom-up rows
    Palette palette{};   // the palette before the first frame's change, if any
    std::vector<MovieFrame> frames;
    std::optional<MovieSound> sound;
};

// The file's bytes; empty when the description is unusable (no frames, a frame of
// the wrong size, a zero rate or scale, a size outside 1..4096).
std::vector<uint8_t> WriteAvi(const MovieDescription& movie);
// Writes the file at a plain host path (not resolved in the game's folder).
// Returns 1, or 0 with a message on stderr.
int WriteAviFile(const std::string& path, const MovieDescription& movie);

}  // namespace platform::avi
