#include <gtest/gtest.h>

#include <random>

#include "imaging/bmp16.h"
#include "imaging/picture_decoder.h"
#include "testsupport/picture_test_files.h"

namespace {

Image sample(int width, int height) {
  Image picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.at(x, y) = rgb(x * 37 % 256, y * 53 % 256, (x ^ y) * 29 % 256);
  return picture;
}

Bytes masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  Bytes out(12);
  putLe(out, 0, red, 4);
  putLe(out, 4, green, 4);
  putLe(out, 8, blue, 4);
  return out;
}

// Every cut and a few hundred random byte changes of a valid file: the
// decoder may fail or succeed, but must stay inside the bytes it is given
// and return.
void expectNoCrashOnDamage(const Bytes& valid) {
  for (std::size_t length = 0; length < valid.size(); length += 1 + length / 64)
    decodePicture(std::span(valid.data(), length));
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    Bytes damaged = valid;
    for (int changes = 1 + random() % 4; changes > 0; --changes)
      damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
    if (std::optional<Image> picture = decodePicture(damaged)) {
      EXPECT_EQ(picture->pixels.size(), std::size_t(picture->width) * picture->height);
    }
  }
}

TEST(BmpDecoder, ReadsPalettedRowsOfOneFourAndEightBits) {
  const Bytes palette = {0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0};
  BmpRecipe one;  // 9 x 2, bottom-up: row 0 stored second
  one.width = 9;
  one.height = 2;
  one.bitsPerPixel = 1;
  one.afterHeader = Bytes(palette.begin(), palette.begin() + 8);
  one.pixels = {0x80, 0x80, 0, 0, 0xAA, 0x00, 0, 0};
  std::optional<Image> picture = decodePicture(makeBmp(one));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->at(0, 1), rgb(255, 255, 255));
  EXPECT_EQ(picture->at(1, 1), rgb(0, 0, 0));
  EXPECT_EQ(picture->at(8, 1), rgb(255, 255, 255));
  EXPECT_EQ(picture->at(0, 0), rgb(255, 255, 255));
  EXPECT_EQ(picture->at(1, 0), rgb(0, 0, 0));
  EXPECT_EQ(picture->at(2, 0), rgb(255, 255, 255));

  BmpRecipe four;
  four.width = 3;
  four.height = 1;
  four.bitsPerPixel = 4;
  four.afterHeader = palette;
  four.pixels = {0x23, 0x10, 0, 0};
  picture = decodePicture(makeBmp(four));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->at(0, 0), rgb(255, 0, 0));
  EXPECT_EQ(picture->at(1, 0), rgb(0, 255, 0));
  EXPECT_EQ(picture->at(2, 0), rgb(255, 255, 255));

  BmpRecipe eight;
  eight.width = 2;
  eight.height = 1;
  eight.bitsPerPixel = 8;
  eight.afterHeader = palette;  // four entries; index 200 lies past them
  eight.pixels = {3, 200, 0, 0};
  picture = decodePicture(makeBmp(eight));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->at(0, 0), rgb(0, 255, 0));
  EXPECT_EQ(picture->at(1, 0), rgb(0, 0, 0));
}

TEST(BmpDecoder, ReadsTrueColourInBothRowOrdersAndWithBitFields) {
  const Image picture = sample(5, 3);
  EXPECT_EQ(decodePicture(makeBmp24(picture))->pixels, picture.pixels);

  BmpRecipe topDown;
  topDown.width = 2;
  topDown.height = 2;
  topDown.topDown = true;
  topDown.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  std::optional<Image> decoded = decodePicture(makeBmp(topDown));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(0, 0), rgb(3, 2, 1));
  EXPECT_EQ(decoded->at(1, 1), rgb(12, 11, 10));

  BmpRecipe plain32;
  plain32.bitsPerPixel = 32;
  plain32.pixels = {10, 20, 30, 0};
  EXPECT_EQ(decodePicture(makeBmp(plain32))->at(0, 0), rgb(30, 20, 10));

  BmpRecipe fields565;  // 16 bits with bit fields: white and pure green
  fields565.width = 2;
  fields565.bitsPerPixel = 16;
  fields565.compression = 3;
  fields565.afterHeader = masks(0xF800, 0x07E0, 0x001F);
  fields565.pixels = {0xFF, 0xFF, 0xE0, 0x07};
  decoded = decodePicture(makeBmp(fields565));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(0, 0), rgb(255, 255, 255));
  EXPECT_EQ(decoded->at(1, 0), rgb(0, 255, 0));

  BmpRecipe fields32;
  fields32.bitsPerPixel = 32;
  fields32.compression = 3;
  fields32.afterHeader = masks(0x000000FF, 0x0000FF00, 0x00FF0000);
  fields32.pixels = {10, 20, 30, 40};
  EXPECT_EQ(decodePicture(makeBmp(fields32))->at(0, 0), rgb(10, 20, 30));

  BmpRecipe plain16;  // without bit fields 16 bits are 5-5-5
  plain16.bitsPerPixel = 16;
  plain16.pixels = {0x1F, 0x7C, 0, 0};
  EXPECT_EQ(decodePicture(makeBmp(plain16))->at(0, 0), rgb(255, 0, 255));
}

