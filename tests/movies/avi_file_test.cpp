#include <gtest/gtest.h>

#include "movies/movie_fixtures.h"
#include "platform/avi_reader.h"
#include "platform/avi_writer.h"
#include "platform/headless.h"
#include "platform/mci.h"
#include "platform/platform.h"

namespace {

using namespace platform;
using namespace platform::avi;
using movies_test::Find;
using movies_test::Put32;
using movies_test::TinyMovie;

AviFile Parse(const std::vector<uint8_t>& bytes) {
    AviFile file;
    std::string error;
    EXPECT_EQ(ParseAvi(bytes, &file, &error), 1) << error;
    return file;
}

bool Parses(const std::vector<uint8_t>& bytes) {
    AviFile file;
    return ParseAvi(bytes, &file, nullptr) == 1;
}

// Decodes every frame; returns them as top-down pictures.
std::vector<std::vector<uint8_t>> DecodeAll(const AviFile& file) {
    std::vector<std::vector<uint8_t>> frames;
    FrameDecoder decoder(file);
    while (decoder.DecodeNext())
        frames.emplace_back(decoder.pixels(), decoder.pixels() + size_t(file.width) * file.height);
    return frames;
}

TEST(AviFile, WriterMadeMovieReadsBackWithItsSizeRatePaletteAndFrames) {
    MovieDescription movie = TinyMovie(3);
    movie.rate = 25;
    movie.scale = 2;  // 12.5 frames a second
    const AviFile file = Parse(WriteAvi(movie));
    EXPECT_EQ(file.width, 8);
    EXPECT_EQ(file.height, 8);
    EXPECT_TRUE(file.rle8);
    EXPECT_EQ(file.frames.size(), 3u);
    EXPECT_EQ(file.microSecPerFrame, 80000u);
    EXPECT_EQ(file.Duration(), 240000u);
    EXPECT_EQ(file.palette[5], (PaletteEntry{5, 250, 7, 0}));
    EXPECT_EQ(file.palette[200], (PaletteEntry{1, 2, 3, 0}));
    EXPECT_FALSE(file.hasSound);
    const auto frames = DecodeAll(file);
    ASSERT_EQ(frames.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(frames[i], movie.frames[i].pixels) << "frame " << i;
}

TEST(AviFile, UncompressedFramesWithPaddedRowsComeOutTopDown) {
    MovieDescription movie = TinyMovie(2, 5, 3, /*rle8=*/false);
    movie.frames[1].pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const AviFile file = Parse(WriteAvi(movie));
    EXPECT_FALSE(file.rle8);
    const auto frames = DecodeAll(file);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], movie.frames[0].pixels);
    EXPECT_EQ(frames[1], movie.frames[1].pixels);
}

TEST(AviFile, PaletteChangesTakeEffectFromTheirFrameAndSoundIsCollected) {
    MovieDescription movie = TinyMovie(3);
    Palette bright = movie.palette;
    bright[1] = {250, 250, 250, 0};
    movie.frames[2].palette = bright;
    std::vector<uint8_t> pcm;
    for (int i = 0; i < 3001; ++i) pcm.push_back(uint8_t(i * 7));
    movie.sound = MovieSound{1, 11025, 8, pcm};  // odd-sized chunks, with pad bytes

    const AviFile file = Parse(WriteAvi(movie));
    FrameDecoder decoder(file);
    ASSERT_TRUE(decoder.DecodeNext());
    ASSERT_TRUE(decoder.DecodeNext());
    EXPECT_EQ(decoder.palette()[1], movie.palette[1]);
    ASSERT_TRUE(decoder.DecodeNext());
    EXPECT_EQ(decoder.palette()[1], (PaletteEntry{250, 250, 250, 0}));
    decoder.Rewind();
    EXPECT_EQ(decoder.palette()[1], movie.palette[1]);

    ASSERT_TRUE(file.hasSound);
    EXPECT_EQ(file.sound.channels, 1);
    EXPECT_EQ(file.sound.samplesPerSec, 11025);
    EXPECT_EQ(file.sound.bitsPerSample, 8);
    EXPECT_EQ(file.pcm, pcm);  // spread over the frames' chunks, and back in order
}

