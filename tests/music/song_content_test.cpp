// The ten songs as the game's song reader and sequencer see them.
#include "audio/sequencer.h"
#include "audio/virtual_synth.h"
#include "audio/xmidi_format.h"
#include "music_test_support.h"

namespace {

using music_test::DataFolderTest;

// What one sequence's event stream holds, walked byte by byte.
struct StreamFacts {
    bool startsWithTempo = false;
    bool endsWithEndOfTrack = false;
    uint64_t ticks = 0;        // sum of the interval bytes up to the end event
    int longestIntervalRun = 0;
    int notes = 0;
    int zeroDurations = 0;
    bool malformed = false;
};

StreamFacts WalkStream(const uint8_t* data, size_t size) {
    StreamFacts facts;
    const uint8_t tempo[] = {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
    facts.startsWithTempo = size >= 6 && std::equal(tempo, tempo + 6, data);
    size_t at = 0;
    int run = 0;
    while (at < size) {
        const uint8_t b = data[at++];
        if (b < 0x80) {
            facts.ticks += b;
            facts.longestIntervalRun = std::max(facts.longestIntervalRun, ++run);
            continue;
        }
        run = 0;
        uint32_t length = 0;
        switch (b & 0xF0) {
            case 0x90: {
                at += 2;
                if (!xmidi::ReadVarLen(data, size, &at, &length)) facts.malformed = true;
                ++facts.notes;
                if (length == 0) ++facts.zeroDurations;
                break;
            }
            case 0xC0: case 0xD0: at += 1; break;
            case 0xA0: case 0xB0: case 0xE0: at += 2; break;
            default:
                if (b == 0xFF) {
                    const uint8_t type = at < size ? data[at++] : 0;
                    if (!xmidi::ReadVarLen(data, size, &at, &length)) facts.malformed = true;
                    at += length;
                    if (type == 0x2F) {
                        facts.endsWithEndOfTrack = true;
                        return facts;
                    }
                } else {
                    facts.malformed = true;
                    return facts;
                }
        }
    }
    return facts;
}

// Every chunk of the file, at any depth, has an even length.
bool ChunksEven(const uint8_t* data, size_t size) {
    size_t at = 0;
    while (at + 8 <= size) {
        const uint32_t length = xmidi::ReadBe32(data + at + 4);
        if (length % 2 || at + 8 + length > size) return false;
        const bool container = xmidi::TagIs(data + at, "FORM") || xmidi::TagIs(data + at, "CAT ");
        if (container && !ChunksEven(data + at + 12, length - 4)) return false;
        at += 8 + length;
    }
    return at == size;
}

class SongFiles : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds_, nullptr), platform::DS_OK);
        synth_ = std::make_unique<VirtualSynth>(nullptr, ds_);
        ASSERT_EQ(synth_->LoadInstrumentLibrary(".\\seq\\wavelib.txt"), 1);
    }
    platform::IDirectSound* ds_ = nullptr;
    std::unique_ptr<VirtualSynth> synth_;
};

TEST_F(SongFiles, EverySongLoadsWithItsSequenceCountAndKnownInstruments) {
    platform::IDirectSound* ds = nullptr;
    ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds, nullptr), platform::DS_OK);
    Sequencer sequencer(nullptr, ds);
    for (const auto& song : music_test::Songs()) {
        SCOPED_TRACE(song.file);
        const std::string name = std::string(".\\seq\\") + song.file;
        ASSERT_EQ(sequencer.SQ_LoadSequenceFile(name.c_str()), 1);
        EXPECT_EQ(sequencer.SequenceCount(), uint32_t(song.sequences));
        sequencer.SQ_UnloadSequenceFile();

        const std::vector<uint8_t> bytes = music_test::ReadBytes(name);
        ASSERT_TRUE(xmidi::TagIs(bytes.data(), "FORM") && xmidi::TagIs(bytes.data() + 8, "XDIR"));
        // The directory's count agrees with the sequences.
        ASSERT_TRUE(xmidi::TagIs(bytes.data() + 12, "INFO"));
        EXPECT_EQ(bytes[20] | bytes[21] << 8, song.sequences);
        EXPECT_TRUE(ChunksEven(bytes.data(), bytes.size()));

        for (int n = 0; n < song.sequences; ++n) {
            SCOPED_TRACE("sequence " + std::to_string(n));
            const long form = xmidi::FindSequence(bytes.data(), bytes.size(), unsigned(n));
            ASSERT_GE(form, 0);
            const auto chunks = xmidi::ScanForm(bytes.data() + form, bytes.size() - size_t(form));
            ASSERT_GE(chunks.timbre, 0);
            ASSERT_GE(chunks.events, 0);
            const uint8_t* timb = bytes.data() + form + chunks.timbre + 8;
            const int count = timb[0] | timb[1] << 8;
            ASSERT_GT(count, 0);
            for (int i = 0; i < count; ++i) {
                const int program = timb[2 + 2 * i], bank = timb[3 + 2 * i];
                // Songs cannot change banks, so every instrument lives in bank 0.
                EXPECT_EQ(bank, 0);
                const Instrument* instrument = synth_->InstrumentAt(bank, program);
                EXPECT_TRUE(instrument && instrument->wave) << "program " << program << " is not in the library";
            }
        }
    }
}

TEST_F(SongFiles, EveryStreamIsWellFormedAndEndsExactlyAtTheSongsLoopLength) {
    for (const auto& song : music_test::Songs()) {
        SCOPED_TRACE(song.file);
        const std::vector<uint8_t> bytes = music_test::ReadBytes(std::string(".\\seq\\") + song.file);
        uint64_t loop = 0;
        for (int n = 0; n < song.sequences; ++n) {
            SCOPED_TRACE("sequence " + std::to_string(n));
            const long form = xmidi::FindSequence(bytes.data(), bytes.size(), unsigned(n));
            ASSERT_GE(form, 0);
            const auto chunks = xmidi::ScanForm(bytes.data() + form, bytes.size() - size_t(form));
            ASSERT_GE(chunks.events, 0);
            const StreamFacts facts = WalkStream(bytes.data() + form + chunks.events + 8, chunks.eventBytes);
            EXPECT_FALSE(facts.malformed);
            EXPECT_TRUE(facts.startsWithTempo);
            EXPECT_TRUE(facts.endsWithEndOfTrack);
            EXPECT_LE(facts.longestIntervalRun, 4);
            EXPECT_GT(facts.notes, 0) << "a silent part";
            EXPECT_EQ(facts.zeroDurations, 0);
            if (n == 0) loop = facts.ticks;
            EXPECT_EQ(facts.ticks, loop) << "parts would drift apart when they loop";
        }
        EXPECT_GE(loop, 120u * 8) << "loops of at least eight seconds";
    }
}

}  // namespace
