#pragma once
// The bot's hands on the keyboard: every press and release goes through the
// headless input path as the native key events the window would get, and is
// kept for the replay of the frame it happened before.
#include <vector>

namespace world {
struct InputState;
}

namespace bot {

struct KeyEvent {
    int key = 0;       // virtual key
    bool down = false;
};

class Hands {
public:
    static constexpr int kUp = 1, kDown = 2, kRight = 4, kLeft = 8;

    // Holds exactly these direction bits. A key the game forgot (a mouse
    // poll clears the direction flags) is pressed again, as a child would.
    void Hold(int directions, const world::InputState* input);
    // The action key, held for a few frames as a child's press is.
    void PressFire();
    // Any key, pressed now and let go three frames later.
    void Tap(int key);
    // Before every frame: lets go of keys whose press is over.
    void BeforeFrame();
    void ReleaseAll();
    // The events since the last call, in order.
    std::vector<KeyEvent> TakeEvents();
    bool FireHeld() const { return fireFrames_ > 0; }

private:
    void Down(int key);
    void Up(int key);

    int held_ = 0, fireFrames_ = 0, tapKey_ = 0, tapFrames_ = 0;
    std::vector<KeyEvent> events_;
};

}  // namespace bot
