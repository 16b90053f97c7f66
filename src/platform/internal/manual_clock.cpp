#include "platform/internal/manual_clock.h"

#include <algorithm>

namespace platform::internal {

uint32_t ManualClock::Read() {
    if (autoAdvanceMs_ && !advancing_) Advance(autoAdvanceMs_);
    return uint32_t(now_.load());
}

void ManualClock::Set(uint32_t ms) {
    const uint64_t old = now_.load();
    // Pending events keep their distance from now.
    for (Timer& t : timers_) t.deadline = ms + (t.deadline > old ? t.deadline - old : 0);
    now_.store(ms);
}

void ManualClock::Advance(uint64_t ms) { AdvanceTo(now_.load() + ms); }

const ManualClock::Timer* ManualClock::EarliestDueBy(uint64_t limit) const {
    const Timer* best = nullptr;
    for (const Timer& t : timers_) {
        if (t.deadline > limit) continue;
        if (!best || t.deadline < best->deadline) best = &t;
    }
    return best;
}

void ManualClock::AdvanceTo(uint64_t target) {
    if (target <= now_.load()) return;
    if (advancing_) {
        // Moved from inside a timer callback or listener: the outer advance
        // goes on from the new time.
        NotifyListeners(now_.load(), target);
        now_.store(target);
        return;
    }
    advancing_ = true;
    while (const Timer* due = EarliestDueBy(target)) {
        // Copied before the listeners run: they may add or kill events.
        const Timer fired = *due;
        const uint64_t deadline = std::max(fired.deadline, now_.load());
        NotifyListeners(now_.load(), deadline);
        now_.store(deadline);
        auto it = std::find_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.id == fired.id; });
        if (it == timers_.end()) continue;  // killed by a listener
        if (fired.periodic) {
            it->deadline += fired.period;
        } else {
            timers_.erase(it);
        }
        // The callback may set or kill events; nothing above is used after it.
        fired.callback(fired.id, 0, fired.user, 0, 0);
    }
    const uint64_t now = now_.load();
    if (target > now) {
        NotifyListeners(now, target);
        now_.store(target);
    }
    advancing_ = false;
}

void ManualClock::NotifyListeners(uint64_t from, uint64_t to) {
    if (to <= from) return;
    std::vector<int> ids;
    for (const auto& [id, fn] : listeners_) ids.push_back(id);
    for (int id : ids) {
        auto it = listeners_.find(id);
        if (it == listeners_.end()) continue;
        Listener copy = it->second;
        copy(uint32_t(from), uint32_t(to));
    }
}

int ManualClock::AddListener(Listener listener) {
    const int id = nextListenerId_++;
    listeners_[id] = std::move(listener);
    return id;
}

void ManualClock::RemoveListener(int id) { listeners_.erase(id); }

UINT ManualClock::AddTimer(UINT delayMs, LPTIMECALLBACK callback, uintptr_t user, bool periodic) {
    if (!callback || delayMs < 1 || delayMs > 1000000) return 0;
    const UINT id = nextTimerId_++;
    if (nextTimerId_ == 0) nextTimerId_ = 1;
    timers_.push_back(Timer{id, now_.load() + delayMs, delayMs, callback, user, periodic});
    return id;
}

MMRESULT ManualClock::KillTimer(UINT id) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.id == id; });
    if (it == timers_.end()) return TIMERR_NOCANDO;
    timers_.erase(it);
    return TIMERR_NOERROR;
}

std::optional<uint64_t> ManualClock::NextTimerDeadline() const {
    std::optional<uint64_t> best;
    for (const Timer& t : timers_)
        if (!best || t.deadline < *best) best = t.deadline;
    return best;
}

}  // namespace platform::internal
