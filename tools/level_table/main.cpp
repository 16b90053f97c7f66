// level_table: measures every generated land at every difficulty and prints
// the table kept in tools/LEVELS.md (dead ends, mean walk from the arrival to
// the icon spots, share of walkable ground where the dog is more than half
// hidden).
//
//   level_table <data folder>
#include <cstdio>
#include <string>

#include "assetgen/world_measure.h"
#include "display/bitmap_file.h"
#include "world/land_file_reader.h"
#include "world/palette_plan.h"

namespace {

// A picture of the level's folder read as the game reads it; the key colour
// is see-through.
bool ReadMask(const std::string& path, assetgen::OpaqueMask* mask) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    display::BitmapHeaders headers;
    display::PixelBlock block;
    uint8_t table[1024];
    const bool ok = display::ReadBitmapHeaders(file, &headers) && headers.biBitCount == 8 &&
                    std::fread(table, 1, sizeof table, file) == sizeof table && display::ReadPixelBlock(file, headers, &block);
    std::fclose(file);
    const int w = headers.biWidth, h = headers.biHeight;
    if (!ok || w <= 0 || h <= 0) return false;
    std::vector<uint8_t> pixels(size_t(w) * size_t(h));
    display::CopyRowsBottomUp(block, h, pixels.data(), w, w);
    mask->width = w;
    mask->height = h;
    mask->opaque.resize(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) mask->opaque[i] = pixels[i] != world::palette_plan::kGreenKey;
    return true;
}

std::string Slashes(std::string s) {
    for (char& c : s) c = c == '\\' ? '/' : c;
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: level_table <data folder>\n");
        return 2;
    }
    const char* lands[6] = {"celtic", "funland", "aussie", "jazzland", "eastern", "wetland"};
    const char* levels[3] = {"easy", "medium", "hard"};
    std::printf("| Land | Difficulty | Dead ends | Mean walk to icons (px) | Hidden walkable share |\n");
    std::printf("|---|---|---|---|---|\n");
    int failures = 0;
    for (const char* land : lands)
        for (const char* level : levels) {
            const std::string folder = std::string(argv[1]) + "/graphics/lands/" + land;
            world::lnd::LandFileData data;
            std::string error;
            if (!world::lnd::ReadLandFile(folder + "/" + level + ".lnd", &data, &error)) {
                std::fprintf(stderr, "level_table: %s/%s: %s\n", land, level, error.c_str());
                ++failures;
                continue;
            }
            const assetgen::LevelMeasures m = assetgen::MeasureLand(data, [&](const std::string& name, assetgen::OpaqueMask* mask) {
                return ReadMask(folder + "/" + Slashes(name), mask);
            }, std::string(land) == "wetland" ? bot::kJetDogFootprint : bot::kDogFootprint);
            std::printf("| %s | %s | %d | %d | %.1f%% |\n", land, level, m.deadEnds, m.meanIconDistance, m.hiddenShare * 100);
            if (m.unreachedSpots) {
                std::fprintf(stderr, "level_table: %s/%s: %d icon spots out of reach\n", land, level, m.unreachedSpots);
                ++failures;
            }
        }
    return failures ? 1 : 0;
}
