// The editor's behaviour as a user meets it, without a window: a scripted
// desktop answers the requesters and a recording view stands in for Qt.
#include <gtest/gtest.h>

#include <fstream>

#include "app/editor.h"
#include "app/editor_settings.h"
#include "app/window_layout.h"
#include "base/file_io.h"
#include "imaging/picture_decoder.h"
#include "preview/preview_canvas.h"
#include "preview/screenshot.h"
#include "skin/skin_files.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/saved_skin.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct RecordingView : EditorListener {
  std::vector<std::string> calls;
  void canvasChanged() override { calls.push_back("canvas"); }
  void skinReplaced() override { calls.push_back("fill"); }
  void screenViewChanged(int oldView, int newView) override {
    calls.push_back("view " + std::to_string(oldView) + ">" + std::to_string(newView));
  }
  void languageChanged() override { calls.push_back("rebuild"); }
  void layoutChanged() override { calls.push_back("layout"); }
  void lastUpdateChanged() override { calls.push_back("stamp"); }
};

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class EditorTest : public ::testing::Test {
 protected:
  Editor& startEditor() {
    editor_.emplace(desktop, home.path());
    editor_->addListener(view);
    editor_->start();
    view.calls.clear();
    return *editor_;
  }
  Editor& editor() { return *editor_; }

  // A saved copy of the built-in skin with one title, as a folder.
  std::string savedSkin(const std::string& name, const std::string& title) {
    return saveBuiltinSkin(skins.folder() + name + "/", [&](SkinModel& model) {
      model.skinInfo.Title = title;
      model.bigClock.x = 77;
    });
  }

  TempDir home;
  TempDir skins;
  FakeDesktop desktop;
  RecordingView view;
  std::optional<Editor> editor_;
};

TEST_F(EditorTest, AFirstStartHasDefaultsBuiltInTextsAndViewZero) {
  Editor& e = startEditor();
  EXPECT_EQ(e.state().LastPath, "");
  EXPECT_EQ(e.state().BGColor, 0u);
  EXPECT_EQ(e.state().SwapView, 0);
  EXPECT_EQ(e.state().PreviewX, 3);
  EXPECT_EQ(e.state().PanelX, 272);
  EXPECT_EQ(e.screenView(), 0);
  EXPECT_EQ(e.texts().text("LANG_FILE$"), builtinInterfaceText("LANG_FILE$"));
  EXPECT_EQ(e.canvas().width, kCanvasWidth);
  EXPECT_EQ(e.canvas().at(0, 0), 0u);  // black background
  EXPECT_EQ(e.canvas().pixels,
            composeCanvas(renderScreenView(0, {e.model(), e.images()}), 0).pixels);
}

TEST_F(EditorTest, LayoutAtTheMinimumSizeAfterWideningAndAcrossTwoSwaps) {
  Editor& e = startEditor();
  e.resize(666, 543);
  EXPECT_EQ(e.state().PreviewWidth, 268);
  EXPECT_EQ(e.state().ScreenButtonWidth, 19);
  EXPECT_EQ(e.state().PanelX, 274);
  EXPECT_EQ(e.state().PreviewHeight, 512);
  EXPECT_EQ(e.state().PanelHeight, 543);
  EXPECT_EQ(screenButtonX(e.state(), 13), 3 + 3 + 13 * 19);

  e.resize(1000, 700);
  EXPECT_EQ(e.state().PreviewWidth, 602);
  EXPECT_EQ(e.state().PanelX, 608);
  EXPECT_EQ(e.state().ScreenButtonWidth, 43);

  const EditorState before = e.state();
  e.toggleSwapView(1000, 700);
  EXPECT_EQ(e.state().SwapView, 1);
  EXPECT_EQ(e.state().PreviewX, 392);
  EXPECT_EQ(e.state().PanelX, 3);
  EXPECT_EQ(e.state().PreviewWidth, 608);
  e.toggleSwapView(1000, 700);
  EXPECT_EQ(e.state().SwapView, 0);
  EXPECT_EQ(e.state().PreviewX, before.PreviewX);
  EXPECT_EQ(e.state().PanelX, before.PanelX);
  EXPECT_EQ(e.state().PreviewWidth, before.PreviewWidth);
  EXPECT_EQ(e.state().PreviewHeight, before.PreviewHeight);
  EXPECT_EQ(e.state().ScreenButtonWidth, before.ScreenButtonWidth);

  // A minimised window reports nothing usable; the last layout stays.
  e.resize(0, 0);
  EXPECT_EQ(e.state().PreviewWidth, before.PreviewWidth);
}

