// The generated pictures: the bitmap layout, the palette plan, and that every
// picture the game names exists with the size and frame division it expects.
#include <gtest/gtest.h>

#include <set>

#include "assetgen/art_bmp_writer.h"
#include "assetgen/world_palettes.h"
#include "generated_world.h"
#include "world/palette_plan.h"

namespace {

using namespace worldart_test;
namespace plan = world::palette_plan;

TEST(BmpWriter, WritesExactSizeBottomUpPaddedRowsAndAFullColourTable) {
    std::vector<uint8_t> pixels(13 * 3);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i);
    plan::Palette palette = plan::CommonPalette();
    const std::vector<uint8_t> file = assetgen::EncodeBmp8(13, 3, pixels, palette);
    const auto u32 = [&](size_t at) { return uint32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24); };
    EXPECT_EQ(file.size(), 54u + 1024u + 16u * 3u) << "rows padded to 16 bytes";
    EXPECT_EQ(u32(2), file.size()) << "bfSize is exact, so the loader's stride is the padded width";
    EXPECT_EQ(u32(10), 1078u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(46), 256u);
    EXPECT_EQ(file[28], 8);
    // Colour table entries are blue, green, red, 0.
    EXPECT_EQ(file[54 + 1 * 4 + 1], 255);
    EXPECT_EQ(file[54 + 1 * 4 + 0], 0);
    // The bottom row comes first; padding bytes are zero.
    EXPECT_EQ(file[1078], 26);
    EXPECT_EQ(file[1078 + 12], 38);
    EXPECT_EQ(file[1078 + 13], 0);
    EXPECT_EQ(file[1078 + 32], 0);
}

TEST(PalettePlan, EveryPlacePaletteHasUniqueKeysAndTheSameCommonBlock) {
    const plan::Palette common = plan::CommonPalette();
    for (int p = 0; p < assetgen::kPlaceCount; ++p) {
        SCOPED_TRACE(assetgen::PlaceName(assetgen::Place(p)));
        const plan::Palette& palette = assetgen::PlacePalette(assetgen::Place(p));
        int black = 0, green = 0, white = 0;
        for (const plan::Rgb& c : palette) {
            black += c == plan::Rgb{0, 0, 0};
            green += c == plan::Rgb{0, 255, 0};
            white += c == plan::Rgb{255, 255, 255};
        }
        EXPECT_EQ(black, 1);
        EXPECT_EQ(green, 1);
        EXPECT_EQ(white, 1);
        EXPECT_EQ(palette[plan::kBlack], (plan::Rgb{0, 0, 0}));
        EXPECT_EQ(palette[plan::kGreenKey], (plan::Rgb{0, 255, 0}));
        EXPECT_EQ(palette[plan::kWhite], (plan::Rgb{255, 255, 255}));
        for (int i = plan::kCommonFirst; i <= plan::kCommonLast; ++i) EXPECT_EQ(palette[size_t(i)], common[size_t(i)]) << i;
    }
    // The wetland's cycled entries are five different blues.
    const plan::Palette& wet = assetgen::PlacePalette(assetgen::Place::Wetland);
    std::set<std::tuple<int, int, int>> waters;
    for (int i = plan::kWaterFirst; i < plan::kWaterFirst + plan::kWaterCount; ++i) {
        EXPECT_GT(wet[size_t(i)].blue, wet[size_t(i)].red) << i;
        waters.insert({wet[size_t(i)].red, wet[size_t(i)].green, wet[size_t(i)].blue});
    }
    EXPECT_EQ(waters.size(), 5u);
}

// Which palette a generated picture must carry, and which entries it may use.
struct Expectation {
    bool tileSet;       // no key colours at all
    bool commonOnly;    // shown in every place: common block and the green key
    bool wetlandArt;    // must not use the cycled water entries
};

Expectation ExpectFor(const std::string& path) {
    const bool tileSet = path.size() >= 9 && path.compare(path.size() - 9, 9, "tiles.bmp") == 0;
    const bool shared = path.rfind("graphics/icons/", 0) == 0 || path.rfind("graphics/lockstuff/", 0) == 0 ||
                        path == "LoadAnim.bmp";
    const bool wetArt = path.rfind("graphics/lands/wetland/art/", 0) == 0;
    return {tileSet, shared, wetArt};
}

