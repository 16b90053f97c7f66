#pragma once
// The one source of time. On SDL it is the steady clock; headless it is a
// manual clock that tests move on, firing due multimedia-timer events and
// other listeners synchronously as it goes.
#include <cstdint>
#include <functional>

namespace platform {

// Milliseconds, 32 bits, wrapping.
uint32_t timeGetTime();
// Seconds of the calendar, for what the game seeds from the date. Headless
// it is a fixed day plus the manual clock, so that headless runs (tests,
// tools, recordings) lay out the same level every time.
int64_t CalendarSeconds();
inline constexpr int64_t kHeadlessCalendarStart = 1767225600;  // the first of January 2026
// The date and time of day on the player's calendar, for names the player
// reads (local time; headless the calendar above, taken as it is).
struct CalendarTime {
    int year = 0, month = 0, day = 0;  // month and day from 1
    int hour = 0, minute = 0, second = 0;
};
CalendarTime CalendarNow();
int QueryPerformanceCounter(int64_t* count);
int QueryPerformanceFrequency(int64_t* frequency);

namespace manual_clock {
// Headless only. Sets the time without firing anything (test set-up).
void Set(uint32_t ms);
// Moves the clock on by ms, one millisecond boundary at a time as far as
// listeners and timers need: every timer event due on the way fires in
// deadline order with the clock standing at its deadline.
void Advance(uint32_t ms);
// Called after every advance with the old and new time (the virtual sound
// card consumes frames this way). Returns an id for RemoveListener.
int AddListener(std::function<void(uint32_t from, uint32_t to)> listener);
void RemoveListener(int id);
}  // namespace manual_clock

}  // namespace platform
