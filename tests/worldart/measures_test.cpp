// How hard the lands are to find one's way in, measured on the generated
// levels: easy lands have fewer dead ends and icons closer to the arrival
// than medium and hard ones, and almost nowhere hides the dog.
#include <gtest/gtest.h>

#include "assetgen/world_measure.h"
#include "generated_world.h"
#include "world/palette_plan.h"

namespace {

using namespace worldart_test;
using namespace world::lnd;

// The bound on the share of walkable ground where the dog is more than half
// hidden, on every level.
constexpr double kHiddenShareBound = 0.01;

assetgen::MaskOf MasksBeside(const std::string& level) {
    return [level](const std::string& name, assetgen::OpaqueMask* mask) {
        Picture8 picture;
        if (!ReadPicture(Beside(level, name), &picture)) return false;
        mask->width = picture.Width();
        mask->height = picture.Height();
        mask->opaque.resize(picture.pixels.size());
        for (size_t i = 0; i < picture.pixels.size(); ++i) mask->opaque[i] = picture.pixels[i] != world::palette_plan::kGreenKey;
        return true;
    };
}

assetgen::LevelMeasures Measure(const std::string& path) { return assetgen::MeasureLand(ReadLevel(path), MasksBeside(path)); }

TEST(LevelMeasures, EasyIsEasierThanMediumAndHardAndNothingHidesTheDog) {
    for (const char* land : {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"}) {
        SCOPED_TRACE(land);
        const std::string folder = std::string("graphics/lands/") + land + "/";
        const assetgen::LevelMeasures easy = Measure(folder + "easy.lnd"), medium = Measure(folder + "medium.lnd"),
                                      hard = Measure(folder + "hard.lnd");
        EXPECT_LE(easy.deadEnds, 1);
        EXPECT_LT(easy.deadEnds, medium.deadEnds);
        EXPECT_LT(medium.deadEnds, hard.deadEnds);
        EXPECT_LT(easy.meanIconDistance * 3 / 2, medium.meanIconDistance);
        EXPECT_LT(medium.meanIconDistance, hard.meanIconDistance);
        for (const assetgen::LevelMeasures* m : {&easy, &medium, &hard}) {
            EXPECT_EQ(m->unreachedSpots, 0);
            EXPECT_GT(m->walkableSamples, 5000);
            EXPECT_LT(m->hiddenShare, kHiddenShareBound);
        }
    }
}

// A strip of three open 200-pixel cells with the arrival in the left one.
LandFileData Corridor() {
    LandFileData d;
    d.tiles = {"tiles.bmp", 40, 40, 15, 5};
    d.cells.assign(size_t(15 * 5), 0);
    Section doors;
    doors.type = kDoors;
    doors.doors.push_back({{20, 40, 80, 60}, 0, "home"});  // arrival at (40, 110)
    Section spots;
    spots.type = kIconSpots;
    spots.spots.push_back({540, 110});
    d.sections = {spots, doors};
    return d;
}

assetgen::MaskOf SolidBlocks() {
    return [](const std::string& name, assetgen::OpaqueMask* mask) {
        if (name != "block.bmp") return false;
        *mask = {100, 120, std::vector<uint8_t>(100 * 120, 1)};
        return true;
    };
}

TEST(LevelMeasures, CountDeadEndsWalkToIconsAndSeeWhatHidesTheDog) {
    LandFileData d = Corridor();
    assetgen::LevelMeasures m = assetgen::MeasureLand(d, SolidBlocks());
    EXPECT_EQ(m.deadEnds, 2) << "both ends of the corridor";
    EXPECT_EQ(m.unreachedSpots, 0);
    // From x 40 to within reach (30) of x 540, along a straight line.
    EXPECT_NEAR(m.meanIconDistance, 540 - 30 - 40, 8);
    EXPECT_EQ(m.hiddenShare, 0);

    // A tall block standing on a thin footprint in the middle cell: the dog
    // can walk behind it, where it is drawn over.
    d.images.push_back({"block.bmp", {0, 116, 100, 120}});
    d.placements.push_back({0, 250, 100});
    m = assetgen::MeasureLand(d, SolidBlocks());
    EXPECT_GT(m.hiddenShare, 0.02);
    EXPECT_EQ(m.deadEnds, 2);

    // The same block blocking from its top row: nothing hides the dog, and
    // the middle cell is now cut in two, so the spot beyond it is out of reach.
    d.images[0].footprint = {0, 0, 100, 120};
    d.placements[0] = {0, 250, 0};
    d.placements.push_back({0, 250, 120});
    m = assetgen::MeasureLand(d, SolidBlocks());
    EXPECT_EQ(m.hiddenShare, 0);
    EXPECT_EQ(m.unreachedSpots, 1);
}

}  // namespace
