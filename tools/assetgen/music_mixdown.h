#pragma once
// Plays parts through the instrument samples offline, the way the game's
// synthesiser does (pitch by resampling, loops while a note is held, a linear
// release after it), to make the reward fanfares and other short pieces.
#include <vector>

#include "assetgen/music_score.h"
#include "assetgen/sound_dsp.h"

namespace assetgen::music {

// The parts mixed from tick 0 for `ticks` plus whatever rings on after.
dsp::Signal Mixdown(const std::vector<Part>& parts, uint32_t ticks);

// Scales the part's velocities so that, played alone in a loop at the
// volume of a placed icon (-9 dB, centred), its loudest moment peaks at
// `peak` (a fraction of full scale). Every part then carries its voice
// clearly, and any eight of them together stay below full scale.
void Balance(Part& part, uint32_t loopTicks, double peak);

}  // namespace assetgen::music
