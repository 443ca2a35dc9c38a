#include "app/editor.h"

#include <algorithm>
#include <cstdlib>

#include "app/editor_settings.h"
#include "app/point_at.h"
#include "app/window_layout.h"
#include "imaging/image_encoders.h"
#include "preview/preview_canvas.h"
#include "preview/screenshot.h"
#include "skin/skin_files.h"

namespace {

constexpr int kWheelNotch = 120;
// Writes to one field closer together than this belong to one gesture
// (a held spin-box arrow repeats far faster).
constexpr auto kGestureGap = std::chrono::milliseconds(1000);

std::string lastFolderName(std::string path) {
  while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string fieldLabel(std::string_view section, std::string_view key) {
  return "[" + std::string(section) + "] " + std::string(key);
}

std::string asFolder(std::string path) {
  if (!path.empty() && !path.ends_with('/') && !path.ends_with('\\')) path += '/';
  return path;
}

}  // namespace

Editor::Editor(Desktop& desktop, Folders folders)
    : desktop_(desktop), folders_(std::move(folders)) {
  readEditorSettings(state_, folders_.settings);
  recent_.load(folders_.settings);
  loadInterfaceTexts(texts_, state_.Language, folders_.languages);
  // The built-in skin arrives with start(), once the window exists; until
  // then the model holds its defaults and the pictures are empty.
  resetSkinModel(model_);
}

void Editor::shareAllPictures() {
  for (int i = 0; i < kSkinImageCount; ++i)
    shared_[i] = std::make_shared<const Image>(images_[i].picture);
}

void Editor::recordStep(const std::string& label, const std::string& mergeKey) {
  const auto now = clock_();
  const bool merge = !mergeKey.empty() && gestureOpen_ && mergeKey == lastWriteKey_ &&
                     now - lastWriteTime_ < kGestureGap;
  history_.record(label, snapshot(), mergeKey, merge);
  lastWriteKey_ = mergeKey;
  lastWriteTime_ = now;
  gestureOpen_ = !mergeKey.empty();
  if (view_) view_->historyChanged();
}

void Editor::recordWholeSkin(const std::string& label) {
  shareAllPictures();
  gestureOpen_ = false;
  lastWriteKey_.clear();
  history_.record(label, snapshot());
  history_.markSaved();
  if (view_) view_->historyChanged();
}

void Editor::restore(const SkinSnapshot& state) {
  model_ = state.model;
  for (int i = 0; i < kSkinImageCount; ++i)
    images_[i].picture = state.pictures[i] ? *state.pictures[i] : Image();
  shared_ = state.pictures;
  skinName_ = state.name;
  if (skinFolder_ != state.folder) {
    skinFolder_ = state.folder;
    settingsChangedOnDisk_ = false;
    rememberStamps();
  }
  gestureOpen_ = false;
  lastWriteKey_.clear();
  if (view_) {
    view_->fillControls();
    view_->historyChanged();
  }
  redraw();
}

void Editor::undo() {
  if (history_.canUndo()) restore(history_.undo());
}

void Editor::redo() {
  if (history_.canRedo()) restore(history_.redo());
}

bool Editor::confirmDiscard() {
  if (!history_.modified()) return true;
  switch (desktop_.askUnsavedChanges(text("LANG_UNSAVED_TITLE$"), text("LANG_UNSAVED_QUESTION$"))) {
    case Desktop::UnsavedAnswer::Save:
      return saveFolder();
    case Desktop::UnsavedAnswer::Discard:
      return true;
    case Desktop::UnsavedAnswer::Cancel:
      break;
  }
  return false;
}

std::string Editor::statusText() const {
  std::string status = skinName_.empty() ? text("LANG_STATUS_BUILTIN$") : skinName_;
  if (history_.modified()) status += " \u2014 " + text("LANG_STATUS_MODIFIED$");
  if (settingsChangedOnDisk_) status += " \u2014 " + text("LANG_STATUS_CHANGED_ON_DISK$");
  return status;
}

std::string Editor::undoText() const {
  const std::string& label = history_.undoLabel();
  return text("LANG_EDIT_UNDO$") + (label.empty() ? "" : " " + label);
}

std::string Editor::redoText() const {
  const std::string& label = history_.redoLabel();
  return text("LANG_EDIT_REDO$") + (label.empty() ? "" : " " + label);
}

SkinIoContext Editor::io() { return SkinIoContext{desktop_, texts_}; }

void Editor::start(EditorView& view) {
  view_ = &view;
  resetSkinImages(images_);
  resetSkinModel(model_);
  shareAllPictures();
  skinName_.clear();
  history_ = EditHistory(snapshot());
  screenView_ = 0;
  // The window may have had its first resize before it was the view.
  if (state_.PreviewWidth > 0) view_->layoutChanged();
  view_->fillControls();
  redraw();
}

void Editor::redraw() {
  canvas_ = composeCanvas(renderScreenView(screenView_, PreviewSources{model_, images_}, &drawn_),
                          state_.BGColor);
  ++redraws_;
  if (view_) view_->canvasChanged();
}

void Editor::selectScreenView(int view) {
  if (view < 0 || view >= kScreenViewCount) return;
  const int old = screenView_;
  screenView_ = view;
  if (view_) view_->screenViewChanged(old, view);
  redraw();
}

void Editor::newSkin() {
  if (!confirmDiscard()) return;
  resetSkinImages(images_);
  resetSkinModel(model_);
  skinName_.clear();
  skinFolder_.clear();
  settingsChangedOnDisk_ = false;
  stamps_.clear();
  recordWholeSkin(text("LANG_FILE_NEW$"));
  const int old = screenView_;
  screenView_ = 0;
  if (view_) {
    view_->screenViewChanged(old, 0);
    view_->fillControls();
  }
  redraw();
}

void Editor::afterOpen() {
  if (view_) view_->fillControls();
  const int old = screenView_;
  screenView_ = 0;
  if (view_) view_->screenViewChanged(old, 0);
  redraw();
}

void Editor::openFolder() {
  if (!confirmDiscard()) return;
  const std::string folder =
      asFolder(desktop_.askFolder(text("LANG_REQPATH_LOAD$"), state_.LastPath));
  if (folder.empty()) return;
  loadFolder(folder);
}

void Editor::openArchive() {
  if (!confirmDiscard()) return;
  const std::string file =
      desktop_.askOpenFile(text("LANG_REQFILE_LOAD$"), "*.zip", "* (*.zip)|*.zip|", 0);
  if (file.empty()) return;
  loadArchive(file);
}

bool Editor::loadFolder(const std::string& folder) {
  state_.LastPath = folder;
  const bool loaded = loadSkinFromFolder(model_, images_, io(), folder);
  if (loaded) {
    skinName_ = lastFolderName(folder);
    skinFolder_ = folder;
    settingsChangedOnDisk_ = false;
    recordWholeSkin(text("LANG_FILE_OPEN$") + " " + skinName_);
    rememberStamps();
    rememberRecent(folder);
  }
  afterOpen();
  return loaded;
}

bool Editor::loadArchive(const std::string& file) {
  state_.LastPath = folderPart(file);
  const bool loaded = openSkinArchive(model_, images_, io(), file);
  if (loaded) {
    skinName_ = lastFolderName(file);
    skinFolder_.clear();
    settingsChangedOnDisk_ = false;
    recordWholeSkin(text("LANG_FILE_OPEN$") + " " + skinName_);
    rememberRecent(file);
  }
  afterOpen();
  return loaded;
}

bool Editor::openPath(const std::string& path) {
  if (!confirmDiscard()) return false;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return loadFolder(asFolder(path));
  return loadArchive(path);
}

bool Editor::saveFolder() {
  const std::string folder =
      asFolder(desktop_.askFolder(text("LANG_REQPATH_SAVE$"), state_.LastPath));
  if (folder.empty()) return false;
  state_.LastPath = folder;
  const bool saved = saveSkinFolder(model_, images_, io(), folder);
  if (saved) {
    // The skin on disk is now this one, under the folder's name.
    skinName_ = lastFolderName(folder);
    skinFolder_ = folder;
    settingsChangedOnDisk_ = false;
    history_.replaceCurrent(snapshot());
    history_.markSaved();
    rememberStamps();
    rememberRecent(folder);
  }
  if (view_) {
    view_->lastUpdateChanged();
    view_->historyChanged();
  }
  return saved;
}

bool Editor::saveArchive() {
  int filter = 0;
  std::string file = desktop_.askSaveFile(text("LANG_REQFILE_SAVE$"), state_.LastPath,
                                          "* (*.zip)|*.zip|", 0, filter);
  if (file.empty()) return false;
  const std::size_t slash = file.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  if (name.find('.') == std::string::npos) file += ".zip";
  state_.LastPath = folderPart(file);
  const bool saved = saveSkinArchive(model_, images_, io(), file);
  if (saved) {
    // The skin is now the archive: nothing of it on disk to watch.
    skinName_ = lastFolderName(file);
    skinFolder_.clear();
    stamps_.clear();
    settingsChangedOnDisk_ = false;
    history_.replaceCurrent(snapshot());
    history_.markSaved();
    rememberRecent(file);
  }
  if (view_) {
    view_->lastUpdateChanged();
    view_->historyChanged();
  }
  return saved;
}

void Editor::rememberRecent(const std::string& path) {
  recent_.remember(path);
  recent_.save(folders_.settings);
}

Editor::FileStamp Editor::stampOf(const std::string& path) {
  std::error_code error;
  FileStamp stamp;
  stamp.size = std::filesystem::file_size(path, error);
  if (error) return {};
  stamp.time = std::filesystem::last_write_time(path, error).time_since_epoch().count();
  stamp.exists = !error;
  return stamp;
}

void Editor::rememberStamps() {
  stamps_.clear();
  if (skinFolder_.empty()) return;
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string path = skinFolder_ + std::string(images_[i].fileName);
    stamps_[path] = stampOf(path);
  }
  const std::string settings = skinFolder_ + "uisettings.ini";
  stamps_[settings] = stampOf(settings);
}

