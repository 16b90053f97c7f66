// Song files and the tracks of the sequencer (main thread).
#include "audio/sequencer.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "platform/files.h"

class Sequencer::BusyClaim {
public:
    explicit BusyClaim(std::atomic<bool>& busy) : busy_(busy) {
        bool expected = false;
        while (!busy_.compare_exchange_weak(expected, true, std::memory_order_acquire)) {
            expected = false;
            std::this_thread::yield();
        }
    }
    ~BusyClaim() { busy_.store(false, std::memory_order_release); }
    BusyClaim(const BusyClaim&) = delete;
    BusyClaim& operator=(const BusyClaim&) = delete;

private:
    std::atomic<bool>& busy_;
};

Sequencer::Sequencer(platform::HWND window, platform::IDirectSound* directSound)
    : window_(window), synth_(std::make_unique<VirtualSynth>(window, directSound)) {}

Sequencer::~Sequencer() { SQ_Destroy(); }

SeqTrack* Sequencer::Track(int id) const {
    if (id < 0 || id >= kTrackSlots) return nullptr;
    return tracks_[size_t(id)].get();
}

int Sequencer::SQ_LoadSequenceFile(const char* path) {
    if (!songData_.empty()) return 0;
    std::vector<uint8_t> data;
    if (!platform::ReadWholeFile(path, &data) || data.empty()) return 0;
    uint32_t count = 0;
    // The table holds 128 sequences; any beyond are ignored.
    while (count < xmidi::kMaxSequences) {
        long at = xmidi::FindSequence(data.data(), data.size(), count);
        if (at < 0) break;
        sequenceTable_[count++] = uint32_t(at);
    }
    if (count == 0) return 0;
    songData_ = std::move(data);
    sequenceCount_ = count;
    return 1;
}

uint32_t Sequencer::SequenceTicks(uint32_t sequence) const {
    if (sequence >= sequenceCount_) return 0;
    const size_t at = sequenceTable_[sequence];
    const long ticks = xmidi::SequenceTicks(songData_.data() + at, songData_.size() - at);
    return ticks > 0 ? uint32_t(ticks) : 0;
}

void Sequencer::SQ_UnloadSequenceFile() {
    songData_.clear();
    songData_.shrink_to_fit();
    sequenceCount_ = 0;
}

int Sequencer::SQ_CreateTrack(uint32_t sequence) {
    if (sequence >= sequenceCount_) return -1;
    int slot = -1;
    for (int i = 0; i < kTrackSlots; ++i) {
        if (!tracks_[size_t(i)]) {
            slot = i;
            break;
        }
    }
    if (slot < 0) return -1;
    std::vector<uint8_t> copy(songData_.begin() + sequenceTable_[sequence], songData_.end());
    auto track = std::make_unique<SeqTrack>(synth_.get(), std::move(copy));
    track->Reset();
    SeqTrack* t = track.get();
    BusyClaim claim(busy_);
    tracks_[size_t(slot)] = std::move(track);
    ++trackCount_;
    if (!playing_.Contains(t)) playing_.PushFront(t);
    t->Reset();
    return slot;
}

int Sequencer::SQ_DeleteTrack(int id) {
    SeqTrack* t = Track(id);
    if (!t) return 0;
    BusyClaim claim(busy_);
    playing_.Remove(t);
    tracks_[size_t(id)].reset();
    --trackCount_;
    return 1;
}

int Sequencer::SQ_RestartTrack(int id) {
    SeqTrack* t = Track(id);
    if (!t) return 0;
    BusyClaim claim(busy_);
    if (!playing_.Contains(t)) playing_.PushFront(t);
    t->Reset();
    return 1;
}

int Sequencer::SQ_SetTrackChannel(int id, int synthChannel) {
    SeqTrack* t = Track(id);
    if (!t || synthChannel < 0 || synthChannel >= VirtualSynth::kChannels) return 0;
    BusyClaim claim(busy_);
    for (auto& record : t->channels) record.synthChannel = uint8_t(synthChannel);
    return 1;
}

int Sequencer::SQ_SetTrackLoops(int id, uint32_t count) {
    SeqTrack* t = Track(id);
    if (!t) return 0;
    BusyClaim claim(busy_);
    t->playsLeft = count;
    return 1;
}

void Sequencer::SQ_SetTrackVolume(int id, int32_t volume) {
    if (SeqTrack* t = Track(id)) t->volume = std::clamp<int32_t>(volume, -10000, 0);
}

void Sequencer::SQ_SetTrackPan(int id, int32_t pan) {
    if (SeqTrack* t = Track(id)) t->pan = std::clamp<int32_t>(pan, -10000, 10000);
}

void Sequencer::SQ_SetTrackMute(int id, uint32_t value) {
    SeqTrack* t = Track(id);
    if (!t) return;
    if (value == 2) t->mute = t->mute.load() ? 0 : 1;
    else t->mute = value & 0xFF;
}

int Sequencer::SQ_LoadTrackInstruments() {
    BusyClaim claim(busy_);
    synth_->VS_mark_instruments();
    for (auto* t = playing_.FirstAs<SeqTrack>(); t; t = playing_.NextAs<SeqTrack>()) {
        for (const xmidi::TimbreEntry& timbre : t->Timbres()) {
            if (timbre.bank > 15 || timbre.program > 127) continue;
            // The sequencer holds one load request per instrument: one that
            // is loaded already only loses its mark. Asking again for every
            // track or song would leave use counts that the sweep never
            // brings back to 0, so the samples would never be freed.
            Instrument* instrument = synth_->InstrumentAt(timbre.bank, timbre.program);
            if (instrument && instrument->state != 0) instrument->state = 1;
            else synth_->VS_load_instrument(timbre.bank, timbre.program);
        }
    }
    synth_->VS_sweep_instruments();
    return 1;
}

void Sequencer::SQ_LimitAudibleTracks(int n) {
    BusyClaim claim(busy_);
    if (playing_.Empty()) return;
    // A stable sort, loudest first: the order a bubble sort that swaps only
    // strictly quieter-before-louder pairs would leave.
    std::vector<SeqTrack*> order;
    for (auto* t = playing_.FirstAs<SeqTrack>(); t; t = playing_.NextAs<SeqTrack>()) order.push_back(t);
    std::stable_sort(order.begin(), order.end(),
                     [](const SeqTrack* a, const SeqTrack* b) { return a->volume.load() > b->volume.load(); });
    playing_.Clear();
    int index = 0;
    for (SeqTrack* t : order) {
        playing_.PushBack(t);
        t->mute = index++ < n ? 0 : 1;
    }
}

int Sequencer::SQ_LoadInstrumentLibrary(const char* path) {
    BusyClaim claim(busy_);
    return synth_ ? synth_->LoadInstrumentLibrary(path) : 0;
}
