#include <gtest/gtest.h>

#include <climits>

#include "preview/cheat_list_screen.h"
#include "preview/menu_screens.h"
#include "preview/menu_test_skin.h"

namespace {

TEST(CheatList, SelectionBarIsCopiedOpaqueAt36And55) {
  MenuTestSkin skin;
  // Pure green would vanish in a keyed copy; the bar must keep it.
  skin.set("cheatselectbar.bmp", 200, 1, 0x00FF00);
  const Image screen = drawMenuScreen(13, skin.sources());
  EXPECT_EQ(screen.at(18, 36), 0x00FF00u);
  EXPECT_EQ(screen.at(217, 36), 0x00FF00u);
  EXPECT_EQ(screen.at(18, 55), 0x00FF00u);
  EXPECT_EQ(countColor(screen, 0x00FF00), 400);

  // A tall bar is still placed at both rows; the copies overlap.
  skin.set("cheatselectbar.bmp", 10, 25, kPink);
  const Bounds tall = boundsOf(drawMenuScreen(13, skin.sources()), kPink);
  EXPECT_EQ(tall.y, 36);
  EXPECT_EQ(tall.h, 55 + 25 - 36);
}

TEST(CheatList, IgnoresTheFileBrowserFurniture) {
  MenuTestSkin skin;
  skin.set("lower_screen.bmp", 256, 192, kGrey);
  skin.set("startbar.bmp", 256, 20, kRed);
  skin.set("start_released.bmp", 58, 20, kOrange);
  skin.set("brightness.bmp", 23, 18, kYellow);
  skin.set("reBack.bmp", 23, 18, kBlue);
  skin.set("cardFrame0.bmp", 20, 20, kCyan);
  skin.set("form_L.bmp", 28, 100, kPurple);
  const Image screen = drawMenuScreen(13, skin.sources());
  for (Color c : {kGrey, kRed, kOrange, kYellow, kBlue, kCyan, kPurple})
    EXPECT_EQ(countColor(screen, c), 0) << std::hex << c;
}

TEST(CheatList, BackgroundButtonsAndIconsInOrder) {
  MenuTestSkin skin;
  skin.set("cheatbg.bmp", 256, 192, kGrey);
  skin.set("cheat_clearall.bmp", 12, 12, kRed);
  skin.set("close.bmp", 12, 12, kBlue);
  skin.set("pitchon.bmp", 8, 8, kPurple);
  skin.set("pitchdown.bmp", 8, 8, kPink);
  skin.set("onehoton.bmp", 8, 8, kCyan);
  skin.set("onehotdown.bmp", 8, 8, kOrange);
  skin.set("fathernode.bmp", 8, 8, kBrown);
  const Image screen = drawMenuScreen(13, skin.sources());
  EXPECT_EQ(screen.at(0, 0), kGrey);
  EXPECT_EQ(screen.at(160, 13), kRed);   // [cheat cancel all btn]
  EXPECT_EQ(screen.at(233, 11), kBlue);  // [close btn]
  const std::array<Color, 7> icons = {kPurple, kPurple, kPink, kCyan, kOrange, kOrange, kBrown};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(screen.at(18, 41 + 20 * i), icons[i]) << i;

  const GlobalSettingsSection& colors = skin.model.globalSettings;
  const Bounds selected = boundsOf(screen, colors.cheatListTextHighLightColor);
  const Bounds expected = textBounds(35, 38, kCheatEntries[0]);
  EXPECT_EQ(selected.x, expected.x);
  EXPECT_EQ(selected.y, expected.y);
  EXPECT_EQ(boundsOf(screen, colors.cheatListTextColor).y, textBounds(35, 58, kCheatEntries[1]).y);
}

TEST(CheatList, TitleAndCaptionAreFittedToTheirFields) {
  MenuTestSkin skin;
  const Color ink = skin.model.globalSettings.cheatTitleTextColor;
  skin.model.cheatTitle.w = 1;
  skin.model.cheatClearTitle.w = 1;
  EXPECT_EQ(countColor(drawMenuScreen(13, skin.sources()), ink), 0);

  skin.model.cheatTitle.w = 40;
  skin.model.cheatClearTitle.w = -5;
  const Bounds title = boundsOf(drawMenuScreen(13, skin.sources()), ink);
  ASSERT_GT(title.w, 0);
  EXPECT_LE(title.x + title.w, skin.model.cheatTitle.x + 40);
  EXPECT_EQ(title.y, textBounds(15, 13, fitText(kCheatTitle, 40)).y);
}

TEST(CheatList, SampleTextsHaveTheirFixedLengths) {
  EXPECT_EQ(kCheatTitle.size(), 23u);
  EXPECT_EQ(kCheatClearCaption.size(), 10u);
  const std::array<std::size_t, 7> lengths = {32, 21, 27, 32, 13, 20, 19};
  for (std::size_t i = 0; i < lengths.size(); ++i)
    EXPECT_EQ(kCheatEntries[i].size(), lengths[i]) << i;
}

TEST(CheatList, ExtremePositionsStayOnTheScreen) {
  for (std::int32_t value : {INT_MIN, INT_MAX}) {
    MenuTestSkin skin;
    for (const SkinField& field : skinFields())
      if (field.kind == FieldKind::Integer) *field.integer(skin.model) = value;
    skin.set("cheat_clearall.bmp", 12, 12, kRed);
    const Image screen = drawMenuScreen(13, skin.sources());
    EXPECT_EQ(screen.width, kScreenWidth);
    EXPECT_EQ(countColor(screen, kRed), 0);
  }
}

}  // namespace
