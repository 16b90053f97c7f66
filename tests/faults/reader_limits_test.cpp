// Readers meet files that are not what they claim: pipes, devices and
// folders in a file's place, sizes larger than the bytes present, lists
// nested without end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "audio/sequencer.h"
#include "audio/wave_file.h"
#include "faults_support.h"
#include "platform/avi_format.h"
#include "platform/avi_reader.h"
#include "platform/avi_writer.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "platform/riff.h"
#include "shell/prefs_file.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

class ReaderLimits : public ::testing::Test {
protected:
    ScopedHeadless headless_{1};
    test_support::ScratchDir dir_;
};

TEST_F(ReaderLimits, OnlyRegularFilesOpenForReading) {
    const fs::path fifo = dir_.Path() / "song.xmi";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir_.Path() / "zero.bmp");
    fs::create_directories(dir_.Path() / "folder.xmi");
    ASSERT_TRUE(faults::WriteText(dir_.Path() / "plain.txt", "x"));

    // A FIFO without a writer would block the open for ever; a device or a
    // folder would be read without end or with a nonsense size.
    for (const char* name : {"song.xmi", "zero.bmp", "folder.xmi"}) {
        EXPECT_EQ(OpenFile(name, "rb"), nullptr) << name;
        std::vector<uint8_t> bytes;
        EXPECT_EQ(ReadWholeFile(name, &bytes), 0) << name;
    }
    FILE* plain = OpenFile("plain.txt", "rb");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(FileSize(plain), 1);
    std::fclose(plain);

    // The readers behind the game's files refuse them the same way.
    Sequencer sequencer(nullptr, nullptr);
    EXPECT_EQ(sequencer.SQ_LoadSequenceFile("folder.xmi"), 0);
    EXPECT_EQ(sequencer.SQ_LoadSequenceFile("song.xmi"), 0);
    shell::PrefsFile prefs;
    EXPECT_EQ(prefs.Read("song.xmi"), 0);
    std::string error;
    EXPECT_EQ(headless::LoadScriptFile(fifo.string(), &error), 0);
    EXPECT_NE(error.find("song.xmi"), std::string::npos) << error;
}

// A 44-byte WAVE whose data chunk claims 2 GB: refused before anything is
// allocated for the samples, with the box for unreadable data.
TEST_F(ReaderLimits, WaveDataLargerThanTheFileIsRefused) {
    std::vector<uint8_t> wave;
    faults::PutTag(wave, "RIFF");
    faults::Put32(wave, 36);
    faults::PutTag(wave, "WAVE");
    faults::PutTag(wave, "fmt ");
    faults::Put32(wave, 16);
    for (uint32_t v : {0x00010001u, 22050u, 44100u, 0x00100002u}) faults::Put32(wave, v);
    faults::PutTag(wave, "data");
    faults::Put32(wave, 0x80000000u);
    ASSERT_EQ(wave.size(), 44u);
    ASSERT_TRUE(faults::WriteBytes(dir_.Path() / "huge.wav", wave));
    headless::ClearMessageBoxLog();

    audio::OpenedWave opened;
    EXPECT_EQ(audio::OpenWave(nullptr, "huge.wav", &opened), 0);
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, " Error reading WAVE data");

    // The same file with its true size opens.
    wave[40] = wave[41] = wave[42] = wave[43] = 0;
    ASSERT_TRUE(faults::WriteBytes(dir_.Path() / "empty.wav", wave));
    ASSERT_EQ(audio::OpenWave(nullptr, "empty.wav", &opened), 1);
    EXPECT_EQ(opened.data.cksize, 0u);
    mmioClose(opened.file, 0);
}

// A valid movie whose record list holds a record list, and so on 100000
// times deep: refused with a reason, not followed until the stack runs out.
TEST_F(ReaderLimits, DeeplyNestedMovieListsAreRefused) {
    // A one-frame movie's headers, its own movie list replaced by the nest.
    avi::MovieDescription one;
    one.width = one.height = 1;
    one.frames.push_back({{0}, std::nullopt});
    std::vector<uint8_t> bytes = avi::WriteAvi(one);
    size_t movi = 0;
    while (movi + 4 <= bytes.size() && std::memcmp(&bytes[movi], "movi", 4) != 0) ++movi;
    ASSERT_LT(movi + 4, bytes.size());
    bytes.resize(movi - 8);  // up to the movie list's own header
    constexpr size_t kDepth = 100000;
    faults::PutTag(bytes, "LIST");
    faults::Put32(bytes, uint32_t(4 + kDepth * 12));
    faults::PutTag(bytes, "movi");
    for (size_t level = 0; level < kDepth; ++level) {
        faults::PutTag(bytes, "LIST");
        faults::Put32(bytes, uint32_t((kDepth - level) * 12 - 8));
        faults::PutTag(bytes, "rec ");
    }
    const uint32_t riff = uint32_t(bytes.size() - 8);
    std::memcpy(&bytes[4], &riff, 4);
    avi::AviFile file;
    std::string why;
    EXPECT_EQ(avi::ParseAvi(bytes, &file, &why), 0);
    EXPECT_EQ(why, "record lists nested too deeply");
}

}  // namespace
