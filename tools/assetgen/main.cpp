// assetgen <data folder>: writes everything the game reads.
#include <cstdio>
#include <filesystem>
#include <string>

#include "assetgen/generators.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <data folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
        return 1;
    }
    struct Step {
        const char* name;
        int (*run)(const std::string&);
    };
    const Step steps[] = {
        {"preferences", assetgen::WritePrefs},
        {"movies", assetgen::WriteMovies},
        {"world", assetgen::WriteWorld},
        {"music and sounds", assetgen::WriteMusic},
        {"characters", assetgen::WriteChars},
        {"menu pictures", assetgen::WriteMenus},
        {"credits", assetgen::WriteCredits},
        {"title pictures", assetgen::WriteTitle},
    };
    for (const Step& step : steps) {
        if (!step.run(dir)) {
            std::fprintf(stderr, "assetgen: writing the %s failed\n", step.name);
            return 1;
        }
    }
    return 0;
}