std::vector<std::string> Editor::watchedFiles() const {
  std::vector<std::string> files;
  if (skinFolder_.empty()) return files;
  files.push_back(skinFolder_ + "uisettings.ini");
  for (int i = 0; i < kSkinImageCount; ++i)
    files.push_back(skinFolder_ + std::string(images_[i].fileName));
  return files;
}

Editor::DiskChange Editor::fileChangedOnDisk(const std::string& path) {
  if (skinFolder_.empty() || !path.starts_with(skinFolder_)) return DiskChange::None;
  const FileStamp now = stampOf(path);
  auto known = stamps_.find(path);
  // The editor's own saves, and events for files that did not change, are
  // not news.
  if (known != stamps_.end() && known->second == now) return DiskChange::None;
  const std::string relative = path.substr(skinFolder_.size());
  if (relative == "uisettings.ini") {
    stamps_[path] = now;
    if (!now.exists) return DiskChange::None;
    settingsChangedOnDisk_ = true;
    if (view_) view_->historyChanged();
    return DiskChange::SettingsChanged;
  }
  const int entry = SkinImageTable::indexOf(relative);
  if (entry < 0 || !now.exists) return DiskChange::None;
  std::optional<Image> picture = readSkinPictureFile(path);
  // Half written: the caller tries again once the file has settled.
  if (!picture) return DiskChange::PictureNotReady;
  stamps_[path] = now;
  if (picture->width == images_[entry].picture.width &&
      picture->height == images_[entry].picture.height &&
      picture->pixels == images_[entry].picture.pixels)
    return DiskChange::None;
  images_[entry].picture = std::move(*picture);
  shared_[entry] = std::make_shared<const Image>(images_[entry].picture);
  recordStep(std::string(images_[entry].fileName));
  redraw();
  return DiskChange::PictureReloaded;
}

