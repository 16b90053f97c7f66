#include "screens/intro_screen.h"

namespace screens {

int IntroScreen::Setup(shell::GameApp* owner) {
    game = owner;
    return 0;
}

void IntroScreen::Tick() {
    ++frames;
}

}  // namespace screens
