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
    constexpr size_t kDepth = 100000;
    std::vector<uint8_t> nest;
    nest.reserve(kDepth * 12);
    for (size_t level = 0; level < kDepth; ++level) {
        faults::PutTag(nest, "LIST");
        faults::Put32(nest, uint32_t((kDepth - level) * 12 - 8));
        faults::PutTag(nest, "rec ");
    }
    avi::AviFile file;
    std::string why;
    std::vector<uint8_t> bytes;
    const std::vector<uint8_t> movie = [&] {
        std::vector<uint8_t> m;
        faults::PutTag(m, "LIST");
        faults::Put32(m, uint32_t(4 + nest.size()));
        faults::PutTag(m, "movi");
        m.insert(m.end(), nest.begin(), nest.end());
        return m;
    }();
    // The headers of a one-pixel movie come first, so that the movie list
    // is read at all.
    std::vector<uint8_t> headers;
    {
        std::vector<uint8_t> avih(56, 0);
        avih[0] = 0x40;  // 40000 us a frame
        avih[1] = 0x9C;
        std::vector<uint8_t> strh(56, 0);
        std::memcpy(strh.data(), "vids", 4);
        strh[20] = 1;  // scale 1
        strh[24] = 25;  // rate 25
        std::vector<uint8_t> strf(40 + 4, 0);
        strf[0] = 40;
        strf[4] = 1;   // width 1
        strf[8] = 1;   // height 1
        strf[12] = 1;  // planes
        strf[14] = 8;  // bits
        strf[32] = 1;  // one colour
        std::vector<uint8_t> strl;
        faults::PutTag(strl, "LIST");
        faults::Put32(strl, uint32_t(4 + 8 + strh.size() + 8 + strf.size()));
        faults::PutTag(strl, "strl");
        faults::PutTag(strl, "strh");
        faults::Put32(strl, uint32_t(strh.size()));
        strl.insert(strl.end(), strh.begin(), strh.end());
        faults::PutTag(strl, "strf");
        faults::Put32(strl, uint32_t(strf.size()));
        strl.insert(strl.end(), strf.begin(), strf.end());
        faults::PutTag(headers, "LIST");
        faults::Put32(headers, uint32_t(4 + 8 + avih.size() + strl.size()));
        faults::PutTag(headers, "hdrl");
        faults::PutTag(headers, "avih");
        faults::Put32(headers, uint32_t(avih.size()));
        headers.insert(headers.end(), avih.begin(), avih.end());
        headers.insert(headers.end(), strl.begin(), strl.end());
    }
    faults::PutTag(bytes, "RIFF");
    faults::Put32(bytes, uint32_t(4 + headers.size() + movie.size()));
    faults::PutTag(bytes, "AVI ");
    bytes.insert(bytes.end(), headers.begin(), headers.end());
    bytes.insert(bytes.end(), movie.begin(), movie.end());
    why.clear();
    EXPECT_EQ(avi::ParseAvi(bytes, &file, &why), 0);
    EXPECT_EQ(why, "record lists nested too deeply");
}

}  // namespace
