#include "platform/avi_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/avi_format.h"
#include "platform/avi_rle8.h"

namespace platform::avi {
namespace {

constexpr int kMaxSide = 4096;
constexpr uint32_t kStreamPaletteChanges = 0x00010000;  // strh flag

class ChunkWriter {
public:
    explicit ChunkWriter(std::vector<uint8_t>& out) : out_(out), bytes_(out) {}

    // Starts a chunk (or a RIFF/LIST with its type); returns where its size goes.
    size_t Begin(uint32_t id, std::optional<uint32_t> listType = std::nullopt) {
        bytes_(id);
        const size_t sizeAt = out_.size();
        bytes_(uint32_t(0));
        if (listType) bytes_(*listType);
        return sizeAt;
    }
    void End(size_t sizeAt) {
        const uint32_t size = uint32_t(out_.size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i) out_[sizeAt + i] = uint8_t(size >> (8 * i));
        if (size & 1) out_.push_back(0);
    }
    template <class Record>
    void Chunk(uint32_t id, const Record& record) {
        const size_t at = Begin(id);
        bytes_.Write(record);
        End(at);
    }
    void Chunk(uint32_t id, const uint8_t* data, size_t size) {
        const size_t at = Begin(id);
        out_.insert(out_.end(), data, data + size);
        End(at);
    }
    ByteWriter& bytes() { return bytes_; }
    size_t size() const { return out_.size(); }

private:
    std::vector<uint8_t>& out_;
    ByteWriter bytes_;
};

bool Usable(const MovieDescription& movie) {
    if (movie.width < 1 || movie.width > kMaxSide || movie.height < 1 || movie.height > kMaxSide)
        return false;
    if (movie.frames.empty() || movie.rate == 0 || movie.scale == 0) return false;
    const size_t pixels = size_t(movie.width) * size_t(movie.height);
    for (const MovieFrame& frame : movie.frames)
        if (frame.pixels.size() != pixels) return false;
    if (movie.sound) {
        const MovieSound& s = *movie.sound;
        if ((s.channels != 1 && s.channels != 2) || (s.bitsPerSample != 8 && s.bitsPerSample != 16) ||
            s.samplesPerSec == 0)
            return false;
    }
    return true;
}

// The frame as stored: RLE8 codes, or bottom-up rows padded to 4 bytes.
std::vector<uint8_t> FrameData(const MovieDescription& movie, size_t index) {
    const uint8_t* pixels = movie.frames[index].pixels.data();
    if (movie.rle8) {
        const uint8_t* previous = index ? movie.frames[index - 1].pixels.data() : nullptr;
        return EncodeRle8(pixels, previous, movie.width, movie.height);
    }
    const size_t stride = (size_t(movie.width) + 3) & ~size_t(3);
    std::vector<uint8_t> data(stride * size_t(movie.height), 0);
    for (int y = 0; y < movie.height; ++y)
        std::memcpy(&data[size_t(movie.height - 1 - y) * stride], pixels + size_t(y) * movie.width,
                    size_t(movie.width));
    return data;
}

std::vector<uint8_t> PaletteChangeData(const Palette& palette) {
    std::vector<uint8_t> data;
    ByteWriter bytes(data);
    bytes.Write(PaletteChangeHeader{0, 0, 0});  // all 256 entries
    for (const PaletteEntry& e : palette) bytes(e.red), bytes(e.green), bytes(e.blue), bytes(uint8_t(0));
    return data;
}

}  // namespace

std::vector<uint8_t> WriteAvi(const MovieDescription& movie) {
    if (!Usable(movie)) return {};
    const int video = 0, audio = 1;
    const uint32_t frameCount = uint32_t(movie.frames.size());
    const uint64_t microSecPerFrame = uint64_t(movie.scale) * 1000000u / movie.rate;
    const bool paletteChanges =
        std::any_of(movie.frames.begin(), movie.frames.end(), [](const MovieFrame& f) { return f.palette.has_value(); });

    std::vector<std::vector<uint8_t>> frames(frameCount);
    uint32_t largest = 0;
    for (uint32_t i = 0; i < frameCount; ++i) {
        frames[i] = FrameData(movie, i);
        largest = std::max<uint32_t>(largest, uint32_t(frames[i].size()));
    }

    // Sound is cut into one chunk per frame, whole sample frames each.
    uint16_t blockAlign = 0;
    std::vector<std::pair<size_t, size_t>> soundPieces(frameCount + 1, {0, 0});
    if (movie.sound) {
        const MovieSound& s = *movie.sound;
        blockAlign = uint16_t(s.channels * s.bitsPerSample / 8);
        const size_t totalBlocks = s.pcm.size() / blockAlign;
        size_t done = 0;
        for (uint32_t i = 0; i <= frameCount; ++i) {
            size_t upTo = i == frameCount ? totalBlocks
                                          : size_t(uint64_t(i + 1) * s.samplesPerSec * movie.scale / movie.rate);
            upTo = std::min(upTo, totalBlocks);
            soundPieces[i] = {done * blockAlign, (upTo - done) * blockAlign};
            done = upTo;
        }
    }

    std::vector<uint8_t> out;
    ChunkWriter w(out);
    const size_t riff = w.Begin(kRiff, kAviForm);
    const size_t hdrl = w.Begin(kList, kHdrl);

    MainHeader main;
    main.microSecPerFrame = uint32_t(microSecPerFrame);
    main.maxBytesPerSec = uint32_t(uint64_t(largest) * movie.rate / movie.scale);
    main.flags = kAvifHasIndex;
    main.totalFrames = frameCount;
    main.streams = movie.sound ? 2 : 1;
    main.suggestedBufferSize = largest;
    main.width = uint32_t(movie.width);
    main.height = uint32_t(movie.height);
    w.Chunk(kAvih, main);

    const size_t videoList = w.Begin(kList, kStrl);
    StreamHeader vh;
    vh.type = kVids;
    vh.flags = paletteChanges ? kStreamPaletteChanges : 0;
    vh.scale = movie.scale;
    vh.rate = movie.rate;
    vh.length = frameCount;
    vh.suggestedBufferSize = largest;
    vh.quality = 0xFFFFFFFFu;
    vh.frameRight = int16_t(movie.width);
    vh.frameBottom = int16_t(movie.height);
    w.Chunk(kStrh, vh);
    {
        const size_t strf = w.Begin(kStrf);
        BitmapInfoHeader bih;
        bih.width = movie.width;
        bih.height = movie.height;
        bih.compression = movie.rle8 ? kBiRle8 : kBiRgb;
        bih.sizeImage = uint32_t(((size_t(movie.width) + 3) & ~size_t(3)) * size_t(movie.height));
        bih.clrUsed = 256;
        w.bytes().Write(bih);
        for (const PaletteEntry& e : movie.palette)
            w.bytes()(e.blue), w.bytes()(e.green), w.bytes()(e.red), w.bytes()(uint8_t(0));
        w.End(strf);
    }
    w.End(videoList);

    if (movie.sound) {
        const MovieSound& s = *movie.sound;
        const size_t audioList = w.Begin(kList, kStrl);
        StreamHeader ah;
        ah.type = kAuds;
        ah.scale = blockAlign;
        ah.rate = s.samplesPerSec * blockAlign;
        ah.length = uint32_t(s.pcm.size() / blockAlign);
        ah.suggestedBufferSize = uint32_t(s.samplesPerSec * blockAlign);
        ah.quality = 0xFFFFFFFFu;
        ah.sampleSize = blockAlign;
        w.Chunk(kStrh, ah);
        WaveFormat wf;
        wf.channels = s.channels;
        wf.samplesPerSec = s.samplesPerSec;
        wf.avgBytesPerSec = s.samplesPerSec * blockAlign;
        wf.blockAlign = blockAlign;
        wf.bitsPerSample = s.bitsPerSample;
        w.Chunk(kStrf, wf);
        w.End(audioList);
    }
    w.End(hdrl);

    std::vector<IndexEntry> index;
    const size_t movi = w.Begin(kList, kMovi);
    const size_t moviType = movi + 4;  // index offsets count from the list type
    auto put = [&](uint32_t id, const std::vector<uint8_t>& data, size_t from, size_t size, uint32_t flags) {
        index.push_back({id, flags, uint32_t(w.size() - moviType), uint32_t(size)});
        w.Chunk(id, data.data() + from, size);
    };
    const uint16_t frameKind = movie.rle8 ? kCompressedFrame : kUncompressedFrame;
    for (uint32_t i = 0; i < frameCount; ++i) {
        if (movie.sound && soundPieces[i].second)
            put(StreamChunkId(audio, kWaveBytes), movie.sound->pcm, soundPieces[i].first, soundPieces[i].second,
                kAviifKeyframe);
        if (movie.frames[i].palette) {
            const std::vector<uint8_t> change = PaletteChangeData(*movie.frames[i].palette);
            put(StreamChunkId(video, kPaletteChange), change, 0, change.size(), 0);
        }
        const bool key = i == 0 || !movie.rle8;
        put(StreamChunkId(video, frameKind), frames[i], 0, frames[i].size(), key ? kAviifKeyframe : 0);
    }
    if (movie.sound && soundPieces[frameCount].second)
        put(StreamChunkId(audio, kWaveBytes), movie.sound->pcm, soundPieces[frameCount].first,
            soundPieces[frameCount].second, kAviifKeyframe);
    w.End(movi);

    const size_t idx1 = w.Begin(kIdx1);
    for (const IndexEntry& entry : index) w.bytes().Write(entry);
    w.End(idx1);
    w.End(riff);
    return out;
}

int WriteAviFile(const std::string& path, const MovieDescription& movie) {
    const std::vector<uint8_t> bytes = WriteAvi(movie);
    if (bytes.empty()) {
        std::fprintf(stderr, "avi: cannot write %s: unusable movie description\n", path.c_str());
        return 0;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "avi: cannot create %s\n", path.c_str());
        return 0;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "avi: writing %s failed\n", path.c_str());
        return 0;
    }
    return 1;
}

}  // namespace platform::avi
