#include <gtest/gtest.h>

#include <climits>
#include <cstddef>

#include "preview/painter.h"
#include "preview/preview_font.h"

namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kGrey = 0x808080;

std::size_t countColor(const Image& image, Color color) {
  std::size_t n = 0;
  for (Color c : image.pixels) n += c == color;
  return n;
}

Image screenFilled(Color color) { return Image(kScreenWidth, kScreenHeight, color); }

TEST(BlitKeyed, AllGreenImageLeavesScreenUnchangedWithDefaultKey) {
  Image icon(32, 32, 0x00F800);
  for (int x = 0; x < 32; x += 2) icon.at(x, 5) = 0x00FF00;
  Image screen = screenFilled(kGrey);
  Painter(screen).blitKeyed(icon, 10, 10, kTransparentGreen);
  EXPECT_EQ(countColor(screen, kGrey), screen.pixels.size());
}

TEST(BlitKeyed, OpaqueKeyCopiesGreenAndOtherKeysHideOnlyTheirColour) {
  Image icon(4, 1);
  icon.at(0, 0) = 0x00F800;
  icon.at(1, 0) = 0x00FF00;
  icon.at(2, 0) = 0x123456;
  icon.at(3, 0) = kRed;

  Image screen = screenFilled(kGrey);
  Painter(screen).blitKeyed(icon, 0, 0, kOpaqueKey);
  EXPECT_EQ(screen.at(0, 0), 0x00F800u);
  EXPECT_EQ(screen.at(1, 0), 0x00FF00u);

  // A key other than the transparent green hides exactly that colour.
  screen = screenFilled(kGrey);
  Painter(screen).blitKeyed(icon, 0, 0, 0x00FF00);
  EXPECT_EQ(screen.at(0, 0), 0x00F800u);
  EXPECT_EQ(screen.at(1, 0), kGrey);
  EXPECT_EQ(screen.at(2, 0), 0x123456u);

  screen = screenFilled(kGrey);
  Painter(screen).blitKeyed(icon, 0, 0, 0x123456);
  EXPECT_EQ(screen.at(1, 0), 0x00FF00u);
  EXPECT_EQ(screen.at(2, 0), kGrey);
  EXPECT_EQ(screen.at(3, 0), kRed);
}

TEST(BlitKeyed, IconIsCutAtTheRightEdgeAndAtNegativeCoordinates) {
  const Image icon(32, 32, kRed);

  Image screen = newScreen();
  Painter(screen).blitKeyed(icon, 250, 100, kTransparentGreen);
  EXPECT_EQ(countColor(screen, kRed), 6u * 32);
  EXPECT_EQ(screen.at(250, 100), kRed);
  EXPECT_EQ(screen.at(255, 131), kRed);
  EXPECT_EQ(screen.at(249, 100), 0u);
  EXPECT_EQ(screen.pixels.size(), 256u * 192);

  // Left part lost: the screen's first column shows the icon's 11th.
  Image marked(32, 32, kRed);
  marked.at(10, 5) = 0x00AA00;
  screen = newScreen();
  Painter(screen).blitKeyed(marked, -10, -5, kOpaqueKey);
  EXPECT_EQ(screen.at(0, 0), 0x00AA00u);
  EXPECT_EQ(countColor(screen, kRed) + 1, 22u * 27);

  // Bottom-right corner.
  screen = newScreen();
  Painter(screen).blitKeyed(icon, 250, 180, kOpaqueKey);
  EXPECT_EQ(countColor(screen, kRed), 6u * 12);
}

TEST(BlitKeyed, ExtremeCoordinatesAndDamagedImagesWriteNothing) {
  const Image icon(32, 32, kRed);
  Image screen = newScreen();
  Painter painter(screen);
  for (int pos : {INT_MIN, INT_MIN + 1, -32, 256, INT_MAX - 1, INT_MAX}) {
    painter.blitKeyed(icon, pos, 0, kOpaqueKey);
    painter.blitKeyed(icon, 0, pos, kOpaqueKey);
    painter.drawImage(icon, pos, pos);
  }
  EXPECT_EQ(countColor(screen, kRed), 0u);

  Image damaged(32, 32, kRed);
  damaged.pixels.resize(10);  // claims more pixels than it holds
  painter.blitKeyed(damaged, 0, 0, kOpaqueKey);
  painter.blitKeyed(Image(), 0, 0, kOpaqueKey);
  EXPECT_EQ(countColor(screen, kRed), 0u);
}

