#pragma once
// The pedestal picture of a sub-room: one bitmap holding four frames side by
// side. Frame 0 stands at rest; frames 1..3 are the finishing run that plays
// once a room's set is complete, and the last of them stays on show for good.
// The generator draws the strip and the room reader cuts it by these values.
#include <cstdint>

namespace world::pedestal {

inline constexpr int kFrames = 4;
inline constexpr int kFrameWidth = 220;
inline constexpr int kFrameHeight = 56;
inline constexpr int kRestFrame = 0;
inline constexpr int kFirstFinishingFrame = 1;
inline constexpr int kLastFrame = kFrames - 1;
inline constexpr uint32_t kFrameMs = 200;

}  // namespace world::pedestal
