#include <gtest/gtest.h>

#include "imaging/bmp16.h"
#include "testsupport/picture_test_files.h"

namespace {

std::uint32_t le(const Bytes& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

Image pattern(int width, int height) {
  Image picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.at(x, y) = rgb((x * 40) & 0xF8, (y * 24) & 0xF8, ((x + y) * 56) & 0xF8);
  return picture;
}

TEST(Bmp16, MultiplesOfEightSurviveAWriteAndARead) {
  for (const auto& [w, h] : {std::pair{6, 6}, {11, 10}, {1, 12}, {203, 1}, {256, 192}}) {
    const Image picture = pattern(w, h);
    const Bytes file = encodeBmp16(picture);
    ASSERT_TRUE(isBmp16(file));
    const std::optional<Image> back = readBmp16(file);
    ASSERT_TRUE(back) << w << " x " << h;
    EXPECT_EQ(back->width, w);
    EXPECT_EQ(back->height, h);
    EXPECT_EQ(back->pixels, picture.pixels) << w << " x " << h;
  }
}

TEST(Bmp16, OddWidthRowsCarryOnePaddingWordAndTwoExtraBytesEndTheFile) {
  Image picture = pattern(11, 10);
  picture.at(0, 9) = rgb(255, 7, 136);  // low bits are cut, not rounded
  const Bytes file = encodeBmp16(picture);
  ASSERT_EQ(file.size(), 296u);
  EXPECT_EQ(le(file, 2, 4), 296u);
  EXPECT_EQ(le(file, 10, 4), 54u);
  EXPECT_EQ(le(file, 14, 4), 40u);
  EXPECT_EQ(le(file, 18, 4), 11u);
  EXPECT_EQ(le(file, 22, 4), 10u);
  EXPECT_EQ(le(file, 26, 2), 1u);
  EXPECT_EQ(le(file, 28, 2), 16u);
  EXPECT_EQ(le(file, 30, 4), 0u);
  EXPECT_EQ(le(file, 34, 4), 242u);
  EXPECT_EQ(le(file, 38, 4), 2834u);
  EXPECT_EQ(le(file, 42, 4), 2834u);
  // The bottom picture row is stored first; its first word is the pixel
  // changed above: red 31, green 0, blue 17.
  EXPECT_EQ(le(file, 54, 2), (31u << 10) | (0u << 5) | 17u);
  // Stored row 1 starts 12 words in, after the padding word of row 0.
  const Color secondRow = picture.at(0, 8);
  EXPECT_EQ(le(file, 54 + 24, 2),
            static_cast<std::uint32_t>((redOf(secondRow) >> 3) << 10 |
                                       (greenOf(secondRow) >> 3) << 5 | blueOf(secondRow) >> 3));
}

TEST(Bmp16, AnEmptyEntryIsAFiftySixByteFile) {
  const Bytes file = encodeBmp16(Image());
  ASSERT_EQ(file.size(), 56u);
  EXPECT_EQ(le(file, 2, 4), 56u);
  EXPECT_EQ(le(file, 18, 4), 0u);
  EXPECT_EQ(le(file, 22, 4), 0u);
  EXPECT_EQ(le(file, 34, 4), 2u);
}

TEST(Bmp16, ReadingAndRewritingKeepsEveryWordButBitFifteen) {
  // 3 x 2 with a stride of 4 words; every word has bit 15 set.
  Bytes file = encodeBmp16(Image(3, 2));
  const std::uint16_t words[8] = {0xFFFF, 0x8001, 0xABCD, 0, 0x9234, 0x83E0, 0xFC00, 0};
  for (int i = 0; i < 8; ++i) putLe(file, 54 + 2 * i, words[i], 2);
  const std::optional<Image> picture = readBmp16(file);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->at(0, 1), rgb(248, 248, 248));
  EXPECT_EQ(picture->at(1, 0), rgb(0, 248, 0));
  const Bytes again = encodeBmp16(*picture);
  for (int i = 0; i < 8; ++i) {
    if (i % 4 == 3) continue;  // padding
    EXPECT_EQ(le(again, 54 + 2 * i, 2), words[i] & 0x7FFFu) << i;
  }
}

TEST(Bmp16, OnlyPlainSixteenBitFilesAreTaken) {
  Bytes file = encodeBmp16(pattern(4, 4));
  putLe(file, 30, 3, 4);  // bit fields: the general decoder's business
  EXPECT_FALSE(isBmp16(file));
  EXPECT_FALSE(readBmp16(file));
  file = encodeBmp16(pattern(4, 4));
  putLe(file, 28, 24, 2);
  EXPECT_FALSE(isBmp16(file));
  EXPECT_FALSE(isBmp16(Bytes{'B', 'M'}));
}

TEST(Bmp16, HeadersThatDoNotFitTheirDataAreRefused) {
  const Bytes good = encodeBmp16(pattern(11, 10));
  auto withField = [&](std::size_t at, std::uint32_t value) {
    Bytes file = good;
    putLe(file, at, value, 4);
    return file;
  };
  EXPECT_FALSE(readBmp16(withField(18, 0)));           // zero width
  EXPECT_FALSE(readBmp16(withField(22, 0)));           // zero height
  EXPECT_FALSE(readBmp16(withField(22, 0xFFFFFFF6)));  // top-down rows
  EXPECT_FALSE(readBmp16(withField(18, 0xFFFFFFF5)));  // negative width
  EXPECT_FALSE(readBmp16(withField(10, 300)));         // pixels past the end
  EXPECT_FALSE(readBmp16(withField(10, 0xFFFFFFFF)));
  EXPECT_FALSE(readBmp16(withField(18, 0x7FFFFFFF)));  // product overflows
  EXPECT_FALSE(readBmp16(withField(22, 0x7FFFFFFF)));
  EXPECT_FALSE(readBmp16(withField(18, 13)));  // rows wider than the data
  for (std::size_t length = 0; length < good.size(); ++length) {
    const Bytes cut(good.begin(), good.begin() + length);
    const std::optional<Image> picture = readBmp16(cut);
    // Only the two extra bytes and the last padding word may be missing.
    if (length >= good.size() - 4) {
      EXPECT_TRUE(picture) << length;
    } else {
      EXPECT_FALSE(picture) << length;
    }
  }
}

}  // namespace
