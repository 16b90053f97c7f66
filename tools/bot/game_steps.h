#pragma once
// The bot's steps outside a land, each steered once before a frame: from the
// title to a new game, and through the den to a land's door.
#include <vector>

#include "bot/hands.h"
#include "bot/walk_grid.h"

namespace shell {
class GameApp;
}

namespace bot {

// Any key opens the title's menu, whose first line is a new game.
class NewGameStep {
public:
    // True once the den of the new game is up.
    bool Steer(shell::GameApp& game, Hands& hands);

private:
    int frames_ = 0;
};

// Searches a path over the den's sprites that keeps off the other doors and
// the menu corner, follows it and walks up into the door.
class DenDoorStep {
public:
    explicit DenDoorStep(int land) : land_(land) {}
    // True once the land's screen is up; *failed when there is no way.
    bool Steer(shell::GameApp& game, Hands& hands, bool* failed);

private:
    int land_;
    std::vector<Point> path_;
    size_t along_ = 0;
};

// The den's member for a land has joined the band (it stands with it).
bool MemberShown(shell::GameApp& game, int land);

}  // namespace bot
