// The list box of one open's problems, driven without exec(): what it
// shows, what assistive technology reads, and that OK closes it however it
// is pressed.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "testsupport/fake_desktop.h"
#include "ui/message_list_dialog.h"
#include "ui/qt_desktop.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

QStringList problemLines(int count) {
  QStringList lines;
  for (int i = 0; i < count; ++i)
    lines << QStringLiteral("/skins/Blue/picture%1.bmp : File not found").arg(i);
  return lines;
}

TEST(MessageListDialog, ShowsTheSummaryAndEveryLineScrollableAndReadOnly) {
  MessageListDialog box(nullptr, u"Fehler"_s, u"Dateien mit Problemen: 42"_s, problemLines(42),
                        u"OK"_s);
  box.show();
  ASSERT_TRUE(processUntil([&] { return box.isVisible(); }));
  EXPECT_EQ(box.windowTitle(), u"Fehler"_s);
  EXPECT_EQ(box.summaryLabel()->text(), u"Dateien mit Problemen: 42"_s);
  EXPECT_EQ(box.list()->toPlainText().split(u'\n'), problemLines(42));
  EXPECT_TRUE(box.list()->isReadOnly());
  EXPECT_GT(box.list()->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(box.focusWidget(), box.okButton());

  EXPECT_EQ(box.summaryLabel()->accessibleName(), u"Dateien mit Problemen: 42"_s);
  EXPECT_EQ(box.list()->accessibleName(), u"Dateien mit Problemen: 42"_s);
  EXPECT_EQ(box.okButton()->accessibleName(), u"OK"_s);
}

TEST(MessageListDialog, OkClosesByKeyboardClickOrAccessibleAction) {
  for (int way = 0; way < 3; ++way) {
    MessageListDialog box(nullptr, u"Error"_s, u"Files with problems: 2"_s, problemLines(2),
                          u"OK"_s);
    box.show();
    ASSERT_TRUE(processUntil([&] { return box.isVisible(); }));
    if (way == 0) {
      QTest::keyClick(box.okButton(), Qt::Key_Return);
    } else if (way == 1) {
      QTest::mouseClick(box.okButton(), Qt::LeftButton);
    } else {
      QAccessibleInterface* button = QAccessible::queryAccessibleInterface(box.okButton());
      ASSERT_TRUE(button && button->actionInterface());
      button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    EXPECT_TRUE(processUntil([&] { return !box.isVisible(); })) << way;
    EXPECT_EQ(box.result(), QDialog::Accepted) << way;
  }
}

// The editor's own open through the Qt desktop: one modal box for the
// whole folder, in the window's language.
TEST(MessageListDialog, TheQtDesktopShowsOneModalBoxForManyLines) {
  QtDesktop desktop;
  desktop.text = [](const char*) { return QStringLiteral("D'accord"); };
  int boxes = 0;
  QString summary;
  qsizetype lines = 0;
  std::function<void()> answer = [&] {
    auto* box = qobject_cast<MessageListDialog*>(QApplication::activeModalWidget());
    if (!box) {
      QTimer::singleShot(10, answer);
      return;
    }
    ++boxes;
    summary = box->summaryLabel()->text();
    lines = box->list()->toPlainText().split(u'\n').size();
    EXPECT_EQ(box->okButton()->text(), u"D'accord"_s);
    box->okButton()->click();
  };
  QTimer::singleShot(0, answer);
  std::vector<std::string> body;
  for (const QString& line : problemLines(42)) body.push_back(line.toStdString());
  desktop.showMessages("Erreur", "Fichiers en erreur : 42", body);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(summary, u"Fichiers en erreur : 42"_s);
  EXPECT_EQ(lines, 42);
}

}  // namespace
