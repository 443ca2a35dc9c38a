#include "app/element_drag.h"

#include <algorithm>

#include "app/point_at.h"

bool ElementDrag::begin(int row, const SkinModel& model) {
  if (!isDraggableRow(row) || active()) return false;
  const ElementRowEntry& entry = elementRowTable()[row];
  const std::int32_t* x = integerField(model, entry.spins[0].section, entry.spins[0].key);
  const std::int32_t* y = integerField(model, entry.spins[1].section, entry.spins[1].key);
  if (!x || !y) return false;
  row_ = row;
  start_ = {*x, *y};
  return true;
}

FieldRef ElementDrag::xField() const {
  return active() ? elementRowTable()[row_].spins[0] : FieldRef{};
}

FieldRef ElementDrag::yField() const {
  return active() ? elementRowTable()[row_].spins[1] : FieldRef{};
}

ElementDrag::Position ElementDrag::at(int dx, int dy) const {
  if (dx == 0 && dy == 0) return start_;
  // A value loaded outside the spin box's range starts from where the spin
  // box shows it.
  return {
      std::clamp(std::clamp(start_.x, 0, kElementSpinMaximum[0]) + dx, 0, kElementSpinMaximum[0]),
      std::clamp(std::clamp(start_.y, 0, kElementSpinMaximum[1]) + dy, 0, kElementSpinMaximum[1])};
}

ElementDrag::Position ElementDrag::current(const SkinModel& model) const {
  const std::int32_t* x = integerField(model, xField().section, xField().key);
  const std::int32_t* y = integerField(model, yField().section, yField().key);
  return {x ? *x : 0, y ? *y : 0};
}
