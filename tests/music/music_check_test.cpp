// The music's targets, measured by the music check tool on the generated
// data: harmony, balance, form, the easy level's tune and the registers.
#include "assetgen/music_songs.h"
#include "music_check/capture_check.h"
#include "music_check/song_check.h"
#include "music_test_support.h"
#include "world/land_files.h"
#include "world/land_record.h"

namespace {

using music_check::SongReport;
using music_test::DataFolderTest;
using Role = assetgen::music::Role;

// Every song checked once (the loudness renders take a few seconds).
const std::vector<SongReport>& Reports() {
    static const std::vector<SongReport> reports = [] {
        std::vector<SongReport> all;
        for (const auto& plan : assetgen::music::AllSongs()) all.push_back(music_check::CheckSong(plan));
        return all;
    }();
    return reports;
}

// One test, because measuring every song (the loudness renders) takes the
// better part of a minute and each test runs in a process of its own.
TEST_F(DataFolderTest, TheSongsMeetTheirTargets) {
    {
        SCOPED_TRACE("harmony lines sit on chord tones and random mixes rarely clash");
        for (const SongReport& r : Reports()) {
            SCOPED_TRACE(r.file);
            EXPECT_LE(r.clashRate, 0.01);
            EXPECT_GE(r.keyConformity, 0.85);  // the blues keeps its blue notes
            for (const auto& part : r.parts) {
                if (part.role == Role::kLine) {
                    EXPECT_EQ(part.beatsOffChord, 0) << part.name;
                }
            }
        }
    }
    {
        SCOPED_TRACE("parts are balanced by short-term loudness");
        for (const SongReport& r : Reports()) {
            SCOPED_TRACE(r.file);
            EXPECT_LE(r.loudnessSpreadDb, 6.0);
            if (r.isBand) {
                EXPECT_LE(r.memberSpreadDb, 4.0);
            }
            for (const auto& part : r.parts) EXPECT_GT(part.loudnessDb, -40.0) << part.name;
        }
    }
    {
        SCOPED_TRACE("every song has a second section and its parts loop together");
        for (const SongReport& r : Reports()) {
            SCOPED_TRACE(r.file);
            EXPECT_TRUE(r.loopsTogether);
            EXPECT_GE(r.loopSeconds, 30.0);
            EXPECT_LE(r.loopSeconds, 60.0);
        }
    }
    {
        SCOPED_TRACE("the icons of every easy land include a tune");
        for (int land = 0; land < 6; ++land) {
            std::string level, song;
            EXPECT_TRUE(world::LevelFiles(land, 1, &level, &song));
            const std::string file = song.substr(song.find_last_of('\\') + 1);
            const int icons = world::IconCount(land, 1);
            bool tune = false;
            for (const SongReport& r : Reports())
                if (r.file == file)
                    for (int n = 0; n < icons && n < int(r.parts.size()); ++n) tune |= r.parts[size_t(n)].role == Role::kTune;
            EXPECT_TRUE(tune) << "land " << land << ": none of the first " << icons << " parts of " << file;
        }
    }
    {
        SCOPED_TRACE("bass stays above E1 and no sample is stretched beyond an octave");
        for (const SongReport& r : Reports())
            for (const auto& part : r.parts) {
                if (!part.pitched) continue;
                SCOPED_TRACE(r.file + " " + part.name);
                EXPECT_GE(part.lowest, music_check::kLowestBassNote);
                EXPECT_LE(part.stretchDown, 12);
                EXPECT_LE(part.stretchUp, 12);
            }
    }
}

// The check itself: a planted semitone against the chord is a clash, the
// same interval between two chord tones (a seventh chord's) is not.
TEST(MusicCheck, ClashesNeedANoteOutsideTheChord) {
    const auto frame = assetgen::music::MakeFrame(60, assetgen::music::kMajor, 20, 8, 8, "I Imaj7");
    EXPECT_TRUE(music_check::detail::Clash(frame, frame.chords[0], 64, 65));   // E against F over C
    EXPECT_FALSE(music_check::detail::Clash(frame, frame.chords[0], 64, 67));  // a third
    const auto seventh = assetgen::music::ParseChord("Imaj7");
    EXPECT_FALSE(music_check::detail::Clash(frame, seventh, 71, 72));  // B and C, both in Cmaj7
}

TEST(MusicCheck, CaptureLevelsCountClippedSamples) {
    std::vector<int16_t> frames(22050 * 2, 0);
    for (size_t i = 0; i < frames.size(); ++i) frames[i] = int16_t(i % 2 ? 16384 : -16384);
    frames[10] = 32767;
    frames[11] = -32768;
    const auto c = music_check::MeasureCapture(frames, 22050);
    EXPECT_EQ(c.clipped, 2);
    EXPECT_NEAR(c.peakDb, 0.0, 0.01);
    EXPECT_NEAR(c.rmsDb, -6.02, 0.05);
    EXPECT_NEAR(c.seconds, 1.0, 1e-9);
}

}  // namespace
