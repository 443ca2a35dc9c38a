#include <gtest/gtest.h>

#include <cstring>

#include "preview/preview_test_support.h"
#include "preview/upper_screen.h"
#include "skin/builtin_pictures.h"

namespace {

constexpr Color kDigitColors[10] = {rgb(10, 0, 0), rgb(20, 0, 0), rgb(30, 0, 0), rgb(40, 0, 0),
                                    rgb(50, 0, 0), rgb(60, 0, 0), rgb(70, 0, 0), rgb(80, 0, 0),
                                    rgb(90, 0, 0), rgb(99, 0, 0)};
constexpr Color kLeftover = rgb(1, 200, 1);
constexpr Color kColon = rgb(5, 5, 200);

// Only the element a test turns on is drawn; icon and clock are off screen.
struct QuietSkin : HandMadeSkin {
  QuietSkin() {
    model.fileName.show = 0;
    model.gameName.show = 0;
    model.fileType.show = 0;
    model.folderText.show = 0;
    model.bigClock.show = 0;
    model.logoInfo.x = 400;
  }
};

int leftmostInk(const Image& screen, Color color) { return boundsOf(screen, color).x; }

TEST(GameInfoScreen, FileNameIsCentredInAWideFieldAndCutAndLeftAlignedInANarrowOne) {
  QuietSkin skin;
  skin.model.fileName = {.x = 4, .y = 20, .w = 250, .h = 15, .show = 1, .titleshow = 1};
  const Color nameColor = skin.model.globalSettings.fileNameTextColor;
  const std::string full = GameInfoSamples::fileName;
  ASSERT_LT(textWidth(full), 250) << "the sample must fit a 250-pixel field for this test";

  Image wide = drawGameInfoScreen(skin.sources());
  // One character shorter than stored, centred in the field.
  const std::string shown = full.substr(0, full.size() - 1);
  EXPECT_TRUE(
      sameInk(wide, textAlone(4 + centreOffset(shown, 250), 33, shown, nameColor), nameColor));
  EXPECT_GT(leftmostInk(wide, nameColor), 4 + 10);

  skin.model.fileName.w = 60;
  Image narrow = drawGameInfoScreen(skin.sources());
  const std::string cut = fitText(full, 60);
  EXPECT_LT(textWidth(cut), 60);
  EXPECT_LT(cut.size(), full.size() - 1);
  EXPECT_TRUE(sameInk(narrow, textAlone(4, 33, cut, nameColor), nameColor));
  EXPECT_LE(boundsOf(narrow, nameColor).x + boundsOf(narrow, nameColor).w, 4 + 60);
}

TEST(GameInfoScreen, FileNameShowHidesTheLabelTooWhileTitleshowHidesOnlyTheLabel) {
  QuietSkin skin;
  skin.model.fileName = {.x = 10, .y = 30, .w = 200, .h = 15, .show = 0, .titleshow = 1};
  const Color label = skin.model.globalSettings.gameInfoTitleColor;
  const Color name = skin.model.globalSettings.fileNameTextColor;

  Image hidden = drawGameInfoScreen(skin.sources());
  EXPECT_EQ(countColor(hidden, label), 0);
  EXPECT_EQ(countColor(hidden, name), 0);

  skin.model.fileName.show = 1;
  skin.model.fileName.titleshow = 0;
  Image noLabel = drawGameInfoScreen(skin.sources());
  EXPECT_EQ(countColor(noLabel, label), 0);
  EXPECT_GT(countColor(noLabel, name), 0);

  skin.model.fileName.titleshow = 1;
  Image both = drawGameInfoScreen(skin.sources());
  EXPECT_TRUE(sameInk(both, textAlone(10, 28, GameInfoSamples::fileNameLabel, label), label));
  // The value sits 15 pixels below its label.
  const std::string shown = fitText(GameInfoSamples::fileName, 200);
  EXPECT_EQ(boundsOf(both, name).y - boundsOf(textAlone(0, 28, shown, name), name).y, 15);

  // Any value other than exactly 1 counts as off.
  skin.model.fileName.show = 2;
  EXPECT_EQ(countColor(drawGameInfoScreen(skin.sources()), name), 0);
}

TEST(GameInfoScreen, FileTypeLinesAreTwelvePixelsApartAndKeepTextThatFits) {
  QuietSkin skin;
  skin.model.fileType = {.x = 20, .y = 100, .w = 200, .h = 15, .show = 1};
  const Color ink = skin.model.globalSettings.gameInfoTextColor;
  Image screen = drawGameInfoScreen(skin.sources());
  Image expected = newScreen();
  Painter painter(expected);
  for (int line = 0; line < 3; ++line)
    painter.drawText(20, 98 + 12 * line, GameInfoSamples::fileType[line], ink);
  EXPECT_TRUE(sameInk(screen, expected, ink));
}

TEST(GameInfoScreen, GameNameAndFolderLinesUseTheirColoursAndPositions) {
  QuietSkin skin;
  skin.model.gameName = {.x = 30, .y = 60, .show = 1};
  skin.model.folderText = {.x = 8, .y = 150, .w = 60, .h = 15, .color = 0, .show = 1};
  const GlobalSettingsSection& g = skin.model.globalSettings;
  Image screen = drawGameInfoScreen(skin.sources());
  EXPECT_TRUE(sameInk(screen,
                      textAlone(30, 58, GameInfoSamples::gameNameLabel, g.gameInfoTitleColor),
                      g.gameInfoTitleColor));
  EXPECT_TRUE(sameInk(screen, textAlone(30, 73, GameInfoSamples::gameName, g.gameInfoTextColor),
                      g.gameInfoTextColor));
  // The 40-character path is cut to the folder field.
  const Box path = boundsOf(screen, g.formTitleTextColor);
  EXPECT_GT(path.w, 0);
  EXPECT_LE(path.x + path.w, 8 + 60);
}

TEST(GameInfoScreen, SampleTextsHaveTheirFixedLengths) {
  EXPECT_EQ(std::strlen(GameInfoSamples::fileNameLabel), 10u);
  EXPECT_EQ(std::strlen(GameInfoSamples::fileName), 37u);
  EXPECT_EQ(std::strlen(GameInfoSamples::gameNameLabel), 10u);
  EXPECT_EQ(std::strlen(GameInfoSamples::gameName), 11u);
  EXPECT_EQ(std::strlen(GameInfoSamples::fileType[0]), 17u);
  EXPECT_EQ(std::strlen(GameInfoSamples::fileType[1]), 8u);
  EXPECT_EQ(std::strlen(GameInfoSamples::fileType[2]), 4u);
  EXPECT_EQ(std::strlen(GameInfoSamples::folderPath), 40u);
  EXPECT_EQ(std::strlen(FolderInfoSamples::folderName), 4u);
  EXPECT_EQ(std::strlen(FolderInfoSamples::contents), 16u);
  EXPECT_EQ(std::strlen(FolderInfoSamples::fileType), 6u);
  EXPECT_EQ(std::strlen(FolderInfoSamples::folderPath), 4u);
}

TEST(GameInfoScreen, BackgroundIsCopiedAndTheGameIconKeyedOverIt) {
  QuietSkin skin;
  skin.paint("upper_screen.bmp", 256, 192, rgb(9, 9, 9));
  skin.model.logoInfo = {.x = 100, .y = 50};
  Image screen = drawGameInfoScreen(skin.sources());
  const Image& icon = builtinSampleGameIcon();
  ASSERT_EQ(icon.width, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Color p = icon.at(x, y);
      const bool keyed = p == 0x00F800 || p == 0x00FF00;
      ASSERT_EQ(screen.at(100 + x, 50 + y), keyed ? rgb(9, 9, 9) : p) << x << "," << y;
    }
  EXPECT_EQ(screen.at(99, 50), rgb(9, 9, 9));
}

// A 10 x 205 digit strip: digit d in its own colour with a green hole, and
// five leftover rows that must never show.
Image clockNumbers() {
  Image numbers(10, 205, kLeftover);
  for (int d = 0; d < 10; ++d)
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 10; ++x)
        numbers.at(x, d * 20 + y) = (x == 5 && y == 5) ? 0x00FF00 : kDigitColors[d];
  return numbers;
}

