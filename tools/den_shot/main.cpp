// den_shot <data folder> <out.png>: writes the picture the den golden-image
// test compares with. Run it only when the den's look changed on purpose,
// and review the new picture before it replaces the stored one.
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/den_scene.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: den_shot <data folder> <out.png>\n");
        return 2;
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
    if (!den_scene::TwoMembersDen(&shot, &error)) {
        std::fprintf(stderr, "den_shot: %s\n", error.c_str());
        return 1;
    }
    if (!platform::WritePng(shot, out)) {
        std::fprintf(stderr, "den_shot: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s\n", out.c_str());
    return 0;
}
