// A demo file: read as the title reads it, then played in its land.
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "world/demo_file.h"

namespace tw_fuzz {

int DemoFile(const uint8_t* data, size_t size) {
    const std::string path = WriteInput("1.demo", data, size);
    world::SavedSlot header;
    std::unique_ptr<uint8_t[]> demo = world::LoadDemo(path.c_str(), &header);
    if (!demo) return 0;
    LandStart start;
    start.land = header.land;
    start.difficulty = header.difficulty;
    start.x = header.x;
    start.y = header.y;
    start.room = header.room;
    start.demo = demo.get();
    PlayLand(start, header.records[header.land]);
    return 0;
}

}  // namespace tw_fuzz
