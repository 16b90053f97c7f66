#include <gtest/gtest.h>

#include "movies/movie_fixtures.h"
#include "platform/avi_writer.h"
#include "platform/clock.h"
#include "platform/mci.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"

namespace {

using namespace platform;

LRESULT QuietProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

struct Notification {
    WPARAM code;
    LPARAM device;
};

// A headless platform with a window, the clock at 1000 ms and a 4-frame,
// 10-frames-a-second movie (frame i shows colour i + 1 in its top half).
class MoviePlayback : public ::testing::Test {
protected:
    void SetUp() override {
        manual_clock::Set(1000);
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = QuietProc;
        windowClass.lpszClassName = "Tunewander";
        ASSERT_EQ(RegisterClass(windowClass), 1);
        window = CreateWindowEx(0, "Tunewander", "Tunewander", WS_POPUP, 0, 0, 640, 480);
        ASSERT_NE(window, nullptr);
        movies_test::WriteBytes(scratch.Path() / "Movie/tiny.avi", avi::WriteAvi(movies_test::TinyMovie(4)));
        MCI_OPEN_PARMS open;
        open.lpstrDeviceType = "avivideo";
        open.lpstrElementName = ".\\Movie\\tiny.avi";
        ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, &open), 0u);
        device = open.wDeviceID;
    }
    void TearDown() override {
        MCI_GENERIC_PARMS close;
        mciSendCommand(device, MCI_CLOSE, 0, &close);
    }

    MCIERROR Play(DWORD flags = MCI_NOTIFY | MCI_MCIAVI_PLAY_FULLSCREEN) {
        MCI_BREAK_PARMS noBreak;
        EXPECT_EQ(mciSendCommand(device, MCI_BREAK, MCI_BREAK_OFF, &noBreak), 0u);
        MCI_PLAY_PARMS play;
        play.dwCallback = reinterpret_cast<uintptr_t>(window);
        return mciSendCommand(device, MCI_PLAY, flags, &play);
    }
    MCIERROR Send(UINT command) {
        MCI_GENERIC_PARMS parms;
        return mciSendCommand(device, command, 0, &parms);
    }
    // Pumps the queue and takes every notification waiting in it.
    std::vector<Notification> Pump() {
        std::vector<Notification> seen;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != MM_MCINOTIFY) continue;
            EXPECT_EQ(msg.hwnd, window);
            seen.push_back({msg.wParam, msg.lParam});
        }
        return seen;
    }
    void AdvanceTo(uint32_t ms) { manual_clock::Advance(ms - timeGetTime()); }
    // The movie frame on screen, told by the red of its top-left pixel.
    int ShownFrame() {
        const Screenshot shot = CaptureScreen();
        if (shot.width != 8 || shot.height != 8) return -1;
        const uint8_t bottom = shot.rgb[size_t(7 * 8 * 3)];
        EXPECT_EQ(bottom, 1) << "the bottom half is colour 200 (1, 2, 3)";
        return shot.rgb[0] - 1;
    }

    ScopedHeadless headless;
    movies_test::ScratchDir scratch;
    HWND window = nullptr;
    MCIDEVICEID device = 0;
};

TEST_F(MoviePlayback, FramesAppearOnTimeAndOneSuccessNotificationFollowsTheLast) {
    ASSERT_EQ(Play(), 0u);
    EXPECT_EQ(ShownFrame(), 0);
    const struct {
        uint32_t at;
        int frame;
    } timeline[] = {{1099, 0}, {1100, 1}, {1199, 1}, {1200, 2}, {1300, 3}, {1399, 3}};
    for (const auto& step : timeline) {
        AdvanceTo(step.at);
        EXPECT_TRUE(Pump().empty()) << "at " << step.at;
        EXPECT_EQ(ShownFrame(), step.frame) << "at " << step.at;
    }
    AdvanceTo(1400);
    const std::vector<Notification> seen = Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(seen[0].device, LPARAM(device));
    EXPECT_EQ(ShownFrame(), 3);  // the last picture stays
    AdvanceTo(5000);
    EXPECT_TRUE(Pump().empty());
    // The movie player's own stop and close after the end post nothing more.
    EXPECT_EQ(Send(MCI_STOP), 0u);
    EXPECT_TRUE(Pump().empty());
}

TEST_F(MoviePlayback, PlayingAcrossTheClockWrapKeepsTime) {
    manual_clock::Set(0xFFFFFFFFu - 150);
    ASSERT_EQ(Play(), 0u);
    AdvanceTo(0xFFFFFFFFu - 50);
    Pump();
    EXPECT_EQ(ShownFrame(), 1);
    AdvanceTo(49);  // 200 ms after the start
    EXPECT_TRUE(Pump().empty());
    EXPECT_EQ(ShownFrame(), 2);
    ASSERT_EQ(WaitMessage(), 1);
    EXPECT_EQ(timeGetTime(), 149u);
    Pump();
    EXPECT_EQ(ShownFrame(), 3);
    AdvanceTo(249);
    EXPECT_EQ(Pump().size(), 1u);
}

