#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/internal/thread_timers.h"
#include "platform/mmtimer.h"
#include "platform/platform.h"

using namespace platform;

namespace {

struct Firing {
    UINT id;
    uint32_t at;
};
std::vector<Firing> g_firings;

void Record(UINT id, UINT, uintptr_t, uintptr_t, uintptr_t) { g_firings.push_back({id, timeGetTime()}); }

int CountFor(UINT id) {
    int n = 0;
    for (const Firing& f : g_firings) n += f.id == id;
    return n;
}

}  // namespace

TEST(ManualClock, PeriodicTimerFiresOncePerPeriodAtItsDeadline) {
    ScopedHeadless headless;
    g_firings.clear();
    manual_clock::Set(1000);
    const UINT id = timeSetEvent(50, 50, Record, 0, TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    manual_clock::Advance(1000);
    EXPECT_EQ(CountFor(id), 20);
    ASSERT_FALSE(g_firings.empty());
    EXPECT_EQ(g_firings.front().at, 1050u);
    EXPECT_EQ(g_firings.back().at, 2000u);
    EXPECT_EQ(timeGetTime(), 2000u);
    // Small steps fire the same events as one big step.
    for (int i = 0; i < 100; ++i) manual_clock::Advance(7);
    EXPECT_EQ(CountFor(id), 20 + 14);
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    manual_clock::Advance(1000);
    EXPECT_EQ(CountFor(id), 34);
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOCANDO);
}

TEST(ManualClock, EventsFireInDeadlineOrderAndOneShotsOnce) {
    ScopedHeadless headless;
    g_firings.clear();
    const UINT slow = timeSetEvent(30, 1, Record, 0, TIME_PERIODIC);
    const UINT fast = timeSetEvent(20, 1, Record, 0, TIME_PERIODIC);
    const UINT once = timeSetEvent(25, 1, Record, 0, TIME_ONESHOT);
    manual_clock::Advance(60);
    std::vector<std::pair<UINT, uint32_t>> order;
    for (const Firing& f : g_firings) order.push_back({f.id, f.at});
    // Equal deadlines: the older event first.
    EXPECT_EQ(order, (std::vector<std::pair<UINT, uint32_t>>{
                         {fast, 20}, {once, 25}, {slow, 30}, {fast, 40}, {slow, 60}, {fast, 60}}));
    EXPECT_EQ(timeKillEvent(once), TIMERR_NOCANDO);  // already over
}

TEST(ManualClock, InvalidEventsAreRefused) {
    ScopedHeadless headless;
    EXPECT_EQ(timeSetEvent(0, 1, Record, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 1, nullptr, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(1000001, 1, Record, 0, TIME_PERIODIC), 0u);
    TIMECAPS caps;
    ASSERT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_EQ(caps.wPeriodMax, 1000000u);
    EXPECT_EQ(timeBeginPeriod(0), TIMERR_NOCANDO);
    EXPECT_EQ(timeBeginPeriod(50), TIMERR_NOERROR);
    EXPECT_EQ(timeEndPeriod(50), TIMERR_NOERROR);
}

namespace {
UINT g_selfId = 0;
int g_selfCount = 0;
void KillsItself(UINT id, UINT, uintptr_t, uintptr_t, uintptr_t) {
    ++g_selfCount;
    if (g_selfCount == 3) timeKillEvent(id);
}
}  // namespace

TEST(ManualClock, CallbackMayKillItsOwnEvent) {
    ScopedHeadless headless;
    g_selfCount = 0;
    g_selfId = timeSetEvent(10, 1, KillsItself, 0, TIME_PERIODIC);
    manual_clock::Advance(100);
    EXPECT_EQ(g_selfCount, 3);
}

TEST(ManualClock, ListenersSeeEverySegmentBetweenTimerEvents) {
    ScopedHeadless headless;
    g_firings.clear();
    std::vector<std::pair<uint32_t, uint32_t>> segments;
    const int listener = manual_clock::AddListener([&](uint32_t from, uint32_t to) { segments.push_back({from, to}); });
    timeSetEvent(40, 1, Record, 0, TIME_PERIODIC);
    manual_clock::Advance(100);
    EXPECT_EQ(segments, (std::vector<std::pair<uint32_t, uint32_t>>{{0, 40}, {40, 80}, {80, 100}}));
    manual_clock::RemoveListener(listener);
    manual_clock::Advance(10);
    EXPECT_EQ(segments.size(), 3u);
}

TEST(ManualClock, AutoAdvanceEndsBusyWaits) {
    ScopedHeadless headless(1);
    const uint32_t start = timeGetTime();
    int reads = 0;
    while (timeGetTime() - start < 1000) ++reads;
    EXPECT_EQ(reads, 999);
    int64_t c1 = 0, c2 = 0, freq = 0;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&c1);
    QueryPerformanceCounter(&c2);
    EXPECT_EQ(freq, 1000000);
    EXPECT_EQ(c2 - c1, 1000);
}

