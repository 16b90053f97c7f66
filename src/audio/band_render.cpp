#include "audio/band_render.h"

#include <algorithm>

#include "audio/sequencer.h"
#include "platform/riff.h"

namespace audio {

namespace {
constexpr const char* kInstrumentLibrary = ".\\seq\\wavelib.txt";
// XMIDI ticks are 1/120 s; the tracks step by whole frames per tick.
constexpr unsigned kTicksPerSecond = 120;
}  // namespace

BandRender::BandRender() = default;
BandRender::~BandRender() = default;

int BandRender::Fail(const std::string& why) {
    error_ = why;
    sequencer_.reset();
    return 0;
}

int BandRender::Open(const int (&values)[kBandMembers], int difficulty, unsigned rate) {
    frames_.clear();
    done_ = false;
    error_.clear();
    rate_ = rate;
    sequencer_ = std::make_unique<Sequencer>(nullptr, nullptr);
    SoundFormat format;
    format.outputRate = rate;
    format.rateFactor = rate == 11025 ? 2 : 1;
    format.segmentFrames = kSegmentFrames;
    if ((rate != 22050 && rate != 11025) || !sequencer_->SQ_CreateOfflineSynth(format))
        return Fail("the synthesiser cannot render at " + std::to_string(rate) + " Hz");
    if (!sequencer_->SQ_LoadInstrumentLibrary(kInstrumentLibrary)) return Fail("seq\\wavelib.txt did not load");
    const char* song = BandSongFile(difficulty);
    if (!sequencer_->SQ_LoadSequenceFile(song)) return Fail(std::string(song) + " did not load");

    // The tracks as the den makes them: every sequence loops, each on the
    // synthesiser channel of its own id.
    uint32_t passTicks = 0;
    std::vector<int> ids;
    for (uint32_t s = 0; s < sequencer_->SequenceCount(); ++s) {
        passTicks = std::max(passTicks, sequencer_->SequenceTicks(s));
        const int id = sequencer_->SQ_CreateTrack(s);
        if (id < 0) return Fail("the band song has too many sequences");
        sequencer_->SQ_SetTrackLoops(id, 0);
        sequencer_->SQ_SetTrackChannel(id, id);
        ids.push_back(id);
    }
    sequencer_->SQ_UnloadSequenceFile();
    if (passTicks == 0) return Fail(std::string(song) + " has no length");
    const auto mix = BandMix(values);
    const size_t mixed = std::min<size_t>(ids.size(), mix.size());
    for (size_t t = 0; t < mixed; ++t) {
        sequencer_->SQ_SetTrackMute(ids[t], uint32_t(mix[t].mute));
        sequencer_->SQ_SetTrackVolume(ids[t], mix[t].volume);
        sequencer_->SQ_SetTrackPan(ids[t], mix[t].pan);
    }
    sequencer_->SQ_LoadTrackInstruments();

    passFrames_ = passTicks * (rate / kTicksPerSecond);
    totalFrames_ = kBandRenderPasses * passFrames_ + uint32_t(uint64_t(rate) * kBandFadeMs / 1000);
    frames_.reserve(size_t(totalFrames_) * 2 + kSegmentFrames * 2);
    stage_ = std::make_unique<platform::OutputDynamics>(platform::GameOutputSettings(), rate);
    delayToDrop_ = stage_->LatencyFrames();
    return 1;
}

void BandRender::KeepThroughStage(const int16_t* mixed, size_t frames) {
    std::vector<int32_t> in(mixed, mixed + frames * 2);
    std::vector<int16_t> out(frames * 2);
    stage_->Process(in.data(), out.data(), frames);
    const size_t drop = std::min(delayToDrop_, frames);
    delayToDrop_ -= drop;
    frames_.insert(frames_.end(), out.begin() + long(drop * 2), out.end());
}

int BandRender::Step(uint32_t segments) {
    if (done_ || !sequencer_) return 0;
    const size_t total = size_t(totalFrames_) * 2;
    std::vector<int16_t> segment(size_t(kSegmentFrames) * 2);
    for (uint32_t n = 0; n < segments && frames_.size() < total; ++n) {
        sequencer_->SQ_RenderSegment(segment.data());
        KeepThroughStage(segment.data(), kSegmentFrames);
    }
    if (frames_.size() < total) return 1;
    // The stage's look-ahead delay was dropped from the start, so the file
    // keeps the song's timing; rendering runs on past the end to fill it.
    frames_.resize(total);
    FadeOutTail(frames_, uint32_t(uint64_t(rate_) * kBandFadeMs / 1000));
    done_ = true;
    sequencer_.reset();
    stage_.reset();
    return 0;
}

std::vector<int16_t> RenderBandSong(const int (&values)[kBandMembers], int difficulty, std::string* error,
                                    unsigned rate) {
    BandRender render;
    if (!render.Open(values, difficulty, rate)) {
        *error = render.Error();
        return {};
    }
    while (render.Step(256)) {
    }
    return render.TakeFrames();
}

void FadeOutTail(std::vector<int16_t>& frames, uint32_t fadeFrames) {
    const size_t count = frames.size() / 2;
    const size_t fade = std::min<size_t>(fadeFrames, count);
    if (fade == 0) return;
    const size_t first = count - fade;
    // The last frame is silent: the gain runs from just under 1 down to 0.
    for (size_t i = 0; i < fade; ++i) {
        const int64_t gain = int64_t(fade - 1 - i);
        for (size_t c = 0; c < 2; ++c) {
            int16_t& sample = frames[(first + i) * 2 + c];
            sample = int16_t(int64_t(sample) * gain / int64_t(fade));
        }
    }
}

std::vector<uint8_t> StereoWaveBytes(const std::vector<int16_t>& frames, unsigned rate) {
    platform::WAVEFORMATEX format{};
    format.wFormatTag = platform::WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = rate * 4;
    return platform::WaveFileBytes(format, frames.data(), platform::DWORD(frames.size() * 2));
}

}  // namespace audio
