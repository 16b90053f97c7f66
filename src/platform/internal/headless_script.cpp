#include "platform/internal/headless_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "platform/internal/core.h"
#include "platform/win_types.h"

namespace platform::internal {

int ScriptKeyCode(const std::string& raw) {
    const std::string name = ToLower(raw);
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return name[0] - 'a' + 'A';
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return name[0];
    static const struct { const char* name; int vk; } kNames[] = {
        {"left", VK_LEFT},       {"right", VK_RIGHT},     {"up", VK_UP},
        {"down", VK_DOWN},       {"return", VK_RETURN},   {"enter", VK_RETURN},
        {"space", VK_SPACE},     {"shift", VK_SHIFT},     {"escape", VK_ESCAPE},
        {"f12", VK_F12},         {"alt", VK_MENU},        {"numpad2", VK_NUMPAD2},
        {"numpad4", VK_NUMPAD4}, {"numpad6", VK_NUMPAD6}, {"numpad8", VK_NUMPAD8},
    };
    for (const auto& entry : kNames)
        if (name == entry.name) return entry.vk;
    return 0;
}

namespace {

bool ParseNumber(const std::string& word, long min, long max, long* out) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < min || value > max) return false;
    *out = value;
    return true;
}

std::string Trim(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    const auto end = s.find_last_not_of(" \t\r");
    return s.substr(begin, end - begin + 1);
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<ScriptEvent>* events, std::string* error) {
    std::vector<ScriptEvent> parsed;
    uint64_t time = 0;
    std::istringstream lines(text);
    std::string rawLine;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        if (error) *error = "line " + std::to_string(lineNumber) + ": " + why + ": " + Trim(rawLine);
        return false;
    };
    while (std::getline(lines, rawLine)) {
        ++lineNumber;
        std::string line = rawLine;
        // "char #" types a hash; elsewhere '#' starts a comment.
        const std::string trimmed = Trim(line);
        if (!(trimmed.rfind("char ", 0) == 0 && trimmed.size() == 6)) {
            if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
        }
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        const std::string command = ToLower(w[0]);
        const size_t args = w.size() - 1;
        auto expect = [&](size_t n) { return args == n; };
        ScriptEvent ev;
        ev.at = time;
        long n1 = 0, n2 = 0, n3 = 0;
        if (command == "wait") {
            if (!expect(1) || !ParseNumber(w[1], 0, 100000000, &n1)) return fail("wait needs milliseconds");
            time += uint64_t(n1);
            continue;
        } else if (command == "key" || command == "keydown" || command == "keyup") {
            if (!expect(1)) return fail(command + " needs one key name");
            ev.a = ScriptKeyCode(w[1]);
            if (!ev.a) return fail("unknown key '" + w[1] + "'");
            ev.kind = command == "key" ? ScriptEvent::Kind::KeyPress
                    : command == "keydown" ? ScriptEvent::Kind::KeyDown : ScriptEvent::Kind::KeyUp;
        } else if (command == "char") {
            if (!expect(1) || w[1].size() != 1) return fail("char needs one character");
            ev.kind = ScriptEvent::Kind::Character;
            ev.a = static_cast<unsigned char>(w[1][0]);
        } else if (command == "mouse") {
            if (!expect(2) || !ParseNumber(w[1], -100000, 100000, &n1) ||
                !ParseNumber(w[2], -100000, 100000, &n2))
                return fail("mouse needs <dx> <dy>");
            ev.kind = ScriptEvent::Kind::Mouse;
            ev.a = int(n1);
            ev.b = int(n2);
        } else if (command == "click" || command == "buttondown" || command == "buttonup") {
            if (!expect(0)) return fail(command + " takes no arguments");
            ev.kind = command == "click" ? ScriptEvent::Kind::Click
                    : command == "buttondown" ? ScriptEvent::Kind::ButtonDown : ScriptEvent::Kind::ButtonUp;
        } else if (command == "focus") {
            if (!expect(1) || !ParseNumber(w[1], 0, 1, &n1)) return fail("focus needs 0 or 1");
            ev.kind = ScriptEvent::Kind::Focus;
            ev.a = int(n1);
        } else if (command == "joystick") {
            if (!expect(3) || !ParseNumber(w[1], 0, 65535, &n1) || !ParseNumber(w[2], 0, 65535, &n2) ||
                !ParseNumber(w[3], 0, 0x7FFFFFFF, &n3))
                return fail("joystick needs <x> <y> <buttons> (axes 0..65535)");
            ev.kind = ScriptEvent::Kind::Joystick;
            ev.a = int(n1);
            ev.b = int(n2);
            ev.c = int(n3);
        } else if (command == "nojoystick" || command == "close") {
            if (!expect(0)) return fail(command + " takes no arguments");
            ev.kind = command == "close" ? ScriptEvent::Kind::Close : ScriptEvent::Kind::NoJoystick;
        } else if (command == "screenshot") {
            if (!expect(1)) return fail("screenshot needs one file name");
            ev.kind = ScriptEvent::Kind::Screenshot;
            ev.path = w[1];
        } else {
            return fail("unknown command '" + w[0] + "'");
        }
        parsed.push_back(ev);
    }
    *events = std::move(parsed);
    return true;
}

}  // namespace platform::internal
