#include "platform/dialogs.h"

#include <cstdio>

#include "platform/internal/backend.h"

namespace platform {

int MessageBox(HWND, const char* text, const char* caption, UINT flags) {
    if (internal::Backend* backend = internal::CurrentBackendPtr())
        return backend->ShowMessageBox(text ? text : "", caption ? caption : "", flags);
    // Nobody to ask: say it on standard error and take the safe answer.
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    return (flags & 0xF) == MB_OKCANCEL ? IDCANCEL : IDOK;
}

}  // namespace platform
