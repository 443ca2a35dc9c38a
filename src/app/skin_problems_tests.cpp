// The problems list as the author meets it: a skin broken on disk in the
// ways authors break skins, opened in the editor, mended one way at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/editor.h"
#include "app/skin_problems.h"
#include "imaging/bmp16.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/saved_skin.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void replaceOnce(std::string& text, const std::string& from, const std::string& to,
                 std::size_t after = 0) {
  const std::size_t at = text.find(from, after);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

// The default skin broken six ways: a background of the wrong size, a
// key typo, a clock off the screen, white text on a white bar, a picture
// deleted and a value that is not a number.
std::string brokenSkin(const std::string& folder) {
  saveBuiltinSkin(folder, [](SkinModel& model) {
    model.bigClock.x = 300;
    model.globalSettings.listTextHighLightColor = 0xF8F8F8;
  });
  writeBmp16(Image(200, 150, 0x102030), folder + "cheatbg.bmp");
  writeBmp16(Image(256, 42, 0xF8F8F8), folder + "selectbar.bmp");
  fs::remove(folder + "icon/nds.bmp");
  std::string settings = readAll(folder + "uisettings.ini");
  replaceOnce(settings, "titleshow=", "titelshow=");
  replaceOnce(settings, "y=71", "y=abc", settings.find("[file name]"));
  std::ofstream(folder + "uisettings.ini", std::ios::binary) << settings;
  return folder;
}

bool has(const Editor& editor, const std::string& code, const std::string& subject) {
  for (const Finding& f : editor.problems())
    if (f.code == code && findingSubject(f) == subject) return true;
  return false;
}

std::string listed(const Editor& editor) {
  std::string out;
  for (const Finding& f : editor.problems()) out += findingLine(f) + "\n";
  return out;
}

int row(std::string_view section) { return elementRowTarget(section).index; }
int imageButton(std::string_view file) { return imageButtonTarget(file).index; }

class SkinProblemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.start();
    folder = brokenSkin(skins.folder() + "broken/");
    ASSERT_TRUE(editor.openPath(folder));
    editor.checkProblems();
  }
  TempDir home, skins;
  FakeDesktop desktop;
  Editor editor{desktop, home.path()};
  std::string folder;
};

TEST_F(SkinProblemsTest, TheListHoldsWhatTheCommandLineCheckFinds) {
  EXPECT_TRUE(has(editor, "picture-size", "cheatbg.bmp")) << listed(editor);
  EXPECT_TRUE(has(editor, "unknown-key", "[file name] titelshow")) << listed(editor);
  EXPECT_TRUE(has(editor, "off-screen", "[big clock]")) << listed(editor);
  EXPECT_TRUE(has(editor, "low-contrast", "[global settings] listTextHighLightColor"))
      << listed(editor);
  EXPECT_TRUE(has(editor, "picture-missing", "icon/nds.bmp")) << listed(editor);
  EXPECT_TRUE(has(editor, "value-unparsable", "[file name] y")) << listed(editor);

  // The same findings, in the same order, as a check of the skin on disk.
  FakeDesktop quiet;
  SkinLoadRecord record;
  SkinIoContext io{quiet, editor.texts()};
  io.record = &record;
  SkinModel model;
  SkinImageTable images;
  resetSkinModel(model);
  resetSkinImages(images);
  ASSERT_TRUE(openSkinPath(model, images, io, folder).loaded);
  std::string stored;
  for (const Finding& f : checkSkin(model, images, {&record}, editor.texts()))
    stored += findingLine(f) + "\n";
  EXPECT_EQ(listed(editor), stored);
  EXPECT_EQ(editor.problemCountText(), "3 errors, 6 warnings") << listed(editor);
}