TEST_F(EditorTest, SelectingAViewMovesTheEnabledSetAndRedrawsOnce) {
  Editor& e = startEditor();
  e.selectScreenView(4);
  e.selectScreenView(4);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"view 0>4", "canvas", "view 4>4", "canvas"}));
  EXPECT_EQ(e.canvas().pixels,
            composeCanvas(renderScreenView(4, {e.model(), e.images()}), 0).pixels);
  e.selectScreenView(14);  // no such view
  EXPECT_EQ(e.screenView(), 4);
}

TEST_F(EditorTest, CancelledRequestersChangeNothing) {
  Editor& e = startEditor();
  e.setElementValue({"big clock", "x"}, 99);
  view.calls.clear();
  desktop.unsavedAnswers = {EditorDesktop::UnsavedAnswer::Discard,
                            EditorDesktop::UnsavedAnswer::Discard};
  e.openFolder();
  e.openArchive();
  e.saveFolder();
  e.screenshotToFile();
  EXPECT_EQ(e.state().LastPath, "");
  EXPECT_EQ(e.model().bigClock.x, 99);
  EXPECT_TRUE(view.calls.empty());
  ASSERT_EQ(desktop.folderRequests.size(), 2u);
  EXPECT_EQ(desktop.folderRequests[0].title, e.texts().text("LANG_REQPATH_LOAD$"));
  EXPECT_EQ(desktop.folderRequests[1].title, e.texts().text("LANG_REQPATH_SAVE$"));
  ASSERT_EQ(desktop.fileRequests.size(), 2u);
  EXPECT_EQ(desktop.fileRequests[0].suggestedFile, "*.zip");
  EXPECT_EQ(desktop.fileRequests[0].filters, "* (*.zip)|*.zip|");
}

TEST_F(EditorTest, OpeningAFolderOrArchiveSetsLastPathFillsAndShowsViewZero) {
  const std::string folder = savedSkin("Blue", "Blue skin");
  Editor& e = startEditor();
  e.selectScreenView(6);
  view.calls.clear();
  desktop.folderAnswers.push_back(folder);
  e.openFolder();
  EXPECT_EQ(e.state().LastPath, folder);
  EXPECT_EQ(e.model().skinInfo.Title, "Blue skin");
  EXPECT_EQ(e.model().bigClock.x, 77);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"fill", "view 6>0", "canvas"}));
  EXPECT_TRUE(desktop.messages.empty());

  // The archive requester does not start in LastPath; the archive's folder
  // becomes it.
  const std::string archive = skins.folder() + "packed/skin.zip";
  fs::create_directories(skins.path() / "packed");
  desktop.fileAnswers.push_back(archive);  // missing: reported, LastPath still follows
  view.calls.clear();
  e.openArchive();
  EXPECT_EQ(e.state().LastPath, skins.folder() + "packed/");
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"fill", "view 0>0", "canvas"}));
}

