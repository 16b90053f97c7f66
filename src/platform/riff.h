#pragma once
// Reading RIFF files (WAVE sounds) chunk by chunk - open, descend into a
// chunk by its id or form type, read, ascend - and writing simple PCM WAVE
// files. Names are game file names (platform/files.h).
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/dsound.h"
#include "platform/win_types.h"

namespace platform {

using FOURCC = DWORD;
constexpr FOURCC MakeFourCC(char a, char b, char c, char d) {
    return FOURCC(uint8_t(a)) | (FOURCC(uint8_t(b)) << 8) | (FOURCC(uint8_t(c)) << 16) |
           (FOURCC(uint8_t(d)) << 24);
}

struct MMCKINFO {
    FOURCC ckid = 0;
    DWORD cksize = 0;
    FOURCC fccType = 0;
    DWORD dwDataOffset = 0;  // file offset of the chunk's data
    DWORD dwFlags = 0;
};

class RiffFile;
using HMMIO = RiffFile*;

constexpr DWORD MMIO_READ = 0x00000000;
constexpr DWORD MMIO_ALLOCBUF = 0x00010000;
constexpr UINT MMIO_FINDCHUNK = 0x0010;
constexpr UINT MMIO_FINDRIFF = 0x0020;
constexpr UINT MMIO_FINDLIST = 0x0040;

constexpr MMRESULT MMIOERR_CANNOTOPEN = 259;
constexpr MMRESULT MMIOERR_CANNOTREAD = 261;
constexpr MMRESULT MMIOERR_CANNOTSEEK = 263;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = 265;

// Opens a file for reading; null when it cannot be opened (only MMIO_READ,
// with or without MMIO_ALLOCBUF, is supported).
HMMIO mmioOpen(const char* name, void* info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
// Reads up to `bytes`; returns the count read, 0 at the end, -1 on error.
// Reads never pass the end of the chunk last descended into.
LONG mmioRead(HMMIO file, char* buffer, LONG bytes);
// Finds the next chunk inside `parent` (or from the current position up to
// the end of the file): by id (FINDCHUNK), by RIFF/LIST form type
// (FINDRIFF/FINDLIST), or just the next chunk. Leaves the file at the chunk's
// data (after the form type for RIFF/LIST).
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
// Moves past the end of `chunk` (and its pad byte).
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);
// The length of the open file in bytes (0 for none): a chunk's size is
// checked against it before anything is allocated for the chunk.
LONG RiffFileSize(HMMIO file);

// The bytes of a RIFF "WAVE" file with a 16-byte "fmt " chunk and a "data"
// chunk.
std::vector<uint8_t> WaveFileBytes(const WAVEFORMATEX& format, const void* data, DWORD bytes);
// Writes such a file. Returns 1 / 0.
int WriteWaveFile(const char* name, const WAVEFORMATEX& format, const void* data, DWORD bytes);

}  // namespace platform
