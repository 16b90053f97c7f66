#include "platform/mmtimer.h"

#include "platform/internal/backend.h"

namespace platform {

namespace {
constexpr UINT kPeriodMin = 1;
constexpr UINT kPeriodMax = 1000000;
}  // namespace

MMRESULT timeGetDevCaps(TIMECAPS* caps, UINT size) {
    if (!caps || size < sizeof(TIMECAPS)) return TIMERR_NOCANDO;
    caps->wPeriodMin = kPeriodMin;
    caps->wPeriodMax = kPeriodMax;
    return TIMERR_NOERROR;
}

// Events run on absolute deadlines anyway, so the period only has to be valid.
MMRESULT timeBeginPeriod(UINT period) {
    return period >= kPeriodMin && period <= kPeriodMax ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeEndPeriod(UINT period) { return timeBeginPeriod(period); }

UINT timeSetEvent(UINT delayMs, UINT /*resolution*/, LPTIMECALLBACK callback, uintptr_t user, UINT flags) {
    internal::Backend* backend = internal::CurrentBackendPtr();
    if (!backend || !callback || delayMs < kPeriodMin || delayMs > kPeriodMax) return 0;
    return backend->SetTimerEvent(delayMs, callback, user, (flags & TIME_PERIODIC) != 0);
}

MMRESULT timeKillEvent(UINT timerId) {
    internal::Backend* backend = internal::CurrentBackendPtr();
    if (!backend || timerId == 0) return TIMERR_NOCANDO;
    return backend->KillTimerEvent(timerId);
}

}  // namespace platform
