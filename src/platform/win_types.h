#pragma once
// The small Windows vocabulary that the game's shell and message handlers
// speak: handles, rectangles, messages, virtual keys, message-box flags and the
// common result codes. Only what the game uses is declared here.
#include <cstdint>

namespace platform {

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using BOOL = int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using MMRESULT = uint32_t;
using COLORREF = uint32_t;

class Window;           // the one top-level window (platform/window.h)
using HWND = Window*;

struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};
struct POINT {
    LONG x = 0, y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// Window messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT MM_MCINOTIFY = 0x03B9;

struct MINMAXINFO {
    POINT ptReserved, ptMaxSize, ptMaxPosition, ptMinTrackSize, ptMaxTrackSize;
};

// Virtual keys.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;   // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_NUMPAD2 = 0x62;
constexpr int VK_NUMPAD4 = 0x64;
constexpr int VK_NUMPAD6 = 0x66;
constexpr int VK_NUMPAD8 = 0x68;
constexpr int VK_F1 = 0x70;
constexpr int VK_F9 = 0x78;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
// Letters and digits are their upper-case ASCII codes ('A'..'Z', '0'..'9').

// Message boxes.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;

// Window styles (the display layer changes them when it goes windowed).
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_SYSMENU = 0x00080000u;
constexpr DWORD WS_CAPTION = 0x00C00000u;
constexpr DWORD WS_THICKFRAME = 0x00040000u;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;

// Drive types.
constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_CDROM = 5;

// Process and thread priorities.
constexpr DWORD IDLE_PRIORITY_CLASS = 0x00000040;
constexpr DWORD NORMAL_PRIORITY_CLASS = 0x00000020;
constexpr DWORD HIGH_PRIORITY_CLASS = 0x00000080;
constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_NORMAL = 0;

}  // namespace platform
