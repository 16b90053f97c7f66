#pragma once
// The window and its message queue. Native events (SDL's, or the headless
// script's) become window messages: WM_KEYDOWN/WM_KEYUP with VK codes,
// WM_CHAR, WM_LBUTTONDOWN/UP, WM_ACTIVATEAPP on focus gain and loss,
// WM_MOVE/WM_SIZE, WM_SYSKEYUP for Alt combinations, WM_CLOSE when the user
// closes the window, and MM_MCINOTIFY from the movie device.
#include "platform/win_types.h"

namespace platform {

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int iconResource = 0;
    const char* lpszMenuName = nullptr;
    const char* lpszClassName = nullptr;
};
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;

// Registers the one window class; returns 1, or 0 when the class has no name
// or procedure.
int RegisterClass(const WNDCLASS& windowClass);

// Creates the top-level window of a registered class (hidden until ShowWindow).
// The window also takes this user's single-instance lock (FindWindow below).
// Returns null when the class is unknown, a window already exists, or the
// backend cannot make one.
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    int x, int y, int width, int height);
int ShowWindow(HWND window, int showCommand);
// Sends WM_DESTROY to the window procedure and removes the window.
int DestroyWindow(HWND window);
// Another running copy's window with this class and title (found through the
// per-user lock in the runtime directory), or null. The handle it returns may
// only be passed to SetForegroundWindow.
HWND FindWindow(const char* className, const char* title);
// Brings a window to the front; for another copy's window, asks that copy.
int SetForegroundWindow(HWND window);

DWORD GetWindowStyle(HWND window);
void SetWindowStyle(HWND window, DWORD style);
// Client size and position in desktop coordinates.
int GetClientRect(HWND window, RECT* rect);
int ClientToScreen(HWND window, POINT* point);
int GetWindowRect(HWND window, RECT* rect);
int MoveWindow(HWND window, int x, int y, int width, int height);
// Size of the desktop the window is on.
int GetSystemMetricsScreenWidth();
int GetSystemMetricsScreenHeight();

// The message queue of the main thread.
constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;
// Takes native events into the queue, then returns 1 with the oldest message
// (removed when PM_REMOVE), or 0 when none waits.
BOOL PeekMessage(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until a message waits. Headless: moves the manual clock on to the
// next scheduled thing (script event, timer event, movie frame) instead, and
// returns 0 at once when nothing at all is scheduled and no message waits.
BOOL WaitMessage();
// Waits at most ms for a message (no handles: count must be 0). Returns
// WAIT_OBJECT_0 when one waits, WAIT_TIMEOUT otherwise. Headless it moves the
// manual clock on by ms, or less when something is scheduled sooner.
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD QS_ALLINPUT = 0x04FF;
DWORD MsgWaitForMultipleObjects(DWORD count, const void* handles, BOOL waitAll, DWORD ms, DWORD wakeMask);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Nothing to translate: characters arrive as WM_CHAR already. Returns 0.
BOOL TranslateMessage(const MSG* message);
// Calls the window procedure of the message's window; returns its result.
LRESULT DispatchMessage(const MSG* message);
// Default handling: WM_CLOSE destroys the window; everything else returns 0.
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
