#include <gtest/gtest.h>

#include "app/skin_recolour.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"

namespace {

struct Skin {
  SkinModel model;
  SkinImageTable images;
  Skin() {
    resetSkinImages(images);
    resetSkinModel(model);
    // A colour with low bits, as the colour picker can leave one.
    model.globalSettings.formBodyColor = rgb(27, 30, 33);
  }
};

// Every byte the skin would be saved as, and the pictures before saving.
std::vector<std::uint8_t> settingsBytes(SkinModel model) {
  return writeSkinSettings(model, [] { return std::string("fixed"); });
}

void expectSameSkin(const Skin& a, const Skin& b) {
  EXPECT_EQ(settingsBytes(a.model), settingsBytes(b.model));
  for (int i = 0; i < kSkinImageCount; ++i) {
    EXPECT_EQ(a.images[i].picture.width, b.images[i].picture.width) << i;
    EXPECT_EQ(a.images[i].picture.pixels, b.images[i].picture.pixels) << skinImageFileName(i);
  }
}

RecolourParams blueish() {
  RecolourParams p;
  p.hue = 120;
  p.saturation = 1.2;
  p.lightness = 0.9;
  return p;
}

TEST(SkinRecolour, TheColoursAreThoseOfTheColourPanel) {
  Skin skin;
  int found = 0;
  for (int i = 0; i < kRecolourColourCount; ++i)
    if (colorField(skin.model, "global settings", recolourColourKey(i))) ++found;
  EXPECT_EQ(found, 29);
  EXPECT_EQ(recolourColourKey(29), "");
}

TEST(SkinRecolour, IdentityAndBackToIdentityGiveTheCapturedSkin) {
  const Skin original;
  Skin skin;
  const SkinRecolourSession session(skin.model, skin.images);
  RecolourParams wholeTurn;
  wholeTurn.hue = -360;
  for (const RecolourParams& p : {RecolourParams{}, wholeTurn}) {
    session.applyTo(p, {}, skin.model, skin.images);
    expectSameSkin(skin, original);
  }
  // As a slider moves: every value from the capture, so back at zero nothing
  // of the steps between is left.
  for (double h : {10.0, 45.0, 120.0, -30.0}) {
    RecolourParams p = blueish();
    p.hue = h;
    session.applyTo(p, {}, skin.model, skin.images);
  }
  session.applyTo({}, {}, skin.model, skin.images);
  expectSameSkin(skin, original);

  // The same values twice give the same skin.
  session.applyTo(blueish(), {}, skin.model, skin.images);
  const std::vector<std::uint8_t> once = settingsBytes(skin.model);
  const Image startbar = skin.images.picture("startbar.bmp");
  session.applyTo(blueish(), {}, skin.model, skin.images);
  EXPECT_EQ(settingsBytes(skin.model), once);
  EXPECT_EQ(skin.images.picture("startbar.bmp").pixels, startbar.pixels);
}

TEST(SkinRecolour, ChangesThePanelColoursAndEveryPictureOnly) {
  const Skin original;
  Skin skin;
  skin.model.fileName.x = 12;
  SkinRecolourSession(skin.model, skin.images).applyTo(blueish(), {}, skin.model, skin.images);
  const GlobalSettingsSection& was = original.model.globalSettings;
  const GlobalSettingsSection& now = skin.model.globalSettings;
  EXPECT_NE(now.formFrameColor, was.formFrameColor);
  EXPECT_NE(now.cheatTitleTextColor, was.cheatTitleTextColor);
  // Recoloured colours are 15-bit, so a save and a reload keep them.
  EXPECT_EQ(now.formBodyColor & 0x070707u, 0u);
  // Colours no panel edits, and everything else, stay.
  EXPECT_EQ(now.popMenuBodyColor, was.popMenuBodyColor);
  EXPECT_EQ(now.timeTextColor, was.timeTextColor);
  EXPECT_EQ(skin.model.mainList.selectionBarColor1, original.model.mainList.selectionBarColor1);
  EXPECT_EQ(skin.model.fileName.x, 12);
  for (int i = 0; i < kSkinImageCount; ++i)
    EXPECT_NE(skin.images[i].picture.pixels, original.images[i].picture.pixels)
        << skinImageFileName(i);
}

TEST(SkinRecolour, PartsLeftOutKeepTheirCapturedState) {
  const Skin original;
  Skin skin;
  RecolourParts parts;
  parts.colours = false;
  parts.set(SkinImageGroup::Icons, false);
  parts.set(SkinImageGroup::ClockDigits, false);
  SkinRecolourSession(skin.model, skin.images).applyTo(blueish(), parts, skin.model, skin.images);
  EXPECT_EQ(settingsBytes(skin.model), settingsBytes(original.model));
  for (int i = 0; i < kSkinImageCount; ++i) {
    const SkinImageGroup group = skinImageGroup(i);
    const bool kept = group == SkinImageGroup::Icons || group == SkinImageGroup::ClockDigits;
    EXPECT_EQ(skin.images[i].picture.pixels == original.images[i].picture.pixels, kept)
        << skinImageFileName(i);
  }
  EXPECT_EQ(skinImageGroup(SkinImageTable::indexOf("icon/nds.bmp")), SkinImageGroup::Icons);
  EXPECT_EQ(skinImageGroup(SkinImageTable::indexOf("upper_screen.bmp")),
            SkinImageGroup::Backgrounds);
}

TEST(SkinRecolour, KeyedPicturesKeepTheirTransparency) {
  const Skin original;
  const SkinRecolourSession session(original.model, original.images);
  RecolourParams green;  // turns the skin's reds towards the key's green
  green.hue = 120;
  RecolourParams tint;
  tint.colourise = true;
  tint.colouriseHue = 120;
  int keyPixels = 0;
  for (const RecolourParams& p : {green, tint, blueish()}) {
    const RecolouredSkin out = session.apply(p, {});
    for (int i = 0; i < kSkinImageCount; ++i) {
      if (!skinImageIsKeyed(i)) continue;
      const Image& before = original.images[i].picture;
      const Image& after = out.pictures[i];
      ASSERT_EQ(after.pixels.size(), before.pixels.size());
      for (std::size_t k = 0; k < before.pixels.size(); ++k) {
        if (isKeyColour(before.pixels[k])) {
          ++keyPixels;
          ASSERT_EQ(after.pixels[k], before.pixels[k]) << skinImageFileName(i) << " " << k;
        } else {
          ASSERT_FALSE(isKeyColour(after.pixels[k])) << skinImageFileName(i) << " " << k;
        }
      }
    }
  }
  EXPECT_GT(keyPixels, 0);  // the built-in skin has transparent parts to keep
}

TEST(SkinRecolour, TextFormOfTheValues) {
  RecolourParams p;
  EXPECT_EQ(parseRecolourParams("hue=120,saturation=1.2,lightness=0.9", p), "");
  EXPECT_EQ(p.hue, 120);
  EXPECT_EQ(p.saturation, 1.2);
  EXPECT_EQ(p.lightness, 0.9);
  EXPECT_FALSE(p.colourise);
  EXPECT_EQ(parseRecolourParams("colourise=210,lightness=+1.1", p), "");
  EXPECT_TRUE(p.colourise);
  EXPECT_EQ(p.colouriseHue, 210);
  EXPECT_EQ(p.hue, 0);  // nothing left over from before
  EXPECT_EQ(p.lightness, 1.1);
  EXPECT_EQ(parseRecolourParams("colorize=0", p), "");  // the American spelling too
  EXPECT_TRUE(p.colourise);
  struct Bad {
    const char* text;
    const char* says;
  };
  for (const Bad& bad : {Bad{"", "at least one"}, Bad{"hue", "NAME=VALUE"},
                         Bad{"tint=3", "unknown --recolour value \"tint\""},
                         Bad{"hue=abc", "hue takes a number, not \"abc\""},
                         Bad{"hue=", "takes a number"}, Bad{"hue=1e2", "takes a number"},
                         Bad{"hue=nan", "takes a number"}, Bad{"hue=361", "from -360 to 360"},
                         Bad{"saturation=-0.1", "from 0 to 4"}, Bad{"lightness=2.5", "0 to 2"},
                         Bad{"colourise=400", "0 to 360"}, Bad{"hue=1,hue=2", "twice"},
                         Bad{"hue=1,", "NAME=VALUE"}, Bad{"hue=10,colourise=5", "both"}}) {
    RecolourParams kept = blueish();
    const std::string error = parseRecolourParams(bad.text, kept);
    EXPECT_NE(error.find(bad.says), std::string::npos) << bad.text << ": " << error;
    EXPECT_EQ(kept.hue, 120) << bad.text;  // a failed parse changes nothing
  }
}

TEST(SkinRecolour, TextFormOfTheParts) {
  RecolourParts parts;
  EXPECT_EQ(parseRecolourParts("backgrounds,clock-digits", parts), "");
  EXPECT_FALSE(parts.colours);
  EXPECT_TRUE(parts.includes(SkinImageGroup::Backgrounds));
  EXPECT_TRUE(parts.includes(SkinImageGroup::ClockDigits));
  EXPECT_FALSE(parts.includes(SkinImageGroup::Icons));
  EXPECT_FALSE(parts.includes(SkinImageGroup::BarsAndFrames));
  EXPECT_EQ(parseRecolourParts("colours,icons,bars-and-frames", parts), "");
  EXPECT_TRUE(parts.colours);
  EXPECT_FALSE(parts.includes(SkinImageGroup::Backgrounds));
  for (const char* bad : {"", "icons,", "pictures", "Icons"})
    EXPECT_NE(parseRecolourParts(bad, parts).find("unknown part"), std::string::npos) << bad;
}

}  // namespace
