#pragma once
// The desktop backend on SDL2.
#include <memory>

#include "platform/internal/backend.h"

namespace platform::internal {

// Initialises SDL's video, events, joystick and game-controller subsystems;
// null when the video driver cannot start.
std::unique_ptr<Backend> CreateSdlBackend();

}  // namespace platform::internal
