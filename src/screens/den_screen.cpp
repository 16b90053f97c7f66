#include "screens/den_screen.h"

namespace screens {

int DenScreen::Setup() {
    return 0;
}

void DenScreen::Tick() {
    ++frames;
}

}  // namespace screens
