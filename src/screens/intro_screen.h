#pragma once
// The title screen (state 8). Placeholder: it keeps the state machine running
// end to end and counts its frames; the title, splash and demo replace it.
namespace world {
class GameServices;
}

namespace screens {

class IntroScreen {
public:
    IntroScreen() = default;
    // Nothing is loaded yet, so set-up reports failure (the switch goes on).
    int Setup(world::GameServices* game);
    void Tick();

    world::GameServices* game = nullptr;
    int frames = 0;
};

}  // namespace screens
