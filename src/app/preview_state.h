// What the preview shows: the screen view, the natural-size canvas drawn
// for it and where each item went, how often it was drawn, and the part of
// a zoom step the wheel has turned so far.
#pragma once

#include "preview/draw_record.h"
#include "preview/preview_canvas.h"
#include "preview/preview_sources.h"

class PreviewState {
 public:
  int view() const { return view_; }
  // Shows `view` from the next redraw on; returns the view shown before.
  int select(int view);
  // Draws the current view of `sources` on `background`.
  void redraw(const PreviewSources& sources, Color background);
  // One wheel event's signed delta. +-120 is one zoom step; smaller deltas
  // (touchpads, fine-grained wheels) add up to one; anything larger is
  // ignored. Returns whether `zoom` changed; the enlarged canvas then
  // counts as drawn again.
  bool wheel(int delta, float& zoom);

  const Image& canvas() const { return canvas_; }
  int redrawCount() const { return redraws_; }
  // The item of the current canvas at a natural-size canvas point, or
  // nullptr on the hinge and margins.
  const DrawItem* itemAt(int canvasX, int canvasY) const;

 private:
  int view_ = 0;
  Image canvas_;
  DrawRecord drawn_;  // what the last redraw put where
  int redraws_ = 0;
  int wheelRemainder_ = 0;
};
