#include "platform/riff.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/files.h"

namespace platform {

class RiffFile {
public:
    explicit RiffFile(FILE* file) : file_(file) {
        size_ = std::max(0L, FileSize(file_));
    }
    ~RiffFile() { std::fclose(file_); }
    FILE* file() const { return file_; }
    long size() const { return size_; }

private:
    FILE* file_;
    long size_ = 0;
};

namespace {

DWORD ReadLe32(const uint8_t* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }

void PutLe32(std::vector<uint8_t>& out, DWORD v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutLe16(std::vector<uint8_t>& out, WORD v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

}  // namespace

HMMIO mmioOpen(const char* name, void*, DWORD flags) {
    if (!name || (flags & ~MMIO_ALLOCBUF) != MMIO_READ) return nullptr;
    FILE* file = OpenFile(name, "rb");
    if (!file) return nullptr;
    return new RiffFile(file);
}

MMRESULT mmioClose(HMMIO file, UINT) {
    delete file;
    return 0;
}

LONG mmioRead(HMMIO file, char* buffer, LONG bytes) {
    if (!file || !buffer || bytes < 0) return -1;
    size_t got = std::fread(buffer, 1, size_t(bytes), file->file());
    if (got < size_t(bytes) && std::ferror(file->file())) return -1;
    return LONG(got);
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
    if (!file || !chunk) return MMIOERR_CHUNKNOTFOUND;
    FILE* f = file->file();
    long limit = file->size();
    if (parent) {
        long parentEnd = long(parent->dwDataOffset) + long(parent->cksize);
        if (parentEnd < limit) limit = parentEnd;
    }
    const FOURCC wantedId = chunk->ckid;
    const FOURCC wantedType = chunk->fccType;
    for (;;) {
        long at = std::ftell(f);
        if (at < 0 || at + 8 > limit) return MMIOERR_CHUNKNOTFOUND;
        uint8_t header[8];
        if (std::fread(header, 1, 8, f) != 8) return MMIOERR_CHUNKNOTFOUND;
        MMCKINFO found{};
        found.ckid = ReadLe32(header);
        found.cksize = ReadLe32(header + 4);
        found.dwDataOffset = DWORD(at + 8);
        const bool isForm = found.ckid == MakeFourCC('R', 'I', 'F', 'F') ||
                            found.ckid == MakeFourCC('L', 'I', 'S', 'T');
        if (isForm && found.cksize >= 4 && at + 12 <= limit) {
            uint8_t type[4];
            if (std::fread(type, 1, 4, f) != 4) return MMIOERR_CHUNKNOTFOUND;
            found.fccType = ReadLe32(type);
        }
        bool match;
        if (flags & MMIO_FINDRIFF)
            match = found.ckid == MakeFourCC('R', 'I', 'F', 'F') && found.fccType == wantedType;
        else if (flags & MMIO_FINDLIST)
            match = found.ckid == MakeFourCC('L', 'I', 'S', 'T') && found.fccType == wantedType;
        else if (flags & MMIO_FINDCHUNK)
            match = found.ckid == wantedId;
        else
            match = true;
        if (match) {
            *chunk = found;
            return 0;
        }
        // Skip the whole chunk and its pad byte; a size that runs past the
        // end ends the search rather than wrapping.
        uint64_t next = uint64_t(found.dwDataOffset) + found.cksize + (found.cksize & 1);
        if (next > uint64_t(limit)) return MMIOERR_CHUNKNOTFOUND;
        if (std::fseek(f, long(next), SEEK_SET) != 0) return MMIOERR_CHUNKNOTFOUND;
    }
}

LONG RiffFileSize(HMMIO file) { return file && file->size() > 0 ? LONG(file->size()) : 0; }

MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT) {
    if (!file || !chunk) return MMIOERR_CANNOTSEEK;
    uint64_t next = uint64_t(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1);
    if (next > uint64_t(file->size())) next = uint64_t(file->size());
    if (std::fseek(file->file(), long(next), SEEK_SET) != 0) return MMIOERR_CANNOTSEEK;
    return 0;
}

std::vector<uint8_t> WaveFileBytes(const WAVEFORMATEX& format, const void* data, DWORD bytes) {
    std::vector<uint8_t> out;
    out.reserve(44 + bytes);
    PutTag(out, "RIFF");
    PutLe32(out, 36 + bytes + (bytes & 1));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLe32(out, 16);
    PutLe16(out, format.wFormatTag);
    PutLe16(out, format.nChannels);
    PutLe32(out, format.nSamplesPerSec);
    PutLe32(out, format.nAvgBytesPerSec);
    PutLe16(out, format.nBlockAlign);
    PutLe16(out, format.wBitsPerSample);
    PutTag(out, "data");
    PutLe32(out, bytes);
    const size_t header = out.size();
    out.resize(header + bytes + (bytes & 1), 0);
    if (bytes) std::memcpy(out.data() + header, data, bytes);
    return out;
}

int WriteWaveFile(const char* name, const WAVEFORMATEX& format, const void* data, DWORD bytes) {
    const std::vector<uint8_t> out = WaveFileBytes(format, data, bytes);
    FILE* file = OpenFile(name, "wb");
    if (!file) return 0;
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    ok = (std::fclose(file) == 0) && ok;
    return ok ? 1 : 0;
}

}  // namespace platform
