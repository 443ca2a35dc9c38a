#include <gtest/gtest.h>

#include <climits>

#include "preview/menu_screens.h"
#include "preview/menu_test_skin.h"
#include "preview/window_screens.h"

namespace {

void setDefaultSizedTitle(MenuTestSkin& skin) {
  skin.set("title_left.bmp", 56, 16, kRed);
  skin.set("title_bg.bmp", 2, 16, kYellow);
  skin.set("title_right.bmp", 56, 16, kBlue);
}

void expectSame(const Bounds& drawn, const Bounds& expected) {
  EXPECT_EQ(drawn.x, expected.x);
  EXPECT_EQ(drawn.y, expected.y);
  EXPECT_EQ(drawn.w, expected.w);
  EXPECT_EQ(drawn.h, expected.h);
}

TEST(MessageBox, TitleBarSpans12To245DirectlyAboveTheBox) {
  MenuTestSkin skin;
  setDefaultSizedTitle(skin);
  const Image screen = drawMenuScreen(3, skin.sources());
  for (int x = 12; x <= 245; ++x) {
    const Color expected = x < 68 ? kRed : x < 190 ? kYellow : kBlue;
    EXPECT_EQ(screen.at(x, 64), expected) << x;
  }
  EXPECT_EQ(screen.at(12, 49), kRed);
  EXPECT_EQ(screen.at(245, 49), kBlue);
  EXPECT_NE(screen.at(12, 48), kRed);
  EXPECT_NE(screen.at(11, 64), kRed);
  EXPECT_NE(screen.at(246, 64), kBlue);
  // The box itself starts right below.
  EXPECT_EQ(screen.at(12, 65), skin.model.globalSettings.formFrameColor);
  EXPECT_EQ(screen.at(245, 144), skin.model.globalSettings.formFrameColor);
  EXPECT_EQ(screen.at(13, 66), skin.model.globalSettings.formBodyColor);
}

TEST(MessageBox, TitlesSitAt48Or49AndTheTextLinesAt36) {
  MenuTestSkin skin;
  setDefaultSizedTitle(skin);
  const GlobalSettingsSection& colors = skin.model.globalSettings;
  expectSame(boundsOf(drawMenuScreen(3, skin.sources()), colors.formTitleTextColor),
             textBounds(112, 48, "Confirm"));
  expectSame(boundsOf(drawMenuScreen(5, skin.sources()), colors.formTitleTextColor),
             textBounds(112, 49, "Warning"));
  const Image question = drawMenuScreen(7, skin.sources());
  expectSame(boundsOf(question, colors.formTitleTextColor), textBounds(112, 49, "Question"));
  const Bounds lines = boundsOf(question, colors.formTextColor);
  EXPECT_EQ(lines.y, textBounds(36, 74, "System Language changed. Restart").y);
  EXPECT_GE(lines.x, 36);
  EXPECT_LE(lines.x, 37);
}

TEST(MessageBox, ButtonsFollowTheWidthOfBtn3) {
  MenuTestSkin skin;
  skin.set("btn3.bmp", 39, 12, kCyan);
  const Image screen = drawMenuScreen(3, skin.sources());
  EXPECT_EQ(screen.at(151, 137), kCyan);
  EXPECT_EQ(screen.at(189, 137), kCyan);
  EXPECT_EQ(screen.at(198, 137), kCyan);
  EXPECT_EQ(screen.at(236, 137), kCyan);
  EXPECT_NE(screen.at(150, 137), kCyan);
  EXPECT_NE(screen.at(190, 137), kCyan);
  EXPECT_NE(screen.at(197, 137), kCyan);
  EXPECT_NE(screen.at(237, 137), kCyan);
}

TEST(MessageBox, LabelsNarrowerThanTheButtonAreCentredOnIt) {
  MenuTestSkin skin;
  skin.set("btn3.bmp", 60, 12, kCyan);  // buttons at 109 and 177
  const Color ink = skin.model.globalSettings.buttonTextColor;
  const Image screen = drawMenuScreen(3, skin.sources());
  ASSERT_LT(textWidth("YES(A) "), 60);
  expectSame(boundsOf(screen, ink, 109, 120, 169, 145),
             textBounds(109 + (60 - textWidth("YES(A) ")) / 2, 125, "YES(A) "));
  expectSame(boundsOf(screen, ink, 177, 120, 237, 145),
             textBounds(177 + (60 - textWidth("NO(B) ")) / 2, 125, "NO(B) "));
}

TEST(MessageBox, TooWideLabelsAreShortenedAndStayOnTheirOwnButton) {
  MenuTestSkin skin;
  skin.set("btn3.bmp", 12, 12, kCyan);  // buttons at 205..216 and 225..236
  const Color ink = skin.model.globalSettings.buttonTextColor;
  for (int view : {3, 5, 7}) {
    const Image screen = drawMenuScreen(view, skin.sources());
    const Bounds left = boundsOf(screen, ink, 0, 110, 221, 150);
    const Bounds right = boundsOf(screen, ink, 221, 110, 256, 150);
    ASSERT_GT(left.w, 0) << view;
    ASSERT_GT(right.w, 0) << view;
    EXPECT_GE(left.x, 205) << view;
    EXPECT_LE(left.x + left.w, 217) << view;
    EXPECT_GE(right.x, 225) << view;
    EXPECT_LE(right.x + right.w, 237) << view;
  }
}

TEST(ButtonLabel, EmptyOrTinyButtonsShowNoLabel) {
  Image screen = newScreen();
  Painter painter(screen);
  drawButtonLabel(painter, "OK(A) ", 100, 0, 50, kRed);
  drawButtonLabel(painter, "OK(A) ", 100, 1, 50, kRed);
  EXPECT_EQ(countColor(screen, kRed), 0);
}

TEST(HelpWindow, DefaultSizeStartsAt28_16WithTheBody16RowsLower) {
  MenuTestSkin skin;
  setDefaultSizedTitle(skin);
  const GlobalSettingsSection& colors = skin.model.globalSettings;
  const Image screen = drawMenuScreen(11, skin.sources());
  EXPECT_EQ(screen.at(28, 16), kRed);
  EXPECT_NE(screen.at(27, 16), kRed);
  EXPECT_NE(screen.at(28, 15), kRed);
  // Columns of "title_bg.bmp" from HX + Rw; the right piece at HX + w - Lw.
  EXPECT_EQ(screen.at(84, 31), kYellow);
  EXPECT_EQ(screen.at(171, 31), kYellow);
  EXPECT_EQ(screen.at(172, 31), kBlue);
  EXPECT_EQ(screen.at(227, 31), kBlue);
  EXPECT_NE(screen.at(228, 31), kBlue);

  EXPECT_EQ(screen.at(28, 32), colors.formFrameColor);
  EXPECT_EQ(screen.at(227, 175), colors.formFrameColor);
  EXPECT_NE(screen.at(28, 176), colors.formFrameColor);
  EXPECT_EQ(screen.at(29, 33), colors.formBodyColor);

  expectSame(boundsOf(screen, colors.formTitleTextColor), textBounds(84, 16, "Help informations"));
  const Bounds lines = boundsOf(screen, colors.formTextColor);
  EXPECT_EQ(lines.y, textBounds(38, 32, "\u00e6  Select Programs").y);
  EXPECT_GE(lines.x, 38);
  EXPECT_LE(lines.x, 39);
}

TEST(HelpWindow, OkLabelIsMeasuredAgainstItsOwnButton) {
  MenuTestSkin skin;
  skin.set("btn.bmp", 9, 12, kCyan);    // 208..216
  skin.set("btn3.bmp", 80, 12, kGrey);  // not shown in this view
  const Color ink = skin.model.globalSettings.buttonTextColor;
  const Bounds label = boundsOf(drawMenuScreen(11, skin.sources()), ink);
  ASSERT_GT(label.w, 0);
  EXPECT_GE(label.x, 208);
  EXPECT_LE(label.x + label.w, 217);

  skin.set("btn.bmp", 60, 12, kCyan);  // 157..216
  expectSame(boundsOf(drawMenuScreen(11, skin.sources()), ink),
             textBounds(157 + (60 - textWidth("OK(A) ")) / 2, 153, "OK(A) "));
}

TEST(HelpWindow, LargerThanTheScreenIsClippedAtItsEdges) {
  MenuTestSkin skin;
  setDefaultSizedTitle(skin);
  skin.model.helpWindow.w = 1000;
  skin.model.helpWindow.h = 1000;
  const Image screen = drawMenuScreen(11, skin.sources());
  const Color body = skin.model.globalSettings.formBodyColor;
  EXPECT_EQ(screen.at(0, 0), body);
  EXPECT_EQ(screen.at(255, 0), body);
  EXPECT_EQ(screen.at(0, 191), body);
  EXPECT_EQ(screen.at(255, 191), body);
  EXPECT_EQ(countColor(screen, kYellow), 0);
}

TEST(HotkeyWindow, IsCentredWhateverTheBackgroundSize) {
  struct Case {
    int w, h, x, y;
  };
  for (const Case& c : {Case{100, 60, 78, 66}, Case{181, 51, 37, 70}, Case{7, 8, 124, 92}}) {
    MenuTestSkin skin;
    skin.set("hotkeybk.bmp", c.w, c.h, kGrey);
    const Bounds drawn = boundsOf(drawMenuScreen(10, skin.sources()), kGrey);
    EXPECT_EQ(drawn.x, c.x) << c.w;
    EXPECT_EQ(drawn.y, c.y) << c.w;
    EXPECT_EQ(drawn.w, c.w) << c.w;
    EXPECT_EQ(drawn.h, c.h) << c.w;
  }
  MenuTestSkin huge;
  huge.set("hotkeybk.bmp", 300, 200, kGrey);
  const Image screen = drawMenuScreen(10, huge.sources());
  EXPECT_EQ(screen.at(0, 0), kGrey);
  EXPECT_EQ(screen.at(255, 191), kGrey);
}

TEST(HotkeyWindow, KeyMarkersFormTwoColumnsOfSix) {
  MenuTestSkin skin;
  skin.set("hotkeybk.bmp", 220, 120, kGrey);  // at (18, 36)
  skin.set("activehotkey.bmp", 4, 4, kPurple);
  skin.set("noactivehotke.bmp", 4, 4, kPink);
  const Image screen = drawMenuScreen(10, skin.sources());
  const std::array<Color, 6> left = {kPurple, kPurple, kPink, kPink, kPink, kPink};
  const std::array<Color, 6> right = {kPink, kPink, kPink, kPink, kPurple, kPink};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(screen.at(18 + 16, 36 + 26 + 12 * i), left[i]) << i;
    EXPECT_EQ(screen.at(18 + 178, 36 + 26 + 12 * i), right[i]) << i;
  }
  EXPECT_EQ(countColor(screen, kPurple), 3 * 16);
  EXPECT_EQ(countColor(screen, kPink), 9 * 16);
}

