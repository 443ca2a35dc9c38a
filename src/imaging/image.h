// A picture held as one 32-bit word per pixel in the same layout as model
// colours (red + 256 * green + 65536 * blue), rows top to bottom. Skin
// pictures, built-in pictures and the preview's screens all use it, so a
// keyed copy compares pixels and colour keys directly.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/color.h"

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;  // width * height entries

  Image() = default;
  Image(int w, int h, Color fill = 0)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

  bool empty() const { return width <= 0 || height <= 0; }
  // Same size and every pixel the same.
  bool operator==(const Image&) const = default;
  Color at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  Color& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
