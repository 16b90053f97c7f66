#include "world/land_files.h"

#include "world/game_services.h"

namespace world {

namespace {

struct LandFiles {
    const char* folder;
    const char* song;
};

constexpr LandFiles kLands[kLandCount] = {
    {".\\graphics\\lands\\celtic\\", ".\\seq\\maze.xmi"},
    {".\\graphics\\lands\\funland\\", ".\\seq\\fun.xmi"},
    {".\\graphics\\lands\\aussie\\", ".\\seq\\aussie.xmi"},
    {".\\graphics\\lands\\jazzland\\", ".\\seq\\jazz.xmi"},
    {".\\graphics\\lands\\eastern\\", ".\\seq\\palace.xmi"},
    {".\\graphics\\lands\\wetland\\", ".\\seq\\wet.xmi"},
};

constexpr const char* kDifficultyFiles[] = {"easy.lnd", "medium.lnd", "hard.lnd"};

}  // namespace

bool LevelFiles(int landIndex, int difficulty, std::string* levelPath, std::string* songFile) {
    if (landIndex < 0 || landIndex >= kLandCount || difficulty < 1 || difficulty > 3) return false;
    *levelPath = std::string(kLands[landIndex].folder) + kDifficultyFiles[difficulty - 1];
    *songFile = kLands[landIndex].song;
    return true;
}

}  // namespace world
