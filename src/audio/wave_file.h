#pragma once
// Opening a WAVE file for the synthesiser or an effect buffer: the RIFF
// "WAVE" form, its "fmt " record and the "data" chunk. Every failure shows its
// "WAVE file loading error" box (stop icon) for the window.
#include "platform/riff.h"
#include "platform/win_types.h"

namespace audio {

constexpr platform::UINT kStopIcon = 0x10;  // the hand icon of error boxes

struct OpenedWave {
    platform::HMMIO file = nullptr;
    platform::WAVEFORMATEX format{};  // first 16 bytes of "fmt ", extra size 0
    platform::MMCKINFO data{};        // the "data" chunk; the file is at its start
};

// Returns 1 with the file positioned at the sample data (the caller closes
// it), or 0 after the failure box with nothing left open.
int OpenWave(platform::HWND window, const char* name, OpenedWave* wave);
// Shows a "WAVE file loading error" box with the given text.
void WaveError(platform::HWND window, const char* text);

}  // namespace audio
