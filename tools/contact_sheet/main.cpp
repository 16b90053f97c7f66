// contact_sheet: review a character sheet as the game will show it.
//
//   contact_sheet <data folder> <sheet> <out.png>
//       every frame of the sheet on a grid, with its number
//   contact_sheet <data folder> <sheet> <out.png> <main>,<overlay> ...
//       each pair of sequences played into one row of a strip, a step a cell
//       (overlay -1 for none); the cross marks the character's position
//   contact_sheet <data folder> reward<n> <out.png> play
//       the reward's steps, frames A and B at their screen places, shrunk
//
// <sheet> is mangopup, jetdog, sourpuss, blooncat, band, bullseye, scratch,
// alien, fifi, chilledog, icedog or reward1..reward6. The bitmap is read
// from the data folder, the tables from the game's own code.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/bitmap_file.h"
#include "platform/video_out.h"
#include "world/chars/band_tables.h"
#include "world/chars/captive_tables.h"
#include "world/chars/cat_tables.h"
#include "world/chars/dog_tables.h"
#include "world/chars/reward_tables.h"

namespace {

using namespace world::chars;

struct Indexed {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;   // top-down
    uint8_t palette[256][3] = {};
};

bool ReadBmp(const std::string& path, Indexed* out) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    display::BitmapHeaders h;
    display::PixelBlock block;
    bool ok = display::ReadBitmapHeaders(file, &h) && h.biBitCount == 8 && h.biWidth > 0 && h.biHeight > 0 &&
              h.biWidth <= 4096 && h.biHeight <= 4096;
    uint8_t table[1024] = {};
    if (ok) ok = std::fseek(file, 14 + long(h.biSize), SEEK_SET) == 0 && std::fread(table, 1, sizeof table, file) == sizeof table;
    if (ok) ok = display::ReadPixelBlock(file, h, &block);
    std::fclose(file);
    // A file cut short would show as black rows; refuse it instead.
    if (!ok || block.stride < uint32_t(h.biWidth) || block.bytes.size() < size_t(block.stride) * size_t(h.biHeight)) return false;
    out->width = h.biWidth;
    out->height = h.biHeight;
    out->pixels.assign(size_t(out->width) * out->height, 0);
    display::CopyRowsBottomUp(block, out->height, out->pixels.data(), out->width, out->width);
    for (int i = 0; i < 256; ++i) {
        out->palette[i][0] = table[4 * i + 2];
        out->palette[i][1] = table[4 * i + 1];
        out->palette[i][2] = table[4 * i];
    }
    return true;
}

class Canvas {
public:
    Canvas(int w, int h) { shot_.width = w, shot_.height = h, shot_.rgb.assign(size_t(w) * h * 3, 0); }
    void Pixel(int x, int y, int r, int g, int b) {
        if (x < 0 || y < 0 || x >= shot_.width || y >= shot_.height) return;
        uint8_t* p = &shot_.rgb[(size_t(y) * shot_.width + x) * 3];
        p[0] = uint8_t(r), p[1] = uint8_t(g), p[2] = uint8_t(b);
    }
    void Fill(int x, int y, int w, int h, int r, int g, int b) {
        for (int yy = y; yy < y + h; ++yy)
            for (int xx = x; xx < x + w; ++xx) Pixel(xx, yy, r, g, b);
    }
    // Copies a rectangle of the sheet, leaving out the key colour.
    void Blit(const Indexed& src, const platform::RECT& r, int x, int y, int key, int scale = 1) {
        for (int sy = r.top; sy < r.bottom; ++sy)
            for (int sx = r.left; sx < r.right; ++sx) {
                if (sx < 0 || sy < 0 || sx >= src.width || sy >= src.height) continue;
                const uint8_t v = src.pixels[size_t(sy) * src.width + sx];
                if (v == key) continue;
                for (int k = 0; k < scale * scale; ++k)
                    Pixel(x + (sx - r.left) * scale + k % scale, y + (sy - r.top) * scale + k / scale,
                          src.palette[v][0], src.palette[v][1], src.palette[v][2]);
            }
    }
    // Digits 3 x 5, for frame and step numbers.
    void Number(int x, int y, int n) {
        static const char* kGlyphs[10] = {"111101101101111", "010110010010111", "111001111100111", "111001111001111",
                                          "101101111001001", "111100111001111", "111100111101111", "111001001001001",
                                          "111101111101111", "111101111001111"};
        const std::string text = std::to_string(n);
        for (size_t i = 0; i < text.size(); ++i)
            for (int b = 0; b < 15; ++b)
                if (kGlyphs[text[i] - '0'][b] == '1') Pixel(x + int(i) * 4 + b % 3, y + b / 3, 20, 20, 30);
    }
    void Cross(int x, int y) {
        for (int d = -3; d <= 3; ++d) Pixel(x + d, y, 200, 0, 0), Pixel(x, y + d, 200, 0, 0);
    }
    int Save(const std::string& path) { return platform::WritePng(shot_, path); }

private:
    platform::Screenshot shot_;
};

