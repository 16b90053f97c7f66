#include "platform/crt_random.h"

#include <atomic>
#include <cstdint>

namespace platform {

namespace {
// The runtime generator's one state word (atomic: the timer thread may draw too).
std::atomic<uint32_t> g_state{1};
}  // namespace

void srand(unsigned seed) { g_state.store(seed); }

int rand() {
    uint32_t state = g_state.load(std::memory_order_relaxed);
    uint32_t next;
    do {
        next = state * 214013u + 2531011u;
    } while (!g_state.compare_exchange_weak(state, next, std::memory_order_relaxed));
    return int((next >> 16) & 0x7FFF);
}

}  // namespace platform
