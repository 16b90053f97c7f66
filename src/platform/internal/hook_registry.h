#pragma once
// The platform's own side of internal/hooks.h: running the registered hooks.
#include <cstdint>
#include <optional>

namespace platform::internal {

void RunPumpHooks();
// The earliest time any deadline source asks for (relative to now, so that a
// wrapping 32-bit clock compares correctly), or none.
std::optional<uint32_t> EarliestSourceDeadline(uint32_t now);
void NotifyActivation(bool active, bool minimized);
void ClearHooks();

}  // namespace platform::internal
