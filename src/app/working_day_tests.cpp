// What a skin author does between paint program and editor: pictures
// reloaded when they change on disk, drops, the recent list.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "app/editor.h"
#include "app/recent_skins.h"
#include "imaging/bmp16.h"
#include "skin/skin_files.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/saved_skin.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Change = Editor::DiskChange;

struct QuietView : EditorListener {
  int canvases = 0;
  void canvasChanged() override { ++canvases; }
};

class WorkingDayTest : public ::testing::Test {
 protected:
  WorkingDayTest() {
    editor.addListener(view);
    editor.start();
    folder = saveBuiltinSkin(skins.folder() + "Mine/");
  }
  // Rewrites a file so its stamp surely differs from the last one seen.
  void rewrite(const std::string& path, const Bytes& bytes) {
    writeBytes(path, bytes);
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(++bump));
  }

  TempDir home, skins;
  FakeDesktop desktop;
  QuietView view;
  Editor editor{desktop, home.path()};
  std::string folder;
  int bump = 0;
};

TEST_F(WorkingDayTest, APictureSavedByAPaintProgramIsReloadedAsOneStep) {
  ASSERT_TRUE(editor.openPath(folder));
  EXPECT_EQ(editor.skinFolder(), folder);
  EXPECT_EQ(editor.watchedFiles().size(), 54u);
  editor.setElementValue({"big clock", "x"}, 33);  // an edit that must survive

  // Events for files that did not change are not news.
  EXPECT_EQ(editor.fileChangedOnDisk(folder + "startbar.bmp"), Change::None);

  const Image red(256, 20, rgb(248, 0, 0));
  rewrite(folder + "startbar.bmp", encodeBmp16(red));
  const int canvases = view.canvases;
  EXPECT_EQ(editor.fileChangedOnDisk(folder + "startbar.bmp"), Change::PictureReloaded);
  EXPECT_EQ(editor.images()[SkinImageTable::indexOf("startbar.bmp")].picture.pixels, red.pixels);
  EXPECT_EQ(view.canvases, canvases + 1);
  EXPECT_EQ(editor.model().bigClock.x, 33);
  EXPECT_EQ(editor.undoText(), editor.texts().text("LANG_EDIT_UNDO$") + " startbar.bmp");

  // Caught half written: nothing changes, nothing is said, and once the
  // file has settled it is taken.
  rewrite(folder + "icon/nds.bmp", Bytes{'B', 'M', 1, 2});
  EXPECT_EQ(editor.fileChangedOnDisk(folder + "icon/nds.bmp"), Change::PictureNotReady);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_FALSE(editor.images()[SkinImageTable::indexOf("icon/nds.bmp")].picture.empty());
  editor.reportUnreadablePicture(folder + "icon/nds.bmp");
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_FALSE(editor.images()[SkinImageTable::indexOf("icon/nds.bmp")].picture.empty());

  // A true-colour picture is reduced to the handheld's colours.
  Image uneven(4, 4, rgb(13, 200, 255));
  rewrite(folder + "btn.bmp", makeRgbPng(uneven));
  EXPECT_EQ(editor.fileChangedOnDisk(folder + "btn.bmp"), Change::PictureReloaded);
  for (Color c : editor.images()[SkinImageTable::indexOf("btn.bmp")].picture.pixels)
    EXPECT_EQ(c & 0x070707, 0u);
}

TEST_F(WorkingDayTest, AChangedSettingsFileIsNotedNotReadOverTheEdits) {
  ASSERT_TRUE(editor.openPath(folder));
  editor.setElementValue({"big clock", "x"}, 33);
  std::string settings;
  {
    std::ifstream in(folder + "uisettings.ini", std::ios::binary);
    settings.assign(std::istreambuf_iterator<char>(in), {});
  }
  rewrite(folder + "uisettings.ini", Bytes(settings.begin(), settings.end()));
  EXPECT_EQ(editor.fileChangedOnDisk(folder + "uisettings.ini"), Change::SettingsChanged);
  EXPECT_TRUE(editor.settingsChangedOnDisk());
  EXPECT_EQ(editor.model().bigClock.x, 33);
  EXPECT_NE(editor.statusText().find(editor.texts().text("LANG_STATUS_CHANGED_ON_DISK$")),
            std::string::npos);

  // Reloading asks about the unsaved edit first.
  desktop.unsavedAnswers.push_back(EditorDesktop::UnsavedAnswer::Discard);
  editor.reloadFromDisk();
  EXPECT_EQ(desktop.unsavedQuestions, 1);
  EXPECT_NE(editor.model().bigClock.x, 33);
  EXPECT_FALSE(editor.settingsChangedOnDisk());
}

