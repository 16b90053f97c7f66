#include "bot/hands.h"

#include "platform/headless.h"
#include "platform/win_types.h"
#include "world/input_state.h"

namespace bot {
namespace {

// The key's flag goes with its release, and the dog looks at the keys only
// every 95 ms: a press lasts three 40 ms frames.
constexpr int kPressFrames = 3;

const int kArrows[4][2] = {{Hands::kUp, platform::VK_UP},
                           {Hands::kDown, platform::VK_DOWN},
                           {Hands::kRight, platform::VK_RIGHT},
                           {Hands::kLeft, platform::VK_LEFT}};

}  // namespace

void Hands::Down(int key) {
    platform::headless::KeyDown(key);
    events_.push_back({key, true});
}

void Hands::Up(int key) {
    platform::headless::KeyUp(key);
    events_.push_back({key, false});
}

void Hands::Hold(int directions, const world::InputState* input) {
    const int flags = input ? (input->up ? kUp : 0) | (input->down ? kDown : 0) | (input->right ? kRight : 0) |
                                  (input->left ? kLeft : 0)
                            : held_;
    for (const auto& k : kArrows) {
        if ((held_ & k[0]) && !(directions & k[0])) Up(k[1]);
    }
    for (const auto& k : kArrows) {
        if ((held_ & k[0]) && (directions & k[0]) && !(flags & k[0])) Up(k[1]);
        if (!((held_ & flags) & k[0]) && (directions & k[0])) Down(k[1]);
    }
    held_ = directions;
}

void Hands::PressFire() {
    if (fireFrames_ > 0) return;
    Down(platform::VK_SPACE);
    fireFrames_ = kPressFrames;
}

void Hands::Tap(int key) {
    if (tapFrames_ > 0) Up(tapKey_);
    Down(key);
    tapKey_ = key;
    tapFrames_ = kPressFrames;
}

void Hands::BeforeFrame() {
    if (fireFrames_ > 0 && --fireFrames_ == 0) Up(platform::VK_SPACE);
    if (tapFrames_ > 0 && --tapFrames_ == 0) Up(tapKey_);
}

void Hands::ReleaseAll() {
    Hold(0, nullptr);
    if (fireFrames_ > 0) Up(platform::VK_SPACE);
    if (tapFrames_ > 0) Up(tapKey_);
    fireFrames_ = tapFrames_ = 0;
}

std::vector<KeyEvent> Hands::TakeEvents() {
    std::vector<KeyEvent> out;
    out.swap(events_);
    return out;
}

}  // namespace bot
