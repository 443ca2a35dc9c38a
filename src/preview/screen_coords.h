// Positions derived from skin settings. A settings file may hold any 32-bit
// value, so sums are taken in 64 bits and only then narrowed for the Painter.
#pragma once

#include <algorithm>
#include <cstdint>

using Coord = std::int64_t;

// Far enough outside the screen that anything placed there stays invisible,
// and small enough that the Painter's own sums cannot wrap.
inline int screenCoord(Coord value) {
  constexpr Coord kLimit = Coord{1} << 24;
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}
