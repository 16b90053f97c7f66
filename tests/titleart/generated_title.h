#pragma once
// The title pictures written once per test run into a scratch folder, read
// back through the display's own bitmap routines, and the title composed
// from them step by step as the title screen draws it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "assetgen/generators.h"
#include "display/bitmap_file.h"
#include "support/picture8.h"
#include "world/chars/title_tables.h"

namespace titleart_test {

inline constexpr int kScreenW = 640, kScreenH = 480;
inline constexpr platform::RECT kUrlRect{130, 456, 549, 479};

using test_support::Picture8;

inline const std::filesystem::path& DataDir() {
    static const std::filesystem::path dir = [] {
        const auto path = test_support::GeneratedFolder(
            "tw_titleart", [](const std::string& d) { return assetgen::WriteTitle(d) == 1; });
        std::atexit([] { std::filesystem::remove_all(DataDir()); });
        return path;
    }();
    return dir;
}

inline bool ReadTitlePicture(const std::string& name, Picture8* out) {
    return test_support::ReadPicture(DataDir() / "graphics" / "splash" / name, out);
}

// The four title pictures, loaded once.
struct TitlePictures {
    Picture8 splash, letters, mascot, url;
    int splashKey = 256, urlKey = 256;
};
inline const TitlePictures& Pictures() {
    static const TitlePictures pictures = [] {
        TitlePictures p;
        EXPECT_TRUE(ReadTitlePicture("splash.bmp", &p.splash));
        EXPECT_TRUE(ReadTitlePicture("Tunewander.bmp", &p.letters));
        EXPECT_TRUE(ReadTitlePicture("MPupin.bmp", &p.mascot));
        EXPECT_TRUE(ReadTitlePicture("url.bmp", &p.url));
        p.splashKey = p.splash.IndexOf(0, 255, 0);
        p.urlKey = p.url.IndexOf(0, 255, 0);
        return p;
    }();
    return pictures;
}

// The picture and cell a channel draws from.
inline const Picture8& ChannelPicture(int channel) {
    switch (world::chars::ChannelSource(channel)) {
        case world::chars::TitleSource::Mascot: return Pictures().mascot;
        case world::chars::TitleSource::Letters: return Pictures().letters;
        default: return Pictures().splash;
    }
}
inline platform::RECT CellRect(int channel, int cell) {
    const auto& t = world::chars::GetTitleTables();
    switch (world::chars::ChannelSource(channel)) {
        case world::chars::TitleSource::Mascot: return t.mascotCells[size_t(cell)];
        case world::chars::TitleSource::Letters: return t.letterCells[size_t(cell)];
        default: return t.splashCells[size_t(cell)];
    }
}

// Copies rect of src to (x, y) on the screen, leaving out key (-1: none).
inline void Blit(std::vector<uint8_t>& screen, const Picture8& src, const platform::RECT& r, int x, int y,
                 int key) {
    for (int j = 0; j < r.bottom - r.top; ++j)
        for (int i = 0; i < r.right - r.left; ++i) {
            const int sx = x + i, sy = y + j;
            if (sx < 0 || sy < 0 || sx >= kScreenW || sy >= kScreenH) continue;
            const uint8_t v = src.At(r.left + i, r.top + j);
            if (v != key) screen[size_t(sy) * kScreenW + size_t(sx)] = v;
        }
}

// One step of the title: cleared to 0, mascot and letters copied plain, the
// project line, then the band channels keyed.
inline std::vector<uint8_t> ComposeStep(int step) {
    const auto& t = world::chars::GetTitleTables();
    const TitlePictures& p = Pictures();
    std::vector<uint8_t> screen(size_t(kScreenW) * kScreenH, 0);
    for (int c = 0; c < world::chars::kTitleChannels; ++c) {
        if (c == world::chars::kBandPictureChannel) {
            const platform::RECT whole{0, 0, p.url.Width(), p.url.Height()};
            Blit(screen, p.url, whole, kUrlRect.left, kUrlRect.top, p.urlKey);
        }
        const auto& ch = t.channels[size_t(c)];
        const int cell = ch.cell[size_t(step)];
        if (cell == 0) continue;
        const bool keyed = c >= world::chars::kBandPictureChannel;
        Blit(screen, ChannelPicture(c), CellRect(c, cell), ch.x[size_t(step)], ch.y[size_t(step)],
             keyed ? p.splashKey : -1);
    }
    return screen;
}

}  // namespace titleart_test
