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

}  // namespace assetgen::music