TEST(BigClock, DigitsAreATenthOfTheStripAndTheColonIsTopAligned) {
  QuietSkin skin;
  skin.picture("clock_numbers.bmp") = clockNumbers();
  skin.paint("clock_colon.bmp", 4, 30, kColon);
  skin.model.bigClock = {.x = 50, .y = 40, .show = 1};
  Image screen = drawGameInfoScreen(skin.sources());

  EXPECT_EQ(boundsOf(screen, kDigitColors[1]), (Box{50, 40, 10, 20}));
  EXPECT_EQ(boundsOf(screen, kDigitColors[2]), (Box{60, 40, 10, 20}));
  EXPECT_EQ(boundsOf(screen, kColon), (Box{70, 40, 4, 30}));
  EXPECT_EQ(boundsOf(screen, kDigitColors[3]), (Box{74, 40, 10, 20}));
  EXPECT_EQ(boundsOf(screen, kDigitColors[4]), (Box{84, 40, 10, 20}));
  EXPECT_EQ(countColor(screen, kLeftover), 0);
  EXPECT_EQ(countColor(screen, kDigitColors[0]), 0);
  // Pure green in the digits is transparent.
  EXPECT_EQ(screen.at(55, 45), 0u);
  EXPECT_EQ(countColor(screen, kDigitColors[1]), 199);
}

