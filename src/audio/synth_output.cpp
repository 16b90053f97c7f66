// The synthesiser's buffers: creation, segment servicing, clearing, playing.
#include <cmath>
#include <cstring>

#include "audio/ds_error_text.h"
#include "audio/virtual_synth.h"
#include "platform/system.h"

using namespace platform;

namespace {
constexpr const char* kSynthError = "Virtual Synth error: ";
constexpr uint32_t kMinSegmentFrames = 64;
}  // namespace

void VirtualSynth::StoreFormat(const SoundFormat& format, uint32_t mixSize) {
    segmentCount_ = format.segmentCount;
    segmentFrames_ = format.segmentFrames;
    bits_ = format.bits;
    outputRate_ = format.outputRate;
    rateFactor_ = format.rateFactor;
    frameBytes_ = (format.bits / 8) * 2;
    segmentBytes_ = segmentFrames_ * frameBytes_;
    mixSize_ = mixSize;
    pitchDivisor_ = outputRate_ >> (rateFactor_ >> 1);
    for (int i = 0; i < 128; ++i)
        pitchTable_[size_t(i)] = double(outputRate_) * std::pow(2.0, double(i - 60) * (1.0 / 12.0));
}

int VirtualSynth::VS_create(const SoundFormat& requested) {
    if (!directSound_) return 0;
    SoundFormat format = requested;
    auto failed = [&](HRESULT result) {
        DebugTrace(window_, 1, "%s", DSErrorText(result));
        return 0;
    };
    HRESULT result = directSound_->SetCooperativeLevel(window_, DSSCL_PRIORITY);
    if (result != DS_OK) return failed(result);

    DSBUFFERDESC primaryDescription{};
    primaryDescription.dwSize = 20;
    primaryDescription.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    result = directSound_->CreateSoundBuffer(&primaryDescription, &primary, nullptr);
    if (result != DS_OK) return failed(result);
    if (primaryBuffer_) primaryBuffer_->Release();
    primaryBuffer_ = primary;

    const uint32_t frameBytes = (format.bits / 8) * 2;
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = 2;
    wave.nSamplesPerSec = format.outputRate;
    wave.wBitsPerSample = WORD(format.bits);
    wave.nBlockAlign = WORD(frameBytes);
    wave.nAvgBytesPerSec = format.outputRate * frameBytes;
    result = primaryBuffer_->SetFormat(&wave);
    if (result != DS_OK) return failed(result);
    result = directSound_->SetCooperativeLevel(window_, DSSCL_NORMAL);
    if (result != DS_OK) return failed(result);

    DSBCAPS caps{};
    result = primaryBuffer_->GetCaps(&caps);
    if (result != DS_OK) return failed(result);
    primarySize_ = caps.dwBufferBytes;

    if (mixBuffer_) {
        DebugTrace(window_, 1, "%smix buffer buffer already allocated.", kSynthError);
        return 0;
    }
    if (format.segmentCount == 0) {
        DebugTrace(window_, 1, "%stoo few buffer segments specified.", kSynthError);
        return 0;
    }
    if (format.segmentFrames == 0) format.segmentFrames = primarySize_ / (format.segmentCount * frameBytes);
    if (format.segmentFrames < kMinSegmentFrames) {
        DebugTrace(window_, 1, "%sbuffer segment size is too small.", kSynthError);
        return 0;
    }
    if (format.segmentCount < 2) {
        DebugTrace(window_, 1, "%stoo few buffer segments specified.", kSynthError);
        return 0;
    }

    DSBUFFERDESC mixDescription{};
    mixDescription.dwSize = 20;
    mixDescription.dwFlags = DSBCAPS_LOCSOFTWARE;
    mixDescription.dwBufferBytes = frameBytes * format.segmentCount * format.segmentFrames;
    mixDescription.lpwfxFormat = &wave;
    IDirectSoundBuffer* mix = nullptr;
    result = directSound_->CreateSoundBuffer(&mixDescription, &mix, nullptr);
    if (result != DS_OK) return failed(result);
    mixBuffer_ = mix;

    StoreFormat(format, mixDescription.dwBufferBytes);

    DSBCAPS mixCaps{};
    if (mixBuffer_->GetCaps(&mixCaps) == DS_OK) mixSize_ = mixCaps.dwBufferBytes;
    DebugTrace(window_, 0, "Primary buffer size = %ld", long(primarySize_));
    DebugTrace(window_, 0, "Secondary buffer size = %ld", long(mixSize_));
    DebugTrace(window_, 0, "Number of segments = %ld", long(segmentCount_));
    DebugTrace(window_, 0, "Segment size = %ld", long(segmentBytes_));
    return 1;
}

