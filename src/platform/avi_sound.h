#pragma once
// The sound stream of a movie, played through an SDL audio device of its own
// (only with the SDL backend; headless runs are silent).
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/avi_reader.h"

namespace platform::avi {

// A movie's samples as the game outputs them: 16-bit stereo, through the
// game's output stage when it is on (as the card's sound is), so the movies
// and the game are heard on one scale. Empty for a format it cannot read.
std::vector<int16_t> MovieOutputFrames(const SoundFormat& format, const std::vector<uint8_t>& pcm);

class MovieSoundOutput {
public:
    // Opens a device for the format and starts playing the samples. Null with
    // the headless backend or when no device can be opened (the movie then
    // plays silently).
    static std::unique_ptr<MovieSoundOutput> Start(const SoundFormat& format,
                                                   const std::vector<uint8_t>& pcm);
    ~MovieSoundOutput();
    MovieSoundOutput(const MovieSoundOutput&) = delete;
    MovieSoundOutput& operator=(const MovieSoundOutput&) = delete;

private:
    explicit MovieSoundOutput(uint32_t device) : device_(device) {}
    uint32_t device_;
};

}  // namespace platform::avi
