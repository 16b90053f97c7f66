#include "audio/wave_file.h"


#include "platform/dialogs.h"

namespace audio {

using namespace platform;

void WaveError(HWND window, const char* text) {
    MessageBox(window, text, "WAVE file loading error", MB_OK | kStopIcon);
}

int OpenWave(HWND window, const char* name, OpenedWave* wave) {
    HMMIO file = mmioOpen(name, nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!file) {
        WaveError(window, " File could not be opened");
        return 0;
    }
    auto fail = [&](const char* text) {
        mmioClose(file, 0);
        WaveError(window, text);
        return 0;
    };
    MMCKINFO riff{};
    riff.fccType = MakeFourCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != 0) return fail(" Error descending in file");
    MMCKINFO fmt{};
    fmt.ckid = MakeFourCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &fmt, &riff, MMIO_FINDCHUNK) != 0) return fail(" Error descending in file");
    if (fmt.cksize < 16) return fail(" File not a WAVE file");
    uint8_t record[16];
    if (mmioRead(file, reinterpret_cast<char*>(record), 16) != 16)
        return fail(" Error reading PCM format record");
    auto le16 = [&](int at) { return WORD(record[at] | record[at + 1] << 8); };
    auto le32 = [&](int at) { return DWORD(le16(at)) | DWORD(le16(at + 2)) << 16; };
    wave->format.wFormatTag = le16(0);
    wave->format.nChannels = le16(2);
    wave->format.nSamplesPerSec = le32(4);
    wave->format.nAvgBytesPerSec = le32(8);
    wave->format.nBlockAlign = le16(12);
    wave->format.wBitsPerSample = le16(14);
    wave->format.cbSize = 0;
    if (mmioAscend(file, &fmt, 0) != 0) return fail(" Error ascending in file");
    MMCKINFO data{};
    data.ckid = MakeFourCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) != 0) return fail(" Error reading data chunk");
    // The size is the file's word: it must not claim more bytes than the file
    // holds, or callers would allocate (and zero) for data that is not there.
    if (uint64_t(data.dwDataOffset) + data.cksize > uint64_t(RiffFileSize(file)))
        return fail(" Error reading WAVE data");
    wave->file = file;
    wave->data = data;
    return 1;
}

}  // namespace audio
