#pragma once
// The den (state 2). Placeholder: it keeps the state machine running end to
// end and counts its frames; the den with its band replaces it.
namespace world {
class GameServices;
}

namespace screens {

class DenScreen {
public:
    explicit DenScreen(world::GameServices* game) : game(game) {}
    // Nothing is loaded yet, so set-up reports failure (the switch goes on).
    int Setup();
    void Tick();

    world::GameServices* game;
    int frames = 0;
};

}  // namespace screens
