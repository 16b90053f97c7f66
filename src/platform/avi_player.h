#pragma once
// Plays a parsed AVI movie on the platform clock: each update shows the
// frame due at that moment (skipping frames when late) through
// PresentIndexed, and reports once when the last frame's time is over.
#include <cstdint>
#include <optional>

#include "platform/avi_reader.h"

namespace platform::avi {

class AviPlayer {
public:
    explicit AviPlayer(AviFile file);
    AviPlayer(const AviPlayer&) = delete;
    AviPlayer& operator=(const AviPlayer&) = delete;

    // Starts from frame 0 at time now and shows it.
    void Play(uint32_t now);
    // Stops where it is; the picture stays.
    void Stop() { playing_ = false; }
    bool playing() const { return playing_; }

    // Shows the frame due at now. Returns true exactly once per play: at the
    // first update after the last frame's time is over (playing then stops,
    // with the last frame left on the screen).
    bool Update(uint32_t now);
    // When the next frame, or the end, is due; none when not playing.
    std::optional<uint32_t> NextDeadline() const;

    const AviFile& file() const { return file_; }
    // The frame on screen (frames decoded so far - 1), or -1 before the first.
    long shownFrame() const { return long(decoder_.decoded()) - 1; }

private:
    // Decodes up to frame due and shows it, unless it is already shown.
    void ShowFrame(size_t due);

    AviFile file_;
    FrameDecoder decoder_;
    bool playing_ = false;
    uint32_t start_ = 0;
};

}  // namespace platform::avi
