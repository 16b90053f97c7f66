#pragma once
#include <cstdint>

// Output format of the synthesiser's buffers (always two-channel PCM).
struct SoundFormat {
    uint32_t segmentCount = 32;   // segments in the mix buffer; at least 2
    uint32_t segmentFrames = 0;   // 0 = derive from the primary buffer size
    uint32_t bits = 16;
    uint32_t outputRate = 22050;
    uint32_t rateFactor = 1;      // instruments' sample rate / output rate
};
