// Undo, redo and the unsaved-changes question, through the editor's own
// operations as the panel and the menus call them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "app/editor.h"
#include "base/file_io.h"
#include "base/platform.h"
#include "imaging/bmp16.h"
#include "skin/skin_files.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Answer = EditorDesktop::UnsavedAnswer;

struct CountingView : EditorListener {
  int fills = 0, canvases = 0, histories = 0;
  void canvasChanged() override { ++canvases; }
  void skinReplaced() override { ++fills; }
  void historyChanged() override { ++histories; }
};

// Every file of a folder save of the editor's skin, with a fixed stamp.
std::map<std::string, Bytes> savedFiles(const Editor& editor, const TempDir& dir,
                                        const std::string& name) {
  FakeDesktop quiet;
  InterfaceTexts texts;
  SkinModel model = editor.model();
  const std::string folder = dir.folder() + name + "/";
  fs::create_directories(folder);
  saveSkinFolder(model, editor.images(), SkinIoContext{quiet, texts, [] { return "stamp"; }},
                 folder);
  std::map<std::string, Bytes> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[utf8FromPath(fs::relative(entry.path(), folder))] =
          readBytes(utf8FromPath(entry.path()));
  return files;
}

class HistoryTest : public ::testing::Test {
 protected:
  HistoryTest() {
    editor.setClock([this] { return now; });
    editor.addListener(view);
    editor.start();
  }
  void later(int ms) { now += std::chrono::milliseconds(ms); }
  std::string picture(const std::string& name, Color fill) {
    const std::string path = dir.folder() + name;
    writeBytes(path, encodeBmp16(Image(4, 3, fill)));
    return path;
  }

  TempDir home, dir;
  FakeDesktop desktop;
  CountingView view;
  Editor editor{desktop, home.path()};
  std::chrono::steady_clock::time_point now{};
};

TEST_F(HistoryTest, EveryKindOfStepUndoesAndRedoesToTheSameBytes) {
  const auto original = savedFiles(editor, dir, "original");
  editor.setElementValue({"big clock", "x"}, 40);
  later(5000);
  editor.setElementChecked({"file name", "show"}, false);
  desktop.colorAnswers.push_back(rgb(8, 16, 24));
  editor.pickFieldColor(3);
  editor.setInfoText(1, "Ada");
  desktop.fileAnswers.push_back(picture("new.bmp", rgb(248, 0, 0)));
  editor.replaceImage(2);  // startbar.bmp
  EXPECT_EQ(editor.history().size(), 5u);
  EXPECT_EQ(editor.undoText(), editor.texts().text("LANG_EDIT_UNDO$") + " startbar.bmp");
  const auto edited = savedFiles(editor, dir, "edited");
  EXPECT_NE(edited, original);

  for (int i = 0; i < 5; ++i) editor.undo();
  EXPECT_FALSE(editor.history().canUndo());
  EXPECT_EQ(savedFiles(editor, dir, "undone"), original);
  EXPECT_EQ(editor.redoText(), editor.texts().text("LANG_EDIT_REDO$") + " [big clock] x");
  for (int i = 0; i < 5; ++i) editor.redo();
  EXPECT_EQ(savedFiles(editor, dir, "redone"), edited);

  // Each undo refills the controls and redraws once; view and zoom stay.
  editor.selectScreenView(3);
  editor.wheel(120);
  const int fills = view.fills, canvases = view.canvases;
  editor.undo();
  EXPECT_EQ(view.fills, fills + 1);
  EXPECT_EQ(view.canvases, canvases + 1);
  EXPECT_EQ(editor.screenView(), 3);
  EXPECT_FLOAT_EQ(editor.state().ZoomFactor, 1.15f);
}

TEST_F(HistoryTest, WritesOfOneGestureMergeIntoOneStep) {
  // A held arrow: a write every 50 ms for two seconds.
  for (int value = 1; value <= 40; ++value) {
    editor.setElementValue({"big clock", "x"}, value);
    later(50);
  }
  EXPECT_EQ(editor.history().size(), 1u);
  editor.endGesture();  // released
  editor.setElementValue({"big clock", "x"}, 41);
  EXPECT_EQ(editor.history().size(), 2u);
  later(1500);  // a pause also ends it
  editor.setElementValue({"big clock", "x"}, 42);
  EXPECT_EQ(editor.history().size(), 3u);
  editor.setElementValue({"big clock", "y"}, 42);  // another field
  EXPECT_EQ(editor.history().size(), 4u);
  for (const char* typed : {"A", "Ad", "Ada"}) editor.setInfoText(0, typed);
  EXPECT_EQ(editor.history().size(), 5u);
  editor.undo();
  EXPECT_EQ(editor.model().skinInfo.Title, "");
  editor.undo();
  editor.undo();
  EXPECT_EQ(editor.model().bigClock.x, 41);
  editor.undo();
  editor.undo();
  SkinModel defaults;
  resetSkinModel(defaults);
  EXPECT_EQ(editor.model().bigClock.x, defaults.bigClock.x);
}

