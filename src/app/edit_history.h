// Undo and redo of every change to the skin. Each step keeps the whole
// skin as it was after the step: the model by value (a few kilobytes) and
// the pictures by shared pointer, so a step that replaces one picture holds
// one new picture and shares the other 52 with the step before it.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "imaging/image.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

using SharedPictures = std::array<std::shared_ptr<const Image>, kSkinImageCount>;

struct SkinSnapshot {
  SkinModel model;
  SharedPictures pictures;
  std::string name;  // what the status bar calls the skin
  std::string
      folder;  // the folder it lives in, ending in "/"; empty for archives and the built-in skin
  // Where its files are read back from by the next save (the table's source).
  std::shared_ptr<const SkinSource> source;
};

class EditHistory {
 public:
  // Steps kept at most, and the picture bytes past which the oldest steps
  // go (never below kMinimumSteps): 200 replacements of a full 256 x 192
  // screen picture hold about 39 MB.
  static constexpr std::size_t kMaximumSteps = 1000;
  static constexpr std::size_t kMinimumSteps = 200;
  static constexpr std::size_t kPictureBudget = std::size_t(256) << 20;

  explicit EditHistory(SkinSnapshot initial);

  // A new step after the current one; the steps that could be redone go.
  // With `merge` set and the same non-empty `mergeKey` as the step just
  // made (and not yet saved), that step takes the new state instead.
  void record(std::string label, SkinSnapshot after, const std::string& mergeKey = {},
              bool merge = false);

  bool canUndo() const { return position_ > 0; }
  bool canRedo() const { return position_ < steps_.size(); }
  const std::string& undoLabel() const;
  const std::string& redoLabel() const;
  // Moves one step and returns the skin as it now is.
  const SkinSnapshot& undo();
  const SkinSnapshot& redo();

  const SkinSnapshot& current() const;
  // A save changes the current state without making a step: the skin's
  // name (saved somewhere else) and its LastUpdate stamp.
  void replaceCurrent(SkinSnapshot state);

  // The current position is what is on disk now.
  void markSaved() { saved_ = static_cast<long>(position_); }
  bool modified() const { return saved_ != static_cast<long>(position_); }

  std::size_t size() const { return steps_.size(); }
  std::size_t pictureBytes() const { return pictureBytes_; }

 private:
  struct Step {
    std::string label;
    std::string mergeKey;
    SkinSnapshot after;
    std::size_t newPictureBytes = 0;  // pictures this step holds that the one before did not
  };
  static std::size_t newBytes(const SharedPictures& before, const SharedPictures& after);
  void dropOldest();

  SkinSnapshot base_;
  std::deque<Step> steps_;
  std::size_t position_ = 0;  // steps applied
  long saved_ = 0;            // position that matches the disk; -1 when none can
  std::size_t pictureBytes_ = 0;
};
