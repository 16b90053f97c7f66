#pragma once
// Game-controller events of either backend (SDL's controller events, or
// injected ones headless) kept as the state joystick 0 reads.
#include "platform/devices.h"

namespace platform::internal {

void OnPadAttached(bool attached);
// axis 0 = left stick X, 1 = left stick Y; values -32768 .. 32767.
void OnPadAxis(int axis, int value);
// Start also presses and releases Escape.
void OnPadButton(PadButton button, bool down);
// The controller as a joystick reading: axes 0..65535 (the D-pad pushes them
// all the way), button 0 = the south button.
MMRESULT ReadPad(DWORD* x, DWORD* y, DWORD* buttons);

}  // namespace platform::internal
