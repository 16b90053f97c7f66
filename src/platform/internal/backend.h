#pragma once
// The backend interface: everything that differs between a desktop run (SDL2)
// and a headless run (manual clock, injected input). The free functions of the
// platform headers do the shared work and forward the rest to the one
// installed backend.
#include <cstdint>
#include <string>

#include "platform/devices.h"
#include "platform/mmtimer.h"
#include "platform/platform.h"
#include "platform/window.h"

struct SDL_Window;

namespace platform::internal {

class Backend {
public:
    virtual ~Backend() = default;
    virtual BackendKind Kind() const = 0;

    // Clock. Now() may move a headless clock on (auto-advance); Peek() never does.
    virtual uint32_t Now() = 0;
    virtual uint32_t Peek() = 0;
    virtual int64_t PerformanceCounter() = 0;
    virtual int64_t PerformanceFrequency() = 0;

    // Multimedia timer events.
    virtual UINT SetTimerEvent(UINT delayMs, LPTIMECALLBACK callback, uintptr_t user,
                               bool periodic) = 0;
    virtual MMRESULT KillTimerEvent(UINT id) = 0;

    // Native events become queued messages here: after the pump hooks in
    // PeekMessage and WaitMessage, and alone from GetAsyncKeyState.
    virtual void PumpEvents() = 0;
    // Blocks (or, headless, moves the clock) until something may have happened.
    // Returns false when nothing at all is scheduled (headless only).
    virtual bool WaitForEvents() = 0;
    // Like WaitForEvents, but for at most ms (headless: moves the clock on
    // by at most ms).
    virtual void WaitForEventsFor(uint32_t ms) = 0;
    // A message was posted from another thread: end a blocking wait.
    virtual void WakeUp() {}

    // The window. Create fills in the rectangle the window got.
    virtual bool CreateNativeWindow(Window& window) = 0;
    virtual void DestroyNativeWindow(Window& window) = 0;
    virtual void ShowNativeWindow(Window& window, bool show) = 0;
    virtual void ApplyStyle(Window& window) = 0;
    virtual void MoveNativeWindow(Window& window, const RECT& clientOnDesktop) = 0;
    virtual void RaiseNativeWindow(Window& window) = 0;
    // Current client rectangle in desktop coordinates.
    virtual RECT ClientRect(const Window& window) = 0;
    virtual POINT DesktopSize() = 0;
    virtual SDL_Window* NativeWindow() { return nullptr; }

    // Single instance, keyed by the window class name.
    virtual bool OtherInstanceRunning(const std::string& className) = 0;
    virtual bool AskOtherInstanceToFront(const std::string& className) = 0;
    virtual void TakeInstanceLock(const std::string& className) = 0;
    virtual void ReleaseInstanceLock() = 0;

    // Devices.
    virtual void ShowCursor(bool show) = 0;
    // Raw joystick 0: axes 0..65535, buttons; JOYERR_UNPLUGGED without one.
    virtual MMRESULT ReadJoystick(DWORD* x, DWORD* y, DWORD* buttons) = 0;
    virtual int ShowMessageBox(const char* text, const char* caption, UINT flags) = 0;
    // Drive type of a letter; for CD-ROM drives root receives the folder.
    virtual UINT DriveType(char letter, std::string* root) = 0;
    virtual void SetNiceness(DWORD priorityClass) = 0;
    // Injected faults (headless tests only): the next file open or sound
    // buffer creation fails.
    virtual bool FileOpenFails() { return false; }
    virtual bool SoundBufferFails() { return false; }

    // Video: 0x00RRGGBB pixels, tightly packed. Only `changed` differs from
    // the previous picture (empty: nothing). A present may be left for the
    // next display refresh unless everyStep is set (a palette step of a
    // fade, which must be seen).
    virtual void Present(const uint32_t* pixels, int width, int height, const RECT& changed,
                         bool everyStep) = 0;
    // Full screen as a borderless window over the desktop, or back.
    virtual void ApplyFullscreen(bool on) = 0;
    // Holds the desktop pointer (relative motion only) or lets it go.
    virtual void CapturePointer(bool capture) = 0;
};

// The installed backend, or null before Startup / after Shutdown.
Backend* CurrentBackendPtr();

}  // namespace platform::internal
