// The main loop's frame beat: frames one refresh apart, a late frame starts
// a new beat instead of a burst of catch-up frames.
#include <gtest/gtest.h>

#include "shell/frame_pacer.h"

namespace {

using shell::FramePacer;

TEST(FramePacer, KeepsASteadyBeatAndNeverRushesAfterALateFrame) {
    FramePacer pacer;
    EXPECT_EQ(pacer.UntilDue(5000), 0);  // the first frame at once
    pacer.FrameStarted(5000);
    EXPECT_EQ(pacer.UntilDue(5000), FramePacer::kFrameMicros);
    EXPECT_EQ(pacer.UntilDue(9000), FramePacer::kFrameMicros - 4000);
    // Waking a little late keeps the beat: the next frame is due on it.
    pacer.FrameStarted(5000 + FramePacer::kFrameMicros + 700);
    EXPECT_EQ(pacer.UntilDue(5000 + FramePacer::kFrameMicros + 700), FramePacer::kFrameMicros - 700);
    // A frame that took three refreshes: the beat starts anew from now.
    const int64_t late = 5000 + 5 * FramePacer::kFrameMicros;
    EXPECT_EQ(pacer.UntilDue(late), 0);
    pacer.FrameStarted(late);
    EXPECT_EQ(pacer.UntilDue(late), FramePacer::kFrameMicros);
}

}  // namespace
