// A hand-made skin for the menu view tests: default settings, every picture
// empty until a test gives it a solid colour of its own, and skin colours
// that stand apart from every test picture.
#pragma once

#include <string_view>

#include "preview/painter.h"
#include "preview/preview_sources.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

struct MenuTestSkin {
  SkinModel model;
  SkinImageTable images;

  MenuTestSkin() {
    resetSkinModel(model);
    // Every skin colour distinct, so a pixel tells which one drew it.
    int i = 0;
    for (const SkinField& field : skinFields()) {
      if (field.kind != FieldKind::ColorDs) continue;
      *field.color(model) = rgb(3 + i, 5 + 2 * i, 7 + 3 * i);
      ++i;
    }
  }

  Image& picture(std::string_view fileName) {
    return images[SkinImageTable::indexOf(fileName)].picture;
  }
  void set(std::string_view fileName, int w, int h, Color color) {
    picture(fileName) = Image(w, h, color);
  }
  PreviewSources sources() const { return {model, images}; }
};

// Test picture colours: none is black, green, white or a skin colour above.
inline constexpr Color kRed = rgb(200, 10, 10);
inline constexpr Color kOrange = rgb(230, 120, 0);
inline constexpr Color kYellow = rgb(220, 220, 0);
inline constexpr Color kBlue = rgb(20, 40, 230);
inline constexpr Color kPurple = rgb(150, 0, 160);
inline constexpr Color kCyan = rgb(0, 200, 210);
inline constexpr Color kBrown = rgb(120, 70, 20);
inline constexpr Color kPink = rgb(250, 150, 200);
inline constexpr Color kGrey = rgb(128, 128, 128);

inline int countColor(const Image& screen, Color color) {
  int count = 0;
  for (Color c : screen.pixels) count += c == color;
  return count;
}

// Bounding box of the pixels of one colour; w == 0 when there are none.
struct Bounds {
  int x = 0, y = 0, w = 0, h = 0;
};
inline Bounds boundsOf(const Image& screen, Color color, int x0 = 0, int y0 = 0,
                       int x1 = kScreenWidth, int y1 = kScreenHeight) {
  int minX = x1, minY = y1, maxX = -1, maxY = -1;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (screen.at(x, y) == color) {
        if (x < minX) minX = x;
        if (y < minY) minY = y;
        if (x > maxX) maxX = x;
        if (y > maxY) maxY = y;
      }
  if (maxX < 0) return {};
  return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}

// Where a text lands when drawn alone at (x, y).
inline Bounds textBounds(int x, int y, std::string_view text) {
  constexpr Color kInk = rgb(1, 2, 3);
  Image screen = newScreen();
  Painter(screen).drawText(x, y, text, kInk);
  return boundsOf(screen, kInk);
}
