#pragma once
// The song sequencer: turns each sequence of a loaded song file into a
// SeqTrack and, on the timer thread, advances every playing track by the
// events that fall in the segment about to be mixed, handing timed notes to
// the synthesiser. The main thread creates, configures and deletes tracks and
// starts and stops playback; the two threads meet only through the atomic
// busy and in-tick flags and the atomic per-track volume, pan, mute and state.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/sound_format.h"
#include "audio/virtual_synth.h"
#include "audio/xmidi_format.h"
#include "platform/dsound.h"
#include "platform/mmtimer.h"
#include "sprites/ptr_list.h"

struct ChannelMapRecord {
    uint8_t synthChannel = 0;
    uint8_t bank = 0;
    uint8_t program = 0;
    uint8_t channelVolume = 127;
};

class SeqTrack {
public:
    static constexpr uint8_t kStopped = 1;
    static constexpr uint8_t kPlaying = 2;

    SeqTrack(VirtualSynth* synth, std::vector<uint8_t> data);

    void Reset();
    // Dispatches the events at the cursor if its time lies in the segment
    // being mixed; 1 while there may be more to do in this segment.
    int Advance();
    void SendChannelSettings();
    // The (program, bank) pairs of the timbre chunk; empty without one.
    std::vector<xmidi::TimbreEntry> Timbres() const;

    std::array<ChannelMapRecord, 16> channels{};
    std::atomic<uint8_t> state{kStopped};
    uint32_t playsLeft = 0;
    uint32_t nextTime = 0;
    uint32_t lastInterval = 0;
    uint32_t framesPerTick = 0;
    std::atomic<uint32_t> mute{0};
    std::atomic<int32_t> volume{0};
    std::atomic<int32_t> pan{0};

    bool HasEvents() const { return chunks_.events >= 0; }
    size_t Cursor() const { return cursor_; }

private:
    void Stop() { state = kStopped; }
    size_t EventStart() const { return size_t(chunks_.events) + 8; }

    VirtualSynth* synth_;
    std::vector<uint8_t> data_;
    xmidi::SequenceChunks chunks_;
    size_t streamEnd_ = 0;
    size_t cursor_ = 0;
    uint64_t ticksThisPass_ = 0;  // guards a loop with no length
};

// Timer period for a device: 50 ms unless it cannot go that slow or fast.
platform::UINT ChooseTimerPeriod(const platform::TIMECAPS& caps);

class Sequencer {
public:
    static constexpr int kTrackSlots = 128;

    Sequencer(platform::HWND window, platform::IDirectSound* directSound);
    ~Sequencer();
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

    int SQ_LoadSequenceFile(const char* path);
    void SQ_UnloadSequenceFile();
    int SQ_CreateTrack(uint32_t sequence);
    int SQ_DeleteTrack(int id);
    int SQ_RestartTrack(int id);
    int SQ_SetTrackChannel(int id, int synthChannel);
    int SQ_SetTrackLoops(int id, uint32_t count);
    void SQ_SetTrackVolume(int id, int32_t volume);
    void SQ_SetTrackPan(int id, int32_t pan);
    void SQ_SetTrackMute(int id, uint32_t value);
    int SQ_LoadTrackInstruments();
    void SQ_LimitAudibleTracks(int n);
    int SQ_LoadInstrumentLibrary(const char* path);

    int SQ_CreateVirtualSynth(const SoundFormat& format);
    // Offline rendering, with no sound device and no timer: the synthesiser
    // takes the format and mixes into memory of the caller's. Tracks are
    // created after it. Returns 1, or 0 for a format it cannot use.
    int SQ_CreateOfflineSynth(const SoundFormat& format);
    // Advances the tracks through the next segment and mixes it, as a timer
    // tick does for the sound device, into `segment` (SegmentFrames() stereo
    // frames of 16 bits); the first call starts the tracks playing.
    void SQ_RenderSegment(int16_t* segment);
    int SQ_Play();
    int SQ_Stop();
    void SQ_Prime();
    void SQ_Destroy();
    static void SQ_TimerTick(platform::UINT timerId, platform::UINT message, uintptr_t user, uintptr_t,
                             uintptr_t);

    VirtualSynth* Synth() const { return synth_.get(); }
    SeqTrack* Track(int id) const;
    PtrList& PlayingList() { return playing_; }
    int TrackCount() const { return trackCount_; }
    uint32_t SequenceCount() const { return sequenceCount_; }
    // Ticks in one pass of a sequence of the loaded song (0 when unknown).
    uint32_t SequenceTicks(uint32_t sequence) const;
    bool SongLoaded() const { return !songData_.empty(); }
    platform::UINT TimerId() const { return timerId_; }
    platform::UINT TimerPeriod() const { return timerPeriod_; }
    bool Busy() const { return busy_.load(); }

private:
    // Waits for a running tick to finish and keeps the next ones out while
    // the main thread changes what the tick reads.
    class BusyClaim;
    void TrackPass(bool startPlaying);

    platform::HWND window_;
    std::atomic<bool> busy_{false};
    int trackCount_ = 0;
    std::array<std::unique_ptr<SeqTrack>, kTrackSlots> tracks_{};
    PtrList playing_;
    std::unique_ptr<VirtualSynth> synth_;
    std::vector<uint8_t> songData_;
    std::array<uint32_t, xmidi::kMaxSequences> sequenceTable_{};
    uint32_t sequenceCount_ = 0;
    platform::UINT timerId_ = 0;
    platform::UINT timerPeriod_ = 0;
    bool offlineStarted_ = false;
};
