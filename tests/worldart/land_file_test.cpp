// The level file layout: the writer and the checked reader agree byte for
// byte, and the reader turns short, corrupt and absurd files into messages.
#include <gtest/gtest.h>

#include "assetgen/world_lnd_writer.h"
#include "world/land_file_reader.h"

namespace {

using namespace world::lnd;

LandFileData Sample() {
    LandFileData d;
    d.tiles = {"tiles.bmp", 32, 32, 2, 3};
    d.cells = {0, 1, 2, 8, 9, -1};
    d.images = {{"art\\tree.bmp", {1, 2, 3, 4}}, {"art\\rock.bmp", {0, 10, 20, 30}}};
    d.placements = {{1, 100, -20}, {0, 5, 6}};
    Section spots;
    spots.type = kIconSpots;
    spots.spotName = "icons";
    spots.spots = {{10, 20}, {30, 40}};
    Section doors;
    doors.type = kDoors;
    doors.doors = {{{1, 2, 3, 4}, 0, "home"}, {{5, 6, 7, 8}, 1, "Subroom1"}};
    Section anims;
    anims.type = kAnimations;
    anims.strips = {{"art\\mill.bmp", {0, 1, 2, 3}, 8}};
    anims.animPlacements = {{0, 11, 12, 100, 1}, {0, -3, 4, 120, 0}};
    Section actors;
    actors.type = kActors;
    actors.actors = {{5, "art\\owl.bmp", 8, 70, 80}};
    Section zones;
    zones.type = kZones;
    zones.zones = {{{9, 8, 7, 6}, 20}};
    d.sections = {spots, zones, doors, anims, actors};
    return d;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }

TEST(LandFile, RecordsSitAtTheirOffsetsWithoutPadding) {
    const std::vector<uint8_t> bytes = assetgen::EncodeLandFile(Sample());
    // Header, tile-set record, 6 cells, image header, 2 images, placements,
    // then five sections.
    size_t at = 16;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[at])), "tiles.bmp");
    EXPECT_EQ(U32(bytes, at + 260), 32u);
    EXPECT_EQ(U32(bytes, at + 268), 2u);
    EXPECT_EQ(U32(bytes, at + 272), 3u);
    at += 276;
    EXPECT_EQ(U32(bytes, at + 3 * 4), 8u) << "column 1, row 0 is value 1 x rows + 0";
    EXPECT_EQ(U32(bytes, at + 5 * 4), 0xFFFFFFFFu) << "an empty cell";
    at += 6 * 4;
    EXPECT_EQ(U32(bytes, at + 12), 2u) << "image count at offset 12 of its header";
    at += 16 + 2 * 276;
    EXPECT_EQ(U32(bytes, at), 2u);
    EXPECT_EQ(U32(bytes, at + 4), 1u);
    EXPECT_EQ(int32_t(U32(bytes, at + 12)), -20);
    at += 4 + 2 * 12;
    EXPECT_EQ(U32(bytes, at + 8), uint32_t(kIconSpots));
    EXPECT_EQ(U32(bytes, at + 12), 2u);
    at += 16 + 260 + 2 * 8;
    EXPECT_EQ(U32(bytes, at + 8), uint32_t(kZones));
    at += 16 + 20;
    EXPECT_EQ(U32(bytes, at + 8), uint32_t(kDoors));
    at += 16 + 2 * 280;
    EXPECT_EQ(U32(bytes, at + 8), uint32_t(kAnimations));
    at += 16 + 280;
    EXPECT_EQ(U32(bytes, at), 2u) << "animation placement count after the strips";
    at += 4 + 2 * 20;
    EXPECT_EQ(U32(bytes, at + 8), uint32_t(kActors));
    at += 16 + 276;
    EXPECT_EQ(at, bytes.size());
}

TEST(LandFile, ReadsBackWhatWasWritten) {
    const LandFileData in = Sample();
    const std::vector<uint8_t> bytes = assetgen::EncodeLandFile(in);
    LandFileData out;
    std::string error;
    ASSERT_EQ(ParseLandFile(bytes.data(), bytes.size(), &out, &error), 1) << error;
    EXPECT_EQ(out.tiles.bitmap, "tiles.bmp");
    EXPECT_EQ(out.cells, in.cells);
    ASSERT_EQ(out.images.size(), 2u);
    EXPECT_EQ(out.images[1].bitmap, "art\\rock.bmp");
    EXPECT_EQ(out.images[1].footprint, (Rect{0, 10, 20, 30}));
    ASSERT_EQ(out.placements.size(), 2u);
    EXPECT_EQ(out.placements[0].y, -20);
    ASSERT_EQ(out.sections.size(), 5u);
    EXPECT_EQ(out.sections[0].spots[1].y, 40);
    EXPECT_EQ(out.sections[1].zones[0].kind, 20u);
    EXPECT_EQ(out.sections[2].doors[1].name, "Subroom1");
    EXPECT_EQ(out.sections[3].animPlacements[1].x, -3);
    EXPECT_EQ(out.sections[3].strips[0].frameCount, 8);
    EXPECT_EQ(out.sections[4].actors[0].bitmap, "art\\owl.bmp");
    EXPECT_EQ(assetgen::EncodeLandFile(out), bytes);
}

