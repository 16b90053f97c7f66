#include "platform/internal/message_queue.h"

#include <algorithm>

namespace platform::internal {

void MessageQueue::Post(const MSG& message) {
    std::lock_guard lock(mutex_);
    messages_.push_back(message);
}

bool MessageQueue::Take(MSG* out, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    std::lock_guard lock(mutex_);
    const bool anyMessage = filterMin == 0 && filterMax == 0;
    for (auto it = messages_.begin(); it != messages_.end(); ++it) {
        // WM_QUIT belongs to the thread, not a window: every filter lets it through.
        const bool quit = it->message == WM_QUIT;
        if (window && it->hwnd != window && !quit) continue;
        if (!anyMessage && !quit && (it->message < filterMin || it->message > filterMax)) continue;
        if (out) *out = *it;
        if (remove) messages_.erase(it);
        return true;
    }
    return false;
}

bool MessageQueue::Empty() const {
    std::lock_guard lock(mutex_);
    return messages_.empty();
}

bool MessageQueue::Contains(UINT message) const {
    std::lock_guard lock(mutex_);
    return std::any_of(messages_.begin(), messages_.end(),
                       [message](const MSG& m) { return m.message == message; });
}

void MessageQueue::RemoveFor(HWND window) {
    std::lock_guard lock(mutex_);
    std::erase_if(messages_, [window](const MSG& m) { return m.hwnd == window; });
}

void MessageQueue::Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

}  // namespace platform::internal
