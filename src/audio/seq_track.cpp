// One track of a song: reset, advancing through the event stream, channel
// settings.
#include <algorithm>
#include <cmath>
#include <limits>

#include "audio/sequencer.h"

SeqTrack::SeqTrack(VirtualSynth* synth, std::vector<uint8_t> data) : synth_(synth), data_(std::move(data)) {
    chunks_ = xmidi::ScanForm(data_.data(), data_.size());
    if (chunks_.events >= 0) streamEnd_ = EventStart() + chunks_.eventBytes;
}

void SeqTrack::Reset() {
    state = kStopped;
    channels.fill(ChannelMapRecord{});
    volume = 0;
    pan = 0;
    if (chunks_.events < 0) return;
    cursor_ = EventStart();
    playsLeft = 1;
    nextTime = synth_->SegmentStart();
    lastInterval = 0;
    mute = 0;
    framesPerTick = synth_->OutputRate() / 120;
    ticksThisPass_ = 0;
}

std::vector<xmidi::TimbreEntry> SeqTrack::Timbres() const {
    std::vector<xmidi::TimbreEntry> list;
    // A sequence without a timbre chunk needs no instruments.
    if (chunks_.timbre < 0 || chunks_.timbreBytes < 2) return list;
    const uint8_t* body = data_.data() + chunks_.timbre + 8;
    size_t count = size_t(body[0] | body[1] << 8);
    count = std::min(count, (chunks_.timbreBytes - 2) / 2);
    for (size_t i = 0; i < count; ++i) list.push_back({body[2 + 2 * i], body[3 + 2 * i]});
    return list;
}

int SeqTrack::Advance() {
    if (state.load() != kPlaying) return 0;
    if (chunks_.events < 0) {
        Stop();
        return 0;
    }
    if (!synth_->VS_in_segment(nextTime)) return 0;
    const uint8_t* d = data_.data();
    // Data that ends inside an event, or a status byte that XMIDI streams do
    // not use, ends the track.
    auto need = [&](size_t bytes) { return cursor_ + bytes <= streamEnd_; };
    bool end = false;
    while (!end && cursor_ < streamEnd_ && d[cursor_] >= 0x80) {
        const uint8_t status = d[cursor_++];
        const uint8_t kind = status & 0xF0;
        if (status == 0xF0 || status == 0xF7) {
            uint32_t length = 0;
            if (!xmidi::ReadVarLen(d, streamEnd_, &cursor_, &length) || !need(length)) {
                Stop();
                return 0;
            }
            cursor_ += length;
        } else if (status == 0xFF) {
            uint32_t length = 0;
            if (!need(1)) {
                Stop();
                return 0;
            }
            const uint8_t type = d[cursor_++];
            if (!xmidi::ReadVarLen(d, streamEnd_, &cursor_, &length) || !need(length)) {
                Stop();
                return 0;
            }
            if (type != 0x2F) {
                cursor_ += length;
                continue;
            }
            end = true;
            bool restart = true;
            if (playsLeft != 0) {
                --playsLeft;
                if (playsLeft == 0) {
                    playsLeft = 1;
                    Stop();
                    cursor_ += length;
                    restart = false;
                }
            }
            if (restart) {
                // A sequence with no length would restart for ever within
                // one segment; play it once and stop instead.
                if (ticksThisPass_ == 0) {
                    Stop();
                    cursor_ += length;
                    return 1;
                }
                ticksThisPass_ = 0;
                cursor_ = EventStart() + length;
            }
        } else if (kind == 0x90) {
            if (!need(2)) {
                Stop();
                return 0;
            }
            const uint8_t note = d[cursor_], velocity = d[cursor_ + 1];
            cursor_ += 2;
            uint32_t duration = 0;
            if (!xmidi::ReadVarLen(d, streamEnd_, &cursor_, &duration)) {
                Stop();
                return 0;
            }
            const ChannelMapRecord& record = channels[status & 0x0F];
            if (!mute.load()) {
                uint64_t frames = uint64_t(framesPerTick) * duration;
                synth_->VS_note_on(record.synthChannel, note, velocity, record.bank, record.program, nextTime,
                                   uint32_t(std::min<uint64_t>(frames, std::numeric_limits<uint32_t>::max())));
            }
        } else if (kind == 0xC0) {
            if (!need(1)) {
                Stop();
                return 0;
            }
            channels[status & 0x0F].program = d[cursor_++];
        } else if (kind == 0xA0 || kind == 0xB0 || kind == 0xE0) {
            if (!need(2)) {
                Stop();
                return 0;
            }
            cursor_ += 2;
        } else if (kind == 0xD0) {
            if (!need(1)) {
                Stop();
                return 0;
            }
            cursor_ += 1;
        } else {
            Stop();
            return 0;
        }
    }
    if (!end) {
        if (cursor_ >= streamEnd_) {  // no end-of-track event
            Stop();
            return 0;
        }
        const uint8_t interval = d[cursor_++];
        lastInterval = interval;
        nextTime += framesPerTick * interval;
        ticksThisPass_ += interval;
    }
    return 1;
}

void SeqTrack::SendChannelSettings() {
    if (mute.load()) return;
    const double trackGain = std::pow(10.0, double(volume.load()) * 0.01 * 0.05);
    const float panFactor = float(double(pan.load() - (-10000)) * 0.00005);
    int last = -1;
    for (const ChannelMapRecord& record : channels) {
        if (record.synthChannel == last) continue;
        last = record.synthChannel;
        float factor = float(trackGain * double(record.channelVolume) * (1.0 / 127.0));
        synth_->VS_set_channel(record.synthChannel, factor, panFactor);
    }
}
