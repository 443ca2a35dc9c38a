#include "ui/problems_list.h"

#include <QSignalBlocker>
#include <QStyle>

#include "ui/qt_text.h"

ProblemsList::ProblemsList(Editor& editor, QWidget* parent)
    : QDockWidget(parent), editor_(editor), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("problems"));
  // Shown and hidden from the menu only, so that the window can keep the
  // preview's size by growing and shrinking with it.
  setFeatures(QDockWidget::NoDockWidgetFeatures);
  setAllowedAreas(Qt::BottomDockWidgetArea);
  list_->setMinimumHeight(list_->fontMetrics().height() * 5 + 8);
  const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize);
  list_->setIconSize(QSize(icon, icon));
  // Long messages end in "..." within the width; the tooltip has them whole.
  list_->setWordWrap(false);
  list_->setTextElideMode(Qt::ElideRight);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidget(list_);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&settle_, &QTimer::timeout, this, [this] { editor_.checkProblems(); });
  // A click and an activation (Enter, double click, an assistive
  // technology's default action) both lead to the control.
  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit problemChosen(list_->row(item)); });
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit problemChosen(list_->row(item)); });
  // An assistive technology's own action on an entry selects it without
  // the list having the keyboard: that too is the author choosing it. The
  // arrow keys in the list only move through it.
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    if (list_->hasFocus() || list_->currentRow() < 0) return;
    emit problemChosen(list_->currentRow());
  });
  languageChanged();
  editor_.addListener(*this);
}

ProblemsList::~ProblemsList() { editor_.removeListener(*this); }

void ProblemsList::languageChanged() {
  const QString title = toQString(editor_.texts().text("LANG_CHECK_PROBLEMS$"));
  setWindowTitle(title);
  list_->setAccessibleName(title);
  settle_.start();
}

void ProblemsList::problemsChanged() {
  const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
  const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  const QIcon note = style()->standardIcon(QStyle::SP_MessageBoxInformation);
  const int current = list_->currentRow();
  // Refilling is not the author choosing anything.
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const Finding& finding : editor_.problems()) {
    const QIcon& icon = finding.severity == Severity::Error     ? error
                        : finding.severity == Severity::Warning ? warning
                                                                : note;
    const QString shown = toQString(findingText(finding));
    auto* item = new QListWidgetItem(icon, shown, list_);
    item->setToolTip(shown);
    // The icon says the severity to the eye; say it to the ear too.
    item->setData(Qt::AccessibleTextRole,
                  toQString(editor_.texts().text(severityTextKey(finding.severity))) +
                      QStringLiteral(": ") + shown);
  }
  if (current >= 0 && current < list_->count()) list_->setCurrentRow(current);
}
