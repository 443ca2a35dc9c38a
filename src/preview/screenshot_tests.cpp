#include <gtest/gtest.h>

#include "preview/file_list_screen.h"
#include "preview/preview_test_support.h"
#include "preview/screenshot.h"
#include "preview/upper_screen.h"

namespace {

TEST(Screenshot, UpperScreenOverTheIconViewWithoutAGap) {
  HandMadeSkin skin;
  skin.paint("upper_screen.bmp", 256, 192, rgb(200, 0, 0));
  skin.paint("lower_screen.bmp", 256, 192, rgb(0, 0, 200));
  const Image shot = renderScreenshot(skin.sources());
  ASSERT_EQ(shot.width, 256);
  ASSERT_EQ(shot.height, 384);
  const Image upper = drawGameInfoScreen(skin.sources());
  const Image lower = drawIconView(skin.sources());
  for (int y = 0; y < 384; ++y)
    for (int x = 0; x < 256; ++x)
      ASSERT_EQ(shot.at(x, y), y < 192 ? upper.at(x, y) : lower.at(x, y - 192)) << x << "," << y;
  EXPECT_EQ(shot.at(0, 191), rgb(200, 0, 0));
  EXPECT_EQ(shot.at(0, 192), rgb(0, 0, 200));
  EXPECT_EQ(shot.at(0, 383), rgb(0, 0, 200));
}

TEST(Screenshot, MissingScreensStayBlack) {
  ScreenPair screens;
  screens.upper = Image(256, 192, rgb(1, 1, 1));
  const Image shot = stackScreens(screens);
  EXPECT_EQ(shot.at(10, 10), rgb(1, 1, 1));
  EXPECT_EQ(shot.at(10, 300), 0u);
  // An oversized screen is cut to its half instead of spilling over.
  screens.upper = Image(300, 250, rgb(2, 2, 2));
  const Image cut = stackScreens(screens);
  EXPECT_EQ(cut.at(255, 191), rgb(2, 2, 2));
  EXPECT_EQ(cut.at(0, 192), 0u);
}

TEST(ScreenshotTarget, ExtensionRules) {
  auto target = [](std::string_view name, int filter) { return screenshotTarget(name, filter); };
  ASSERT_TRUE(target("shot", 1));
  EXPECT_EQ(target("shot", 1)->path, "shot.bmp");
  EXPECT_EQ(target("shot", 1)->format, ImageFileFormat::Bmp);
  EXPECT_EQ(target("shot.jpg", 0)->path, "shot.jpg.png");
  EXPECT_EQ(target("shot.jpg", 0)->format, ImageFileFormat::Png);
  EXPECT_EQ(target("shot.png", 1)->path, "shot.png.bmp");
  EXPECT_EQ(target("shot.jpg", 2)->path, "shot.jpg");
  EXPECT_EQ(target("shot.jpg", 2)->format, ImageFileFormat::Jpeg);
  EXPECT_EQ(target("C:\\pics\\shot.png", 0)->path, "C:\\pics\\shot.png");
  for (std::string_view refused : {"shot.PNG", "shot.Png", "shot.jpeg", "shot.gif", "a.b/shot.txt"})
    EXPECT_FALSE(target(refused, 0)) << refused;
  // A dot in a folder name is not an extension.
  EXPECT_EQ(target("C:\\my.pics\\shot", 2)->path, "C:\\my.pics\\shot.jpg");
  EXPECT_EQ(target("/home/u.v/shot", 0)->path, "/home/u.v/shot.png");
  EXPECT_FALSE(target("", 0));
  EXPECT_FALSE(target("shot", 3));
  EXPECT_FALSE(target("shot", -1));
}

TEST(ScreenshotTarget, FilterListAndFolderPart) {
  EXPECT_EQ(screenshotFilterList(),
            "Portable Network Graphic (*.png)|*.png|Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|");
  EXPECT_EQ(folderPart("C:\\pics\\shot.png"), "C:\\pics\\");
  EXPECT_EQ(folderPart("/a/b/c"), "/a/b/");
  EXPECT_EQ(folderPart("shot"), "");
}

}  // namespace
