#pragma once
// Multimedia-timer events on their own thread: absolute deadlines on the
// steady clock, so a periodic event does not drift by the time its callback
// takes. Killing an event waits for its running callback, except from inside
// that callback.
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/mmtimer.h"

namespace platform::internal {

class ThreadTimers {
public:
    ThreadTimers() = default;
    ~ThreadTimers();
    ThreadTimers(const ThreadTimers&) = delete;
    ThreadTimers& operator=(const ThreadTimers&) = delete;

    UINT Add(UINT delayMs, LPTIMECALLBACK callback, uintptr_t user, bool periodic);
    MMRESULT Kill(UINT id);

private:
    using Clock = std::chrono::steady_clock;
    struct Event {
        Clock::time_point deadline;
        std::chrono::milliseconds period;
        LPTIMECALLBACK callback;
        uintptr_t user;
        bool periodic;
    };
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<UINT, Event> events_;
    std::thread thread_;
    bool stopping_ = false;
    UINT nextId_ = 1;
    UINT running_ = 0;  // id whose callback runs now, 0 = none
};

}  // namespace platform::internal
