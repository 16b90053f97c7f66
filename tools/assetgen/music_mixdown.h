#pragma once
// Plays parts through the instrument samples offline, the way the game's
// synthesiser does (pitch by resampling, loops while a note is held, a linear
// release after it): the reward fanfares are made this way, and the songs'
// parts are measured this way to level them.
#include <vector>

#include "assetgen/music_score.h"
#include "assetgen/sound_dsp.h"

namespace assetgen::music {

// The parts mixed from tick 0 for `ticks` plus whatever rings on after.
dsp::Signal Mixdown(const std::vector<Part>& parts, uint32_t ticks);

// One channel of the part played alone in a loop at the volume of a placed
// icon (-9 dB, centred), over its second pass (so notes ringing over the
// loop's end are heard against its start).
dsp::Signal PlacedLoop(const Part& part, uint32_t loopTicks);


}  // namespace assetgen::music
