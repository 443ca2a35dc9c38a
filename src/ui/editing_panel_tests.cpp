#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabBar>
#include <filesystem>

#include "app/panel_controls.h"
#include "skin/skin_files.h"
#include "testsupport/saved_skin.h"
#include "ui/editing_panel.h"
#include "ui/panel_widgets.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

template <typename W>
QList<W*> controlsOn(EditingPanel* panel, int page) {
  panel->ensurePage(page);
  return panel->widget(page)->findChildren<W*>();
}

TEST(EditingPanel, FivePagesWithEveryControlInItsPlace) {
  EditorWindow w;
  EditingPanel* panel = w.window.panel();
  ASSERT_EQ(panel->count(), 5);
  const InterfaceTexts& t = w.editor.texts();
  EXPECT_EQ(toUtf8(panel->tabText(0)), t.text("LANG_PANEL_COLORS$"));
  EXPECT_EQ(toUtf8(panel->tabText(2)), t.text("LANG_PANEL_ELEMETS$"));
  EXPECT_EQ(panel->geometry(), QRect(666 - 392, 0, 392, w.window.usableSize().height()));

  EXPECT_EQ(controlsOn<ColorButton>(panel, 0).size(), 29);
  EXPECT_EQ(controlsOn<ImageButton>(panel, 1).size(), 51);
  EXPECT_EQ(controlsOn<QSpinBox>(panel, 2).size(), 50);
  EXPECT_EQ(controlsOn<ElementCheckBox>(panel, 2).size(), 6);
  EXPECT_EQ(controlsOn<QLineEdit>(panel, 3).size(), 5);

  EXPECT_EQ(panel->colorButton(28)->geometry(), QRect(256, 220, 128, 20));
  EXPECT_EQ(panel->imageButton(50)->geometry(), QRect(256, 380, 128, 20));
  EXPECT_EQ(panel->elementSpin(22, 2)->geometry(), QRect(325, 5 + 20 * 22, 48, 20));
  EXPECT_EQ(panel->elementSpin(12, 0)->maximum(), 255);
  EXPECT_EQ(panel->elementSpin(5, 1)->maximum(), 191);
  EXPECT_EQ(panel->elementLabel(12)->text(), u"LogoOffset"_s);
  EXPECT_EQ(panel->elementCheckBox(5)->geometry(), QRect(5, 105, 186, 20));
  EXPECT_EQ(panel->elementLabel(0)->geometry(), QRect(20, 5, 186, 20));
  EXPECT_EQ(panel->infoField(4)->geometry(), QRect(5, 185, 374, 20));
  EXPECT_TRUE(panel->infoField(4)->isReadOnly());
  // Every control can be found by its label.
  // (The spin boxes' own text fields and the tab bar's scroll arrows are
  // parts of a named control.)
  for (QWidget* control : panel->findChildren<QWidget*>()) {
    const QWidget* parent = control->parentWidget();
    if (qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QTabBar*>(parent))
      continue;
    if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QSpinBox*>(control) ||
        qobject_cast<QLineEdit*>(control)) {
      EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
    }
  }
}

TEST(EditingPanel, APageFirstShownLaterShowsTheCurrentValuesAndView) {
  EditorWindow w;
  EditingPanel* panel = w.window.panel();
  // Start-up builds only the page on screen.
  EXPECT_TRUE(panel->pageBuilt(EditingPanel::ColorsPage));
  EXPECT_FALSE(panel->pageBuilt(EditingPanel::ElementsPage));
  EXPECT_FALSE(panel->pageBuilt(EditingPanel::InformationPage));

  const std::string folder = saveBuiltinSkin(w.home.folder() + "late/", [](SkinModel& model) {
    model.bigClock.x = 42;
    model.uiTypeMenu.x = 7;
    model.skinInfo.Title = "Late";
  });
  w.desktop.folderAnswers.push_back(folder);
  w.editor.openFolder();
  w.editor.selectScreenView(4);
  ASSERT_FALSE(panel->pageBuilt(EditingPanel::ElementsPage));

  panel->setCurrentIndex(EditingPanel::ElementsPage);
  ASSERT_TRUE(panel->pageBuilt(EditingPanel::ElementsPage));
  QSpinBox* clockX = panel->elementSpin(5, 0);
  ASSERT_TRUE(processUntil([&] { return clockX->isVisible(); }));
  EXPECT_EQ(clockX->value(), 42);
  EXPECT_FALSE(clockX->isEnabled());  // view 0's, while view 4 is shown
  EXPECT_TRUE(panel->elementSpin(15, 0)->isEnabled());
  EXPECT_EQ(panel->elementSpin(15, 0)->value(), 7);
  // The page scrolls over all its rows.
  const auto* content =
      panel->widget(EditingPanel::ElementsPage)->findChild<QScrollArea*>()->widget();
  EXPECT_GT(content->height(), panel->elementSpin(23, 0)->geometry().bottom());

  // Its controls still write; an undo refills the built page.
  w.editor.selectScreenView(0);
  clockX->stepUp();
  EXPECT_EQ(w.editor.model().bigClock.x, 43);
  w.editor.undo();
  EXPECT_EQ(clockX->value(), 42);
  EXPECT_EQ(panel->infoField(0)->text(), u"Late"_s);
}

