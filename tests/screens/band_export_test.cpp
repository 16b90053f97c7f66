// Keeping the band's song from the den: key R writes the band as it plays
// into the music folder (the same file the render tool makes) while the
// live song plays on undisturbed; an unwritable folder fails visibly and
// leaves nothing; with nobody playing nothing is written.
#include <stdlib.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "audio/band_render.h"
#include "audio/wave_file.h"
#include "den_fixture.h"
#include "platform/user_files.h"
#include "render/song_render.h"
#include "screens/band_export.h"

namespace {

namespace fs = std::filesystem;
using screens::BandExport;

class BandExportTest : public den_test::DenTest {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tw_music_XXXXXX";
        music_ = ::mkdtemp(pattern);
        ::setenv("TUNEWANDER_MUSIC_DIR", music_.c_str(), 1);
        DenTest::SetUp();
    }
    void TearDown() override {
        DenTest::TearDown();
        ::unsetenv("TUNEWANDER_MUSIC_DIR");
        std::error_code ec;
        fs::remove_all(music_, ec);
    }

    void PressKeep() { game.input.lastCharacter = 'r'; }
    // Frames until the render is over (at most `limit`); how many it took.
    int FramesWhileRendering(int limit = 500) {
        int n = 0;
        do {
            Frames(1);
            ++n;
        } while (den->keeper->Rendering() && n < limit);
        return n;
    }
    std::vector<std::string> FilesUnder(const fs::path& folder) const {
        std::vector<std::string> names;
        if (!fs::exists(folder)) return names;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) names.push_back(fs::relative(entry.path(), folder).string());
        }
        return names;
    }
    // The live output over `frames` den frames, pressing R (or not) first.
    std::vector<int16_t> LiveOutput(int frames, bool keep) {
        EXPECT_EQ(Open(), 1);
        Frames(5);
        platform::sound_card::StartCapture();
        if (keep) PressKeep();
        Frames(frames);
        std::vector<int16_t> heard = platform::sound_card::StopCapture();
        den.reset();
        return heard;
    }

    fs::path music_;
};

std::vector<uint8_t> FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Whether `b` is `a` started up to `maxShift` samples later or earlier,
// equal sample for sample wherever both have one (at least half of each).
bool SameStreamShifted(const std::vector<int16_t>& a, const std::vector<int16_t>& b, long maxShift) {
    const long n = long(std::min(a.size(), b.size()));
    for (long shift = -maxShift; shift <= maxShift; shift += 2) {
        const long from = std::max(0L, -shift), to = std::min(n, n - shift);
        if (to - from < n / 2) continue;
        bool same = true;
        for (long i = from; i < to && same; ++i) same = b[size_t(i)] == a[size_t(i + shift)];
        if (same) return true;
    }
    return false;
}

TEST(BandFileNames, DateAndMinuteThenNumberedForTheSameMinute) {
    const auto names = screens::BandFileNames(platform::CalendarTime{2026, 12, 6, 15, 4, 59});
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "Tunewander band 2026-12-06 15-04.wav");
    EXPECT_EQ(names[1], "Tunewander band 2026-12-06 15-04 (2).wav");
    EXPECT_EQ(names[2], "Tunewander band 2026-12-06 15-04 (3).wav");
}

