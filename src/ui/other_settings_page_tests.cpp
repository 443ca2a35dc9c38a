// The editing panel's page of the settings no other page edits, as an
// author uses it with the mouse and the keyboard.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "testsupport/saved_skin.h"
#include "ui/editing_panel.h"
#include "ui/other_settings_page.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

namespace fs = std::filesystem;

// The built-in skin with what authors' skins carry beyond it.
std::string dialectSkin(const std::string& folder) {
  saveBuiltinSkin(folder);
  const fs::path file = fs::path(folder) / "uisettings.ini";
  std::ifstream in(file, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  in.close();
  const std::string header = "[global settings]\r\n";
  const std::size_t global = text.find(header);
  if (global != std::string::npos)
    text.insert(global + header.size(), "popMenuBarColor = 0x7c00\r\n");
  const std::size_t end = text.find("[end]");
  text.insert(end == std::string::npos ? text.size() : end, "[battery icon]\r\nx = 3\r\ny = 4\r\n");
  std::ofstream(file, std::ios::binary) << text;
  return folder;
}

struct OpenPage {
  EditorWindow w;
  OtherSettingsPage* page = nullptr;

  OpenPage() {
    w.desktop.folderAnswers.push_back(dialectSkin(w.home.folder() + "dialect/"));
    w.editor.openFolder();
    w.window.panel()->setCurrentIndex(EditingPanel::OtherPage);
    page = w.window.panel()->otherSettings();
    processUntil([&] { return page->isVisible(); });
  }
  QString cell(int row, int column) const {
    return page->model()->index(row, column).data().toString();
  }
  int rowOf(const QString& section, const QString& key) const {
    for (int row = 0; row < page->model()->rowCount(); ++row)
      if (cell(row, 0) == section && cell(row, 1) == key) return row;
    return -1;
  }
  void select(int row) {
    page->table()->setCurrentIndex(page->model()->index(row, OtherSettingsModel::ValueColumn));
  }
};

TEST(OtherSettingsPage, TheFifthPageListsTheFilesOtherSettingsInFileOrder) {
  OpenPage p;
  EditingPanel* panel = p.w.window.panel();
  ASSERT_EQ(panel->count(), 5);
  EXPECT_EQ(toUtf8(panel->tabText(EditingPanel::OtherPage)),
            p.w.editor.texts().text("LANG_PANEL_OTHER$"));
  const int color = p.rowOf(u"global settings"_s, u"popMenuBarColor"_s);
  const int x = p.rowOf(u"battery icon"_s, u"x"_s);
  const int y = p.rowOf(u"battery icon"_s, u"y"_s);
  ASSERT_GE(color, 0);
  EXPECT_LT(color, x);
  EXPECT_EQ(y, x + 1);
  EXPECT_EQ(p.cell(color, OtherSettingsModel::ValueColumn), u"0x7c00"_s);
  // Only the value is edited in place.
  EXPECT_TRUE(p.page->model()->flags(p.page->model()->index(x, 2)) & Qt::ItemIsEditable);
  EXPECT_FALSE(p.page->model()->flags(p.page->model()->index(x, 1)) & Qt::ItemIsEditable);
  // A colour shows its swatch on a button; a number has none.
  ASSERT_NE(p.page->rowColorButton(color), nullptr);
  EXPECT_EQ(p.page->rowColorButton(x), nullptr);
  // The page says that nothing on it shows in the preview.
  bool said = false;
  for (QLabel* label : p.page->findChildren<QLabel*>())
    said |= label->isVisible() &&
            label->text() == toQString(p.w.editor.texts().text("LANG_OTHER_NOTE$"));
  EXPECT_TRUE(said);
  // Every control can be found by its name.
  for (QWidget* control : p.page->findChildren<QWidget*>()) {
    if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
        qobject_cast<QTableView*>(control) || qobject_cast<QGroupBox*>(control)) {
      if (qobject_cast<QHeaderView*>(control->parentWidget())) continue;
      if (qobject_cast<QTableView*>(control->parentWidget()) &&
          !qobject_cast<QToolButton*>(control))
        continue;  // the table's own corner button
      EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
    }
  }
}

TEST(OtherSettingsPage, AValueTypedInPlaceIsOneStepThatUndoAndRedoShow) {
  OpenPage p;
  p.w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&p.w.window));
  const int x = p.rowOf(u"battery icon"_s, u"x"_s);
  const std::size_t steps = p.w.editor.history().size();
  const int redraws = p.w.editor.redrawCount();
  p.select(x);
  p.page->table()->setFocus();
  ASSERT_TRUE(processUntil([&] { return p.page->table()->hasFocus(); }));
  QTest::keyClick(p.page->table(), Qt::Key_F2);
  QWidget* field = QApplication::focusWidget();
  ASSERT_TRUE(qobject_cast<QLineEdit*>(field));
  qobject_cast<QLineEdit*>(field)->selectAll();
  QTest::keyClicks(field, u"12"_s);
  // Typing alone changes nothing; Enter makes the step.
  EXPECT_EQ(p.w.editor.history().size(), steps);
  QTest::keyClick(field, Qt::Key_Return);
  // The field hands its text over once the key is done with.
  EXPECT_TRUE(processUntil([&] { return p.cell(x, OtherSettingsModel::ValueColumn) == u"12"_s; }));
  EXPECT_EQ(p.w.editor.history().size(), steps + 1);
  EXPECT_EQ(p.w.editor.redrawCount(), redraws);
  EXPECT_EQ(toUtf8(p.w.window.undoAction()->text()),
            p.w.editor.texts().text("LANG_EDIT_UNDO$") + " [battery icon] x");

  // The keyboard stays on the row, and the history keys reach the editor.
  EXPECT_EQ(p.page->table()->currentIndex().row(), x);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(p.cell(x, OtherSettingsModel::ValueColumn), u"3"_s);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(p.cell(x, OtherSettingsModel::ValueColumn), u"12"_s);

  // Ctrl+Z in an open cell editor is the editor's undo too.
  p.select(x);
  p.page->editCurrentValue();
  field = QApplication::focusWidget();
  ASSERT_TRUE(qobject_cast<QLineEdit*>(field));
  QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(p.cell(x, OtherSettingsModel::ValueColumn), u"3"_s);
  EXPECT_FALSE(p.w.editor.modified());
}

