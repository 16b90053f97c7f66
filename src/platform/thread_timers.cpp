#include "platform/internal/thread_timers.h"

namespace platform::internal {

ThreadTimers::~ThreadTimers() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        if (thread_.get_id() == std::this_thread::get_id()) {
            thread_.detach();  // destroyed from a callback: the thread ends by itself
        } else {
            thread_.join();
        }
    }
}

UINT ThreadTimers::Add(UINT delayMs, LPTIMECALLBACK callback, uintptr_t user, bool periodic) {
    if (!callback || delayMs < 1) return 0;
    std::lock_guard lock(mutex_);
    if (stopping_) return 0;
    UINT id = nextId_++;
    if (nextId_ == 0) nextId_ = 1;
    while (events_.count(id) || id == 0) id = nextId_++;
    const auto period = std::chrono::milliseconds(delayMs);
    events_[id] = Event{Clock::now() + period, period, callback, user, periodic};
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    changed_.notify_all();
    return id;
}

MMRESULT ThreadTimers::Kill(UINT id) {
    std::unique_lock lock(mutex_);
    const bool found = events_.erase(id) > 0;
    changed_.notify_all();
    const bool fromCallback = thread_.joinable() && thread_.get_id() == std::this_thread::get_id();
    const bool wasRunning = running_ == id;
    if (!fromCallback) changed_.wait(lock, [&] { return running_ != id; });
    return found || wasRunning ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

void ThreadTimers::Run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (events_.empty()) {
            changed_.wait(lock);
            continue;
        }
        auto next = events_.begin();
        for (auto it = events_.begin(); it != events_.end(); ++it)
            if (it->second.deadline < next->second.deadline) next = it;
        const Clock::time_point now = Clock::now();
        // A copy: the event may be killed while the lock is released.
        const Clock::time_point deadline = next->second.deadline;
        if (now < deadline) {
            changed_.wait_until(lock, deadline);
            continue;
        }
        const UINT id = next->first;
        const Event event = next->second;
        if (event.periodic) {
            Clock::time_point deadline = event.deadline + event.period;
            // After a long stall (a suspended machine), skip the missed ticks
            // instead of firing them back to back.
            if (deadline + 4 * event.period < now) deadline = now + event.period;
            next->second.deadline = deadline;
        } else {
            events_.erase(next);
        }
        running_ = id;
        lock.unlock();
        event.callback(id, 0, event.user, 0, 0);
        lock.lock();
        running_ = 0;
        changed_.notify_all();
    }
}

}  // namespace platform::internal
