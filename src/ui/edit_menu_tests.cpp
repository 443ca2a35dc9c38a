#include <gtest/gtest.h>

#include <QSpinBox>
#include <filesystem>

#include "app/editor_settings.h"
#include "ui/editing_panel.h"
#include "ui/ui_test_support.h"

namespace {

using Answer = EditorDesktop::UnsavedAnswer;

TEST(EditMenu, UndoAndRedoNameTheirStepAndAreEnabledOnlyWhenThereIsOne) {
  EditorWindow w;
  const std::string undo = w.editor.texts().text("LANG_EDIT_UNDO$");
  EXPECT_FALSE(w.window.undoAction()->isEnabled());
  EXPECT_FALSE(w.window.redoAction()->isEnabled());
  EXPECT_EQ(w.window.undoAction()->shortcut(), QKeySequence(QKeySequence::Undo));
  EXPECT_EQ(w.window.statusText()->text().toStdString(),
            w.editor.texts().text("LANG_STATUS_BUILTIN$"));

  QSpinBox* clockX = w.window.panel()->elementSpin(5, 0);
  const int before = clockX->value();
  clockX->stepUp();
  EXPECT_TRUE(w.window.undoAction()->isEnabled());
  EXPECT_EQ(w.window.undoAction()->text().toStdString(), undo + " [big clock] x");
  EXPECT_NE(w.window.statusText()->text().toStdString().find(
                w.editor.texts().text("LANG_STATUS_MODIFIED$")),
            std::string::npos);

  w.window.undoAction()->trigger();
  EXPECT_EQ(clockX->value(), before);  // the control is refilled
  EXPECT_FALSE(w.window.undoAction()->isEnabled());
  EXPECT_TRUE(w.window.redoAction()->isEnabled());
  w.window.redoAction()->trigger();
  EXPECT_EQ(clockX->value(), before + 1);
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