TEST(ManualClock, StandsStillWithoutAutoAdvance) {
    ScopedHeadless headless;
    manual_clock::Set(0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    manual_clock::Advance(0x20);
    EXPECT_EQ(timeGetTime(), 0x10u);  // 32-bit milliseconds wrap
}

namespace {
struct Blocker {
    std::latch entered{1};
    std::latch release{1};
    std::atomic<bool> finished{false};
    std::atomic<int> calls{0};
};
void BlockingCallback(UINT, UINT, uintptr_t user, uintptr_t, uintptr_t) {
    auto* b = reinterpret_cast<Blocker*>(user);
    if (b->calls++ > 0) return;
    b->entered.count_down();
    b->release.wait();
    b->finished = true;
}
}  // namespace

TEST(ThreadTimers, KillWaitsForTheRunningCallback) {
    internal::ThreadTimers timers;
    Blocker blocker;
    const UINT id = timers.Add(1, BlockingCallback, reinterpret_cast<uintptr_t>(&blocker), true);
    ASSERT_NE(id, 0u);
    blocker.entered.wait();  // the callback now runs on the timer thread
    std::atomic<bool> killed{false};
    std::thread killer([&] {
        timers.Kill(id);
        killed = true;
    });
    // Whatever the killer has done so far, it cannot have returned before
    // the callback finished.
    EXPECT_FALSE(killed.load() && !blocker.finished.load());
    blocker.release.count_down();
    killer.join();
    EXPECT_TRUE(blocker.finished.load());
    const int callsAtKill = blocker.calls.load();
    EXPECT_EQ(timers.Kill(id), TIMERR_NOCANDO);
    EXPECT_EQ(blocker.calls.load(), callsAtKill);  // no call after the kill returned
}

namespace {
struct SelfKill {
    internal::ThreadTimers* timers;
    UINT id = 0;
    std::latch done{1};
    std::atomic<MMRESULT> result{99};
};
void KillFromInside(UINT id, UINT, uintptr_t user, uintptr_t, uintptr_t) {
    auto* s = reinterpret_cast<SelfKill*>(user);
    if (s->result.load() != 99) return;
    s->result = s->timers->Kill(id);  // must not wait for itself
    s->done.count_down();
}
}  // namespace

TEST(ThreadTimers, KillFromInsideTheCallbackDoesNotDeadlock) {
    internal::ThreadTimers timers;
    SelfKill self{&timers};
    self.id = timers.Add(1, KillFromInside, reinterpret_cast<uintptr_t>(&self), true);
    self.done.wait();
    EXPECT_EQ(self.result.load(), TIMERR_NOERROR);
}

namespace {
struct Counter {
    std::atomic<int> n{0};
    std::latch reached{1};
};
void CountTo5(UINT, UINT, uintptr_t user, uintptr_t, uintptr_t) {
    auto* c = reinterpret_cast<Counter*>(user);
    if (++c->n == 5) c->reached.count_down();
}
}  // namespace

TEST(ThreadTimers, PeriodicEventKeepsFiringAndOneShotFiresOnce) {
    internal::ThreadTimers timers;
    Counter periodic, once;
    const UINT id = timers.Add(1, CountTo5, reinterpret_cast<uintptr_t>(&periodic), true);
    timers.Add(1, CountTo5, reinterpret_cast<uintptr_t>(&once), false);
    periodic.reached.wait();
    timers.Kill(id);
    EXPECT_GE(periodic.n.load(), 5);
    EXPECT_LE(once.n.load(), 1);
    EXPECT_EQ(timers.Add(0, CountTo5, 0, true), 0u);
}