TEST(BmpDecoder, RefusesHeadersThatDoNotFitAndOversizedPictures) {
  BmpRecipe recipe;
  recipe.width = 4;
  recipe.height = 4;
  recipe.pixels.assign(48, 0x55);
  const Bytes good = makeBmp(recipe);
  ASSERT_TRUE(decodeBmp(good));
  auto withField = [&](std::size_t at, std::uint32_t value, int size = 4) {
    Bytes file = good;
    putLe(file, at, value, size);
    return decodeBmp(file);
  };
  EXPECT_FALSE(withField(10, 0xFFFFFFF0));  // pixels past the end
  EXPECT_FALSE(withField(18, 0));
  EXPECT_FALSE(withField(22, 0));
  EXPECT_FALSE(withField(22, 0x80000000));  // the most negative height
  EXPECT_FALSE(withField(18, 4097));
  EXPECT_FALSE(withField(22, 0xFFFFEFFF));  // 4097 rows, top-down
  EXPECT_FALSE(withField(18, 0x40000000));
  EXPECT_FALSE(withField(28, 7, 2));        // no such depth
  EXPECT_FALSE(withField(30, 1));           // run-length coding is not taken
  EXPECT_FALSE(withField(14, 0xFFFFFFFF));  // header size
  EXPECT_FALSE(withField(14, 2));
  EXPECT_FALSE(decodePicture(Bytes{'B', 'M', 0, 0}));
}

TEST(PngDecoder, ReadsEveryColourTypeAndDepth) {
  const Image picture = sample(7, 5);
  std::optional<Image> decoded = decodePicture(makeRgbPng(picture));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pixels, picture.pixels);

  PngRecipe interlaced;
  interlaced.width = 7;
  interlaced.height = 5;
  interlaced.interlaced = true;
  for (Color c : picture.pixels)
    for (int shift : {0, 8, 16}) interlaced.rows.push_back(static_cast<std::uint8_t>(c >> shift));
  decoded = decodePicture(makePng(interlaced));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pixels, picture.pixels);

  PngRecipe grey2;  // 2-bit grey: 0, 1, 2, 3 -> 0, 85, 170, 255
  grey2.width = 4;
  grey2.colorType = PNG_COLOR_TYPE_GRAY;
  grey2.bitDepth = 2;
  grey2.rows = {0x1B};
  decoded = decodePicture(makePng(grey2));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(1, 0), rgb(85, 85, 85));
  EXPECT_EQ(decoded->at(3, 0), rgb(255, 255, 255));

  PngRecipe deep;  // 16 bits per channel keep their high byte
  deep.width = 1;
  deep.bitDepth = 16;
  deep.rows = {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00};
  EXPECT_EQ(decodePicture(makePng(deep))->at(0, 0), rgb(0x12, 0xAB, 0xFF));

  PngRecipe palette;
  palette.width = 2;
  palette.colorType = PNG_COLOR_TYPE_PALETTE;
  palette.palette = {{200, 100, 50}, {1, 2, 3}};
  palette.rows = {1, 0};
  decoded = decodePicture(makePng(palette));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(0, 0), rgb(1, 2, 3));
  EXPECT_EQ(decoded->at(1, 0), rgb(200, 100, 50));
}

