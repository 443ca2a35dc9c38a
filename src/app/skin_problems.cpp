#include "app/skin_problems.h"

#include <algorithm>

#include "skin/stored_settings.h"

void SkinProblems::opened(SkinLoadRecord record, const SkinImageTable& images, Identity identity) {
  loadedPictures_.assign(kSkinImageCount, Image{});
  for (int i = 0; i < kSkinImageCount; ++i)
    if (record.pictures[static_cast<std::size_t>(i)].origin != PictureOrigin::Bmp16)
      loadedPictures_[static_cast<std::size_t>(i)] = images[i].picture;
  record_ = std::move(record);
  identity_ = std::move(identity);
  editedFields_.clear();
}

void SkinProblems::forget() {
  record_.reset();
  loadedPictures_.clear();
  editedFields_.clear();
}

void SkinProblems::saved(Identity identity) {
  // Every picture was written as a 16-bit BMP under its own name, so
  // nothing about the stored pictures is left to find. The settings file
  // was written from the model's stored text, which refresh checks.
  SkinLoadRecord written;
  for (PictureLoad& picture : written.pictures) picture.origin = PictureOrigin::Bmp16;
  record_ = std::move(written);
  identity_ = std::move(identity);
  loadedPictures_.clear();
  editedFields_.clear();
}

void SkinProblems::fieldEdited(FieldRef field) {
  if (record_) editedFields_.emplace(field.section, field.key);
}

void SkinProblems::refresh(const SkinModel& model, const SkinImageTable& images,
                           const InterfaceTexts& texts, const Identity& current) {
  if (!record_ || current != identity_) {
    findings_ = checkSkin(model, images, {}, texts);
    return;
  }
  // The record as it holds for the skin now: an entry the author has given
  // another picture will be written from that picture.
  SkinLoadRecord now = *record_;
  for (std::size_t i = 0; i < loadedPictures_.size(); ++i) {
    const Image& then = loadedPictures_[i];
    const Image& picture = images[static_cast<int>(i)].picture;
    if (then != picture) now.pictures[i].origin = PictureOrigin::Bmp16;
  }
  // The settings file as the next save writes it: the text as read or last
  // written, with the author's changes on the lines they concern. What the
  // author left as it was (a key of later menus, a typo, a key given twice)
  // is kept by a save, and so is still found.
  if (model.storedSettings) {
    const std::string text = storedSettingsWithChanges(model);
    now.settingsRead = true;
    now.settingsBytes.assign(text.begin(), text.end());
    findings_ = checkSkin(model, images, {&now}, texts);
    return;
  }
  findings_ = checkSkin(model, images, {&now}, texts);
  // Lines of the stored settings file about a field the author has since
  // set: the next save replaces them.
  std::erase_if(findings_, [&](const Finding& finding) {
    return finding.line > 0 && !finding.key.empty() &&
           editedFields_.count({finding.section, finding.key}) > 0;
  });
}

PanelTarget findingTarget(const Finding& finding) {
  if (finding.section == "global settings") {
    const PanelTarget color = colorButtonTarget(globalColor(finding.key));
    if (color.kind != PanelTarget::Kind::None) return color;
  }
  if (PanelTarget row = elementRowTarget(finding.section); row.kind != PanelTarget::Kind::None)
    return row;
  // A finding about several pictures (the missing ones) leads to the
  // Images page, at the first of them.
  if (finding.picture.empty() && !finding.pictures.empty())
    return imageButtonTarget(finding.pictures.front());
  return imageButtonTarget(finding.picture);
}

int findingView(const Finding& finding, const PanelTarget& target, int currentView) {
  if (target.kind != PanelTarget::Kind::None && target.view >= 0) return target.view;
  if (finding.views.empty()) return currentView;
  if (std::find(finding.views.begin(), finding.views.end(), currentView) != finding.views.end())
    return currentView;
  return finding.views.front();
}

namespace {

std::string countText(int count, std::string_view one, std::string_view many,
                      const InterfaceTexts& texts) {
  return count == 1 ? texts.text(one) : fillText(texts.text(many), {std::to_string(count)});
}

}  // namespace

std::string problemCountText(const std::vector<Finding>& findings, const InterfaceTexts& texts) {
  const int errors = countSeverity(findings, Severity::Error);
  const int warnings = countSeverity(findings, Severity::Warning);
  if (errors == 0 && warnings == 0) return texts.text("LANG_CHECK_NO_PROBLEMS$");
  const std::string errorText =
      countText(errors, "LANG_CHECK_ONE_ERROR$", "LANG_CHECK_ERRORS$", texts);
  const std::string warningText =
      countText(warnings, "LANG_CHECK_ONE_WARNING$", "LANG_CHECK_WARNINGS$", texts);
  if (warnings == 0) return errorText;
  if (errors == 0) return warningText;
  return fillText(texts.text("LANG_CHECK_BOTH$"), {errorText, warningText});
}
