// Dragging an element row's x and y on the preview: the position follows
// the pointer in whole handheld pixels from where the drag began, within
// the spin boxes' ranges.
#pragma once

#include "app/panel_controls.h"
#include "skin/skin_model.h"

class ElementDrag {
 public:
  struct Position {
    int x = 0, y = 0;
    bool operator==(const Position&) const = default;
  };

  // Starts dragging element row `row` of `model`; false for a row that
  // cannot be dragged or while a drag is going on.
  bool begin(int row, const SkinModel& model);
  bool active() const { return row_ >= 0; }
  // The x and y fields of the row being dragged.
  FieldRef xField() const;
  FieldRef yField() const;
  // Where the element is when the pointer has moved `dx`, `dy` handheld
  // pixels since the drag began; (0, 0) is exactly where it began.
  Position at(int dx, int dy) const;
  Position start() const { return start_; }
  // The row's position in `model`.
  Position current(const SkinModel& model) const;
  void end() { row_ = -1; }

 private:
  int row_ = -1;
  Position start_;
};
