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
#include <string>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "app/panel_controls.h"
#include "base/desktop.h"
#include "i18n/interface_texts.h"
#include "imaging/image.h"
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
  SkinSnapshot snapshot() const { return {model_, shared_, skinName_}; }
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

  SharedPictures shared_;  // the table's pictures as the history holds them
  std::string skinName_;   // empty: the built-in skin
  EditHistory history_{SkinSnapshot{}};
  Clock clock_ = [] { return std::chrono::steady_clock::now(); };
  std::string lastWriteKey_;
  std::chrono::steady_clock::time_point lastWriteTime_{};
  bool gestureOpen_ = false;
};