TEST(EditingPanel, TabFromTheTabsGoesIntoAPageBuiltLate) {
  EditorWindow w;
  w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
  EditingPanel* panel = w.window.panel();
  panel->setCurrentIndex(EditingPanel::ElementsPage);
  panel->tabBar()->setFocus();
  ASSERT_TRUE(processUntil([&] { return panel->tabBar()->hasFocus(); }));
  QTest::keyClick(panel->tabBar(), Qt::Key_Tab);
  QWidget* next = QApplication::focusWidget();
  ASSERT_NE(next, nullptr);
  EXPECT_TRUE(panel->widget(EditingPanel::ElementsPage)->isAncestorOf(next))
      << next->metaObject()->className();
  // The page's scroll area first (it scrolls by keys), then its first row.
  if (qobject_cast<QScrollArea*>(next)) {
    QTest::keyClick(next, Qt::Key_Tab);
    next = QApplication::focusWidget();
  }
  EXPECT_TRUE(next == panel->elementSpin(0, 0) || panel->elementSpin(0, 0)->isAncestorOf(next))
      << next->metaObject()->className();
}

TEST(EditingPanel, OnlyTheControlsOfTheShownViewAreEnabled) {
  EditorWindow w;
  EditingPanel* panel = w.window.panel();
  w.editor.selectScreenView(4);
  panel->ensurePage(EditingPanel::ElementsPage);
  int enabledOnElements = 0;
  for (QWidget* control : panel->widget(2)->findChildren<QWidget*>())
    if ((qobject_cast<QSpinBox*>(control) || qobject_cast<QCheckBox*>(control) ||
         qobject_cast<QLabel*>(control)) &&
        control->isEnabled() && control->parentWidget()->isEnabled() &&
        !qobject_cast<QSpinBox*>(control->parentWidget()))
      ++enabledOnElements;
  EXPECT_EQ(enabledOnElements, 3);
  EXPECT_TRUE(panel->elementLabel(15)->isEnabled());
  EXPECT_TRUE(panel->elementSpin(15, 0)->isEnabled());
  EXPECT_TRUE(panel->elementSpin(15, 1)->isEnabled());
  for (ColorButton* b : controlsOn<ColorButton>(panel, 0)) EXPECT_FALSE(b->isEnabled());
  for (ImageButton* b : controlsOn<ImageButton>(panel, 1)) EXPECT_FALSE(b->isEnabled());

  for (int view : {5, 7, 11}) {
    w.editor.selectScreenView(view);
    EXPECT_TRUE(panel->controlsOfView(view).empty());
    for (int v = 0; v < kScreenViewCount; ++v)
      for (QWidget* c : panel->controlsOfView(v)) EXPECT_FALSE(c->isEnabled()) << view;
  }
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(panel->infoField(i)->isEnabled());
  w.editor.selectScreenView(0);
  EXPECT_TRUE(panel->colorButton(0)->isEnabled());
  EXPECT_FALSE(panel->colorButton(7)->isEnabled());  // view 1's
}

TEST(EditingPanel, UserChangesWriteTheModelAndRedrawOnce) {
  EditorWindow w;
  EditingPanel* panel = w.window.panel();
  QSpinBox* clockX = panel->elementSpin(5, 0);
  int redraws = w.editor.redrawCount();
  clockX->stepUp();
  EXPECT_EQ(w.editor.model().bigClock.x, clockX->value());
  EXPECT_EQ(w.editor.redrawCount(), redraws + 1);

  // Typing writes each valid number as it is typed, never other text.
  clockX->selectAll();
  QTest::keyClicks(clockX, u"12"_s);
  EXPECT_EQ(w.editor.model().bigClock.x, 12);
  QTest::keyClicks(clockX, u"x"_s);
  EXPECT_EQ(w.editor.model().bigClock.x, 12);

  ElementCheckBox* show = panel->elementCheckBox(5);
  redraws = w.editor.redrawCount();
  show->click();
  EXPECT_EQ(w.editor.model().bigClock.show, show->isChecked() ? 1 : 0);
  EXPECT_EQ(w.editor.redrawCount(), redraws + 1);

  // Information fields write as typed and redraw nothing.
  redraws = w.editor.redrawCount();
  panel->infoField(0)->setFocus();
  QTest::keyClicks(panel->infoField(0), u"My skin"_s);
  EXPECT_EQ(w.editor.model().skinInfo.Title, "My skin");
  EXPECT_EQ(w.editor.redrawCount(), redraws);

  // A picked colour is stored and shown in the button's swatch.
  w.desktop.colorAnswers.push_back(rgb(8, 200, 248));
  panel->colorButton(0)->click();
  EXPECT_EQ(w.editor.model().globalSettings.gameInfoTextColor, rgb(8, 200, 248));
  EXPECT_EQ(panel->colorButton(0)->swatch(), QColor(8, 200, 248));
}

TEST(EditingPanel, LoadedValuesAreShownWithoutBeingWrittenBack) {
  EditorWindow w;
  // A skin whose values lie outside what the controls can show.
  const std::string folder = saveBuiltinSkin(w.home.folder() + "odd/", [](SkinModel& model) {
    model.bigClock.x = 300;
    model.bigClock.show = 2;
    model.skinInfo.Author = "Ada";
  });

  w.desktop.folderAnswers.push_back(folder);
  w.editor.openFolder();
  EditingPanel* panel = w.window.panel();
  EXPECT_EQ(panel->elementSpin(5, 0)->value(), 255);
  EXPECT_EQ(w.editor.model().bigClock.x, 300);
  EXPECT_EQ(panel->elementCheckBox(5)->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(w.editor.model().bigClock.show, 2);
  EXPECT_EQ(panel->infoField(1)->text(), u"Ada"_s);
  EXPECT_FALSE(panel->infoField(4)->text().isEmpty());

  // The user's click makes it exactly 1; a later one 0.
  panel->elementCheckBox(5)->click();
  EXPECT_EQ(w.editor.model().bigClock.show, 1);
  panel->elementCheckBox(5)->click();
  EXPECT_EQ(w.editor.model().bigClock.show, 0);
  panel->elementSpin(5, 0)->stepDown();
  EXPECT_EQ(w.editor.model().bigClock.x, 254);
}

}  // namespace
