#pragma once
// The headless clock: virtual milliseconds that only move when told (or by a
// fixed step on every read), with multimedia-timer events that fire
// synchronously, in deadline order, as the clock passes them.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/mmtimer.h"

namespace platform::internal {

class ManualClock {
public:
    using Listener = std::function<void(uint32_t from, uint32_t to)>;

    explicit ManualClock(unsigned autoAdvanceMs = 0) : autoAdvanceMs_(autoAdvanceMs) {}

    // Reading the clock; Read() moves it on by the auto-advance step first
    // (never while the clock is already advancing).
    uint32_t Read();
    uint64_t Now() const { return now_.load(); }

    void Set(uint32_t ms);
    void Advance(uint64_t ms);
    // Moves to an absolute time (no-op when it lies in the past).
    void AdvanceTo(uint64_t when);

    int AddListener(Listener listener);
    void RemoveListener(int id);

    UINT AddTimer(UINT delayMs, LPTIMECALLBACK callback, uintptr_t user, bool periodic);
    MMRESULT KillTimer(UINT id);
    std::optional<uint64_t> NextTimerDeadline() const;
    size_t TimerCount() const { return timers_.size(); }

private:
    struct Timer {
        UINT id;
        uint64_t deadline;
        UINT period;
        LPTIMECALLBACK callback;
        uintptr_t user;
        bool periodic;
    };
    void NotifyListeners(uint64_t from, uint64_t to);
    const Timer* EarliestDueBy(uint64_t limit) const;

    std::atomic<uint64_t> now_{0};
    unsigned autoAdvanceMs_;
    bool advancing_ = false;
    std::vector<Timer> timers_;  // in creation order: ties fire oldest first
    UINT nextTimerId_ = 1;
    std::map<int, Listener> listeners_;
    int nextListenerId_ = 1;
};

}  // namespace platform::internal
