#pragma once
// Multimedia timer: periodic events on their own thread with absolute
// deadlines (SDL backend), or fired synchronously by the manual clock
// (headless).
#include "platform/win_types.h"

namespace platform {

struct TIMECAPS {
    UINT wPeriodMin = 0;
    UINT wPeriodMax = 0;
};
using LPTIMECALLBACK = void (*)(UINT timerId, UINT message, uintptr_t user, uintptr_t, uintptr_t);

constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 97;
constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;

MMRESULT timeGetDevCaps(TIMECAPS* caps, UINT size);
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);
// Returns the event id, or 0 when the event cannot be made.
UINT timeSetEvent(UINT delayMs, UINT resolution, LPTIMECALLBACK callback, uintptr_t user, UINT flags);
// Stops the event; when it returns, its callback is not running and will not
// run again (unless called from inside that callback).
MMRESULT timeKillEvent(UINT timerId);

}  // namespace platform
