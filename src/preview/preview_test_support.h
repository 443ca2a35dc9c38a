// Hand-made skins for the screen and canvas tests: default settings with
// distinct colours, every picture empty until a test paints one.
#pragma once

#include <algorithm>
#include <string_view>

#include "preview/painter.h"
#include "preview/preview_sources.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

struct HandMadeSkin {
  SkinModel model;
  SkinImageTable images;

  HandMadeSkin() {
    resetSkinModel(model);
    GlobalSettingsSection& g = model.globalSettings;
    g.gameInfoTitleColor = rgb(250, 0, 0);
    g.gameInfoTextColor = rgb(0, 0, 250);
    g.fileNameTextColor = rgb(250, 250, 0);
    g.formTitleTextColor = rgb(0, 250, 250);
    g.vTextColor = rgb(10, 20, 30);
    g.vTextHighLightColor = rgb(40, 50, 60);
    g.listTextBgColor = rgb(70, 80, 90);
    g.logoFrameColor = rgb(100, 110, 120);
    g.listTextColor = rgb(130, 140, 150);
    g.listTextHighLightColor = rgb(160, 170, 180);
  }

  Image& picture(std::string_view fileName) {
    return images[SkinImageTable::indexOf(fileName)].picture;
  }
  void paint(std::string_view fileName, int w, int h, Color color) {
    picture(fileName) = Image(w, h, color);
  }
  PreviewSources sources() const { return {model, images}; }
};

inline int countColor(const Image& image, Color color, int x0 = 0, int y0 = 0, int x1 = -1,
                      int y1 = -1) {
  if (x1 < 0) x1 = image.width;
  if (y1 < 0) y1 = image.height;
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) count += image.at(x, y) == color;
  return count;
}

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Box&) const = default;
};

// Bounding box of one colour; w == 0 when it does not occur.
inline Box boundsOf(const Image& image, Color color) {
  int minX = image.width, minY = image.height, maxX = -1, maxY = -1;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.at(x, y) == color) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
      }
  if (maxX < 0) return {};
  return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}

// The ink of `text` drawn alone at (x, y) in `color` on a black screen.
inline Image textAlone(int x, int y, std::string_view text, Color color) {
  Image screen = newScreen();
  Painter(screen).drawText(x, y, text, color);
  return screen;
}

// Whether every pixel of `color` in `actual` is exactly where `expected`
// has it, and the other way round.
inline bool sameInk(const Image& actual, const Image& expected, Color color) {
  for (std::size_t i = 0; i < actual.pixels.size(); ++i)
    if ((actual.pixels[i] == color) != (expected.pixels[i] == color)) return false;
  return true;
}
