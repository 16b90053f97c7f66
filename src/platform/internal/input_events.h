#pragma once
// Native input, already mapped to virtual keys, becomes window messages here,
// the same way for both backends: key messages (WM_SYSKEY* while Alt is held),
// characters, the game cursor, the left button, focus, close, move and size.
#include "platform/win_types.h"

namespace platform::internal {

// Returns false when the key press was one of the window's own shortcuts
// (desktop_keys.h): no message, and no character either.
bool OnKey(int virtualKey, bool down, bool repeat);
// The character a key types when no text-input events exist (0: none).
char CharacterForKey(int virtualKey, bool shift);
void OnCharacter(unsigned char character);
// Relative motion moves the game cursor, clamped to the 640 x 480 screen.
void OnMouseMotion(int dx, int dy);
void MoveCursorTo(int x, int y);
// The desktop pointer, gated: it steers the game cursor only while the
// window has the focus and the pointer is over it, or while it is captured.
// At: a position in picture coordinates (uncaptured); Moved: relative motion.
void OnPointerAt(int x, int y);
void OnPointerMoved(int dx, int dy);
// Leaving the window puts the game cursor back at the neutral centre.
void OnPointerInside(bool inside);
void OnMouseButton(bool down);
void OnFocus(bool active, bool minimized);
void OnCloseRequest();
void OnMoved(int x, int y);
void OnResized(int width, int height);

}  // namespace platform::internal