TEST_F(BandExportTest, KeyRWritesTheBandAsTheRenderToolDoesWhileTheLiveSongPlaysOn) {
    MemberWord(0) = 2;
    MemberWord(3) = 5;
    game.difficulty = 2;
    ASSERT_EQ(Open(), 1);
    Frames(5);
    const std::string expectedName = screens::BandFileNames(platform::CalendarNow())[0];
    EXPECT_EQ(expectedName.rfind("Tunewander band 2026-01-01 00-00", 0), 0u) << expectedName;
    PressKeep();
    const int frames = FramesWhileRendering();
    ASSERT_FALSE(den->keeper->Rendering());
    EXPECT_GT(frames, 10) << "the render is spread over frames";
    EXPECT_EQ(den->keeper->LastOutcome(), BandExport::Outcome::Saved);
    EXPECT_TRUE(den->keeper->PictureShown());

    const fs::path folder = music_ / "Tunewander";
    ASSERT_EQ(FilesUnder(music_), std::vector<std::string>{"Tunewander/" + expectedName});
    EXPECT_EQ(den->keeper->LastFile(), (folder / expectedName).string());

    // The render tool's file for the same line-up, byte for byte.
    const int lineUp[6] = {2, -1, -1, 5, -1, -1};
    std::string error;
    const std::vector<uint8_t> tool = render::DenBandWave(lineUp, 2, &error);
    ASSERT_FALSE(tool.empty()) << error;
    EXPECT_TRUE(FileBytes(folder / expectedName) == tool);

    // Read back as a WAVE: stereo 16-bit 22050 Hz, two passes and the fade.
    audio::BandRender sizes;
    ASSERT_EQ(sizes.Open(lineUp, 2), 1);
    audio::OpenedWave wave;
    ASSERT_EQ(audio::OpenWave(nullptr, (folder / expectedName).c_str(), &wave), 1);
    platform::mmioClose(wave.file, 0);
    EXPECT_EQ(wave.format.nChannels, 2);
    EXPECT_EQ(wave.format.wBitsPerSample, 16);
    EXPECT_EQ(wave.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(wave.data.cksize, 4 * (2 * sizes.PassFrames() + 2 * 22050));

    // The confirmation goes after two seconds; a second press in the same
    // minute takes the next name.
    Frames(51);
    EXPECT_FALSE(den->keeper->PictureShown());
    PressKeep();
    FramesWhileRendering();
    EXPECT_EQ(FilesUnder(folder).size(), 2u);
    EXPECT_TRUE(fs::exists(folder / screens::BandFileNames(platform::CalendarNow())[1]));
}

TEST_F(BandExportTest, TheLiveSongIsTheSameSampleForSampleWhileTheBandIsKept) {
    MemberWord(1) = 0;
    MemberWord(4) = 3;
    const std::vector<int16_t> plain = LiveOutput(120, false);
    const std::vector<int16_t> keeping = LiveOutput(120, true);
    ASSERT_GT(plain.size(), 120u * 40 * 22050 / 1000);
    ASSERT_TRUE(std::any_of(plain.begin(), plain.end(), [](int16_t v) { return v != 0; })) << "the band plays";
    // The den opened a second time starts its song at another place in the
    // card's buffer; apart from that the two runs must agree throughout.
    EXPECT_TRUE(SameStreamShifted(plain, keeping, 1 << 16));
    EXPECT_EQ(FilesUnder(music_).size(), 1u);
}

TEST_F(BandExportTest, AFolderThatCannotBeWrittenShowsTheFailureLeavesNothingAndTheDenGoesOn) {
    MemberWord(2) = 4;
    std::ofstream(music_ / "blocker") << "a file where the folder should be";
    ::setenv("TUNEWANDER_MUSIC_DIR", (music_ / "blocker").c_str(), 1);
    ASSERT_EQ(Open(), 1);
    PressKeep();
    FramesWhileRendering();
    EXPECT_EQ(den->keeper->LastOutcome(), BandExport::Outcome::Failed);
    EXPECT_TRUE(den->keeper->PictureShown());
    EXPECT_EQ(FilesUnder(music_), std::vector<std::string>{"blocker"});

    // A disk that fills up half way: nothing is left in the folder either.
    ::setenv("TUNEWANDER_MUSIC_DIR", (music_ / "full").c_str(), 1);
    platform::headless::FailUserFileWritesAfter(100000);
    PressKeep();
    FramesWhileRendering();
    platform::headless::FailUserFileWritesAfter(-1);
    EXPECT_EQ(den->keeper->LastOutcome(), BandExport::Outcome::Failed);
    EXPECT_EQ(FilesUnder(music_ / "full").size(), 0u);

    // The den plays on and the key works again.
    const int32_t frames = den->frames;
    Frames(60);
    EXPECT_EQ(den->frames, frames + 60);
    EXPECT_FALSE(den->keeper->PictureShown());
    PressKeep();
    Frames(1);
    EXPECT_TRUE(den->keeper->Rendering());
}

TEST_F(BandExportTest, WithNobodyPlayingNothingIsWritten) {
    MemberWord(0) = 6;  // joined, plays nothing
    ASSERT_EQ(Open(), 1);
    PressKeep();
    Frames(1);
    EXPECT_EQ(den->keeper->LastOutcome(), BandExport::Outcome::NotYet);
    EXPECT_FALSE(den->keeper->Rendering());
    EXPECT_FALSE(den->keeper->PictureShown());
    EXPECT_TRUE(FilesUnder(music_).empty());
    EXPECT_EQ(game.input.lastCharacter, 0) << "the key is used up";
}

}  // namespace