TEST_F(SkinProblemsTest, EachMendGoesFromTheListAndUndoBringsItBack) {
  editor.setElementValue({"big clock", "x"}, 131);
  editor.checkProblems();
  EXPECT_FALSE(has(editor, "off-screen", "[big clock]"));

  editor.setElementValue({"file name", "y"}, 71);
  editor.checkProblems();
  EXPECT_FALSE(has(editor, "value-unparsable", "[file name] y"));

  desktop.colorAnswers.push_back(0x000000);
  editor.pickFieldColor(colorButtonTarget(globalColor("listTextHighLightColor")).index);
  editor.checkProblems();
  EXPECT_FALSE(has(editor, "low-contrast", "[global settings] listTextHighLightColor"));

  const std::string background = skins.folder() + "bg.bmp";
  writeBmp16(Image(256, 192, 0x203040), background);
  ASSERT_TRUE(editor.replaceImageFromFile(imageButton("cheatbg.bmp"), background));
  ASSERT_TRUE(editor.replaceImageFromFile(imageButton("icon/nds.bmp"), background));
  editor.checkProblems();
  EXPECT_FALSE(has(editor, "picture-size", "cheatbg.bmp"));
  EXPECT_FALSE(has(editor, "picture-missing", "icon/nds.bmp"));

  // The entry holds its built-in picture again: it is again missing from
  // the skin's folder.
  editor.undo();
  editor.checkProblems();
  EXPECT_TRUE(has(editor, "picture-missing", "icon/nds.bmp")) << listed(editor);
  editor.redo();

  // The typo is the author's own line, which a save keeps as it is: the
  // list goes on naming it, as a check of the saved folder does.
  editor.checkProblems();
  EXPECT_TRUE(has(editor, "unknown-key", "[file name] titelshow"));
  const std::string mended = skins.folder() + "mended/";
  fs::create_directories(mended);
  desktop.folderAnswers.push_back(mended);
  ASSERT_TRUE(editor.saveFolder());
  editor.checkProblems();
  EXPECT_EQ(countSeverity(editor.problems(), Severity::Error), 0) << listed(editor);
  EXPECT_TRUE(has(editor, "unknown-key", "[file name] titelshow")) << listed(editor);
  EXPECT_NE(readAll(mended + "uisettings.ini").find("titelshow"), std::string::npos);
  FakeDesktop quiet;
  SkinLoadRecord record;
  SkinIoContext io{quiet, editor.texts()};
  io.record = &record;
  SkinModel model;
  SkinImageTable images;
  resetSkinModel(model);
  resetSkinImages(images);
  ASSERT_TRUE(openSkinPath(model, images, io, mended).loaded);
  std::string stored;
  for (const Finding& f : checkSkin(model, images, {&record}, editor.texts()))
    stored += findingLine(f) + "\n";
  EXPECT_EQ(listed(editor), stored);
}

TEST_F(SkinProblemsTest, AProblemShowsItsViewAndNamesItsControl) {
  const auto index = [&](const std::string& code) {
    for (std::size_t i = 0; i < editor.problems().size(); ++i)
      if (editor.problems()[i].code == code) return static_cast<int>(i);
    return -1;
  };
  PanelTarget target = editor.showProblem(index("low-contrast"));
  EXPECT_EQ(target, colorButtonTarget(globalColor("listTextHighLightColor")));
  EXPECT_EQ(editor.screenView(), target.view >= 0 ? target.view : 1);

  target = editor.showProblem(index("off-screen"));
  EXPECT_EQ(target.kind, PanelTarget::Kind::ElementRow);
  EXPECT_EQ(target.index, row("big clock"));

  target = editor.showProblem(index("picture-size"));
  EXPECT_EQ(target, imageButtonTarget("cheatbg.bmp"));
  const Finding& background = editor.problems()[static_cast<std::size_t>(index("picture-size"))];
  EXPECT_EQ(editor.screenView(), target.view >= 0 ? target.view : background.views.front());

  // Several missing pictures are one finding; it leads to the first of them.
  Finding missing;
  missing.code = "picture-missing";
  missing.pictures = {"lamp.bmp", "icon/nds.bmp"};
  EXPECT_EQ(findingTarget(missing), imageButtonTarget("lamp.bmp"));

  EXPECT_EQ(editor.showProblem(-1), PanelTarget{});
  EXPECT_EQ(editor.showProblem(999), PanelTarget{});
}

TEST_F(SkinProblemsTest, ANewSkinHasNoStoredFileAndTheRecordGoesWithIt) {
  editor.newSkin();
  editor.checkProblems();
  EXPECT_EQ(countSeverity(editor.problems(), Severity::Error), 0) << listed(editor);
  EXPECT_EQ(editor.problemCountText(), "2 warnings");
}

TEST(ProblemCount, OneAndManyOfEachInTheLanguage) {
  InterfaceTexts texts;
  const auto of = [](Severity severity) {
    Finding finding;
    finding.severity = severity;
    return finding;
  };
  std::vector<Finding> findings;
  EXPECT_EQ(problemCountText(findings, texts), "No problems");
  findings.push_back(of(Severity::Note));
  EXPECT_EQ(problemCountText(findings, texts), "No problems");
  findings.push_back(of(Severity::Error));
  EXPECT_EQ(problemCountText(findings, texts), "1 error");
  findings.push_back(of(Severity::Warning));
  findings.push_back(of(Severity::Error));
  EXPECT_EQ(problemCountText(findings, texts), "2 errors, 1 warning");
  findings.erase(findings.begin() + 1);
  findings.erase(findings.begin() + 2);
  findings.push_back(of(Severity::Warning));
  EXPECT_EQ(problemCountText(findings, texts), "2 warnings");
}

}  // namespace
