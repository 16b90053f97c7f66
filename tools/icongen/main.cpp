// icongen <data folder> <icon theme folder>: the desktop icon, the pup
// standing and facing the viewer as the game draws it, cut from the
// generated sheet and enlarged by whole steps (nearest neighbour) onto a
// transparent square; written as <theme>/<N>x<N>/apps/tunewander.png for N
// = 48, 128 and 256.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "display/bitmap_file.h"
#include "platform/video_out.h"
#include "world/chars/dog_tables.h"

namespace {

constexpr int kSizes[] = {48, 128, 256};
constexpr const char* kSheet = "graphics/chars/mangopup.bmp";

struct Closer {
    void operator()(FILE* f) const { std::fclose(f); }
};

struct Indexed {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;    // top-down rows
    uint8_t palette[256][3] = {};
};

bool LoadSheet(const std::string& path, Indexed* out) {
    std::unique_ptr<FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    display::BitmapHeaders headers;
    if (!file || !display::ReadBitmapHeaders(file.get(), &headers) || headers.biBitCount != 8 || headers.biWidth <= 0 ||
        headers.biHeight <= 0)
        return false;
    uint8_t quads[256][4] = {};
    const size_t colours = headers.biClrUsed ? std::min<size_t>(headers.biClrUsed, 256) : 256;
    if (std::fseek(file.get(), long(14 + headers.biSize), SEEK_SET) != 0 ||
        std::fread(quads, 4, colours, file.get()) != colours)
        return false;
    for (int i = 0; i < 256; ++i) {
        out->palette[i][0] = quads[i][2];  // stored blue, green, red
        out->palette[i][1] = quads[i][1];
        out->palette[i][2] = quads[i][0];
    }
    display::PixelBlock block;
    if (!display::ReadPixelBlock(file.get(), headers, &block)) return false;
    out->width = headers.biWidth;
    out->height = headers.biHeight;
    out->pixels.assign(size_t(out->width) * size_t(out->height), 0);
    display::CopyRowsBottomUp(block, out->height, out->pixels.data(), out->width, out->width);
    return true;
}

uint8_t At(const Indexed& sheet, int x, int y) { return sheet.pixels[size_t(y) * size_t(sheet.width) + size_t(x)]; }

// The frame without its empty margin: the colour of its top-left corner is
// the sheet's transparent colour.
platform::RECT Trim(const Indexed& sheet, const platform::RECT& r, uint8_t key) {
    platform::RECT box{r.right, r.bottom, r.left, r.top};
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (At(sheet, x, y) == key) continue;
            box.left = std::min<int>(box.left, x);
            box.top = std::min<int>(box.top, y);
            box.right = std::max<int>(box.right, x + 1);
            box.bottom = std::max<int>(box.bottom, y + 1);
        }
    }
    return box.right > box.left ? box : r;
}

// The frame's pixels on a transparent square of `size`, centred, at the
// largest whole step that fits (or shrunk by sampling when none does).
std::vector<uint8_t> DrawIcon(const Indexed& sheet, const platform::RECT& r, uint8_t key, int size) {
    std::vector<uint8_t> rgba(size_t(size) * size_t(size) * 4, 0);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int step = std::max(1, std::min(size / w, size / h));
    const double shrink = std::max(1.0, std::max(double(w) / size, double(h) / size));
    const int outW = std::min(size, int(w * step / shrink)), outH = std::min(size, int(h * step / shrink));
    const int left = (size - outW) / 2, top = (size - outH) / 2;
    for (int y = 0; y < outH; ++y) {
        for (int x = 0; x < outW; ++x) {
            const int sx = r.left + int(x * shrink / step), sy = r.top + int(y * shrink / step);
            const uint8_t index = At(sheet, sx, sy);
            if (index == key) continue;
            const uint8_t* c = sheet.palette[index];
            uint8_t* out = &rgba[(size_t(top + y) * size_t(size) + size_t(left + x)) * 4];
            out[0] = c[0];
            out[1] = c[1];
            out[2] = c[2];
            out[3] = 255;
        }
    }
    return rgba;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icongen <data folder> <icon theme folder>\n");
        return 2;
    }
    Indexed sheet;
    const std::string sheetPath = std::string(argv[1]) + "/" + kSheet;
    if (!LoadSheet(sheetPath, &sheet)) {
        std::fprintf(stderr, "icongen: cannot read the 8-bit sheet %s\n", sheetPath.c_str());
        return 1;
    }
    const world::chars::DogTables tables = world::chars::MakeDogTables(world::chars::DogLayout::Ordinary);
    const int sequence = tables.roles.stand[world::chars::DirectionIndex(2)].main;
    const int frame = tables.sheet.sequences.at(size_t(sequence)).at(0).frame;
    const platform::RECT r = tables.sheet.frames.at(size_t(frame)).rect;
    if (r.left < 0 || r.top < 0 || r.right > sheet.width || r.bottom > sheet.height || r.right <= r.left ||
        r.bottom <= r.top) {
        std::fprintf(stderr, "icongen: the pup's frame lies outside %s\n", sheetPath.c_str());
        return 1;
    }
    const uint8_t key = At(sheet, r.left, r.top);
    const platform::RECT pup = Trim(sheet, r, key);
    for (int size : kSizes) {
        const std::string folder = std::string(argv[2]) + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const std::string path = folder + "/tunewander.png";
        if (!platform::WritePngRgba(size, size, DrawIcon(sheet, pup, key, size), path)) {
            std::fprintf(stderr, "icongen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
