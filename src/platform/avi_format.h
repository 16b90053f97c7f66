#pragma once
// The AVI file layout: chunk ids, the fixed header records and their
// little-endian field order. Each record lists its fields once (Fields), and
// the same list drives both reading (ByteReader) and writing (ByteWriter), so
// the reader in the movie device and the writer in the generator cannot drift
// apart.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace platform::avi {

constexpr uint32_t FourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | (uint32_t(uint8_t(b)) << 8) | (uint32_t(uint8_t(c)) << 16) |
           (uint32_t(uint8_t(d)) << 24);
}

constexpr uint32_t kRiff = FourCC('R', 'I', 'F', 'F');
constexpr uint32_t kList = FourCC('L', 'I', 'S', 'T');
constexpr uint32_t kAviForm = FourCC('A', 'V', 'I', ' ');
constexpr uint32_t kHdrl = FourCC('h', 'd', 'r', 'l');
constexpr uint32_t kAvih = FourCC('a', 'v', 'i', 'h');
constexpr uint32_t kStrl = FourCC('s', 't', 'r', 'l');
constexpr uint32_t kStrh = FourCC('s', 't', 'r', 'h');
constexpr uint32_t kStrf = FourCC('s', 't', 'r', 'f');
constexpr uint32_t kMovi = FourCC('m', 'o', 'v', 'i');
constexpr uint32_t kRec = FourCC('r', 'e', 'c', ' ');
constexpr uint32_t kIdx1 = FourCC('i', 'd', 'x', '1');
constexpr uint32_t kVids = FourCC('v', 'i', 'd', 's');
constexpr uint32_t kAuds = FourCC('a', 'u', 'd', 's');

// Chunk ids in the movie list are the stream number in two decimal digits
// followed by a two-letter kind.
constexpr uint16_t TwoCC(char a, char b) { return uint16_t(uint8_t(a) | (uint8_t(b) << 8)); }
constexpr uint16_t kUncompressedFrame = TwoCC('d', 'b');
constexpr uint16_t kCompressedFrame = TwoCC('d', 'c');
constexpr uint16_t kPaletteChange = TwoCC('p', 'c');
constexpr uint16_t kWaveBytes = TwoCC('w', 'b');
constexpr uint32_t StreamChunkId(int stream, uint16_t kind) {
    return uint32_t('0' + (stream / 10) % 10) | (uint32_t('0' + stream % 10) << 8) |
           (uint32_t(kind) << 16);
}

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint32_t kAvifHasIndex = 0x00000010;
constexpr uint32_t kAviifKeyframe = 0x00000010;

// "avih": the main header.
struct MainHeader {
    uint32_t microSecPerFrame = 0;
    uint32_t maxBytesPerSec = 0;
    uint32_t paddingGranularity = 0;
    uint32_t flags = 0;
    uint32_t totalFrames = 0;
    uint32_t initialFrames = 0;
    uint32_t streams = 0;
    uint32_t suggestedBufferSize = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t reserved[4] = {};

    template <class V>
    constexpr void Fields(V& v) {
        v(microSecPerFrame), v(maxBytesPerSec), v(paddingGranularity), v(flags);
        v(totalFrames), v(initialFrames), v(streams), v(suggestedBufferSize);
        v(width), v(height);
        for (uint32_t& r : reserved) v(r);
    }
};

// "strh": one stream's header.
struct StreamHeader {
    uint32_t type = 0;     // kVids / kAuds
    uint32_t handler = 0;
    uint32_t flags = 0;
    uint16_t priority = 0;
    uint16_t language = 0;
    uint32_t initialFrames = 0;
    uint32_t scale = 0;    // rate / scale = frames (or samples) per second
    uint32_t rate = 0;
    uint32_t start = 0;
    uint32_t length = 0;
    uint32_t suggestedBufferSize = 0;
    uint32_t quality = 0;
    uint32_t sampleSize = 0;
    int16_t frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;

