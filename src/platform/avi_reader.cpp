#include "platform/avi_reader.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "platform/avi_format.h"
#include "platform/avi_rle8.h"

namespace platform::avi {
namespace {

constexpr int kMaxSide = 4096;
constexpr int kMaxListDepth = 16;
constexpr uint32_t kMinMicroSecPerFrame = 1000;       // 1000 frames a second
constexpr uint32_t kMaxMicroSecPerFrame = 10000000;   // one frame in ten seconds
constexpr uint64_t kMaxDurationMs = 0x7FFFFFFF;       // the 32-bit clock must not wrap twice

struct Chunk {
    uint32_t id = 0;
    size_t data = 0;  // offset of the chunk's data (of the list type, for lists)
    size_t size = 0;
};

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
           (uint32_t(b[at + 3]) << 24);
}

// Calls visit for every chunk in [begin, end); fails on a header or a chunk
// that does not fit. A missing pad byte after the last chunk is tolerated.
bool ForEachChunk(const std::vector<uint8_t>& b, size_t begin, size_t end,
                  const std::function<bool(const Chunk&)>& visit) {
    size_t p = begin;
    while (p < end) {
        if (end - p < 8) return false;
        Chunk c;
        c.id = Read32(b, p);
        c.size = Read32(b, p + 4);
        c.data = p + 8;
        if (c.size > end - c.data) return false;
        if (!visit(c)) return false;
        p = c.data + c.size + (c.size & 1);
    }
    return true;
}

bool IsList(const std::vector<uint8_t>& b, const Chunk& c, uint32_t type) {
    return c.id == kList && c.size >= 4 && Read32(b, c.data) == type;
}

// Reads a record from a chunk; a short chunk reads as if zero-padded.
template <class Record>
Record ReadPadded(const std::vector<uint8_t>& b, const Chunk& c) {
    std::vector<uint8_t> buffer(RecordSize<Record>(), 0);
    std::memcpy(buffer.data(), b.data() + c.data, std::min(c.size, buffer.size()));
    Record record;
    ByteReader(buffer.data(), buffer.size()).Read(record);
    return record;
}

int StreamNumber(uint32_t id) {
    const char a = char(id & 0xFF), b = char((id >> 8) & 0xFF);
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
}

class Parser {
public:
    Parser(AviFile& out, std::string& error) : out_(out), error_(error) {}

    bool Run() {
        const std::vector<uint8_t>& b = out_.bytes;
        if (b.size() < 12 || Read32(b, 0) != kRiff || Read32(b, 8) != kAviForm)
            return Fail("not an AVI file");
        const uint32_t riffSize = Read32(b, 4);
        if (riffSize < 4 || riffSize > b.size() - 8) return Fail("the file is cut short");
        bool sawMovi = false;
        if (!ForEachChunk(b, 12, 8 + size_t(riffSize), [&](const Chunk& c) {
                if (IsList(b, c, kHdrl)) return Headers(c);
                if (IsList(b, c, kMovi)) {
                    if (!sawHeaders_) return Fail("the movie data comes before the headers");
                    sawMovi = true;
                    return Movie(c.data + 4, c.data + c.size);
                }
                return true;  // idx1, JUNK and the like: not needed
            }))
            return Fail(error_.empty() ? "a chunk runs past its container" : error_);
        if (!sawHeaders_) return Fail("no header list");
        if (!sawMovi || out_.frames.empty()) return Fail("no video frames");
        return CheckTiming() && CheckFrames();
    }

private:
    bool Fail(const std::string& why) {
        if (error_.empty()) error_ = why;
        return false;
    }

    bool Headers(const Chunk& list) {
        const std::vector<uint8_t>& b = out_.bytes;
        if (sawHeaders_) return Fail("two header lists");
        sawHeaders_ = true;
        int stream = 0;
        bool sawMain = false;
        if (!ForEachChunk(b, list.data + 4, list.data + list.size, [&](const Chunk& c) {
                if (c.id == kAvih) {
                    if (c.size < RecordSize<MainHeader>()) return Fail("short main header");
                    main_ = ReadPadded<MainHeader>(b, c);
                    sawMain = true;
                } else if (IsList(b, c, kStrl)) {
                    if (!Stream(c, stream++)) return false;
                }
                return true;
            }))
            return Fail("a header chunk runs past its list");
        if (!sawMain) return Fail("no main header");
        if (videoStream_ < 0) return Fail("no video stream");
        return true;
    }

