#include "ui/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QWheelEvent>

#include "preview/preview_canvas.h"
#include "ui/editing_panel.h"
#include "ui/panel_widgets.h"
#include "ui/preview_widget.h"
#include "ui/problems_list.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"
#include "ui/recolour_dialog.h"
#include "ui/skin_watcher.h"

namespace {

constexpr int kInitialButtonWidth = 19;
constexpr int kProgressFieldWidth = 275;
constexpr int kPreviewScrollStep = 8;

// The language menu in its order: the number each item selects and a label
// that no language file changes, each naming its language in itself.
struct LanguageItem {
  int language;
  const char* label;
};
constexpr int kLanguageItemCount = 10;
constexpr LanguageItem kLanguageItems[kLanguageItemCount] = {
    {0, "English (built-in)"},
    {1, "繁体中文"},
    {2, "简体中文"},
    {3, "Español"},
    {4, "Français"},
    {5, "Deutsch"},
    {6, "Português (Brasil)"},
    {7, "Italiano"},
    {9, "日本語"},
    {8, "Other (other.ini)"},
};

}  // namespace

MainWindow::MainWindow(Editor& editor, QtDesktop* desktop) : editor_(editor), desktop_(desktop) {
  editor_.addListener(*this);
  setWindowTitle(toQString(EditorState::ProductTitle) + toQString(EditorState::VersionText));
  if (desktop_) {
    desktop_->setOwner(this);
    desktop_->text = [this](const char* key) { return text(key); };
  }

  progress_ = new QProgressBar();
  progress_->setRange(0, kSkinImageCount);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  progress_->setFixedWidth(kProgressFieldWidth);
  progress_->setAccessibleName(QStringLiteral("Progress"));
  statusText_ = new QLabel();
  statusText_->setAccessibleDescription(QStringLiteral("Status"));
  statusBar()->addWidget(progress_);
  statusBar()->addWidget(statusText_, 1);
  problemCount_ = new QPushButton();
  problemCount_->setFlat(true);
  problemCount_->setFocusPolicy(Qt::TabFocus);
  connect(problemCount_, &QPushButton::clicked, this, [this] {
    showProblems(true);
    problems_->list()->setFocus();
  });
  statusBar()->addPermanentWidget(problemCount_);
  statusBar()->setSizeGripEnabled(true);
  if (desktop_) desktop_->setProgressBar(progress_);

  qApp->installEventFilter(this);
  watcher_ = new SkinWatcher(editor_, this);
  setAcceptDrops(true);
  problems_ = new ProblemsList(editor_, this);
  addDockWidget(Qt::BottomDockWidgetArea, problems_);
  connect(problems_, &ProblemsList::problemChosen, this, &MainWindow::goToProblem);
  build();
}

void MainWindow::goToProblem(int index) {
  // As a click on the preview: the view first, so that the control is
  // enabled, then the control.
  const PanelTarget target = editor_.showProblem(index);
  panel_->focusTarget(target);
  if (target.kind != PanelTarget::Kind::ElementRow) return;
  // The spin box of the very field the problem names, not the row's first.
  const Finding& finding = editor_.problems()[static_cast<std::size_t>(index)];
  const ElementRowEntry& row = elementRowTable()[static_cast<std::size_t>(target.index)];
  for (int k = 0; k < 3; ++k)
    if (!row.spins[k].empty() && row.spins[k].key == finding.key)
      if (QSpinBox* spin = panel_->elementSpin(target.index, k)) spin->setFocus();
}

void MainWindow::showProblems(bool shown) {
  if (problemsAction_) problemsAction_->setChecked(shown);
  if (problems_->isHidden() != shown) return;
  // Worked out first: showing the list may already grow the window to its
  // new minimum.
  const int target = height() + (shown ? 1 : -1) * problems_->sizeHint().height();
  problems_->setVisible(shown);
  // The minimum size must lose the list before the window can.
  layout()->activate();
  resize(width(), target);
}

void MainWindow::problemsChanged() {
  const QString counts = toQString(editor_.problemCountText());
  problemCount_->setText(counts);
  problemCount_->setAccessibleName(counts);
  problemCount_->setToolTip(text("LANG_CHECK_SHOW_LIST$"));
}

