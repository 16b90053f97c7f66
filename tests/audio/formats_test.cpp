// Reading RIFF chunks and song files, including damaged ones.
#include <cstring>

#include "audio/xmidi_format.h"
#include "audio_test_support.h"

using namespace platform;

namespace {

class RiffTest : public audio_test::HeadlessAudioTest {};

TEST_F(RiffTest, DescendsIntoWaveChunksAndStopsAtTruncatedOnes) {
    std::string path = dir_ / "tone.wav";
    ASSERT_TRUE(audio_test::WriteMonoWave(path, audio_test::Sine(440, 22050, 101)));
    HMMIO f = mmioOpen(path.c_str(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    ASSERT_NE(f, nullptr);
    MMCKINFO riff{}, fmt{}, data{};
    riff.fccType = MakeFourCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(f, &riff, nullptr, MMIO_FINDRIFF), 0u);
    data.ckid = MakeFourCC('d', 'a', 't', 'a');
    fmt.ckid = MakeFourCC('f', 'm', 't', ' ');
    ASSERT_EQ(mmioDescend(f, &fmt, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(fmt.cksize, 16u);
    ASSERT_EQ(mmioAscend(f, &fmt, 0), 0u);
    ASSERT_EQ(mmioDescend(f, &data, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(data.cksize, 202u);
    std::vector<char> bytes(400);
    EXPECT_EQ(mmioRead(f, bytes.data(), 202), 202);
    EXPECT_EQ(mmioRead(f, bytes.data(), 10), 0) << "nothing after the data";
    mmioClose(f, 0);

    // A file cut inside the format chunk: the search for "data" ends at the
    // end of the file instead of reading past it.
    std::vector<uint8_t> whole;
    {
        FILE* in = std::fopen(path.c_str(), "rb");
        whole.resize(300);
        whole.resize(std::fread(whole.data(), 1, whole.size(), in));
        std::fclose(in);
    }
    std::string cut = dir_ / "cut.wav";
    ASSERT_TRUE(audio_test::WriteBytes(cut, std::vector<uint8_t>(whole.begin(), whole.begin() + 30)));
    f = mmioOpen(cut.c_str(), nullptr, MMIO_READ);
    ASSERT_NE(f, nullptr);
    riff = MMCKINFO{};
    riff.fccType = MakeFourCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(f, &riff, nullptr, MMIO_FINDRIFF), 0u);
    data = MMCKINFO{};
    data.ckid = MakeFourCC('d', 'a', 't', 'a');
    EXPECT_EQ(mmioDescend(f, &data, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    mmioClose(f, 0);

    // A chunk whose length points far beyond the file.
    auto huge = whole;
    huge[16] = huge[17] = huge[18] = 0xFF;  // the "fmt " length
    std::string lying = dir_ / "lying.wav";
    ASSERT_TRUE(audio_test::WriteBytes(lying, huge));
    f = mmioOpen(lying.c_str(), nullptr, MMIO_READ);
    riff = MMCKINFO{};
    riff.fccType = MakeFourCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(f, &riff, nullptr, MMIO_FINDRIFF), 0u);
    EXPECT_EQ(mmioDescend(f, &data, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    mmioClose(f, 0);
    EXPECT_EQ(mmioOpen((dir_ / "missing.wav").c_str(), nullptr, MMIO_READ), nullptr);
}

TEST_F(RiffTest, AnOddSizedChunkIsFollowedByItsPadByteWhenSearchingAndAscending) {
    auto tag = [](std::vector<uint8_t>& out, const char* t, uint32_t size) {
        out.insert(out.end(), t, t + 4);
        for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(size >> (8 * b)));
    };
    std::vector<uint8_t> bytes;
    tag(bytes, "RIFF", 4 + 8 + 4 + 8 + 4);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E'});
    tag(bytes, "junk", 3);
    bytes.insert(bytes.end(), {'a', 'b', 'c', 0});  // three bytes and the pad
    tag(bytes, "data", 4);
    bytes.insert(bytes.end(), {1, 2, 3, 4});
    const std::string path = dir_ / "odd.wav";
    ASSERT_TRUE(audio_test::WriteBytes(path, bytes));
    for (bool ascend : {false, true}) {
        HMMIO f = mmioOpen(path.c_str(), nullptr, MMIO_READ);
        ASSERT_NE(f, nullptr);
        MMCKINFO riff{}, junk{}, data{};
        riff.fccType = MakeFourCC('W', 'A', 'V', 'E');
        ASSERT_EQ(mmioDescend(f, &riff, nullptr, MMIO_FINDRIFF), 0u);
        if (ascend) {
            junk.ckid = MakeFourCC('j', 'u', 'n', 'k');
            ASSERT_EQ(mmioDescend(f, &junk, &riff, MMIO_FINDCHUNK), 0u);
            EXPECT_EQ(junk.cksize, 3u);
            ASSERT_EQ(mmioAscend(f, &junk, 0), 0u);
        }
        data.ckid = MakeFourCC('d', 'a', 't', 'a');
        ASSERT_EQ(mmioDescend(f, &data, &riff, MMIO_FINDCHUNK), 0u) << ascend;
        EXPECT_EQ(data.cksize, 4u);
        char read[4] = {};
        EXPECT_EQ(mmioRead(f, read, 4), 4);
        EXPECT_EQ(read[3], 4) << ascend;
        mmioClose(f, 0);
    }
}

std::vector<uint8_t> OneNote(uint8_t program) {
    xmidi::XmidiSequence s;
    s.timbres = {{program, 0}};
    s.events = xmidi::EventWriter().Note(0, 60, 100, 10).Wait(10).End().Bytes();
    return xmidi::SequenceForm(s);
}

TEST(SongFile, FindsSequencesInFormAndCatFiles) {
    auto single = OneNote(1);
    EXPECT_EQ(xmidi::FindSequence(single.data(), single.size(), 0), 0);
    EXPECT_EQ(xmidi::FindSequence(single.data(), single.size(), 1), -1);

    xmidi::XmidiSequence a, b, c;
    a.events = xmidi::EventWriter().Program(0, 1).End().Bytes();
    b.events = xmidi::EventWriter().Program(0, 2).End().Bytes();
    c.events = xmidi::EventWriter().Program(0, 3).End().Bytes();
    auto file = xmidi::SongFile({a, b, c});
    ASSERT_TRUE(xmidi::TagIs(file.data(), "FORM")) << "a directory form comes first";
    long offsets[3];
    for (unsigned n = 0; n < 3; ++n) {
        offsets[n] = xmidi::FindSequence(file.data(), file.size(), n);
        ASSERT_GT(offsets[n], 0);
        auto chunks = xmidi::ScanForm(file.data() + offsets[n], file.size() - size_t(offsets[n]));
        ASSERT_GE(chunks.events, 0);
        // The program number tells the sequences apart: file order.
        EXPECT_EQ(file[size_t(offsets[n] + chunks.events + 9)], n + 1);
    }
    EXPECT_EQ(xmidi::FindSequence(file.data(), file.size(), 3), -1);

    auto riff = file;
    std::memcpy(riff.data(), "RIFF", 4);
    EXPECT_EQ(xmidi::FindSequence(riff.data(), riff.size(), 0), -1) << "neither FORM nor CAT";
}

TEST(SongFile, APassLastsTheIntervalsUpToTheEndEventAndNotTheNotesOrDataBytes) {
    xmidi::XmidiSequence s;
    // A long note's duration and a text's bytes look like intervals; they
    // are not. What follows the end event is not played.
    s.events = xmidi::EventWriter()
                   .Note(0, 60, 100, 300)
                   .Meta(1, {0x10, 0x20})
                   .Wait(200)
                   .Program(1, 5)
                   .Controller(0, 7, 100)
                   .Wait(40)
                   .End()
                   .Wait(90)
                   .Bytes();
    const auto form = xmidi::SequenceForm(s);
    EXPECT_EQ(xmidi::SequenceTicks(form.data(), form.size()), 240);
    // Cut inside the stream: what was read so far, never past the bytes.
    for (size_t size = 0; size < form.size(); ++size) EXPECT_LE(xmidi::SequenceTicks(form.data(), size), 240);
}

TEST(SongFile, DamagedFilesFailCleanly) {
    xmidi::XmidiSequence a, b;
    a.events = xmidi::EventWriter().Note(0, 60, 100, 4).Wait(4).End().Bytes();
    b = a;
    auto file = xmidi::SongFile({a, b});
    // Every truncation either finds fewer sequences or none, and scanning what
    // is found stays inside the bytes (the sanitizer build checks the reads).
    for (size_t size = 0; size < file.size(); ++size) {
        std::vector<uint8_t> part(file.begin(), file.begin() + long(size));
        for (unsigned n = 0; n < 3; ++n) {
            long at = xmidi::FindSequence(part.data(), part.size(), n);
            if (at < 0) continue;
            auto chunks = xmidi::ScanForm(part.data() + at, part.size() - size_t(at));
            if (chunks.events >= 0) {
                EXPECT_LE(size_t(at + chunks.events + 8) + chunks.eventBytes, part.size());
            }
        }
    }
    // A length field of 0xFFFFFFFF in the directory form.
    auto corrupt = file;
    corrupt[4] = corrupt[5] = corrupt[6] = corrupt[7] = 0xFF;
    EXPECT_EQ(xmidi::FindSequence(corrupt.data(), corrupt.size(), 0), -1);

    uint32_t value = 0;
    size_t pos = 0;
    const uint8_t longest[] = {0x81, 0x80, 0x80, 0xFF, 0x05};
    ASSERT_TRUE(xmidi::ReadVarLen(longest, sizeof longest, &pos, &value));
    EXPECT_EQ(pos, 4u) << "the fourth byte ends a number whatever its top bit";
    EXPECT_EQ(value, (1u << 21) | 0x7F);
    pos = 0;
    EXPECT_FALSE(xmidi::ReadVarLen(longest, 2, &pos, &value));
}

}  // namespace