    bool Stream(const Chunk& list, int number) {
        const std::vector<uint8_t>& b = out_.bytes;
        std::optional<StreamHeader> header;
        std::optional<Chunk> format;
        if (!ForEachChunk(b, list.data + 4, list.data + list.size, [&](const Chunk& c) {
                if (c.id == kStrh && !header) {
                    if (c.size < 48) return Fail("short stream header");
                    header = ReadPadded<StreamHeader>(b, c);
                } else if (c.id == kStrf && !format) {
                    format = c;
                }
                return true;
            }))
            return Fail("a stream chunk runs past its list");
        if (!header || !format) return Fail("a stream without header or format");
        if (header->type == kVids && videoStream_ < 0) {
            videoStream_ = number;
            videoHeader_ = *header;
            return VideoFormat(*format);
        }
        if (header->type == kAuds && audioStream_ < 0) {
            audioStream_ = number;
            return SoundFormatChunk(*format);
        }
        return true;  // further streams are not played
    }

    bool VideoFormat(const Chunk& c) {
        const std::vector<uint8_t>& b = out_.bytes;
        if (c.size < RecordSize<BitmapInfoHeader>()) return Fail("short video format");
        const BitmapInfoHeader bih = ReadPadded<BitmapInfoHeader>(b, c);
        if (bih.size < RecordSize<BitmapInfoHeader>() || bih.size > c.size)
            return Fail("bad video format size");
        if (bih.bitCount != 8 || bih.planes != 1) return Fail("video is not 8 bits a pixel");
        if (bih.compression != kBiRgb && bih.compression != kBiRle8)
            return Fail("video compression not supported");
        out_.rle8 = bih.compression == kBiRle8;
        const int64_t height = bih.height;
        if (bih.width < 1 || bih.width > kMaxSide || height == 0 || height > kMaxSide ||
            height < -kMaxSide)
            return Fail("bad picture size");
        if (height < 0 && out_.rle8) return Fail("top-down RLE8 pictures do not exist");
        out_.width = bih.width;
        out_.height = int(height < 0 ? -height : height);
        out_.topDown = height < 0;
        if (bih.clrUsed > 256) return Fail("more than 256 colours");
        const size_t colours = bih.clrUsed ? bih.clrUsed : 256;
        if (colours * 4 > c.size - bih.size) return Fail("the colour table is cut short");
        const uint8_t* table = b.data() + c.data + bih.size;
        for (size_t i = 0; i < colours; ++i)
            out_.palette[i] = PaletteEntry{table[4 * i + 2], table[4 * i + 1], table[4 * i], 0};
        return true;
    }

    bool SoundFormatChunk(const Chunk& c) {
        if (c.size < RecordSize<WaveFormat>()) return Fail("short sound format");
        const WaveFormat wf = ReadPadded<WaveFormat>(out_.bytes, c);
        if (wf.formatTag != kWaveFormatPcm) return Fail("sound is not PCM");
        if (wf.channels != 1 && wf.channels != 2) return Fail("sound is neither mono nor stereo");
        if (wf.bitsPerSample != 8 && wf.bitsPerSample != 16) return Fail("sound is not 8 or 16 bits");
        if (wf.samplesPerSec < 1000 || wf.samplesPerSec > 192000) return Fail("bad sample rate");
        if (wf.blockAlign != wf.channels * wf.bitsPerSample / 8) return Fail("bad sound block size");
        out_.hasSound = true;
        out_.sound = {wf.channels, int(wf.samplesPerSec), wf.bitsPerSample};
        return true;
    }

    // Record lists may nest, but never deeply: a file of thousands of nested
    // lists is refused rather than followed down until the stack runs out.
    bool Movie(size_t begin, size_t end, int depth = 0) {
        const std::vector<uint8_t>& b = out_.bytes;
        if (depth > kMaxListDepth) return Fail("record lists nested too deeply");
        return ForEachChunk(b, begin, end, [&](const Chunk& c) {
            if (IsList(b, c, kRec)) return Movie(c.data + 4, c.data + c.size, depth + 1);
            const int stream = StreamNumber(c.id);
            const uint16_t kind = uint16_t(c.id >> 16);
            if (stream == videoStream_) {
                if (kind == kUncompressedFrame || kind == kCompressedFrame)
                    out_.frames.push_back({c.data, c.size});
                else if (kind == kPaletteChange)
                    return PaletteChunk(c);
            } else if (stream == audioStream_ && kind == kWaveBytes) {
                out_.pcm.insert(out_.pcm.end(), b.begin() + ptrdiff_t(c.data),
                                b.begin() + ptrdiff_t(c.data + c.size));
            }
            return true;
        });
    }

