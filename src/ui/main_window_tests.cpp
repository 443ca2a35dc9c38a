#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenuBar>
#include <QScrollBar>

#include "preview/preview_canvas.h"
#include "ui/editing_panel.h"
#include "ui/preview_widget.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

QStringList menuTree(const QMenu* menu, const QString& indent = {}) {
  QStringList lines;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      lines << indent + u"--"_s;
    } else if (action->menu()) {
      lines << indent + action->text() + u" >"_s;
      lines << menuTree(action->menu(), indent + u"  "_s);
    } else {
      lines << indent + action->text() + (action->isChecked() ? u" [x]"_s : u""_s);
    }
  }
  return lines;
}

QMenu* topMenu(MainWindow& window, int index) {
  return window.menuBar()->actions().at(index)->menu();
}

TEST(MainWindow, TitleSizeAndMenuTreeInTheirOrder) {
  EditorWindow w;
  EXPECT_EQ(w.window.windowTitle(), u"Twinscreen Skin Studio - v0.100604"_s);
  const QSize usable = w.window.usableSize();
  const int menu = w.window.menuBar()->height();
  EXPECT_EQ(usable, QSize(666, 521 + menu));
  EXPECT_EQ(w.window.centralWidget()->minimumSize(), QSize(666, 521 + menu));

  const QList<QAction*> tops = w.window.menuBar()->actions();
  ASSERT_EQ(tops.size(), 6);
  const InterfaceTexts& t = w.editor.texts();
  auto q = [&](const char* key) { return toQString(t.text(key)); };
  EXPECT_EQ(tops[0]->text(), q("LANG_FILE$"));
  EXPECT_EQ(tops[1]->text(), q("LANG_EDIT$"));
  EXPECT_EQ(tops[2]->text(), u"Language"_s);
  EXPECT_EQ(tops[3]->text(), q("LANG_OPTIONS$"));
  EXPECT_EQ(tops[4]->text(), q("LANG_SCREEN$"));
  EXPECT_EQ(tops[5]->text(), q("LANG_ABOUT$"));
  EXPECT_EQ(
      menuTree(topMenu(w.window, 0)),
      (QStringList{q("LANG_FILE_NEW$"), q("LANG_FILE_OPEN$") + u" >"_s,
                   u"  "_s + q("LANG_FILE_OPEN_FOLDER$"), u"  *.zip"_s,
                   q("LANG_FILE_RECENT$") + u" >"_s, q("LANG_FILE_SAVE$") + u" >"_s,
                   u"  "_s + q("LANG_FILE_SAVE_FOLDER$"), u"  *.zip"_s, q("LANG_FILE_RELOAD$"),
                   u"--"_s, q("LANG_FILE_SCREENSHOT$") + u" >"_s,
                   u"  "_s + q("LANG_FILE_SCREENSHOT2D$"), u"  "_s + q("LANG_FILE_SCREENSHOT2C$"),
                   u"  "_s + q("LANG_SHEET_SAVE$"), u"--"_s, q("LANG_FILE_CLOSE$")}));
  const QStringList languages = menuTree(topMenu(w.window, 2));
  ASSERT_EQ(languages.size(), 10);
  EXPECT_TRUE(languages[0].endsWith(u" [x]"_s));
  EXPECT_EQ(languages[1], u"繁体中文"_s);
  EXPECT_EQ(languages[2], u"简体中文"_s);
  EXPECT_EQ(languages[8], u"日本語"_s);
  EXPECT_EQ(
      menuTree(topMenu(w.window, 3)),
      (QStringList{q("LANG_OPTIONS_BACKCOLOR$"), q("LANG_OPTIONS_SWAPVIEW$"),
                   q("LANG_CHECK_SHOW_LIST$") + u" [x]"_s, u"--"_s, q("LANG_OPTIONS_RECOLOUR$")}));
  const QStringList screens = menuTree(topMenu(w.window, 4));
  ASSERT_EQ(screens.size(), 14);
  EXPECT_EQ(screens[0], q("LANG_SCREEN_00$") + u" [x]"_s);
  EXPECT_EQ(screens.filter(u" [x]"_s).size(), 1);
  // Each screen button is numbered and describes its view as the menu names it.
  for (int i = 0; i < kScreenViewCount; ++i) {
    QPushButton* button = w.window.screenButton(i);
    EXPECT_EQ(button->text(), QString::number(i + 1));
    EXPECT_EQ(button->toolTip(), w.window.screenAction(i)->text()) << i;
    EXPECT_EQ(button->accessibleDescription(), button->toolTip()) << i;
  }
  EXPECT_EQ(w.window.screenButton(13)->toolTip(), q("LANG_SCREEN_13$"));
}

