// The editor without its window: the one object the window talks to. It
// holds the program-wide records (EditorState, InterfaceTexts, the recent
// list) and coordinates the jobs that have classes of their own (the open
// skin, the watch on its folder, the preview, an element drag), doing each
// operation's steps in the order the user expects (open: model, fill,
// view 0, redraw). It reaches the user only through EditorDesktop and tells
// its listeners what changed, so all of it runs in tests without a display.
#pragma once

#include <bitset>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/disk_watch.h"
#include "app/edit_history.h"
#include "app/editor_desktop.h"
#include "app/editor_listener.h"
#include "app/editor_state.h"
#include "app/element_drag.h"
#include "app/other_settings_edit.h"
#include "app/panel_controls.h"
#include "app/panel_values.h"
#include "app/picture_requests.h"
#include "app/preview_state.h"
#include "app/recent_skins.h"
#include "app/recolour_edit.h"
#include "app/screenshot_actions.h"
#include "app/skin_file_ops.h"
#include "app/skin_problems.h"
#include "app/skin_session.h"
#include "i18n/interface_texts.h"
#include "imaging/image.h"
#include "preview/draw_record.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_io_context.h"
#include "skin/skin_model.h"

class Editor {
 public:
  // Where the editor keeps its settings ("settings/settings.ini" below
  // `settings`) and finds its language files ("language/" below
  // `languages`).
  struct Folders {
    std::filesystem::path settings = ".";
    std::filesystem::path languages = ".";
  };

  // Start-up before any window: start values, the editor settings, the
  // interface texts of the chosen language. The skin is the built-in one
  // until start() puts it in place.
  Editor(EditorDesktop& desktop, Folders folders);
  // Settings and language files both below `home`.
  explicit Editor(EditorDesktop& desktop, const std::filesystem::path& home = ".")
      : Editor(desktop, Folders{home, home}) {}

  // Whoever shows the editor subscribes; a listener leaves before it goes.
  void addListener(EditorListener& listener) { listeners_.add(listener); }
  void removeListener(EditorListener& listener) { listeners_.remove(listener); }

  // After the window exists: built-in pictures and model, fill, redraw.
  void start();

  // Menu items. New and the opens first ask about unsaved edits; a save
  // returns whether every file was written (false also when cancelled).
  void newSkin();
  void openFolder();
  void openArchive();
  bool saveFolder();
  bool saveArchive();
  void screenshotToFile() { saveScreenshot(desktop_, texts_, state_.LastPath, sources()); }
  void screenshotToClipboard() { copyScreenshotToClipboard(desktop_, sources()); }
  void screenshotAllToFile() {
    saveContactSheet(desktop_, texts_, state_.LastPath, sources(), session_.name());
  }
  void selectScreenView(int view);
  void changeLanguage(int language);
  void pickBackgroundColor();
  void toggleSwapView(int clientWidth, int usableHeight);
  void requestQuit() { state_.QuitRequested = true; }
  void undo();
  void redo();

  // Whether the skin may be replaced or the editor closed: true when
  // nothing is unsaved, or when the author chose to save (and it worked) or
  // to discard; false when the author cancelled.
  bool confirmDiscard();

  // Window events.
  void resize(int clientWidth, int usableHeight);
  // One wheel event's signed delta (see PreviewState::wheel). Returns
  // whether the zoom changed (it then redrew).
  bool wheel(int delta);

  // Panel controls.
  void setElementValue(FieldRef field, int value);
  void setElementChecked(FieldRef field, bool checked);
  void pickFieldColor(int colorButton);
  void replaceImage(int imageButton);
  // Information fields write into the model as they are edited; no view
  // draws them, so nothing is redrawn.
  void setInfoText(int infoField, const std::string& text);
  // The settings of the file that no field owns, in file order, and their
  // edits: each is one undo step and redraws nothing, as no view draws
  // them (an added key that names a field sets the field, and that is
  // drawn). Each returns whether it changed the skin; a `line` no longer
  // in the list, or a part that would not make a well-formed line,
  // changes nothing.
  std::vector<OtherSetting> otherSettings() const { return ::otherSettings(session_.model()); }
  bool setOtherSetting(std::size_t line, const std::string& value);
  bool removeOtherSetting(std::size_t line);
  bool addOtherSetting(const std::string& section, const std::string& key,
                       const std::string& value);
  // The colour picker on a value that reads as a colour; the chosen
  // colour is written as the handheld writes colours ("0x7fff").
  bool pickOtherSettingColor(std::size_t line);

  // The user let go of a control (mouse released, field left): the next
  // write starts a new undo step even to the same field.
  void endGesture() { session_.endGesture(); }

  // A folder, or else an archive, by its path: what a drop, the recent
  // list and the command line open, exactly as the menu items would.
  bool openPath(const std::string& path);
  // A picture file dropped on an image button: the button's rules.
  bool replaceImageFromFile(int imageButton, const std::string& path);
  const RecentSkins& recent() const { return recent_; }

  // The open skin's folder (empty for an archive or the built-in skin) and
  // the files of it worth watching.
  const std::string& skinFolder() const { return session_.folder(); }
  std::vector<std::string> watchedFiles() const { return watch_.watchedFiles(); }
  // What a change of `path` on disk meant. A picture of the skin folder is
  // reloaded (one undo step) unless it cannot be decoded yet; a changed
  // settings file is only noted, never read over the author's edits.
  using DiskChange = DiskWatch::Change;
  DiskChange fileChangedOnDisk(const std::string& path);
  // A picture that stayed undecodable once its file settled: said, and the
  // entry keeps its picture.
  void reportUnreadablePicture(const std::string& path);
  bool settingsChangedOnDisk() const { return watch_.settingsChanged(); }
  // The whole skin again from its folder (asking first about unsaved edits).
  void reloadFromDisk();

