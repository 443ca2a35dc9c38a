// Screen positions of the menu views are sums of skin settings, any of
// which may hold any 32-bit value; they are worked out in 64 bits and only
// then narrowed for the Painter.
#pragma once

#include <algorithm>
#include <cstdint>

#include "preview/painter.h"

using Coord = std::int64_t;

// Far enough outside the screen that anything placed there stays invisible,
// and small enough that the Painter's own sums cannot wrap.
inline int screenCoord(Coord value) {
  constexpr Coord kLimit = Coord{1} << 24;
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

// A filled box whose corner and size may lie anywhere: cut to the screen
// first, so a huge box still covers exactly the part of the screen it should.
inline void fillBox(Painter& painter, Coord x, Coord y, Coord w, Coord h, Color color) {
  const Coord left = std::max<Coord>(x, 0);
  const Coord top = std::max<Coord>(y, 0);
  const Coord right = std::min<Coord>(x + w, kScreenWidth);
  const Coord bottom = std::min<Coord>(y + h, kScreenHeight);
  if (left >= right || top >= bottom) return;
  painter.box(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
              static_cast<int>(bottom - top), color);
}