    template <class V>
    constexpr void Fields(V& v) {
        v(type), v(handler), v(flags), v(priority), v(language), v(initialFrames);
        v(scale), v(rate), v(start), v(length), v(suggestedBufferSize), v(quality);
        v(sampleSize), v(frameLeft), v(frameTop), v(frameRight), v(frameBottom);
    }
};

// "strf" of a video stream: a DIB header, followed by its colour table of
// blue, green, red, reserved quads.
struct BitmapInfoHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows stored bottom-up
    uint16_t planes = 1;
    uint16_t bitCount = 8;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;  // 0 = the full 256 entries
    uint32_t clrImportant = 0;

    template <class V>
    constexpr void Fields(V& v) {
        v(size), v(width), v(height), v(planes), v(bitCount), v(compression);
        v(sizeImage), v(xPelsPerMeter), v(yPelsPerMeter), v(clrUsed), v(clrImportant);
    }
};

// "strf" of an audio stream (the cbSize extension is optional and ignored).
struct WaveFormat {
    uint16_t formatTag = kWaveFormatPcm;
    uint16_t channels = 1;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;

    template <class V>
    constexpr void Fields(V& v) {
        v(formatTag), v(channels), v(samplesPerSec), v(avgBytesPerSec), v(blockAlign);
        v(bitsPerSample);
    }
};

// "idx1" entry.
struct IndexEntry {
    uint32_t chunkId = 0;
    uint32_t flags = 0;
    uint32_t offset = 0;  // from the 'movi' list type, to the chunk header
    uint32_t size = 0;

    template <class V>
    constexpr void Fields(V& v) { v(chunkId), v(flags), v(offset), v(size); }
};

// Head of an "xxpc" palette change; entries (red, green, blue, flags) follow.
struct PaletteChangeHeader {
    uint8_t firstEntry = 0;
    uint8_t numEntries = 0;  // 0 = 256
    uint16_t flags = 0;

    template <class V>
    constexpr void Fields(V& v) { v(firstEntry), v(numEntries), v(flags); }
};

// Bytes a record takes in the file.
struct FieldByteCounter {
    size_t total = 0;
    template <class T>
    constexpr void operator()(T&) { total += sizeof(T); }
};
template <class Record>
constexpr size_t RecordSize() {
    FieldByteCounter counter;
    Record record{};
    record.Fields(counter);
    return counter.total;
}
static_assert(RecordSize<MainHeader>() == 56);
static_assert(RecordSize<StreamHeader>() == 56);
static_assert(RecordSize<BitmapInfoHeader>() == 40);
static_assert(RecordSize<WaveFormat>() == 16);
static_assert(RecordSize<IndexEntry>() == 16);
static_assert(RecordSize<PaletteChangeHeader>() == 4);

// Reads little-endian values from a bounded byte range; once a read would go
// past the end it fails and every later read fails too.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    template <class T>
    void operator()(T& value) {
        using U = std::make_unsigned_t<T>;
        if (!ok_ || size_ - pos_ < sizeof(T)) {
            ok_ = false;
            value = 0;
            return;
        }
        U v = 0;
        for (size_t i = 0; i < sizeof(T); ++i) v |= U(U(data_[pos_ + i]) << (8 * i));
        value = T(v);
        pos_ += sizeof(T);
    }
    template <class Record>
    bool Read(Record& record) {
        record.Fields(*this);
        return ok_;
    }
    bool ok() const { return ok_; }
    size_t position() const { return pos_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Appends little-endian values to a byte vector.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    template <class T>
    void operator()(const T& value) {
        using U = std::make_unsigned_t<T>;
        const U v = U(value);
        for (size_t i = 0; i < sizeof(T); ++i) out_.push_back(uint8_t(v >> (8 * i)));
    }
    template <class Record>
    void Write(Record record) {
        record.Fields(*this);
    }

private:
    std::vector<uint8_t>& out_;
};

}  // namespace platform::avi
