#include "app/editor.h"

#include "app/editor_settings.h"
#include "app/message_batch.h"
#include "app/panel_values.h"
#include "app/skin_edits.h"
#include "app/skin_file_ops.h"
#include "app/window_layout.h"
#include "check/skin_check.h"
#include "preview/screenshot.h"
#include "skin/builtin_pictures.h"
#include "skin/skin_files.h"

Editor::Editor(EditorDesktop& desktop, Folders folders)
    : desktop_(desktop), folders_(std::move(folders)) {
  readEditorSettings(state_, folders_.settings);
  recent_.load(folders_.settings);
  loadInterfaceTexts(texts_, state_.Language, folders_.languages);
}

SkinChanges Editor::edit(const std::string& label, const std::string& mergeKey,
                         const SkinSession::Change& change, Redraw redraw) {
  const SkinChanges changes = session_.edit(label, mergeKey, change);
  for (const FieldRef& field : changes.fields) {
    problems_.fieldEdited(field);
    listeners_.notify(&EditorListener::fieldChanged, field);
  }
  for (int entry : changes.pictures) listeners_.notify(&EditorListener::pictureChanged, entry);
  if (changes.storedText) listeners_.notify(&EditorListener::otherSettingsChanged);
  if (!changes.empty() && !label.empty()) listeners_.notify(&EditorListener::historyChanged);
  if (redraw == Redraw::Always || (redraw == Redraw::IfChanged && !changes.empty())) this->redraw();
  return changes;
}

void Editor::redraw() {
  preview_.redraw(sources(), state_.BGColor);
  listeners_.notify(&EditorListener::canvasChanged);
}

void Editor::start() {
  started_ = true;
  session_.start();
  preview_.select(0);
  // The window may have had its first resize before it listened.
  if (state_.PreviewWidth > 0) listeners_.notify(&EditorListener::layoutChanged);
  listeners_.notify(&EditorListener::skinReplaced);
  redraw();
}

void Editor::showView(int view) {
  const int old = preview_.select(view);
  listeners_.notify(&EditorListener::screenViewChanged, old, view);
}

void Editor::selectScreenView(int view) {
  if (view < 0 || view >= kScreenViewCount) return;
  showView(view);
  redraw();
}

void Editor::showReplacedSkin() {
  listeners_.notify(&EditorListener::skinReplaced);
  showView(0);
  redraw();
}

void Editor::undo() {
  if (session_.undo()) showStep();
}

void Editor::redo() {
  if (session_.redo()) showStep();
}

void Editor::showStep() {
  if (watch_.folder() != session_.folder()) watch_.watch(session_.folder());
  listeners_.notify(&EditorListener::skinReplaced);
  listeners_.notify(&EditorListener::historyChanged);
  redraw();
}

bool Editor::confirmDiscard() {
  if (!session_.modified()) return true;
  switch (desktop_.askUnsavedChanges(text("LANG_UNSAVED_TITLE$"), text("LANG_UNSAVED_QUESTION$"))) {
    case EditorDesktop::UnsavedAnswer::Save:
      return saveFolder();
    case EditorDesktop::UnsavedAnswer::Discard:
      return true;
    case EditorDesktop::UnsavedAnswer::Cancel:
      break;
  }
  return false;
}

std::string Editor::statusText() const {
  std::string status = session_.name().empty() ? text("LANG_STATUS_BUILTIN$") : session_.name();
  if (session_.modified()) status += " \u2014 " + text("LANG_STATUS_MODIFIED$");
  if (watch_.settingsChanged()) status += " \u2014 " + text("LANG_STATUS_CHANGED_ON_DISK$");
  int builtin = 0;
  for (int i = 0; i < kSkinImageCount; ++i)
    if (absentWhenOpened_[i] && session_.images()[i].picture == builtinSkinPicture(i)) ++builtin;
  if (builtin > 0)
    status +=
        " \u2014 " + fillText(text("LANG_STATUS_BUILTIN_PICTURES$"), {std::to_string(builtin)});
  return status;
}

void Editor::newSkin() {
  if (!confirmDiscard()) return;
  session_.replace(text("LANG_FILE_NEW$"), [](SkinModel& model, SkinImageTable& images) {
    resetSkinImages(images);
    resetSkinModel(model);
    return SkinSession::Origin{};
  });
  absentWhenOpened_.reset();
  watch_.watch({});
  problems_.forget();
  listeners_.notify(&EditorListener::historyChanged);
  showView(0);
  listeners_.notify(&EditorListener::skinReplaced);
  redraw();
}

bool Editor::open(const std::string& path, const SkinReader& read) {
  // Shown once the skin is on screen, so the author sees what the list is
  // about.
  MessageBatch problems(desktop_, text("LANG_FILE_PROBLEMS$"));
  SkinRead done =
      readSkinInto(session_, io(problems), text("LANG_FILE_OPEN$"), path, read, state_.LastPath);
  if (done.loaded) {
    absentWhenOpened_.reset();
    for (int i = 0; i < kSkinImageCount; ++i)
      absentWhenOpened_[i] =
          done.record.pictures[static_cast<std::size_t>(i)].origin == PictureOrigin::NotRead;
    problems_.opened(std::move(done.record), session_.images(), identity());
    watch_.watch(session_.folder());
    listeners_.notify(&EditorListener::historyChanged);
    rememberRecent(done.path);
  }
  showReplacedSkin();
  return done.loaded;
}

