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

FieldRef colourField(int index) { return {"global settings", recolourColourKey(index)}; }

// Moves the recoloured skin into the skin, listing what differed.
SkinChanges put(RecolouredSkin& out, SkinModel& model, SkinImageTable& images) {
  SkinChanges changes;
  for (int i = 0; i < kRecolourColourCount; ++i) {
    const FieldRef ref = colourField(i);
    Color* field = colorField(model, ref.section, ref.key);
    if (!field || *field == out.colours[i]) continue;
    *field = out.colours[i];
    changes.fields.push_back(ref);
  }
  for (int i = 0; i < kSkinImageCount; ++i) {
    if (images[i].picture == out.pictures[i]) continue;
    images[i].picture = std::move(out.pictures[i]);
    changes.pictures.push_back(i);
  }
  return changes;
}

}  // namespace

RecolourEdit::RecolourEdit(const SkinModel& model, const SkinImageTable& images)
    : session_(model, images), model_(model) {}

SkinChanges RecolourEdit::preview(const RecolourParams& params, const RecolourParts& parts,
                                  SkinModel& model, SkinImageTable& images) {
  if (sameParams(params, params_) && sameParts(parts, parts_)) return {};
  params_ = params;
  parts_ = parts;
  RecolouredSkin out = session_.apply(params, parts);
  return put(out, model, images);
}

SkinChanges RecolourEdit::differences(const SkinModel& model, const SkinImageTable& images) const {
  SkinChanges changes;
  const RecolouredSkin& source = session_.captured();
  for (int i = 0; i < kRecolourColourCount; ++i) {
    const FieldRef ref = colourField(i);
    const Color* field = colorField(model, ref.section, ref.key);
    if (field && *field != source.colours[i]) changes.fields.push_back(ref);
  }
  for (int i = 0; i < kSkinImageCount; ++i)
    if (images[i].picture != source.pictures[i]) changes.pictures.push_back(i);
  return changes;
}

SkinChanges RecolourEdit::restore(SkinModel& model, SkinImageTable& images) {
  params_ = RecolourParams{};
  parts_ = RecolourParts{};
  const SkinChanges changes = differences(model, images);
  // The whole model, so that nothing a recolour could touch stays behind.
  model = model_;
  const RecolouredSkin& source = session_.captured();
  for (int entry : changes.pictures) images[entry].picture = source.pictures[entry];
  return changes;
}
