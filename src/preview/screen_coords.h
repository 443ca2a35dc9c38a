// Positions derived from skin settings. A settings file may hold any 32-bit
// value, so sums are taken in 64 bits and pinned to the int range: anything
// that far out is off the screen either way, and nothing overflows.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

inline int screenCoord(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}