TEST(OtherSettingsPage, AddAndRemoveWorkFromTheButtonsAndTheKeys) {
  OpenPage p;
  const int rows = p.page->model()->rowCount();
  EXPECT_FALSE(p.page->addButton()->isEnabled());
  p.page->sectionField()->setText(u"calendar day"_s);
  p.page->keyField()->setText(u"dw"_s);
  p.page->valueField()->setText(u"8"_s);
  ASSERT_TRUE(p.page->addButton()->isEnabled());
  p.page->addButton()->click();
  const int dw = p.rowOf(u"calendar day"_s, u"dw"_s);
  ASSERT_GE(dw, 0);
  EXPECT_EQ(p.cell(dw, OtherSettingsModel::ValueColumn), u"8"_s);
  EXPECT_EQ(p.page->model()->rowCount(), rows + 1);
  // Ready for the next key of the same section.
  EXPECT_EQ(p.page->sectionField()->text(), u"calendar day"_s);
  EXPECT_TRUE(p.page->keyField()->text().isEmpty());

  // A key with "=" cannot be added.
  p.page->keyField()->setText(u"a=b"_s);
  EXPECT_FALSE(p.page->addButton()->isEnabled());

  p.select(p.rowOf(u"battery icon"_s, u"x"_s));
  p.page->removeButton()->click();
  EXPECT_EQ(p.rowOf(u"battery icon"_s, u"x"_s), -1);
  p.select(p.rowOf(u"battery icon"_s, u"y"_s));
  QTest::keyClick(p.page->table(), Qt::Key_Delete);
  EXPECT_EQ(p.rowOf(u"battery icon"_s, u"y"_s), -1);
  EXPECT_EQ(p.page->model()->rowCount(), rows - 1);

  p.w.editor.undo();
  p.w.editor.undo();
  EXPECT_EQ(p.rowOf(u"battery icon"_s, u"y"_s), p.rowOf(u"battery icon"_s, u"x"_s) + 1);
  p.w.editor.undo();
  EXPECT_EQ(p.rowOf(u"calendar day"_s, u"dw"_s), -1);
  EXPECT_EQ(p.page->model()->rowCount(), rows);

  // A new skin has none, and says so.
  p.w.desktop.unsavedAnswers.push_back(EditorDesktop::UnsavedAnswer::Discard);
  p.w.editor.newSkin();
  EXPECT_EQ(p.page->model()->rowCount(), 0);
  EXPECT_FALSE(p.page->table()->isVisible());
  EXPECT_FALSE(p.page->removeButton()->isEnabled());
}

TEST(OtherSettingsPage, TheColourPickerWritesTheHandheldsColourText) {
  OpenPage p;
  const int row = p.rowOf(u"global settings"_s, u"popMenuBarColor"_s);
  p.select(row);
  ASSERT_TRUE(p.page->colorButton()->isEnabled());
  // The colour it is already: no step.
  const std::size_t steps = p.w.editor.history().size();
  p.w.desktop.colorAnswers.push_back(rgb(0, 0, 255));
  p.page->colorButton()->click();
  EXPECT_EQ(p.w.editor.history().size(), steps);
  p.w.desktop.colorAnswers.push_back(rgb(255, 0, 0));
  qobject_cast<QToolButton*>(p.page->rowColorButton(row))->click();
  EXPECT_EQ(p.cell(row, OtherSettingsModel::ValueColumn), u"0x001f"_s);
  EXPECT_EQ(p.w.desktop.colorRequests.back(), colorFromText("0x7c00"));
  p.w.editor.undo();
  EXPECT_EQ(p.cell(row, OtherSettingsModel::ValueColumn), u"0x7c00"_s);
  // A number is no colour.
  p.select(p.rowOf(u"battery icon"_s, u"x"_s));
  EXPECT_FALSE(p.page->colorButton()->isEnabled());
}

TEST(OtherSettingsPage, AllFiveTabsShowWholeInEveryLanguage) {
  EditorWindow w;
  fs::create_directories(w.home.path() / "language");
  for (int language = 0; language <= 9; ++language) {
    if (language > 0) {
      const std::string name(languageFileName(language));
      fs::copy_file(fs::path(SKINSTUDIO_SOURCE_DIR) / "language" / name,
                    w.home.path() / "language" / name, fs::copy_options::overwrite_existing);
    }
    w.editor.changeLanguage(language);
    EditingPanel* panel = w.window.panel();
    processUntil([&] { return panel->isVisible(); });
    QTabBar* tabs = panel->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(toUtf8(tabs->tabText(EditingPanel::OtherPage)),
              w.editor.texts().text("LANG_PANEL_OTHER$"));
    // No tab is cut off or hidden behind scroll arrows.
    EXPECT_LE(tabs->sizeHint().width(), panel->width()) << language;
    EXPECT_GE(tabs->font().pixelSize(), 9) << language;
  }
}

}  // namespace
