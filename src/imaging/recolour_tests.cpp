#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "imaging/dither.h"
#include "imaging/recolour.h"

namespace {

RecolourParams hue(double degrees) {
  RecolourParams p;
  p.hue = degrees;
  return p;
}

RecolourParams colourise(double degrees) {
  RecolourParams p;
  p.colourise = true;
  p.colouriseHue = degrees;
  return p;
}

// Random full 8-bit colours, with the key colours sprinkled in.
Image noisyPicture(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  Image picture(width, height);
  for (Color& c : picture.pixels) {
    const unsigned roll = random() % 10;
    c = roll == 0 ? kTransparentKey : roll == 1 ? kKeyGreenFull : (random() & 0xFFFFFFu);
  }
  return picture;
}

double hslLightness(Color c) {
  return (std::max({redOf(c), greenOf(c), blueOf(c)}) +
          std::min({redOf(c), greenOf(c), blueOf(c)})) /
         510.0;
}

TEST(Recolour, IdentityAndWholeTurnsLeaveEveryByteAlone) {
  const Image source = noisyPicture(37, 23, 1);
  RecolourParams rotated = hue(360);
  for (const RecolourParams& p : {RecolourParams{}, hue(360), hue(-360), hue(0.0)}) {
    EXPECT_TRUE(p.isIdentity());
    RecolourTable table(p);
    for (bool keyed : {false, true})
      EXPECT_EQ(recolourPicture(source, table, keyed).pixels, source.pixels);
    // Low bits a skin colour picked outside the codec might carry stay too.
    EXPECT_EQ(recolourSkinColour(rgb(3, 130, 255), p), rgb(3, 130, 255));
  }
  rotated.saturation = 1.01;
  EXPECT_FALSE(rotated.isIdentity());
  EXPECT_FALSE(colourise(0).isIdentity());
}

TEST(Recolour, HueTurnsThePrimariesIntoEachOther) {
  EXPECT_EQ(recolourPixel(rgb(255, 0, 0), hue(120)), rgb(0, 255, 0));
  EXPECT_EQ(recolourPixel(rgb(255, 0, 0), hue(240)), rgb(0, 0, 255));
  EXPECT_EQ(recolourPixel(rgb(255, 0, 0), hue(-120)), rgb(0, 0, 255));
  EXPECT_EQ(recolourPixel(rgb(0, 0, 248), hue(480)), rgb(248, 0, 0));
  EXPECT_EQ(recolourPixel(rgb(255, 255, 0), hue(180)), rgb(0, 0, 255));
  // Greys, black and white have no hue to turn.
  for (int v : {0, 8, 127, 128, 248, 255})
    EXPECT_EQ(recolourPixel(rgb(v, v, v), hue(77)), rgb(v, v, v)) << v;
}

TEST(Recolour, SaturationAndLightnessScale) {
  RecolourParams grey;
  grey.saturation = 0;
  EXPECT_EQ(recolourPixel(rgb(200, 100, 0), grey), rgb(100, 100, 100));
  RecolourParams stronger;
  stronger.saturation = 4;
  EXPECT_EQ(recolourPixel(rgb(150, 100, 100), stronger), rgb(225, 25, 25));
  RecolourParams dark;
  dark.lightness = 0;
  EXPECT_EQ(recolourPixel(rgb(200, 100, 50), dark), rgb(0, 0, 0));
  RecolourParams half;
  half.lightness = 0.5;
  EXPECT_EQ(recolourPixel(rgb(200, 200, 200), half), rgb(100, 100, 100));
  RecolourParams bright;
  bright.lightness = 2;
  EXPECT_EQ(recolourPixel(rgb(255, 0, 0), bright), rgb(255, 255, 255));
}

TEST(Recolour, ColouriseGivesOneHueAndKeepsLightness) {
  const RecolourParams blue = colourise(210);
  for (int v = 0; v < 256; v += 5) {
    const Color c = recolourPixel(rgb(v, v, v), blue);
    EXPECT_NEAR(hslLightness(c), v / 255.0, 1.0 / 255) << v;
    if (v > 10 && v < 245) {
      EXPECT_GT(blueOf(c), greenOf(c)) << v;
      EXPECT_GT(greenOf(c), redOf(c)) << v;
    }
  }
  // A coloured pixel takes the hue too, whatever it had.
  const Color fromRed = recolourPixel(rgb(255, 0, 0), blue);
  EXPECT_EQ(fromRed, recolourPixel(rgb(200, 55, 100), blue));  // the same lightness
  EXPECT_EQ(fromRed, rgb(64, 128, 191));
  // Black and white stay black and white.
  EXPECT_EQ(recolourPixel(0, blue), 0u);
  EXPECT_EQ(recolourPixel(0xFFFFFF, blue), 0xFFFFFFu);
}

TEST(Recolour, SkinColoursComeOutAsNearestFifteenBitColours) {
  RecolourParams p = hue(33);
  p.saturation = 1.3;
  for (int i = 0; i < 4000; ++i) {
    const Color source = static_cast<Color>(i) * 4111u & 0xF8F8F8u;
    const Color exact = recolourPixel(source, p);
    const Color c = recolourSkinColour(source, p);
    for (int shift : {0, 8, 16}) {
      const int channel = c >> shift & 0xFF, wanted = exact >> shift & 0xFF;
      EXPECT_EQ(channel % 8, 0);
      EXPECT_LE(channel, 248);
      EXPECT_LE(std::abs(channel - std::min(wanted, 248)), 4) << source;
    }
  }
}

TEST(Recolour, TableAgreesWithTheDirectTransform) {
  RecolourParams p = hue(-75);
  p.lightness = 0.8;
  RecolourTable table(p);
  for (Color index = 0; index < 32768; ++index) {
    const Color c = rgb((index & 31) * 8, (index >> 5 & 31) * 8, (index >> 10 & 31) * 8);
    ASSERT_EQ(table(c), recolourPixel(c, p)) << c;
    ASSERT_EQ(table(c), recolourPixel(c, p)) << c;  // remembered the same
  }
  for (Color c : {0x010203u, 0xFF00FFu, 0x07F807u, 0xFFFFFFu})
    EXPECT_EQ(table(c), recolourPixel(c, p)) << c;
}

TEST(Recolour, PicturesAreDiffusedAsAnImportIs) {
  // Without key colours, a picture is transformed, then reduced exactly like
  // an imported picture, for both kinds of picture.
  Image source = noisyPicture(41, 17, 2);
  std::replace_if(source.pixels.begin(), source.pixels.end(), isKeyColour, 0x123456u);
  const RecolourParams p = colourise(300);
  RecolourTable table(p);
  Image expected = source;
  for (Color& c : expected.pixels) c = recolourPixel(c, p);
  dither15(expected);
  for (bool keyed : {false, true})
    EXPECT_EQ(recolourPicture(source, table, keyed).pixels, expected.pixels) << keyed;
}

TEST(Recolour, KeyedPicturesKeepTheirKeyAndGainNoNewOne) {
  // Pure blue turns into the key's pure green at 240 degrees.
  Image source(8, 8, rgb(0, 0, 248));
  source.at(0, 0) = kTransparentKey;
  source.at(3, 4) = kKeyGreenFull;
  source.at(7, 7) = kKeyGreenFull;
  RecolourTable table(hue(-120));
  const Image keyed = recolourPicture(source, table, true);
  EXPECT_EQ(keyed.at(0, 0), kTransparentKey);
  EXPECT_EQ(keyed.at(3, 4), kKeyGreenFull);
  EXPECT_EQ(keyed.at(7, 7), kKeyGreenFull);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      if (isKeyColour(source.at(x, y))) continue;
      EXPECT_EQ(keyed.at(x, y), rgb(0, 248, 8)) << x << "," << y;
    }
  // An opaque picture has no key: its greens are colours like any other.
  const Image opaque = recolourPicture(source, table, false);
  EXPECT_EQ(opaque.at(1, 0), kTransparentKey);
  EXPECT_NE(opaque.at(0, 0), kTransparentKey);

