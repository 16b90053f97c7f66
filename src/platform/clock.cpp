// The clock functions: the backend's time, or the steady clock when no
// backend runs (so that tools and early code still get sensible values).
#include "platform/clock.h"

#include <chrono>
#include <ctime>

#include "platform/platform.h"

#include "platform/internal/headless_backend.h"

namespace platform {

namespace {
int64_t SteadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

uint32_t timeGetTime() {
    if (internal::Backend* backend = internal::CurrentBackendPtr()) return backend->Now();
    return uint32_t(SteadyNanoseconds() / 1000000);
}

int64_t CalendarSeconds() {
    if (CurrentBackend() == BackendKind::Headless) return kHeadlessCalendarStart + timeGetTime() / 1000;
    return static_cast<int64_t>(std::time(nullptr));
}

CalendarTime CalendarNow() {
    const std::time_t seconds = static_cast<std::time_t>(CalendarSeconds());
    std::tm parts{};
    // Headless names must not depend on the machine's time zone.
    const bool converted = CurrentBackend() == BackendKind::Headless ? gmtime_r(&seconds, &parts) != nullptr
                                                                      : localtime_r(&seconds, &parts) != nullptr;
    if (!converted) return CalendarTime{};
    return CalendarTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                        parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

int QueryPerformanceCounter(int64_t* count) {
    if (!count) return 0;
    internal::Backend* backend = internal::CurrentBackendPtr();
    *count = backend ? backend->PerformanceCounter() : SteadyNanoseconds();
    return 1;
}

int QueryPerformanceFrequency(int64_t* frequency) {
    if (!frequency) return 0;
    internal::Backend* backend = internal::CurrentBackendPtr();
    *frequency = backend ? backend->PerformanceFrequency() : 1000000000;
    return 1;
}

namespace manual_clock {

void Set(uint32_t ms) {
    if (auto* h = internal::Headless()) h->Clock().Set(ms);
}

void Advance(uint32_t ms) {
    if (auto* h = internal::Headless()) h->Clock().Advance(ms);
}

int AddListener(std::function<void(uint32_t from, uint32_t to)> listener) {
    auto* h = internal::Headless();
    return h ? h->Clock().AddListener(std::move(listener)) : 0;
}

void RemoveListener(int id) {
    if (auto* h = internal::Headless()) h->Clock().RemoveListener(id);
}

}  // namespace manual_clock

}  // namespace platform
