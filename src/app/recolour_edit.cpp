#include "app/recolour_edit.h"

#include <utility>

namespace {

bool sameParams(const RecolourParams& a, const RecolourParams& b) {
  return a.hue == b.hue && a.saturation == b.saturation && a.lightness == b.lightness &&
         a.colourise == b.colourise && a.colouriseHue == b.colouriseHue;
}

bool sameParts(const RecolourParts& a, const RecolourParts& b) {
  return a.colours == b.colours && a.groups == b.groups;
}

bool samePicture(const Image& a, const Image& b) {
  return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

}  // namespace

RecolourEdit::RecolourEdit(const SkinModel& model, const SkinImageTable& images)
    : session_(model, images), model_(model) {}

bool RecolourEdit::preview(const RecolourParams& params, const RecolourParts& parts,
                           SkinModel& model, SkinImageTable& images) {
  if (sameParams(params, params_) && sameParts(parts, parts_)) return false;
  params_ = params;
  parts_ = parts;
  RecolouredSkin out = session_.apply(params, parts);
  const RecolouredSkin& source = session_.captured();
  changedColours_ = out.colours != source.colours;
  changedPictures_.clear();
  for (int i = 0; i < kRecolourColourCount; ++i)
    if (Color* field = colorField(model, "global settings", recolourColourKey(i)))
      *field = out.colours[i];
  for (int i = 0; i < kSkinImageCount; ++i) {
    if (!samePicture(out.pictures[i], source.pictures[i])) changedPictures_.push_back(i);
    images[i].picture = std::move(out.pictures[i]);
  }
  return true;
}

void RecolourEdit::restore(SkinModel& model, SkinImageTable& images) {
  model = model_;
  const RecolouredSkin& source = session_.captured();
  for (int i = 0; i < kSkinImageCount; ++i) images[i].picture = source.pictures[i];
  params_ = RecolourParams{};
  parts_ = RecolourParts{};
  changedColours_ = false;
  changedPictures_.clear();
}
