// Drawing onto one 256 x 192 handheld screen. Every write goes through this
// class, which clips to the screen, so nothing lands outside it.
#pragma once

#include <string>
#include <string_view>

#include "imaging/image.h"

inline constexpr int kScreenWidth = 256;
inline constexpr int kScreenHeight = 192;

// Keys for blitKeyed: the transparent green (0x00F800, which also makes
// 0x00FF00 transparent) and the key that never matches (opaque, clipped).
inline constexpr Color kTransparentGreen = 0x00F800;
inline constexpr Color kOpaqueKey = 0xFFFFFFFF;

class Painter {
 public:
  explicit Painter(Image& screen);

  void drawImage(const Image& image, int x, int y);  // opaque copy
  void blitKeyed(const Image& image, int x, int y, Color key);
  void box(int x, int y, int w, int h, Color color);
  void line(int x, int y, int w, int h, Color color);  // w == 1 or h == 1
  void drawText(int x, int y, std::string_view utf8, Color color);

 private:
  Image& screen_;
};

// A new black screen image.
Image newScreen();

int textWidth(std::string_view utf8);
// Removes the last character, then more until narrower than `limit`.
std::string fitText(std::string_view utf8, int limit);
// (fieldWidth - textWidth) / 2, rounding towards zero.
int centreOffset(std::string_view utf8, int fieldWidth);
// The rectangle of `source` as a new picture (ClockDigitScratch); parts
// outside the source are left black.
Image grabImage(const Image& source, int x, int y, int w, int h);
