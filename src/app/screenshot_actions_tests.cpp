// What the contact sheet calls a skin and its screens, and writing it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/editor.h"
#include "app/screenshot_actions.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ContactSheetTexts, ASkinIsCalledByItsTitleElseByItsNameElseUntitled) {
  InterfaceTexts texts;
  SkinModel model;
  resetSkinModel(model);
  model.skinInfo.Title = "Ocean";
  model.skinInfo.Author = "Mia";
  ContactSheetTexts sheet = contactSheetTexts(model, texts, "blue-v2");
  EXPECT_EQ(sheet.title, "Ocean");
  EXPECT_EQ(sheet.byline, "by Mia");

  model.skinInfo.Title.clear();
  EXPECT_EQ(contactSheetTexts(model, texts, "blue-v2").title, "blue-v2");
  EXPECT_EQ(contactSheetTexts(model, texts).title, "Untitled skin");
  EXPECT_EQ(contactSheetTexts(model, texts).screenNames[13], texts.text("LANG_SCREEN_13$"));
}

TEST(AllScreensToFile, WritesTheContactSheetAsPngAndSaysWhenItCannot) {
  TempDir home, out;
  FakeDesktop desktop;
  Editor editor{desktop, home.path()};
  editor.start();
  desktop.fileAnswers.push_back(out.folder() + "sheet");
  editor.screenshotAllToFile();
  const std::string written = readAll(out.folder() + "sheet.png");
  ASSERT_GT(written.size(), 8u);
  EXPECT_EQ(written.substr(1, 3), "PNG");
  EXPECT_EQ(editor.state().LastPath, out.folder());
  EXPECT_TRUE(desktop.messages.empty());

  desktop.fileAnswers.push_back(out.folder() + "no/such/folder/sheet.png");
  editor.screenshotAllToFile();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].body.find("sheet.png"), std::string::npos);

  editor.screenshotAllToFile();  // cancelled: nothing asked of the disk
  EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
