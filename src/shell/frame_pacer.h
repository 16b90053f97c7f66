#pragma once
// When the next game frame is due: frames start one display refresh apart, so
// the main loop can sleep between them instead of spinning. The game's timing
// reads the clock, so fewer frames never change how fast things move.
#include <cstdint>

namespace shell {

class FramePacer {
public:
    static constexpr int64_t kFrameMicros = 16667;  // 60 frames a second

    // Microseconds from now until the next frame is due (0: due now).
    int64_t UntilDue(int64_t nowMicros) const {
        return started_ && due_ > nowMicros ? due_ - nowMicros : 0;
    }
    // A frame starts now. Frames keep a steady beat; one that comes a whole
    // frame late starts a new beat rather than rushing to catch up.
    void FrameStarted(int64_t nowMicros) {
        due_ = !started_ || nowMicros - due_ >= kFrameMicros ? nowMicros + kFrameMicros : due_ + kFrameMicros;
        started_ = true;
    }

private:
    bool started_ = false;
    int64_t due_ = 0;
};

}  // namespace shell
