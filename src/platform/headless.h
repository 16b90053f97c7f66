#pragma once
// Controls of the headless backend, for tests and the developer harness. All
// of them fail (return 0 / do nothing) when the SDL backend runs.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/devices.h"
#include "platform/win_types.h"

namespace platform::headless {

// Message boxes: every box is logged; the responder answers it (default: IDOK).
struct MessageBoxRecord {
    std::string text, caption;
    UINT flags = 0;
    int answer = 0;
};
using MessageBoxResponder = std::function<int(const MessageBoxRecord&)>;
void SetMessageBoxResponder(MessageBoxResponder responder);
const std::vector<MessageBoxRecord>& MessageBoxLog();
void ClearMessageBoxLog();

// Input injection: each call becomes the native event the SDL backend would
// have seen, so it reaches the queue as the same messages (key down gives
// WM_KEYDOWN and, for printable keys, WM_CHAR; Alt+key gives WM_SYSKEYUP ...).
void KeyDown(int virtualKey);
void KeyUp(int virtualKey);
void TypeCharacter(char c);
// The pointer moved by (dx, dy): it steers the game cursor only while the
// window has the focus and the pointer is over it, or while it is captured.
void MouseMove(int dx, int dy);
void SetPointerInside(bool inside);      // the pointer enters / leaves the window
void MouseButton(bool down);             // left button
void SetFocus(bool focused);             // WM_ACTIVATEAPP 1 / 0
void RequestClose();                     // the user closes the window: WM_CLOSE

// A game controller, as SDL's controller events report it: plugged in or
// out, the left stick (-32768 .. 32767 each way), buttons.
void SetPad(bool attached);
void PadStick(int x, int y);
void PadButtonEvent(PadButton button, bool down);

// Plain joystick 0: absent by default.
void SetJoystick(bool attached, DWORD x = 32767, DWORD y = 32767, DWORD buttons = 0);

// Drives: letter -> type (DRIVE_CDROM, DRIVE_FIXED ...) and, for CD-ROMs, the
// folder that stands for the disc's root.
void SetDrive(char letter, UINT type, const std::string& rootFolder = {});
void ClearDrives();

// Single instance: pretend another copy holds the lock (FindWindow finds it).
// Headless runs use the real per-user lock only when TUNEWANDER_RUNTIME_DIR
// names a folder for it, so parallel test programs never see each other.
void SetOtherInstanceRunning(bool running);
// How many times another copy asked this one to come to the front.
int ForegroundRequests();

// Fault injection: after `after` more successful calls, the next `times`
// file opens (every reader's) or sound-buffer creations fail as if the disc
// were gone or the card out of memory. (0, 0) clears the fault.
void FailFileOpens(int after, int times);
void FailSoundBuffers(int after, int times);

// A simulated 60 Hz display that waits for its vertical blank: a present
// less than a refresh after the last shown one returns at once and its
// picture is shown at the next refresh; any other present moves the manual
// clock on to the next refresh (a palette step of a fade always does). Off by
// default; switching it on clears the log.
struct DisplayLog {
    int presents = 0;                     // every present while simulated
    int waits = 0;                        // presents that waited for a refresh
    uint32_t waitedMs = 0;                // manual-clock time they waited in all
    std::vector<uint64_t> shownPictures;  // a checksum of each picture a refresh showed
    RECT lastChanged{0, 0, 0, 0};         // what the last present changed (kept with the display off too)
};
void SimulateVsyncDisplay(bool on);
const DisplayLog& VsyncDisplayLog();

// A script of timed events (virtual milliseconds from the moment it is
// loaded), one per line; '#' starts a comment:
//   wait <ms>           later lines happen this much later
//   key <name>          press and release (names: left right up down return
//                       space shift escape f12 a..z 0..9 numpad2/4/6/8)
//   keydown <name> / keyup <name>
//   char <c>
//   mouse <dx> <dy>     relative motion
//   click / buttondown / buttonup
//   focus 0|1
//   joystick <x> <y> <buttons> / nojoystick
//   screenshot <file.png>
//   close               WM_CLOSE, as when the user closes the window
// Returns 1, or 0 with a message naming the bad line in *error.
int LoadScript(const std::string& text, std::string* error);
// The script file and its screenshot files are host paths: relative ones
// start at the process's working directory, not at the game's folder.
int LoadScriptFile(const std::string& path, std::string* error);
// True when every scripted event has happened.
bool ScriptFinished();

}  // namespace platform::headless
