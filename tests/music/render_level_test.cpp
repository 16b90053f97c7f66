// Headless renders of every song through the game's sequencer and
// synthesiser: each part is heard on its own, and the parts the game lets
// sound together never reach full scale (the synthesiser's sum clips there).
#include <algorithm>
#include <cmath>

#include "music_check/capture_check.h"
#include "music_test_support.h"
#include "render/song_render.h"

namespace {

using music_test::DataFolderTest;

struct Level {
    int peakLeft = 0, peakRight = 0;
    double rms = 0;
    int Peak() const { return std::max(peakLeft, peakRight); }
};

Level Measure(const std::vector<int16_t>& frames) {
    Level level;
    double sum = 0;
    for (size_t i = 0; i + 1 < frames.size(); i += 2) {
        level.peakLeft = std::max(level.peakLeft, std::abs(int(frames[i])));
        level.peakRight = std::max(level.peakRight, std::abs(int(frames[i + 1])));
        sum += double(frames[i]) * frames[i] + double(frames[i + 1]) * frames[i + 1];
    }
    level.rms = frames.empty() ? 0 : std::sqrt(sum / double(frames.size()));
    return level;
}

// The song's loop in milliseconds, from its first sequence's intervals.
unsigned LoopMilliseconds(const std::string& song) {
    const std::vector<uint8_t> bytes = music_test::ReadBytes(".\\seq\\" + song);
    const long form = xmidi::FindSequence(bytes.data(), bytes.size(), 0);
    if (form < 0) return 0;
    const auto chunks = xmidi::ScanForm(bytes.data() + form, bytes.size() - size_t(form));
    const uint8_t* s = bytes.data() + form + chunks.events + 8;
    uint64_t ticks = 0;
    size_t at = 0;
    while (at < chunks.eventBytes) {
        const uint8_t b = s[at++];
        uint32_t length = 0;
        if (b < 0x80) ticks += b;
        else if ((b & 0xF0) == 0x90) at += 2, xmidi::ReadVarLen(s, chunks.eventBytes, &at, &length);
        else if ((b & 0xF0) == 0xC0 || (b & 0xF0) == 0xD0) at += 1;
        else if (b == 0xFF) {
            const uint8_t type = s[at++];
            xmidi::ReadVarLen(s, chunks.eventBytes, &at, &length);
            at += length;
            if (type == 0x2F) break;
        } else at += 2;
    }
    return unsigned(ticks * 1000 / 120);
}

// A part counts as heard when it rises well above the noise floor.
constexpr int kAudiblePeak = 1200;
constexpr int kFullScale = 32767;

class LandSongLevels : public DataFolderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(LandSongLevels, EachPartIsHeardAndNoEightTogetherReachFullScale) {
    const std::string song = GetParam();
    const unsigned ms = LoopMilliseconds(song) + 300;
    ASSERT_GT(ms, 1000u);
    std::vector<std::pair<int, int>> peaks;  // (peak, sequence)
    for (int n = 0; n < 24; ++n) {
        std::string error;
        // A placed icon: -900, centred.
        const Level level = Measure(render::RenderSong(song, {{n, -900, 0}}, ms, 22050, &error));
        ASSERT_TRUE(error.empty()) << error;
        EXPECT_GE(level.Peak(), kAudiblePeak) << "part " << n << " is too quiet on its own";
        peaks.push_back({level.Peak(), n});
    }
    // The eight parts with the highest peaks, all at a placed icon's volume:
    // the hottest mix a sub-room can hold.
    std::sort(peaks.rbegin(), peaks.rend());
    std::vector<render::TrackSetting> loudest;
    for (int i = 0; i < 8; ++i) loudest.push_back({peaks[size_t(i)].second, -900, 0});
    std::string error;
    const Level together = Measure(render::RenderSong(song, loudest, ms, 22050, &error));
    EXPECT_LT(together.Peak(), kFullScale * 9 / 10) << "less than 1 dB from clipping";
    EXPECT_GT(together.rms, 1000.0);
}

INSTANTIATE_TEST_SUITE_P(Lands, LandSongLevels,
                         ::testing::Values("maze.xmi", "fun.xmi", "aussie.xmi", "jazz.xmi", "palace.xmi", "wet.xmi"));

class BandSongLevels : public DataFolderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BandSongLevels, EveryChoiceIsHeardAndNoLineUpReachesFullScale) {
    const std::string song = GetParam();
    const unsigned ms = LoopMilliseconds(song) + 300;
    ASSERT_GT(ms, 1000u);
    std::vector<render::TrackSetting> hottest;  // each member's part with the highest peak
    for (int member = 0; member < 6; ++member) {
        int best = -1, bestPeak = 0;
        for (int part = 0; part < 6; ++part) {
            std::string error;
            // The den's mix: ten decibels down, at the member's place.
            const render::TrackSetting setting{6 * member + part, -1000, (member * 1000) - 2500};
            const Level level = Measure(render::RenderSong(song, {setting}, ms, 22050, &error));
            ASSERT_TRUE(error.empty()) << error;
            EXPECT_GE(level.Peak(), kAudiblePeak) << "member " << member << " part " << part;
            if (level.Peak() > bestPeak) best = part, bestPeak = level.Peak();
        }
        hottest.push_back({6 * member + best, -1000, (member * 1000) - 2500});
    }
    std::string error;
    const Level together = Measure(render::RenderSong(song, hottest, ms, 22050, &error));
    EXPECT_LT(together.Peak(), kFullScale * 9 / 10) << "less than 1 dB from clipping";
}

INSTANTIATE_TEST_SUITE_P(Bands, BandSongLevels,
                         ::testing::Values("band.xmi", "easyband.xmi", "medband.xmi", "hardband.xmi"));

TEST_F(DataFolderTest, TitleLineUpAlsoRendersAtElevenKilohertz) {
    std::vector<render::TrackSetting> lineUp;
    for (int member = 0; member < 6; ++member) lineUp.push_back({6 * member + 1, -1000, member * 1000 - 2500});
    std::string error;
    const Level full = Measure(render::RenderSong("band.xmi", lineUp, 8000, 22050, &error));
    const Level half = Measure(render::RenderSong("band.xmi", lineUp, 8000, 11025, &error));
    ASSERT_TRUE(error.empty()) << error;
    EXPECT_GT(full.rms, 1000.0);
    // Same music at half the rate: about as loud.
    EXPECT_NEAR(half.rms / full.rms, 1.0, 0.25);
    EXPECT_LT(half.Peak(), kFullScale);
}

TEST_F(DataFolderTest, HalfRateAddsNoHissOfFoldedBackHighs) {
    // The wetland's shaker and tambourine fill the highs; at 11025 Hz what
    // lies above 5.5 kHz must not come back as noise between 3 and 5 kHz.
    std::vector<render::TrackSetting> all;
    for (int n = 0; n < 24; ++n) all.push_back({n, -900, 0});
    std::string error;
    const auto full = render::RenderSong("wet.xmi", all, 10000, 22050, &error);
    const auto half = render::RenderSong("wet.xmi", all, 10000, 11025, &error);
    ASSERT_TRUE(error.empty()) << error;
    auto bandDb = [](const std::vector<int16_t>& frames, unsigned rate) {
        const auto levels = music_check::MeasureCapture(frames, rate);
        return levels.rmsDb + music_check::BandShareDb(music_check::PowerSpectrum(frames), rate, 3000, 5000);
    };
    EXPECT_LT(bandDb(half, 11025), bandDb(full, 22050) + 1.0);
}

}  // namespace
