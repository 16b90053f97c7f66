#include "land/land_screen.h"

namespace land {

int LandScreen::Load(const char* level, const char* song, LandRecord* landRecord) {
    levelPath = level;
    songFile = song;
    record = landRecord;
    return 0;
}

void LandScreen::Tick() {
    ++frames;
}

}  // namespace land
