#include <gtest/gtest.h>

#include <cstdio>

#include "imaging/image.h"
#include "skin/skin_model.h"

namespace {

std::string hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04x", value);
  return text;
}

// The prefix is dropped only in lower case, the rest is cut to its last four
// characters or padded to four, and reading stops at the first non-digit.
TEST(ColorFromText, PrefixPaddingAndCutting) {
  const Color white = rgb(248, 248, 248);
  EXPECT_EQ(colorFromText("0x7fff"), white);
  EXPECT_EQ(colorFromText("7fff"), white);
  EXPECT_EQ(colorFromText("0X7FFF"), white);
  EXPECT_EQ(colorFromText("0x1f"), rgb(248, 0, 0));
  EXPECT_EQ(colorFromText(""), 0u);
  EXPECT_EQ(colorFromText("0x"), 0u);
  EXPECT_EQ(colorFromText("0x12345"), colorFromText("0x2345"));
  EXPECT_EQ(colorFromText("0x7g1f"), rgb(56, 0, 0));
  EXPECT_EQ(colorFromText("zzzz"), 0u);
  EXPECT_EQ(colorFromText("0x0x1f"), rgb(248, 0, 0));
}

TEST(ColorFromText, Bit15CarriesNoColour) {
  EXPECT_EQ(colorFromText("0x8000"), 0u);
  EXPECT_EQ(colorFromText("0x980c"), rgb(96, 0, 48));
  EXPECT_EQ(colorFromText("0xffff"), colorFromText("0x7fff"));
}

TEST(ColorFromText, NonAsciiCountsAsOneCharacter) {
  // "ü" is two bytes in UTF-8 but one character: the last four characters
  // are "1ü23", of which only "1" is read.
  EXPECT_EQ(colorFromText("0x1\xC3\xBC"
                          "23"),
            rgb(8, 0, 0));
}

TEST(ColorToText, DropsLowBitsAndBitsAboveBlue) {
  EXPECT_EQ(colorToText(rgb(255, 255, 255)), "0x7fff");
  EXPECT_EQ(colorToText(rgb(7, 7, 7)), "0x0000");
  EXPECT_EQ(colorToText(rgb(8, 16, 24)), "0x0c41");
  EXPECT_EQ(colorToText(rgb(96, 0, 48)), "0x180c");
  EXPECT_EQ(colorToText(0xFF000000u | rgb(8, 0, 0)), "0x0001");
}

TEST(ColorCodec, EveryFifteenBitValueRoundTrips) {
  for (unsigned value = 0; value < 0x8000; ++value) {
    const std::string text = hex4(value);
    ASSERT_EQ(colorToText(colorFromText(text)), text);
  }
  // Upper-case digits come back lower-case; bit 15 is dropped.
  EXPECT_EQ(colorToText(colorFromText("0x7ABC")), "0x7abc");
  EXPECT_EQ(colorToText(colorFromText("0xbb1f")), "0x3b1f");
}

TEST(ResetSkinModel, EveryFieldTakesItsDefault) {
  SkinModel model;
  model.skinInfo.Title = "old";
  model.skinInfo.LastUpdate = "2001/01/01-00:00:00";
  model.fileHandleMenu.x = -1;
  model.mainList.textColor = 12345;
  resetSkinModel(model);

  EXPECT_TRUE(model.skinInfo.Title.empty());
  EXPECT_TRUE(model.skinInfo.LastUpdate.empty());
  EXPECT_EQ(model.globalSettings.formFrameColor, rgb(96, 0, 48));
  EXPECT_EQ(model.globalSettings.formBodyColor, rgb(24, 24, 24));
  EXPECT_EQ(model.globalSettings.popMenuTextHighLightColor, rgb(64, 208, 224));
  EXPECT_EQ(model.startButton.textColor, rgb(248, 248, 248));
  EXPECT_EQ(model.mainList.textColor, rgb(88, 88, 88));
  EXPECT_EQ(model.mainList.selectionBarColor1, rgb(0, 0, 184));
  EXPECT_EQ(model.folderText.color, rgb(0, 160, 176));
  EXPECT_EQ(model.fileName.x, 127);
  EXPECT_EQ(model.fileHandleMenu.x, 2);
  EXPECT_EQ(model.fileHandleMenu.y, 82);
  EXPECT_EQ(model.listTypeMenu.h, 50);
  EXPECT_EQ(model.calendarYear.show, 0);
}

TEST(SkinFields, EveryPairNamesOneField) {
  ASSERT_EQ(skinFields().size(), 170u);
  EXPECT_EQ(skinSections().size(), 36u);
  SkinModel model;
  int texts = 0, colours = 0, integers = 0;
  for (const SkinField& field : skinFields()) {
    EXPECT_EQ(findSkinField(field.section, field.key), &field) << field.section << " " << field.key;
    texts += field.kind == FieldKind::Text;
    colours += field.kind == FieldKind::ColorDs;
    integers += field.kind == FieldKind::Integer;
  }
  EXPECT_EQ(texts, 5);
  EXPECT_EQ(colours, 41);
  EXPECT_EQ(integers, 124);
  EXPECT_EQ(integerField(model, "close btn", "x"), &model.closeBtn.x);
  EXPECT_EQ(colorField(model, "start button", "textColor"), &model.startButton.textColor);
  EXPECT_EQ(integerField(model, "start button", "textColor"), nullptr);
  // Read-only look-ups find the same fields and refuse the same pairs.
  const SkinModel& reading = model;
  EXPECT_EQ(integerField(reading, "close btn", "x"), &model.closeBtn.x);
  EXPECT_EQ(colorField(reading, "start button", "textColor"), &model.startButton.textColor);
  EXPECT_EQ(textField(reading, "SkinInfo", "Url"), &model.skinInfo.Url);
  EXPECT_EQ(textField(reading, "SkinInfo", "x"), nullptr);
  EXPECT_EQ(colorField(reading, "close btn", "x"), nullptr);
  EXPECT_EQ(findSkinField("file name", "X"), nullptr);
}

}  // namespace
