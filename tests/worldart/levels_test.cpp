// The generated levels: each holds only what its reader accepts, within the
// reader's limits, names pictures that exist with the right frame division,
// and can be walked: every door, hole and icon spot is reachable.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "assetgen/world_reach.h"
#include "generated_world.h"

namespace {

using namespace worldart_test;
using namespace world::lnd;

bool PictureSize(const std::filesystem::path& path, int* w, int* h) {
    Picture8 picture;
    if (!ReadPicture(path, &picture)) return false;
    *w = picture.Width();
    *h = picture.Height();
    return true;
}

assetgen::BitmapSize SizesBeside(const std::string& level) {
    return [level](const std::string& name, int* w, int* h) { return PictureSize(Beside(level, name), w, h); };
}

TEST(GeneratedLevels, SuitTheirReadersAndNameExistingPictures) {
    for (const LevelFile& level : AllLevels()) {
        SCOPED_TRACE(level.path);
        const LandFileData d = ReadLevel(level.path);
        std::string error;
        EXPECT_EQ(CheckForReader(d, level.reader, &error), 1) << error;

        // The tile set cuts into whole tiles and every cell names one of them.
        int w = 0, h = 0;
        ASSERT_TRUE(PictureSize(Beside(level.path, d.tiles.bitmap), &w, &h));
        EXPECT_EQ(w % d.tiles.tileWidth, 0);
        EXPECT_EQ(h % d.tiles.tileHeight, 0);
        const int tileCount = (w / d.tiles.tileWidth) * (h / d.tiles.tileHeight);
        for (int32_t cell : d.cells) ASSERT_TRUE(cell >= 0 && cell < tileCount) << cell;

        for (const Image& image : d.images) {
            ASSERT_TRUE(PictureSize(Beside(level.path, image.bitmap), &w, &h)) << image.bitmap;
            // Footprints stay inside the picture, so the land reader keeps them.
            EXPECT_TRUE(image.footprint.left >= 0 && image.footprint.right <= w && image.footprint.bottom <= h &&
                        image.footprint.top >= 0 && image.footprint.bottom <= kLandFootprintMax)
                << image.bitmap;
        }
        for (const Section& s : d.sections) {
            for (const Strip& strip : s.strips) {
                ASSERT_TRUE(PictureSize(Beside(level.path, strip.bitmap), &w, &h)) << strip.bitmap;
                EXPECT_EQ(w % strip.frameCount, 0) << strip.bitmap;
            }
            for (const Actor& a : s.actors) {
                ASSERT_TRUE(PictureSize(Beside(level.path, a.bitmap), &w, &h)) << a.bitmap;
                EXPECT_EQ(w % std::max(1, a.frameCount), 0) << a.bitmap;
            }
        }
    }
}

int Actors(const LandFileData& d, uint32_t kind) {
    int n = 0;
    for (const Section& s : d.sections)
        for (const Actor& a : s.actors) n += a.kind == kind;
    return n;
}

// What each place's reader builds from these files (doors, holes, posts,
// watchers, fish, lock pieces, band slots) is checked through the readers
// themselves; here only what the readers take as given.
TEST(GeneratedLevels, MapSizesWatcherFramesAndSectionOrder) {
    for (const LevelFile& level : AllLevels()) {
        if (level.reader != Reader::Land) continue;
        SCOPED_TRACE(level.path);
        const LandFileData d = ReadLevel(level.path);
        EXPECT_EQ(d.tiles.tileWidth * d.tiles.columns, 3200);
        EXPECT_EQ(d.tiles.tileHeight * d.tiles.rows, 2400);
        std::vector<uint32_t> order;
        for (const Section& s : d.sections) {
            order.push_back(s.type);
            for (const Actor& a : s.actors) EXPECT_TRUE(a.kind != actor::kWatcher || a.frameCount == 8);
        }
        // A Zones section resets the door count, so the doors come after it.
        EXPECT_LT(std::find(order.begin(), order.end(), kZones), std::find(order.begin(), order.end(), kDoors));
    }
    for (int k = 1; k <= 3; ++k) {
        const LandFileData d = ReadLevel("Subroom" + std::to_string(k) + "/subroom" + std::to_string(k) + ".lnd");
        EXPECT_EQ(d.tiles.tileWidth * d.tiles.columns, 400);
        EXPECT_EQ(d.tiles.tileHeight * d.tiles.rows, 300);
    }
    const LandFileData main = ReadLevel("mainSub/mainsub.lnd");
    EXPECT_EQ(main.tiles.tileHeight * main.tiles.rows, 480);
    const LandFileData den = ReadLevel("graphics/den/den.lnd");
    EXPECT_EQ(den.tiles.tileWidth * den.tiles.columns, 640);
    EXPECT_EQ(den.tiles.tileHeight * den.tiles.rows, 480);
    for (uint32_t k = 0; k < 6; ++k) EXPECT_EQ(Actors(den, actor::kDenDoorFirst + k), 1) << "land door " << k;
}

TEST(GeneratedLevels, HarderLandsKeepMoreBarriers) {
    for (const char* land : {"celtic", "wetland"}) {
        const auto placements = [&](const char* level) {
            return ReadLevel(std::string("graphics/lands/") + land + "/" + level + ".lnd").placements.size();
        };
        EXPECT_LT(placements("easy"), placements("medium")) << land;
        EXPECT_LT(placements("medium"), placements("hard")) << land;
    }
}

TEST(GeneratedLevels, EveryLandCanBeWalkedFromItsStart) {
    for (const LevelFile& level : AllLevels()) {
        if (level.reader != Reader::Land) continue;
        SCOPED_TRACE(level.path);
        const LandFileData d = ReadLevel(level.path);
        const assetgen::ReachReport report = assetgen::CheckLandReach(d, SizesBeside(level.path));
        EXPECT_TRUE(report.ok);
        for (const std::string& problem : report.problems) ADD_FAILURE() << problem;
        EXPECT_GE(report.targets, 24 + 4 + 2);
        // The cat starts at (1325, 1550) on open ground.
        const std::vector<Rect> blocks = assetgen::BlockingFootprints(d, Reader::Land, SizesBeside(level.path), nullptr);
        for (const Rect& b : blocks)
            EXPECT_FALSE(b.left < 1325 + 13 && 1325 - 13 < b.right && b.top < 1550 + 8 && 1550 - 8 < b.bottom);
    }
}

TEST(GeneratedLevels, RoomsAndTheDenCanBeWalked) {
    for (const LevelFile& level : AllLevels()) {
        if (level.reader == Reader::Land) continue;
        SCOPED_TRACE(level.path);
        const assetgen::ReachReport report = assetgen::CheckPlaceReach(ReadLevel(level.path), level.reader, SizesBeside(level.path));
        EXPECT_TRUE(report.ok);
        for (const std::string& problem : report.problems) ADD_FAILURE() << problem;
    }
    // The main sub-room's targets include the three lock buttons and the lever.
    const auto main = assetgen::CheckPlaceReach(ReadLevel("mainSub/mainsub.lnd"), Reader::MainSubRoom, SizesBeside("mainSub/mainsub.lnd"));
    EXPECT_EQ(main.targets, 7);
}

TEST(GeneratedLevels, EachDenDoorOpensOverItsOwnRectangle) {
    const std::string path = "graphics/den/den.lnd";
    const LandFileData den = ReadLevel(path);
    for (const Section& s : den.sections)
        for (const Actor& a : s.actors) {
            if (a.kind < actor::kDenDoorFirst || a.kind >= actor::kDenDoorFirst + 6) continue;
            int w = 0, h = 0;
            ASSERT_TRUE(PictureSize(Beside(path, a.bitmap), &w, &h));
            const Rect door{a.x, a.y, a.x + w / a.frameCount, a.y + h};
            // Land door k is den rectangle k + 1; its animation must stand there.
            const uint32_t kind = a.kind - actor::kDenDoorFirst + 1;
            for (const Section& z : den.sections)
                for (const Zone& zone : z.zones) {
                    if (zone.kind != kind) continue;
                    EXPECT_GE(zone.area.left, door.left) << kind;
                    EXPECT_LE(zone.area.right, door.right) << kind;
                    EXPECT_LT(zone.area.top, door.bottom) << kind;
                    EXPECT_GE(zone.area.bottom, door.bottom - 15) << "reachable below the door's footprint";
                }
        }
}

// Mean straight distance of a land's doors and icon spots from its start.
std::pair<double, double> DoorAndSpotDistances(const std::string& path) {
    const LandFileData d = ReadLevel(path);
    Rect start{};
    std::vector<Rect> doors;
    std::vector<Spot> spots;
    for (const Section& s : d.sections) {
        for (const Door& door : s.doors) (door.isDoor ? doors.push_back(door.area) : void(start = door.area));
        spots.insert(spots.end(), s.spots.begin(), s.spots.end());
    }
    const auto distance = [&](int x, int y) { return std::hypot(x - start.left, y - start.bottom); };
    double doorSum = 0, spotSum = 0;
    for (const Rect& r : doors) doorSum += distance(r.left, r.bottom);
    for (const Spot& s : spots) spotSum += distance(s.x, s.y);
    return {doorSum / double(doors.size()), spotSum / double(spots.size())};
}

TEST(GeneratedLevels, HarderLandsPutDoorsAndIconsFurtherFromHome) {
    for (const char* land : {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"}) {
        const std::string folder = std::string("graphics/lands/") + land + "/";
        const auto easy = DoorAndSpotDistances(folder + "easy.lnd");
        const auto hard = DoorAndSpotDistances(folder + "hard.lnd");
        EXPECT_LT(easy.first, hard.first) << land << " doors";
        EXPECT_LT(easy.second, hard.second) << land << " icon spots";
    }
}

TEST(GeneratedLevels, TheWetlandHasWaterToShimmer) {
    const LandFileData wet = ReadLevel("graphics/lands/wetland/easy.lnd");
    // Tiles 22..39 hold the land's feature; in the wetland that is water.
    const long water = std::count_if(wet.cells.begin(), wet.cells.end(), [](int32_t t) { return t >= 22 && t < 40; });
    EXPECT_GT(water, long(wet.cells.size() / 10));
}

}  // namespace
