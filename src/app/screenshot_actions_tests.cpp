// What the contact sheet calls a skin and its screens.
#include <gtest/gtest.h>

#include "app/screenshot_actions.h"

namespace {

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

}  // namespace
