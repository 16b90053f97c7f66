#pragma once
// Replays: the keys pressed before each frame and what mattered of the game
// after it. Played again, a replay presses the same keys in the same frames
// and stops at the first frame whose state differs, naming the field.
#include <cstdint>
#include <string>
#include <vector>

#include "bot/game_session.h"
#include "bot/hands.h"

namespace bot {

struct ReplayFrame {
    std::vector<KeyEvent> keys;
    FrameState state;
};

struct Replay {
    int difficulty = 1;
    std::vector<int> lands;
    std::vector<ReplayFrame> frames;
};

class ReplayWriter {
public:
    void Add(std::vector<KeyEvent> keys, const FrameState& state) { replay.frames.push_back({std::move(keys), state}); }
    Replay replay;
};

// Text, one line per frame: the five state words in hex, then the keys
// (+n pressed, -n released).
std::string FormatReplay(const Replay& replay);
// False with *error naming the line when the text is not a replay.
bool ParseReplay(const std::string& text, Replay* out, std::string* error);

struct ReplayVerdict {
    bool same = false;
    int64_t frame = -1;  // the first differing frame
    std::string field;   // and the first field that differs there
    std::string error;   // the game could not run
};

// Needs the headless platform running with the data folder current.
ReplayVerdict PlayReplay(const Replay& replay);

}  // namespace bot