// Real skins often carry only the pictures they change: those they lack are
// no message (the status bar counts them); the problems of the rest are one
// box, listed in the current language, shown after the skin is drawn.
TEST_F(EditorTest, AnOpenOrSaveWithManyProblemsShowsOneBoxListingThemAll) {
  fs::create_directories(home.path() / "language");
  fs::copy_file(SKINSTUDIO_SOURCE_DIR "/language/german.ini", home.path() / "language/german.ini");
  const std::string folder = savedSkin("Sparse", "Sparse skin");
  for (int i = 11; i < kSkinImageCount; ++i) fs::remove(folder + std::string(skinImageFileName(i)));
  for (int i = 0; i < 3; ++i)
    std::ofstream(folder + std::string(skinImageFileName(i)), std::ios::trunc) << "no picture";
  Editor& e = startEditor();
  e.changeLanguage(5);
  view.calls.clear();
  desktop.folderAnswers.push_back(folder);
  e.openFolder();
  EXPECT_EQ(e.model().skinInfo.Title, "Sparse skin");
  ASSERT_EQ(desktop.boxes.size(), 1u);
  const FakeMessageBox& box = desktop.boxes[0];
  EXPECT_EQ(box.title, e.texts().text("LANG_ERROR$"));
  EXPECT_EQ(box.summary, "Dateien mit Problemen: 3");
  ASSERT_EQ(box.lines.size(), 3u);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(box.lines[i], folder + std::string(skinImageFileName(i)) + ": " +
                                e.texts().text("LANG_FILE_UNKNOWN$"));
  EXPECT_EQ(view.calls.back(), "canvas");
  EXPECT_EQ(e.statusText(), "Sparse \u2014 42 Bilder aus dem integrierten Skin");

  // A save that cannot write three pictures: one box of three lines.
  desktop.boxes.clear();
  const std::string target = skins.folder() + "Target/";
  for (const char* name : {"active.bmp", "btn.bmp", "icon/cheat.bmp"})
    fs::create_directories(target + name);
  desktop.folderAnswers.push_back(target);
  EXPECT_FALSE(e.saveFolder());
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].summary, "Dateien mit Problemen: 3");
  EXPECT_EQ(desktop.boxes[0].lines,
            (std::vector<std::string>{
                target + "active.bmp: " + e.texts().text("LANG_FILE_NOTSAVE$"),
                target + "btn.bmp: " + e.texts().text("LANG_FILE_NOTSAVE$"),
                target + "icon/cheat.bmp: " + e.texts().text("LANG_FILE_NOTSAVE$")}));

  // One problem stays the plain message box.
  desktop.boxes.clear();
  fs::remove_all(target + "btn.bmp");
  fs::remove_all(target + "icon/cheat.bmp");
  desktop.folderAnswers.push_back(target);
  EXPECT_FALSE(e.saveFolder());
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].summary, "");
  EXPECT_EQ(desktop.boxes[0].lines.size(), 1u);
  EXPECT_NE(e.statusText().find("42 Bilder"), std::string::npos);

  // Saved whole, the skin has every picture.
  fs::remove_all(target + "active.bmp");
  desktop.folderAnswers.push_back(target);
  EXPECT_TRUE(e.saveFolder());
  EXPECT_EQ(e.statusText(), "Target");
}

