// The built-in skin is what every user sees first and what a fresh save
// writes out, so its pictures must have the sizes the handheld's menu lays
// out by, and colours that survive the 16-bit save unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "skin/builtin_pictures.h"
#include "skin/skin_images.h"

namespace {

constexpr int kCount = kSkinImageCount;
constexpr Color kKeyGreen = rgb(0, 248, 0);

int indexOf(const std::string& name) { return SkinImageTable::indexOf(name); }

bool hasKey(const Image& image) {
  for (Color c : image.pixels)
    if (c == kKeyGreen) return true;
  return false;
}

TEST(BuiltinPictures, EveryPictureHasItsDefaultSizeAndFullPixelData) {
  for (int i = 0; i < kCount; ++i) {
    const Image& image = builtinSkinPicture(i);
    SCOPED_TRACE(skinImageFileName(i));
    EXPECT_EQ(image.width, skinImageDefaultWidth(i));
    EXPECT_EQ(image.height, skinImageDefaultHeight(i));
    EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height);
  }
  EXPECT_EQ(builtinSampleGameIcon().width, 32);
  EXPECT_EQ(builtinSampleGameIcon().height, 32);
  EXPECT_EQ(builtinHingeStrip().width, 266);
  EXPECT_EQ(builtinHingeStrip().height, 86);
  // Indexes outside the table give an empty picture rather than undefined memory.
  EXPECT_TRUE(builtinSkinPicture(-1).empty());
  EXPECT_TRUE(builtinSkinPicture(kCount).empty());
}

TEST(BuiltinPictures, ColoursSurviveTheSixteenBitSave) {
  // A save truncates channels to 5 bits; pictures already on those steps are
  // written exactly as shown. Only the two progress pictures may use full colour.
  const std::set<int> fullColour = {indexOf("progress_bar.bmp"), indexOf("progress_wnd.bmp")};
  for (int i = 0; i < kCount; ++i) {
    if (fullColour.count(i)) continue;
    SCOPED_TRACE(skinImageFileName(i));
    int offSteps = 0;
    for (Color c : builtinSkinPicture(i).pixels)
      if ((redOf(c) | greenOf(c) | blueOf(c)) & 7) ++offSteps;
    EXPECT_EQ(offSteps, 0);
  }
  for (const Image* image : {&builtinSampleGameIcon(), &builtinHingeStrip()})
    for (Color c : image->pixels) ASSERT_EQ((redOf(c) | greenOf(c) | blueOf(c)) & 7, 0);
}

TEST(BuiltinPictures, ClockDigitsAreTenDistinctStrips) {
  const Image& digits = builtinSkinPicture(indexOf("clock_numbers.bmp"));
  const int h = digits.height / 10;
  std::set<std::vector<Color>> strips;
  for (int d = 0; d < 10; ++d) {
    std::vector<Color> strip(digits.pixels.begin() + d * h * digits.width,
                             digits.pixels.begin() + (d + 1) * h * digits.width);
    EXPECT_GT(std::count(strip.begin(), strip.end(), kKeyGreen), 0)
        << "digit " << d << " has no transparent background";
    strips.insert(strip);
  }
  EXPECT_EQ(strips.size(), 10u);
  EXPECT_TRUE(hasKey(builtinSkinPicture(indexOf("clock_colon.bmp"))));
}

TEST(BuiltinPictures, KeyedPicturesHaveTransparentParts) {
  // Pictures the preview copies with the green key and that are not meant
  // to cover their whole rectangle.
  for (const char* name :
       {"icon/cheat.bmp", "icon/dpg.bmp",       "icon/gba.bmp",      "icon/nds.bmp",
        "icon/plg.bmp",   "icon/pth.bmp",       "icon/realtime.bmp", "icon/rpth.bmp",
        "icon/sav.bmp",   "icon/txt.bmp",       "icon/unk.bmp",      "lamp.bmp",
        "triangle.bmp",   "start_released.bmp", "btn.bmp",           "btn3.bmp",
        "onehoton.bmp",   "onehotdown.bmp",     "active.bmp",        "fathernode.bmp",
        "form_L.bmp",     "form_R.bmp"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(hasKey(builtinSkinPicture(indexOf(name))));
  }
  EXPECT_TRUE(hasKey(builtinSampleGameIcon()));
}

TEST(BuiltinPictures, BannerAndAppIconHaveTheirSizesAndTheIconItsTransparentCorners) {
  const Image& banner = builtinAboutBanner();
  EXPECT_EQ(banner.width, 468);
  EXPECT_EQ(banner.height, 60);
  EXPECT_EQ(banner.pixels.size(), 468u * 60u);
  EXPECT_FALSE(hasKey(banner)) << "the banner covers its whole box";

  const Image& icon = builtinAppIcon();
  ASSERT_EQ(icon.width, 256);
  ASSERT_EQ(icon.height, 256);
  ASSERT_EQ(icon.pixels.size(), 256u * 256u);
  for (auto [x, y] : {std::pair{0, 0}, {255, 0}, {0, 255}, {255, 255}})
    EXPECT_EQ(icon.at(x, y), kKeyGreen) << x << "," << y;
  EXPECT_NE(icon.at(128, 64), kKeyGreen);
  EXPECT_NE(icon.at(128, 192), kKeyGreen);
}

}  // namespace