TEST(GameSettings, ShowsNoStartMenuAndSpinBoxesOverTheBackground) {
  MenuTestSkin skin;
  skin.set("form_L.bmp", 28, 100, kBlue);
  skin.set("lamp.bmp", 4, 38, kPurple);
  skin.set("settingbg.bmp", 200, 110, kGrey);
  skin.set("spin_btn_left.bmp", 7, 14, kCyan);
  skin.set("spin_btn_right.bmp", 5, 14, kOrange);
  const GlobalSettingsSection& colors = skin.model.globalSettings;
  const Image screen = drawMenuScreen(12, skin.sources());
  // Where the start menu's frame and lamp would be.
  EXPECT_EQ(boundsOf(screen, kBlue, 0, 56, 28, 156).w, 0);
  EXPECT_EQ(boundsOf(screen, kPurple, 0, 56, 28, 156).w, 0);
  EXPECT_EQ(screen.at(28, 46), kGrey);
  for (int y : {72, 92, 112}) {
    EXPECT_EQ(screen.at(148, y + 13), colors.spinBoxFrameColor) << y;
    EXPECT_EQ(screen.at(203, y + 13), colors.spinBoxFrameColor) << y;
    EXPECT_EQ(screen.at(138, y), kCyan) << y;
    EXPECT_NE(screen.at(137, y), kCyan) << y;
    EXPECT_EQ(screen.at(207, y), kOrange) << y;
  }
  EXPECT_EQ(screen.at(149, 73), colors.spinBoxFocusColor);
  EXPECT_EQ(screen.at(149, 93), colors.spinBoxNormalColor);
  EXPECT_GT(countColor(screen, colors.spinBoxTextHighLightColor), 0);
}

