#pragma once
// The headless input script: one timed event a line (see platform/headless.h
// for the commands). Parsing is separate from playing so that errors name the
// line before anything happens.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::internal {

struct ScriptEvent {
    enum class Kind {
        KeyPress, KeyDown, KeyUp, Character, Mouse, Click, ButtonDown, ButtonUp,
        Focus, Joystick, NoJoystick, Screenshot, Close
    };
    uint64_t at = 0;  // milliseconds after the script was loaded
    Kind kind = Kind::Close;
    int a = 0, b = 0, c = 0;  // key / character / dx dy / focus / joystick x y buttons
    std::string path;         // screenshot file
};

// The virtual key of a script key name, or 0.
int ScriptKeyCode(const std::string& name);
// Returns true with the events, or false with "line N: ..." in *error.
bool ParseScript(const std::string& text, std::vector<ScriptEvent>* events, std::string* error);

}  // namespace platform::internal
