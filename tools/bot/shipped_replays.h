#pragma once
// The replays kept with the tests (tests/bot/replays): short runs of the bot
// from the title into a land. `bot <data> --record-replays tests/bot/replays`
// records them again when the game's behaviour changes on purpose.
#include <cstdint>

namespace bot {

struct ShippedReplay {
    const char* file;
    int land, difficulty;
    uint64_t frames;
};

inline constexpr ShippedReplay kShippedReplays[] = {
    {"celtic_easy.replay", 0, 1, 1500},
    {"celtic_hard.replay", 0, 3, 1500},
};

}  // namespace bot