  // Over noise: every key pixel exact, no other pixel on the key.
  const Image noise = noisyPicture(64, 48, 3);
  for (const RecolourParams& p : {hue(120), colourise(120), hue(-200)}) {
    RecolourTable noiseTable(p);
    const Image out = recolourPicture(noise, noiseTable, true);
    for (std::size_t i = 0; i < noise.pixels.size(); ++i) {
      if (isKeyColour(noise.pixels[i]))
        ASSERT_EQ(out.pixels[i], noise.pixels[i]) << i;
      else
        ASSERT_FALSE(isKeyColour(out.pixels[i])) << i;
    }
  }
}

TEST(Recolour, HeldPixelsNeitherTakeNorPassError) {
  // Everything else already 15-bit: any change would be error leaking out of
  // the full green, whose green channel is 7 above a 15-bit level.
  Image picture(9, 6, rgb(64, 128, 192));
  std::vector<std::uint8_t> held(picture.pixels.size(), 0);
  for (int i : {0, 10, 11, 30, 53}) {
    picture.pixels[i] = kKeyGreenFull;
    held[i] = 1;
  }
  Image dithered = picture;
  dither15(dithered, held);
  EXPECT_EQ(dithered.pixels, picture.pixels);

  // A held pixel of 7s among pixels of 4s: the neighbours diffuse as if it
  // were off the picture, and it keeps its own value.
  Image fours(4, 3, rgb(4, 4, 4));
  std::vector<std::uint8_t> one(12, 0);
  one[5] = 1;  // (1, 1)
  fours.at(1, 1) = rgb(7, 7, 7);
  dither15(fours, one);
  EXPECT_EQ(fours.at(1, 1), rgb(7, 7, 7));
  // Worked by hand: (1, 1) passes on none of its 7, and what its left and
  // upper neighbours send it is gone.
  std::vector<int> reds;
  for (Color c : fours.pixels) reds.push_back(redOf(c));
  EXPECT_EQ(reds, (std::vector<int>{0, 0, 0, 0, 0, 7, 0, 0, 0, 0, 8, 0}));

  // A mask of the wrong size holds nothing.
  Image plain(4, 3, rgb(4, 4, 4)), masked = plain;
  dither15(plain);
  dither15(masked, std::vector<std::uint8_t>(5, 1));
  EXPECT_EQ(masked.pixels, plain.pixels);
}

}  // namespace
