// What the editor tells whoever shows it: the window, the panel, the file
// watch. Each listens to what concerns it; every call has an empty default.
// Each event is sent once per change, after the change is complete.
#pragma once

#include <algorithm>
#include <vector>

#include "app/panel_controls.h"

class EditorListener {
 public:
  virtual ~EditorListener() = default;
  // A new natural-size canvas is ready (Editor::canvas), or the zoom changed.
  virtual void canvasChanged() {}
  // Every control is to show the skin again: another skin is open (new,
  // open, reload, undo, redo), or the controls were built anew.
  virtual void skinReplaced() {}
  // One field of the open skin has a new value.
  virtual void fieldChanged(FieldRef field) { (void)field; }
  // One picture entry of the open skin has a new picture.
  virtual void pictureChanged(int entry) { (void)entry; }
  // The settings no field owns changed (Editor::otherSettings): one was
  // edited, added or removed. Each names its line afresh.
  virtual void otherSettingsChanged() {}
  // The check mark and the enabled panel controls move from `oldView` (the
  // view whose controls get disabled; kNoScreenView for none) to `newView`.
  virtual void screenViewChanged(int oldView, int newView) { (void)oldView, (void)newView; }
  // The interface texts changed: rebuild the window, menus and panel.
  virtual void languageChanged() {}
  // Preview and panel moved (swap view, resize); EditorState holds the layout.
  virtual void layoutChanged() {}
  // The read-only LastUpdate field is to show the stamp of the last save.
  virtual void lastUpdateChanged() {}
  // Undo, redo, the skin's name or folder, its modified or on-disk state changed.
  virtual void historyChanged() {}
  // The list of recently opened skins changed.
  virtual void recentChanged() {}
  // The skin check ran again (Editor::problems).
  virtual void problemsChanged() {}
};

// Everyone listening, in the order they subscribed. A listener may come or
// go while an event is sent (a rebuilt panel): one that went hears no more
// of it, one that came hears the next event.
class EditorListeners {
 public:
  void add(EditorListener& listener) { listeners_.push_back(&listener); }
  void remove(EditorListener& listener) { std::erase(listeners_, &listener); }

  template <typename... Params, typename... Args>
  void notify(void (EditorListener::*event)(Params...), const Args&... args) const {
    const std::vector<EditorListener*> sending = listeners_;
    for (EditorListener* listener : sending)
      if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
        (listener->*event)(args...);
  }

 private:
  std::vector<EditorListener*> listeners_;
};
