#include <gtest/gtest.h>

#include <optional>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/internal/hooks.h"
#include "platform/messages.h"
#include "platform/mmtimer.h"
#include "platform/platform.h"
#include "window_test_support.h"

using namespace platform;

TEST(Window, ClassAndWindowRules) {
    ScopedHeadless headless;
    WNDCLASS nameless;
    nameless.lpfnWndProc = RecordingProcedure;
    EXPECT_EQ(RegisterClass(nameless), 0);
    EXPECT_EQ(CreateWindowEx(0, "Unknown", "x", WS_POPUP, 0, 0, 0, 0), nullptr);

    HWND window = MakeGameWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(RecordedMessages().empty());
    EXPECT_EQ(RecordedMessages().front().message, WM_CREATE);
    // Only one top-level window.
    EXPECT_EQ(CreateWindowEx(0, "Tunewander", "Tunewander", WS_POPUP, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(FindWindow("tunewander", "Tunewander"), window);

    EXPECT_EQ(GetWindowStyle(window), WS_POPUP | WS_SYSMENU);
    SetWindowStyle(window, WS_CAPTION | WS_THICKFRAME);
    EXPECT_EQ(GetWindowStyle(window), WS_CAPTION | WS_THICKFRAME);
    ASSERT_EQ(MoveWindow(window, 100, 50, 600, 400), 1);
    RECT client, outer;
    ASSERT_EQ(GetClientRect(window, &client), 1);
    EXPECT_EQ(client, (RECT{0, 0, 600, 400}));
    ASSERT_EQ(GetWindowRect(window, &outer), 1);
    EXPECT_EQ(outer, (RECT{100, 50, 700, 450}));
    POINT p{10, 20};
    ASSERT_EQ(ClientToScreen(window, &p), 1);
    EXPECT_EQ(p, (POINT{110, 70}));
    const auto moved = DrainMessages();
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0].message, WM_MOVE);
    EXPECT_EQ(moved[0].lParam, LPARAM(100 | (50 << 16)));
    EXPECT_EQ(moved[1].message, WM_SIZE);
    EXPECT_EQ(moved[1].lParam, LPARAM(600 | (400 << 16)));
    EXPECT_GT(GetSystemMetricsScreenWidth(), 0);
}

TEST(MessageQueue, KeepsOrderFiltersAndDispatches) {
    ScopedHeadless headless;
    HWND window = MakeGameWindow();
    PostMessage(window, WM_KEYDOWN, 1, 0);
    PostMessage(window, WM_CHAR, 'a', 0);
    PostMessage(window, MM_MCINOTIFY, 1, 5);
    MSG msg;
    // Peek without removing, then a filtered take out of order.
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE));
    EXPECT_EQ(msg.lParam, 5);
    RecordedMessages().clear();
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    ASSERT_EQ(RecordedMessages().size(), 2u);
    EXPECT_EQ(RecordedMessages()[0].message, WM_KEYDOWN);
    EXPECT_EQ(RecordedMessages()[1].message, WM_CHAR);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    // Another window's handle is refused.
    EXPECT_EQ(PostMessage(reinterpret_cast<HWND>(&msg), WM_CHAR, 0, 0), 0);
}

TEST(MessageQueue, CloseDestroysTheWindowAndTheGameQuits) {
    ScopedHeadless headless;
    HWND window = MakeGameWindow();
    PostMessage(window, WM_CHAR, 'x', 0);
    headless::RequestClose();
    headless::RequestClose();  // a second click while the first waits changes nothing
    MSG msg;
    std::vector<UINT> seen;
    int exitCode = -1;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            exitCode = int(msg.wParam);
            break;
        }
        seen.push_back(msg.message);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(seen, (std::vector<UINT>{WM_CHAR, WM_CLOSE}));
    EXPECT_EQ(exitCode, 7);
    std::vector<UINT> handled;
    for (const Recorded& r : RecordedMessages()) handled.push_back(r.message);
    EXPECT_EQ(handled, (std::vector<UINT>{WM_CREATE, WM_CHAR, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(FindWindow("Tunewander", "Tunewander"), nullptr);
    EXPECT_EQ(DestroyWindow(window), 0);  // already gone
}

TEST(MessageQueue, DestroyDropsMessagesForTheWindow) {
    ScopedHeadless headless;
    HWND window = MakeGameWindow();
    PostMessage(window, WM_CHAR, 'x', 0);
    PostMessage(nullptr, WM_NULL, 3, 0);
    ASSERT_EQ(DestroyWindow(window), 1);
    const auto left = DrainMessages();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].message, WM_NULL);
    EXPECT_EQ(left[1].message, WM_QUIT);
}

TEST(WaitMessage, HeadlessMovesTheClockToTheNextScheduledThing) {
    ScopedHeadless headless;
    HWND window = MakeGameWindow();
    EXPECT_EQ(WaitMessage(), 0);  // nothing scheduled: back at once
    EXPECT_EQ(timeGetTime(), 0u);

    std::optional<uint32_t> frameAt = 300;
    int pumps = 0;
    const int source = internal::AddDeadlineSource([&] { return frameAt; });
    const int hook = internal::AddPumpHook([&] {
        ++pumps;
        if (frameAt && timeGetTime() >= *frameAt) {
            PostMessage(window, MM_MCINOTIFY, 1, 1);
            frameAt.reset();
        }
    });
    std::string error;
    ASSERT_EQ(headless::LoadScript("wait 500\nkey a\n", &error), 1) << error;

    EXPECT_EQ(WaitMessage(), 1);
    EXPECT_EQ(timeGetTime(), 300u);
    auto messages = DrainMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, MM_MCINOTIFY);

    EXPECT_EQ(WaitMessage(), 1);
    EXPECT_EQ(timeGetTime(), 500u);
    messages = DrainMessages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_TRUE(headless::ScriptFinished());
    EXPECT_GT(pumps, 0);

    // A waiting message returns at once without moving the clock.
    PostMessage(window, WM_NULL, 0, 0);
    timeSetEvent(1000, 1, [](UINT, UINT, uintptr_t, uintptr_t, uintptr_t) {}, 0, TIME_ONESHOT);
    EXPECT_EQ(WaitMessage(), 1);
    EXPECT_EQ(timeGetTime(), 500u);
    DrainMessages();
    EXPECT_EQ(WaitMessage(), 1);  // the timer event is the next thing
    EXPECT_EQ(timeGetTime(), 1500u);
    internal::RemoveDeadlineSource(source);
    internal::RemovePumpHook(hook);
    EXPECT_EQ(WaitMessage(), 0);
}

TEST(WaitMessage, HooksMayRemoveThemselves) {
    ScopedHeadless headless;
    int calls = 0;
    int id = 0;
    id = internal::AddPumpHook([&] {
        ++calls;
        internal::RemovePumpHook(id);
    });
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(calls, 1);
}
