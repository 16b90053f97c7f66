#pragma once
// The six lands' level folders and songs, by land index (0 celtic, 1 funland,
// 2 aussie, 3 jazzland, 4 eastern, 5 wetland).
#include <string>

namespace world {

// The level file and song of a land at a difficulty (1 easy, 2 medium, 3
// hard). False for an index or difficulty outside the tables.
bool LevelFiles(int landIndex, int difficulty, std::string* levelPath, std::string* songFile);

}  // namespace world
