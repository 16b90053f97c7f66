#pragma once
// The den's band song rendered offline, for keeping: its own sequencer and
// synthesiser on no sound device, so nothing is shared with the music that
// is playing. Two full passes of the song with the members on their parts,
// through the same output stage the game's sound passes (so the file is as
// loud as the den sounds), then a fade to silence over two seconds of the
// pass after. The work can
// be done in steps (a few segments each frame) or all at once; both give
// the same samples.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/band_mix.h"
#include "platform/output_dynamics.h"

class Sequencer;

namespace audio {

inline constexpr unsigned kBandRenderRate = 22050;
inline constexpr int kBandRenderPasses = 2;
inline constexpr unsigned kBandFadeMs = 2000;

class BandRender {
public:
    static constexpr uint32_t kSegmentFrames = 1024;

    BandRender();
    ~BandRender();
    BandRender(const BandRender&) = delete;
    BandRender& operator=(const BandRender&) = delete;

    // Loads the instruments and the band song of the difficulty (game files
    // of the current folder) and sets the members' parts. 1, or 0 with
    // Error() telling why.
    int Open(const int (&values)[kBandMembers], int difficulty, unsigned rate = kBandRenderRate);
    // Renders up to `segments` more segments; at the end it fades the tail
    // and lets the sound objects go. 1 while there is more to do.
    int Step(uint32_t segments);
    bool Done() const { return done_; }
    // Interleaved stereo frames; complete once Done().
    const std::vector<int16_t>& Frames() const { return frames_; }
    std::vector<int16_t> TakeFrames() { return std::move(frames_); }
    uint32_t TotalFrames() const { return totalFrames_; }
    // Frames in one pass of the song.
    uint32_t PassFrames() const { return passFrames_; }
    unsigned Rate() const { return rate_; }
    const std::string& Error() const { return error_; }

private:
    int Fail(const std::string& why);

    // Passes `frames` interleaved stereo frames of the synthesiser's output
    // through the stage and keeps what comes out, less its look-ahead delay.
    void KeepThroughStage(const int16_t* mixed, size_t frames);

    std::unique_ptr<Sequencer> sequencer_;
    std::unique_ptr<platform::OutputDynamics> stage_;
    size_t delayToDrop_ = 0;  // stereo frames the stage's look-ahead still owes
    std::vector<int16_t> frames_;
    uint32_t totalFrames_ = 0;
    uint32_t passFrames_ = 0;
    unsigned rate_ = kBandRenderRate;
    bool done_ = false;
    std::string error_;
};

// The whole render at once; empty with *error set on failure.
std::vector<int16_t> RenderBandSong(const int (&values)[kBandMembers], int difficulty, std::string* error,
                                    unsigned rate = kBandRenderRate);

// Fades the last `fadeFrames` stereo frames linearly down to silence.
void FadeOutTail(std::vector<int16_t>& frames, uint32_t fadeFrames);

// The stereo 16-bit WAVE file of interleaved frames.
std::vector<uint8_t> StereoWaveBytes(const std::vector<int16_t>& frames, unsigned rate);

}  // namespace audio