void MainWindow::fillRecentMenu() {
  recentMenu_->clear();
  for (const std::string& path : editor_.recent().paths()) {
    const QString shown = toQString(path);
    QAction* action = recentMenu_->addAction(shown);
    // A skin that is gone stays listed, so the author sees where it was.
    action->setEnabled(QFileInfo::exists(shown));
    // Queued: the open may rebuild nothing, but it runs after the menu closed.
    connect(
        action, &QAction::triggered, this, [this, path] { editor_.openPath(path); },
        Qt::QueuedConnection);
  }
  recentMenu_->setEnabled(!editor_.recent().paths().empty());
}

void MainWindow::recentChanged() { fillRecentMenu(); }

void MainWindow::showStatus(const QString& message) {
  if (statusText_->text() == message) return;
  statusText_->setText(message);
  // A screen reader reads the label by its name, so the name is the
  // message; setting it announces the change.
  statusText_->setAccessibleName(message);
}

bool MainWindow::dropHighlighted() const { return dropHighlight_ && dropHighlight_->isVisible(); }

void MainWindow::showDropHighlight(bool shown) {
  if (!dropHighlight_) {
    dropHighlight_ = new QFrame(this);
    dropHighlight_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dropHighlight_->setStyleSheet(QStringLiteral("border: 3px solid palette(highlight);"));
  }
  dropHighlight_->setGeometry(rect());
  dropHighlight_->setVisible(shown);
  if (shown) dropHighlight_->raise();
}

namespace {

bool isSkinPath(const QString& path) {
  const QFileInfo info(path);
  return info.isDir() || (info.isFile() && info.suffix().compare(u"zip", Qt::CaseInsensitive) == 0);
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!isSkinPath(draggedLocalPath(event->mimeData()))) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  showDropHighlight(true);
}

void MainWindow::dragLeaveEvent(QDragLeaveEvent* event) {
  showDropHighlight(false);
  QMainWindow::dragLeaveEvent(event);
}

void MainWindow::dropEvent(QDropEvent* event) {
  showDropHighlight(false);
  const QString path = draggedLocalPath(event->mimeData());
  if (!isSkinPath(path)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // After the drop has finished: the open may ask a question and show
  // message boxes.
  QMetaObject::invokeMethod(
      this, [this, file = toUtf8(path)] { editor_.openPath(file); }, Qt::QueuedConnection);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  editor_.removeListener(*this);
}

QString MainWindow::text(std::string_view key) const {
  return toQString(editor_.texts().text(key));
}

void MainWindow::build() {
  buildMenus();
  buildContents();
  applyInitialSize();
}

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->clear();
  // The menus of the previous language go with their actions.
  qDeleteAll(bar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));

  buildFileMenu(bar);
  buildEditMenu(bar);
  buildLanguageMenu(bar);
  buildOptionsMenu(bar);
  buildScreenMenu(bar);
  buildAboutMenu(bar);
}

