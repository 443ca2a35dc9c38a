#include "app/skin_session.h"

#include "skin/builtin_pictures.h"
#include "skin/skin_files.h"

namespace {

// Writes to one field closer together than this belong to one gesture
// (a held spin-box arrow repeats far faster).
constexpr auto kGestureGap = std::chrono::milliseconds(1000);

}  // namespace

SkinSession::SkinSession() { resetSkinModel(model_); }

void SkinSession::start() {
  resetSkinImages(images_);
  resetSkinModel(model_);
  // The built-in pictures live as long as the program: the history can
  // point at them rather than hold a copy of each.
  for (int i = 0; i < kSkinImageCount; ++i)
    shared_[i] =
        std::shared_ptr<const Image>(std::shared_ptr<const Image>(), &builtinSkinPicture(i));
  name_.clear();
  history_ = EditHistory(snapshot());
}

void SkinSession::shareAllPictures() {
  for (int i = 0; i < kSkinImageCount; ++i)
    shared_[i] = std::make_shared<const Image>(images_[i].picture);
}

void SkinSession::forgetGesture() {
  gestureOpen_ = false;
  lastWriteKey_.clear();
}

SkinChanges SkinSession::edit(const std::string& label, const std::string& mergeKey,
                              const Change& change) {
  SkinChanges changes = change(model_, images_);
  if (changes.empty()) return changes;
  for (int entry : changes.pictures)
    shared_[entry] = std::make_shared<const Image>(images_[entry].picture);
  if (label.empty()) return changes;
  const auto now = clock_();
  const bool merge = !mergeKey.empty() && gestureOpen_ && mergeKey == lastWriteKey_ &&
                     now - lastWriteTime_ < kGestureGap;
  history_.record(label, snapshot(), mergeKey, merge);
  lastWriteKey_ = mergeKey;
  lastWriteTime_ = now;
  gestureOpen_ = !mergeKey.empty();
  return changes;
}

bool SkinSession::replace(const std::string& label, const Load& load) {
  std::optional<Origin> origin = load(model_, images_);
  if (!origin) return false;
  name_ = std::move(origin->name);
  folder_ = std::move(origin->folder);
  shareAllPictures();
  forgetGesture();
  history_.record(label, snapshot());
  history_.markSaved();
  return true;
}

bool SkinSession::save(std::string name, std::string folder, const Write& write,
                       std::shared_ptr<const SkinSource> source) {
  if (!write(model_, images_)) return false;
  name_ = std::move(name);
  folder_ = std::move(folder);
  images_.setSource(std::move(source));
  history_.replaceCurrent(snapshot());
  history_.markSaved();
  return true;
}

void SkinSession::restore(const SkinSnapshot& state) {
  model_ = state.model;
  for (int i = 0; i < kSkinImageCount; ++i)
    images_[i].picture = state.pictures[i] ? *state.pictures[i] : Image();
  shared_ = state.pictures;
  images_.setSource(state.source);
  name_ = state.name;
  folder_ = state.folder;
  forgetGesture();
}

bool SkinSession::undo() {
  if (!history_.canUndo()) return false;
  restore(history_.undo());
  return true;
}

bool SkinSession::redo() {
  if (!history_.canRedo()) return false;
  restore(history_.redo());
  return true;
}
