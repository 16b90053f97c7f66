#pragma once
// The window's own keys, the same in both backends: F11 and Alt+Enter switch
// full screen, F9 whole-step scaling, Ctrl+G captures or releases the
// pointer. The game never sees them.

namespace platform::internal {

// For a key press: true when it was one of these keys (and was acted on,
// unless it is an auto-repeat).
bool TakeDesktopShortcut(int virtualKey, bool repeat);

// Full screen (a borderless window over the desktop) on or off; the choice
// goes into the settings.
void SetDesktopFullscreen(bool on);
void ToggleWholeSteps();
void TogglePointerCapture();
// The pointer is held only while capture is wanted and the window has the
// focus; called whenever either changes.
void RefreshPointerCapture();

}  // namespace platform::internal