// After a save elsewhere the skin's files are the saved ones: a later save
// reads them there, so what the author changed by hand meanwhile stays, and
// the first folder may go.
TEST_F(EditorTest, ASaveCarriesTheOtherFilesFromWhereTheSkinWasLastSaved) {
  const std::string folder = savedSkin("Blue", "Blue skin");
  fs::create_directories(folder + "calendar");
  std::ofstream(folder + "custom.ini") << "first";
  std::ofstream(folder + "calendar/day.bmp") << "day";
  Editor& e = startEditor();
  desktop.folderAnswers.push_back(folder);
  e.openFolder();
  const std::string copy = skins.folder() + "Copy/";
  fs::create_directories(copy);
  desktop.folderAnswers.push_back(copy);
  ASSERT_TRUE(e.saveFolder());
  EXPECT_EQ(readText(copy + "custom.ini"), "first");
  EXPECT_EQ(readText(copy + "calendar/day.bmp"), "day");

  std::ofstream(copy + "custom.ini", std::ios::trunc) << "edited by hand";
  fs::remove_all(folder);
  e.setElementValue({"big clock", "x"}, 12);
  desktop.folderAnswers.push_back(copy);
  ASSERT_TRUE(e.saveFolder());
  EXPECT_EQ(readText(copy + "custom.ini"), "edited by hand");

  // From the copy into an archive, and from the archive into a folder.
  desktop.fileAnswers.push_back(skins.folder() + "Packed.zip");
  ASSERT_TRUE(e.saveArchive());
  fs::remove_all(copy);
  const std::string last = skins.folder() + "Last/";
  fs::create_directories(last);
  desktop.folderAnswers.push_back(last);
  ASSERT_TRUE(e.saveFolder());
  EXPECT_EQ(readText(last + "custom.ini"), "edited by hand");
  EXPECT_EQ(readText(last + "calendar/day.bmp"), "day");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(EditorTest, SavingStampsTheSkinAndTellsTheWindow) {
  Editor& e = startEditor();
  e.setInfoText(0, "Typed title");
  e.setInfoText(4, "forged stamp");  // read-only field: not written
  fs::create_directories(skins.path() / "out");
  desktop.folderAnswers.push_back(skins.folder() + "out");
  view.calls.clear();
  e.saveFolder();
  EXPECT_EQ(e.state().LastPath, skins.folder() + "out/");
  EXPECT_EQ(view.calls, (std::vector<std::string>{"stamp"}));
  const std::string saved = readText(skins.path() / "out/uisettings.ini");
  EXPECT_NE(saved.find("Title=Typed title\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("forged"), std::string::npos);
  EXPECT_NE(e.infoText(4), "");
}

TEST_F(EditorTest, ALanguageChangeKeepsEditsAndZoomAndResetsTheView) {
  fs::create_directories(home.path() / "language");
  std::ofstream(home.path() / "language/german.ini", std::ios::binary)
      << "\xEF\xBB\xBF[Menu]\r\nLANG_FILE$ = Datei\r\n";
  Editor& e = startEditor();
  e.setElementValue({"big clock", "y"}, 12);
  e.setInfoText(1, "Anna");
  e.wheel(120);
  e.selectScreenView(9);
  view.calls.clear();
  e.changeLanguage(5);
  EXPECT_EQ(e.texts().text("LANG_FILE$"), "Datei");
  EXPECT_EQ(e.state().Language, 5);
  EXPECT_EQ(e.screenView(), 0);
  EXPECT_EQ(e.model().bigClock.y, 12);
  EXPECT_EQ(e.infoText(1), "Anna");
  EXPECT_FLOAT_EQ(e.state().ZoomFactor, 1.15f);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"rebuild", "fill", "canvas"}));
  e.changeLanguage(0);
  EXPECT_EQ(e.texts().text("LANG_FILE$"), builtinInterfaceText("LANG_FILE$"));
}

TEST_F(EditorTest, WheelNotchesTouchpadDeltasAndLimits) {
  Editor& e = startEditor();
  EXPECT_FALSE(e.wheel(-120));  // already at 1.0
  EXPECT_FALSE(e.wheel(240));
  EXPECT_FALSE(e.wheel(60));  // half a notch: not yet
  EXPECT_TRUE(e.wheel(60));   // the other half
  EXPECT_FLOAT_EQ(e.state().ZoomFactor, 1.15f);
  EXPECT_TRUE(e.wheel(-120));
  EXPECT_FALSE(e.wheel(40));
  EXPECT_FALSE(e.wheel(-40));  // direction changed: starts again
  EXPECT_FALSE(e.wheel(-40));
  EXPECT_FALSE(e.wheel(-30));
  for (int i = 0; i < 40; ++i) e.wheel(120);
  EXPECT_FLOAT_EQ(e.state().ZoomFactor, 5.05f);
  EXPECT_EQ(enlargedLength(kCanvasWidth, e.state().ZoomFactor), 1343);
  // A zoom step only repaints: the canvas is the same natural-size picture.
  const int redraws = e.redrawCount();
  const Image canvas = e.canvas();
  EXPECT_TRUE(e.wheel(-120));
  EXPECT_EQ(e.redrawCount(), redraws + 1);
  EXPECT_EQ(e.canvas().pixels, canvas.pixels);
}