TEST(BigClock, ShowZeroRemovesTheClockButNotTheGameIcon) {
  QuietSkin skin;
  skin.picture("clock_numbers.bmp") = clockNumbers();
  skin.paint("clock_colon.bmp", 4, 30, kColon);
  skin.model.bigClock = {.x = 50, .y = 40, .show = 0};
  skin.model.logoInfo = {.x = 0, .y = 0};
  Image screen = drawGameInfoScreen(skin.sources());
  for (Color c : kDigitColors) EXPECT_EQ(countColor(screen, c), 0);
  EXPECT_EQ(countColor(screen, kColon), 0);
  EXPECT_EQ(screen.at(16, 16), builtinSampleGameIcon().at(16, 16));
}

TEST(BigClock, AnUndecodableDigitStripDrawsOnlyTheColon) {
  QuietSkin skin;
  skin.paint("clock_colon.bmp", 4, 30, kColon);
  skin.model.bigClock = {.x = 50, .y = 40, .show = 1};
  Image screen = drawGameInfoScreen(skin.sources());
  EXPECT_EQ(boundsOf(screen, kColon), (Box{50, 40, 4, 30}));
}

TEST(FolderInfoScreen, ShowsTheFolderIconAndTheFolderName) {
  QuietSkin skin;
  skin.paint("icon/pth.bmp", 32, 32, rgb(1, 99, 1));
  skin.model.logoInfo = {.x = 12, .y = 14};
  skin.model.fileName = {.x = 100, .y = 20, .w = 100, .h = 15, .show = 1, .titleshow = 1};
  const GlobalSettingsSection& g = skin.model.globalSettings;
  Image screen = drawFolderInfoScreen(skin.sources());
  EXPECT_EQ(boundsOf(screen, rgb(1, 99, 1)), (Box{12, 14, 32, 32}));
  EXPECT_TRUE(
      sameInk(screen, textAlone(100, 18, "Folder", g.gameInfoTitleColor), g.gameInfoTitleColor));
  EXPECT_TRUE(sameInk(screen,
                      textAlone(100 + centreOffset("NDS", 100), 33, "NDS", g.fileNameTextColor),
                      g.fileNameTextColor));

  // A field narrower than "NDS" cuts the name and starts it at x.
  skin.model.fileName.w = textWidth("NDS") - 1;
  Image narrow = drawFolderInfoScreen(skin.sources());
  const std::string cut = fitText(FolderInfoSamples::folderName, skin.model.fileName.w);
  EXPECT_TRUE(sameInk(narrow, textAlone(100, 33, cut, g.fileNameTextColor), g.fileNameTextColor));
}

TEST(FolderInfoScreen, TextsSitWhereTheFolderScreenPutsThem) {
  QuietSkin skin;
  skin.model.gameName = {.x = 30, .y = 60, .show = 1};
  skin.model.fileType = {.x = 20, .y = 100, .w = 5, .h = 15, .show = 1};
  skin.model.folderText = {.x = 8, .y = 150, .w = 1, .h = 15, .color = 0, .show = 1};
  const GlobalSettingsSection& g = skin.model.globalSettings;
  Image screen = drawFolderInfoScreen(skin.sources());
  EXPECT_TRUE(sameInk(screen, textAlone(30, 58, FolderInfoSamples::contents, g.gameInfoTitleColor),
                      g.gameInfoTitleColor));
  Image expected = textAlone(30, 73, FolderInfoSamples::contents, g.gameInfoTextColor);
  // The file type line is not fitted, whatever its field width.
  Painter(expected).drawText(20, 113, FolderInfoSamples::fileType, g.gameInfoTextColor);
  EXPECT_TRUE(sameInk(screen, expected, g.gameInfoTextColor));
  EXPECT_TRUE(sameInk(screen,
                      textAlone(8, 148, FolderInfoSamples::folderPath, g.formTitleTextColor),
                      g.formTitleTextColor));
}

}  // namespace
