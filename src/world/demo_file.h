#pragma once
// A recorded demo: a saved-game slot's layout (where the player starts, the
// difficulty and the six land records), then one 16-byte step per update of
// the player character: x, y, input bits and the frame shown. A frame of -1
// in the record after the last step ends the demo.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "world/saved_game.h"

namespace world {

inline constexpr size_t kDemoBytes = 19792;
inline constexpr size_t kDemoStepsOffset = 3792;
inline constexpr int kDemoSteps = 1000;
inline constexpr size_t kDemoStepBytes = 16;
static_assert(kDemoStepsOffset + kDemoSteps * kDemoStepBytes == kDemoBytes);

// "1.demo", "2.demo" or "3.demo" for 0, 1, 2.
std::string DemoFileName(int which);

// Reads a demo file of the game's folder into a new buffer of kDemoBytes.
// Refused (null) when it is missing, shorter than a whole demo, not a
// regular file, or when its header does not hold a land to play with values
// in range; *header is then untouched.
std::unique_ptr<uint8_t[]> LoadDemo(const char* name, SavedSlot* header);

// Writes a header for a demo recorded from that start.
void WriteDemoHeader(const SavedSlot& start, uint8_t* demo);

}  // namespace world
