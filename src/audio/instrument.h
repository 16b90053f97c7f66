#pragma once
// Instruments of the synthesiser and the WAVE files they play.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/dsound.h"

// One WAVE file named by the instrument library, shared by every instrument
// that names it (names compare without regard to case).
struct WaveEntry {
    std::string fileName;
    platform::WAVEFORMATEX format{};       // as read; the extra-size word is 0
    std::unique_ptr<int16_t[]> samples;    // the "data" chunk, or null
    uint32_t dataBytes = 0;
    int32_t useCount = 0;                  // load requests not yet undone
};

struct Instrument {
    WaveEntry* wave = nullptr;
    uint8_t rootNote = 0;
    int8_t gain = 0;          // decibels
    uint32_t loopStart = 0;   // samples
    uint32_t loopEnd = 0;     // samples
    uint8_t loopFlag = 0;     // 1 = loop while held
    uint32_t release = 0;     // frames of fade after the note's end; 0 = none
    uint8_t state = 0;        // 0 not loaded, 1 loaded, 2 loaded and marked
};
