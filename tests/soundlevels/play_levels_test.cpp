// How loud the game is as heard, on the generated data: 30 s of walking in
// open lands, a sub-room and the lock room, the start-up movies and the
// effects, all through the game's output stage and measured by the music
// check tool. Captures go to <build>/soundlevels/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/land_capture.h"
#include "music_check/capture_check.h"
#include "music_check/song_check.h"
#include "platform/avi_reader.h"
#include "platform/avi_sound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "render/song_render.h"

namespace {

using tool_support::PlaySpot;

constexpr unsigned kRate = 22050;
// Land play's target, dBFS RMS over 30 s of walking among icons.
constexpr double kQuietestLand = -23, kLoudestLand = -16;

std::string DataDir() {
    const char* env = std::getenv("TW_DATA_DIR");
    return env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
}

music_check::CaptureLevels Play(int land, PlaySpot spot, std::vector<int16_t>* kept = nullptr) {
    const std::filesystem::path out = std::filesystem::path(TW_BINARY_DIR) / "soundlevels";
    std::filesystem::create_directories(out);
    tool_support::LandCapture c;
    c.land = land;
    c.spot = spot;
    const char* names[] = {"lock", "land", "room"};
    c.walk = tool_support::WalkPlan{30, 0, (out / ("land" + std::to_string(land) + "_" + names[int(spot)])).string(),
                                    kRate};
    std::vector<int16_t> frames;
    EXPECT_TRUE(tool_support::CaptureLand(DataDir(), c, tool_support::QuietReport{}, &frames));
    const auto levels = music_check::MeasureCapture(frames, kRate);
    if (kept) *kept = std::move(frames);
    return levels;
}

class PlayLevels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(DataDir() + "/seq/wavelib.txt"))
            << "no generated data in " << DataDir() << ": run assetgen first (./test.sh does)";
    }
};

TEST_F(PlayLevels, WalkingInTheOpenLandIsOnTargetAndNeverClips) {
    for (int land : {0, 3, 5}) {
        const auto c = Play(land, PlaySpot::OpenLand);
        SCOPED_TRACE("land " + std::to_string(land));
        EXPECT_NEAR(c.seconds, 30, 0.1);
        EXPECT_GE(c.rmsDb, kQuietestLand);
        EXPECT_LE(c.rmsDb, kLoudestLand);
        EXPECT_EQ(c.clipped, 0);
    }
}

// A sub-room with placed icons plays them as the open land does. The lock
// room has no icons, and icons elsewhere are silent, so between the
// captive's hints it is quiet by design: what must carry is the hints
// themselves, judged by short-term loudness (the loudest tenth of 400 ms
// windows) rather than by the average over the silences.
TEST_F(PlayLevels, TheRoomsAreNoMoreThanTenDecibelsUnderTheOpenLand) {
    std::vector<int16_t> open, room, lock;
    const auto openLevels = Play(2, PlaySpot::OpenLand, &open);
    const auto roomLevels = Play(2, PlaySpot::SubRoom, &room);
    const auto lockLevels = Play(2, PlaySpot::LockRoom, &lock);
    EXPECT_GE(roomLevels.rmsDb, openLevels.rmsDb - 10);
    EXPECT_GE(music_check::ChannelLoudness(lock), music_check::ChannelLoudness(open) - 10);
    EXPECT_EQ(roomLevels.clipped, 0);
    EXPECT_EQ(lockLevels.clipped, 0);
}

// The movie's sound and the effects are heard on land play's scale: their
// short-term loudness (the loudest tenth of 400 ms windows) is at most a few
// decibels over land play's, as a sound in the foreground should be.
TEST_F(PlayLevels, TheMovieAndTheEffectsAreOnTheGamesScale) {
    std::vector<int16_t> land;
    tool_support::LandCapture c;
    c.land = 2;
    c.walk = tool_support::WalkPlan{30, 0, std::string(TW_BINARY_DIR) + "/soundlevels/land2_scale", kRate};
    ASSERT_TRUE(tool_support::CaptureLand(DataDir(), c, tool_support::QuietReport{}, &land));
    const double landLoudness = music_check::ChannelLoudness(land);

    platform::ScopedHeadless headless;
    platform::ScopedCurrentDirectory folder;
    ASSERT_EQ(folder.Enter(DataDir().c_str()), 1);
    platform::sound_card::UseOutputStage(true);
    auto expectOnScale = [&](const std::vector<int16_t>& frames, unsigned rate) {
        EXPECT_EQ(music_check::MeasureCapture(frames, rate).clipped, 0);
        const double loudness = music_check::ChannelLoudness(frames);
        EXPECT_GE(loudness, landLoudness - 3);
        EXPECT_LE(loudness, landLoudness + 7);
    };
    {
        SCOPED_TRACE("the title movie");
        std::ifstream in(DataDir() + "/Movie/movie.avi", std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        platform::avi::AviFile movie;
        std::string error;
        ASSERT_EQ(platform::avi::ParseAvi(std::move(bytes), &movie, &error), 1) << error;
        ASSERT_TRUE(movie.hasSound);
        expectOnScale(platform::avi::MovieOutputFrames(movie.sound, movie.pcm), unsigned(movie.sound.samplesPerSec));
    }
    for (int effect : {4, 6, 13, 26, 29}) {  // a bark, the hum, a pick-up, two fanfares
        SCOPED_TRACE("effect " + std::to_string(effect));
        std::string error;
        const auto frames = render::RenderEffect(effect, 5000, kRate, -600, 0, false, &error);
        ASSERT_FALSE(frames.empty()) << error;
        expectOnScale(frames, kRate);
    }
    platform::sound_card::UseOutputStage(false);
}

}  // namespace