void Editor::reportUnreadablePicture(const std::string& path) {
  stamps_[path] = stampOf(path);
  desktop_.showMessage(text("LANG_ERROR$"), path + ": " + text("LANG_FILE_UNKNOWN$"));
}

void Editor::reloadFromDisk() {
  if (skinFolder_.empty() || !confirmDiscard()) return;
  loadFolder(skinFolder_);
}

bool Editor::replaceImageFromFile(int imageButton, const std::string& path) {
  const auto table = imageButtonTable();
  if (imageButton < 0 || imageButton >= static_cast<int>(table.size())) return false;
  const int entry = SkinImageTable::indexOf(table[imageButton].fileName);
  const bool replaced = replaceSkinImageFromFile(images_, entry, io(), path);
  if (replaced) {
    shared_[entry] = std::make_shared<const Image>(images_[entry].picture);
    recordStep(std::string(table[imageButton].fileName));
  }
  redraw();
  return replaced;
}

void Editor::reportNotSaved(const std::string& path) {
  desktop_.showMessage(text("LANG_ERROR$"), path + ": " + text("LANG_FILE_NOTSAVE$"));
}

void Editor::screenshotToFile() {
  int filter = 0;
  const std::string chosen = desktop_.askSaveFile(text("LANG_REQFILE_SAVE$"), state_.LastPath,
                                                  std::string(screenshotFilterList()), 0, filter);
  if (chosen.empty()) return;
  state_.LastPath = folderPart(chosen);
  // A name the rules refuse, or a write that fails, is said rather than
  // passed over: otherwise the author believes the picture was saved.
  const std::optional<ScreenshotTarget> target = screenshotTarget(chosen, filter);
  if (!target) {
    reportNotSaved(chosen);
    return;
  }
  const Image shot = renderScreenshot(PreviewSources{model_, images_});
  if (!writeImageFile(target->path, shot, target->format)) reportNotSaved(target->path);
}

