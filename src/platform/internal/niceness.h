#pragma once
#include "platform/win_types.h"

namespace platform::internal {

// Idle class lowers the process's nice value below the one it started with;
// the other classes return to it. Nothing changes when the system would not
// let an unprivileged process return from the lower priority.
void ApplyProcessNiceness(DWORD priorityClass);

}  // namespace platform::internal
