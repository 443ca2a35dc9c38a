#include "app/preview_state.h"

#include <cstdlib>
#include <utility>

#include "app/point_at.h"

namespace {

constexpr int kWheelNotch = 120;

}  // namespace

int PreviewState::select(int view) { return std::exchange(view_, view); }

void PreviewState::redraw(const PreviewSources& sources, Color background) {
  canvas_ = composeCanvas(renderScreenView(view_, sources, &drawn_), background);
  ++redraws_;
}

bool PreviewState::wheel(int delta, float& zoom) {
  int steps = 0;
  if (std::abs(delta) == kWheelNotch) {
    wheelRemainder_ = 0;
    steps = delta;
  } else if (delta != 0 && std::abs(delta) < kWheelNotch) {
    // A change of direction starts a new gesture.
    if ((wheelRemainder_ > 0) != (delta > 0)) wheelRemainder_ = 0;
    wheelRemainder_ += delta;
    if (std::abs(wheelRemainder_) >= kWheelNotch) {
      steps = wheelRemainder_ > 0 ? kWheelNotch : -kWheelNotch;
      wheelRemainder_ -= steps;
    }
  }
  if (steps == 0 || !applyWheelDelta(zoom, steps)) return false;
  ++redraws_;
  return true;
}

const DrawItem* PreviewState::itemAt(int canvasX, int canvasY) const {
  return ::itemAt(drawn_, canvasX, canvasY);
}