TEST_F(HistoryTest, ANewEditDropsRedoAndEditsThatChangeNothingMakeNoStep) {
  editor.setElementValue({"big clock", "x"}, 40);
  editor.endGesture();
  editor.setElementValue({"big clock", "x"}, 41);
  editor.undo();
  EXPECT_TRUE(editor.history().canRedo());
  editor.setElementValue({"big clock", "y"}, 7);
  EXPECT_FALSE(editor.history().canRedo());
  EXPECT_EQ(editor.history().size(), 2u);

  editor.pickFieldColor(0);  // cancelled: the same colour comes back
  editor.replaceImage(0);    // cancelled requester
  std::ofstream(dir.folder() + "broken.png") << "not a picture";
  desktop.fileAnswers.push_back(dir.folder() + "broken.png");
  editor.replaceImage(0);
  desktop.folderAnswers.push_back(dir.folder());  // a folder without uisettings.ini
  desktop.unsavedAnswers.push_back(Answer::Discard);
  editor.openFolder();
  editor.setElementValue({"big clock", "y"}, 7);  // the value it has
  EXPECT_EQ(editor.history().size(), 2u);
  EXPECT_EQ(desktop.messages.size(), 2u);  // the undecodable picture, the missing settings
}

TEST_F(HistoryTest, ModifiedFollowsTheSavedPosition) {
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.statusText(), editor.texts().text("LANG_STATUS_BUILTIN$"));
  editor.setElementValue({"big clock", "x"}, 40);
  EXPECT_TRUE(editor.modified());
  EXPECT_NE(editor.statusText().find(editor.texts().text("LANG_STATUS_MODIFIED$")),
            std::string::npos);
  editor.undo();
  EXPECT_FALSE(editor.modified());
  editor.redo();
  fs::create_directories(dir.path() / "Red");
  desktop.folderAnswers.push_back(dir.folder() + "Red");
  ASSERT_TRUE(editor.saveFolder());
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.statusText(), "Red");
  editor.undo();
  EXPECT_TRUE(editor.modified());
  editor.redo();
  EXPECT_FALSE(editor.modified());

  // An open is a step whose result is saved; undoing over it brings the
  // replaced skin back, unsaved.
  editor.setElementValue({"big clock", "y"}, 9);
  desktop.unsavedAnswers.push_back(Answer::Discard);
  desktop.folderAnswers.push_back(dir.folder() + "Red");
  editor.openFolder();
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.model().bigClock.x, 40);
  editor.undo();
  EXPECT_TRUE(editor.modified());
  EXPECT_EQ(editor.model().bigClock.y, 9);
}

TEST_F(HistoryTest, TheQuestionComesOnlyWithUnsavedEditsAndEachAnswerDoesWhatItSays) {
  editor.newSkin();
  EXPECT_TRUE(editor.confirmDiscard());
  EXPECT_EQ(desktop.unsavedQuestions, 0);

  editor.setElementValue({"big clock", "x"}, 40);
  desktop.unsavedAnswers.push_back(Answer::Cancel);
  editor.newSkin();
  EXPECT_EQ(desktop.unsavedQuestions, 1);
  EXPECT_EQ(editor.model().bigClock.x, 40);
  EXPECT_TRUE(desktop.folderRequests.empty());

  // Save, but the folder requester is cancelled: the whole action is.
  desktop.unsavedAnswers.push_back(Answer::Save);
  editor.openFolder();
  EXPECT_EQ(desktop.folderRequests.size(), 1u);  // the save's, not the open's
  EXPECT_EQ(editor.model().bigClock.x, 40);

  // Save into a folder, then the open goes on.
  fs::create_directories(dir.path() / "kept");
  desktop.unsavedAnswers.push_back(Answer::Save);
  desktop.folderAnswers = {dir.folder() + "kept"};
  editor.openFolder();  // its own requester is then cancelled
  EXPECT_TRUE(fs::exists(dir.path() / "kept/uisettings.ini"));
  EXPECT_EQ(desktop.folderRequests.size(), 3u);
  EXPECT_FALSE(editor.modified());

  editor.setElementValue({"big clock", "x"}, 41);
  desktop.unsavedAnswers.push_back(Answer::Discard);
  editor.newSkin();
  EXPECT_NE(editor.model().bigClock.x, 41);
  EXPECT_FALSE(editor.modified());
}

TEST(EditHistory, StaysBoundedAndSharesPicturesBetweenSteps) {
  SkinSnapshot state;
  resetSkinModel(state.model);
  for (auto& p : state.pictures) p = std::make_shared<const Image>(256, 192);
  EditHistory history(state);
  for (int i = 0; i < 1200; ++i) {
    state.model.bigClock.x = i;
    if (i % 2 == 0) state.pictures[i % kSkinImageCount] = std::make_shared<const Image>(256, 192);
    history.record("step", state);
  }
  EXPECT_EQ(history.size(), EditHistory::kMaximumSteps);
  EXPECT_LE(history.pictureBytes(), EditHistory::kPictureBudget);
  // Steps share what they did not change: 200 full-screen replacements
  // hold 200 pictures, not 200 tables of 53.
  EditHistory small(state);
  for (int i = 0; i < 200; ++i) {
    state.pictures[0] = std::make_shared<const Image>(256, 192);
    small.record("picture", state);
  }
  EXPECT_EQ(small.pictureBytes(), 200u * 256 * 192 * sizeof(Color));
  for (int i = 0; i < 200; ++i) small.undo();
  EXPECT_FALSE(small.canUndo());
  EXPECT_FALSE(small.modified());  // back where it started
}

}  // namespace
