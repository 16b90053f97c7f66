#pragma once
// A land (state 4). Placeholder: it remembers what it was asked to load and
// counts its frames; the land screen with its rooms and icons replaces it
// (and then writes its progress back into the record when destroyed).
#include <string>

#include "land/land_record.h"

namespace shell {
class GameApp;
}

namespace land {

class LandScreen {
public:
    explicit LandScreen(shell::GameApp* game) : game(game) {}
    // Nothing is loaded yet, so Load reports failure (the switch goes on).
    int Load(const char* levelPath, const char* songFile, LandRecord* record);
    void Tick();

    shell::GameApp* game;
    std::string levelPath, songFile;
    LandRecord* record = nullptr;
    int frames = 0;
};

}  // namespace land