void MainWindow::buildFileMenu(QMenuBar* bar) {
  QMenu* file = bar->addMenu(text("LANG_FILE$"));
  QAction* fresh = file->addAction(text("LANG_FILE_NEW$"), this, [this] { editor_.newSkin(); });
  fresh->setShortcut(QKeySequence::New);
  QMenu* open = file->addMenu(text("LANG_FILE_OPEN$"));
  QAction* openFolder =
      open->addAction(text("LANG_FILE_OPEN_FOLDER$"), this, [this] { editor_.openFolder(); });
  openFolder->setShortcut(QKeySequence::Open);
  open->addAction(QStringLiteral("*.zip"), this, [this] { editor_.openArchive(); });
  recentMenu_ = file->addMenu(text("LANG_FILE_RECENT$"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
  fillRecentMenu();
  QMenu* save = file->addMenu(text("LANG_FILE_SAVE$"));
  QAction* saveFolder =
      save->addAction(text("LANG_FILE_SAVE_FOLDER$"), this, [this] { editor_.saveFolder(); });
  saveFolder->setShortcut(QKeySequence::Save);
  save->addAction(QStringLiteral("*.zip"), this, [this] { editor_.saveArchive(); });
  reloadAction_ =
      file->addAction(text("LANG_FILE_RELOAD$"), this, [this] { editor_.reloadFromDisk(); });
  file->addSeparator();
  QMenu* shot = file->addMenu(text("LANG_FILE_SCREENSHOT$"));
  shot->addAction(text("LANG_FILE_SCREENSHOT2D$"), this, [this] { editor_.screenshotToFile(); });
  shot->addAction(text("LANG_FILE_SCREENSHOT2C$"), this,
                  [this] { editor_.screenshotToClipboard(); });
  allScreensAction_ =
      shot->addAction(text("LANG_SHEET_SAVE$"), this, [this] { editor_.screenshotAllToFile(); });
  file->addSeparator();
  QAction* quit = file->addAction(text("LANG_FILE_CLOSE$"), this, [this] { close(); });
  quit->setShortcut(QKeySequence::Quit);
}

void MainWindow::buildEditMenu(QMenuBar* bar) {
  QMenu* edit = bar->addMenu(text("LANG_EDIT$"));
  undoAction_ = edit->addAction(QString(), this, [this] { editor_.undo(); });
  undoAction_->setShortcut(QKeySequence::Undo);
  redoAction_ = edit->addAction(QString(), this, [this] { editor_.redo(); });
  redoAction_->setShortcuts({QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y)});
  historyChanged();
}

void MainWindow::buildLanguageMenu(QMenuBar* bar) {
  QMenu* languages = bar->addMenu(QStringLiteral("Language"));
  auto* languageGroup = new QActionGroup(languages);
  languageGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (int position = 0; position < kLanguageItemCount; ++position) {
    const LanguageItem item = kLanguageItems[position];
    QAction* action = languages->addAction(toQString(item.label));
    action->setCheckable(true);
    action->setChecked(editor_.state().Language == item.language);
    languageGroup->addAction(action);
    // Queued: the rebuild deletes this very menu.
    connect(
        action, &QAction::triggered, this,
        [this, language = item.language] { editor_.changeLanguage(language); },
        Qt::QueuedConnection);
    languageActions_[position] = action;
  }
}

void MainWindow::buildOptionsMenu(QMenuBar* bar) {
  QMenu* options = bar->addMenu(text("LANG_OPTIONS$"));
  options->addAction(text("LANG_OPTIONS_BACKCOLOR$"), this,
                     [this] { editor_.pickBackgroundColor(); });
  swapAction_ = options->addAction(text("LANG_OPTIONS_SWAPVIEW$"));
  swapAction_->setCheckable(true);
  swapAction_->setChecked(editor_.state().SwapView == 1);
  connect(swapAction_, &QAction::triggered, this, [this] {
    const QSize size = usableSize();
    editor_.toggleSwapView(size.width(), size.height());
  });
  problemsAction_ = options->addAction(text("LANG_CHECK_SHOW_LIST$"));
  problemsAction_->setCheckable(true);
  problemsAction_->setChecked(!problems_->isHidden());
  connect(problemsAction_, &QAction::triggered, this, &MainWindow::showProblems);
  options->addSeparator();
  recolourAction_ = options->addAction(text("LANG_OPTIONS_RECOLOUR$"), this,
                                       [this] { RecolourDialog::run(this, editor_); });
}

void MainWindow::buildScreenMenu(QMenuBar* bar) {
  QMenu* screens = bar->addMenu(text("LANG_SCREEN$"));
  auto* screenGroup = new QActionGroup(screens);
  for (int i = 0; i < kScreenViewCount; ++i) {
    QAction* action = screens->addAction(text(screenView(i)->menuKey));
    action->setCheckable(true);
    action->setChecked(i == editor_.screenView());
    screenGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, i] { editor_.selectScreenView(i); });
    screenActions_[i] = action;
  }
}

void MainWindow::buildAboutMenu(QMenuBar* bar) {
  QMenu* about = bar->addMenu(text("LANG_ABOUT$"));
  aboutAction_ = about->addAction(text("LANG_ABOUT_ABOUT$"));
  connect(aboutAction_, &QAction::triggered, this, [this] {
    if (showAbout) showAbout();
  });
}

