// The problems list: a dock under the preview and panel that shows the skin
// check's findings, each with its severity icon, and takes the author to
// the control that mends one when it is activated. The check runs once the
// edits have paused, never inside an edit step.
#pragma once

#include <QDockWidget>
#include <QListWidget>
#include <QTimer>

#include "app/editor.h"

class ProblemsList : public QDockWidget, public EditorListener {
  Q_OBJECT

 public:
  // How long the skin must stay unchanged before it is checked again: long
  // enough that holding a spin arrow checks only once it is let go.
  static constexpr int kSettleMilliseconds = 200;

  ProblemsList(Editor& editor, QWidget* parent);
  ~ProblemsList() override;

  // EditorListener: any change to the skin or the language starts the wait.
  void canvasChanged() override { settle_.start(); }
  void skinReplaced() override { settle_.start(); }
  void historyChanged() override { settle_.start(); }
  void languageChanged() override;
  void problemsChanged() override;

  QListWidget* list() const { return list_; }

 signals:
  // Entry `index` of Editor::problems was clicked or activated.
  void problemChosen(int index);

 private:
  Editor& editor_;
  QListWidget* list_;
  QTimer settle_;
};
