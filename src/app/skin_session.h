// The open skin: its model and pictures, the pictures as the history shares
// them, the undo history with its merging of one gesture's writes, its name
// and folder, and whether it is saved. Every change to it comes through
// edit(), replace(), save() or a step of the history.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/edit_history.h"
#include "app/panel_controls.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

// What one change did to the skin: the fields and picture entries it gave
// new values, and whether the settings file's stored text changed (a
// setting no field owns). Nothing listed: nothing changed.
struct SkinChanges {
  std::vector<FieldRef> fields;
  std::vector<int> pictures;
  bool storedText = false;
  bool empty() const { return fields.empty() && pictures.empty() && !storedText; }
};

class SkinSession {
 public:
  // Time source for merging the writes of one gesture; tests set their own.
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  // Changes the model or the pictures in place and lists what it changed.
  using Change = std::function<SkinChanges(SkinModel&, SkinImageTable&)>;
  // What a whole skin is called (empty: the built-in skin) and the folder
  // it lives in (ending in "/"; empty for archives and the built-in skin).
  struct Origin {
    std::string name;
    std::string folder;
  };
  // Fills model and pictures with a whole skin and says where it came
  // from; nothing when it could not (and then changed nothing).
  using Load = std::function<std::optional<Origin>(SkinModel&, SkinImageTable&)>;
  // Writes the skin somewhere (stamping LastUpdate); whether it all worked.
  using Write = std::function<bool(SkinModel&, const SkinImageTable&)>;

  // Until start(), the model holds its defaults and the pictures are empty.
  SkinSession();

  // The built-in skin with a history that starts at it.
  void start();

  // The one way a skin changes by editing. `change` runs; what it changed
  // becomes one undo step named `label`. Writes to the same non-empty
  // `mergeKey` in one gesture (close together, no endGesture between) share
  // a step. An empty `label` makes no step: the change is part of a gesture
  // whose step is made when it ends (a drag).
  SkinChanges edit(const std::string& label, const std::string& mergeKey, const Change& change);
  // The next write starts a new step even to the same field.
  void endGesture() { gestureOpen_ = false; }

  // Another whole skin in place of this one. When `load` worked, one undo
  // step named `label` that is also the saved state.
  bool replace(const std::string& label, const Load& load);

  // When `write` worked, the skin is the one on disk, under `name` in
  // `folder`, its files at `source`: saved, with no new step.
  bool save(std::string name, std::string folder, const Write& write,
            std::shared_ptr<const SkinSource> source);

  // One step back or forward; false when there is none.
  bool undo();
  bool redo();

  const SkinModel& model() const { return model_; }
  const SkinImageTable& images() const { return images_; }
  const std::string& name() const { return name_; }      // empty: the built-in skin
  const std::string& folder() const { return folder_; }  // ending in "/"; may be empty
  const EditHistory& history() const { return history_; }
  bool modified() const { return history_.modified(); }

  void setClock(Clock clock) { clock_ = std::move(clock); }

 private:
  SkinSnapshot snapshot() const { return {model_, shared_, name_, folder_, images_.source()}; }
  void shareAllPictures();
  void restore(const SkinSnapshot& state);
  void forgetGesture();

  SkinModel model_;
  SkinImageTable images_;
  SharedPictures shared_;  // the table's pictures as the history holds them
  std::string name_;
  std::string folder_;
  EditHistory history_{SkinSnapshot{}};
  Clock clock_ = [] { return std::chrono::steady_clock::now(); };
  std::string lastWriteKey_;
  std::chrono::steady_clock::time_point lastWriteTime_{};
  bool gestureOpen_ = false;
};
