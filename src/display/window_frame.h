#pragma once
// Window sizes from client sizes. The window's frame (caption and borders) is
// whatever the window system draws around the client area; its size is
// measured from the window as it is now.
#include "platform/win_types.h"

namespace display {

// Grows a client rectangle by the window's frame.
void AdjustForFrame(platform::HWND window, platform::RECT* rect);

}  // namespace display