TEST(MainWindow, ExactlyOneScreenItemIsCheckedAndALanguageItemSwitchesTexts) {
  EditorWindow w;
  w.window.screenButton(6)->click();
  EXPECT_EQ(w.editor.screenView(), 6);
  for (int i = 0; i < kScreenViewCount; ++i) {
    EXPECT_EQ(w.window.screenAction(i)->isChecked(), i == 6) << i;
    EXPECT_EQ(w.window.screenButton(i)->isChecked(), i == 6) << i;
  }
  w.window.screenAction(2)->trigger();
  EXPECT_EQ(w.editor.screenView(), 2);
  EXPECT_FALSE(w.window.screenAction(6)->isChecked());

  w.window.languageAction(5)->trigger();  // German: no file here, built-in texts
  ASSERT_TRUE(processUntil([&] { return w.editor.state().Language == 5; }));
  EXPECT_EQ(w.editor.screenView(), 0);
  EXPECT_TRUE(w.window.screenAction(0)->isChecked());
  EXPECT_TRUE(w.window.languageAction(5)->isChecked());
  EXPECT_FALSE(w.window.languageAction(0)->isChecked());
  EXPECT_EQ(w.window.usableSize().width(), 666);
}

TEST(MainWindow, TheScreenButtonsAccessibleToggleSwitchesTheView) {
  EditorWindow w;
  QAccessibleInterface* button = QAccessible::queryAccessibleInterface(w.window.screenButton(9));
  ASSERT_NE(button, nullptr);
  QAccessibleActionInterface* actions = button->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  actions->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(w.editor.screenView(), 9);
  for (int i = 0; i < kScreenViewCount; ++i) {
    EXPECT_EQ(w.window.screenAction(i)->isChecked(), i == 9) << i;
    EXPECT_EQ(w.window.screenButton(i)->isChecked(), i == 9) << i;
  }
  // Toggling the shown view's button again leaves it shown and checked.
  const int redraws = w.editor.redrawCount();
  actions->doAction(QAccessibleActionInterface::toggleAction());
  w.window.screenButton(9)->click();
  EXPECT_EQ(w.editor.screenView(), 9);
  EXPECT_TRUE(w.window.screenButton(9)->isChecked());
  EXPECT_EQ(w.editor.redrawCount(), redraws);
  // The keyboard's space bar, too.
  w.window.screenButton(3)->setFocus();
  QTest::keyClick(w.window.screenButton(3), Qt::Key_Space);
  EXPECT_EQ(w.editor.screenView(), 3);
  EXPECT_FALSE(w.window.screenButton(9)->isChecked());
}

TEST(MainWindow, TheStatusMessageIsWhatAScreenReaderReads) {
  EditorWindow w;
  QLabel* status = w.window.statusText();
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(status);
  ASSERT_NE(reader, nullptr);
  EXPECT_FALSE(status->text().isEmpty());
  EXPECT_EQ(reader->text(QAccessible::Name), status->text());

  w.window.panel()->elementSpin(5, 0)->stepUp();  // now modified
  const QString modified = status->text();
  EXPECT_NE(modified.toStdString().find(w.editor.texts().text("LANG_STATUS_MODIFIED$")),
            std::string::npos);
  EXPECT_EQ(reader->text(QAccessible::Name), modified);

  // The item under the pointer, and back.
  emit w.window.preview()->hovered(QStringLiteral("[big clock]"));
  EXPECT_EQ(reader->text(QAccessible::Name), u"[big clock]"_s);
  emit w.window.preview()->hovered(QString());
  EXPECT_EQ(reader->text(QAccessible::Name), modified);
}

