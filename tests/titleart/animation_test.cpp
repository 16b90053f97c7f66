// The title's channels as the title screen plays them: on screen, cells
// that fit where they are drawn, and steps that change as the band plays.
#include <algorithm>
#include <map>
#include <utility>

#include "assetgen/title_art.h"
#include "titleart/generated_title.h"

namespace {

using namespace titleart_test;
namespace chars = world::chars;

bool Overlap(const platform::RECT& a, const platform::RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

platform::RECT Drawn(int channel, int step) {
    const auto& ch = chars::GetTitleTables().channels[size_t(channel)];
    const platform::RECT cell = CellRect(channel, ch.cell[size_t(step)]);
    const int x = ch.x[size_t(step)], y = ch.y[size_t(step)];
    return {x, y, x + cell.right - cell.left, y + cell.bottom - cell.top};
}

TEST(TitleAnimation, EveryChannelStaysOnTheScreen) {
    const auto& t = chars::GetTitleTables();
    for (int c = 0; c < chars::kTitleChannels; ++c)
        for (int s = 0; s < chars::kTitleSteps; ++s) {
            if (t.channels[size_t(c)].cell[size_t(s)] == 0) continue;
            const platform::RECT r = Drawn(c, s);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= kScreenW && r.bottom <= kScreenH)
                << "channel " << c << " step " << s;
        }
}

TEST(TitleAnimation, TimingAndPlacesTheTitleRelies) {
    const auto& t = chars::GetTitleTables();
    const auto& band = t.channels[chars::kBandPictureChannel];
    for (int s = 0; s < chars::kTitleSteps; ++s) {
        EXPECT_EQ(band.cell[size_t(s)], 1);
        EXPECT_EQ(band.x[size_t(s)], assetgen::title::kStageLeft);
        EXPECT_EQ(band.y[size_t(s)], assetgen::title::kStageTop);
    }
    // The mascot bobs near the top and the letters under the band.
    for (int c = 0; c < chars::kBandPictureChannel; ++c) {
        const auto& ys = t.channels[size_t(c)].y;
        const auto [lo, hi] = std::minmax_element(ys.begin(), ys.begin() + chars::kTitleSteps);
        const bool mascot = c < chars::kFirstLetterChannel;
        EXPECT_LE(*hi - *lo, mascot ? 8 : 11) << "channel " << c;
        EXPECT_GE(*lo, mascot ? 13 : 364) << "channel " << c;
        EXPECT_LE(*hi, mascot ? 108 : 420) << "channel " << c;
    }
}

TEST(TitleAnimation, BandCellsFitTheirOnePlace) {
    // A cell cut from the band picture matches its surroundings only where
    // it was cut, and two members' cells must not paint over each other.
    const auto& t = chars::GetTitleTables();
    std::map<int, std::pair<int, int>> placeOf;
    for (int c = chars::kFirstBandChannel; c < chars::kTitleChannels; ++c) {
        const auto& anim = chars::BandAnimations()[size_t(c - chars::kFirstBandChannel)];
        for (int s = 0; s < chars::kTitleSteps; ++s) {
            const int cell = t.channels[size_t(c)].cell[size_t(s)];
            if (cell == 0 || anim.member < 0) continue;  // overlays drawn on the key
            const std::pair<int, int> at{t.channels[size_t(c)].x[size_t(s)], t.channels[size_t(c)].y[size_t(s)]};
            const auto [it, fresh] = placeOf.emplace(cell, at);
            EXPECT_TRUE(fresh || it->second == at) << "cell " << cell << " moves";
            for (int d = c + 1; d < chars::kTitleChannels; ++d) {
                const auto& other = chars::BandAnimations()[size_t(d - chars::kFirstBandChannel)];
                if (other.member == anim.member || other.member < 0) continue;
                if (t.channels[size_t(d)].cell[size_t(s)] == 0) continue;
                EXPECT_FALSE(Overlap(Drawn(c, s), Drawn(d, s))) << "channels " << c << " and " << d;
            }
        }
    }
}

TEST(TitleAnimation, BandCellsJoinWithoutSeams) {
    // Composed from its cells, the band must look exactly like the band
    // drawn whole with every member at the frame its cells show.
    const auto& t = chars::GetTitleTables();
    const TitlePictures& p = Pictures();
    for (int step : {0, 1, 2, 5, 13, 40, 101}) {
        std::vector<uint8_t> screen(size_t(kScreenW) * kScreenH, 0);
        std::array<int, 6> frames{};
        for (int c = chars::kBandPictureChannel; c < chars::kTitleChannels; ++c) {
            const auto& ch = t.channels[size_t(c)];
            const int cell = ch.cell[size_t(step)];
            const bool member = c == chars::kBandPictureChannel || chars::BandAnimations()[size_t(c - chars::kFirstBandChannel)].member >= 0;
            if (cell == 0 || !member) continue;
            if (c != chars::kBandPictureChannel) {
                const auto& a = chars::BandAnimations()[size_t(c - chars::kFirstBandChannel)];
                frames[size_t(a.member)] = cell - chars::BandCell(a, 0);
            }
            Blit(screen, p.splash, CellRect(c, cell), ch.x[size_t(step)], ch.y[size_t(step)], p.splashKey);
        }
        const assetgen::Picture whole = assetgen::title::DrawBandStage(frames);
        int wrong = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x)
                if (whole.At(x, y) != p.splashKey &&
                    whole.At(x, y) != screen[size_t(y + assetgen::title::kStageTop) * kScreenW + size_t(x + assetgen::title::kStageLeft)])
                    ++wrong;
        EXPECT_EQ(wrong, 0) << "step " << step;
    }
    EXPECT_NE(ComposeStep(20), ComposeStep(21)) << "consecutive steps differ: the band plays";
}

}  // namespace
