#pragma once
// The synthesiser's channels and voices, as records.
#include <cstdint>

struct SynthChannel {
    float volume = 1.0f;  // 1.0 = full
    float pan = 0.5f;     // 0 left, 0.5 centre, 1 right
};

// Positions are byte offsets into the instrument's samples; output positions
// are frame indices into the segment being mixed.
struct SynthVoice {
    const int16_t* samples = nullptr;
    uint32_t position = 0;
    uint32_t loopStart = 0;
    uint32_t loopEnd = 0;
    uint32_t sampleEnd = 0;   // offset of the last 16-bit sample
    uint32_t mode = 0;        // 2: looping, 16: no interpolation
    uint32_t fraction = 0;    // low 16 bits used
    uint16_t fractionStep = 0;
    uint32_t step = 0;        // bytes per frame: 2 x whole step
    uint32_t carryStep = 0;   // step + 2, when the fraction wraps
    double velocityGain = 0;
    uint32_t startFrame = 0;
    uint32_t endFrame = 0;
    uint32_t active = 0;
    uint8_t channel = 0;
    int32_t mixStart = 0;     // first frame of this segment the voice writes
    int32_t noteEnd = 0;      // end of the held part (may be before the segment)
    int32_t segmentEnd = 0;
    int32_t baseGainLeft = 0, baseGainRight = 0;  // 1/65536
    int32_t gainLeft = 0, gainRight = 0;
    int32_t envelopeStep = 0;
    int32_t envelopeLevel = 0;
};
