#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <limits>
#include <vector>

#include "preview/file_list_screen.h"
#include "preview/preview_canvas.h"
#include "preview/preview_test_support.h"
#include "preview/upper_screen.h"
#include "skin/builtin_pictures.h"

namespace {

constexpr Color kUpper = rgb(200, 0, 0);
constexpr Color kLower = rgb(0, 0, 200);

ScreenPair solidScreens() { return {Image(256, 192, kUpper), Image(256, 192, kLower)}; }

enum class Area { Background, Upper, Hinge, Lower };

Area areaOf(int x, int y) {
  if (y >= 202 && y < 288) return Area::Hinge;
  const bool inColumns = x >= 5 && x < 261;
  if (inColumns && y >= 5 && y < 197) return Area::Upper;
  if (inColumns && y >= 293 && y < 485) return Area::Lower;
  return Area::Background;
}

TEST(PreviewCanvas, ScreensHingeAndBackgroundHaveTheirFixedPlaces) {
  const Color background = rgb(1, 2, 3);
  const Image canvas = composeCanvas(solidScreens(), background);
  ASSERT_EQ(canvas.width, 266);
  ASSERT_EQ(canvas.height, 490);
  const Image& hinge = builtinHingeStrip();
  ASSERT_EQ(hinge.width, 266);
  ASSERT_EQ(hinge.height, 86);
  for (int y = 0; y < 490; ++y)
    for (int x = 0; x < 266; ++x) {
      const Color p = canvas.at(x, y);
      switch (areaOf(x, y)) {
        case Area::Background:
          ASSERT_EQ(p, background) << x << "," << y;
          break;
        case Area::Upper:
          ASSERT_EQ(p, kUpper) << x << "," << y;
          break;
        case Area::Lower:
          ASSERT_EQ(p, kLower) << x << "," << y;
          break;
        case Area::Hinge:
          ASSERT_EQ(p, hinge.at(x, y - 202)) << x << "," << y;
          break;
      }
    }
  // The gaps round the hinge are background.
  EXPECT_EQ(areaOf(100, 197), Area::Background);
  EXPECT_EQ(areaOf(100, 201), Area::Background);
  EXPECT_EQ(areaOf(100, 288), Area::Background);
  EXPECT_EQ(areaOf(100, 292), Area::Background);
}

TEST(PreviewCanvas, BackgroundColourChangesOnlyMarginsAndGaps) {
  const Image dark = composeCanvas(solidScreens(), rgb(0, 0, 0));
  const Image light = composeCanvas(solidScreens(), rgb(255, 255, 255));
  int changed = 0;
  for (int y = 0; y < 490; ++y)
    for (int x = 0; x < 266; ++x) {
      const bool differs = dark.at(x, y) != light.at(x, y);
      ASSERT_EQ(differs, areaOf(x, y) == Area::Background) << x << "," << y;
      changed += differs;
    }
  // Margins: 5 rows top and bottom, 5 columns each side, two 5-row gaps.
  EXPECT_EQ(changed, 266 * 490 - 86 * 266 - 2 * 256 * 192);
}

TEST(PreviewCanvas, AMissingLowerScreenLeavesTheBackgroundShowing) {
  ScreenPair screens = solidScreens();
  screens.lower = Image();
  const Image canvas = composeCanvas(screens, rgb(9, 8, 7));
  EXPECT_EQ(canvas.at(100, 300), rgb(9, 8, 7));
  EXPECT_EQ(canvas.at(100, 100), kUpper);
}

TEST(ScreenViews, FourteenViewsWithTheirRendererPairs) {
  for (int view = 0; view < kScreenViewCount; ++view) {
    ASSERT_NE(screenView(view), nullptr);
    EXPECT_EQ(screenView(view)->menuKey,
              "LANG_SCREEN_" + std::string(view < 10 ? "0" : "") + std::to_string(view) + "$");
    EXPECT_EQ(screenView(view)->upper,
              view == 1 ? UpperScreenKind::FolderInfo : UpperScreenKind::GameInfo);
  }
  EXPECT_EQ(screenView(-1), nullptr);
  EXPECT_EQ(screenView(14), nullptr);

  HandMadeSkin skin;
  skin.paint("icon/pth.bmp", 32, 32, rgb(3, 200, 3));
  skin.paint("lower_screen.bmp", 256, 192, rgb(50, 50, 50));
  const ScreenPair view0 = renderScreenView(0, skin.sources());
  const ScreenPair view1 = renderScreenView(1, skin.sources());
  EXPECT_EQ(view0.upper.pixels, drawGameInfoScreen(skin.sources()).pixels);
  EXPECT_EQ(view0.lower.pixels, drawIconView(skin.sources()).pixels);
  EXPECT_EQ(view1.upper.pixels, drawFolderInfoScreen(skin.sources()).pixels);
  EXPECT_EQ(view1.lower.pixels, drawListView(skin.sources()).pixels);
  EXPECT_EQ(renderScreenView(9, skin.sources()).upper.pixels, view0.upper.pixels);
  const ScreenPair none = renderScreenView(14, skin.sources());
  EXPECT_TRUE(none.upper.empty());
  EXPECT_TRUE(none.lower.empty());
}

// Canvas size after `notches` wheel steps up from 1.0.
std::pair<int, int> sizeAfter(float zoom) {
  return {zoomedLength(kCanvasWidth, zoom), zoomedLength(kCanvasHeight, zoom)};
}

TEST(Zoom, WheelNotchesGiveTheCanvasSizesOfTheEditor) {
  float zoom = 1.0f;
  ASSERT_TRUE(applyWheelDelta(zoom, 120));
  EXPECT_EQ(sizeAfter(zoom), std::make_pair(306, 563));
  for (int i = 1; i < 8; ++i) ASSERT_TRUE(applyWheelDelta(zoom, 120));
  EXPECT_NEAR(zoom, 2.2f, 1e-5f);
  EXPECT_EQ(sizeAfter(zoom), std::make_pair(585, 1078));

  int levels = 9;
  while (applyWheelDelta(zoom, 120)) ++levels;
  EXPECT_EQ(levels, 28);
  EXPECT_NEAR(zoom, 5.05f, 1e-5f);
  EXPECT_EQ(sizeAfter(zoom), std::make_pair(1343, 2475));
  EXPECT_FALSE(applyWheelDelta(zoom, 120));

  ASSERT_TRUE(applyWheelDelta(zoom, -120));
  EXPECT_NEAR(zoom, 4.9f, 1e-5f);
}

TEST(Zoom, OnlyWholeSingleNotchesCount) {
  float zoom = 1.0f;
  for (int delta : {240, 60, -60, -240, 0, 119, 121}) {
    EXPECT_FALSE(applyWheelDelta(zoom, delta)) << delta;
    EXPECT_EQ(zoom, 1.0f);
  }
  EXPECT_FALSE(applyWheelDelta(zoom, -120)) << "1.0 is not above 1.0";
  applyWheelDelta(zoom, 120);
  EXPECT_FALSE(applyWheelDelta(zoom, 240));
  EXPECT_EQ(zoom, 1.0f + 0.15f);
}

TEST(Zoom, AllTheWayInAndOutEndsJustBelowOneAndShowsNaturalSize) {
  float zoom = 1.0f;
  while (applyWheelDelta(zoom, 120)) {
  }
  int steps = 0;
  while (applyWheelDelta(zoom, -120)) ++steps;
  EXPECT_EQ(steps, 27);
  EXPECT_EQ(zoom, 0.99999988f);
  EXPECT_FALSE(zoom > 1.0f);

  const Image canvas = composeCanvas(solidScreens(), 0);
  const Image shown = enlargeCanvas(canvas, zoom);
  EXPECT_EQ(shown.width, 266);
  EXPECT_EQ(shown.height, 490);
  EXPECT_EQ(shown.pixels, canvas.pixels);
}

TEST(Zoom, EnlargementMakesWholePixelBlocksWithoutBlending) {
  Image canvas(kCanvasWidth, kCanvasHeight, rgb(0, 0, 0));
  for (int y = 0; y < kCanvasHeight; ++y) canvas.at(10, y) = rgb(255, 255, 255);
  for (int x = 0; x < kCanvasWidth; ++x) canvas.at(x, 20) = rgb(255, 0, 0);
  canvas.at(265, 489) = rgb(0, 255, 0);

  float zoom = 1.0f;
  while (applyWheelDelta(zoom, 120)) {
  }
  const Image big = enlargeCanvas(canvas, zoom);
  ASSERT_EQ(big.width, 1343);
  ASSERT_EQ(big.height, 2475);
  for (Color c : big.pixels)
    ASSERT_TRUE(c == 0 || c == rgb(255, 255, 255) || c == rgb(255, 0, 0) || c == rgb(0, 255, 0));

  // The one-pixel column becomes a band of 5 or 6 whole columns, the same on
  // every row it crosses.
  int first = -1, count = 0;
  for (int x = 0; x < big.width; ++x)
    if (big.at(x, 0) == rgb(255, 255, 255)) {
      if (first < 0) first = x;
      ++count;
    }
  EXPECT_GE(count, 5);
  EXPECT_LE(count, 6);
  for (int y = 0; y < big.height; ++y) {
    if (big.at(0, y) == rgb(255, 0, 0)) continue;
    for (int x = first; x < first + count; ++x)
      ASSERT_EQ(big.at(x, y), rgb(255, 255, 255)) << x << "," << y;
  }
  // The last source pixel reaches the last corner.
  EXPECT_EQ(big.at(1342, 2474), rgb(0, 255, 0));
  EXPECT_EQ(big.at(0, 0), 0u);
}

TEST(Zoom, SampledRectanglesMatchTheEnlargedCanvasPixelForPixel) {
  // A canvas where every pixel differs, so any off-by-one in the mapping shows.
  Image canvas(kCanvasWidth, kCanvasHeight);
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < canvas.width; ++x)
      canvas.at(x, y) = rgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
  float zoom = 1.0f;
  for (int notches : {0, 8, 27}) {
    zoom = 1.0f;
    for (int i = 0; i < notches; ++i) applyWheelDelta(zoom, 120);
    const Image full = enlargeCanvas(canvas, zoom);
    ASSERT_EQ(enlargedLength(kCanvasWidth, zoom), full.width);
    ASSERT_EQ(enlargedLength(kCanvasHeight, zoom), full.height);
    // A rectangle inside, one hanging over the bottom-right edge.
    for (auto [x, y, w, h] :
         {std::array{37, 101, 90, 70}, std::array{full.width - 20, full.height - 9, 50, 40}}) {
      std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * h, 0x12345678u);
      sampleEnlargedCanvas(canvas, zoom, x, y, w, h, out.data(), w);
      for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
          const std::uint32_t got = out[static_cast<std::size_t>(dy) * w + dx];
          if (x + dx >= full.width || y + dy >= full.height) {
            ASSERT_EQ(got, 0x12345678u);
            continue;
          }
          const Color c = full.at(x + dx, y + dy);
          ASSERT_EQ(got, 0xFF000000u | redOf(c) << 16 | greenOf(c) << 8 | blueOf(c))
              << notches << " notches at " << x + dx << "," << y + dy;
        }
    }
  }
}

