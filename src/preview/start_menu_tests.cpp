#include <gtest/gtest.h>

#include <climits>

#include "preview/menu_screens.h"
#include "preview/menu_test_skin.h"
#include "preview/start_menu.h"

namespace {

// A start menu drawn alone, on a blank screen.
Image startMenuOnly(const MenuTestSkin& skin, int row, int tileSpan = kStartMenuWidth) {
  Image screen = newScreen();
  Painter painter(screen);
  drawStartMenu(painter, skin.sources(), row, tileSpan);
  return screen;
}

TEST(StartMenuFrame, DefaultPiecesGiveFifteenMiddleTilesAndEndAt108) {
  MenuTestSkin skin;
  skin.model.startMenu.x = 20;
  skin.model.startMenu.y = 10;
  skin.set("form_L.bmp", 28, 30, kRed);
  skin.set("form_R.bmp", 36, 30, kBlue);
  // The middle tile's first column is marked, so each tile start shows.
  Image& middle = skin.picture("form_M.bmp");
  middle = Image(3, 30, kYellow);
  for (int y = 0; y < 30; ++y) middle.at(0, y) = kOrange;

  const Image screen = startMenuOnly(skin, 1);
  const int mx = 20, y = 10;
  std::vector<int> tileStarts;
  for (int x = 0; x < kScreenWidth; ++x)
    if (screen.at(x, y) == kOrange) tileStarts.push_back(x - mx);
  std::vector<int> expected;
  for (int i = 0; i < 15; ++i) expected.push_back(28 + 3 * i);
  EXPECT_EQ(tileStarts, expected);

  EXPECT_EQ(screen.at(mx, y), kRed);
  EXPECT_EQ(screen.at(mx + 27, y), kRed);
  EXPECT_EQ(screen.at(mx + 71, y), kYellow);
  EXPECT_EQ(screen.at(mx + 72, y), kBlue);
  EXPECT_EQ(screen.at(mx + 107, y), kBlue);
  EXPECT_EQ(screen.at(mx + 108, y), 0u);
}

TEST(StartMenuFrame, BrightnessViewCountsTilesFor109Pixels) {
  MenuTestSkin skin;
  skin.model.startMenu.y = 10;
  skin.set("form_L.bmp", 28, 30, kRed);
  skin.set("form_M.bmp", 9, 30, kYellow);  // no right piece: every tile shows
  // (108 - 28) / 9 = 8 gives nine tiles, up to x 108; 81 / 9 = 9 gives a
  // tenth from x 109.
  EXPECT_EQ(startMenuOnly(skin, 3).at(108, 10), kYellow);
  EXPECT_EQ(startMenuOnly(skin, 3).at(109, 10), 0u);
  EXPECT_EQ(startMenuOnly(skin, 3, 109).at(109, 10), kYellow);
  EXPECT_EQ(startMenuOnly(skin, 3, 109).at(117, 10), kYellow);
  EXPECT_EQ(startMenuOnly(skin, 3, 109).at(118, 10), 0u);

  EXPECT_EQ(drawMenuScreen(9, skin.sources()).at(112, 10), kYellow);
  EXPECT_NE(drawMenuScreen(8, skin.sources()).at(112, 10), kYellow);
}

TEST(StartMenuFrame, UnusablePiecesGiveNoMiddleTilesAndNeverHang) {
  MenuTestSkin skin;
  skin.model.startMenu.y = 10;
  skin.set("form_M.bmp", 0, 30, kYellow);  // zero width
  EXPECT_EQ(countColor(startMenuOnly(skin, 0), kYellow), 0);

  // Side pieces wider than the whole frame leave no room for middle tiles.
  skin.set("form_M.bmp", 3, 30, kYellow);
  skin.set("form_L.bmp", 60, 30, kRed);
  skin.set("form_R.bmp", 60, 30, kBlue);
  EXPECT_EQ(countColor(startMenuOnly(skin, 0), kYellow), 0);

  // A middle tile wider than the screen still draws only what fits.
  skin.set("form_L.bmp", 1, 30, kRed);
  skin.set("form_R.bmp", 1, 30, kBlue);
  skin.set("form_M.bmp", 400, 2, kYellow);
  // One tile from x 1 to the screen edge, less the right piece at x 107.
  EXPECT_EQ(countColor(startMenuOnly(skin, 0), kYellow), 2 * (kScreenWidth - 2));
}

// Default settings: row centre C = 56 + 18 + 8 + r * 17, lamp at x 5.
TEST(StartMenuLamp, StartsKRowsAboveTheRowCentreForEvenAndOddHeights) {
  for (int height : {38, 37}) {
    MenuTestSkin skin;
    skin.set("lamp.bmp", 4, height, kPurple);
    const Image screen = startMenuOnly(skin, 1);
    const int top = 56 + 18 + 8 + 17 - 20;  // k = 20 for both heights
    EXPECT_EQ(screen.at(5, top - 1), 0u) << height;
    EXPECT_EQ(screen.at(5, top), kPurple) << height;
    EXPECT_EQ(screen.at(5, top + height - 1), kPurple) << height;
    EXPECT_EQ(screen.at(5, top + height), 0u) << height;
  }
}

TEST(StartMenuLamp, FirstRowCutsTheTopAndLastRowTheBottom) {
  MenuTestSkin skin;
  // Top six rows and bottom six rows marked, to see which ones go.
  Image& lamp = skin.picture("lamp.bmp");
  lamp = Image(4, 38, kPurple);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 6; ++y) {
      lamp.at(x, y) = kCyan;
      lamp.at(x, 37 - y) = kPink;
    }
  ASSERT_EQ(skin.model.startMenu.leftlogoupY, 6);

