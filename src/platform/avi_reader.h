#pragma once
// Reads 8-bit AVI movies for the movie device: checks the whole file (every
// size and offset, and every frame's codes) before anything is played, then
// decodes frames one after another.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/video_out.h"

namespace platform::avi {

struct PaletteChange {
    size_t beforeFrame = 0;  // applies before this frame is shown
    int first = 0;
    std::vector<PaletteEntry> entries;
};

struct FrameChunk {
    size_t offset = 0;  // into AviFile::bytes
    size_t size = 0;    // 0: a dropped frame, the picture stays
};

struct SoundFormat {
    int channels = 0;
    int samplesPerSec = 0;
    int bitsPerSample = 0;
};

struct AviFile {
    int width = 0;
    int height = 0;
    bool rle8 = false;
    bool topDown = false;  // uncompressed rows stored top row first
    // Frames a second = rate / scale (a main header's frame time t gives
    // 1000000 / t); microSecPerFrame is the same, rounded.
    uint32_t rate = 0;
    uint32_t scale = 0;
    uint32_t microSecPerFrame = 0;
    std::array<PaletteEntry, 256> palette{};
    std::vector<FrameChunk> frames;
    std::vector<PaletteChange> paletteChanges;  // in file order
    bool hasSound = false;
    SoundFormat sound;
    std::vector<uint8_t> pcm;  // all sound chunks, in order
    std::vector<uint8_t> bytes;

    // Microseconds from the start of play to frame i, and to the end, rounded
    // up so that FrameAt(FrameTime(i)) is never before i.
    uint64_t FrameTime(size_t i) const {
        const unsigned __int128 exact = (unsigned __int128)i * scale * 1000000u;
        return uint64_t((exact + rate - 1) / rate);
    }
    uint64_t Duration() const { return FrameTime(frames.size()); }
    // The frame whose time has come at this many microseconds (may be past the last).
    size_t FrameAt(uint64_t micros) const {
        return size_t((unsigned __int128)micros * rate / (uint64_t(scale) * 1000000u));
    }
};

// Parses a whole file. Returns 1, or 0 with a reason in *error when the data
// is malformed, cut short or of a kind the player does not support.
int ParseAvi(std::vector<uint8_t> bytes, AviFile* out, std::string* error);

// Turns the frames of a parsed file into top-down pictures, in order. Frames
// may code only what changed, so each frame is decoded over the one before.
class FrameDecoder {
public:
    explicit FrameDecoder(const AviFile& file);
    // Back to before frame 0: a picture of colour 0, the file's palette.
    void Rewind();
    // Decodes the next frame (applying its palette changes). Returns 0 at the
    // end or when the frame's data is corrupt.
    int DecodeNext();
    // Frames decoded so far; the picture shows frame decoded() - 1.
    size_t decoded() const { return next_; }
    const uint8_t* pixels() const { return pixels_.data(); }
    const PaletteEntry* palette() const { return palette_.data(); }

private:
    const AviFile& file_;
    std::vector<uint8_t> pixels_;
    std::array<PaletteEntry, 256> palette_{};
    size_t next_ = 0;
    size_t nextChange_ = 0;
};

}  // namespace platform::avi