void Editor::screenshotToClipboard() {
  const Image shot = renderScreenshot(PreviewSources{model_, images_});
  desktop_.putPictureOnClipboard(shot.width, shot.height, shot.pixels);
}

void Editor::changeLanguage(int language) {
  state_.Language = language;
  loadInterfaceTexts(texts_, language, folders_.languages);
  screenView_ = 0;
  if (view_) {
    view_->rebuild();
    view_->fillControls();
  }
  redraw();
}

void Editor::pickBackgroundColor() {
  state_.BGColor = desktop_.pickColor(state_.BGColor) & 0xFFFFFF;
  redraw();
}

void Editor::toggleSwapView(int clientWidth, int usableHeight) {
  ::toggleSwapView(state_, clientWidth, usableHeight);
  if (view_) view_->layoutChanged();
  redraw();
}

void Editor::resize(int clientWidth, int usableHeight) {
  layoutOnResize(state_, clientWidth, usableHeight);
  if (view_) view_->layoutChanged();
  redraw();
}

bool Editor::wheel(int delta) {
  int steps = 0;
  if (std::abs(delta) == kWheelNotch) {
    wheelRemainder_ = 0;
    steps = delta;
  } else if (delta != 0 && std::abs(delta) < kWheelNotch) {
    // A change of direction starts a new gesture.
    if ((wheelRemainder_ > 0) != (delta > 0)) wheelRemainder_ = 0;
    wheelRemainder_ += delta;
    if (std::abs(wheelRemainder_) >= kWheelNotch) {
      steps = wheelRemainder_ > 0 ? kWheelNotch : -kWheelNotch;
      wheelRemainder_ -= steps;
    }
  }
  if (steps == 0 || !applyWheelDelta(state_.ZoomFactor, steps)) return false;
  if (view_) view_->canvasChanged();
  ++redraws_;
  return true;
}

const std::int32_t* Editor::integer(FieldRef field) const {
  return integerField(const_cast<SkinModel&>(model_), field.section, field.key);
}

void Editor::setElementValue(FieldRef field, int value) {
  std::int32_t* target = integerField(model_, field.section, field.key);
  if (!target) return;
  if (*target != value) {
    *target = value;
    const std::string label = fieldLabel(field.section, field.key);
    recordStep(label, label);
  }
  redraw();
}

void Editor::setElementChecked(FieldRef field, bool checked) {
  std::int32_t* target = integerField(model_, field.section, field.key);
  if (!target) return;
  if (*target != (checked ? 1 : 0)) {
    *target = checked ? 1 : 0;
    recordStep(fieldLabel(field.section, field.key));
  }
  redraw();
}

Color Editor::color(int colorButton) const {
  const auto table = colorButtonTable();
  if (colorButton < 0 || colorButton >= static_cast<int>(table.size())) return 0;
  const Color* field =
      colorField(const_cast<SkinModel&>(model_), "global settings", table[colorButton].key);
  return field ? *field : 0;
}

void Editor::pickFieldColor(int colorButton) {
  const auto table = colorButtonTable();
  if (colorButton < 0 || colorButton >= static_cast<int>(table.size())) return;
  Color* field = colorField(model_, "global settings", table[colorButton].key);
  if (!field) return;
  const Color picked = desktop_.pickColor(*field) & 0xFFFFFF;
  if (picked != *field) {
    *field = picked;
    recordStep(fieldLabel("global settings", table[colorButton].key));
  }
  redraw();
}

void Editor::replaceImage(int imageButton) {
  const auto table = imageButtonTable();
  if (imageButton < 0 || imageButton >= static_cast<int>(table.size())) return;
  const int entry = SkinImageTable::indexOf(table[imageButton].fileName);
  if (replaceSkinImage(images_, entry, io(), state_.LastPath)) {
    shared_[entry] = std::make_shared<const Image>(images_[entry].picture);
    recordStep(std::string(table[imageButton].fileName));
  }
  redraw();
}

