#pragma once
// One game run headless on the manual clock from its start, as the main
// loop runs it: before each frame the caller's hands act, then the waiting
// messages are handled and the game ticks. Every session starts from the same
// clock, seed and preferences, so the same keys give the same game.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/win_types.h"

namespace shell {
class GameApp;
}

namespace bot {

// What matters of the game after a frame, each part folded into one word.
struct FrameState {
    static constexpr int kFields = 5;
    static const char* const kNames[kFields];  // "dog", "carried", "icons", "records", "music"
    uint32_t field[kFields] = {};
    bool operator==(const FrameState&) const = default;
};

class GameSession {
public:
    static constexpr uint32_t kFrameMs = 40;

    // Needs the headless platform running (clock reads moving it on by 1 ms)
    // with the data folder current.
    GameSession();
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // False with *error set when the game cannot start.
    bool Start(std::string* error);
    void Frame();
    shell::GameApp& Game() { return *game_; }
    uint64_t Frames() const { return frames_; }
    uint64_t ElapsedMs() const { return frames_ * kFrameMs; }
    FrameState Probe() const;

private:
    platform::HWND window_ = nullptr;
    std::unique_ptr<shell::GameApp> game_;
    uint64_t frames_ = 0;
};

}  // namespace bot
