// The problems list in the window: filled once edits settle, leading to the
// control and view of an entry, and the counts in the status bar.
#include <gtest/gtest.h>

#include <QSpinBox>

#include "app/point_at.h"
#include "ui/editing_panel.h"
#include "ui/problems_list.h"
#include "ui/test_support.h"

namespace {

int rowOf(const QListWidget* list, const QString& start) {
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->text().startsWith(start)) return i;
  return -1;
}

TEST(ProblemsList, FillsAfterAnEditAndLeadsToTheControlAndView) {
  EditorWindow w;
  QListWidget* list = w.window.problemsList()->list();
  ASSERT_TRUE(processUntil([&] {
    return w.window.problemCount()->text() == QStringLiteral("2 warnings");
  })) << w.window.problemCount()->text().toStdString();
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(w.window.problemCount()->accessibleName(), QStringLiteral("2 warnings"));

  w.editor.setElementValue({"big clock", "y"}, 191);
  ASSERT_TRUE(processUntil([&] { return rowOf(list, QStringLiteral("[big clock]")) >= 0; }));
  EXPECT_EQ(w.window.problemCount()->text(), QStringLiteral("3 warnings"));

  // From another view, a click on the entry shows the clock's view and
  // focuses the spin box of the field it names.
  w.editor.selectScreenView(2);
  const int entry = rowOf(list, QStringLiteral("[big clock]"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualItemRect(list->item(entry)).center());
  const PanelTarget row = elementRowTarget("big clock");
  EXPECT_EQ(w.editor.screenView(), row.view);
  ASSERT_TRUE(processUntil([&] {
    return QApplication::focusWidget() == w.window.panel()->elementSpin(row.index, 0) ||
           QApplication::focusWidget() == w.window.panel()->elementSpin(row.index, 1);
  }));

  w.editor.setElementValue({"big clock", "y"}, 141);
  ASSERT_TRUE(processUntil([&] { return rowOf(list, QStringLiteral("[big clock]")) < 0; }));
  EXPECT_EQ(w.window.problemCount()->text(), QStringLiteral("2 warnings"));
}

TEST(ProblemsList, AnAssistiveSelectionLeadsThereToAndEntriesSayTheirSeverityOnce) {
  EditorWindow w;
  QListWidget* list = w.window.problemsList()->list();
  w.editor.setElementValue({"big clock", "y"}, 191);
  ASSERT_TRUE(processUntil([&] { return rowOf(list, QStringLiteral("[big clock]")) >= 0; }));
  const int entry = rowOf(list, QStringLiteral("[big clock]"));
  // The message begins with what it concerns: said once, not twice.
  EXPECT_FALSE(list->item(entry)->text().startsWith(QStringLiteral("[big clock]: [big clock]")))
      << list->item(entry)->text().toStdString();
  EXPECT_EQ(list->item(entry)->data(Qt::AccessibleTextRole).toString(),
            QStringLiteral("Warning: ") + list->item(entry)->text());

  // Selecting an entry without the keyboard in the list, as a screen
  // reader's action does, is choosing it.
  w.editor.selectScreenView(2);
  list->clearFocus();
  list->setCurrentRow(entry);
  EXPECT_EQ(w.editor.screenView(), elementRowTarget("big clock").view);

  // A refill after an edit keeps the selection without going anywhere.
  w.editor.selectScreenView(2);
  const QString before = list->item(entry)->text();
  w.editor.setElementValue({"big clock", "y"}, 190);
  ASSERT_TRUE(processUntil([&] {
    const int now = rowOf(list, QStringLiteral("[big clock]"));
    return now >= 0 && list->item(now)->text() != before;
  }));
  EXPECT_EQ(list->currentRow(), entry);
  EXPECT_EQ(w.editor.screenView(), 2);
}

TEST(ProblemsList, HidingItKeepsThePreviewSizeAndTheCountShowsItAgain) {
  EditorWindow w;
  const QSize preview = w.window.previewArea()->size();
  const int height = w.window.height();
  w.window.problemsAction()->trigger();
  ASSERT_TRUE(processUntil([&] { return w.window.problemsList()->isHidden(); }));
  processUntil([&] { return w.window.height() < height; });
  EXPECT_LT(w.window.height(), height);
  EXPECT_EQ(w.window.previewArea()->size(), preview);

  w.window.problemCount()->click();
  EXPECT_FALSE(w.window.problemsList()->isHidden());
  EXPECT_TRUE(w.window.problemsAction()->isChecked());
  processUntil([&] { return w.window.height() == height; });
  EXPECT_EQ(w.window.height(), height);
  EXPECT_EQ(w.window.previewArea()->size(), preview);
}

}  // namespace