const std::string& Editor::infoText(int infoField) const {
  static const std::string none;
  const auto table = infoFieldTable();
  if (infoField < 0 || infoField >= static_cast<int>(table.size())) return none;
  const std::string* field =
      textField(const_cast<SkinModel&>(model_), "SkinInfo", table[infoField].key);
  return field ? *field : none;
}

void Editor::setInfoText(int infoField, const std::string& value) {
  const auto table = infoFieldTable();
  if (infoField < 0 || infoField >= static_cast<int>(table.size())) return;
  if (!table[infoField].editable) return;
  std::string* field = textField(model_, "SkinInfo", table[infoField].key);
  if (!field || *field == value) return;
  *field = value;
  const std::string label = fieldLabel("SkinInfo", table[infoField].key);
  recordStep(label, label);
}

const DrawItem* Editor::itemAt(int canvasX, int canvasY) const {
  return ::itemAt(drawn_, canvasX, canvasY);
}

bool Editor::beginElementDrag(int row) {
  if (!isDraggableRow(row) || dragRow_ >= 0) return false;
  const ElementRowEntry& entry = elementRowTable()[row];
  const std::int32_t* x = integer(entry.spins[0]);
  const std::int32_t* y = integer(entry.spins[1]);
  if (!x || !y) return false;
  dragRow_ = row;
  dragStartX_ = *x;
  dragStartY_ = *y;
  return true;
}

void Editor::dragElementBy(int dx, int dy) {
  if (dragRow_ < 0) return;
  const ElementRowEntry& entry = elementRowTable()[dragRow_];
  std::int32_t* x = integerField(model_, entry.spins[0].section, entry.spins[0].key);
  std::int32_t* y = integerField(model_, entry.spins[1].section, entry.spins[1].key);
  // A value loaded outside the spin box's range starts from where the spin
  // box shows it.
  const int newX = std::clamp(std::clamp(dragStartX_, 0, kElementSpinMaximum[0]) + dx, 0,
                              kElementSpinMaximum[0]);
  const int newY = std::clamp(std::clamp(dragStartY_, 0, kElementSpinMaximum[1]) + dy, 0,
                              kElementSpinMaximum[1]);
  if (dx == 0 && dy == 0) {
    if (*x == dragStartX_ && *y == dragStartY_) return;
    *x = dragStartX_;
    *y = dragStartY_;
  } else {
    if (*x == newX && *y == newY) return;
    *x = newX;
    *y = newY;
  }
  if (view_) view_->fillControls();
  redraw();
}

void Editor::endElementDrag() {
  if (dragRow_ < 0) return;
  const ElementRowEntry& entry = elementRowTable()[dragRow_];
  dragRow_ = -1;
  const std::int32_t* x = integer(entry.spins[0]);
  const std::int32_t* y = integer(entry.spins[1]);
  if (*x == dragStartX_ && *y == dragStartY_) return;
  gestureOpen_ = false;
  recordStep("[" + std::string(entry.spins[0].section) + "] x, y");
}

void Editor::cancelElementDrag() {
  if (dragRow_ < 0) return;
  dragElementBy(0, 0);
  dragRow_ = -1;
}

void Editor::beginRecolour() { recolour_ = std::make_unique<RecolourEdit>(model_, images_); }

void Editor::previewRecolour(const RecolourParams& params, const RecolourParts& parts) {
  if (recolour_ && recolour_->preview(params, parts, model_, images_)) redraw();
}

void Editor::commitRecolour() {
  if (!recolour_) return;
  const std::unique_ptr<RecolourEdit> done = std::move(recolour_);
  if (!done->changed()) return;
  // Only the pictures that changed are new to the history.
  for (int i : done->changedPictures())
    shared_[i] = std::make_shared<const Image>(images_[i].picture);
  gestureOpen_ = false;
  recordStep(text("LANG_RECOLOUR_TITLE$"));
  if (view_) view_->fillControls();
}

void Editor::cancelRecolour() {
  if (!recolour_) return;
  const std::unique_ptr<RecolourEdit> done = std::move(recolour_);
  done->restore(model_, images_);
  redraw();
}

void Editor::finish() { writeEditorSettings(state_, folders_.settings); }
