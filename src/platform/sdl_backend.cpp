// The desktop backend: SDL2 window and events, steady-clock time, timer
// thread, joystick, message boxes, presenting and the single-instance lock.
#include "platform/internal/sdl_backend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/internal/core.h"
#include "platform/internal/desktop_keys.h"
#include "platform/internal/drives.h"
#include "platform/internal/gamepad.h"
#include "platform/internal/hook_registry.h"
#include "platform/internal/input_events.h"
#include "platform/internal/niceness.h"
#include "platform/internal/sdl_parts.h"
#include "platform/internal/single_instance.h"
#include "platform/internal/thread_timers.h"

namespace platform::internal {

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;
// Longest blocking wait, so that requests from a second copy are seen soon.
constexpr int kMaxWaitMs = 100;

int64_t SteadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class SdlBackend final : public Backend {
public:
    explicit SdlBackend(Uint32 subsystems) : subsystems_(subsystems) {
        mainThread_ = std::this_thread::get_id();
        wakeEvent_ = SDL_RegisterEvents(1);
        if (subsystems_ & SDL_INIT_JOYSTICK) joystick_.Refresh();
    }

    ~SdlBackend() override {
        timers_.reset();  // no callback may run while the rest goes away
        presenter_.Release();
        if (window_) SDL_DestroyWindow(window_);
        joystick_.Close();
        SDL_QuitSubSystem(subsystems_);
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
    }

    BackendKind Kind() const override { return BackendKind::Sdl; }
    uint32_t Now() override { return uint32_t(SteadyNanoseconds() / 1000000); }
    uint32_t Peek() override { return Now(); }
    int64_t PerformanceCounter() override { return SteadyNanoseconds(); }
    int64_t PerformanceFrequency() override { return 1000000000; }

    UINT SetTimerEvent(UINT delayMs, LPTIMECALLBACK callback, uintptr_t user, bool periodic) override {
        return timers_ ? timers_->Add(delayMs, callback, user, periodic) : 0;
    }
    MMRESULT KillTimerEvent(UINT id) override { return timers_ ? timers_->Kill(id) : TIMERR_NOCANDO; }

    void PumpEvents() override {
        if (instance_ && instance_->TakeRequests() > 0 && GetCore().window) RaiseNativeWindow(*GetCore().window);
        SDL_Event event;
        while (SDL_PollEvent(&event)) Handle(event);
        if (window_) presenter_.ShowPending();
    }

    bool WaitForEvents() override {
        int timeout = kMaxWaitMs;
        const uint32_t now = Now();
        if (auto deadline = EarliestSourceDeadline(now)) {
            const int32_t until = int32_t(*deadline - now);
            timeout = until <= 0 ? 0 : (until < timeout ? until : timeout);
        }
        if (timeout > 0) SDL_WaitEventTimeout(nullptr, timeout);
        return true;
    }

    void WaitForEventsFor(uint32_t ms) override {
        uint32_t timeout = ms;
        const uint32_t now = Now();
        if (auto deadline = EarliestSourceDeadline(now)) {
            const int32_t until = int32_t(*deadline - now);
            timeout = until <= 0 ? 0 : std::min(timeout, uint32_t(until));
        }
        if (timeout > 0) SDL_WaitEventTimeout(nullptr, int(timeout));
    }

    void WakeUp() override {
        if (std::this_thread::get_id() == mainThread_ || wakeEvent_ == Uint32(-1)) return;
        SDL_Event event{};
        event.type = wakeEvent_;
        SDL_PushEvent(&event);
    }

    bool CreateNativeWindow(Window& window) override {
        int width = window.rect.right - window.rect.left;
        int height = window.rect.bottom - window.rect.top;
        int x = window.rect.left, y = window.rect.top;
        const DesktopSettings& remembered = GetCore().desktop;
        if ((width <= 0 || height <= 0) && remembered.windowWidth > 0) {
            // The size the player left the window at, within the desktop.
            const POINT desktop = DesktopSize();
            width = std::min<int>(remembered.windowWidth, desktop.x);
            height = std::min<int>(remembered.windowHeight, desktop.y);
            x = y = int(SDL_WINDOWPOS_CENTERED);
        }
        if (width <= 0 || height <= 0) {
            // The game's 640 x 480 picture at the largest whole scale that
            // leaves the desktop some room.
            const POINT desktop = DesktopSize();
            int scale = 1;
            while (kGameWidth * (scale + 1) * 100 <= desktop.x * 85 &&
                   kGameHeight * (scale + 1) * 100 <= desktop.y * 85)
                ++scale;
            width = kGameWidth * scale;
            height = kGameHeight * scale;
            x = y = int(SDL_WINDOWPOS_CENTERED);
        }
        const Uint32 fullscreen = remembered.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
        window_ = SDL_CreateWindow(window.title.c_str(), x, y, width, height,
                                   SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | fullscreen);
        if (!window_) {
            std::fprintf(stderr, "platform: cannot create the window: %s\n", SDL_GetError());
            return false;
        }
        windowId_ = SDL_GetWindowID(window_);
        if (remembered.fullscreen) ApplyFullscreen(true);
        window.rect = ClientRect(window);
        SDL_StartTextInput();
        return true;
    }

    void DestroyNativeWindow(Window&) override {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        presenter_.Release();
        if (window_) SDL_DestroyWindow(window_);
        window_ = nullptr;
        windowId_ = 0;
    }

    void ShowNativeWindow(Window&, bool show) override {
        if (!window_) return;
        if (show) {
            SDL_ShowWindow(window_);
            SDL_RaiseWindow(window_);
        } else {
            SDL_HideWindow(window_);
        }
    }

    void ApplyStyle(Window& window) override {
        if (!window_) return;
        // The full-screen game (a popup) is shown in a resizable window; a
        // captioned window resizes only with a thick frame.
        const bool caption = (window.style & WS_CAPTION) == WS_CAPTION;
        SDL_SetWindowResizable(window_, !caption || (window.style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
    }

    void MoveNativeWindow(Window& window, const RECT& client) override {
        if (!window_) return;
        SDL_SetWindowPosition(window_, client.left, client.top);
        SDL_SetWindowSize(window_, client.right - client.left, client.bottom - client.top);
        window.rect = ClientRect(window);
    }

    void RaiseNativeWindow(Window&) override {
        if (!window_) return;
        if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(window_);
        SDL_RaiseWindow(window_);
    }

    RECT ClientRect(const Window& window) override {
        if (!window_) return window.rect;
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(window_, &x, &y);
        SDL_GetWindowSize(window_, &w, &h);
        return RECT{x, y, x + w, y + h};
    }

    POINT DesktopSize() override {
        SDL_DisplayMode mode{};
        const int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
        if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return POINT{kGameWidth, kGameHeight};
        return POINT{mode.w, mode.h};
    }

    SDL_Window* NativeWindow() override { return window_; }

    bool OtherInstanceRunning(const std::string& className) override {
        return SingleInstance(RuntimeDirectory(), ToLower(className)).HeldElsewhere();
    }
    bool AskOtherInstanceToFront(const std::string& className) override {
        return SingleInstance(RuntimeDirectory(), ToLower(className)).RequestForeground();
    }
    void TakeInstanceLock(const std::string& className) override {
        instance_ = std::make_unique<SingleInstance>(RuntimeDirectory(), ToLower(className));
        if (!instance_->Acquire()) instance_.reset();
    }
    void ReleaseInstanceLock() override { instance_.reset(); }

    void ShowCursor(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

    MMRESULT ReadJoystick(DWORD* x, DWORD* y, DWORD* buttons) override { return joystick_.Read(x, y, buttons); }

    int ShowMessageBox(const char* text, const char* caption, UINT flags) override {
        return ShowSdlMessageBox(window_, text, caption, flags);
    }

    UINT DriveType(char letter, std::string* root) override { return SystemDriveType(letter, root); }
    void SetNiceness(DWORD priorityClass) override { ApplyProcessNiceness(priorityClass); }

    void Present(const uint32_t* pixels, int width, int height, const RECT& changed, bool everyStep) override {
        if (window_) presenter_.Present(window_, pixels, width, height, changed, everyStep);
    }

    // A borderless window over the whole desktop works with any window
    // manager and with none, and never changes the display's mode.
    void ApplyFullscreen(bool on) override {
        if (!window_) return;
        const DesktopSettings& desktop = GetCore().desktop;
        if (on) {
            // Window managers without a full-screen state (and no window
            // manager at all) still get a borderless window over the desktop.
            const POINT size = DesktopSize();
            SDL_SetWindowBordered(window_, SDL_FALSE);
            SDL_SetWindowPosition(window_, 0, 0);
            SDL_SetWindowSize(window_, size.x, size.y);
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
            return;
        }
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowBordered(window_, SDL_TRUE);
        // Back at the size the player gave it, whatever the window manager
        // hands back.
        if (desktop.windowWidth > 0) SDL_SetWindowSize(window_, desktop.windowWidth, desktop.windowHeight);
        SDL_SetWindowPosition(window_, int(SDL_WINDOWPOS_CENTERED), int(SDL_WINDOWPOS_CENTERED));
    }

    void CapturePointer(bool capture) override { SDL_SetRelativeMouseMode(capture ? SDL_TRUE : SDL_FALSE); }

private:
    bool IsFullscreen() const {
        return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
    }

    void Handle(const SDL_Event& event) {
        switch (event.type) {
        case SDL_QUIT: OnCloseRequest(); break;
        case SDL_WINDOWEVENT:
            if (event.window.windowID == windowId_) HandleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: HandleKey(event.key); break;
        case SDL_TEXTINPUT: HandleText(event.text.text); break;
        case SDL_MOUSEMOTION:
            if (GetCore().pointerCaptured) {
                OnPointerMoved(event.motion.xrel, event.motion.yrel);
            } else {
                const POINT p = presenter_.ToPicture(event.motion.x, event.motion.y);
                OnPointerAt(p.x, p.y);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) OnMouseButton(event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED:
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED: joystick_.Refresh(); break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.which == joystick_.PadId()) {
                if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) OnPadAxis(0, event.caxis.value);
                if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) OnPadAxis(1, event.caxis.value);
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (event.cbutton.which == joystick_.PadId())
                OnPadButton(PadButtonFromSdl(event.cbutton.button), event.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        default: break;
        }
    }

    void HandleWindowEvent(const SDL_WindowEvent& w) {
        const Core& core = GetCore();
        switch (w.event) {
        case SDL_WINDOWEVENT_CLOSE: OnCloseRequest(); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: OnFocus(true, false); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: OnFocus(false, core.minimized); break;
        case SDL_WINDOWEVENT_MINIMIZED: OnFocus(false, true); break;
        case SDL_WINDOWEVENT_ENTER: OnPointerInside(true); break;
        case SDL_WINDOWEVENT_LEAVE: OnPointerInside(false); break;
        case SDL_WINDOWEVENT_RESTORED:
            if (core.minimized) OnFocus(core.focused, false);
            break;
        case SDL_WINDOWEVENT_MOVED: OnMoved(w.data1, w.data2); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // The window's own size is remembered, not the desktop's.
            if (!IsFullscreen() && !GetCore().desktop.fullscreen) {
                GetCore().desktop.windowWidth = w.data1;
                GetCore().desktop.windowHeight = w.data2;
            }
            OnResized(w.data1, w.data2);
            break;
        case SDL_WINDOWEVENT_EXPOSED: presenter_.Redraw(); break;
        default: break;
        }
    }

    void HandleKey(const SDL_KeyboardEvent& key) {
        const int vk = VirtualKeyFromSdl(key.keysym.sym);
        if (!vk) return;
        const bool down = key.type == SDL_KEYDOWN;
        const auto& keys = GetCore().keys;
        const bool alt = keys[VK_MENU] && vk != VK_MENU;
        const bool posted = OnKey(vk, down, key.repeat != 0);
        if (!down || alt || !posted) return;
        // With text input, printable characters arrive as text events; the
        // control characters (Return, Escape ...) never do.
        const char c = CharacterForKey(vk, keys[VK_SHIFT]);
        const bool control = c != 0 && static_cast<unsigned char>(c) < 0x20;
        if (control || !SDL_IsTextInputActive()) OnCharacter(static_cast<unsigned char>(c));
    }

    void HandleText(const char* utf8) {
        // Left Alt makes system keys; AltGr (right Alt) types characters.
        if (SDL_GetModState() & KMOD_LALT) return;
        // UTF-8 to the one-byte characters the game knows (Latin-1).
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p;) {
            uint32_t code = *p;
            int extra = 0;
            if (code >= 0xF0) { code &= 0x07; extra = 3; }
            else if (code >= 0xE0) { code &= 0x0F; extra = 2; }
            else if (code >= 0xC0) { code &= 0x1F; extra = 1; }
            ++p;
            for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p) code = (code << 6) | (*p & 0x3F);
            if (code >= 0x20 && code < 0x100 && code != 0x7F) OnCharacter(static_cast<unsigned char>(code));
        }
    }

    Uint32 subsystems_;
    std::unique_ptr<ThreadTimers> timers_ = std::make_unique<ThreadTimers>();
    SDL_Window* window_ = nullptr;
    Uint32 windowId_ = 0;
    Uint32 wakeEvent_ = Uint32(-1);
    std::thread::id mainThread_;
    SdlPresenter presenter_;
    SdlJoystick joystick_;
    std::unique_ptr<SingleInstance> instance_;
};

}  // namespace

std::unique_ptr<Backend> CreateSdlBackend() {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    Uint32 subsystems = kSubsystems;
    if (SDL_InitSubSystem(subsystems) != 0) {
        // Without joysticks the game still runs; without video it cannot.
        subsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;
        if (SDL_InitSubSystem(subsystems) != 0) {
            std::fprintf(stderr, "platform: SDL video cannot start: %s\n", SDL_GetError());
            return nullptr;
        }
    }
    return std::make_unique<SdlBackend>(subsystems);
}

}  // namespace platform::internal
