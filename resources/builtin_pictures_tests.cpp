// The built-in skin is what every user sees first and what a fresh save
// writes out, so its pictures must have the sizes the handheld's menu lays
// out by, and colours that survive the 16-bit save unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "skin/builtin_pictures.h"

namespace {

struct Expected {
  const char* name;
  int width, height;
};

constexpr Expected kTable[] = {
    {"active.bmp", 6, 6},           {"activehotkey.bmp", 9, 9},
    {"brightness.bmp", 22, 18},     {"btn.bmp", 47, 14},
    {"btn3.bmp", 39, 14},           {"cardFrame0.bmp", 23, 18},
    {"cardFrame1.bmp", 23, 18},     {"cheat_clearall.bmp", 16, 12},
    {"cheatbg.bmp", 256, 192},      {"cheatmenubtn.bmp", 70, 14},
    {"cheatselectbar.bmp", 203, 1}, {"clock_colon.bmp", 10, 31},
    {"clock_numbers.bmp", 24, 310}, {"close.bmp", 13, 12},
    {"close1.bmp", 20, 13},         {"fathernode.bmp", 11, 10},
    {"form_L.bmp", 28, 116},        {"form_M.bmp", 3, 116},
    {"form_R.bmp", 36, 116},        {"hotkeybk.bmp", 198, 127},
    {"lamp.bmp", 22, 38},           {"lower_screen.bmp", 256, 192},
    {"noactivehotke.bmp", 9, 9},    {"onehotdown.bmp", 11, 10},
    {"onehoton.bmp", 11, 10},       {"pitchdown.bmp", 11, 10},
    {"pitchon.bmp", 11, 10},        {"popsubbar.bmp", 1, 12},
    {"progress_bar.bmp", 102, 12},  {"progress_wnd.bmp", 198, 93},
    {"reBack.bmp", 23, 18},         {"selectbar.bmp", 256, 42},
    {"settingbg.bmp", 198, 104},    {"spin_btn_left.bmp", 8, 14},
    {"spin_btn_right.bmp", 8, 14},  {"start_released.bmp", 58, 20},
    {"startbar.bmp", 256, 20},      {"title_bg.bmp", 2, 16},
    {"title_left.bmp", 56, 16},     {"title_right.bmp", 56, 16},
    {"triangle.bmp", 14, 16},       {"upper_screen.bmp", 256, 192},
    {"icon/cheat.bmp", 15, 16},     {"icon/dpg.bmp", 33, 32},
    {"icon/gba.bmp", 32, 32},       {"icon/nds.bmp", 32, 32},
    {"icon/plg.bmp", 32, 32},       {"icon/pth.bmp", 32, 32},
    {"icon/realtime.bmp", 17, 14},  {"icon/rpth.bmp", 32, 32},
    {"icon/sav.bmp", 32, 32},       {"icon/txt.bmp", 33, 32},
    {"icon/unk.bmp", 8, 14},
};
constexpr int kCount = static_cast<int>(std::size(kTable));
constexpr Color kKeyGreen = rgb(0, 248, 0);

int indexOf(const std::string& name) {
  for (int i = 0; i < kCount; ++i)
    if (name == kTable[i].name) return i;
  return -1;
}

bool hasKey(const Image& image) {
  for (Color c : image.pixels)
    if (c == kKeyGreen) return true;
  return false;
}

TEST(BuiltinPictures, EveryPictureHasItsDefaultSizeAndFullPixelData) {
  static_assert(kCount == 53);
  for (int i = 0; i < kCount; ++i) {
    const Image& image = builtinSkinPicture(i);
    SCOPED_TRACE(kTable[i].name);
    EXPECT_EQ(image.width, kTable[i].width);
    EXPECT_EQ(image.height, kTable[i].height);
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
    SCOPED_TRACE(kTable[i].name);
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

}  // namespace
