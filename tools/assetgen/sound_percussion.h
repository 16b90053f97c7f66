#pragma once
// The percussion kit: one-shot drum and hand-percussion sounds.
#include "assetgen/sound_dsp.h"

namespace assetgen::percussion {

using dsp::Signal;

Signal Kick();
Signal Snare();
Signal ClosedHat();
Signal OpenHat();
Signal Ride();
Signal Crash();
Signal Clap();
Signal Shaker();
Signal Tambourine();
Signal WoodBlock();
Signal TempleBlock();
Signal Clapsticks();
Signal Bodhran();
Signal Conga();
Signal Gong();
Signal Timpani(double hz);

}  // namespace assetgen::percussion
