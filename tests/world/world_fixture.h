#pragma once
// A headless sprite world in a private folder, with helpers that write the
// small bitmaps and level files the world tests load.
#include <filesystem>
#include <string>
#include <vector>

#include "audio/xmidi_format.h"
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
    // A 40 x 40 celtic land with 24 icon spots and no placements, the icon,
    // sparkle and key pictures a land screen loads, and a silent song.xmi.
    void WriteSmallLand() {
        for (const char* category : {"balls", "Crockery", "Footware", "fruit", "Hats", "Sweets"}) {
            const std::string folder = std::string("graphics/icons/") + category;
            std::filesystem::create_directories(test_support::InGameFolder(folder));
            for (char n = '1'; n <= '6'; ++n) WritePicture(folder + "/" + n + "a.bmp", 20, 30);
        }
        std::filesystem::create_directories(test_support::InGameFolder("graphics/lockstuff"));
        WritePicture("graphics/icons/sparkles.bmp", 36, 4);
        WritePicture("graphics/lockstuff/keymini.bmp", 10, 10);
        WritePicture("lands/celtic/tiles.bmp", 64, 32);
        LevelWriter w;
        w.Map("tiles.bmp", 32, 32, 40, 40, std::vector<int32_t>(1600, 0)).Images({}).Placements({});
        w.Section(world::lnd::kIconSpots, 24).Zeros(world::lnd::kNameSize);
        for (int i = 0; i < 24; ++i) w.I32(100 + 40 * i).I32(300 + 10 * i);
        w.Save("lands/celtic/easy.lnd");
        std::vector<xmidi::XmidiSequence> parts(24);
        for (auto& part : parts) part.events = {0xFF, 0x2F, 0x00};
        xmidi::WriteFileBytes("song.xmi", xmidi::SongFile(parts));
    }
    // A plain picture at a game path (".\graphics\chars\x.bmp"), its folder made.
    void WriteGamePicture(std::string path, int w, int h) {
        if (path.rfind(".\\", 0) == 0) path = path.substr(2);
        for (char& c : path) c = c == '\\' ? '/' : c;
        std::filesystem::create_directories(test_support::InGameFolder(std::filesystem::path(path).parent_path()));
        WritePicture(path, w, h);
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