bool LoadTables(const std::string& name, CharacterSheet* sheet, RewardTables* reward) {
    if (name == "mangopup") *sheet = MakeDogTables(DogLayout::Ordinary).sheet;
    else if (name == "jetdog") *sheet = MakeDogTables(DogLayout::Jet).sheet;
    else if (name == "sourpuss") *sheet = MakeCatTables(CatLayout::Ordinary).sheet;
    else if (name == "blooncat") *sheet = MakeCatTables(CatLayout::Balloon).sheet;
    else if (name == "band") *sheet = MakeBandTables().sheet;
    else if (name.rfind("reward", 0) == 0 && name.size() == 7 && name[6] >= '1' && name[6] <= '6') {
        *reward = MakeRewardTables(name[6] - '0');
        sheet->file = reward->file;
        sheet->frames = reward->frames;
        sheet->width = reward->width;
        sheet->height = reward->height;
    } else {
        for (int land = 0; land < kCaptiveCount; ++land) {
            CharacterSheet s = MakeCaptiveSheet(land);
            if (s.file.find("\\" + name + ".bmp") != std::string::npos) {
                *sheet = s;
                return true;
            }
        }
        return false;
    }
    return true;
}

std::string DataPath(const std::string& folder, std::string name) {
    if (name.rfind(".\\", 0) == 0) name.erase(0, 2);
    for (char& c : name) c = c == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(c)));
    return folder + "/" + name;
}

int FrameGrid(const Indexed& bmp, const CharacterSheet& sheet, int key, const std::string& out) {
    int cellW = 0, cellH = 0;
    for (const SheetFrame& f : sheet.frames) cellW = std::max(cellW, f.Width()), cellH = std::max(cellH, f.Height());
    cellW += 6;
    cellH += 12;
    const int columns = std::max(1, std::min(int(sheet.frames.size()) - 1, 1200 / cellW));
    const int rows = (int(sheet.frames.size()) - 1 + columns - 1) / columns;
    Canvas c(columns * cellW, std::max(1, rows) * cellH);
    c.Fill(0, 0, columns * cellW, rows * cellH, 236, 232, 220);
    for (size_t i = 1; i < sheet.frames.size(); ++i) {
        const int x = int((i - 1) % columns) * cellW, y = int((i - 1) / columns) * cellH;
        c.Fill(x + 2, y + 9, cellW - 4, cellH - 11, (i % 2) ? 214 : 204, 222, 206);
        c.Number(x + 2, y + 2, int(i));
        c.Blit(bmp, sheet.frames[i].rect, x + 3, y + 10, key);
    }
    return c.Save(out);
}

int PairStrip(const Indexed& bmp, const CharacterSheet& sheet, int key, const std::vector<std::pair<int, int>>& pairs,
              const std::string& out) {
    auto steps = [&](int seq) -> const SeqSteps* {
        return seq >= 0 && seq < int(sheet.sequences.size()) ? &sheet.sequences[size_t(seq)] : nullptr;
    };
    // Each row's cells are big enough for every step of its pair, around
    // the character's position.
    struct Row {
        int left = 0, top = 0, right = 1, bottom = 1, steps = 1;
        bool far = false;
        int CellW() const { return right - left + 8; }
        int CellH() const { return bottom - top + 14; }
    };
    std::vector<Row> rows;
    int width = 1, height = 0;
    for (const auto& [m, o] : pairs) {
        Row row;
        const SeqSteps* first = steps(m);
        row.far = first && !first->empty() && (*first)[0].dx > 0 && (*first)[0].dy > 0;
        if (row.far) row.left = row.top = 1 << 30, row.right = row.bottom = -(1 << 30);
        for (int seq : {m, o}) {
            const SeqSteps* s = steps(seq);
            if (!s) continue;
            row.steps = std::max(row.steps, int(s->size()));
            for (const SeqStep& st : *s) {
                if (st.frame == 0 || st.frame >= sheet.frames.size()) continue;
                const SheetFrame& f = sheet.frames[st.frame];
                row.left = std::min(row.left, int(st.dx)), row.top = std::min(row.top, int(st.dy));
                row.right = std::max(row.right, st.dx + f.Width()), row.bottom = std::max(row.bottom, st.dy + f.Height());
            }
        }
        // Far-placed pictures (the band's den places) are shown around
        // themselves rather than around the position.
        if (row.far) row.right -= row.left, row.bottom -= row.top, row.left = row.top = 0;
        rows.push_back(row);
        width = std::max(width, row.CellW() * row.steps);
        height += row.CellH();
    }
    if (width > 8000 || height > 8000) return 0;
    Canvas c(width, std::max(1, height));
    c.Fill(0, 0, width, height, 236, 232, 220);
    int y0 = 0;
    for (size_t r = 0; r < pairs.size(); ++r) {
        const Row& row = rows[r];
        const SeqSteps* main = steps(pairs[r].first);
        const SeqSteps* over = steps(pairs[r].second);
        int shiftX = 0, shiftY = 0;
        if (row.far) {
            shiftX = shiftY = 1 << 30;
            for (const SeqSteps* s : {main, over})
                if (s)
                    for (const SeqStep& st : *s)
                        if (st.frame) shiftX = std::min(shiftX, int(st.dx)), shiftY = std::min(shiftY, int(st.dy));
        }
        for (int i = 0; main && i < row.steps; ++i) {
            const int x0 = i * row.CellW();
            c.Fill(x0 + 2, y0 + 9, row.CellW() - 4, row.CellH() - 11, (i % 2) ? 214 : 204, 222, 206);
            c.Number(x0 + 2, y0 + 2, i);
            const int px = x0 + 4 - (row.far ? shiftX : row.left), py = y0 + 10 - (row.far ? shiftY : row.top);
            // Both sequences wrap, as they do in the game.
            for (const SeqSteps* s : {main, over}) {
                if (!s || s->empty()) continue;
                const SeqStep& st = (*s)[size_t(i) % s->size()];
                if (st.frame > 0 && st.frame < sheet.frames.size()) c.Blit(bmp, sheet.frames[st.frame].rect, px + st.dx, py + st.dy, key);
            }
            if (!row.far) c.Cross(px, py);
        }
        y0 += row.CellH();
    }
    return c.Save(out);
}

