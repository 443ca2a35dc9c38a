#include <gtest/gtest.h>

#include "preview/file_list_screen.h"
#include "preview/preview_test_support.h"
#include "skin/builtin_pictures.h"

namespace {

constexpr Color kBackground = rgb(33, 33, 33);
constexpr Color kGreen248 = 0x00F800;
constexpr Color kGreen255 = 0x00FF00;

// A lower screen in one colour and nothing else, the buttons off screen.
struct ListSkin : HandMadeSkin {
  ListSkin() {
    paint("lower_screen.bmp", 256, 192, kBackground);
    model.startBar = {.x = 300, .y = 0};
    model.startButton.x = 300;
    model.diskIcon = {.x = 300, .y = 0};
    model.brightnessBtn.x = 300;
    model.rebackBtn.x = 300;
    model.logoOffset = {.x = 0, .y = 0};
  }
};

// Half of each row in one transparent green, half in the other.
Image allGreen(int w, int h) {
  Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.at(x, y) = x < w / 2 ? kGreen248 : kGreen255;
  return image;
}

TEST(IconView, IconsLeaveTheirTransparentGreenOut) {
  ListSkin skin;
  skin.picture("icon/nds.bmp") = allGreen(32, 32);
  Image icon(32, 32, rgb(200, 0, 200));
  icon.at(0, 0) = kGreen248;
  icon.at(31, 31) = kGreen255;
  icon.at(1, 0) = rgb(0, 247, 0);  // nearly green is a colour like any other
  skin.picture("icon/gba.bmp") = icon;
  Image screen = drawIconView(skin.sources());
  for (int y = 64; y < 96; ++y)
    for (int x = 77; x < 109; ++x) ASSERT_EQ(screen.at(x, y), kBackground) << x << "," << y;
  EXPECT_EQ(screen.at(199, 10), kBackground);
  EXPECT_EQ(screen.at(230, 41), kBackground);
  EXPECT_EQ(screen.at(200, 10), rgb(0, 247, 0));
  EXPECT_EQ(screen.at(210, 20), rgb(200, 0, 200));
}

TEST(IconView, GridIconsLandOnTheirCells) {
  ListSkin skin;
  const char* names[] = {"icon/rpth.bmp", "icon/cheat.bmp", "icon/dpg.bmp", "icon/gba.bmp",
                         "icon/nds.bmp",  "icon/plg.bmp",   "icon/pth.bmp", "icon/realtime.bmp",
                         "icon/sav.bmp",  "icon/txt.bmp",   "icon/unk.bmp"};
  const Box cells[] = {{16, 10, 32, 32},  {77, 10, 32, 32},   {138, 10, 32, 32}, {199, 10, 32, 32},
                       {77, 64, 32, 32},  {138, 64, 32, 32},  {199, 64, 32, 32}, {16, 118, 32, 32},
                       {77, 118, 32, 32}, {138, 118, 32, 32}, {199, 118, 32, 32}};
  for (int i = 0; i < 11; ++i) skin.paint(names[i], 32, 32, rgb(200, 10 + 20 * i, 3));
  Image screen = drawIconView(skin.sources());
  for (int i = 0; i < 11; ++i) {
    const Box b = boundsOf(screen, rgb(200, 10 + 20 * i, 3));
    // Labels may overlap an icon's bottom rows, so compare position and width.
    EXPECT_EQ(b.x, cells[i].x) << names[i];
    EXPECT_EQ(b.y, cells[i].y) << names[i];
    EXPECT_EQ(b.w, 32) << names[i];
  }
  // The selected game's icon sits inside the selection frame.
  EXPECT_EQ(screen.at(16 + 16, 64 + 10), builtinSampleGameIcon().at(16, 10));
}

TEST(IconView, SelectionFrameBoxAndLabel) {
  ListSkin skin;
  const GlobalSettingsSection& g = skin.model.globalSettings;
  Image screen = drawIconView(skin.sources());
  // A 34 x 34 outline round the selected icon, its bottom row partly under
  // the label box.
  EXPECT_EQ(screen.at(15, 63), g.logoFrameColor);
  EXPECT_EQ(screen.at(48, 63), g.logoFrameColor);
  EXPECT_EQ(screen.at(15, 96), g.logoFrameColor);
  EXPECT_EQ(screen.at(48, 96), g.logoFrameColor);
  EXPECT_EQ(screen.at(49, 63), kBackground);
  EXPECT_EQ(screen.at(14, 63), kBackground);

  // The label box; the label is cut below 60 pixels and centred in it.
  EXPECT_EQ(screen.at(3, 98), g.listTextBgColor);
  EXPECT_EQ(screen.at(63, 110), g.listTextBgColor);
  EXPECT_EQ(screen.at(64, 110), kBackground);
  EXPECT_EQ(screen.at(3, 111), kBackground);
  const std::string label = fitText("0022 - Super Mario", 60);
  EXPECT_LT(textWidth(label), 60);
  EXPECT_LT(label.size(), std::string("0022 - Super Mario").size());
  Image expected = newScreen();
  Painter(expected).drawText(centreOffset(label, 60) + 4, 96, label, g.vTextHighLightColor);
  EXPECT_TRUE(sameInk(screen, expected, g.vTextHighLightColor));

  // The eleven other labels are in the label colour, below their rows.
  Image labels = newScreen();
  Painter(labels).drawText(15, 42, "../", g.vTextColor);
  Painter(labels).drawText(71, 96, "nds.bmp", g.vTextColor);
  Painter(labels).drawText(10, 150, "realtime", g.vTextColor);
  for (int y = 42; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      ASSERT_EQ(screen.at(x, y) == g.vTextColor, labels.at(x, y) == g.vTextColor) << x << "," << y;
}

TEST(IconView, StartBarAndBrightnessAreOpaqueWhileTheOtherButtonsAreKeyed) {
  ListSkin skin;
  skin.picture("startbar.bmp") = allGreen(256, 20);
  skin.picture("brightness.bmp") = allGreen(16, 16);
  skin.picture("reBack.bmp") = allGreen(16, 16);
  skin.picture("start_released.bmp") = allGreen(30, 16);
  skin.picture("cardFrame0.bmp") = allGreen(16, 16);
  skin.model.startBar = {.x = 0, .y = 172};
  skin.model.brightnessBtn.x = 200;
  skin.model.brightnessBtn.y = 0;
  skin.model.rebackBtn.x = 230;
  skin.model.rebackBtn.y = 0;
  skin.model.startButton.x = 0;
  skin.model.startButton.y = 172;
  skin.model.diskIcon = {.x = 180, .y = 0};
  Image screen = drawIconView(skin.sources());
  EXPECT_EQ(screen.at(0, 172), kGreen248);
  EXPECT_EQ(screen.at(255, 191), kGreen255);
  EXPECT_EQ(screen.at(200, 0), kGreen248);
  EXPECT_EQ(screen.at(215, 15), kGreen255);
  EXPECT_EQ(screen.at(230, 0), kBackground);
  EXPECT_EQ(screen.at(180, 0), kBackground);
}

TEST(IconView, DiskIconMovesCardFrameZero) {
  ListSkin skin;
  skin.paint("cardFrame0.bmp", 20, 12, rgb(1, 2, 250));
  skin.paint("cardFrame1.bmp", 20, 12, rgb(250, 2, 1));
  skin.model.diskIcon = {.x = 120, .y = 170};
  Image icons = drawIconView(skin.sources());
  EXPECT_EQ(boundsOf(icons, rgb(1, 2, 250)), (Box{120, 170, 20, 12}));
  EXPECT_EQ(countColor(icons, rgb(250, 2, 1)), 0);
  Image list = drawListView(skin.sources());
  EXPECT_EQ(boundsOf(list, rgb(250, 2, 1)), (Box{120, 170, 20, 12}));
  EXPECT_EQ(countColor(list, rgb(1, 2, 250)), 0);
}

TEST(ListView, SelectionBarIsCentredOnTheSelectedRowWhateverItsHeight) {
  ListSkin skin;
  const Color bar = rgb(250, 100, 0);
  skin.paint("selectbar.bmp", 256, 40, bar);
  EXPECT_EQ(boundsOf(drawListView(skin.sources()), bar).y, 51);
  skin.paint("selectbar.bmp", 256, 20, bar);
  EXPECT_EQ(boundsOf(drawListView(skin.sources()), bar).y, 61);
  skin.paint("selectbar.bmp", 256, 33, bar);  // (33 - 32) / 2 truncates to 0
  EXPECT_EQ(boundsOf(drawListView(skin.sources()), bar).y, 55);
}

TEST(ListView, LogoOffsetMovesOnlyTheSelectedRow) {
  ListSkin skin;
  const Color folder = rgb(0, 120, 240);
  skin.paint("icon/pth.bmp", 32, 32, folder);
  const GlobalSettingsSection& g = skin.model.globalSettings;

  Image still = drawListView(skin.sources());
  skin.model.logoOffset = {.x = 10, .y = 5};
  Image moved = drawListView(skin.sources());

  // Row 2: icon (16, 55) -> (26, 60); text (52, 64) -> (62, 64).
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(still.at(16 + x, 55 + y), folder);
      ASSERT_EQ(moved.at(26 + x, 60 + y), folder);
    }
  EXPECT_EQ(moved.at(16, 55), kBackground);
  const Box stillText = boundsOf(still, g.listTextHighLightColor);
  const Box movedText = boundsOf(moved, g.listTextHighLightColor);
  ASSERT_GT(stillText.w, 0);
  EXPECT_EQ(movedText, (Box{stillText.x + 10, stillText.y, stillText.w, stillText.h}));
  EXPECT_EQ(stillText.y, boundsOf(textAlone(52, 64, "NDS/", 1), 1).y);

  // Rows 1, 3 and 4 are pixel for pixel the same.
  for (int y : {17, 93, 131})
    for (int dy = 0; dy < 32; ++dy)
      for (int x = 0; x < 256; ++x)
        ASSERT_EQ(still.at(x, y + dy), moved.at(x, y + dy)) << x << "," << y + dy;
  EXPECT_GT(countColor(moved, g.listTextColor), 0);
  EXPECT_EQ(countColor(moved, g.listTextColor), countColor(still, g.listTextColor));
}

TEST(ListView, RowsAreThirtyEightPixelsApart) {
  ListSkin skin;
  const Color folder = rgb(0, 120, 240);
  skin.paint("icon/pth.bmp", 8, 8, folder);
  Image screen = drawListView(skin.sources());
  for (int y : {17, 55, 93, 131}) {
    EXPECT_EQ(screen.at(16, y), folder);
    EXPECT_EQ(screen.at(16, y - 1), kBackground);
  }
}

TEST(MenuBackdrop, ButtonsGoUnderTheIconsAndNoCardIconIsDrawn) {
  ListSkin skin;
  skin.paint("brightness.bmp", 40, 40, rgb(1, 1, 250));
  skin.paint("icon/rpth.bmp", 32, 32, rgb(250, 1, 1));
  skin.paint("cardFrame0.bmp", 20, 12, rgb(1, 250, 250));
  skin.model.brightnessBtn.x = 0;
  skin.model.brightnessBtn.y = 0;
  skin.model.diskIcon = {.x = 100, .y = 170};
  Image screen = newScreen();
  Painter painter(screen);
  drawMenuBackdrop(painter, skin.sources());
  EXPECT_EQ(screen.at(16, 10), rgb(250, 1, 1));
  EXPECT_EQ(screen.at(5, 5), rgb(1, 1, 250));
  EXPECT_EQ(countColor(screen, rgb(1, 250, 250)), 0);

  // In the icon view the button goes over the icon.
  Image icons = drawIconView(skin.sources());
  EXPECT_EQ(icons.at(16, 10), rgb(1, 1, 250));
}

TEST(MenuBackdrop, DrawsOverWhateverTheScreenHeldBefore) {
  ListSkin skin;
  skin.picture("lower_screen.bmp") = Image();  // failed decode: nothing drawn
  Image screen(kScreenWidth, kScreenHeight, rgb(7, 7, 7));
  Painter painter(screen);
  drawMenuBackdrop(painter, skin.sources());
  EXPECT_EQ(countColor(screen, rgb(7, 7, 7)), 0);
}

}  // namespace
