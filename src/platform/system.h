#pragma once
// Process priority and debugger output.
#include <cstdarg>

#include "platform/win_types.h"

namespace platform {

// Lowers or restores the process's nice value; never fails the caller.
int SetPriorityClass(DWORD priorityClass);
int SetThreadPriority(int priority);
DWORD GetPriorityClass();

// Debugger output: nowhere, unless TUNEWANDER_TRACE=1 (then standard error).
// Tests may attach a sink that receives every text instead.
void OutputDebugString(const char* text);
using DebugSink = void (*)(const char* text, void* user);
void SetDebugSink(DebugSink sink, void* user);

}  // namespace platform

// The diagnostic hook of the display and audio code: (window, failure flag
// 0/1, printf-style format, arguments). Shows nothing; with TUNEWANDER_TRACE=1
// the formatted text goes to standard error, and a test sink can capture it.
void DebugTrace(platform::HWND window, int failure, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
namespace platform {
using TraceSink = void (*)(HWND window, int failure, const char* text, void* user);
void SetTraceSink(TraceSink sink, void* user);
}  // namespace platform
