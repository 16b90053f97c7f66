#pragma once
// Rendering the game's music and effects to sample frames through the game's
// own sequencer, synthesiser and effect player on the virtual sound card.
// Needs a running headless platform (its manual clock drives the timer and
// the card) and the data folder as the current directory. Header-only so the
// music tests can use it too.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "audio/band_render.h"
#include "audio/fx_player.h"
#include "audio/sequencer.h"
#include "platform/clock.h"
#include "platform/dsound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"

namespace render {

// How one track of a song is heard; tracks without a setting stay muted.
struct TrackSetting {
    int sequence = 0;
    int32_t volume = -900;  // hundredths of a decibel, as the game sets it
    int32_t pan = 0;
};

// Sequences in a song file of the data folder (0 when it cannot be read).
inline int CountSequences(const std::string& song) {
    FILE* file = platform::OpenFile((".\\seq\\" + song).c_str(), "rb");
    if (!file) return 0;
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    int count = 0;
    while (count < int(xmidi::kMaxSequences) && xmidi::FindSequence(bytes.data(), bytes.size(), unsigned(count)) >= 0)
        ++count;
    return count;
}

// Interleaved stereo frames at `rate`, or empty with *error set.
inline std::vector<int16_t> RenderSong(const std::string& song, const std::vector<TrackSetting>& settings,
                                       unsigned milliseconds, unsigned rate, std::string* error) {
    platform::IDirectSound* ds = nullptr;
    if (platform::DirectSoundCreate(nullptr, &ds, nullptr) != platform::DS_OK) {
        *error = "no sound device";
        return {};
    }
    // The sequencer's synthesiser owns the device from here on.
    Sequencer sequencer(nullptr, ds);
    SoundFormat format;
    format.outputRate = rate;
    format.rateFactor = rate == 11025 ? 2 : 1;
    if (!sequencer.SQ_CreateVirtualSynth(format)) {
        *error = "the synthesiser could not be created";
        return {};
    }
    if (!sequencer.SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt")) {
        *error = "seq\\wavelib.txt did not load";
        return {};
    }
    if (!sequencer.SQ_LoadSequenceFile((".\\seq\\" + song).c_str())) {
        *error = "seq\\" + song + " did not load";
        return {};
    }
    std::vector<int> ids;
    for (uint32_t n = 0; n < sequencer.SequenceCount(); ++n) {
        const int id = sequencer.SQ_CreateTrack(n);
        sequencer.SQ_RestartTrack(id);
        sequencer.SQ_SetTrackLoops(id, 0);
        sequencer.SQ_SetTrackChannel(id, id);
        ids.push_back(id);
    }
    sequencer.SQ_UnloadSequenceFile();
    for (int id : ids) {
        sequencer.SQ_SetTrackMute(id, 1);
        sequencer.SQ_SetTrackVolume(id, -10000);
    }
    for (const TrackSetting& s : settings) {
        if (s.sequence < 0 || size_t(s.sequence) >= ids.size()) {
            *error = "the song has no sequence " + std::to_string(s.sequence);
            return {};
        }
        const int id = ids[size_t(s.sequence)];
        sequencer.SQ_SetTrackMute(id, 0);
        sequencer.SQ_SetTrackVolume(id, s.volume);
        sequencer.SQ_SetTrackPan(id, s.pan);
    }
    sequencer.SQ_LoadTrackInstruments();
    platform::sound_card::StartCapture();
    sequencer.SQ_Play();
    platform::manual_clock::Advance(milliseconds);
    std::vector<int16_t> frames = platform::sound_card::StopCapture();
    sequencer.SQ_Stop();
    sequencer.SQ_Destroy();
    return frames;
}

// One effect played once (or looped for the whole time) at a volume and a
// pitch in cents, as the game's effect player does.
inline std::vector<int16_t> RenderEffect(int effect, unsigned milliseconds, unsigned rate, int32_t volume,
                                         int32_t cents, bool loop, std::string* error) {
    platform::IDirectSound* ds = nullptr;
    if (platform::DirectSoundCreate(nullptr, &ds, nullptr) != platform::DS_OK) {
        *error = "no sound device";
        return {};
    }
    ds->SetCooperativeLevel(nullptr, platform::DSSCL_NORMAL);
    platform::sound_card::SetOutputRate(rate);
    std::vector<int16_t> frames;
    {
        FxPlayer player(nullptr, ds, 30);
        if (!player.LoadFXLib(".\\seq\\fxlib.txt")) {
            *error = "seq\\fxlib.txt did not load";
        } else {
            const int slot = player.FxPlayer_Load(effect);
            if (slot < 0) {
                *error = "effect " + std::to_string(effect) + " did not load";
            } else {
                player.FxPlayer_SetVolume(slot, volume);
                if (cents) player.FxPlayer_SetPitch(slot, cents);
                platform::sound_card::StartCapture();
                player.FxPlayer_Play(slot, loop ? 1 : 0);
                platform::manual_clock::Advance(milliseconds);
                frames = platform::sound_card::StopCapture();
                player.FxPlayer_Stop(slot);
                player.FxPlayer_Release(slot);
            }
        }
    }
    ds->Release();
    return frames;
}

// The den's band song as the game keeps it with its key: the bytes of the
// WAVE file (two passes and the fade, rendered offline), or empty with
// *error set. Needs only the data folder as the current directory.
inline std::vector<uint8_t> DenBandWave(const int (&values)[audio::kBandMembers], int difficulty,
                                        std::string* error) {
    const std::vector<int16_t> frames = audio::RenderBandSong(values, difficulty, error);
    if (frames.empty()) return {};
    return audio::StereoWaveBytes(frames, audio::kBandRenderRate);
}

}  // namespace render