TEST_F(WorkingDayTest, TheWatchFollowsTheSkinAndIgnoresTheEditorsOwnSaves) {
  ASSERT_TRUE(editor.openPath(folder));
  desktop.folderAnswers.push_back(folder);
  ASSERT_TRUE(editor.saveFolder());
  for (const std::string& file : editor.watchedFiles())
    EXPECT_EQ(editor.fileChangedOnDisk(file), Change::None) << file;
  EXPECT_FALSE(editor.modified());

  editor.newSkin();
  EXPECT_TRUE(editor.skinFolder().empty());
  EXPECT_TRUE(editor.watchedFiles().empty());
  editor.undo();  // the folder's skin is back, and so is its watch
  EXPECT_EQ(editor.skinFolder(), folder);

  desktop.fileAnswers.push_back(skins.folder() + "missing.zip");
  editor.openArchive();  // fails: the watch stays where it was
  EXPECT_EQ(editor.skinFolder(), folder);
}

TEST_F(WorkingDayTest, ADroppedPictureFollowsTheImageButtonsRules) {
  writeBytes(skins.folder() + "red.png", makeRgbPng(Image(3, 3, rgb(255, 0, 0))));
  EXPECT_TRUE(editor.replaceImageFromFile(2, skins.folder() + "red.png"));  // startbar.bmp
  EXPECT_EQ(editor.images()[SkinImageTable::indexOf("startbar.bmp")].picture.width, 3);
  writeBytes(skins.folder() + "bad.png", Bytes{1, 2, 3});
  EXPECT_FALSE(editor.replaceImageFromFile(2, skins.folder() + "bad.png"));
  EXPECT_EQ(editor.images()[SkinImageTable::indexOf("startbar.bmp")].picture.width, 3);
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(editor.history().size(), 1u);
}

TEST_F(WorkingDayTest, SavedAsZipOpensToTheSameSkin) {
  ASSERT_TRUE(editor.openPath(folder));
  editor.setElementValue({"big clock", "x"}, 21);
  desktop.fileAnswers.push_back(skins.folder() + "Shared");  // ".zip" is added
  ASSERT_TRUE(editor.saveArchive());
  EXPECT_TRUE(fs::exists(skins.path() / "Shared.zip"));
  EXPECT_EQ(desktop.fileRequests.back().filters, "* (*.zip)|*.zip|");
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.statusText(), "Shared.zip");
  EXPECT_TRUE(editor.skinFolder().empty());
  EXPECT_EQ(editor.recent().paths().front(), skins.folder() + "Shared.zip");
  editor.newSkin();
  ASSERT_TRUE(editor.openPath(skins.folder() + "Shared.zip"));
  EXPECT_EQ(editor.model().bigClock.x, 21);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST(RecentSkins, MostRecentFirstTenAtMostAndKeptBetweenRuns) {
  TempDir home;
  RecentSkins recent;
  for (int i = 0; i < 12; ++i) recent.remember("/skins/" + std::to_string(i) + ".zip");
  recent.remember("/skins/3.zip");
  recent.remember("/skins/with\nbreak.zip");
  recent.save(home.path());
  ASSERT_EQ(recent.paths().size(), 10u);
  EXPECT_EQ(recent.paths()[1], "/skins/3.zip");
  RecentSkins again;
  again.load(home.path());
  ASSERT_EQ(again.paths().size(), 9u);  // the one with a line break is not written
  EXPECT_EQ(again.paths()[0], "/skins/3.zip");
  EXPECT_EQ(again.paths()[1], "/skins/11.zip");
  // The editor settings file is left as it is.
  EXPECT_FALSE(fs::exists(home.path() / "settings/settings.ini"));
}

}  // namespace
