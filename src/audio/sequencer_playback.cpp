// Playback on the multimedia timer: creating the synthesiser's output,
// priming, the periodic tick, stopping and tearing down.
#include <algorithm>

#include "audio/sequencer.h"
#include "platform/system.h"

using namespace platform;

namespace {
// Set while a timer tick runs; a tick that arrives meanwhile returns at once.
std::atomic<bool> g_inTick{false};
constexpr UINT kPreferredPeriodMs = 50;
}  // namespace

UINT ChooseTimerPeriod(const TIMECAPS& caps) {
    return std::min(std::max(caps.wPeriodMin, kPreferredPeriodMs), caps.wPeriodMax);
}

int Sequencer::SQ_CreateVirtualSynth(const SoundFormat& format) {
    if (!synth_ || !synth_->VS_create(format)) return 0;
    TIMECAPS caps;
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR) {
        DebugTrace(window_, 1, "Multimedia timer error, exiting application");
        return 0;
    }
    timerPeriod_ = ChooseTimerPeriod(caps);
    timeBeginPeriod(timerPeriod_);
    DebugTrace(window_, 0, "Timer period resolution %d", int(timerPeriod_));
    return 1;
}

int Sequencer::SQ_CreateOfflineSynth(const SoundFormat& format) {
    if (!synth_ || format.bits != 16 || format.segmentFrames == 0 || format.segmentCount == 0) return 0;
    synth_->StoreFormat(format, format.segmentCount * format.segmentFrames * 4);
    offlineStarted_ = false;
    return 1;
}

void Sequencer::SQ_RenderSegment(int16_t* segment) {
    if (!synth_) return;
    TrackPass(!offlineStarted_);
    offlineStarted_ = true;
    synth_->VS_render_next(segment);
}

void Sequencer::TrackPass(bool startPlaying) {
    for (auto* t = playing_.FirstAs<SeqTrack>(); t; t = playing_.NextAs<SeqTrack>()) {
        if (startPlaying) t->state = SeqTrack::kPlaying;
        while (t->Advance()) {
        }
        t->SendChannelSettings();
    }
}

void Sequencer::SQ_Prime() {
    bool expected = false;
    if (!synth_ || !busy_.compare_exchange_strong(expected, true, std::memory_order_acquire)) return;
    TrackPass(true);
    synth_->VS_service(1);
    do {
        TrackPass(false);
    } while (synth_->VS_service(0));
    busy_.store(false, std::memory_order_release);
}

void Sequencer::SQ_TimerTick(UINT, UINT, uintptr_t user, uintptr_t, uintptr_t) {
    auto* sequencer = reinterpret_cast<Sequencer*>(user);
    if (g_inTick.exchange(true, std::memory_order_acquire)) return;
    bool expected = false;
    if (!sequencer->busy_.compare_exchange_strong(expected, true, std::memory_order_acquire)) {
        g_inTick.store(false, std::memory_order_release);
        return;
    }
    do {
        sequencer->TrackPass(false);
    } while (sequencer->synth_->VS_service(0));
    sequencer->busy_.store(false, std::memory_order_release);
    g_inTick.store(false, std::memory_order_release);
}

int Sequencer::SQ_Play() {
    if (!synth_) return 0;
    if (timerId_) {
        timeKillEvent(timerId_);
        timerId_ = 0;
        DebugTrace(window_, 0, "Killed MMTimer in SQ_Play");
    }
    synth_->VS_clear();
    SQ_Prime();
    timerId_ = timeSetEvent(timerPeriod_, timerPeriod_, &Sequencer::SQ_TimerTick,
                            reinterpret_cast<uintptr_t>(this), TIME_PERIODIC);
    if (!timerId_) {
        DebugTrace(window_, 1, "Multimedia timer allocation failed. Exiting application");
        return 0;
    }
    synth_->VS_play();
    DebugTrace(window_, 0, "SQ_Play()");
    return 1;
}

int Sequencer::SQ_Stop() {
    if (synth_) synth_->VS_stop();
    if (timerId_) {
        timeKillEvent(timerId_);
        timerId_ = 0;
        DebugTrace(window_, 0, "Killed MMTimer in SQ_Stop");
    }
    DebugTrace(window_, 0, "SQ_Stop()");
    return 1;
}

void Sequencer::SQ_Destroy() {
    // A timer event left running would tick into freed tracks.
    if (timerId_) {
        timeKillEvent(timerId_);
        timerId_ = 0;
    }
    SQ_UnloadSequenceFile();
    playing_.Clear();
    for (auto& t : tracks_) t.reset();
    trackCount_ = 0;
    if (timerPeriod_) {
        timeEndPeriod(timerPeriod_);
        timerPeriod_ = 0;
    }
    if (synth_) {
        synth_->VS_destroy();
        synth_.reset();
    }
}
