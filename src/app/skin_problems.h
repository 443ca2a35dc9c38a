// The problems list of the open skin: the skin check over the model as the
// editor holds it and over what the last open read from disk, kept in step
// with the author's edits, and the way from each problem to the panel
// control and the view that mend it.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/panel_controls.h"
#include "app/point_at.h"
#include "check/skin_check.h"
#include "i18n/interface_texts.h"
#include "imaging/image.h"
#include "skin/skin_images.h"
#include "skin/skin_load_record.h"
#include "skin/skin_model.h"

class SkinProblems {
 public:
  // Which skin the record belongs to, so that an undo back past the open
  // does not lay the opened skin's files over an older skin.
  struct Identity {
    std::string name;
    std::string folder;
    bool operator==(const Identity&) const = default;
  };

  // A skin was opened: what its load found on disk, and its pictures as
  // they were read (a picture the author later replaces is no longer the
  // one the file findings are about).
  void opened(SkinLoadRecord record, const SkinImageTable& images, Identity identity);
  // A skin with nothing on disk behind it (the built-in one, a new one).
  void forget();
  // The skin was written: the pictures on disk are now the editor's, so
  // what the old picture files had wrong is gone with them.
  void saved(Identity identity);
  // The author gave a field a new value. For a model without stored
  // settings text, findings about that field's lines no longer apply.
  void fieldEdited(FieldRef field);

  // Runs the check on the skin as it is now; the settings file is checked
  // as the next save writes it (the model's stored text with its changes).
  void refresh(const SkinModel& model, const SkinImageTable& images, const InterfaceTexts& texts,
               const Identity& current);

  const std::vector<Finding>& findings() const { return findings_; }

 private:
  std::optional<SkinLoadRecord> record_;
  Identity identity_;
  // The pictures the record's origins describe, by entry (empty where the
  // entry was read as a 16-bit BMP and nothing about its file can go stale).
  std::vector<Image> loadedPictures_;
  std::set<std::pair<std::string, std::string>> editedFields_;
  std::vector<Finding> findings_;
};

// The control that mends a finding: the picture's image button (the first
// one of a finding about several), the colour's button, or the row of the
// element the field or text belongs to.
PanelTarget findingTarget(const Finding& finding);
// The view to show for a finding while `currentView` is shown: the
// control's own view when it has one (its controls are enabled only
// there), else the current view when the finding shows in it, else the
// first view where it shows; `currentView` when nothing says.
int findingView(const Finding& finding, const PanelTarget& target, int currentView);

// "2 errors, 1 warning", "No problems", in the interface language.
std::string problemCountText(const std::vector<Finding>& findings, const InterfaceTexts& texts);
