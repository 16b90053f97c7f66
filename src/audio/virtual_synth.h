#pragma once
// The 64-voice sample-playback synthesiser. Notes arrive from the sequencer
// with their start frame and duration; VS_mix_segment renders every sounding
// voice into one segment of the looping mix buffer with integer arithmetic
// (16.16 stepping, linear interpolation, a release fade applied every 16
// frames). Rendering and note-ons run on the timer thread; creation, instrument
// loading and destruction on the main thread while playback is stopped.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/instrument.h"
#include "audio/sound_format.h"
#include "audio/synth_voice.h"
#include "audio/voice_render.h"
#include "platform/dsound.h"
#include "sprites/ptr_list.h"

class VirtualSynth {
public:
    static constexpr int kVoices = 64;
    static constexpr int kChannels = 40;
    static constexpr int kBanks = 16;
    static constexpr int kPrograms = 128;

    VirtualSynth(platform::HWND window, platform::IDirectSound* directSound);
    ~VirtualSynth();
    VirtualSynth(const VirtualSynth&) = delete;
    VirtualSynth& operator=(const VirtualSynth&) = delete;

    // ---- notes and mixing ----
    // 1 = taken or ignored, 0 = not in this segment or no free voice.
    int VS_note_on(uint8_t channel, uint8_t note, uint8_t velocity, uint8_t bank, uint8_t program,
                   uint32_t start, uint32_t duration);
    int VS_set_channel(uint8_t channel, float volume, float pan);
    int VS_in_segment(uint32_t time) const;
    void VS_pitch_step(int bank, int program, int note, int* whole, uint16_t* fraction) const;
    // Renders every active voice into the segment. Voices are summed at 32
    // bits and the sum is clamped once, so loud passages saturate instead of
    // wrapping around.
    void VS_mix_segment(void* segment);
    // Adds one voice into the segment's 32-bit stereo sum.
    void VS_render_voice(SynthVoice& voice, int32_t* sum);
    // Which voice loop renders (the fastest this processor runs, unless
    // chosen); every loop gives the same samples.
    void SetMixLoop(MixLoop loop) { mixLoop_ = loop; }
    MixLoop GetMixLoop() const { return mixLoop_; }

    // ---- instruments ----
    // Empties the slots and reads the library (message boxes on failure).
    int LoadInstrumentLibrary(const char* path);
    int VS_load_instrument(int bank, int program);
    int VS_unload_instrument(int bank, int program);
    int VS_mark_instruments();
    int VS_sweep_instruments();
    Instrument* InstrumentAt(int bank, int program);
    // Installs an instrument in a slot (replacing what was there); null for a
    // slot out of range. Its wave should come from FindOrAddWave.
    Instrument* PutInstrument(int bank, int program, const Instrument& instrument);
    // The wave list entry for a name (any letter case), added at the end when new.
    WaveEntry* FindOrAddWave(const char* name);
    const PtrList* WaveList() const { return waves_.get(); }

    // ---- output ----
    int VS_create(const SoundFormat& format);
    // Fills the format fields and the pitch table (step 10-11 of creation);
    // also lets the renderer run on memory of the caller's.
    void StoreFormat(const SoundFormat& format, uint32_t mixSize);
    int VS_service(int force);
    // Mixes the current segment into memory of the caller's (SegmentBytes())
    // and moves on to the next, as VS_service does for the mix buffer.
    void VS_render_next(void* segment);
    int VS_clear();
    int VS_play();
    int VS_stop();
    void VS_destroy();

    // ---- state ----
    uint32_t SegmentStart() const { return segmentStart_; }
    uint32_t SegmentFrames() const { return segmentFrames_; }
    uint32_t SegmentBytes() const { return segmentBytes_; }
    uint32_t SegmentCount() const { return segmentCount_; }
    uint32_t OutputRate() const { return outputRate_; }
    uint32_t RateFactor() const { return rateFactor_; }
    uint32_t PitchDivisor() const { return pitchDivisor_; }
    uint32_t PrimarySize() const { return primarySize_; }
    uint32_t MixSize() const { return mixSize_; }
    uint32_t WriteOffset() const { return writeOffset_; }
    uint32_t Bits() const { return bits_; }
    double PitchTable(int i) const { return pitchTable_[i]; }
    const SynthVoice& Voice(int i) const { return voices_[i]; }
    const SynthChannel& Channel(int i) const { return channels_[i]; }
    int ActiveVoices() const;
    platform::IDirectSoundBuffer* MixBuffer() const { return mixBuffer_; }
    platform::HWND Window() const { return window_; }

private:
    void FreeWaves();

    platform::IDirectSound* directSound_;
    platform::HWND window_;
    platform::IDirectSoundBuffer* primaryBuffer_ = nullptr;
    platform::IDirectSoundBuffer* mixBuffer_ = nullptr;
    std::unique_ptr<PtrList> waves_;                     // of WaveEntry, owned
    std::vector<std::unique_ptr<Instrument>> instruments_;  // kBanks x kPrograms
    std::array<SynthVoice, kVoices> voices_{};
    std::array<SynthChannel, kChannels> channels_{};
    // cos(pan x pi/2)^2 of each channel, kept with its pan: the left share.
    std::array<double, kChannels> panLaw_{};
    std::array<double, 128> pitchTable_{};
    std::vector<int32_t> sum_;  // the segment being mixed, at 32 bits
    MixLoop mixLoop_ = BestMixLoop();
    uint32_t primarySize_ = 0;
    uint32_t mixSize_ = 0;
    uint32_t segmentCount_ = 0;
    uint32_t segmentBytes_ = 0;
    uint32_t segmentFrames_ = 0;
    uint32_t bits_ = 0;
    uint32_t outputRate_ = 0;
    uint32_t rateFactor_ = 0;
    uint32_t frameBytes_ = 0;
    uint32_t pitchDivisor_ = 0;
    uint32_t writeOffset_ = 0;
    uint32_t segmentStart_ = 0;
};