TEST_F(MoviePlayback, ALatePumpSkipsStraightToTheDueFrame) {
    ASSERT_EQ(Play(), 0u);
    AdvanceTo(1250);
    EXPECT_TRUE(Pump().empty());
    EXPECT_EQ(ShownFrame(), 2);
    AdvanceTo(9000);  // far past the end: the last picture is put up as it ends
    EXPECT_EQ(Pump().size(), 1u);
    EXPECT_EQ(ShownFrame(), 3);
}

TEST_F(MoviePlayback, HeadlessWaitsJumpFromFrameToFrame) {
    ASSERT_EQ(Play(), 0u);
    std::vector<uint32_t> wakes;
    std::vector<Notification> seen;
    while (seen.empty() && wakes.size() < 10) {
        ASSERT_EQ(WaitMessage(), 1);
        wakes.push_back(timeGetTime());
        seen = Pump();
    }
    EXPECT_EQ(wakes, (std::vector<uint32_t>{1100, 1200, 1300, 1400}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(WaitMessage(), 0);  // nothing is scheduled any more
}

TEST_F(MoviePlayback, StopOrCloseBeforeTheEndAbortInsteadOfSucceeding) {
    ASSERT_EQ(Play(), 0u);
    AdvanceTo(1150);
    Pump();
    EXPECT_EQ(Send(MCI_STOP), 0u);
    std::vector<Notification> seen = Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, MCI_NOTIFY_ABORTED);
    AdvanceTo(3000);
    EXPECT_TRUE(Pump().empty());
    EXPECT_EQ(ShownFrame(), 1);  // stopped where it was

    ASSERT_EQ(Play(), 0u);  // plays again from the start
    EXPECT_EQ(ShownFrame(), 0);
    AdvanceTo(3100);
    EXPECT_EQ(Send(MCI_CLOSE), 0u);
    seen = Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, MCI_NOTIFY_ABORTED);
    AdvanceTo(6000);
    EXPECT_TRUE(Pump().empty());
    EXPECT_EQ(Send(MCI_PLAY), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(Send(MCI_STOP), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(Send(MCI_CLOSE), MCIERR_INVALID_DEVICE_ID);
}

TEST_F(MoviePlayback, APlayReplacingANotifyingPlaySupersedesIt) {
    ASSERT_EQ(Play(), 0u);
    AdvanceTo(1200);
    ASSERT_EQ(Play(), 0u);
    std::vector<Notification> seen = Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, MCI_NOTIFY_SUPERSEDED);
    EXPECT_EQ(ShownFrame(), 0);
    AdvanceTo(1599);
    EXPECT_TRUE(Pump().empty());
    AdvanceTo(1600);
    seen = Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, MCI_NOTIFY_SUCCESSFUL);
}

TEST_F(MoviePlayback, WithoutNotifyNothingIsPostedAndWaitingPlaysAreRefused) {
    ASSERT_EQ(Play(MCI_MCIAVI_PLAY_FULLSCREEN), 0u);
    AdvanceTo(2000);
    EXPECT_TRUE(Pump().empty());
    EXPECT_EQ(ShownFrame(), 3);
    EXPECT_EQ(Play(MCI_NOTIFY | MCI_WAIT), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(Send(0x0999), MCIERR_UNRECOGNIZED_COMMAND);
}

TEST(CdAudioStrings, EveryCdCommandAnswersNoDeviceWithAnEmptyAnswer) {
    const char* commands[] = {
        "status cdaudio current track", "play cdaudio from 3 notify", "play cdaudio from 2 to 3 notify",
        "STATUS CDAudio mode",          "open cdaudio alias disc",   "play disc from 1",
        "open d: type cdaudio alias cd2", "close cd2",
    };
    for (const char* command : commands) {
        char answer[80];
        std::memset(answer, 'x', sizeof answer);
        EXPECT_EQ(mciSendString(command, answer, sizeof answer, nullptr), MCIERR_NO_DEVICE) << command;
        EXPECT_EQ(answer[0], '\0') << command;
    }
    EXPECT_EQ(mciSendString("play cdaudio", nullptr, 0, nullptr), MCIERR_NO_DEVICE);
    EXPECT_EQ(mciSendString("play video from 1", nullptr, 0, nullptr), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(mciSendString("", nullptr, 0, nullptr), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(mciSendString(nullptr, nullptr, 0, nullptr), MCIERR_UNRECOGNIZED_COMMAND);
}

}  // namespace
