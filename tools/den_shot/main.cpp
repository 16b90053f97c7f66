// den_shot <data folder> <out.png> [--kept]: writes the picture the den
// golden-image test compares with. Run it only when the den's look changed
// on purpose, and review the new picture before it replaces the stored one.
// With --kept it shows the den just after key R kept the band's song (two
// members playing); the song goes into a fresh folder under /tmp unless
// TUNEWANDER_MUSIC_DIR names one.
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/den_scene.h"

int main(int argc, char** argv) {
    const bool kept = argc == 4 && std::string(argv[3]) == "--kept";
    if (argc != 3 && !kept) {
        std::fprintf(stderr, "usage: den_shot <data folder> <out.png> [--kept]\n");
        return 2;
    }
    if (kept && !std::getenv("TUNEWANDER_MUSIC_DIR")) {
        char folder[] = "/tmp/tw_den_shot_XXXXXX";
        if (!::mkdtemp(folder)) return 1;
        ::setenv("TUNEWANDER_MUSIC_DIR", folder, 1);
    }
    const std::string out = std::filesystem::absolute(argv[2]).string();
    // Busy waits of the start-up see time move by a millisecond a call.
    platform::ScopedHeadless headless{1};
    platform::ScopedCurrentDirectory folder;
    if (!folder.Enter(argv[1])) {
        std::fprintf(stderr, "den_shot: cannot enter %s\n", argv[1]);
        return 1;
    }
    platform::Screenshot shot;
    std::string error;
    if (!(kept ? den_scene::KeptSongDen(&shot, &error) : den_scene::TwoMembersDen(&shot, &error))) {
        std::fprintf(stderr, "den_shot: %s\n", error.c_str());
        return 1;
    }
    if (!platform::WritePng(shot, out)) {
        std::fprintf(stderr, "den_shot: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s\n", out.c_str());
    if (kept) std::printf("song kept in %s/Tunewander\n", std::getenv("TUNEWANDER_MUSIC_DIR"));
    return 0;
}
