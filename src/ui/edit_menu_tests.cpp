#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSpinBox>
#include <filesystem>

#include "app/editor_settings.h"
#include "ui/editing_panel.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

using Answer = EditorDesktop::UnsavedAnswer;

TEST(EditMenu, UndoAndRedoNameTheirStepAndAreEnabledOnlyWhenThereIsOne) {
  EditorWindow w;
  const std::string undo = w.editor.texts().text("LANG_EDIT_UNDO$");
  EXPECT_FALSE(w.window.undoAction()->isEnabled());
  EXPECT_FALSE(w.window.redoAction()->isEnabled());
  EXPECT_EQ(w.window.undoAction()->shortcut(), QKeySequence(QKeySequence::Undo));
  EXPECT_EQ(toUtf8(w.window.statusText()->text()), w.editor.texts().text("LANG_STATUS_BUILTIN$"));

  QSpinBox* clockX = w.window.panel()->elementSpin(5, 0);
  const int before = clockX->value();
  clockX->stepUp();
  EXPECT_TRUE(w.window.undoAction()->isEnabled());
  EXPECT_EQ(toUtf8(w.window.undoAction()->text()), undo + " [big clock] x");
  EXPECT_NE(
      toUtf8(w.window.statusText()->text()).find(w.editor.texts().text("LANG_STATUS_MODIFIED$")),
      std::string::npos);

  w.window.undoAction()->trigger();
  EXPECT_EQ(clockX->value(), before);  // the control is refilled
  EXPECT_FALSE(w.window.undoAction()->isEnabled());
  EXPECT_TRUE(w.window.redoAction()->isEnabled());
  w.window.redoAction()->trigger();
  EXPECT_EQ(clockX->value(), before + 1);
}

// Sends a key with its shortcut override to whatever has the keyboard, as
// a real key press arrives.
void pressOnFocused(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr);
  QTest::keyClick(focused, key, modifiers);
}

TEST(UndoKeys, RunTheEditorsUndoAndRedoFromATextField) {
  EditorWindow w;
  w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
  EditingPanel* panel = w.window.panel();
  panel->setCurrentIndex(EditingPanel::InformationPage);
  QLineEdit* title = panel->infoField(0);
  const QString before = title->text();
  title->setFocus();
  ASSERT_TRUE(processUntil([&] { return title->hasFocus(); }));
  title->selectAll();
  QTest::keyClicks(title, u"Night"_s);
  ASSERT_EQ(w.editor.model().skinInfo.Title, "Night");

  // In the next field, whose own undo has nothing to undo.
  QTest::keyClick(title, Qt::Key_Tab);
  ASSERT_TRUE(processUntil([&] { return panel->infoField(1)->hasFocus(); }));
  pressOnFocused(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.editor.model().skinInfo.Title, before.toStdString());
  EXPECT_EQ(title->text(), before);
  EXPECT_TRUE(w.editor.history().canRedo());

  pressOnFocused(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w.editor.model().skinInfo.Title, "Night");
  EXPECT_EQ(title->text(), u"Night"_s);

  // In the field itself, before it is left.
  title->setFocus();
  ASSERT_TRUE(processUntil([&] { return title->hasFocus(); }));
  pressOnFocused(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(title->text(), before);
  pressOnFocused(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(title->text(), u"Night"_s);
  EXPECT_FALSE(w.editor.history().canRedo());
}

TEST(UndoKeys, RunTheEditorsUndoFromASpinBoxEvenWithNothingToUndo) {
  EditorWindow w;
  w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
  EditingPanel* panel = w.window.panel();
  panel->setCurrentIndex(EditingPanel::ElementsPage);
  QSpinBox* clockX = panel->elementSpin(5, 0);
  const int before = clockX->value();
  clockX->setFocus();
  ASSERT_TRUE(processUntil([&] { return clockX->hasFocus(); }));
  QLineEdit* typed = clockX->findChild<QLineEdit*>();
  ASSERT_NE(typed, nullptr);
  typed->selectAll();
  QTest::keyClicks(typed, u"77"_s);
  ASSERT_EQ(w.editor.model().bigClock.x, 77);

  QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.editor.model().bigClock.x, before);
  EXPECT_EQ(clockX->value(), before);
  EXPECT_EQ(typed->text(), QString::number(before));

  // With the editor's history at its start the key still belongs to the
  // editor: the field's own undo would write a value of its own.
  ASSERT_FALSE(w.editor.history().canUndo());
  QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(clockX->value(), before);
  EXPECT_EQ(w.editor.model().bigClock.x, before);
  EXPECT_FALSE(w.editor.modified());

  QTest::keyClick(typed, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(w.editor.model().bigClock.x, 77);
  EXPECT_EQ(typed->text(), u"77"_s);
}

TEST(UnsavedQuestion, AskedOnCloseOnlyWhenModifiedAndEachAnswerDoesWhatItSays) {
  {
    EditorWindow w;
    EXPECT_TRUE(w.window.close());  // nothing to lose: no question
    EXPECT_EQ(w.desktop.unsavedQuestions, 0);
  }
  EditorWindow w;
  w.window.panel()->elementSpin(5, 0)->stepUp();
  w.desktop.unsavedAnswers = {Answer::Cancel};
  EXPECT_FALSE(w.window.close());
  EXPECT_TRUE(w.window.isVisible());
  EXPECT_FALSE(w.editor.state().QuitRequested);

  // Save with its requester cancelled cancels the close.
  w.desktop.unsavedAnswers = {Answer::Save};
  EXPECT_FALSE(w.window.close());
  EXPECT_EQ(w.desktop.folderRequests.size(), 1u);

  w.desktop.unsavedAnswers = {Answer::Discard};
  EXPECT_TRUE(w.window.close());
  EXPECT_TRUE(w.editor.state().QuitRequested);
  EXPECT_EQ(w.desktop.unsavedQuestions, 3);
}

TEST(UnsavedQuestion, TheSettingsAreWrittenBeforeAClosedWindowGoes) {
  // Once the window is gone, whatever ends the process (the session, a
  // signal, the display) must find the settings written already.
  for (Answer answer : {Answer::Discard, Answer::Cancel}) {
    EditorWindow w;
    w.window.panel()->elementSpin(5, 0)->stepUp();
    w.editor.toggleSwapView(666, 543);
    w.desktop.unsavedAnswers = {answer};
    const bool closed = w.window.close();
    const std::filesystem::path file = w.home.path() / "settings/settings.ini";
    EXPECT_EQ(std::filesystem::exists(file), closed);
    if (!closed) continue;
    EditorState reread;
    readEditorSettings(reread, w.home.path());
    EXPECT_EQ(reread.SwapView, 1);
  }
}

TEST(UnsavedQuestion, NewAndOpenAskFirst) {
  EditorWindow w;
  QSpinBox* clockX = w.window.panel()->elementSpin(5, 0);
  clockX->stepUp();
  const int edited = clockX->value();
  w.desktop.unsavedAnswers = {Answer::Cancel};
  w.editor.newSkin();
  EXPECT_EQ(clockX->value(), edited);
  w.desktop.unsavedAnswers = {Answer::Cancel};
  w.editor.openArchive();
  EXPECT_TRUE(w.desktop.fileRequests.empty());
  w.desktop.unsavedAnswers = {Answer::Discard};
  w.editor.newSkin();
  EXPECT_NE(clockX->value(), edited);
  EXPECT_EQ(w.desktop.unsavedQuestions, 3);
}

}  // namespace
