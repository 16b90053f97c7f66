// The den's band song rendered offline for keeping: its length, steps that
// add up to the same song, the fade, and members that play nothing.
#include <algorithm>
#include <cstdlib>

#include "audio/band_render.h"
#include "music_test_support.h"
#include "render/song_render.h"

namespace {

using music_test::DataFolderTest;

class BandRenderTest : public DataFolderTest {};

int Peak(const std::vector<int16_t>& frames, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to && i < frames.size(); ++i) peak = std::max(peak, std::abs(int(frames[i])));
    return peak;
}

TEST_F(BandRenderTest, TwoPassesAndAFadeInAnyStepsEndSilent) {
    const int values[6] = {2, -1, -1, 5, -1, -1};
    audio::BandRender render;
    ASSERT_EQ(render.Open(values, 2), 1) << render.Error();
    // One pass is the song's own length, on the tracks' whole frames a tick.
    const std::vector<uint8_t> song = music_test::ReadBytes(".\\seq\\medband.xmi");
    const long form = xmidi::FindSequence(song.data(), song.size(), 0);
    ASSERT_GE(form, 0);
    const long ticks = xmidi::SequenceTicks(song.data() + form, song.size() - size_t(form));
    ASSERT_GT(ticks, 0);
    EXPECT_EQ(render.PassFrames(), uint32_t(ticks) * (22050 / 120));
    EXPECT_EQ(render.TotalFrames(), 2 * render.PassFrames() + 2 * 22050);

    // Uneven steps, as a frame at a time in the den takes them.
    while (render.Step(7)) {
    }
    ASSERT_TRUE(render.Done());
    const std::vector<int16_t> stepped = render.TakeFrames();
    ASSERT_EQ(stepped.size(), size_t(render.TotalFrames()) * 2);
    std::string error;
    EXPECT_EQ(audio::RenderBandSong(values, 2, &error), stepped) << error;

    // The band is heard before the fade; the fade ends in silence.
    const size_t fadeStart = size_t(2 * render.PassFrames()) * 2;
    EXPECT_GT(Peak(stepped, 0, fadeStart), 1000);
    EXPECT_EQ(Peak(stepped, stepped.size() - 2, stepped.size()), 0);
    EXPECT_LE(Peak(stepped, stepped.size() - 20, stepped.size()), 8);
    EXPECT_LT(Peak(stepped, stepped.size() - 2205 * 2, stepped.size()), Peak(stepped, fadeStart - 22050, fadeStart));
}

TEST_F(BandRenderTest, MembersThatPlayNothingAreSilentInTheFile) {
    std::string error;
    const int silentMember[6] = {2, 6, -1, 5, -1, -1};
    const int absentMember[6] = {2, -1, -1, 5, -1, -1};
    const int playingMember[6] = {2, 0, -1, 5, -1, -1};
    const auto withSilent = render::DenBandWave(silentMember, 1, &error);
    ASSERT_FALSE(withSilent.empty()) << error;
    EXPECT_EQ(withSilent, render::DenBandWave(absentMember, 1, &error));
    EXPECT_NE(withSilent, render::DenBandWave(playingMember, 1, &error));

    const int allSilent[6] = {6, 6, 6, 6, 6, 6};
    const auto quiet = audio::RenderBandSong(allSilent, 1, &error);
    ASSERT_FALSE(quiet.empty()) << error;
    EXPECT_EQ(Peak(quiet, 0, quiet.size()), 0);
}

TEST_F(BandRenderTest, AMissingSongIsAnErrorNotAnEmptyFile) {
    platform::ScopedCurrentDirectory elsewhere;
    ASSERT_EQ(elsewhere.Enter("/"), 1);
    const int values[6] = {0, 0, 0, 0, 0, 0};
    std::string error;
    EXPECT_TRUE(render::DenBandWave(values, 1, &error).empty());
    EXPECT_FALSE(error.empty());
}

}  // namespace