int RewardPlay(const Indexed& bmp, const RewardTables& r, const std::string& out) {
    // Every fourth step at half size, four to a row.
    const int every = 4, perRow = 4, w = 320, h = 240;
    const int shown = (r.Steps() + every - 1) / every;
    const int rows = (shown + perRow - 1) / perRow;
    Canvas c(perRow * (w + 4), rows * (h + 12));
    for (int n = 0; n < shown; ++n) {
        const int s = n * every, x0 = (n % perRow) * (w + 4), y0 = (n / perRow) * (h + 12);
        c.Number(x0 + 2, y0 + 2, s);
        c.Fill(x0, y0 + 10, w, h, 0, 0, 0);
        Canvas frame(640, 480);
        for (int part = 0; part < 2; ++part) {
            const uint16_t f = part ? r.frameB[size_t(s)] : r.frameA[size_t(s)];
            if (f == 0 || f >= r.frames.size()) continue;
            const platform::RECT& rect = r.frames[f].rect;
            const int fx = part ? r.xB[size_t(s)] : r.xA[size_t(s)], fy = part ? r.yB[size_t(s)] : r.yA[size_t(s)];
            for (int yy = rect.top; yy < rect.bottom; yy += 2)
                for (int xx = rect.left; xx < rect.right; xx += 2) {
                    const uint8_t v = bmp.pixels[size_t(yy) * bmp.width + xx];
                    if (v) c.Pixel(x0 + (fx + xx - rect.left) / 2, y0 + 10 + (fy + yy - rect.top) / 2, bmp.palette[v][0], bmp.palette[v][1], bmp.palette[v][2]);
                }
        }
    }
    return c.Save(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: contact_sheet <data folder> <sheet> <out.png> [<main>,<overlay> ... | play]\n");
        return 2;
    }
    CharacterSheet sheet;
    RewardTables reward;
    if (!LoadTables(argv[2], &sheet, &reward)) {
        std::fprintf(stderr, "contact_sheet: no sheet called %s\n", argv[2]);
        return 2;
    }
    Indexed bmp;
    const std::string path = DataPath(argv[1], sheet.file);
    if (!ReadBmp(path, &bmp) || bmp.width < sheet.width || bmp.height < sheet.height) {
        std::fprintf(stderr, "contact_sheet: cannot read %s as a whole 8-bit picture of at least %d x %d\n", path.c_str(),
                     sheet.width, sheet.height);
        return 1;
    }
    const bool isReward = !reward.frameA.empty();
    const int key = isReward ? 0 : 1;
    int ok = 0;
    if (argc == 4) {
        ok = FrameGrid(bmp, sheet, key, argv[3]);
    } else if (isReward && std::string(argv[4]) == "play") {
        ok = RewardPlay(bmp, reward, argv[3]);
    } else {
        std::vector<std::pair<int, int>> pairs;
        for (int i = 4; i < argc; ++i) {
            int m = -1, o = -1;
            if (std::sscanf(argv[i], "%d,%d", &m, &o) < 1) {
                std::fprintf(stderr, "contact_sheet: %s is not <main>,<overlay>\n", argv[i]);
                return 2;
            }
            if (m < 0 || m >= int(sheet.sequences.size()) || o >= int(sheet.sequences.size())) {
                std::fprintf(stderr, "contact_sheet: %s has sequences 0..%d\n", argv[2], int(sheet.sequences.size()) - 1);
                return 2;
            }
            pairs.push_back({m, o});
        }
        ok = PairStrip(bmp, sheet, key, pairs, argv[3]);
    }
    if (!ok) {
        std::fprintf(stderr, "contact_sheet: writing %s failed\n", argv[3]);
        return 1;
    }
    return 0;
}
