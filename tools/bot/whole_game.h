#pragma once
// The whole game as a child plays it, through the real program's main loop
// and the keyboard only: the start-up movies skipped by a key, the splash,
// the title and its menu, a new game, the den, the celtic land played to its
// end with the lock opened, the den with the freed member playing, a save
// from the game menu, quit to the title, the save loaded into the den, and
// quit. It notes each change of the game's state and takes screenshots at
// fixed points.
#include <string>
#include <vector>

#include "bot/bot_run.h"
#include "platform/video_out.h"

namespace bot {

struct NamedShot {
    std::string name;  // file name, "01_title.png" ...
    platform::Screenshot picture;
};

struct WholeGame {
    int exitCode = -1;
    std::string error;                // a step that did not come about
    std::vector<std::string> states;  // each change, in order
    std::vector<NamedShot> shots;
    LevelResult celtic;
};

// Needs the headless platform started (clock reads moving it on by 1 ms),
// the data folder current and the saved games going to a scratch folder.
WholeGame PlayWholeGame();

// The states the run goes through, as PlayWholeGame notes them.
std::vector<std::string> ExpectedWholeGameStates();

}  // namespace bot
