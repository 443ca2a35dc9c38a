#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "imaging/bmp16.h"
#include "skin/skin_files.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/saved_skin.h"
#include "ui/editing_panel.h"
#include "ui/panel_widgets.h"
#include "ui/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string saveDefaultSkin(const std::string& folder, const std::string& title) {
  return saveBuiltinSkin(folder, [&](SkinModel& model) { model.skinInfo.Title = title; });
}

// Drags `path` onto `target` and drops it there; returns whether the
// target took the drag.
bool dragAndDrop(QWidget* target, const std::string& path, bool drop = true) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(toQString(path))});
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted() || !drop) return enter.isAccepted();
  QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
  return dropped.isAccepted();
}

TEST(Drops, AFolderOrArchiveOpensAndAnythingElseIsRefused) {
  EditorWindow w;
  const std::string folder = saveDefaultSkin(w.home.folder() + "Dropped/", "Dropped skin");
  EXPECT_TRUE(dragAndDrop(&w.window, folder, false));
  EXPECT_TRUE(w.window.dropHighlighted());
  QDragLeaveEvent leave;
  QApplication::sendEvent(&w.window, &leave);
  EXPECT_FALSE(w.window.dropHighlighted());

  ASSERT_TRUE(dragAndDrop(&w.window, folder));
  ASSERT_TRUE(processUntil([&] { return w.editor.model().skinInfo.Title == "Dropped skin"; }));
  EXPECT_EQ(w.editor.state().LastPath, folder);

  writeBytes(w.home.folder() + "notes.txt", Bytes{'h', 'i'});
  EXPECT_FALSE(dragAndDrop(&w.window, w.home.folder() + "notes.txt"));
  EXPECT_FALSE(dragAndDrop(&w.window, w.home.folder() + "missing.zip"));

  // An archive: a missing settings entry is reported as for the menu item.
  writeBytes(w.home.folder() + "empty.zip", Bytes{});
  EXPECT_TRUE(dragAndDrop(&w.window, w.home.folder() + "empty.zip"));
  ASSERT_TRUE(processUntil([&] { return !w.desktop.messages.empty(); }));
  EXPECT_EQ(w.editor.state().LastPath, w.home.folder());
}

TEST(Drops, APictureOnAnImageButtonReplacesItsPicture) {
  EditorWindow w;
  ImageButton* startbar = w.window.panel()->imageButton(2);
  writeBytes(w.home.folder() + "red.png", makeRgbPng(Image(5, 2, rgb(255, 0, 0))));
  EXPECT_TRUE(dragAndDrop(startbar, w.home.folder() + "red.png", false));
  EXPECT_TRUE(startbar->dropHighlighted());
  EXPECT_TRUE(dragAndDrop(startbar, w.home.folder() + "red.png"));
  EXPECT_FALSE(startbar->dropHighlighted());
  EXPECT_EQ(w.editor.images()[SkinImageTable::indexOf("startbar.bmp")].picture.width, 5);
  // A folder is not a picture: the button leaves it to the window.
  EXPECT_TRUE(dragAndDrop(startbar, w.home.folder(), false));
  EXPECT_FALSE(startbar->dropHighlighted());
  EXPECT_TRUE(w.window.dropHighlighted());
}

TEST(Watch, APictureRewrittenOnDiskShowsInThePreviewWithinASecond) {
  EditorWindow w;
  const std::string folder = saveDefaultSkin(w.home.folder() + "Watched/", "Watched");
  ASSERT_TRUE(w.editor.openPath(folder));
  const int entry = SkinImageTable::indexOf("upper_screen.bmp");
  const Image blue(256, 192, rgb(0, 0, 248));
  // Written as a paint program that saves to a new file and renames it.
  writeBytes(folder + "upper_screen.tmp", encodeBmp16(blue));
  fs::rename(folder + "upper_screen.tmp", folder + "upper_screen.bmp");
  ASSERT_TRUE(processUntil([&] { return w.editor.images()[entry].picture.pixels == blue.pixels; }));
  EXPECT_EQ(w.editor.canvas().at(100, 100), rgb(0, 0, 248));  // the preview follows
  // Written in place a second time.
  const Image green(256, 192, rgb(0, 248, 0));
  writeBytes(folder + "upper_screen.bmp", encodeBmp16(green));
  ASSERT_TRUE(
      processUntil([&] { return w.editor.images()[entry].picture.pixels == green.pixels; }));
}

TEST(RecentMenu, ListsOpenedSkinsMostRecentFirstAndDisablesMissingOnes) {
  EditorWindow w;
  const std::string a = saveDefaultSkin(w.home.folder() + "A/", "A");
  const std::string b = saveDefaultSkin(w.home.folder() + "B/", "B");
  ASSERT_TRUE(w.editor.openPath(a));
  ASSERT_TRUE(w.editor.openPath(b));
  fs::remove_all(a);
  emit w.window.recentMenu()->aboutToShow();
  const QList<QAction*> items = w.window.recentMenu()->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(toUtf8(items[0]->text()), b);
  EXPECT_TRUE(items[0]->isEnabled());
  EXPECT_EQ(toUtf8(items[1]->text()), a);
  EXPECT_FALSE(items[1]->isEnabled());
  EXPECT_TRUE(fs::exists(w.home.path() / "settings/recent.ini"));
}

TEST(RecentMenu, FollowsEveryOpenAndSaveWithoutBeingShownFirst) {
  // A fresh editor: no recent list, so the submenu starts disabled, and a
  // disabled menu is never about to show.
  EditorWindow w;
  ASSERT_FALSE(fs::exists(w.home.path() / "settings/recent.ini"));
  QMenu* recent = w.window.recentMenu();
  EXPECT_FALSE(recent->isEnabled());
  EXPECT_TRUE(recent->actions().isEmpty());

  const std::string a = saveDefaultSkin(w.home.folder() + "A/", "A");
  ASSERT_TRUE(w.editor.openPath(a));
  EXPECT_TRUE(recent->isEnabled());
  ASSERT_EQ(recent->actions().size(), 1);
  EXPECT_EQ(recent->actions()[0]->text().toStdString(), a);
  EXPECT_TRUE(recent->actions()[0]->isEnabled());

  const std::string b = w.home.folder() + "B/";
  fs::create_directories(b);
  w.desktop.folderAnswers.push_back(b);
  ASSERT_TRUE(w.editor.saveFolder());
  ASSERT_EQ(recent->actions().size(), 2);
  EXPECT_EQ(recent->actions()[0]->text().toStdString(), b);
  EXPECT_EQ(recent->actions()[1]->text().toStdString(), a);
}

}  // namespace