  // What the preview shows where: the item of the current canvas at a
  // natural-size canvas point, or nullptr on the hinge and margins.
  const DrawItem* itemAt(int canvasX, int canvasY) const {
    return preview_.itemAt(canvasX, canvasY);
  }
  // Dragging an element row's x and y (see ElementDrag); the whole drag is
  // one undo step, a cancel puts it back.
  bool beginElementDrag(int row) { return drag_.begin(row, session_.model()); }
  void dragElementBy(int dx, int dy);
  void endElementDrag();
  void cancelElementDrag();
  bool dragging() const { return drag_.active(); }

  // Recolouring the whole skin from a dialog: begin captures the skin, each
  // preview shows the captured skin recoloured, commit keeps what is shown
  // as one undo step (none when nothing changed), cancel puts back exactly
  // what was there and leaves the history alone.
  void beginRecolour();
  void previewRecolour(const RecolourParams& params, const RecolourParts& parts);
  void commitRecolour();
  void cancelRecolour();
  bool recolouring() const { return recolour_ != nullptr; }

  // Writes the editor settings. Called on every way out (the window
  // closing, the application quitting, a termination signal), so that none
  // can end the editor without them; more than once is harmless.
  void finish();

  // What the window shows.
  const EditorState& state() const { return state_; }
  const SkinModel& model() const { return session_.model(); }
  const SkinImageTable& images() const { return session_.images(); }
  const InterfaceTexts& texts() const { return texts_; }
  int screenView() const { return preview_.view(); }
  const Image& canvas() const { return preview_.canvas(); }
  int redrawCount() const { return preview_.redrawCount(); }

  // The value a panel control shows.
  const std::int32_t* integer(FieldRef field) const {
    return integerField(session_.model(), field.section, field.key);
  }
  Color color(int colorButton) const { return colorButtonValue(session_.model(), colorButton); }
  const std::string& infoText(int infoField) const {
    return infoFieldValue(session_.model(), infoField);
  }

  const Folders& folders() const { return folders_; }

  const EditHistory& history() const { return session_.history(); }
  bool modified() const { return session_.modified(); }
  // The skin's name, that it is modified, and how many of its pictures the
  // skin lacked when opened and are still the built-in ones, in the current
  // language.
  std::string statusText() const;
  // "Undo [big clock] x": the menu item with the step it takes back.
  std::string undoText() const { return withLabel("LANG_EDIT_UNDO$", history().undoLabel()); }
  std::string redoText() const { return withLabel("LANG_EDIT_REDO$", history().redoLabel()); }

  // The problems list: the skin check of the skin as it is now, run when
  // the window asks (after edits have settled, not inside each step); the
  // listeners hear problemsChanged.
  void checkProblems();
  const std::vector<Finding>& problems() const { return problems_.findings(); }
  // "2 errors, 1 warning" in the current language.
  std::string problemCountText() const { return ::problemCountText(problems(), texts_); }
  // Shows the view of problem `index` and returns the control that mends
  // it, which the panel is to focus, as a click on the preview would.
  PanelTarget showProblem(int index);

  // Time source for merging the writes of one gesture; tests set their own.
  using Clock = SkinSession::Clock;
  void setClock(Clock clock) { session_.setClock(std::move(clock)); }

 private:
  enum class Redraw { Always, IfChanged, Never };
  // Every edit of the skin: the change, its undo step, the listeners told
  // what changed, and one redraw.
  SkinChanges edit(const std::string& label, const std::string& mergeKey,
                   const SkinSession::Change& change, Redraw redraw = Redraw::Always);
  // An edit of the stored settings text, labelled "[section] key".
  bool editSettings(std::string_view section, std::string_view key,
                    const SkinSession::Change& change);
  // After the skin was replaced, opened or not: refill, view 0, redraw.
  void showReplacedSkin();
  void redraw();
  void showView(int view);
  SkinIoContext io() { return io(desktop_); }
  SkinIoContext io(Desktop& reportTo) { return SkinIoContext{reportTo, texts_}; }
  std::string text(std::string_view key) const { return texts_.text(key); }
  std::string withLabel(std::string_view key, const std::string& label) const {
    return label.empty() ? text(key) : text(key) + " " + label;
  }
  // Opens the skin `read` reads from `path`: LastPath follows, and one
  // saved step, the watch and the recent list when it was read.
  bool open(const std::string& path, const SkinReader& read);
  // After a save that `worked` (or not) to `path`.
  bool saved(bool worked, const std::string& path);
  void rememberRecent(const std::string& path);
  // After an undo or redo.
  void showStep();
  PreviewSources sources() const { return {session_.model(), session_.images()}; }
  SkinProblems::Identity identity() const { return {session_.name(), session_.folder()}; }

  EditorDesktop& desktop_;
  Folders folders_;
  EditorListeners listeners_;
  bool started_ = false;
  EditorState state_;
  InterfaceTexts texts_;
  RecentSkins recent_;
  SkinSession session_;
  DiskWatch watch_;
  PreviewState preview_;
  ElementDrag drag_;
  std::unique_ptr<RecolourEdit> recolour_;
  SkinProblems problems_;
  // The pictures the opened skin did not carry, until it is saved whole.
  std::bitset<kSkinImageCount> absentWhenOpened_;
};