TEST(BlitKeyed, ReadsFinishBeforeWritesWhenCopyingAScreenOntoItself) {
  Image screen = newScreen();
  for (int x = 0; x < kScreenWidth; ++x) screen.at(x, 0) = static_cast<Color>(x + 1);
  Painter(screen).blitKeyed(screen, 1, 0, kOpaqueKey);
  for (int x = 1; x < kScreenWidth; ++x) ASSERT_EQ(screen.at(x, 0), static_cast<Color>(x));
}

TEST(DrawImage, CopiesEveryPixelIncludingGreenAndClipsToSmallTargets) {
  Image picture(3, 3, 0x00F800);
  Image screen = newScreen();
  Painter(screen).drawImage(picture, 0, 0);
  EXPECT_EQ(countColor(screen, 0x00F800), 9u);

  // The painter clips to whatever image it draws on.
  Image small(5, 4, kGrey);
  Painter(small).drawImage(Image(10, 10, kRed), -2, -2);
  EXPECT_EQ(countColor(small, kRed), 20u);
  EXPECT_EQ(small.pixels.size(), 20u);
}

TEST(BoxAndLine, FillClippedRectanglesAndIgnoreEmptyOrNegativeSizes) {
  Image screen = newScreen();
  Painter painter(screen);
  painter.box(250, 190, 10, 10, kRed);
  EXPECT_EQ(countColor(screen, kRed), 6u * 2);

  screen = newScreen();
  painter.box(0, 0, 0, 10, kRed);
  painter.box(0, 0, 10, 0, kRed);
  painter.box(10, 10, -5, 5, kRed);
  painter.box(10, 10, 5, -5, kRed);
  painter.line(0, 0, 0, 10, kRed);
  painter.line(0, 0, 10, 0, kRed);
  painter.line(10, 10, -5, 1, kRed);
  EXPECT_EQ(countColor(screen, kRed), 0u);

  // Sizes that would overflow int arithmetic when added to the position.
  painter.box(INT_MAX - 1, 0, INT_MAX, 5, kRed);
  EXPECT_EQ(countColor(screen, kRed), 0u);
  painter.box(-5, -5, INT_MAX, INT_MAX, kRed);
  EXPECT_EQ(countColor(screen, kRed), screen.pixels.size());
}

TEST(BoxAndLine, LinesRunFromTheStartForTheirLength) {
  Image screen = newScreen();
  Painter painter(screen);
  painter.line(10, 20, 1, 5, kRed);  // vertical
  EXPECT_EQ(countColor(screen, kRed), 5u);
  EXPECT_EQ(screen.at(10, 20), kRed);
  EXPECT_EQ(screen.at(10, 24), kRed);
  EXPECT_EQ(screen.at(10, 25), 0u);

  painter.line(30, 40, 7, 1, kGrey);  // horizontal
  EXPECT_EQ(countColor(screen, kGrey), 7u);
  EXPECT_EQ(screen.at(36, 40), kGrey);

  // A slanted line ends exactly at (x + w - 1, y + h - 1); a huge one is
  // clipped without visiting every step.
  screen = newScreen();
  painter.line(0, 0, 5, 3, kRed);
  EXPECT_EQ(countColor(screen, kRed), 5u);
  EXPECT_EQ(screen.at(0, 0), kRed);
  EXPECT_EQ(screen.at(4, 2), kRed);
  painter.line(-1000000000, -1000000000, INT_MAX, INT_MAX, kGrey);
  EXPECT_EQ(screen.at(100, 100), kGrey);
  EXPECT_EQ(countColor(screen, kGrey), 192u);
}

TEST(DrawText, ChangesOnlyGlyphPixelsInsideTheTextCell) {
  const PreviewFont& font = PreviewFont::builtin();
  std::size_t ink = 0;
  for (char c : std::string_view("Hag")) {
    for (auto bit : font.glyph(static_cast<unsigned char>(c)).bits) ink += bit;
  }
  Image screen = screenFilled(kGrey);
  Painter(screen).drawText(20, 30, "Hag", kRed);
  EXPECT_EQ(countColor(screen, kRed), ink);
  EXPECT_EQ(countColor(screen, kRed) + countColor(screen, kGrey), screen.pixels.size());
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      if (screen.at(x, y) != kRed) continue;
      EXPECT_GE(y, 30);
      EXPECT_LT(y, 30 + 15);
      EXPECT_GE(x, 20);
      EXPECT_LT(x, 20 + textWidth("Hag"));
    }
  }
  // The capital H stands on the baseline at y + 13 and is 8 pixels tall.
  EXPECT_EQ(screen.at(20, 30 + 12), kRed);
  EXPECT_EQ(screen.at(20, 30 + 5), kRed);
  EXPECT_EQ(screen.at(20, 30 + 4), kGrey);
}

