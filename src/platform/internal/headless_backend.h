#pragma once
// The headless backend: a manual clock with synchronous timer events, no
// window on screen, input injected by tests or a script, message boxes logged
// and answered by a responder, drives and the other copy injected.
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/headless.h"
#include "platform/internal/backend.h"
#include "platform/internal/headless_script.h"
#include "platform/internal/manual_clock.h"
#include "platform/internal/single_instance.h"

namespace platform::internal {

class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(unsigned autoAdvanceMs);
    ~HeadlessBackend() override;

    BackendKind Kind() const override { return BackendKind::Headless; }
    uint32_t Now() override { return clock_.Read(); }
    uint32_t Peek() override { return uint32_t(clock_.Now()); }
    int64_t PerformanceCounter() override;
    int64_t PerformanceFrequency() override { return 1000000; }

    UINT SetTimerEvent(UINT delayMs, LPTIMECALLBACK callback, uintptr_t user, bool periodic) override {
        return clock_.AddTimer(delayMs, callback, user, periodic);
    }
    MMRESULT KillTimerEvent(UINT id) override { return clock_.KillTimer(id); }

    void PumpEvents() override;
    bool WaitForEvents() override;
    void WaitForEventsFor(uint32_t ms) override;

    bool CreateNativeWindow(Window& window) override;
    void DestroyNativeWindow(Window&) override {}
    void ShowNativeWindow(Window& window, bool show) override;
    void ApplyStyle(Window&) override {}
    void MoveNativeWindow(Window& window, const RECT& client) override;
    void RaiseNativeWindow(Window&) override {}
    RECT ClientRect(const Window& window) override { return window.rect; }
    POINT DesktopSize() override { return POINT{1920, 1080}; }

    bool OtherInstanceRunning(const std::string& className) override;
    bool AskOtherInstanceToFront(const std::string& className) override;
    void TakeInstanceLock(const std::string& className) override;
    void ReleaseInstanceLock() override { instance_.reset(); }

    void ShowCursor(bool) override {}
    MMRESULT ReadJoystick(DWORD* x, DWORD* y, DWORD* buttons) override;
    int ShowMessageBox(const char* text, const char* caption, UINT flags) override;
    UINT DriveType(char letter, std::string* root) override;
    void SetNiceness(DWORD) override {}  // a test run never changes its own priority

    // The core keeps the picture; with a simulated display the present may
    // wait for its refresh on the manual clock.
    void Present(const uint32_t* pixels, int width, int height, const RECT& changed, bool everyStep) override;
    void ApplyFullscreen(bool) override {}
    void CapturePointer(bool) override {}

    // Controls behind platform/headless.h.
    ManualClock& Clock() { return clock_; }
    void SetResponder(headless::MessageBoxResponder responder) { responder_ = std::move(responder); }
    const std::vector<headless::MessageBoxRecord>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    void SetJoystick(bool attached, DWORD x, DWORD y, DWORD buttons);
    void SetDrive(char letter, UINT type, const std::string& root);
    void ClearDrives();
    void SetOtherInstance(bool running) { otherInstance_ = running; }
    int ForegroundRequests() const { return foregroundRequests_; }
    void SimulateDisplay(bool on);
    const headless::DisplayLog& Shown() const { return display_; }
    bool LoadScript(std::vector<ScriptEvent> events);
    bool ScriptFinished() const { return nextEvent_ >= script_.size(); }
    // Fault injection: a countdown of successful calls before `times` fail.
    void FailFileOpens(int after, int times) { fileFault_ = Fault{after, times}; }
    void FailSoundBuffers(int after, int times) { bufferFault_ = Fault{after, times}; }
    bool FileOpenFails() override { return fileFault_.Take(); }
    bool SoundBufferFails() override { return bufferFault_.Take(); }

private:
    struct Drive {
        UINT type;
        std::string root;
    };
    void RunDueScriptEvents();
    // The manual-clock time of the next script event, timer or movie frame.
    std::optional<uint64_t> NextScheduled() const;
    void Perform(const ScriptEvent& event);
    // The lock is real only when a runtime folder is named for the run, so
    // parallel test programs never see each other.
    bool UsesRealLock() const;

    ManualClock clock_;
    headless::MessageBoxResponder responder_;
    std::vector<headless::MessageBoxRecord> log_;
    bool joystickAttached_ = false;
    DWORD joyX_ = 32767, joyY_ = 32767, joyButtons_ = 0;
    std::map<char, Drive> drives_;
    bool otherInstance_ = false;
    int foregroundRequests_ = 0;
    std::unique_ptr<SingleInstance> instance_;
    struct Fault {
        int after = 0, times = 0;
        bool Take() {
            if (times <= 0) return false;
            if (after > 0) {
                --after;
                return false;
            }
            --times;
            return true;
        }
    };
    Fault fileFault_, bufferFault_;
    bool simulateDisplay_ = false;
    uint64_t lastRefresh_ = 0;
    headless::DisplayLog display_;
    std::vector<ScriptEvent> script_;
    size_t nextEvent_ = 0;
    uint64_t scriptStart_ = 0;
};

// The running headless backend, or null.
HeadlessBackend* Headless();

}  // namespace platform::internal
