// The editor's one window: menus, the preview with its screen buttons, the
// editing panel and the status bar, at the positions the editor's layout
// gives. It turns Qt events into Editor calls and shows what the Editor
// says; a language change rebuilds its contents in place.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <array>
#include <optional>

#include "app/editor.h"
#include "app/window_layout.h"
#include "preview/preview_canvas.h"

class EditingPanel;
class PreviewWidget;
class ProblemsList;
class QtDesktop;
class SkinWatcher;
class QFrame;
class QKeyEvent;
class QMenuBar;

class MainWindow : public QMainWindow, public EditorListener {
  Q_OBJECT

 public:
  // `desktop` (may be null in tests) is the one the editor reports through;
  // the window makes itself its owner and gives it the progress bar.
  MainWindow(Editor& editor, QtDesktop* desktop);
  ~MainWindow() override;

  // EditorListener
  void canvasChanged() override;
  void screenViewChanged(int oldView, int newView) override;
  void languageChanged() override;
  void layoutChanged() override;
  void historyChanged() override;
  void recentChanged() override;
  void problemsChanged() override;

  // The natural-size canvas pixel under a point of the screen, when the
  // preview shows one there (the colour picker picks from it).
  std::optional<Color> previewPixelAt(QPoint globalPos) const;

  // Client width and usable height (below the menu bar, above the status bar).
  QSize usableSize() const;

  // For tests and the benchmark.
  EditingPanel* panel() const { return panel_; }
  PreviewWidget* preview() const { return preview_; }
  QScrollArea* previewArea() const { return previewArea_; }
  QPushButton* screenButton(int i) const { return screenButtons_[i]; }
  QAction* screenAction(int i) const { return screenActions_[i]; }
  QAction* languageAction(int position) const { return languageActions_[position]; }
  QProgressBar* progressBar() const { return progress_; }
  QLabel* statusText() const { return statusText_; }
  QAction* undoAction() const { return undoAction_; }
  QMenu* recentMenu() const { return recentMenu_; }
  QAction* reloadAction() const { return reloadAction_; }
  bool dropHighlighted() const;
  QAction* redoAction() const { return redoAction_; }
  QAction* recolourAction() const { return recolourAction_; }
  ProblemsList* problemsList() const { return problems_; }
  QPushButton* problemCount() const { return problemCount_; }
  QAction* problemsAction() const { return problemsAction_; }
  QAction* allScreensAction() const { return allScreensAction_; }

  // Called once the preview has painted its first frame.
  std::function<void()> firstFramePainted;
  // Opens the about box; set by whoever owns it.
  std::function<void()> showAbout;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  void buildMenus();
  void buildFileMenu(QMenuBar* bar);
  void buildEditMenu(QMenuBar* bar);
  void buildLanguageMenu(QMenuBar* bar);
  void buildOptionsMenu(QMenuBar* bar);
  void buildScreenMenu(QMenuBar* bar);
  void buildAboutMenu(QMenuBar* bar);
  void buildContents();
  void applyInitialSize();
  void zoomAt(int delta, QPoint globalPos);
  QString text(std::string_view key) const;
  void fillRecentMenu();
  void showStatus(const QString& message);
  // Whether a key press is one of the editor's Undo (-1) or Redo (+1) keys.
  int historyKey(const QKeyEvent& key) const;
  void showDropHighlight(bool shown);
  // Shows or hides the problems list, the window growing or shrinking by
  // its height so that the preview and panel keep theirs.
  void showProblems(bool shown);
  void goToProblem(int index);

  Editor& editor_;
  QtDesktop* desktop_;
  QWidget* contents_ = nullptr;
  QScrollArea* previewArea_ = nullptr;
  PreviewWidget* preview_ = nullptr;
  std::array<QPushButton*, kScreenViewCount> screenButtons_{};
  EditingPanel* panel_ = nullptr;
  std::array<QAction*, kScreenViewCount> screenActions_{};
  std::array<QAction*, 10> languageActions_{};
  QAction* swapAction_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* reloadAction_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QFrame* dropHighlight_ = nullptr;
  SkinWatcher* watcher_ = nullptr;
  QAction* redoAction_ = nullptr;
  QAction* recolourAction_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* statusText_ = nullptr;
  ProblemsList* problems_ = nullptr;
  QPushButton* problemCount_ = nullptr;
  QAction* problemsAction_ = nullptr;
  QAction* allScreensAction_ = nullptr;
  bool firstFrameReported_ = false;
};
