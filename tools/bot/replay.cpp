#include "bot/replay.h"

#include <cstdio>
#include <set>
#include <sstream>

#include "bot/bot_run.h"
#include "platform/headless.h"

namespace bot {

std::string FormatReplay(const Replay& replay) {
    std::string out = "replay 1\ndifficulty " + std::to_string(replay.difficulty) + "\nlands";
    for (int land : replay.lands) out += " " + std::to_string(land);
    out += "\n";
    char words[FrameState::kFields * 9 + 1];
    for (const ReplayFrame& frame : replay.frames) {
        int at = 0;
        for (int k = 0; k < FrameState::kFields; ++k) {
            at += std::snprintf(words + at, sizeof words - size_t(at), k ? " %08x" : "%08x", frame.state.field[k]);
        }
        out += words;
        for (const KeyEvent& key : frame.keys) out += (key.down ? " +" : " -") + std::to_string(key.key);
        out += "\n";
    }
    return out;
}

bool ParseReplay(const std::string& text, Replay* out, std::string* error) {
    std::istringstream in(text);
    std::string line, word;
    int number = 0;
    auto fail = [&](const std::string& why) {
        *error = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    *out = Replay{};
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(line);
        if (number == 1) {
            if (line != "replay 1") return fail("not a replay");
            continue;
        }
        if (number == 2) {
            if (!(words >> word >> out->difficulty) || word != "difficulty" || out->difficulty < 1 ||
                out->difficulty > 3) {
                return fail("no difficulty 1..3");
            }
            continue;
        }
        if (number == 3) {
            if (!(words >> word) || word != "lands") return fail("no lands");
            int land;
            while (words >> land) {
                if (land < 0 || land > 5) return fail("a land outside 0..5");
                out->lands.push_back(land);
            }
            continue;
        }
        ReplayFrame frame;
        for (uint32_t& field : frame.state.field) {
            if (!(words >> word) || word.size() != 8) return fail("five state words wanted");
            char* end = nullptr;
            field = static_cast<uint32_t>(std::strtoul(word.c_str(), &end, 16));
            if (*end) return fail("a state word that is not hex");
        }
        while (words >> word) {
            if (word.size() < 2 || (word[0] != '+' && word[0] != '-')) return fail("a key that is not +n or -n");
            char* end = nullptr;
            const long key = std::strtol(word.c_str() + 1, &end, 10);
            if (*end || key <= 0 || key > 255) return fail("a key outside 1..255");
            frame.keys.push_back({int(key), word[0] == '+'});
        }
        out->frames.push_back(std::move(frame));
    }
    if (number < 3) return fail("cut short");
    return true;
}

ReplayVerdict PlayReplay(const Replay& replay) {
    ReplayVerdict verdict;
    GameSession session;
    if (!session.Start(&verdict.error)) return verdict;
    int64_t index = 0;
    std::set<int> held;
    // Keys still down when the replay stops are let go: the next game starts clean.
    struct LetGo {
        std::set<int>& keys;
        ~LetGo() {
            for (int key : keys) platform::headless::KeyUp(key);
        }
    } letGo{held};
    for (const ReplayFrame& frame : replay.frames) {
        for (const KeyEvent& key : frame.keys) {
            if (key.down) {
                platform::headless::KeyDown(key.key);
                held.insert(key.key);
            } else {
                platform::headless::KeyUp(key.key);
                held.erase(key.key);
            }
        }
        session.Frame();
        ApplyDifficulty(session.Game(), replay.difficulty);
        const FrameState now = session.Probe();
        for (int k = 0; k < FrameState::kFields; ++k) {
            if (now.field[k] != frame.state.field[k]) {
                verdict.frame = index;
                verdict.field = FrameState::kNames[k];
                return verdict;
            }
        }
        ++index;
    }
    verdict.same = true;
    return verdict;
}

}  // namespace bot