TEST(DrawText, TextOffTheScreenIsClipped) {
  Image screen = newScreen();
  Painter painter(screen);
  for (int pos : {INT_MIN, -3, 250, INT_MAX}) {
    painter.drawText(pos, 0, "WWWW \xC3\xA0", kRed);
    painter.drawText(0, pos, "WWWW \xC3\xA0", kRed);
  }
  painter.drawText(0, 0, std::string_view("\xFF\xFE\x00\x80", 4), kRed);
  EXPECT_EQ(screen.pixels.size(), 256u * 192);
  EXPECT_GT(countColor(screen, kRed), 0u);
}

TEST(FitText, AlwaysRemovesOneCharacterThenCutsBelowTheLimit) {
  EXPECT_EQ(fitText("abc", 1000), "ab");
  EXPECT_EQ(fitText("abc ", 1000), "abc");
  EXPECT_EQ(fitText("", 1000), "");
  EXPECT_EQ(fitText("abc", 0), "");
  EXPECT_EQ(fitText("abc", -5), "");

  const std::string text = "A rather long sample name for a game.nds";
  for (int limit = 1; limit < textWidth(text) + 10; ++limit) {
    const std::string fitted = fitText(text, limit);
    ASSERT_LT(fitted.size(), text.size());
    ASSERT_EQ(text.compare(0, fitted.size(), fitted), 0);
    if (!fitted.empty()) {
      ASSERT_LT(textWidth(fitted), limit);
    }
    // One more character would reach the limit (or be the removed last one).
    if (fitted.size() + 1 < text.size()) {
      ASSERT_GE(textWidth(text.substr(0, fitted.size() + 1)), limit);
    }
  }
}

TEST(FitText, RemovesWholeUtf8Characters) {
  EXPECT_EQ(fitText("ab\xC3\xA9", 1000), "ab");
  EXPECT_EQ(fitText("\xC3\xA9\xC3\xA9 ", 1000), "\xC3\xA9\xC3\xA9");
  EXPECT_EQ(fitText("a\xE2\x80\x90", 1000), "a");
  // A stray byte counts as one character of its own.
  EXPECT_EQ(fitText("a\xC3", 1000), "a");
}

TEST(CentreOffset, HalvesTheSpareWidthRoundingTowardZero) {
  const std::string text = "Menu";
  const int w = textWidth(text);
  EXPECT_EQ(centreOffset(text, w + 7), 3);
  EXPECT_EQ(centreOffset(text, w - 7), -3);
  EXPECT_EQ(centreOffset(text, w + 8), 4);
  EXPECT_EQ(centreOffset(text, w), 0);
  EXPECT_EQ(centreOffset("", 9), 4);
  EXPECT_EQ(centreOffset("", INT_MIN), INT_MIN / 2);
}

TEST(GrabImage, CopiesTheRectangleAndLeavesOutsidePartsBlack) {
  Image source(10, 20, kRed);
  source.at(3, 4) = kGrey;
  const Image part = grabImage(source, 3, 4, 2, 2);
  ASSERT_EQ(part.width, 2);
  ASSERT_EQ(part.height, 2);
  EXPECT_EQ(part.at(0, 0), kGrey);
  EXPECT_EQ(part.at(1, 1), kRed);

  const Image overhang = grabImage(source, 8, -2, 4, 4);
  ASSERT_EQ(overhang.width, 4);
  EXPECT_EQ(overhang.at(0, 0), 0u);
  EXPECT_EQ(overhang.at(0, 2), kRed);
  EXPECT_EQ(overhang.at(1, 3), kRed);
  EXPECT_EQ(overhang.at(2, 2), 0u);

  EXPECT_TRUE(grabImage(source, 0, 0, 0, 5).empty());
  EXPECT_TRUE(grabImage(source, 0, 0, -1, 5).empty());
  EXPECT_TRUE(grabImage(source, 0, 0, INT_MAX, INT_MAX).empty());
  const Image far = grabImage(source, INT_MIN, INT_MAX, 3, 3);
  EXPECT_EQ(countColor(far, 0), 9u);
}

TEST(NewScreen, IsABlackHandheldScreen) {
  const Image screen = newScreen();
  EXPECT_EQ(screen.width, 256);
  EXPECT_EQ(screen.height, 192);
  EXPECT_EQ(countColor(screen, 0), 256u * 192);
}

}  // namespace