TEST(GeneratedPictures, FollowThePalettePlan) {
    const std::vector<std::string> files = FilesEndingIn(".bmp");
    ASSERT_GT(files.size(), 150u);
    const plan::Palette common = plan::CommonPalette();
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        Picture8 picture;
        ASSERT_TRUE(ReadPicture(WorldDir() / path, &picture));
        EXPECT_EQ(picture.headers.biClrUsed, 256u);
        for (int i = plan::kCommonFirst; i <= plan::kCommonLast; ++i)
            ASSERT_TRUE(picture.Is(i, common[size_t(i)].red, common[size_t(i)].green, common[size_t(i)].blue)) << "entry " << i;
        const Expectation e = ExpectFor(path);
        std::vector<int> used(256, 0);
        for (uint8_t v : picture.pixels) used[v] = 1;
        EXPECT_FALSE(used[plan::kBlack]) << "black is the display's transparent colour";
        EXPECT_FALSE(used[plan::kWhite]) << "white is reserved for white-keyed pictures";
        if (e.tileSet) {
            EXPECT_FALSE(used[plan::kGreenKey]) << "tiles are drawn without a key";
        }
        if (e.commonOnly) {
            for (int i = plan::kPlaceFirst; i <= plan::kPlaceLast; ++i) EXPECT_FALSE(used[size_t(i)]) << "place entry " << i;
        }
        if (e.wetlandArt) {
            for (int i = plan::kWaterFirst; i < plan::kWaterFirst + plan::kWaterCount; ++i)
                EXPECT_FALSE(used[size_t(i)]) << "only water may use the cycled entry " << i;
        }
    }
}

TEST(GeneratedPictures, WetlandWaterTilesUseTheCycledEntries) {
    Picture8 tiles;
    ASSERT_TRUE(ReadPicture(WorldDir() / "graphics/lands/wetland/tiles.bmp", &tiles));
    // Tile 36 is plain water: every pixel that is not a lily pad shimmers.
    int water = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int v = tiles.At((36 % 8) * 32 + x, (36 / 8) * 32 + y);
            water += v >= plan::kWaterFirst && v < plan::kWaterFirst + plan::kWaterCount;
        }
    EXPECT_EQ(water, 32 * 32);
    // Plain ground and paths never do.
    for (int t : {0, 1, 18, 19})
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const int v = tiles.At((t % 8) * 32 + x, (t / 8) * 32 + y);
                ASSERT_FALSE(v >= plan::kWaterFirst && v < plan::kWaterFirst + plan::kWaterCount) << "tile " << t;
            }
}

// width, height limits and the frame count the game cuts a picture into.
struct Named {
    std::string path;
    int frames;      // equal frames side by side (0: not a strip)
    int maxHeight;   // 0: any
};

