#pragma once
// The one top-level window. Game code only holds its handle (HWND); the
// platform layer keeps its class, procedure, style and desktop rectangle here.
#include <string>

#include "platform/win_types.h"

namespace platform {

class Window {
public:
    std::string className;
    std::string title;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    // Client area in desktop coordinates.
    RECT rect;
    bool visible = false;
    // Another running copy's window, found by FindWindow: it can only be
    // asked to come to the front.
    bool foreign = false;
};

}  // namespace platform