  // Row 0: the whole lamp would span 62..99; rows 62..67 are cut away.
  Image screen = startMenuOnly(skin, 0);
  EXPECT_EQ(countColor(screen, kCyan), 0);
  EXPECT_EQ(screen.at(5, 67), 0u);
  EXPECT_EQ(screen.at(5, 68), kPurple);
  EXPECT_EQ(screen.at(5, 99), kPink);

  // Row 4: the whole lamp would span 130..167; its last six rows are cut.
  screen = startMenuOnly(skin, 4);
  EXPECT_EQ(countColor(screen, kPink), 0);
  EXPECT_EQ(screen.at(5, 130), kCyan);
  EXPECT_EQ(screen.at(5, 161), kPurple);
  EXPECT_EQ(screen.at(5, 162), 0u);

  skin.model.startMenu.leftlogoupY = 0;
  screen = startMenuOnly(skin, 0);
  EXPECT_EQ(screen.at(5, 62), kCyan);
  EXPECT_EQ(screen.at(5, 99), kPink);

  // Cuts beyond the lamp take all of it or none; they never add rows.
  skin.model.startMenu.leftlogoupY = 50;
  EXPECT_EQ(countColor(startMenuOnly(skin, 0), kPurple), 0);
  skin.model.startMenu.leftlogoupY = -5;
  screen = startMenuOnly(skin, 0);
  EXPECT_EQ(screen.at(5, 61), 0u);
  EXPECT_EQ(screen.at(5, 62), kCyan);
}

TEST(StartMenuItems, SelectedRowInHighlightColourAndTriangleAtTheRightEdge) {
  MenuTestSkin skin;
  skin.set("triangle.bmp", 5, 9, kBrown);
  const GlobalSettingsSection& colors = skin.model.globalSettings;
  const Image screen = startMenuOnly(skin, 2);
  // Items at (12, 56 + 18 + j * 17 - 2); row 2 is "Language".
  const Bounds highlighted = boundsOf(screen, colors.popMenuTextHighLightColor);
  const Bounds language = textBounds(12, 56 + 18 + 34 - 2, "Language");
  EXPECT_EQ(highlighted.x, language.x);
  EXPECT_EQ(highlighted.y, language.y);
  EXPECT_EQ(highlighted.w, language.w);
  EXPECT_GT(countColor(screen, colors.popMenuTextColor), 0);
  // k2 = 9 / 2 + 1 + 1 = 6 above C = 116; right edge 4 pixels inside the frame.
  const Bounds triangle = boundsOf(screen, kBrown);
  EXPECT_EQ(triangle.x, 108 - 4 - 5);
  EXPECT_EQ(triangle.y, 116 - 6);
}

// File operation submenu with the defaults: P = 2, box at (109, 82), 70 wide.
TEST(Submenu, FileOperationBoxIs84HighWithAOnePixelBorder) {
  MenuTestSkin skin;
  const GlobalSettingsSection& colors = skin.model.globalSettings;
  const Image screen = drawMenuScreen(2, skin.sources());
  EXPECT_EQ(screen.at(109, 82), colors.formFrameColor);
  EXPECT_EQ(screen.at(178, 165), colors.formFrameColor);
  EXPECT_NE(screen.at(109, 166), colors.formFrameColor);
  EXPECT_NE(screen.at(179, 82), colors.formFrameColor);
  EXPECT_EQ(screen.at(110, 83), colors.popSubMenuBodyColor);
  EXPECT_EQ(screen.at(177, 164), colors.popSubMenuBodyColor);
  EXPECT_EQ(boundsOf(screen, colors.popSubMenuTextHighLightColor).y,
            textBounds(121, 82 + 10 + 48 - 2, "Delete").y);
}

TEST(Submenu, OnePixelBarIsCopiedSixtySixTimes) {
  MenuTestSkin skin;
  skin.set("popsubbar.bmp", 1, 3, kOrange);
  const Image screen = drawMenuScreen(2, skin.sources());
  // Bar row 3: y = 82 + 10 + 8 - 1 - 1 + 3 * 16 = 146.
  const Bounds bar = boundsOf(screen, kOrange);
  EXPECT_EQ(bar.x, 2 + 109);
  EXPECT_EQ(bar.x + bar.w - 1, 2 + 174);
  EXPECT_EQ(bar.y, 146);
  EXPECT_EQ(bar.h, 3);
  const Color text = skin.model.globalSettings.popSubMenuTextHighLightColor;
  for (int x = 111; x <= 176; ++x) {
    const Color c = screen.at(x, 148);
    EXPECT_TRUE(c == kOrange || c == text) << x;
  }
}

