// The editor without its window: the program-wide records (EditorState,
// SkinModel, SkinImageTable, InterfaceTexts, the current ScreenView) and the
// operation behind every menu item and panel control, each doing its steps
// in the order the user expects (open: model, fill, view 0, redraw). It
// reaches the user only through Desktop and tells the window what to show
// through EditorView, so all of it runs in tests without a display.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "app/panel_controls.h"
#include "app/recent_skins.h"
#include "app/recolour_edit.h"
#include "base/desktop.h"
#include "i18n/interface_texts.h"
#include "imaging/image.h"
#include "preview/draw_record.h"
#include "skin/skin_images.h"
#include "skin/skin_io_context.h"
#include "skin/skin_model.h"

// What the editor asks of its window. Each call is made once per change.
class EditorView {
 public:
  virtual ~EditorView() = default;
  // A new natural-size canvas is ready (Editor::canvas), or the zoom changed.
  virtual void canvasChanged() = 0;
  // Every panel control is to show its field's value again.
  virtual void fillControls() = 0;
  // The check mark and the enabled panel controls move from `oldView` (the
  // view whose controls get disabled; kNoScreenView for none) to `newView`.
  virtual void screenViewChanged(int oldView, int newView) = 0;
  // The interface texts changed: rebuild the window, menus and panel.
  virtual void rebuild() = 0;
  // Preview and panel moved (swap view); EditorState holds the new layout.
  virtual void layoutChanged() = 0;
  // The read-only LastUpdate field is to show the stamp of the last save.
  virtual void lastUpdateChanged() {}
  // Undo, redo, the skin's name or its modified state changed.
  virtual void historyChanged() {}
};

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
  Editor(Desktop& desktop, Folders folders);
  // Settings and language files both below `home`.
  explicit Editor(Desktop& desktop, const std::filesystem::path& home = ".")
      : Editor(desktop, Folders{home, home}) {}

  // After the window exists: built-in pictures and model, fill, redraw.
  void start(EditorView& view);

  // Menu items. New and the opens first ask about unsaved edits; a save
  // returns whether every file was written (false also when cancelled).
  void newSkin();
  void openFolder();
  void openArchive();
  bool saveFolder();
  bool saveArchive();
  void screenshotToFile();
  void screenshotToClipboard();
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
  // One wheel event's signed delta. +-120 is one zoom step; smaller deltas
  // (touchpads, fine-grained wheels) add up to one; anything larger is
  // ignored. Returns whether the zoom changed (it then redrew).
  bool wheel(int delta);

  // Panel controls.
  void setElementValue(FieldRef field, int value);
  void setElementChecked(FieldRef field, bool checked);
  void pickFieldColor(int colorButton);
  void replaceImage(int imageButton);
  // Information fields write into the model as they are edited; no view
  // draws them, so nothing is redrawn.
  void setInfoText(int infoField, const std::string& text);
  // The user let go of a control (mouse released, field left): the next
  // write starts a new undo step even to the same field.
  void endGesture() { gestureOpen_ = false; }

  // A folder, or else an archive, by its path: what a drop, the recent
  // list and the command line open, exactly as the menu items would.
  bool openPath(const std::string& path);
  // A picture file dropped on an image button: the button's rules.
  bool replaceImageFromFile(int imageButton, const std::string& path);
  const RecentSkins& recent() const { return recent_; }

  // The open skin's folder (empty for an archive or the built-in skin) and
  // the files of it worth watching.
  const std::string& skinFolder() const { return skinFolder_; }
  std::vector<std::string> watchedFiles() const;
  // What a change of `path` on disk meant. A picture of the skin folder is
  // reloaded (one undo step) unless it cannot be decoded yet; a changed
  // settings file is only noted, never read over the author's edits.
  enum class DiskChange { None, PictureReloaded, PictureNotReady, SettingsChanged };
  DiskChange fileChangedOnDisk(const std::string& path);
  // A picture that stayed undecodable once its file settled: said, and the
  // entry keeps its picture.
  void reportUnreadablePicture(const std::string& path);
  bool settingsChangedOnDisk() const { return settingsChangedOnDisk_; }
  // The whole skin again from its folder (asking first about unsaved edits).
  void reloadFromDisk();

  // What the preview shows where: the item of the current canvas at a
  // natural-size canvas point, or nullptr on the hinge and margins.
  const DrawItem* itemAt(int canvasX, int canvasY) const;
  // Dragging an element row's x and y: moves follow the pointer in whole
  // handheld pixels from where the drag began, within the spin boxes'
  // ranges; the whole drag is one undo step, a cancel puts it back.
  bool beginElementDrag(int row);
  void dragElementBy(int dx, int dy);
  void endElementDrag();
  void cancelElementDrag();
  bool dragging() const { return dragRow_ >= 0; }

  // Recolouring the whole skin from a dialog: begin captures the skin, each
  // preview shows the captured skin recoloured, commit keeps what is shown
  // as one undo step (none when nothing changed), cancel puts back exactly
  // what was there and leaves the history alone.
  void beginRecolour();
  void previewRecolour(const RecolourParams& params, const RecolourParts& parts);
  void commitRecolour();
  void cancelRecolour();
  bool recolouring() const { return recolour_ != nullptr; }

  // After the event loop: writes the editor settings.
  void finish();

  // What the window shows.
  const EditorState& state() const { return state_; }
  const SkinModel& model() const { return model_; }
  const SkinImageTable& images() const { return images_; }
  const InterfaceTexts& texts() const { return texts_; }
  int screenView() const { return screenView_; }
  const Image& canvas() const { return canvas_; }
  int redrawCount() const { return redraws_; }

  // The value a panel control shows.
  const std::int32_t* integer(FieldRef field) const;
  Color color(int colorButton) const;
  const std::string& infoText(int infoField) const;

  const Folders& folders() const { return folders_; }

  const EditHistory& history() const { return history_; }
  bool modified() const { return history_.modified(); }
  // The skin's name, and that it is modified, in the current language.
  std::string statusText() const;
  std::string undoText() const;
  std::string redoText() const;

  // Time source for merging the writes of one gesture; tests set their own.
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  void setClock(Clock clock) { clock_ = std::move(clock); }

 private:
  void redraw();
  void afterOpen();
  SkinIoContext io();
  std::string text(std::string_view key) const { return texts_.text(key); }
  void reportNotSaved(const std::string& path);
  SkinSnapshot snapshot() const { return {model_, shared_, skinName_, skinFolder_}; }
  bool loadFolder(const std::string& folder);
  bool loadArchive(const std::string& file);
  void rememberRecent(const std::string& path);
  struct FileStamp {
    std::uintmax_t size = 0;
    long long time = 0;
    bool exists = false;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp stampOf(const std::string& path);
  void rememberStamps();
  void shareAllPictures();
  // One undo step for a change already made; writes to `mergeKey` in one
  // gesture share a step.
  void recordStep(const std::string& label, const std::string& mergeKey = {});
  void recordWholeSkin(const std::string& label);
  void restore(const SkinSnapshot& state);

  Desktop& desktop_;
  Folders folders_;
  EditorView* view_ = nullptr;
  EditorState state_;
  SkinModel model_;
  SkinImageTable images_;
  InterfaceTexts texts_;
  int screenView_ = 0;
  Image canvas_;
  int redraws_ = 0;
  int wheelRemainder_ = 0;

  SharedPictures shared_;   // the table's pictures as the history holds them
  std::string skinName_;    // empty: the built-in skin
  std::string skinFolder_;  // ending in "/"; empty for archives and the built-in skin
  bool settingsChangedOnDisk_ = false;
  std::map<std::string, FileStamp> stamps_;  // of the skin folder's files as last read or written
  RecentSkins recent_;
  EditHistory history_{SkinSnapshot{}};
  Clock clock_ = [] { return std::chrono::steady_clock::now(); };
  std::string lastWriteKey_;
  std::chrono::steady_clock::time_point lastWriteTime_{};
  bool gestureOpen_ = false;
  DrawRecord drawn_;  // what the last redraw put where
  int dragRow_ = -1;
  int dragStartX_ = 0, dragStartY_ = 0;
  std::unique_ptr<RecolourEdit> recolour_;
};