void MainWindow::buildContents() {
  delete contents_;
  contents_ = new QWidget(this);
  contents_->installEventFilter(this);
  const EditorState& state = editor_.state();

  previewArea_ = new QScrollArea(contents_);
  previewArea_->setFrameShape(QFrame::NoFrame);
  previewArea_->setWidgetResizable(false);
  previewArea_->setGeometry(state.PreviewX, kPreviewY, kCanvasWidth, kCanvasHeight);
  previewArea_->horizontalScrollBar()->setSingleStep(kPreviewScrollStep);
  previewArea_->verticalScrollBar()->setSingleStep(kPreviewScrollStep);
  previewArea_->setAccessibleName(QStringLiteral("Preview area"));
  preview_ = new PreviewWidget(editor_, previewArea_);
  previewArea_->setWidget(preview_);
  connect(preview_, &PreviewWidget::hovered, this, [this](const QString& name) {
    showStatus(name.isEmpty() ? toQString(editor_.statusText()) : name);
  });
  connect(preview_, &PreviewWidget::pointedAt, this, [this](const PanelTarget& target) {
    // A control of another view is disabled: show its view first, as its
    // screen button would.
    if (target.view >= 0 && target.view != editor_.screenView())
      editor_.selectScreenView(target.view);
    panel_->focusTarget(target);
  });

  // One group, so that however a button gets checked (click, keyboard,
  // an assistive technology's toggle) the view follows, and the checked
  // button cannot be unchecked.
  auto* screenGroup = new QButtonGroup(contents_);
  screenGroup->setExclusive(true);
  for (int i = 0; i < kScreenViewCount; ++i) {
    auto* button = new QPushButton(QString::number(i + 1), contents_);
    button->setGeometry(state.PreviewX + kInitialButtonWidth * i, kScreenButtonY,
                        kInitialButtonWidth, kScreenButtonHeight);
    button->setCheckable(true);
    button->setChecked(i == editor_.screenView());
    button->setAccessibleName(QString::number(i + 1));
    const QString description = text(screenView(i)->menuKey);
    button->setToolTip(description);
    button->setAccessibleDescription(description);
    button->setFocusPolicy(Qt::TabFocus);
    screenGroup->addButton(button, i);
    screenButtons_[i] = button;
  }
  connect(screenGroup, &QButtonGroup::idToggled, this, [this](int i, bool checked) {
    if (checked && i != editor_.screenView()) editor_.selectScreenView(i);
  });

  panel_ = new EditingPanel(editor_, contents_);
  panel_->setGeometry(state.PanelX, 0, kPanelWidth, kMinimumUsableHeight);
  setCentralWidget(contents_);
}

void MainWindow::applyInitialSize() {
  // The usable height starts as 521 plus the menu bar's height, and the
  // window cannot be made smaller than it starts.
  const int menuHeight = menuBar()->sizeHint().height();
  contents_->setMinimumSize(kInitialClientWidth, kMinimumUsableHeight + menuHeight);
  const int problemsHeight = problems_->isHidden() ? 0 : problems_->sizeHint().height();
  resize(kInitialClientWidth, menuHeight + kMinimumUsableHeight + menuHeight +
                                  statusBar()->sizeHint().height() + problemsHeight);
}

QSize MainWindow::usableSize() const { return contents_ ? contents_->size() : QSize(); }

void MainWindow::canvasChanged() {
  preview_->canvasChanged();
  if (!firstFrameReported_ && firstFramePainted) {
    firstFrameReported_ = true;
    preview_->onFirstPaint = firstFramePainted;
  }
}

void MainWindow::screenViewChanged(int oldView, int newView) {
  if (oldView >= 0 && oldView < kScreenViewCount) {
    screenActions_[oldView]->setChecked(false);
    screenButtons_[oldView]->setChecked(false);
  }
  screenActions_[newView]->setChecked(true);
  screenButtons_[newView]->setChecked(true);
}

void MainWindow::languageChanged() {
  build();
  problemsChanged();
  layoutChanged();
}