int VirtualSynth::VS_service(int force) {
    if (!mixBuffer_ || segmentBytes_ == 0) return 0;
    DWORD play = 0, write = 0;
    HRESULT result = mixBuffer_->GetCurrentPosition(&play, &write);
    if (result != DS_OK) {
        DebugTrace(window_, 1, "%s", DSErrorText(result));
        return 0;
    }
    if (!force) {
        uint32_t p = play;
        if (p < writeOffset_) p += mixSize_;
        if (writeOffset_ <= p && p < writeOffset_ + segmentBytes_) return 0;
    }
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    result = mixBuffer_->Lock(writeOffset_, segmentBytes_, &part1, &bytes1, &part2, &bytes2, 0);
    if (result != DS_OK) {
        DebugTrace(window_, 1, "%s", DSErrorText(result));
        return 0;
    }
    if (part1) {
        VS_mix_segment(part1);
        writeOffset_ += bytes1;
        if (writeOffset_ >= mixSize_) writeOffset_ = 0;
    }
    if (part2) DebugTrace(window_, 0, "2nd Data buffer valid");
    result = mixBuffer_->Unlock(part1, bytes1, part2, bytes2);
    if (result != DS_OK) DebugTrace(window_, 1, "%s", DSErrorText(result));
    segmentStart_ += segmentFrames_;
    return 1;
}

void VirtualSynth::VS_render_next(void* segment) {
    VS_mix_segment(segment);
    segmentStart_ += segmentFrames_;
}

int VirtualSynth::VS_clear() {
    if (!mixBuffer_) return 0;
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    HRESULT result = mixBuffer_->Lock(0, mixSize_, &part1, &bytes1, &part2, &bytes2, 0);
    if (result != DS_OK) return 0;
    if (bytes1 == 0) {
        mixBuffer_->Unlock(part1, bytes1, part2, bytes2);
        return 0;
    }
    std::memset(part1, bits_ == 8 ? 0x80 : 0, bytes1);
    mixBuffer_->Unlock(part1, bytes1, part2, bytes2);
    writeOffset_ = 0;
    for (auto& v : voices_) v.active = 0;
    return 1;
}

int VirtualSynth::VS_play() {
    if (!mixBuffer_) return 0;
    HRESULT result = mixBuffer_->Play(0, 0, DSBPLAY_LOOPING);
    if (result != DS_OK) {
        DebugTrace(window_, 1, "%s", DSErrorText(result));
        return 0;
    }
    return 1;
}

int VirtualSynth::VS_stop() {
    if (!mixBuffer_) return 0;
    HRESULT result = mixBuffer_->Stop();
    if (result != DS_OK) {
        DebugTrace(window_, 1, "%s", DSErrorText(result));
        return 0;
    }
    return 1;
}

void VirtualSynth::VS_destroy() {
    if (mixBuffer_) {
        mixBuffer_->Stop();
        while (mixBuffer_->Release() > 0) {
        }
        mixBuffer_ = nullptr;
    }
    if (primaryBuffer_) {
        primaryBuffer_->Stop();
        primaryBuffer_->Release();
        primaryBuffer_ = nullptr;
    }
    if (directSound_) {
        directSound_->Release();
        directSound_ = nullptr;
    }
    FreeWaves();
    for (auto& v : voices_) v.active = 0;
    mixSize_ = segmentBytes_ = segmentFrames_ = 0;
    writeOffset_ = 0;
}
