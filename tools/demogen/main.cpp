// demogen: records the title screen's three demos by playing the game
// headless on the manual clock, a child walking the dog from icon to
// sub-room, and writes 1.demo, 2.demo and 3.demo. The same data folder
// always gives the same bytes.
//
//   demogen <data folder> [out folder]   (out folder: the data folder)
// DEMOGEN_TRACE=1 in the environment traces the steering on stderr.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "demogen/demo_recording.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "world/demo_file.h"

namespace {

// One demo per file: three lands, three difficulties.
constexpr demogen::DemoPlan kPlans[3] = {{0, 1}, {4, 2}, {2, 3}};

bool WriteFile(const std::string& path, const uint8_t* bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(world::kDemoBytes));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: demogen <data folder> [out folder]\n");
        return 2;
    }
    const std::string out = std::filesystem::absolute(argc == 3 ? argv[2] : argv[1]).string();
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    platform::ScopedHeadless headless{1};
    platform::ScopedCurrentDirectory folder;
    if (!folder.Enter(argv[1])) {
        std::fprintf(stderr, "demogen: cannot enter %s\n", argv[1]);
        return 1;
    }
    for (int which = 0; which < 3; ++which) {
        std::string error;
        const demogen::RecordedDemo demo = demogen::RecordDemo(kPlans[which], &error);
        const std::string path = out + "/" + world::DemoFileName(which);
        if (!demo.bytes) {
            std::fprintf(stderr, "demogen: %s: %s\n", path.c_str(), error.c_str());
            return 1;
        }
        if (!WriteFile(path, demo.bytes.get())) {
            std::fprintf(stderr, "demogen: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s: land %d difficulty %d, %d steps, %d icons picked up, %d placed\n", path.c_str(),
                    kPlans[which].land, kPlans[which].difficulty, demo.steps, demo.iconsPickedUp,
                    demo.iconsDelivered);
    }
    return 0;
}
