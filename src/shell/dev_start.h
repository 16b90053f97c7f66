#pragma once
// Development switch: TUNEWANDER_START_LAND=<0..5> (and optionally
// TUNEWANDER_DIFFICULTY=<1..3>) starts the game in that land, as if the
// player had walked through its den door: a shortcut past the den and the
// menus for trying a land.

namespace shell {

struct DevelopmentStart {
    int land = -1;       // land index, -1 = start normally
    int difficulty = 1;  // 1 easy, 2 medium, 3 hard
};

// Reads the two variables; values out of range are ignored (normal start).
DevelopmentStart ReadDevelopmentStart();

}  // namespace shell
