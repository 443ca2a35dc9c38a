// A recolour of the whole skin being tried out, as a dialog's sliders move.
//
// It holds the skin as it was when the trying began. Every preview writes
// the recolour of that capture into the skin (never of an earlier preview,
// so no error builds up), and restore puts the capture back exactly: the
// whole model and every picture byte for byte.
#pragma once

#include "app/skin_recolour.h"
#include "app/skin_session.h"
#include "imaging/recolour.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

class RecolourEdit {
 public:
  RecolourEdit(const SkinModel& model, const SkinImageTable& images);

  // Puts the captured skin recoloured by these values into the skin and
  // lists what that changed there. Nothing listed, and nothing touched,
  // when they are the values in place already.
  SkinChanges preview(const RecolourParams& params, const RecolourParts& parts, SkinModel& model,
                      SkinImageTable& images);

  // Where the skin as it now stands differs from the capture: what keeping
  // the recolour changes.
  SkinChanges differences(const SkinModel& model, const SkinImageTable& images) const;

  // The captured skin back in place, and the values back to none; lists
  // what that changed.
  SkinChanges restore(SkinModel& model, SkinImageTable& images);

  // The three as changes for the editor's one edit path.
  SkinSession::Change trial(const RecolourParams& params, const RecolourParts& parts) {
    return [this, params, parts](SkinModel& model, SkinImageTable& images) {
      return preview(params, parts, model, images);
    };
  }
  SkinSession::Change keep() const {
    return [this](SkinModel& model, SkinImageTable& images) { return differences(model, images); };
  }
  SkinSession::Change undo() {
    return [this](SkinModel& model, SkinImageTable& images) { return restore(model, images); };
  }

 private:
  SkinRecolourSession session_;
  SkinModel model_;
  RecolourParams params_;
  RecolourParts parts_;
};
