#pragma once
// Message boxes: SDL message boxes on a desktop; headless, every box is
// logged and answered by a scriptable responder (platform/headless.h).
#include "platform/win_types.h"

namespace platform {

// Flags: MB_OK or MB_OKCANCEL, with MB_ICONEXCLAMATION / MB_SETFOREGROUND.
// Returns IDOK or IDCANCEL (closing the box counts as Cancel, or OK for MB_OK).
int MessageBox(HWND owner, const char* text, const char* caption, UINT flags);

}  // namespace platform
