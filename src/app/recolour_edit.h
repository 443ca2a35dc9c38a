// A recolour of the whole skin being tried out, as a dialog's sliders move.
//
// It holds the skin as it was when the trying began. Every preview writes
// the recolour of that capture into the skin (never of an earlier preview,
// so no error builds up), and restore puts the capture back exactly: the
// whole model and every picture byte for byte.
#pragma once

#include <vector>

#include "app/skin_recolour.h"
#include "imaging/recolour.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

class RecolourEdit {
 public:
  RecolourEdit(const SkinModel& model, const SkinImageTable& images);

  // Puts the captured skin recoloured by these values into the skin.
  // Returns false, touching nothing, when they are the values in place
  // already: there is nothing new to draw.
  bool preview(const RecolourParams& params, const RecolourParts& parts, SkinModel& model,
               SkinImageTable& images);

  // Whether the skin, as the last preview left it, differs from the capture.
  bool changed() const { return changedColours_ || !changedPictures_.empty(); }
  // The table entries whose picture the last preview changed.
  const std::vector<int>& changedPictures() const { return changedPictures_; }

  // The captured skin back in place, and the values back to none.
  void restore(SkinModel& model, SkinImageTable& images);

 private:
  SkinRecolourSession session_;
  SkinModel model_;
  RecolourParams params_;
  RecolourParts parts_;
  bool changedColours_ = false;
  std::vector<int> changedPictures_;
};
