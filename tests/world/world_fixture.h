#pragma once
// A headless sprite world in a private folder, with helpers that write the
// small bitmaps and level files the world tests load.
#include <filesystem>
#include <string>
#include <vector>

#include "support/game_folder.h"
#include "support/sprites_support.h"
#include "world/land_record.h"
#include "world/level_writer.h"
#include "world/place.h"

namespace world_test {

class WorldTest : public sprites_support::SpriteTest {
public:
    WorldTest() { std::filesystem::create_directories(test_support::InGameFolder("lands/celtic")); }

    using SpriteTest::Picture;
    void WritePicture(const std::string& name, int w, int h, uint8_t value = 7) {
        WriteBitmap(name, w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h, value));
    }
    // A 64 x 32 tile set of 32 x 32 tiles and a 2 x 3 map.
    LevelWriter SmallMap(const std::string& folder = "lands/celtic") {
        WritePicture(folder + "/tiles.bmp", 64, 32);
        LevelWriter w;
        w.Map("tiles.bmp", 32, 32, 2, 3, {0, 1, -1, 1, 0, 1});
        return w;
    }
    static world::LandRecord FreshRecord() {
        world::LandRecord record{};
        record.icon[0].location = 100;
        return record;
    }
    int Land(const LevelWriter& w, world::LandPlace* place, int difficulty = 1, world::LandRecord* record = nullptr) {
        w.Save("lands/celtic/easy.lnd");
        world::LandContext context{&W(), difficulty, record};
        return world::LoadLand("lands\\celtic\\easy.lnd", nullptr, context, place);
    }
    int GroupSize(sprites::SpriteGroup* group) {
        int n = 0;
        for (sprites::Sprite* s = group ? group->First() : nullptr; s; s = s->next) ++n;
        return n;
    }
};

}  // namespace world_test