TEST(GeneratedPictures, EveryPictureTheGameNamesExistsWithItsFrameDivision) {
    std::vector<Named> named = {
        {"graphics/icons/sparkles.bmp", 18, 0},       {"graphics/icons/peds.bmp", 4, 0},
        {"graphics/lockstuff/keymini.bmp", 1, 0},     {"graphics/lockstuff/lemon.bmp", 1, 0},
        {"graphics/lockstuff/redlight.bmp", 1, 0},    {"graphics/lockstuff/greenlight.bmp", 1, 0},
        {"graphics/lockstuff/lever.bmp", 4, 0},       {"graphics/lockstuff/fishglow.bmp", 3, 0},
        {"graphics/lockstuff/fishclos.bmp", 4, 0},    {"graphics/den/cloud.bmp", 1, 0},
        {"graphics/den/thobub02.bmp", 1, 0},          {"graphics/den/thobub03.bmp", 1, 0},
        {"graphics/den/thobub05.bmp", 1, 0},          {"graphics/den/thobu01.bmp", 1, 0},
        {"graphics/den/thobub04.bmp", 1, 0},
    };
    for (char k = 'A'; k <= 'G'; ++k) named.push_back({std::string("graphics/lockstuff/Fish") + k + ".bmp", 1, 0});
    const char* folders[6] = {"balls", "Crockery", "Footware", "fruit", "Hats", "Sweets"};
    const char* easyFlags[6] = {"tbalflag", "TpotFlag", "hHeelflg", "applflag", "tophtflg", "cndyflag"};
    const char* flags[6] = {"ballflag", "crockflg", "shoeflag", "fruitflg", "hatflag", "sweetflg"};
    for (int c = 0; c < 6; ++c) {
        const std::string folder = std::string("graphics/icons/") + folders[c] + "/";
        for (int i = 1; i <= 6; ++i) named.push_back({folder + char('0' + i) + "a.bmp", 1, 65});
        named.push_back({folder + easyFlags[c] + ".bmp", 7, 0});
        named.push_back({folder + flags[c] + ".bmp", 5, 0});
    }
    for (const char* land : {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"})
        for (const char* icon : {"easyico", "medico", "hardico"})
            named.push_back({std::string("graphics/lands/") + land + "/icons/" + icon + ".bmp", 1, 0});
    for (const Named& n : named) {
        SCOPED_TRACE(n.path);
        Picture8 picture;
        ASSERT_TRUE(ReadPicture(WorldDir() / n.path, &picture));
        EXPECT_EQ(picture.Width() % n.frames, 0);
        if (n.maxHeight) {
            EXPECT_LE(picture.Height(), n.maxHeight);
        }
        // A picture keyed on green shows something and has a transparent border.
        EXPECT_EQ(picture.At(0, 0), plan::kGreenKey);
        EXPECT_NE(std::count(picture.pixels.begin(), picture.pixels.end(), plan::kGreenKey), long(picture.pixels.size()));
    }
    // The den's icon sheets are cut 6 rows by 7 columns.
    for (const char* sheet : {"graphics/den/icons.bmp", "graphics/den/liticons.bmp"}) {
        Picture8 picture;
        ASSERT_TRUE(ReadPicture(WorldDir() / sheet, &picture)) << sheet;
        EXPECT_EQ(picture.Width() % 7, 0);
        EXPECT_EQ(picture.Height() % 6, 0);
    }
}

TEST(GeneratedPictures, IconsDifferFromEachOther) {
    const char* folders[6] = {"balls", "Crockery", "Footware", "fruit", "Hats", "Sweets"};
    std::set<std::vector<uint8_t>> seen;
    for (const char* folder : folders)
        for (int i = 1; i <= 6; ++i) {
            Picture8 icon;
            ASSERT_TRUE(ReadPicture(WorldDir() / "graphics/icons" / folder / (std::to_string(i) + "a.bmp"), &icon));
            EXPECT_TRUE(seen.insert(icon.pixels).second) << folder << " " << i;
        }
}

TEST(GeneratedPictures, LoadingAnimationPiecesFillTheirRectangles) {
    Picture8 anim;
    ASSERT_TRUE(ReadPicture(WorldDir() / "LoadAnim.bmp", &anim));
    ASSERT_GE(anim.Width(), 168);
    ASSERT_GE(anim.Height(), 310);
    const int rects[11][4] = {{0, 0, 57, 57},      {0, 57, 57, 115},    {0, 168, 51, 235},  {51, 168, 91, 235},
                              {91, 168, 129, 233}, {0, 235, 52, 298},   {52, 235, 107, 297}, {107, 235, 168, 291},
                              {0, 298, 31, 310},   {31, 298, 62, 310},  {62, 298, 93, 309}};
    for (const auto& r : rects) {
        int opaque = 0;
        for (int y = r[1]; y < r[3]; ++y)
            for (int x = r[0]; x < r[2]; ++x) opaque += anim.At(x, y) != plan::kGreenKey;
        EXPECT_GT(opaque, (r[2] - r[0]) * (r[3] - r[1]) / 8) << "piece at " << r[0] << ", " << r[1];
    }
}

TEST(GeneratedPictures, AreTheSameOnEveryRun) {
    const auto again = std::filesystem::temp_directory_path() / ("tw_worldart_again_" + std::to_string(::getpid()));
    std::filesystem::remove_all(again);
    ASSERT_EQ(assetgen::WriteWorld(again.string()), 1);
    for (const char* ext : {".bmp", ".lnd"})
        for (const std::string& path : FilesEndingIn(ext)) ASSERT_EQ(ReadBytes(WorldDir() / path), ReadBytes(again / path)) << path;
    std::filesystem::remove_all(again);
}

}  // namespace