TEST(AviFile, TheIndexIsOptional) {
    const MovieDescription movie = TinyMovie(3);
    std::vector<uint8_t> bytes = WriteAvi(movie);
    const size_t idx1 = Find(bytes, "idx1");
    ASSERT_NE(idx1, std::string::npos);
    bytes.resize(idx1);
    Put32(bytes, 4, uint32_t(bytes.size() - 8));
    const auto frames = DecodeAll(Parse(bytes));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[2], movie.frames[2].pixels);
}

TEST(AviFile, EveryCutShortFileIsRefused) {
    MovieDescription movie = TinyMovie(3);
    movie.sound = MovieSound{1, 8000, 16, std::vector<uint8_t>(400, 9)};
    const std::vector<uint8_t> whole = WriteAvi(movie);
    ASSERT_TRUE(Parses(whole));
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        std::vector<uint8_t> part(whole.begin(), whole.begin() + ptrdiff_t(cut));
        AviFile file;
        std::string error;
        EXPECT_EQ(ParseAvi(part, &file, &error), 0) << "cut at " << cut;
        EXPECT_FALSE(error.empty());
    }
}

TEST(AviFile, CorruptHeadersAndFramesAreRefused) {
    const std::vector<uint8_t> good = WriteAvi(TinyMovie(3));
    const size_t strf = Find(good, "strf") + 8;  // the bitmap header
    const size_t strh = Find(good, "strh") + 8;
    const size_t avih = Find(good, "avih") + 8;
    const size_t frame = Find(good, "00dc");
    ASSERT_NE(frame, std::string::npos);
    auto with = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    EXPECT_FALSE(Parses(with([&](auto& b) { b[strf + 14] = 24; })));             // 24 bits a pixel
    EXPECT_FALSE(Parses(with([&](auto& b) { Put32(b, strf + 16, 2); })));        // RLE4
    EXPECT_FALSE(Parses(with([&](auto& b) { Put32(b, strf + 4, 0); })));         // no width
    EXPECT_FALSE(Parses(with([&](auto& b) { Put32(b, strf + 4, 100000); })));    // absurd width
    EXPECT_FALSE(Parses(with([&](auto& b) { Put32(b, strf + 8, uint32_t(-8)); })));  // top-down RLE8
    EXPECT_FALSE(Parses(with([&](auto& b) { Put32(b, strf + 32, 300); })));      // 300 colours
    EXPECT_FALSE(Parses(with([&](auto& b) { Put32(b, strf, 5000); })));          // header past its chunk
    EXPECT_FALSE(Parses(with([&](auto& b) {                                      // no rate anywhere
        Put32(b, strh + 20, 0);
        Put32(b, avih, 0);
    })));
    EXPECT_FALSE(Parses(with([&](auto& b) { Put32(b, frame + 4, 0x7FFFFFF0); })));  // chunk past the end
    EXPECT_FALSE(Parses(with([&](auto& b) {  // first frame's codes write past the picture
        b[frame + 8] = 200;
    })));
    EXPECT_FALSE(Parses(with([&](auto& b) { std::memcpy(&b[Find(b, "vids")], "txts", 4); })));  // no video
    // Without a stream rate, the main header's frame time is used.
    const AviFile file = Parse(with([&](auto& b) { Put32(b, strh + 20, 0); }));
    EXPECT_EQ(file.microSecPerFrame, 100000u);
}

TEST(AviFile, ArbitraryFieldDamageNeverReadsOutOfBounds) {
    // Every 32-bit word set to extreme values: the parser may accept or
    // refuse, but must stay within the data (the sanitizer build checks).
    MovieDescription movie = TinyMovie(2);
    movie.sound = MovieSound{1, 8000, 8, std::vector<uint8_t>(50, 128)};
    const std::vector<uint8_t> good = WriteAvi(movie);
    for (uint32_t value : {0u, 1u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu}) {
        for (size_t at = 0; at + 4 <= good.size(); at += 2) {
            std::vector<uint8_t> bytes = good;
            Put32(bytes, at, value);
            AviFile file;
            if (ParseAvi(bytes, &file, nullptr)) {
                FrameDecoder decoder(file);
                while (decoder.DecodeNext()) {
                }
                EXPECT_EQ(decoder.decoded(), file.frames.size()) << "a checked frame failed at " << at;
            }
        }
    }
}