TEST(Submenu, BarsWiderThanTheBoxOrEmptyDrawNothing) {
  MenuTestSkin skin;
  skin.set("popsubbar.bmp", 67, 3, kOrange);  // 70 - 4 - 67 < 0
  EXPECT_EQ(countColor(drawMenuScreen(2, skin.sources()), kOrange), 0);
  skin.set("popsubbar.bmp", 66, 3, kOrange);  // exactly one copy
  const Bounds bar = boundsOf(drawMenuScreen(2, skin.sources()), kOrange);
  EXPECT_EQ(bar.x, 111);
  EXPECT_EQ(bar.w, 66);
  skin.set("popsubbar.bmp", 0, 3, kOrange);
  EXPECT_EQ(countColor(drawMenuScreen(2, skin.sources()), kOrange), 0);
}

TEST(Submenu, SecondLevelBrightnessMenuLiesOverTheFirstWithItsCheckMark) {
  MenuTestSkin skin;
  skin.set("active.bmp", 6, 6, kCyan);
  // Move the second level left so it overlaps the first-level box.
  skin.model.brightnessMenu.x = -40;
  const GlobalSettingsSection& colors = skin.model.globalSettings;
  const Image screen = drawMenuScreen(9, skin.sources());
  // Q = 0 + 2 - 40, box at (Q + 182, 96) = (144, 96), 60 wide, 4 items.
  EXPECT_EQ(screen.at(144, 96), colors.formFrameColor);
  EXPECT_EQ(screen.at(203, 96 + 84 - 1), colors.formFrameColor);
  EXPECT_EQ(screen.at(145, 97), colors.popSubMenuBodyColor);
  const Bounds check = boundsOf(screen, kCyan);
  EXPECT_EQ(check.x, 148);
  EXPECT_EQ(check.y, 96 + 10 + 2 * 16 + 4);
  EXPECT_EQ(check.w, 6);
  // The first-level "Display" (highlighted) is partly covered; the second
  // level's "Level 1" is highlighted too, at x Q + 194.
  const Bounds level1 = textBounds(156, 96 + 10 - 2, "Level 1");
  const Bounds drawn = boundsOf(screen, colors.popSubMenuTextHighLightColor, 144, 96, 204, 180);
  EXPECT_EQ(drawn.x, level1.x);
  EXPECT_EQ(drawn.y, level1.y);
  EXPECT_EQ(drawn.w, level1.w);
}

TEST(Submenu, FirstSubmenuCoversTheStartMenuBeneathIt) {
  MenuTestSkin skin;
  skin.set("form_L.bmp", 28, 120, kRed);
  skin.set("form_M.bmp", 3, 120, kYellow);
  skin.set("form_R.bmp", 36, 120, kBlue);
  skin.model.fileHandleMenu.x = -60;  // box from x 47
  const Image screen = drawMenuScreen(2, skin.sources());
  EXPECT_EQ(screen.at(47, 100), skin.model.globalSettings.formFrameColor);
  EXPECT_EQ(screen.at(100, 100), skin.model.globalSettings.popSubMenuBodyColor);
  EXPECT_EQ(screen.at(46, 100), kYellow);
}

TEST(Submenu, UnderTheHotkeyWindowItemsAreWhiteAndTheBoxOnePixelRight) {
  MenuTestSkin skin;
  const GlobalSettingsSection& colors = skin.model.globalSettings;
  const Image screen = drawMenuScreen(10, skin.sources());
  // Syset box at P + 108 = 110, y 80, 3 x 16 + 20 = 68 high.
  EXPECT_EQ(screen.at(110, 80), colors.formFrameColor);
  EXPECT_NE(screen.at(109, 80), colors.formFrameColor);
  const Bounds items{110, 80, 75, 68};
  auto inBox = [&](Color c) {
    return boundsOf(screen, c, items.x, items.y, items.x + items.w, items.y + items.h);
  };
  EXPECT_GT(inBox(0xFFFFFF).w, 0);
  EXPECT_EQ(inBox(colors.popSubMenuTextColor).w, 0);
  EXPECT_EQ(inBox(colors.popSubMenuTextHighLightColor).w, 0);
}

TEST(StartMenuViews, DrawWholeScreensWhateverTheSettings) {
  for (std::int32_t value : {INT_MIN, -1000, 0, 1000, INT_MAX}) {
    MenuTestSkin skin;
    for (const SkinField& field : skinFields())
      if (field.kind == FieldKind::Integer) *field.integer(skin.model) = value;
    skin.set("form_M.bmp", 1, 1, kYellow);
    skin.set("popsubbar.bmp", 1, 1, kOrange);
    skin.set("lamp.bmp", 3, 3, kPurple);
    for (int view : {2, 4, 6, 8, 9}) {
      const Image screen = drawMenuScreen(view, skin.sources());
      EXPECT_EQ(screen.width, kScreenWidth) << view << " " << value;
      EXPECT_EQ(screen.height, kScreenHeight) << view << " " << value;
    }
  }
}

}  // namespace
