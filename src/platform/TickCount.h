#pragma once

#include <cstdint>

namespace lexiscoop {

// Milliseconds of a monotonic clock, wrapping around at 2^32 like the system
// tick count it stands in for. Differences are taken modulo 2^32.
uint32_t TickCount();

}  // namespace lexiscoop
