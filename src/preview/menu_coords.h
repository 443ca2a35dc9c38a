// Drawing helpers for the menu views, whose positions are sums of skin
// settings worked out in 64 bits (see screen_coords.h).
#pragma once

#include <algorithm>
#include <cstdint>

#include "preview/painter.h"
#include "preview/screen_coords.h"

// A filled box whose corner and size may lie anywhere: cut to the screen
// first, so a huge box still covers exactly the part of the screen it should.
inline void fillBox(Painter& painter, Coord x, Coord y, Coord w, Coord h, Color color,
                    SkinFieldName colorField = {}) {
  const Coord left = std::max<Coord>(x, 0);
  const Coord top = std::max<Coord>(y, 0);
  const Coord right = std::min<Coord>(x + w, kScreenWidth);
  const Coord bottom = std::min<Coord>(y + h, kScreenHeight);
  if (left >= right || top >= bottom) return;
  painter.box(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
              static_cast<int>(bottom - top), color, colorField);
}
