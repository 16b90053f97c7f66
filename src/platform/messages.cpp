// The window and the main thread's message queue.
#include "platform/messages.h"

#include "platform/internal/backend.h"
#include "platform/internal/core.h"
#include "platform/internal/hook_registry.h"

namespace platform {

using internal::Backend;
using internal::CurrentBackendPtr;
using internal::GetCore;

namespace {

// The window handle when it is this process's live window, else null.
Window* OwnWindow(HWND window) {
    Window* own = GetCore().window.get();
    return window && window == own ? own : nullptr;
}

void Pump() {
    internal::RunPumpHooks();
    if (Backend* backend = CurrentBackendPtr()) backend->PumpEvents();
}

bool g_destroying = false;

}  // namespace

int RegisterClass(const WNDCLASS& windowClass) {
    if (!windowClass.lpszClassName || !*windowClass.lpszClassName || !windowClass.lpfnWndProc) return 0;
    auto& classes = GetCore().classes;
    const std::string key = internal::ToLower(windowClass.lpszClassName);
    if (classes.count(key)) return 0;
    classes[key] = windowClass.lpfnWndProc;
    return 1;
}

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                    int width, int height) {
    Backend* backend = CurrentBackendPtr();
    internal::Core& core = GetCore();
    if (!backend || !className || core.window) return nullptr;
    auto cls = core.classes.find(internal::ToLower(className));
    if (cls == core.classes.end()) return nullptr;
    auto window = std::make_unique<Window>();
    window->className = className;
    window->title = title ? title : "";
    window->procedure = cls->second;
    window->style = style;
    window->exStyle = exStyle;
    window->rect = RECT{x, y, x + (width > 0 ? width : 0), y + (height > 0 ? height : 0)};
    if (!backend->CreateNativeWindow(*window)) return nullptr;
    core.window = std::move(window);
    core.postTarget.store(core.window.get());
    backend->TakeInstanceLock(core.window->className);
    HWND handle = core.window.get();
    handle->procedure(handle, WM_CREATE, 0, 0);
    return GetCore().window.get() == handle ? handle : nullptr;
}

int ShowWindow(HWND window, int showCommand) {
    Window* own = OwnWindow(window);
    Backend* backend = CurrentBackendPtr();
    if (!own || !backend) return 0;
    const bool wasVisible = own->visible;
    const bool show = showCommand != SW_HIDE;
    backend->ShowNativeWindow(*own, show);
    own->visible = show;
    return wasVisible ? 1 : 0;
}

int DestroyWindow(HWND window) {
    Window* own = OwnWindow(window);
    Backend* backend = CurrentBackendPtr();
    if (!own || !backend || g_destroying) return 0;
    g_destroying = true;
    own->procedure(own, WM_DESTROY, 0, 0);
    internal::Core& core = GetCore();
    core.postTarget.store(nullptr);
    core.queue.RemoveFor(own);
    backend->ReleaseInstanceLock();
    backend->DestroyNativeWindow(*own);
    core.window.reset();
    g_destroying = false;
    return 1;
}

HWND FindWindow(const char* className, const char* title) {
    if (!className) return nullptr;
    internal::Core& core = GetCore();
    if (Window* own = core.window.get()) {
        const bool sameClass = internal::ToLower(own->className) == internal::ToLower(className);
        if (sameClass && (!title || own->title == title)) return own;
    }
    Backend* backend = CurrentBackendPtr();
    if (!backend || !backend->OtherInstanceRunning(className)) return nullptr;
    core.foreignWindow = Window{};
    core.foreignWindow.className = className;
    core.foreignWindow.title = title ? title : "";
    core.foreignWindow.foreign = true;
    return &core.foreignWindow;
}

int SetForegroundWindow(HWND window) {
    Backend* backend = CurrentBackendPtr();
    if (!backend || !window) return 0;
    if (window == &GetCore().foreignWindow && window->foreign)
        return backend->AskOtherInstanceToFront(window->className) ? 1 : 0;
    Window* own = OwnWindow(window);
    if (!own) return 0;
    backend->RaiseNativeWindow(*own);
    return 1;
}

