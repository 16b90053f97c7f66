#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/dialogs.h"
#include "platform/headless.h"
#include "platform/internal/single_instance.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/system.h"
#include "temp_folder.h"
#include "window_test_support.h"

using namespace platform;

TEST(MessageBoxes, AreLoggedAndAnsweredByTheResponder) {
    ScopedHeadless headless;
    EXPECT_EQ(MessageBox(nullptr, "Key missing", "Startup Error", MB_OK | MB_ICONEXCLAMATION), IDOK);
    headless::SetMessageBoxResponder([](const headless::MessageBoxRecord& r) {
        return r.caption == "Insert disc" ? IDCANCEL : IDOK;
    });
    EXPECT_EQ(MessageBox(nullptr, "Please insert", "Insert disc", MB_OKCANCEL | MB_SETFOREGROUND), IDCANCEL);
    // A box with only OK cannot be answered Cancel.
    EXPECT_EQ(MessageBox(nullptr, "Only OK", "Insert disc", MB_OK), IDOK);
    const auto& log = headless::MessageBoxLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].text, "Key missing");
    EXPECT_EQ(log[0].flags, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(log[1].answer, IDCANCEL);
    EXPECT_EQ(log[2].answer, IDOK);
    headless::ClearMessageBoxLog();
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

TEST(SingleInstance, InjectedOtherCopyIsFoundAndAskedToTheFront) {
    ScopedHeadless headless;
    EXPECT_EQ(FindWindow("Tunewander", "Tunewander"), nullptr);
    headless::SetOtherInstanceRunning(true);
    HWND other = FindWindow("Tunewander", "Tunewander");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(SetForegroundWindow(other), 1);
    EXPECT_EQ(PostMessage(other, WM_CLOSE, 0, 0), 0);  // not ours to send to
}

TEST(SingleInstance, TwoHoldersOfTheLock) {
    TempFolder folder;
    internal::SingleInstance first(folder.Path(), "tunewander");
    internal::SingleInstance second(folder.Path(), "tunewander");
    EXPECT_FALSE(second.HeldElsewhere());
    ASSERT_TRUE(first.Acquire());
    EXPECT_TRUE(second.HeldElsewhere());
    EXPECT_FALSE(second.Acquire());
    EXPECT_TRUE(second.RequestForeground());
    EXPECT_TRUE(second.RequestForeground());
    EXPECT_EQ(first.TakeRequests(), 2);
    EXPECT_EQ(first.TakeRequests(), 0);
    first.Release();
    EXPECT_FALSE(second.HeldElsewhere());
    EXPECT_FALSE(second.RequestForeground());  // nobody listens any more
    EXPECT_TRUE(second.Acquire());
}

TEST(SingleInstance, AnotherProcessHoldingTheLockIsFoundThroughFindWindow) {
    TempFolder folder;
    setenv("TUNEWANDER_RUNTIME_DIR", folder.Path().c_str(), 1);
    int ready[2], quit[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(quit), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The first copy: a headless platform with the window (and the lock).
        ScopedHeadless headless;
        const bool made = MakeGameWindow() != nullptr;
        char c = made ? 'y' : 'n';
        if (write(ready[1], &c, 1) != 1) _exit(2);
        if (read(quit[0], &c, 1) != 1) _exit(3);
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the pump takes the requests
        _exit(headless::ForegroundRequests() == 1 ? 0 : 4);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    {
        ScopedHeadless headless;
        HWND other = FindWindow("Tunewander", "Tunewander");
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(SetForegroundWindow(other), 1);
    }
    c = 'q';
    ASSERT_EQ(write(quit[1], &c, 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    {
        ScopedHeadless headless;
        EXPECT_EQ(FindWindow("Tunewander", "Tunewander"), nullptr);  // the lock died with the process
    }
    unsetenv("TUNEWANDER_RUNTIME_DIR");
    for (int fd : {ready[0], ready[1], quit[0], quit[1]}) close(fd);
}

namespace {
std::vector<std::string> g_texts;
void CollectDebug(const char* text, void*) { g_texts.push_back(text); }
void CollectTrace(HWND, int failure, const char* text, void*) {
    g_texts.push_back(std::to_string(failure) + ":" + text);
}
}  // namespace

TEST(Diagnostics, SinksReceiveTheFormattedTexts) {
    g_texts.clear();
    SetDebugSink(CollectDebug, nullptr);
    SetTraceSink(CollectTrace, nullptr);
    OutputDebugString("loaded den.lnd\n");
    DebugTrace(nullptr, 1, "GPBlt:Blt failed err=%s", "Generic failure.");
    DebugTrace(nullptr, 0, "%d modes", 5);
    SetDebugSink(nullptr, nullptr);
    SetTraceSink(nullptr, nullptr);
    OutputDebugString("nowhere");
    DebugTrace(nullptr, 0, "nowhere");
    EXPECT_EQ(g_texts, (std::vector<std::string>{"loaded den.lnd\n", "1:GPBlt:Blt failed err=Generic failure.",
                                                 "0:5 modes"}));
}

TEST(Priorities, ClassesAreRememberedAndUnknownOnesRefused) {
    ScopedHeadless headless;
    EXPECT_EQ(SetPriorityClass(IDLE_PRIORITY_CLASS), 1);
    EXPECT_EQ(GetPriorityClass(), IDLE_PRIORITY_CLASS);
    EXPECT_EQ(SetPriorityClass(HIGH_PRIORITY_CLASS), 1);
    EXPECT_EQ(GetPriorityClass(), HIGH_PRIORITY_CLASS);
    EXPECT_EQ(SetPriorityClass(0x1234), 0);
    EXPECT_EQ(SetThreadPriority(THREAD_PRIORITY_IDLE), 1);
}
