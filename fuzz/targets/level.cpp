// Level files: the first byte picks the reader (land, sub-room, main
// sub-room, den), the rest is the file, read beside the pictures of a real
// level; the place is then animated and drawn.
#include "display/display.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "platform/clock.h"
#include "sprites/sprite_world.h"
#include "world/land_record.h"
#include "world/place.h"

namespace tw_fuzz {

int Level(const uint8_t* data, size_t size) {
    Environment& env = Env();
    if (size < 1) return 0;
    const int reader = data[0] % 4;
    static const char* const kFolders[4] = {"graphics/lands/celtic", "graphics/lands/celtic/Subroom1",
                                            "graphics/lands/celtic/Subroom1", "graphics/den"};
    const std::string folder = LinkedCopyOf(kFolders[reader]);
    const std::string file = folder + "/input.lnd";
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
        if (size > 1) std::fwrite(data + 1, 1, size - 1, out);
        std::fclose(out);
    }
    sprites::SpriteWorld world(env.display);
    world::LandRecord record{};
    world::InitLandRecord(&record);
    switch (reader) {
    case 0: {
        // Without the loading animation: it paces itself on the clock, and
        // inputs are many.
        world::LandPlace place;
        world::LoadLand(file.c_str(), nullptr, world::LandContext{&world, 1 + data[0] / 4 % 3, &record}, &place);
        break;
    }
    case 1: {
        world::RoomPlace place;
        world::LoadSubRoom(file.c_str(), world::RoomContext{&world, 1, 0}, &place);
        break;
    }
    case 2: {
        world::RoomPlace place;
        world::LoadMainSubRoom(file.c_str(), world::RoomContext{&world, 1, 0}, &place);
        break;
    }
    default: {
        world::DenPlace place;
        world::LoadDen(file.c_str(), &world, &place);
        break;
    }
    }
    if (env.display) {
        for (int frame = 0; frame < 3; ++frame) {
            platform::manual_clock::Advance(40);
            world.AnimateAll(platform::timeGetTime());
            world.DrawAll();
            world.RedrawDirty();
        }
    }
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
