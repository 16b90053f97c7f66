#pragma once
// The main thread's message queue. Posting is thread-safe (the movie device
// and timer callbacks may post); taking happens on the main thread.
#include <deque>
#include <mutex>

#include "platform/win_types.h"

namespace platform::internal {

class MessageQueue {
public:
    void Post(const MSG& message);
    // The oldest message for the window (null = any) within [min, max]
    // (0, 0 = every message); removed when remove is set.
    bool Take(MSG* out, HWND window, UINT filterMin, UINT filterMax, bool remove);
    bool Empty() const;
    bool Contains(UINT message) const;
    // Drops every message addressed to a window that is going away.
    void RemoveFor(HWND window);
    void Clear();

private:
    mutable std::mutex mutex_;
    std::deque<MSG> messages_;
};

}  // namespace platform::internal