class MovieDeviceOpen : public ::testing::Test {
protected:
    MCIERROR Open(const char* name, MCIDEVICEID* id = nullptr, const char* type = "avivideo") {
        MCI_OPEN_PARMS parms;
        parms.lpstrDeviceType = type;
        parms.lpstrElementName = name;
        const MCIERROR error = mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, &parms);
        if (!error) {
            opened.push_back(parms.wDeviceID);
            if (id) *id = parms.wDeviceID;
        }
        return error;
    }
    MCIERROR Close(MCIDEVICEID id) {
        MCI_GENERIC_PARMS parms;
        return mciSendCommand(id, MCI_CLOSE, 0, &parms);
    }
    void TearDown() override {
        for (MCIDEVICEID id : opened) Close(id);
    }

    ScopedHeadless headless;
    movies_test::ScratchDir scratch;
    std::vector<MCIDEVICEID> opened;
};

TEST_F(MovieDeviceOpen, MissingDamagedAndForeignFilesGiveTheirErrors) {
    EXPECT_EQ(Open(".\\Movie\\none.avi"), MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(Open("Q:\\Movie\\none.avi"), MCIERR_FILE_NOT_FOUND);
    std::filesystem::create_directories(scratch.Path() / "Movie/folder.avi");
    EXPECT_EQ(Open(".\\Movie\\folder.avi"), MCIERR_FILE_NOT_FOUND);
    movies_test::WriteBytes(scratch.Path() / "Movie/text.avi", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(Open(".\\Movie\\text.avi"), MCIERR_INVALID_FILE);
    movies_test::WriteBytes(scratch.Path() / "Movie/empty.avi", {});
    EXPECT_EQ(Open(".\\Movie\\empty.avi"), MCIERR_INVALID_FILE);

    // The parser refuses every cut (AviFile tests); the device reports it.
    const std::vector<uint8_t> whole = WriteAvi(TinyMovie(2));
    movies_test::WriteBytes(scratch.Path() / "Movie/cut.avi",
                            std::vector<uint8_t>(whole.begin(), whole.begin() + ptrdiff_t(whole.size() / 2)));
    EXPECT_EQ(Open(".\\Movie\\cut.avi"), MCIERR_INVALID_FILE);
    movies_test::WriteBytes(scratch.Path() / "Movie/good.avi", whole);
    EXPECT_EQ(Open(".\\Movie\\good.avi", nullptr, "waveaudio"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(Open(".\\Movie\\good.avi", nullptr, "cdaudio"), MCIERR_NO_DEVICE);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, nullptr),
              MCIERR_NULL_PARAMETER_BLOCK);
}

TEST_F(MovieDeviceOpen, NamesResolveAnyCaseWithBackslashesAndIdsCountFromOne) {
    movies_test::WriteBytes(scratch.Path() / "Movie/logo.avi", WriteAvi(TinyMovie(2)));
    MCIDEVICEID first = 0, second = 0, third = 0;
    ASSERT_EQ(Open(".\\MOVIE\\Logo.AVI", &first), 0u);
    ASSERT_EQ(Open((scratch.Path().string() + "/movie/LOGO.avi").c_str(), &second), 0u);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(Close(first), 0u);
    EXPECT_EQ(Close(first), MCIERR_INVALID_DEVICE_ID);
    ASSERT_EQ(Open(".\\movie\\logo.avi", &third), 0u);
    EXPECT_EQ(third, 1u);  // the lowest free id again

    // A disc in a CD-ROM drive is opened through its drive letter.
    movies_test::WriteBytes(scratch.Path() / "disc/MOVIE/Logo.avi", WriteAvi(TinyMovie(2)));
    headless::SetDrive('D', DRIVE_CDROM, (scratch.Path() / "disc").string());
    MCIDEVICEID fromDisc = 0;
    EXPECT_EQ(Open("D:\\Movie\\logo.avi", &fromDisc), 0u);
    EXPECT_EQ(fromDisc, 3u);
    EXPECT_EQ(Open("E:\\Movie\\logo.avi"), MCIERR_FILE_NOT_FOUND);

    // Without a type, the name's extension picks the device.
    MCI_OPEN_PARMS untyped;
    untyped.lpstrElementName = ".\\Movie\\logo.avi";
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, &untyped), 0u);
    opened.push_back(untyped.wDeviceID);
    EXPECT_EQ(untyped.wDeviceID, 4u);
}

}  // namespace
