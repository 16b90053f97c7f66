#include "platform/internal/headless_backend.h"

#include <cstdio>
#include <cstdlib>

#include "platform/internal/core.h"
#include "platform/internal/hook_registry.h"
#include "platform/internal/input_events.h"
#include "platform/video_out.h"

namespace platform::internal {

HeadlessBackend::HeadlessBackend(unsigned autoAdvanceMs) : clock_(autoAdvanceMs) { ClearDrives(); }

HeadlessBackend::~HeadlessBackend() = default;

HeadlessBackend* Headless() {
    Backend* backend = CurrentBackendPtr();
    if (!backend || backend->Kind() != BackendKind::Headless) return nullptr;
    return static_cast<HeadlessBackend*>(backend);
}

int64_t HeadlessBackend::PerformanceCounter() {
    return int64_t(clock_.Read()) * 1000;  // microseconds of the manual clock
}

void HeadlessBackend::PumpEvents() {
    if (instance_) foregroundRequests_ += instance_->TakeRequests();
    RunDueScriptEvents();
}

std::optional<uint64_t> HeadlessBackend::NextScheduled() const {
    const uint64_t now = clock_.Now();
    std::optional<uint64_t> next;
    auto consider = [&](uint64_t when) {
        if (!next || when < *next) next = when;
    };
    if (!ScriptFinished()) consider(scriptStart_ + script_[nextEvent_].at);
    if (auto timer = clock_.NextTimerDeadline()) consider(*timer);
    if (auto source = EarliestSourceDeadline(uint32_t(now))) consider(now + uint32_t(*source - uint32_t(now)));
    return next;
}

bool HeadlessBackend::WaitForEvents() {
    if (!GetCore().queue.Empty()) return true;
    const std::optional<uint64_t> next = NextScheduled();
    if (!next) return false;
    clock_.AdvanceTo(*next);
    return true;
}

void HeadlessBackend::WaitForEventsFor(uint32_t ms) {
    if (!GetCore().queue.Empty()) return;
    const uint64_t limit = clock_.Now() + ms;
    const std::optional<uint64_t> next = NextScheduled();
    clock_.AdvanceTo(next && *next < limit ? *next : limit);
}

namespace {
// The refresh after `now` of a 60 Hz display whose refreshes fall on
// whole-millisecond marks 1000/60 ms apart, counted from time 0.
uint64_t NextRefresh(uint64_t now) {
    const uint64_t index = now * 60 / 1000 + 1;
    return (index * 1000 + 59) / 60;
}

uint64_t Checksum(const uint32_t* pixels, size_t count) {
    uint64_t sum = 1469598103934665603ull;
    for (size_t i = 0; i < count; ++i) sum = (sum ^ pixels[i]) * 1099511628211ull;
    return sum;
}
}  // namespace

void HeadlessBackend::SimulateDisplay(bool on) {
    simulateDisplay_ = on;
    display_ = headless::DisplayLog{};
}

void HeadlessBackend::Present(const uint32_t* pixels, int width, int height, const RECT& changed,
                              bool everyStep) {
    display_.lastChanged = changed;
    if (!simulateDisplay_) return;
    ++display_.presents;
    const uint64_t now = clock_.Now();
    // The refresh that shows the last waited-for picture is lastShown; a
    // present before the next one only replaces the picture it will show.
    const uint64_t lastShown = display_.waits > 0 ? lastRefresh_ : 0;
    if (display_.waits > 0 && !everyStep && now < NextRefresh(lastShown)) return;
    const uint64_t refresh = NextRefresh(now);
    ++display_.waits;
    display_.waitedMs += uint32_t(refresh - now);
    display_.shownPictures.push_back(Checksum(pixels, size_t(width) * size_t(height)));
    lastRefresh_ = refresh;
    clock_.AdvanceTo(refresh);
}

bool HeadlessBackend::CreateNativeWindow(Window& window) {
    window.rect = RECT{0, 0, kGameWidth, kGameHeight};
    return true;
}

void HeadlessBackend::ShowNativeWindow(Window& window, bool show) {
    // A window that appears takes the focus, as it would on a desktop.
    if (show && !window.visible) OnFocus(true, false);
}

void HeadlessBackend::MoveNativeWindow(Window& window, const RECT& client) {
    const RECT old = window.rect;
    if (client.left != old.left || client.top != old.top) OnMoved(client.left, client.top);
    if (client.right - client.left != old.right - old.left || client.bottom - client.top != old.bottom - old.top)
        OnResized(client.right - client.left, client.bottom - client.top);
    window.rect = client;
}

bool HeadlessBackend::UsesRealLock() const {
    const char* dir = std::getenv("TUNEWANDER_RUNTIME_DIR");
    return dir && *dir;
}

bool HeadlessBackend::OtherInstanceRunning(const std::string& className) {
    if (otherInstance_) return true;
    if (!UsesRealLock()) return false;
    return SingleInstance(RuntimeDirectory(), ToLower(className)).HeldElsewhere();
}

bool HeadlessBackend::AskOtherInstanceToFront(const std::string& className) {
    if (!UsesRealLock()) return otherInstance_;
    return SingleInstance(RuntimeDirectory(), ToLower(className)).RequestForeground();
}

void HeadlessBackend::TakeInstanceLock(const std::string& className) {
    if (!UsesRealLock()) return;
    instance_ = std::make_unique<SingleInstance>(RuntimeDirectory(), ToLower(className));
    if (!instance_->Acquire()) instance_.reset();
}

MMRESULT HeadlessBackend::ReadJoystick(DWORD* x, DWORD* y, DWORD* buttons) {
    if (!joystickAttached_) return JOYERR_UNPLUGGED;
    *x = joyX_;
    *y = joyY_;
    *buttons = joyButtons_;
    return JOYERR_NOERROR;
}

void HeadlessBackend::SetJoystick(bool attached, DWORD x, DWORD y, DWORD buttons) {
    joystickAttached_ = attached;
    joyX_ = x > 65535 ? 65535 : x;
    joyY_ = y > 65535 ? 65535 : y;
    joyButtons_ = buttons;
}

int HeadlessBackend::ShowMessageBox(const char* text, const char* caption, UINT flags) {
    headless::MessageBoxRecord record;
    record.text = text ? text : "";
    record.caption = caption ? caption : "";
    record.flags = flags;
    int answer = responder_ ? responder_(record) : IDOK;
    // Only the buttons the box has can be pressed.
    const bool hasCancel = (flags & 0xF) == MB_OKCANCEL;
    if (answer != IDOK && !(hasCancel && answer == IDCANCEL)) answer = hasCancel ? IDCANCEL : IDOK;
    record.answer = answer;
    log_.push_back(record);
    return answer;
}

UINT HeadlessBackend::DriveType(char letter, std::string* root) {
    auto it = drives_.find(letter);
    if (it == drives_.end()) return DRIVE_NO_ROOT_DIR;
    if (root) *root = it->second.root;
    return it->second.type;
}

void HeadlessBackend::SetDrive(char letter, UINT type, const std::string& root) {
    if (letter >= 'a' && letter <= 'z') letter = char(letter - 32);
    if (letter < 'A' || letter > 'Z') return;
    std::string folder = root;
    if (folder.empty() && type == DRIVE_FIXED) folder = "/";
    drives_[letter] = Drive{type, folder};
}

void HeadlessBackend::ClearDrives() {
    drives_.clear();
    drives_['C'] = Drive{DRIVE_FIXED, "/"};
}

bool HeadlessBackend::LoadScript(std::vector<ScriptEvent> events) {
    script_ = std::move(events);
    nextEvent_ = 0;
    scriptStart_ = clock_.Now();
    return true;
}

void HeadlessBackend::RunDueScriptEvents() {
    while (!ScriptFinished() && scriptStart_ + script_[nextEvent_].at <= clock_.Now()) {
        const ScriptEvent event = script_[nextEvent_++];
        Perform(event);
    }
}

void HeadlessBackend::Perform(const ScriptEvent& event) {
    using Kind = ScriptEvent::Kind;
    switch (event.kind) {
    case Kind::KeyPress:
        headless::KeyDown(event.a);
        headless::KeyUp(event.a);
        break;
    case Kind::KeyDown: headless::KeyDown(event.a); break;
    case Kind::KeyUp: headless::KeyUp(event.a); break;
    case Kind::Character: headless::TypeCharacter(char(event.a)); break;
    case Kind::Mouse: headless::MouseMove(event.a, event.b); break;
    case Kind::Click:
        headless::MouseButton(true);
        headless::MouseButton(false);
        break;
    case Kind::ButtonDown: headless::MouseButton(true); break;
    case Kind::ButtonUp: headless::MouseButton(false); break;
    case Kind::Focus: headless::SetFocus(event.a != 0); break;
    case Kind::Joystick: SetJoystick(true, DWORD(event.a), DWORD(event.b), DWORD(event.c)); break;
    case Kind::NoJoystick: SetJoystick(false, 32767, 32767, 0); break;
    case Kind::Close: headless::RequestClose(); break;
    case Kind::Screenshot: {
        const Screenshot shot = CaptureScreen();
        if (shot.width == 0) {
            std::fprintf(stderr, "screenshot %s: nothing has been presented yet\n", event.path.c_str());
        } else if (!WritePng(shot, event.path)) {
            std::fprintf(stderr, "screenshot %s: cannot write the file\n", event.path.c_str());
        }
        break;
    }
    }
}

}  // namespace platform::internal
