// The controls of platform/headless.h: each one reaches the headless backend
// and does nothing when another backend runs.
#include "platform/headless.h"

#include <vector>

#include "platform/files.h"
#include "platform/internal/core.h"
#include "platform/internal/gamepad.h"
#include "platform/internal/headless_backend.h"
#include "platform/internal/input_events.h"

namespace platform::headless {

using internal::Headless;

void SetMessageBoxResponder(MessageBoxResponder responder) {
    if (auto* h = Headless()) h->SetResponder(std::move(responder));
}

const std::vector<MessageBoxRecord>& MessageBoxLog() {
    static const std::vector<MessageBoxRecord> kEmpty;
    auto* h = Headless();
    return h ? h->Log() : kEmpty;
}

void ClearMessageBoxLog() {
    if (auto* h = Headless()) h->ClearLog();
}

void KeyDown(int virtualKey) {
    if (!Headless() || virtualKey <= 0 || virtualKey > 255) return;
    const auto& keys = internal::GetCore().keys;
    const bool alt = keys[VK_MENU] && virtualKey != VK_MENU;
    // A printable key also types its character (not while Alt is held).
    if (internal::OnKey(virtualKey, true, false) && !alt) internal::OnCharacter(internal::CharacterForKey(virtualKey, keys[VK_SHIFT]));
}

void KeyUp(int virtualKey) {
    if (!Headless()) return;
    internal::OnKey(virtualKey, false, false);
}

void TypeCharacter(char c) {
    if (!Headless()) return;
    internal::OnCharacter(static_cast<unsigned char>(c));
}

void MouseMove(int dx, int dy) {
    if (!Headless()) return;
    internal::OnPointerMoved(dx, dy);
}

void SetPointerInside(bool inside) {
    if (!Headless()) return;
    internal::OnPointerInside(inside);
}

void SetPad(bool attached) {
    if (!Headless()) return;
    internal::OnPadAttached(attached);
}

void PadStick(int x, int y) {
    if (!Headless()) return;
    internal::OnPadAxis(0, x);
    internal::OnPadAxis(1, y);
}

void PadButtonEvent(PadButton button, bool down) {
    if (!Headless()) return;
    internal::OnPadButton(button, down);
}

void MouseButton(bool down) {
    if (!Headless()) return;
    internal::OnMouseButton(down);
}

void SetFocus(bool focused) {
    if (!Headless()) return;
    internal::OnFocus(focused, false);
}

void RequestClose() {
    if (!Headless()) return;
    internal::OnCloseRequest();
}

void SetJoystick(bool attached, DWORD x, DWORD y, DWORD buttons) {
    if (auto* h = Headless()) h->SetJoystick(attached, x, y, buttons);
}

void SetDrive(char letter, UINT type, const std::string& rootFolder) {
    if (auto* h = Headless()) h->SetDrive(letter, type, rootFolder);
}

void ClearDrives() {
    if (auto* h = Headless()) h->ClearDrives();
}

void SetOtherInstanceRunning(bool running) {
    if (auto* h = Headless()) h->SetOtherInstance(running);
}

void FailFileOpens(int after, int times) {
    if (auto* h = Headless()) h->FailFileOpens(after, times);
}

void FailSoundBuffers(int after, int times) {
    if (auto* h = Headless()) h->FailSoundBuffers(after, times);
}

void SimulateVsyncDisplay(bool on) {
    if (auto* h = Headless()) h->SimulateDisplay(on);
}

const DisplayLog& VsyncDisplayLog() {
    static const DisplayLog kEmpty;
    auto* h = Headless();
    return h ? h->Shown() : kEmpty;
}

int ForegroundRequests() {
    auto* h = Headless();
    return h ? h->ForegroundRequests() : 0;
}

int LoadScript(const std::string& text, std::string* error) {
    auto* h = Headless();
    if (!h) {
        if (error) *error = "scripts need the headless backend";
        return 0;
    }
    std::vector<internal::ScriptEvent> events;
    if (!internal::ParseScript(text, &events, error)) return 0;
    h->LoadScript(std::move(events));
    return 1;
}

int LoadScriptFile(const std::string& path, std::string* error) {
    // Only a regular file of a sane size: a FIFO or a device would never end.
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path.c_str(), &bytes)) {
        if (error) *error = "cannot open script " + path + " (not a readable file of sensible size)";
        return 0;
    }
    const std::string text(bytes.begin(), bytes.end());
    std::string why;
    if (!LoadScript(text, &why)) {
        if (error) *error = path + ": " + why;
        return 0;
    }
    return 1;
}

bool ScriptFinished() {
    auto* h = Headless();
    return !h || h->ScriptFinished();
}

}  // namespace platform::headless