void Editor::openFolder() {
  if (!confirmDiscard()) return;
  const std::string folder =
      asFolderPath(desktop_.askFolder(text("LANG_REQPATH_LOAD$"), state_.LastPath));
  if (!folder.empty()) open(folder, folderReader(folder));
}

void Editor::openArchive() {
  if (!confirmDiscard()) return;
  const std::string file =
      desktop_.askOpenFile(text("LANG_REQFILE_LOAD$"), "*.zip", "* (*.zip)|*.zip|", 0);
  if (!file.empty()) open(file, archiveReader(file));
}

bool Editor::openPath(const std::string& path) {
  return confirmDiscard() && open(path, pathReader(path));
}

void Editor::reloadFromDisk() {
  if (session_.folder().empty() || !confirmDiscard()) return;
  open(session_.folder(), folderReader(session_.folder()));
}

bool Editor::saveFolder() {
  const std::string folder =
      asFolderPath(desktop_.askFolder(text("LANG_REQPATH_SAVE$"), state_.LastPath));
  if (folder.empty()) return false;
  state_.LastPath = folder;
  MessageBatch problems(desktop_, text("LANG_FILE_PROBLEMS$"));
  return saved(writeSkinFolder(session_, io(problems), folder), folder);
}

bool Editor::saveArchive() {
  int filter = 0;
  const std::string file = archiveSavePath(desktop_.askSaveFile(
      text("LANG_REQFILE_SAVE$"), state_.LastPath, "* (*.zip)|*.zip|", 0, filter));
  if (file.empty()) return false;
  state_.LastPath = folderPart(file);
  MessageBatch problems(desktop_, text("LANG_FILE_PROBLEMS$"));
  return saved(writeSkinArchive(session_, io(problems), file), file);
}

bool Editor::saved(bool worked, const std::string& path) {
  if (worked) {
    // Every picture is in the skin now.
    absentWhenOpened_.reset();
    problems_.saved(identity());
    watch_.watch(session_.folder());
    rememberRecent(path);
  }
  listeners_.notify(&EditorListener::lastUpdateChanged);
  listeners_.notify(&EditorListener::historyChanged);
  return worked;
}

void Editor::rememberRecent(const std::string& path) {
  recent_.remember(path);
  recent_.save(folders_.settings);
  listeners_.notify(&EditorListener::recentChanged);
}

Editor::DiskChange Editor::fileChangedOnDisk(const std::string& path) {
  DiskWatch::News news = watch_.examine(path, session_.images());
  if (news.change == DiskChange::SettingsChanged)
    listeners_.notify(&EditorListener::historyChanged);
  if (news.change != DiskChange::PictureReloaded) return news.change;
  edit(std::string(skinImageFileName(news.entry)), {},
       putPicture(news.entry, std::move(news.picture)));
  return news.change;
}

void Editor::reportUnreadablePicture(const std::string& path) {
  watch_.giveUp(path);
  desktop_.showMessage(text("LANG_ERROR$"), path + ": " + text("LANG_FILE_UNKNOWN$"));
}

void Editor::checkProblems() {
  problems_.refresh(session_.model(), session_.images(), texts_, identity());
  listeners_.notify(&EditorListener::problemsChanged);
}

PanelTarget Editor::showProblem(int index) {
  if (index < 0 || index >= static_cast<int>(problems().size())) return {};
  const Finding& finding = problems()[static_cast<std::size_t>(index)];
  const PanelTarget target = findingTarget(finding);
  const int view = findingView(finding, target, preview_.view());
  if (view != preview_.view()) selectScreenView(view);
  return target;
}

void Editor::changeLanguage(int language) {
  state_.Language = language;
  loadInterfaceTexts(texts_, language, folders_.languages);
  preview_.select(0);
  listeners_.notify(&EditorListener::languageChanged);
  listeners_.notify(&EditorListener::skinReplaced);
  redraw();
}

void Editor::pickBackgroundColor() {
  state_.BGColor = desktop_.pickColor(state_.BGColor) & 0xFFFFFF;
  redraw();
}

void Editor::toggleSwapView(int clientWidth, int usableHeight) {
  ::toggleSwapView(state_, clientWidth, usableHeight);
  listeners_.notify(&EditorListener::layoutChanged);
  redraw();
}

void Editor::resize(int clientWidth, int usableHeight) {
  layoutOnResize(state_, clientWidth, usableHeight);
  listeners_.notify(&EditorListener::layoutChanged);
  // Before start() there is nothing to show, and start() draws.
  if (started_) redraw();
}

bool Editor::wheel(int delta) {
  if (!preview_.wheel(delta, state_.ZoomFactor)) return false;
  listeners_.notify(&EditorListener::canvasChanged);
  return true;
}

void Editor::setElementValue(FieldRef field, int value) {
  if (!integer(field)) return;
  const std::string label = fieldLabel(field);
  edit(label, label, writeInteger(field, value));
}

