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

bool Usable(const MovieSpec& spec) {
    if (spec.width < 1 || spec.width > kMaxSide || spec.height < 1 || spec.height > kMaxSide)
        return false;
    if (spec.frames.empty() || spec.rate == 0 || spec.scale == 0) return false;
    const size_t pixels = size_t(spec.width) * size_t(spec.height);
    for (const MovieFrame& frame : spec.frames)
        if (frame.pixels.size() != pixels) return false;
    if (spec.sound) {
        const MovieSound& s = *spec.sound;
        if ((s.channels != 1 && s.channels != 2) || (s.bitsPerSample != 8 && s.bitsPerSample != 16) ||
            s.samplesPerSec == 0)
            return false;
    }
    return true;
}

// The frame as stored: RLE8 codes, or bottom-up rows padded to 4 bytes.
std::vector<uint8_t> FrameData(const MovieSpec& spec, size_t index) {
    const uint8_t* pixels = spec.frames[index].pixels.data();
    if (spec.rle8) {
        const uint8_t* previous = index ? spec.frames[index - 1].pixels.data() : nullptr;
        return EncodeRle8(pixels, previous, spec.width, spec.height);
    }
    const size_t stride = (size_t(spec.width) + 3) & ~size_t(3);
    std::vector<uint8_t> data(stride * size_t(spec.height), 0);
    for (int y = 0; y < spec.height; ++y)
        std::memcpy(&data[size_t(spec.height - 1 - y) * stride], pixels + size_t(y) * spec.width,
                    size_t(spec.width));
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

std::vector<uint8_t> WriteAvi(const MovieSpec& spec) {
    if (!Usable(spec)) return {};
    const int video = 0, audio = 1;
    const uint32_t frameCount = uint32_t(spec.frames.size());
    const uint64_t microSecPerFrame = uint64_t(spec.scale) * 1000000u / spec.rate;
    const bool paletteChanges =
        std::any_of(spec.frames.begin(), spec.frames.end(), [](const MovieFrame& f) { return f.palette.has_value(); });

    std::vector<std::vector<uint8_t>> frames(frameCount);
    uint32_t largest = 0;
    for (uint32_t i = 0; i < frameCount; ++i) {
        frames[i] = FrameData(spec, i);
        largest = std::max<uint32_t>(largest, uint32_t(frames[i].size()));
    }

    // Sound is cut into one chunk per frame, whole sample frames each.
    uint16_t blockAlign = 0;
    std::vector<std::pair<size_t, size_t>> soundPieces(frameCount + 1, {0, 0});
    if (spec.sound) {
        const MovieSound& s = *spec.sound;
        blockAlign = uint16_t(s.channels * s.bitsPerSample / 8);
        const size_t totalBlocks = s.pcm.size() / blockAlign;
        size_t done = 0;
        for (uint32_t i = 0; i <= frameCount; ++i) {
            size_t upTo = i == frameCount ? totalBlocks
                                          : size_t(uint64_t(i + 1) * s.samplesPerSec * spec.scale / spec.rate);
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
    main.maxBytesPerSec = uint32_t(uint64_t(largest) * spec.rate / spec.scale);
    main.flags = kAvifHasIndex;
    main.totalFrames = frameCount;
    main.streams = spec.sound ? 2 : 1;
    main.suggestedBufferSize = largest;
    main.width = uint32_t(spec.width);
    main.height = uint32_t(spec.height);
    w.Chunk(kAvih, main);

    const size_t videoList = w.Begin(kList, kStrl);
    StreamHeader vh;
    vh.type = kVids;
    vh.flags = paletteChanges ? kStreamPaletteChanges : 0;
    vh.scale = spec.scale;
    vh.rate = spec.rate;
    vh.length = frameCount;
    vh.suggestedBufferSize = largest;
    vh.quality = 0xFFFFFFFFu;
    vh.frameRight = int16_t(spec.width);
    vh.frameBottom = int16_t(spec.height);
    w.Chunk(kStrh, vh);
    {
        const size_t strf = w.Begin(kStrf);
        BitmapInfoHeader bih;
        bih.width = spec.width;
        bih.height = spec.height;
        bih.compression = spec.rle8 ? kBiRle8 : kBiRgb;
        bih.sizeImage = uint32_t(((size_t(spec.width) + 3) & ~size_t(3)) * size_t(spec.height));
        bih.clrUsed = 256;
        w.bytes().Write(bih);
        for (const PaletteEntry& e : spec.palette)
            w.bytes()(e.blue), w.bytes()(e.green), w.bytes()(e.red), w.bytes()(uint8_t(0));
        w.End(strf);
    }
    w.End(videoList);

    if (spec.sound) {
        const MovieSound& s = *spec.sound;
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
    const uint16_t frameKind = spec.rle8 ? kCompressedFrame : kUncompressedFrame;
    for (uint32_t i = 0; i < frameCount; ++i) {
        if (spec.sound && soundPieces[i].second)
            put(StreamChunkId(audio, kWaveBytes), spec.sound->pcm, soundPieces[i].first, soundPieces[i].second,
                kAviifKeyframe);
        if (spec.frames[i].palette) {
            const std::vector<uint8_t> change = PaletteChangeData(*spec.frames[i].palette);
            put(StreamChunkId(video, kPaletteChange), change, 0, change.size(), 0);
        }
        const bool key = i == 0 || !spec.rle8;
        put(StreamChunkId(video, frameKind), frames[i], 0, frames[i].size(), key ? kAviifKeyframe : 0);
    }
    if (spec.sound && soundPieces[frameCount].second)
        put(StreamChunkId(audio, kWaveBytes), spec.sound->pcm, soundPieces[frameCount].first,
            soundPieces[frameCount].second, kAviifKeyframe);
    w.End(movi);

    const size_t idx1 = w.Begin(kIdx1);
    for (const IndexEntry& entry : index) w.bytes().Write(entry);
    w.End(idx1);
    w.End(riff);
    return out;
}

int WriteAviFile(const std::string& path, const MovieSpec& spec) {
    const std::vector<uint8_t> bytes = WriteAvi(spec);
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
