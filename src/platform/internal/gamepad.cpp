#include "platform/internal/gamepad.h"

#include <algorithm>

#include "platform/internal/core.h"
#include "platform/internal/input_events.h"

namespace platform::internal {

namespace {
constexpr DWORD kAxisMax = 65535;

uint32_t Bit(PadButton button) { return 1u << static_cast<int>(button); }
bool Held(const PadState& pad, PadButton button) { return (pad.buttons & Bit(button)) != 0; }
DWORD ToJoystickAxis(int value) { return DWORD(std::clamp(value, -32768, 32767) + 32768); }
}  // namespace

void OnPadAttached(bool attached) {
    PadState& pad = GetCore().pad;
    // A controller pulled out with Start held must not leave Escape down.
    if (!attached && Held(pad, PadButton::Start)) OnPadButton(PadButton::Start, false);
    pad = PadState{};
    pad.attached = attached;
}

void OnPadAxis(int axis, int value) {
    PadState& pad = GetCore().pad;
    if (!pad.attached) return;
    if (axis == 0) pad.stickX = value;
    if (axis == 1) pad.stickY = value;
}

void OnPadButton(PadButton button, bool down) {
    PadState& pad = GetCore().pad;
    if (!pad.attached) return;
    const bool was = Held(pad, button);
    pad.buttons = down ? pad.buttons | Bit(button) : pad.buttons & ~Bit(button);
    if (button != PadButton::Start || was == down) return;
    OnKey(VK_ESCAPE, down, false);
    if (down) OnCharacter(CharacterForKey(VK_ESCAPE, false));
}

MMRESULT ReadPad(DWORD* x, DWORD* y, DWORD* buttons) {
    const PadState& pad = GetCore().pad;
    if (!pad.attached) return JOYERR_UNPLUGGED;
    *x = ToJoystickAxis(pad.stickX);
    *y = ToJoystickAxis(pad.stickY);
    if (Held(pad, PadButton::DpadLeft)) *x = 0;
    if (Held(pad, PadButton::DpadRight)) *x = kAxisMax;
    if (Held(pad, PadButton::DpadUp)) *y = 0;
    if (Held(pad, PadButton::DpadDown)) *y = kAxisMax;
    *buttons = Held(pad, PadButton::South) ? 1u : 0u;
    return JOYERR_NOERROR;
}

}  // namespace platform::internal
