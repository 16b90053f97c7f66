// Priorities and debugger output.
#include "platform/system.h"

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/internal/backend.h"
#include "platform/internal/niceness.h"

namespace platform {

namespace {

std::atomic<DWORD> g_priorityClass{NORMAL_PRIORITY_CLASS};
std::atomic<int> g_threadPriority{THREAD_PRIORITY_NORMAL};

struct Sinks {
    std::mutex mutex;
    DebugSink debug = nullptr;
    void* debugUser = nullptr;
    TraceSink trace = nullptr;
    void* traceUser = nullptr;
};
Sinks& TheSinks() {
    static Sinks sinks;
    return sinks;
}

bool TraceToStderr() {
    static const bool enabled = [] {
        const char* value = std::getenv("TUNEWANDER_TRACE");
        return value && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

}  // namespace

namespace internal {

void ApplyProcessNiceness(DWORD priorityClass) {
    static const int base = [] {
        errno = 0;
        const int value = getpriority(PRIO_PROCESS, 0);
        return errno ? 0 : value;
    }();
    static const bool canReturn = [] {
        if (geteuid() == 0) return true;
        rlimit limit{};
        if (getrlimit(RLIMIT_NICE, &limit) != 0) return false;
        return limit.rlim_cur == RLIM_INFINITY || 20 - int(limit.rlim_cur) <= base;
    }();
    if (!canReturn) return;
    const int target = priorityClass == IDLE_PRIORITY_CLASS ? (base + 10 > 19 ? 19 : base + 10) : base;
    setpriority(PRIO_PROCESS, 0, target);
}

}  // namespace internal

int SetPriorityClass(DWORD priorityClass) {
    if (priorityClass != IDLE_PRIORITY_CLASS && priorityClass != NORMAL_PRIORITY_CLASS &&
        priorityClass != HIGH_PRIORITY_CLASS)
        return 0;
    g_priorityClass.store(priorityClass);
    if (internal::Backend* backend = internal::CurrentBackendPtr()) backend->SetNiceness(priorityClass);
    return 1;
}

// Thread priorities are remembered only: the process's nice value already
// follows the priority class.
int SetThreadPriority(int priority) {
    g_threadPriority.store(priority);
    return 1;
}

DWORD GetPriorityClass() { return g_priorityClass.load(); }

void OutputDebugString(const char* text) {
    if (!text) return;
    Sinks& sinks = TheSinks();
    DebugSink sink;
    void* user;
    {
        std::lock_guard lock(sinks.mutex);
        sink = sinks.debug;
        user = sinks.debugUser;
    }
    if (sink) {
        sink(text, user);
    } else if (TraceToStderr()) {
        std::fputs(text, stderr);
    }
}

void SetDebugSink(DebugSink sink, void* user) {
    Sinks& sinks = TheSinks();
    std::lock_guard lock(sinks.mutex);
    sinks.debug = sink;
    sinks.debugUser = user;
}

void SetTraceSink(TraceSink sink, void* user) {
    Sinks& sinks = TheSinks();
    std::lock_guard lock(sinks.mutex);
    sinks.trace = sink;
    sinks.traceUser = user;
}

}  // namespace platform

void DebugTrace(platform::HWND window, int failure, const char* format, ...) {
    using namespace platform;
    if (!format) return;
    Sinks& sinks = TheSinks();
    TraceSink sink;
    void* user;
    {
        std::lock_guard lock(sinks.mutex);
        sink = sinks.trace;
        user = sinks.traceUser;
    }
    if (!sink && !TraceToStderr()) return;  // nobody listens: skip the formatting
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (sink) {
        sink(window, failure, text, user);
    } else {
        const size_t length = std::strlen(text);
        const bool endsLine = length > 0 && text[length - 1] == '\n';
        std::fprintf(stderr, "%s%s%s", failure ? "[fatal] " : "", text, endsLine ? "" : "\n");
    }
}