TEST(Zoom, FactorsNoWheelCanReachLeaveTheCanvasAlone) {
  const Image canvas(kCanvasWidth, kCanvasHeight, rgb(1, 1, 1));
  for (float zoom : {1e9f, std::numeric_limits<float>::infinity(),
                     std::numeric_limits<float>::quiet_NaN(), -3.0f})
    EXPECT_EQ(enlargeCanvas(canvas, zoom).width, kCanvasWidth) << zoom;
  EXPECT_EQ(enlargeCanvas(Image(), 2.0f).width, 0);
}

TEST(Zoom, RedrawOfViewZeroIsTheComposedCanvasAtNaturalSize) {
  HandMadeSkin skin;
  const Image drawn = redrawPreview(0, 1.0f, rgb(4, 5, 6), skin.sources());
  const Image expected = composeCanvas(renderScreenView(0, skin.sources()), rgb(4, 5, 6));
  EXPECT_EQ(drawn.width, 266);
  EXPECT_EQ(drawn.pixels, expected.pixels);
  EXPECT_EQ(redrawPreview(0, 1.15f, 0, skin.sources()).height, 563);
}

}  // namespace

namespace {

// Settings files may hold any 32-bit number in any field; the screens must
// draw (or clip away) whatever they get.
TEST(ScreenRenderers, ExtremeSettingsAreClippedAway) {
  for (std::int32_t value : {INT32_MAX, INT32_MIN, -1, 0, 1000000}) {
    HandMadeSkin skin;
    for (const SkinField& field : skinFields())
      if (field.kind == FieldKind::Integer) *field.integer(skin.model) = value;
    skin.model.fileName.show = skin.model.gameName.show = skin.model.fileType.show = 1;
    skin.model.folderText.show = skin.model.bigClock.show = skin.model.fileName.titleshow = 1;
    skin.paint("clock_numbers.bmp", 20, 300, rgb(1, 1, 1));
    skin.paint("clock_colon.bmp", 8, 30, rgb(2, 2, 2));
    skin.paint("icon/pth.bmp", 32, 32, rgb(3, 3, 3));
    for (const Image& screen :
         {drawGameInfoScreen(skin.sources()), drawFolderInfoScreen(skin.sources()),
          drawIconView(skin.sources()), drawListView(skin.sources())}) {
      EXPECT_EQ(screen.width, 256);
      EXPECT_EQ(screen.height, 192);
    }
    Image backdrop = newScreen();
    Painter painter(backdrop);
    drawMenuBackdrop(painter, skin.sources());
  }
}

}  // namespace
