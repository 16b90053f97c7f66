// The generator's two start-up movies, written and played back through the
// game's own movie device.
#include "assetgen/generators.h"
#include "assetgen/movies_palette.h"
#include "assetgen/sound_dsp.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "movies/movie_fixtures.h"
#include "platform/avi_reader.h"
#include "platform/clock.h"
#include "platform/mci.h"
#include "platform/messages.h"
#include "platform/platform.h"

namespace {

using namespace platform;

LRESULT QuietProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

TEST(GeneratedMovies, AreDeterministicValidAndOfTheRightLength) {
    movies_test::ScratchDir scratch;
    ASSERT_EQ(assetgen::WriteMovies((scratch.Path() / "one").string()), 1);
    ASSERT_EQ(assetgen::WriteMovies((scratch.Path() / "two").string()), 1);
    const struct {
        const char* name;
        uint64_t durationMs;
        bool sound;
    } movies[] = {{"logo.avi", 3000, false}, {"movie.avi", 6000, true}};
    for (const auto& m : movies) {
        SCOPED_TRACE(m.name);
        const std::vector<uint8_t> bytes = movies_test::ReadBytes(scratch.Path() / "one" / "Movie" / m.name);
        EXPECT_EQ(bytes, movies_test::ReadBytes(scratch.Path() / "two" / "Movie" / m.name));
        EXPECT_LT(bytes.size(), 2u << 20);

        avi::AviFile file;
        std::string error;
        ASSERT_EQ(avi::ParseAvi(bytes, &file, &error), 1) << error;
        EXPECT_TRUE(file.rle8);
        EXPECT_EQ(file.width, 320);
        EXPECT_EQ(file.height, 240);
        EXPECT_NEAR(double(file.Duration()) / 1000.0, double(m.durationMs), 1.0);
        EXPECT_EQ(file.hasSound, m.sound);
        if (m.sound) {
            EXPECT_EQ(file.sound.samplesPerSec, 22050);
            EXPECT_EQ(file.sound.bitsPerSample, 16);
            EXPECT_EQ(file.pcm.size(), size_t(22050 * 2 * m.durationMs / 1000));
            // The jingle is on the game's loudness scale, not far above play.
            assetgen::dsp::Signal jingle;
            for (size_t i = 0; i + 1 < file.pcm.size(); i += 2)
                jingle.push_back(float(int16_t(file.pcm[i] | file.pcm[i + 1] << 8)) / 32768.0f);
            EXPECT_NEAR(assetgen::dsp::LoudnessDb(jingle), assetgen::dsp::kForegroundLoudnessDb, 1.5);
        }

        // It fades in from black, shows something, and moves.
        avi::FrameDecoder decoder(file);
        ASSERT_TRUE(decoder.DecodeNext());
        const std::vector<uint8_t> first(decoder.pixels(), decoder.pixels() + 320 * 240);
        for (int c = 0; c < 256; ++c) EXPECT_EQ(decoder.palette()[c].red, 0) << c;
        while (decoder.decoded() < file.frames.size() / 2) ASSERT_TRUE(decoder.DecodeNext());
        const std::vector<uint8_t> middle(decoder.pixels(), decoder.pixels() + 320 * 240);
        EXPECT_NE(first, middle);
        // Backdrop ramps sit below the figures' colours (paw, dog, notes, letters).
        const long figures = std::count_if(middle.begin(), middle.end(),
                                           [](uint8_t p) { return p >= assetgen::movie_palette::kWhite; });
        EXPECT_GT(figures, 320 * 240 / 20);
    }
}

TEST(GeneratedMovies, TheLogoPlaysThroughTheMovieDeviceInThreeSeconds) {
    ScopedHeadless headless;
    movies_test::ScratchDir scratch;
    ASSERT_EQ(assetgen::WriteMovies(scratch.Path().string()), 1);
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = QuietProc;
    windowClass.lpszClassName = "Tunewander";
    ASSERT_EQ(RegisterClass(windowClass), 1);
    HWND window = CreateWindowEx(0, "Tunewander", "Tunewander", WS_POPUP, 0, 0, 640, 480);
    ASSERT_NE(window, nullptr);

    MCI_OPEN_PARMS open;
    open.lpstrDeviceType = "avivideo";
    open.lpstrElementName = ".\\Movie\\logo.avi";
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, &open), 0u);
    MCI_PLAY_PARMS play;
    play.dwCallback = reinterpret_cast<uintptr_t>(window);
    const uint32_t start = timeGetTime();
    ASSERT_EQ(mciSendCommand(open.wDeviceID, MCI_PLAY, MCI_NOTIFY | MCI_MCIAVI_PLAY_FULLSCREEN, &play), 0u);
    int notifications = 0;
    for (int waits = 0; waits < 200 && notifications == 0; ++waits) {
        WaitMessage();
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == MM_MCINOTIFY) ++notifications;
    }
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(timeGetTime() - start, 3000u);
    MCI_GENERIC_PARMS close;
    EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_CLOSE, 0, &close), 0u);
}

}  // namespace
