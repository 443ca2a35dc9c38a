#include "preview/draw_record.h"

#include <algorithm>

namespace {

bool sameSource(const DrawItem& a, const DrawItem& b) {
  return a.screen == b.screen && a.element == b.element && a.picture == b.picture &&
         a.color == b.color;
}

// Whether `a` and `b` together are exactly one rectangle, and which: they
// share a full edge and overlap or touch along it.
bool unionIsRectangle(const DrawRect& a, const DrawRect& b, DrawRect& out) {
  if (a.y == b.y && a.h == b.h && b.x <= a.x + a.w && a.x <= b.x + b.w) {
    const int left = std::min(a.x, b.x);
    out = {left, a.y, std::max(a.x + a.w, b.x + b.w) - left, a.h};
    return true;
  }
  if (a.x == b.x && a.w == b.w && b.y <= a.y + a.h && a.y <= b.y + b.h) {
    const int top = std::min(a.y, b.y);
    out = {a.x, top, a.w, std::max(a.y + a.h, b.y + b.h) - top};
    return true;
  }
  return false;
}

}  // namespace

void DrawRecord::add(const DrawItem& item) {
  if (item.rect.w <= 0 || item.rect.h <= 0) return;
  // Only the last item may grow: anything drawn after it must keep covering
  // it, or the drawing order would change.
  if (!items_.empty() && sameSource(items_.back(), item)) {
    DrawRect joined;
    if (unionIsRectangle(items_.back().rect, item.rect, joined)) {
      items_.back().rect = joined;
      return;
    }
  }
  items_.push_back(item);
}

void DrawRecord::forget(ScreenSide screen) {
  std::erase_if(items_, [screen](const DrawItem& item) { return item.screen == screen; });
  std::erase_if(texts_, [screen](const TextDraw& text) { return text.screen == screen; });
  std::erase_if(clipped_, [screen](const ClippedDraw& draw) { return draw.screen == screen; });
}

const DrawItem* topmostItem(const DrawRecord& record, ScreenSide screen, int x, int y) {
  const std::vector<DrawItem>& items = record.items();
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    if (it->screen == screen && it->rect.contains(x, y)) return &*it;
  return nullptr;
}
