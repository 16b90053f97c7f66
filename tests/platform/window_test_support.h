#pragma once
// A window of the game's class whose procedure records every message.
#include <vector>

#include "platform/messages.h"

struct Recorded {
    platform::UINT message;
    platform::WPARAM wParam;
    platform::LPARAM lParam;
};

inline std::vector<Recorded>& RecordedMessages() {
    static std::vector<Recorded> messages;
    return messages;
}

inline platform::LRESULT RecordingProcedure(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                                            platform::LPARAM lParam) {
    RecordedMessages().push_back({message, wParam, lParam});
    if (message == platform::WM_DESTROY) platform::PostQuitMessage(7);
    return platform::DefWindowProc(window, message, wParam, lParam);
}

inline platform::HWND MakeGameWindow() {
    RecordedMessages().clear();
    platform::WNDCLASS cls;
    cls.lpfnWndProc = RecordingProcedure;
    cls.lpszClassName = "Tunewander";
    platform::RegisterClass(cls);
    return platform::CreateWindowEx(0, "Tunewander", "Tunewander", platform::WS_POPUP | platform::WS_SYSMENU, 0, 0, 0,
                                    0);
}

// Takes every waiting message without dispatching it.
inline std::vector<platform::MSG> DrainMessages() {
    std::vector<platform::MSG> out;
    platform::MSG msg;
    while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) out.push_back(msg);
    return out;
}