TEST(PngDecoder, ClearPixelsBecomeTheTransparentKey) {
  PngRecipe rgba;
  rgba.width = 3;
  rgba.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  rgba.rows = {10, 20, 30, 0, 10, 20, 30, 127, 10, 20, 30, 128};
  std::optional<Image> decoded = decodePicture(makePng(rgba));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(0, 0), kTransparentKey);
  EXPECT_EQ(decoded->at(1, 0), kTransparentKey);
  EXPECT_EQ(decoded->at(2, 0), rgb(10, 20, 30));

  PngRecipe palette;  // tRNS on a palette
  palette.width = 2;
  palette.colorType = PNG_COLOR_TYPE_PALETTE;
  palette.palette = {{200, 100, 50}, {1, 2, 3}};
  palette.transparency = {0};
  palette.rows = {0, 1};
  decoded = decodePicture(makePng(palette));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(0, 0), kTransparentKey);
  EXPECT_EQ(decoded->at(1, 0), rgb(1, 2, 3));

  PngRecipe greyAlpha;
  greyAlpha.width = 2;
  greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  greyAlpha.rows = {90, 255, 90, 3};
  decoded = decodePicture(makePng(greyAlpha));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(0, 0), rgb(90, 90, 90));
  EXPECT_EQ(decoded->at(1, 0), kTransparentKey);
}

TEST(PngDecoder, RefusesPicturesBeyondTheSizeLimit) {
  for (const auto& [w, h, accepted] :
       {std::tuple{4096, 1, true}, {4097, 1, false}, {1, 4097, false}}) {
    PngRecipe recipe;
    recipe.width = w;
    recipe.height = h;
    recipe.colorType = PNG_COLOR_TYPE_GRAY;
    recipe.rows.assign(std::size_t(w) * h, 77);
    EXPECT_EQ(decodePicture(makePng(recipe)).has_value(), accepted) << w << " x " << h;
  }
}

TEST(JpegDecoder, ReadsColourAndGrey) {
  Image flat(16, 8, rgb(200, 40, 90));
  std::optional<Image> decoded = decodePicture(makeJpeg(flat));
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->width, 16);
  ASSERT_EQ(decoded->height, 8);
  const Color c = decoded->at(5, 5);
  EXPECT_NEAR(redOf(c), 200, 4);
  EXPECT_NEAR(greenOf(c), 40, 4);
  EXPECT_NEAR(blueOf(c), 90, 4);

  decoded = decodePicture(makeJpeg(Image(9, 9, rgb(120, 120, 120)), true));
  ASSERT_TRUE(decoded);
  EXPECT_NEAR(redOf(decoded->at(4, 4)), 120, 2);
  EXPECT_EQ(redOf(decoded->at(4, 4)), blueOf(decoded->at(4, 4)));
}

TEST(JpegDecoder, RefusesPicturesBeyondTheSizeLimitAndBrokenStreams) {
  EXPECT_FALSE(decodePicture(makeJpeg(Image(4097, 1, rgb(1, 2, 3)), false, 10)));
  EXPECT_TRUE(decodePicture(makeJpeg(Image(4096, 1, rgb(1, 2, 3)), false, 10)));
  EXPECT_FALSE(decodePicture(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 1, 2, 3}));
  EXPECT_FALSE(decodePicture(Bytes{0xFF, 0xD8, 0xFF}));
}

TEST(PictureDecoder, UnknownSignaturesAndEmptyInputFail) {
  EXPECT_FALSE(decodePicture(Bytes{}));
  EXPECT_FALSE(decodePicture(Bytes{'G', 'I', 'F', '8', '9', 'a'}));
  EXPECT_FALSE(decodePicture(Bytes(100, 0)));
}

TEST(PictureDecoder, DamagedFilesNeverCrash) {
  BmpRecipe paletted;
  paletted.width = 7;
  paletted.height = 3;
  paletted.bitsPerPixel = 8;
  paletted.afterHeader.assign(16, 0x40);
  paletted.pixels.assign(24, 3);
  expectNoCrashOnDamage(makeBmp(paletted));
  expectNoCrashOnDamage(makeBmp24(sample(9, 7)));
  expectNoCrashOnDamage(encodeBmp16(sample(9, 7)));
  expectNoCrashOnDamage(makeRgbPng(sample(20, 10)));
  expectNoCrashOnDamage(makeJpeg(sample(24, 16)));
}

}  // namespace