void Editor::setElementChecked(FieldRef field, bool checked) {
  if (integer(field)) edit(fieldLabel(field), {}, writeInteger(field, checked ? 1 : 0));
}

void Editor::pickFieldColor(int colorButton) {
  const FieldRef field = colorButtonField(colorButton);
  const Color* current = field.empty() ? nullptr : colorField(model(), field.section, field.key);
  if (!current) return;
  edit(fieldLabel(field), {}, writeColor(field, desktop_.pickColor(*current) & 0xFFFFFF));
}

bool Editor::replaceImageFromFile(int imageButton, const std::string& path) {
  const int entry = imageButtonEntry(imageButton);
  if (entry < 0) return false;
  return !edit(std::string(skinImageFileName(entry)), {}, [&](SkinModel&, SkinImageTable& images) {
            if (path.empty() || !replaceSkinImageFromFile(images, entry, io(), path))
              return SkinChanges{};
            return SkinChanges{{}, {entry}};
          }).empty();
}

void Editor::replaceImage(int imageButton) {
  const int entry = imageButtonEntry(imageButton);
  if (entry < 0) return;
  replaceImageFromFile(imageButton, askPictureFile(desktop_, texts_, state_.LastPath,
                                                   session_.images()[entry].baseName));
}

void Editor::setInfoText(int infoField, const std::string& value) {
  const FieldRef field = editableInfoField(infoField);
  if (field.empty() || !textField(model(), field.section, field.key)) return;
  const std::string label = fieldLabel(field);
  edit(label, label, writeText(field, value), Redraw::Never);
}

bool Editor::editSettings(std::string_view section, std::string_view key,
                          const SkinSession::Change& change) {
  const SkinChanges changes = edit(settingLabel(section, key), {}, change, Redraw::Never);
  if (!changes.fields.empty()) redraw();
  return !changes.empty();
}

bool Editor::setOtherSetting(std::size_t line, const std::string& value) {
  const std::vector<OtherSetting> settings = otherSettings();
  const OtherSetting* setting = findOtherSetting(settings, line);
  return setting && editSettings(setting->section, setting->key, setOtherValue(line, value));
}

bool Editor::removeOtherSetting(std::size_t line) {
  const std::vector<OtherSetting> settings = otherSettings();
  const OtherSetting* setting = findOtherSetting(settings, line);
  return setting && editSettings(setting->section, setting->key, removeOther(line));
}

bool Editor::addOtherSetting(const std::string& section, const std::string& key,
                             const std::string& value) {
  return editSettings(section, key, addOther(section, key, value));
}

bool Editor::pickOtherSettingColor(std::size_t line) {
  const std::vector<OtherSetting> settings = otherSettings();
  const OtherSetting* setting = findOtherSetting(settings, line);
  if (!setting || !readsAsColor(setting->value)) return false;
  const Color current = colorFromText(setting->value);
  const std::string picked = colorToText(desktop_.pickColor(current) & 0xFFFFFF);
  // Cancelled, or the same colour: the value keeps its own spelling.
  if (picked == colorToText(current)) return false;
  return editSettings(setting->section, setting->key, setOtherValue(line, picked));
}

void Editor::dragElementBy(int dx, int dy) {
  if (!drag_.active()) return;
  const ElementDrag::Position to = drag_.at(dx, dy);
  // Nothing to record yet: the whole drag becomes one step when it ends.
  edit({}, {}, writePosition(drag_.xField(), drag_.yField(), to.x, to.y), Redraw::IfChanged);
}

void Editor::endElementDrag() {
  if (!drag_.active()) return;
  const FieldRef x = drag_.xField(), y = drag_.yField();
  const bool moved = drag_.current(session_.model()) != drag_.start();
  drag_.end();
  // The element is already where the drag left it and drawn there.
  edit(
      "[" + std::string(x.section) + "] x, y", {},
      [&](SkinModel&, SkinImageTable&) {
        return moved ? SkinChanges{{x, y}, {}} : SkinChanges{};
      },
      Redraw::Never);
}

void Editor::cancelElementDrag() {
  if (!drag_.active()) return;
  dragElementBy(0, 0);
  drag_.end();
}

void Editor::beginRecolour() {
  recolour_ = std::make_unique<RecolourEdit>(session_.model(), session_.images());
}

// Every trial is part of the dialog's gesture: its one step is made by OK.
void Editor::previewRecolour(const RecolourParams& params, const RecolourParts& parts) {
  if (recolour_) edit({}, {}, recolour_->trial(params, parts), Redraw::IfChanged);
}

void Editor::commitRecolour() {
  const std::unique_ptr<RecolourEdit> done = std::move(recolour_);
  if (done) edit(text("LANG_RECOLOUR_TITLE$"), {}, done->keep(), Redraw::Never);
}

void Editor::cancelRecolour() {
  const std::unique_ptr<RecolourEdit> done = std::move(recolour_);
  if (done) edit({}, {}, done->undo(), Redraw::IfChanged);
}

void Editor::finish() { writeEditorSettings(state_, folders_.settings); }