void MainWindow::layoutChanged() {
  const EditorState& state = editor_.state();
  if (state.PreviewWidth <= 0) return;  // before the first resize
  previewArea_->setGeometry(state.PreviewX, kPreviewY, state.PreviewWidth, state.PreviewHeight);
  panel_->setGeometry(state.PanelX, 0, kPanelWidth, state.PanelHeight);
  for (int i = 0; i < kScreenViewCount; ++i)
    screenButtons_[i]->setGeometry(screenButtonX(state, i), kScreenButtonY, state.ScreenButtonWidth,
                                   kScreenButtonHeight);
  if (swapAction_) swapAction_->setChecked(state.SwapView == 1);
}

void MainWindow::historyChanged() {
  if (!undoAction_) return;
  undoAction_->setText(toQString(editor_.undoText()));
  undoAction_->setEnabled(editor_.history().canUndo());
  redoAction_->setText(toQString(editor_.redoText()));
  redoAction_->setEnabled(editor_.history().canRedo());
  showStatus(toQString(editor_.statusText()));
  if (reloadAction_) reloadAction_->setEnabled(!editor_.skinFolder().empty());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Unsaved edits are never thrown away without asking.
  if (!editor_.confirmDiscard()) {
    event->ignore();
    return;
  }
  editor_.requestQuit();
  // Before the window goes: whatever ends the process once it is gone
  // (the session, a signal, the display) finds the settings written.
  editor_.finish();
  event->accept();
}

std::optional<Color> MainWindow::previewPixelAt(QPoint globalPos) const {
  if (!preview_ || !previewArea_->viewport()->rect().contains(
                       previewArea_->viewport()->mapFromGlobal(globalPos)))
    return std::nullopt;
  const QPoint at = preview_->mapFromGlobal(globalPos);
  const Image& canvas = editor_.canvas();
  if (!preview_->rect().contains(at) || canvas.empty()) return std::nullopt;
  const QPoint point = preview_->canvasPoint(at);
  return canvas.at(point.x(), point.y());
}

void MainWindow::zoomAt(int delta, QPoint globalPos) {
  const QSize before = preview_->sizeHint();
  QWidget* viewport = previewArea_->viewport();
  QPoint anchor = viewport->mapFromGlobal(globalPos);
  if (!viewport->rect().contains(anchor)) anchor = viewport->rect().center();
  QScrollBar* h = previewArea_->horizontalScrollBar();
  QScrollBar* v = previewArea_->verticalScrollBar();
  const double canvasX = (h->value() + anchor.x()) / double(before.width());
  const double canvasY = (v->value() + anchor.y()) / double(before.height());
  if (!editor_.wheel(delta)) return;
  // The point of the canvas under the pointer stays under it.
  const QSize after = preview_->sizeHint();
  h->setValue(static_cast<int>(std::lround(canvasX * after.width() - anchor.x())));
  v->setValue(static_cast<int>(std::lround(canvasY * after.height() - anchor.y())));
}

int MainWindow::historyKey(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  const auto listed = [&pressed](const QAction* action) {
    if (!action) return false;
    for (const QKeySequence& sequence : action->shortcuts())
      if (sequence == pressed) return true;
    return false;
  };
  if (key.matches(QKeySequence::Undo) || listed(undoAction_)) return -1;
  if (key.matches(QKeySequence::Redo) || listed(redoAction_)) return 1;
  return 0;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    const int step = widget && widget->window() == this ? historyKey(*key) : 0;
    if (step != 0) {
      // Every keystroke in a field is already a step of the editor's
      // history, so the field's own undo has nothing to undo: the keys are
      // taken from the field (the override is accepted, so they arrive as
      // a key press, even while the menu item is disabled) and run the
      // editor's.
      if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
      } else if (step < 0) {
        editor_.undo();
      } else {
        editor_.redo();
      }
      return true;
    }
  }
  if (event->type() == QEvent::Wheel) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) {
      auto* wheel = static_cast<QWheelEvent*>(event);
      const QPoint angle = wheel->angleDelta();
      zoomAt(angle.y() != 0 ? angle.y() : angle.x(), wheel->globalPosition().toPoint());
      return true;
    }
  }
  if (watched == contents_ && event->type() == QEvent::Resize) {
    const QSize size = contents_->size();
    editor_.resize(size.width(), size.height());
  }
  return QMainWindow::eventFilter(watched, event);
}
