#include "screens/intro_screen.h"

namespace screens {

int IntroScreen::Setup(world::GameServices* owner) {
    game = owner;
    return 0;
}

void IntroScreen::Tick() {
    ++frames;
}

}  // namespace screens
