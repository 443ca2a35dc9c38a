#include "app/edit_history.h"

#include <utility>

EditHistory::EditHistory(SkinSnapshot initial) : base_(std::move(initial)) {}

std::size_t EditHistory::newBytes(const SharedPictures& before, const SharedPictures& after) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < after.size(); ++i)
    if (after[i] && after[i] != before[i]) bytes += after[i]->pixels.size() * sizeof(Color);
  return bytes;
}

const SkinSnapshot& EditHistory::current() const {
  return position_ == 0 ? base_ : steps_[position_ - 1].after;
}

void EditHistory::record(std::string label, SkinSnapshot after, const std::string& mergeKey,
                         bool merge) {
  // What could be redone is gone; a saved position among it can no longer
  // be reached.
  while (steps_.size() > position_) {
    pictureBytes_ -= steps_.back().newPictureBytes;
    steps_.pop_back();
  }
  if (saved_ > static_cast<long>(position_)) saved_ = -1;

  if (merge && !mergeKey.empty() && position_ > 0 && steps_.back().mergeKey == mergeKey &&
      saved_ != static_cast<long>(position_)) {
    Step& last = steps_.back();
    const SharedPictures& before =
        position_ >= 2 ? steps_[position_ - 2].after.pictures : base_.pictures;
    pictureBytes_ -= last.newPictureBytes;
    last.newPictureBytes = newBytes(before, after.pictures);
    pictureBytes_ += last.newPictureBytes;
    last.after = std::move(after);
    return;
  }
  Step step{std::move(label), mergeKey, std::move(after), 0};
  step.newPictureBytes = newBytes(current().pictures, step.after.pictures);
  pictureBytes_ += step.newPictureBytes;
  steps_.push_back(std::move(step));
  ++position_;
  while (steps_.size() > kMaximumSteps ||
         (pictureBytes_ > kPictureBudget && steps_.size() > kMinimumSteps))
    dropOldest();
}

void EditHistory::dropOldest() {
  Step& oldest = steps_.front();
  pictureBytes_ -= oldest.newPictureBytes;
  // The oldest step's state becomes the base; its pictures now count for
  // nothing, as the base's never did.
  base_ = std::move(oldest.after);
  steps_.pop_front();
  --position_;
  saved_ = saved_ > 0 ? saved_ - 1 : -1;
  if (!steps_.empty()) {
    pictureBytes_ -= steps_.front().newPictureBytes;
    steps_.front().newPictureBytes = newBytes(base_.pictures, steps_.front().after.pictures);
    pictureBytes_ += steps_.front().newPictureBytes;
  }
}

const std::string& EditHistory::undoLabel() const {
  static const std::string none;
  return canUndo() ? steps_[position_ - 1].label : none;
}

const std::string& EditHistory::redoLabel() const {
  static const std::string none;
  return canRedo() ? steps_[position_].label : none;
}

const SkinSnapshot& EditHistory::undo() {
  if (canUndo()) --position_;
  return current();
}

const SkinSnapshot& EditHistory::redo() {
  if (canRedo()) ++position_;
  return current();
}

void EditHistory::replaceCurrent(SkinSnapshot state) {
  (position_ == 0 ? base_ : steps_[position_ - 1].after) = std::move(state);
}