    bool PaletteChunk(const Chunk& c) {
        const std::vector<uint8_t>& b = out_.bytes;
        PaletteChangeHeader head;
        if (!ByteReader(b.data() + c.data, c.size).Read(head)) return Fail("short palette change");
        const size_t count = head.numEntries ? head.numEntries : 256;
        if (head.firstEntry + count > 256) return Fail("palette change past entry 255");
        if (4 + count * 4 > c.size) return Fail("palette change cut short");
        PaletteChange change;
        change.beforeFrame = out_.frames.size();
        change.first = head.firstEntry;
        const uint8_t* e = b.data() + c.data + 4;
        for (size_t i = 0; i < count; ++i)
            change.entries.push_back(PaletteEntry{e[4 * i], e[4 * i + 1], e[4 * i + 2], 0});
        out_.paletteChanges.push_back(std::move(change));
        return true;
    }

    bool CheckTiming() {
        out_.rate = 1000000;
        out_.scale = main_.microSecPerFrame;
        if (videoHeader_.rate && videoHeader_.scale) {
            out_.rate = videoHeader_.rate;
            out_.scale = videoHeader_.scale;
        }
        if (out_.scale == 0) return Fail("no frame rate");
        const uint64_t period = (uint64_t(out_.scale) * 1000000u + out_.rate / 2) / out_.rate;
        if (period < kMinMicroSecPerFrame || period > kMaxMicroSecPerFrame)
            return Fail("frame rate out of range");
        out_.microSecPerFrame = uint32_t(period);
        if (out_.Duration() / 1000 > kMaxDurationMs) return Fail("the movie is too long");
        if (out_.hasSound) {
            const size_t block = size_t(out_.sound.channels) * size_t(out_.sound.bitsPerSample / 8);
            out_.pcm.resize(out_.pcm.size() - out_.pcm.size() % block);
        }
        return true;
    }

    // Every frame must decode, so that playing can never meet a bad one.
    bool CheckFrames() {
        if (!out_.rle8) {
            const size_t stride = (size_t(out_.width) + 3) & ~size_t(3);
            for (const FrameChunk& f : out_.frames)
                if (f.size != 0 && f.size < stride * size_t(out_.height))
                    return Fail("an uncompressed frame is cut short");
            return true;
        }
        FrameDecoder decoder(out_);
        while (decoder.decoded() < out_.frames.size())
            if (!decoder.DecodeNext())
                return Fail("frame " + std::to_string(decoder.decoded()) + " has bad RLE8 codes");
        return true;
    }

    AviFile& out_;
    std::string& error_;
    bool sawHeaders_ = false;
    MainHeader main_;
    StreamHeader videoHeader_;
    int videoStream_ = -1;
    int audioStream_ = -1;
};

}  // namespace

int ParseAvi(std::vector<uint8_t> bytes, AviFile* out, std::string* error) {
    AviFile file;
    file.bytes = std::move(bytes);
    std::string why;
    if (!Parser(file, why).Run()) {
        if (error) *error = why;
        return 0;
    }
    *out = std::move(file);
    return 1;
}

FrameDecoder::FrameDecoder(const AviFile& file) : file_(file) { Rewind(); }

void FrameDecoder::Rewind() {
    pixels_.assign(size_t(file_.width) * size_t(file_.height), 0);
    palette_ = file_.palette;
    next_ = 0;
    nextChange_ = 0;
}

int FrameDecoder::DecodeNext() {
    if (next_ >= file_.frames.size()) return 0;
    while (nextChange_ < file_.paletteChanges.size() &&
           file_.paletteChanges[nextChange_].beforeFrame <= next_) {
        const PaletteChange& change = file_.paletteChanges[nextChange_++];
        std::copy(change.entries.begin(), change.entries.end(), palette_.begin() + change.first);
    }
    const FrameChunk& frame = file_.frames[next_];
    const uint8_t* data = file_.bytes.data() + frame.offset;
    if (frame.size != 0) {
        if (file_.rle8) {
            if (!DecodeRle8(data, frame.size, pixels_.data(), file_.width, file_.height, file_.width))
                return 0;
        } else {
            const size_t stride = (size_t(file_.width) + 3) & ~size_t(3);
            if (frame.size < stride * size_t(file_.height)) return 0;
            for (int y = 0; y < file_.height; ++y) {
                const int row = file_.topDown ? y : file_.height - 1 - y;
                std::memcpy(&pixels_[size_t(row) * file_.width], data + size_t(y) * stride,
                            size_t(file_.width));
            }
        }
    }
    ++next_;
    return 1;
}

}  // namespace platform::avi