TEST(LandFile, EveryTruncationIsReportedNotReadPast) {
    const std::vector<uint8_t> bytes = assetgen::EncodeLandFile(Sample());
    // Lengths that end exactly between sections are whole files with fewer
    // sections; every other cut is an error.
    int whole = 0;
    for (size_t n = 0; n < bytes.size(); ++n) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(n));
        LandFileData out;
        std::string error;
        if (ParseLandFile(cut.data(), cut.size(), &out, &error)) {
            ++whole;
        } else {
            EXPECT_FALSE(error.empty()) << n;
        }
    }
    EXPECT_EQ(whole, 5) << "after the placements and after each of the first four sections";
}

TEST(LandFile, AbsurdCountsAndUnknownSectionsAreRejected) {
    std::vector<uint8_t> bytes = assetgen::EncodeLandFile(Sample());
    LandFileData out;
    std::string error;
    // Columns x rows far beyond the file.
    std::vector<uint8_t> huge = bytes;
    huge[16 + 268] = 0xFF;
    huge[16 + 269] = 0xFF;
    huge[16 + 270] = 0xFF;
    huge[16 + 271] = 0x7F;
    EXPECT_EQ(ParseLandFile(huge.data(), huge.size(), &out, &error), 0);
    EXPECT_NE(error.find("cells"), std::string::npos) << error;
    // A negative tile size.
    std::vector<uint8_t> negative = bytes;
    negative[16 + 263] = 0x80;
    EXPECT_EQ(ParseLandFile(negative.data(), negative.size(), &out, &error), 0);
    // A section type no reader knows.
    std::vector<uint8_t> unknown = bytes;
    const uint8_t header[16] = {0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0};
    unknown.insert(unknown.end(), header, header + 16);
    EXPECT_EQ(ParseLandFile(unknown.data(), unknown.size(), &out, &error), 0);
    EXPECT_NE(error.find("unknown"), std::string::npos) << error;
    // A name field with no NUL is cut at 260 bytes.
    std::vector<uint8_t> noNul = bytes;
    std::fill(noNul.begin() + 16, noNul.begin() + 16 + 260, uint8_t('a'));
    ASSERT_EQ(ParseLandFile(noNul.data(), noNul.size(), &out, &error), 1) << error;
    EXPECT_EQ(out.tiles.bitmap.size(), 260u);
    // The writer always leaves room for the NUL.
    LandFileData longName = Sample();
    longName.tiles.bitmap.assign(400, 'b');
    const std::vector<uint8_t> written = assetgen::EncodeLandFile(longName);
    EXPECT_EQ(written[16 + 259], 0);
    EXPECT_EQ(written.size(), bytes.size());
}

TEST(LandFile, ReaderChecksKeepEachFileToItsReadersTables) {
    std::string error;
    LandFileData d = Sample();
    EXPECT_EQ(CheckForReader(d, Reader::Land, &error), 1) << error;
    EXPECT_EQ(CheckForReader(d, Reader::Den, &error), 0) << "the den cannot skip icon spots";
    EXPECT_NE(error.find("not accepted"), std::string::npos);

    LandFileData watchers = Sample();
    watchers.sections[4].actors.assign(13, Actor{actor::kWatcher, "art\\owl.bmp", 8, 0, 0});
    EXPECT_EQ(CheckForReader(watchers, Reader::Land, &error), 0);
    watchers.sections[4].actors.resize(12);
    EXPECT_EQ(CheckForReader(watchers, Reader::Land, &error), 1) << error;

    LandFileData anims = Sample();
    anims.sections[3].animPlacements.assign(101, AnimPlacement{0, 0, 0, 100, 0});
    EXPECT_EQ(CheckForReader(anims, Reader::Land, &error), 1) << "a land takes 200";
    EXPECT_EQ(CheckForReader(anims, Reader::SubRoom, &error), 0) << "the rooms take 100";
    anims.sections[3].animPlacements[7].strip = 3;
    EXPECT_EQ(CheckForReader(anims, Reader::Land, &error), 0) << "a strip that does not exist";

    LandFileData doors = Sample();
    doors.sections[2].doors.assign(5, Door{{0, 0, 1, 1}, 1, "d"});
    EXPECT_EQ(CheckForReader(doors, Reader::Land, &error), 0) << "five doors flagged";
    LandFileData holes = Sample();
    holes.sections[1].zones.assign(21, Zone{{0, 0, 1, 1}, zone::kHotSpot});
    EXPECT_EQ(CheckForReader(holes, Reader::Land, &error), 0);
    LandFileData badImage = Sample();
    badImage.placements.push_back({2, 0, 0});
    EXPECT_EQ(CheckForReader(badImage, Reader::Land, &error), 0);
}

}  // namespace