TEST_F(EditorTest, ClosingWritesTheEditorSettings) {
  Editor& e = startEditor();
  desktop.colorAnswers.push_back(0x00FF00);
  e.pickBackgroundColor();
  e.toggleSwapView(666, 543);
  e.requestQuit();
  EXPECT_TRUE(e.state().QuitRequested);
  e.finish();
  EXPECT_EQ(readText(home.path() / "settings/settings.ini"), formatEditorSettings(e.state()));
  EditorState reread;
  readEditorSettings(reread, home.path());
  EXPECT_EQ(reread.BGColor, 0x00FF00u);
  EXPECT_EQ(reread.SwapView, 1);
}

TEST_F(EditorTest, PanelEditsWriteTheirFieldAndRedrawOnce) {
  Editor& e = startEditor();
  e.setElementValue({"big clock", "x"}, 140);
  e.setElementChecked({"big clock", "show"}, false);
  e.setInfoText(0, "Title");  // nothing on screen shows it: no redraw
  EXPECT_EQ(e.model().bigClock.x, 140);
  EXPECT_EQ(e.model().bigClock.show, 0);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"canvas", "canvas"}));

  // A cancelled picker keeps the colour and still redraws.
  view.calls.clear();
  const Color before = e.color(0);
  e.pickFieldColor(0);
  EXPECT_EQ(e.color(0), before);
  desktop.colorAnswers.push_back(rgb(8, 200, 248));
  e.pickFieldColor(0);
  EXPECT_EQ(e.model().globalSettings.gameInfoTextColor, rgb(8, 200, 248));
  EXPECT_EQ(desktop.colorRequests, (std::vector<std::uint32_t>{before, before}));
  EXPECT_EQ(view.calls, (std::vector<std::string>{"canvas", "canvas"}));

  // A cancelled image requester proposes LastPath + base name and redraws.
  view.calls.clear();
  e.replaceImage(9);  // the cheat icon
  ASSERT_EQ(desktop.fileRequests.size(), 1u);
  EXPECT_EQ(desktop.fileRequests[0].suggestedFile, "cheat.bmp");
  EXPECT_EQ(view.calls, (std::vector<std::string>{"canvas"}));
}

TEST_F(EditorTest, ScreenshotsFollowTheNamingRulesAndSayWhenNothingWasWritten) {
  Editor& e = startEditor();
  e.selectScreenView(9);  // the export is view 0 whatever the preview shows
  const std::string folder = skins.folder();
  struct Case {
    std::string name;
    int filter;
    std::string written;  // empty: nothing may be written
  } cases[] = {{"shot", 1, "shot.bmp"},
               {"shot.jpg", 0, "shot.jpg.png"},
               {"shot.png", 1, "shot.png.bmp"},
               {"shot.jpg", 2, "shot.jpg"},
               {"shot.PNG", 0, ""},
               {"shot.gif", 2, ""}};
  for (const Case& c : cases) {
    desktop.messages.clear();
    desktop.fileAnswers.push_back(folder + c.name);
    desktop.filterAnswers.push_back(c.filter);
    e.screenshotToFile();
    EXPECT_EQ(e.state().LastPath, folder);
    if (c.written.empty()) {
      ASSERT_EQ(desktop.messages.size(), 1u) << c.name;
      EXPECT_EQ(desktop.messages[0].body,
                folder + c.name + ": " + e.texts().text("LANG_FILE_NOTSAVE$"));
      EXPECT_FALSE(fs::exists(folder + c.name));
      continue;
    }
    EXPECT_TRUE(desktop.messages.empty()) << c.name;
    const auto bytes = readWholeFile(folder + c.written);
    ASSERT_TRUE(bytes) << c.written;
    const auto picture = decodePicture(*bytes);
    ASSERT_TRUE(picture) << c.written;
    EXPECT_EQ(picture->width, 256);
    EXPECT_EQ(picture->height, 384);
  }
  // A folder that cannot be written to is said too.
  desktop.messages.clear();
  desktop.fileAnswers.push_back(folder + "no/such/folder/shot.png");
  e.screenshotToFile();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].body.find("no/such/folder/shot.png"), std::string::npos);

  e.screenshotToClipboard();
  ASSERT_EQ(desktop.clipboard.size(), 1u);
  EXPECT_EQ(desktop.clipboard[0].pixels, renderScreenshot({e.model(), e.images()}).pixels);
}

}  // namespace
