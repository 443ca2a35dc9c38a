// Writes the seed corpus of every fuzz target from the project's own
// writers: settings files, 16-bit and 24-bit BMPs, PNGs, JPEGs, skin
// archives, language and editor settings files. The output is the same on
// every run, so the corpus in the repository can be regenerated and diffed:
//   make_fuzz_seeds <corpus folder>
// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on
#include <minizip/zip.h>
#include <png.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/editor_settings.h"
#include "app/editor_state.h"
#include "i18n/interface_texts.h"
#include "imaging/bmp16.h"
#include "imaging/image_encoders.h"
#include "skin/settings_file.h"
#include "skin/skin_model.h"
#include "testsupport/picture_test_files.h"

namespace {

std::filesystem::path gOut;

void put(const std::string& target, const std::string& name, const Bytes& bytes) {
  const std::filesystem::path folder = gOut / target;
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string fixedClock() { return "2010/06/04-09:05:03"; }

// A small picture with every kind of change: gradients, an edge, and
// channels that are not multiples of 8.
Image testPicture(int width, int height) {
  Image picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.at(x, y) = rgb((x * 37 + 3) & 0xFF, (y * 53 + 5) & 0xFF, x < width / 2 ? 12 : 250);
  return picture;
}

// ---- uisettings.ini ----

Bytes defaultSettings() {
  SkinModel model;
  resetSkinModel(model);
  return writeSkinSettings(model, fixedClock);
}

void settingsSeeds() {
  put("settings", "defaults.ini", defaultSettings());

  SkinModel model;
  resetSkinModel(model);
  model.skinInfo.Title = "Blue Sky";
  model.skinInfo.Author = "Zo\xC3\xAB M\xC3\xBCller";  // UTF-8 in the model
  model.skinInfo.eMail = "a=b@example.org";
  model.skinInfo.Url = "http://example.org/skins";
  model.fileName.x = -12;
  model.fileHandleMenu.w = 2147483647;
  model.globalSettings.formFrameColor = rgb(248, 0, 120);
  put("settings", "edited.ini", writeSkinSettings(model, fixedClock));

  // The reader's own rules, each once: loose headers and keys, the second
  // spelling of the close button, first-wins keys, hexadecimal and binary
  // numbers, keys under unknown headers, LF-only lines, a last line without
  // a line end.
  put("settings", "rules.ini",
      bytesOf("[ Global Settings ]\r\nFORMFRAMECOLOR = 0x 12 34\r\n[start button]\r\n"
              "textColor=0x001f\nx=$10\ny=%101\nw=+7\nh=-5\r\n[clsoe btn]\r\nx=9abc\r\n"
              "[file handle menu]\r\nx=-1\r\nx=4\r\ny=3\r\ny=8\r\n[unknown]\r\nw=5\r\n"
              "[SkinInfo]\r\nTitle=  A=B\r\nAuthor=\t x\r\n[main list]\r\n"
              "selectionBarColor1=0x7fff\r\n[end]\r\nx=1"));

  // UTF-16 little-endian with a byte-order mark.
  const Bytes plain = defaultSettings();
  Bytes wide = {0xFF, 0xFE};
  for (std::size_t i = 0; i < plain.size() && i < 600; ++i) {
    wide.push_back(plain[i]);
    wide.push_back(0);
  }
  put("settings", "utf16.ini", wide);
  put("settings", "empty.ini", {});
}

// ---- 16-bit BMPs ----

void bmp16Seeds() {
  put("bmp16", "1x1.bmp", encodeBmp16(testPicture(1, 1)));
  put("bmp16", "11x10.bmp", encodeBmp16(testPicture(11, 10)));
  put("bmp16", "64x1.bmp", encodeBmp16(testPicture(64, 1)));
  put("bmp16", "empty.bmp", encodeBmp16(Image()));
  const Bytes whole = encodeBmp16(testPicture(7, 5));
  put("bmp16", "truncated.bmp", Bytes(whole.begin(), whole.end() - 10));
}

// ---- general pictures ----

// Grey with alpha, 16 bits, interlaced: the decoder's conversions at once.
Bytes greyAlphaPng(int width, int height) {
  PngRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  recipe.bitDepth = 16;
  recipe.interlaced = true;
  recipe.rows.assign(static_cast<std::size_t>(width) * height * 4, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &recipe.rows[(static_cast<std::size_t>(y) * width + x) * 4];
      p[0] = static_cast<std::uint8_t>(x * 40);
      p[2] = x == y ? 0 : 0xFF;
    }
  return makePng(recipe);
}

// An 8-bit palette BMP of 3 x 2 pixels, top-down, with four colours.
Bytes paletteBmp() {
  BmpRecipe recipe;
  recipe.width = 3;
  recipe.height = 2;
  recipe.bitsPerPixel = 8;
  recipe.topDown = true;
  recipe.afterHeader = {0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0};
  recipe.pixels = {0, 1, 2, 0, 3, 2, 1, 0};
  return makeBmp(recipe);
}

void pictureSeeds() {
  const Image small = testPicture(9, 7);
  put("picture", "rgb24.bmp", encodeBmp(small));
  put("picture", "rgb16.bmp", encodeBmp16(small));
  put("picture", "palette8.bmp", paletteBmp());
  put("picture", "rgb.png", encodePng(small));
  put("picture", "grey-alpha-interlaced.png", greyAlphaPng(5, 6));
  put("picture", "baseline.jpg", encodeJpeg(testPicture(17, 9), 80));
  put("picture", "progressive.jpg", makeJpeg(testPicture(16, 16), false, 75, true));
  put("picture", "grey-progressive.jpg", makeJpeg(testPicture(8, 8), true, 75, true));
}

// ---- skin archives ----

void archiveSeeds() {
  const std::filesystem::path folder = gOut / "archive";
  std::filesystem::create_directories(folder);

  makeZip((folder / "nested-skin.zip").string(),
          {{"Skin/uisettings.ini", defaultSettings()},
           {"Skin/active.bmp", encodeBmp16(testPicture(6, 6))},
           {"SKIN/ICON/CHEAT.BMP", encodeBmp16(testPicture(3, 4)), false, 0, true},
           {"Skin/title_bg.bmp", encodePng(testPicture(2, 16))}});
  makeZip((folder / "flat-skin.zip").string(),
          {{"UISETTINGS.INI", bytesOf("[start bar]\r\nx=3\r\n[end]\r\n"), false, 0, true},
           {"icon\\nds.bmp", encodeJpeg(testPicture(8, 8), 70)},
           {"lamp.bmp", bytesOf("not a picture")}});
  makeZip((folder / "no-settings.zip").string(), {{"readme.txt", bytesOf("nothing here")}});
}

// ---- editor text files ----

void textSeeds() {
  std::string language = "\xEF\xBB\xBF; sample language file\r\n";
  int count = 0;
  for (const InterfaceTextGroup& group : interfaceTextGroups()) {
    language += "[" + std::string(group.name) + "]\r\n";
    for (std::string_view key : group.keys)
      if (count++ % 7 == 0) language += "  " + std::string(key) + " = T\xC3\xA9xt\r\n";
  }
  language += "[End]\r\n";
  put("text", "language.ini", bytesOf(language));
  put("text", "latin1.ini",
      bytesOf("[menu]\nlang_file$ =\tDat\xE9i \n\n;x=y\n[Panel]\rLANG_OK$=\n"));

  EditorState state;
  state.LastPath = "C:\\Skins\\Blue Sky\\";
  state.Language = 4;
  state.BGColor = 0x123456;
  state.SwapView = 1;
  put("text", "settings.ini", bytesOf(formatEditorSettings(state)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_fuzz_seeds <corpus folder>\n";
    return 2;
  }
  gOut = argv[1];
  settingsSeeds();
  bmp16Seeds();
  pictureSeeds();
  archiveSeeds();
  textSeeds();
  return 0;
}
