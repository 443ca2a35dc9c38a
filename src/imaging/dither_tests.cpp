#include <gtest/gtest.h>

#include <random>

#include "imaging/dither.h"

namespace {

Image grey(int width, int height, int level) {
  return Image(width, height, rgb(level, level, level));
}

std::vector<int> redRows(const Image& picture) {
  std::vector<int> values;
  for (Color c : picture.pixels) values.push_back(redOf(c));
  return values;
}

// The diffusion written out the long way: a bordered work picture, all four
// neighbours read before any is written.
Image referenceDither(const Image& picture) {
  const int w = picture.width, h = picture.height;
  std::vector<int> work((w + 2) * (h + 2) * 3, 0);
  auto cell = [&](int x, int y, int channel) -> int& {
    return work[((y * (w + 2)) + x) * 3 + channel];
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Color c = picture.at(x, y);
      cell(x + 1, y + 1, 0) = redOf(c);
      cell(x + 1, y + 1, 1) = greenOf(c);
      cell(x + 1, y + 1, 2) = blueOf(c);
    }
  for (int y = 1; y <= h; ++y)
    for (int x = 1; x <= w; ++x)
      for (int ch = 0; ch < 3; ++ch) {
        const int c = cell(x, y, ch), q = c & 0xF8, e = c - q;
        int right = cell(x + 1, y, ch), belowLeft = cell(x - 1, y + 1, ch);
        int below = cell(x, y + 1, ch), belowRight = cell(x + 1, y + 1, ch);
        auto clamp = [](int v) { return v <= 0 ? 0 : v > 255 ? 255 : v; };
        cell(x + 1, y, ch) = clamp(right + e * 7 / 16);
        cell(x - 1, y + 1, ch) = clamp(belowLeft + e * 3 / 16);
        cell(x, y + 1, ch) = clamp(below + e * 5 / 16);
        cell(x + 1, y + 1, ch) = clamp(belowRight + e * 1 / 16);
        cell(x, y, ch) = q;
      }
  Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.at(x, y) = rgb(cell(x + 1, y + 1, 0), cell(x + 1, y + 1, 1), cell(x + 1, y + 1, 2));
  return out;
}

TEST(Dither15, SmallGreyPicturesSpreadTheirErrorAsExpected) {
  Image four = grey(4, 3, 4);
  dither15(four);
  EXPECT_EQ(redRows(four), (std::vector<int>{0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 8, 0}));
  EXPECT_EQ(four.pixels[5], rgb(8, 8, 8));  // every channel alike

  Image twelve = grey(4, 3, 12);
  dither15(twelve);
  EXPECT_EQ(redRows(twelve), (std::vector<int>{8, 8, 8, 8, 8, 16, 8, 8, 8, 8, 16, 8}));
}

TEST(Dither15, MultiplesOfEightPassUnchangedAndWhiteDoesNotWrap) {
  Image picture(5, 4);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i)
    picture.pixels[i] = rgb((i * 8) & 0xF8, (i * 24) & 0xF8, 248);
  const Image before = picture;
  dither15(picture);
  EXPECT_EQ(picture.pixels, before.pixels);

  Image white = grey(7, 5, 255);
  dither15(white);
  for (Color c : white.pixels) EXPECT_EQ(c, rgb(248, 248, 248));
}

TEST(Dither15, MatchesTheLongHandDiffusionOnRandomPictures) {
  std::mt19937 random(7);
  for (const auto& [w, h] : {std::pair{1, 1}, {1, 9}, {9, 1}, {2, 2}, {17, 13}, {64, 48}}) {
    Image picture(w, h);
    for (Color& c : picture.pixels) c = random() & 0xFFFFFF;
    const Image expected = referenceDither(picture);
    dither15(picture);
    EXPECT_EQ(picture.pixels, expected.pixels) << w << " x " << h;
  }
}

TEST(Dither15, EmptyPicturesAreLeftAlone) {
  Image none;
  dither15(none);
  EXPECT_TRUE(none.empty());
}

}  // namespace