DWORD GetWindowStyle(HWND window) {
    Window* own = OwnWindow(window);
    return own ? own->style : 0;
}

void SetWindowStyle(HWND window, DWORD style) {
    Window* own = OwnWindow(window);
    Backend* backend = CurrentBackendPtr();
    if (!own || !backend) return;
    own->style = style;
    backend->ApplyStyle(*own);
}

int GetClientRect(HWND window, RECT* rect) {
    Window* own = OwnWindow(window);
    Backend* backend = CurrentBackendPtr();
    if (!own || !backend || !rect) return 0;
    const RECT r = backend->ClientRect(*own);
    *rect = RECT{0, 0, r.right - r.left, r.bottom - r.top};
    return 1;
}

int ClientToScreen(HWND window, POINT* point) {
    Window* own = OwnWindow(window);
    Backend* backend = CurrentBackendPtr();
    if (!own || !backend || !point) return 0;
    const RECT r = backend->ClientRect(*own);
    point->x += r.left;
    point->y += r.top;
    return 1;
}

// There is no frame of our own: the window rectangle is the client area.
int GetWindowRect(HWND window, RECT* rect) {
    Window* own = OwnWindow(window);
    Backend* backend = CurrentBackendPtr();
    if (!own || !backend || !rect) return 0;
    *rect = backend->ClientRect(*own);
    return 1;
}

int MoveWindow(HWND window, int x, int y, int width, int height) {
    Window* own = OwnWindow(window);
    Backend* backend = CurrentBackendPtr();
    if (!own || !backend || width < 0 || height < 0) return 0;
    backend->MoveNativeWindow(*own, RECT{x, y, x + width, y + height});
    return 1;
}

int GetSystemMetricsScreenWidth() {
    Backend* backend = CurrentBackendPtr();
    return backend ? backend->DesktopSize().x : 0;
}

int GetSystemMetricsScreenHeight() {
    Backend* backend = CurrentBackendPtr();
    return backend ? backend->DesktopSize().y : 0;
}

BOOL PeekMessage(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    Pump();
    return GetCore().queue.Take(message, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? 1 : 0;
}

BOOL WaitMessage() {
    Pump();
    internal::Core& core = GetCore();
    if (!core.queue.Empty()) return 1;
    Backend* backend = CurrentBackendPtr();
    if (!backend) return 0;
    const bool scheduled = backend->WaitForEvents();
    Pump();
    return scheduled || !core.queue.Empty() ? 1 : 0;
}

DWORD MsgWaitForMultipleObjects(DWORD count, const void*, BOOL, DWORD ms, DWORD) {
    if (count != 0) return WAIT_FAILED;
    Pump();
    internal::Core& core = GetCore();
    if (!core.queue.Empty()) return WAIT_OBJECT_0;
    Backend* backend = CurrentBackendPtr();
    if (!backend) return WAIT_FAILED;
    backend->WaitForEventsFor(ms);
    Pump();
    return core.queue.Empty() ? WAIT_TIMEOUT : WAIT_OBJECT_0;
}

// May be called from any thread.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && window != GetCore().postTarget.load()) return 0;
    MSG msg;
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    Backend* backend = CurrentBackendPtr();
    if (backend) msg.time = backend->Peek();
    GetCore().queue.Post(msg);
    if (backend) backend->WakeUp();
    return 1;
}

void PostQuitMessage(int exitCode) {
    MSG msg;
    msg.message = WM_QUIT;
    msg.wParam = WPARAM(exitCode);
    GetCore().queue.Post(msg);
}

BOOL TranslateMessage(const MSG*) { return 0; }

LRESULT DispatchMessage(const MSG* message) {
    if (!message) return 0;
    Window* own = OwnWindow(message->hwnd);
    if (!own || !own->procedure) return 0;
    return own->procedure(own, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

}  // namespace platform
