#pragma once
// Builds small ".lnd" files for the reader tests, record by record.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/game_folder.h"
#include "world/land_file_format.h"

namespace world_test {

class LevelWriter {
public:
    LevelWriter& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    LevelWriter& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    LevelWriter& Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return I32(l).I32(t).I32(r).I32(b); }
    LevelWriter& Name(const std::string& name) {
        std::vector<uint8_t> field(world::lnd::kNameSize, 0);
        std::memcpy(field.data(), name.data(), std::min<size_t>(name.size(), field.size() - 1));
        bytes.insert(bytes.end(), field.begin(), field.end());
        return *this;
    }
    LevelWriter& Zeros(int n) {
        bytes.insert(bytes.end(), static_cast<size_t>(n), 0);
        return *this;
    }

    // Header, tile set and cells (column-major).
    LevelWriter& Map(const std::string& tiles, int32_t tw, int32_t th, int32_t columns, int32_t rows,
                     const std::vector<int32_t>& cells) {
        Zeros(16).Name(tiles).I32(tw).I32(th).I32(columns).I32(rows);
        for (int32_t c : cells) I32(c);
        return *this;
    }
    struct ImageRec {
        std::string bitmap;
        int32_t l, t, r, b;
    };
    LevelWriter& Images(const std::vector<ImageRec>& images) {
        Zeros(12).U32(static_cast<uint32_t>(images.size()));
        for (const auto& i : images) Name(i.bitmap).Rect(i.l, i.t, i.r, i.b);
        return *this;
    }
    struct Place {
        uint32_t image;
        int32_t x, y;
    };
    LevelWriter& Placements(const std::vector<Place>& places) {
        U32(static_cast<uint32_t>(places.size()));
        for (const auto& p : places) U32(p.image).I32(p.x).I32(p.y);
        return *this;
    }
    LevelWriter& Section(uint32_t type, uint32_t count) { return Zeros(8).U32(type).U32(count); }
    LevelWriter& Door(int32_t l, int32_t t, int32_t r, int32_t b, uint32_t isDoor, const std::string& name = "") {
        return Rect(l, t, r, b).U32(isDoor).Name(name);
    }
    LevelWriter& Zone(int32_t l, int32_t t, int32_t r, int32_t b, uint32_t kind) { return Rect(l, t, r, b).U32(kind); }
    LevelWriter& Actor(uint32_t kind, const std::string& bitmap, int32_t frames, int32_t x, int32_t y) {
        return U32(kind).Name(bitmap).I32(frames).I32(x).I32(y);
    }

    // A relative path is taken in the game's current folder.
    void Save(const std::string& path) const {
        std::ofstream(test_support::InGameFolder(path), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<uint8_t> bytes;
};

}  // namespace world_test