TEST(MainWindow, SwapViewMovesPanelAndPreview) {
  EditorWindow w;
  QAction* swap = topMenu(w.window, 3)->actions().at(1);
  swap->trigger();
  EXPECT_TRUE(swap->isChecked());
  EXPECT_EQ(w.window.previewArea()->x(), 392);
  EXPECT_EQ(w.window.panel()->x(), 3);
  swap->trigger();
  EXPECT_EQ(w.window.previewArea()->x(), 3);
  EXPECT_EQ(w.window.panel()->x(), 666 - 392);
  EXPECT_EQ(w.window.previewArea()->width(), 268);
  EXPECT_EQ(w.window.screenButton(1)->geometry(), QRect(3 + 3 + 19, 3, 19, 20));
}

TEST(PreviewWidget, ShowsTheEnlargedCanvasPixelForPixelAtAnyZoomAndScroll) {
  EditorWindow w;
  for (int notches : {0, 8, 27}) {
    while (w.editor.wheel(-120)) {
    }
    for (int i = 0; i < notches; ++i) w.editor.wheel(120);
    const float zoom = w.editor.state().ZoomFactor;
    const Image full = enlargeCanvas(w.editor.canvas(), zoom);
    PreviewWidget* preview = w.window.preview();
    ASSERT_EQ(preview->size(), QSize(full.width, full.height)) << notches;
    QScrollBar* h = w.window.previewArea()->horizontalScrollBar();
    QScrollBar* v = w.window.previewArea()->verticalScrollBar();
    for (double where : {0.0, 1.0}) {
      h->setValue(static_cast<int>(h->maximum() * where));
      v->setValue(static_cast<int>(v->maximum() * where));
      const QSize seen = w.window.previewArea()->viewport()->size();
      const QRect shown(h->value(), v->value(), std::min(seen.width(), full.width),
                        std::min(seen.height(), full.height));
      const QImage grabbed = preview->grab(shown).toImage().convertToFormat(QImage::Format_RGB32);
      ASSERT_EQ(grabbed.size(), shown.size());
      for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
          const Color c = full.at(shown.x() + x, shown.y() + y);
          ASSERT_EQ(grabbed.pixel(x, y), qRgb(redOf(c), greenOf(c), blueOf(c)))
              << notches << " notches, scrolled " << where << ", at " << x << "," << y;
        }
    }
  }
}

TEST(MainWindow, TheWheelOverAnyControlZoomsAndNeverScrolls) {
  EditorWindow w;
  QWidget* spin = w.window.panel()->elementSpin(5, 0);
  const int value = spin->property("value").toInt();
  QWheelEvent up(QPointF(5, 5), spin->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(spin, &up);
  EXPECT_FLOAT_EQ(w.editor.state().ZoomFactor, 1.15f);
  EXPECT_EQ(spin->property("value").toInt(), value);
  QWidget* viewport = w.window.previewArea()->viewport();
  QWheelEvent small(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 60),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &small);
  EXPECT_FLOAT_EQ(w.editor.state().ZoomFactor, 1.15f);
  QScrollBar* v = w.window.previewArea()->verticalScrollBar();
  v->setValue(30);
  const double before = (v->value() + 5) / double(w.window.preview()->height());
  QApplication::sendEvent(viewport, &small);
  EXPECT_FLOAT_EQ(w.editor.state().ZoomFactor, 1.3f);
  // The canvas point under the pointer stays under it.
  const double after = (v->value() + 5) / double(w.window.preview()->height());
  EXPECT_NEAR(after, before, 1.0 / w.window.preview()->height());
}

}  // namespace