TEST(WindowViews, DrawWholeScreensWhateverTheSettings) {
  for (std::int32_t value : {INT_MIN, -1000, 0, 1000, INT_MAX}) {
    MenuTestSkin skin;
    for (const SkinField& field : skinFields())
      if (field.kind == FieldKind::Integer) *field.integer(skin.model) = value;
    setDefaultSizedTitle(skin);
    skin.set("btn3.bmp", 30, 12, kCyan);
    skin.set("hotkeybk.bmp", 100, 60, kGrey);
    for (int view : {3, 5, 7, 10, 11, 12}) {
      const Image screen = drawMenuScreen(view, skin.sources());
      EXPECT_EQ(screen.width, kScreenWidth) << view << " " << value;
      EXPECT_EQ(screen.height, kScreenHeight) << view << " " << value;
    }
  }
  // Help windows of extreme size in both directions.
  for (std::int32_t w : {INT_MIN, INT_MAX})
    for (std::int32_t h : {INT_MIN, INT_MAX}) {
      MenuTestSkin skin;
      setDefaultSizedTitle(skin);
      skin.model.helpWindow.w = w;
      skin.model.helpWindow.h = h;
      EXPECT_EQ(drawMenuScreen(11, skin.sources()).width, kScreenWidth);
    }
}

TEST(MenuScreens, ViewsOutsideTheMenusDrawNothing) {
  MenuTestSkin skin;
  for (int view : {-1, 0, 1, 14, 1000}) EXPECT_TRUE(drawMenuScreen(view, skin.sources()).empty());
}

}  // namespace
