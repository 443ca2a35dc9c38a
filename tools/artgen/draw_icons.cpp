// File-type icons, the sample game icon and the hinge between the screens.
#include <algorithm>
#include <cmath>

#include "draw.h"
#include "palette.h"
#include "pixel_font.h"

namespace {

using Points = std::vector<std::pair<double, double>>;

constexpr Rgb kInk = rgb(32, 16, 24);  // outline of every icon

// Outline and quantise: the finishing touch every icon shares.
Canvas finish(Canvas c) {
  c.outline(kInk, false);
  quantize(c);
  return c;
}

void gradient(Canvas& c, int x, int y, int w, int h, Rgb top, Rgb bottom) {
  tintField(c, x, y, w, h, [&](int, int j) {
    return lerp(shadeOf(top), shadeOf(bottom), double(j) / std::max(1, h - 1));
  });
}

}  // namespace

Canvas drawCheatIcon() {
  Canvas c(15, 16, kKey);
  c.polygon({{9, 0.5}, {2, 9}, {7, 9}, {5, 15.5}, {13, 6}, {8, 6}, {10.5, 0.5}}, 0);
  gradient(c, 0, 0, 15, 16, rgb(255, 240, 160), rgb(240, 144, 32));
  return finish(c);
}

Canvas drawVideoIcon() {
  Canvas c(33, 32, kKey);
  c.roundRect(2, 5, 29, 22, 2, rgb(40, 40, 48));
  for (int k = 0; k < 6; ++k) {
    c.fill(4 + k * 5, 7, 3, 2, rgb(200, 200, 208));
    c.fill(4 + k * 5, 23, 3, 2, rgb(200, 200, 208));
  }
  c.fill(5, 10, 23, 12, rgb(24, 64, 104));
  gradient(c, 5, 10, 23, 12, rgb(48, 120, 176), rgb(16, 40, 80));
  c.polygon({{13, 11.5}, {21.5, 16}, {13, 20.5}}, rgb(248, 248, 248));
  return finish(c);
}

Canvas drawGbaIcon() {
  Canvas c(32, 32, kKey);
  // A wide cartridge with a raised top edge and a label.
  c.roundRect(2, 7, 28, 21, 2, rgb(168, 168, 184));
  c.roundRect(4, 4, 24, 6, 2, rgb(168, 168, 184));
  gradient(c, 2, 4, 28, 24, rgb(208, 208, 224), rgb(128, 128, 144));
  c.fill(6, 6, 20, 1, rgb(112, 112, 128));
  c.fill(6, 11, 20, 13, rgb(64, 40, 120));
  gradient(c, 6, 11, 20, 13, rgb(112, 80, 200), rgb(48, 24, 104));
  drawPixelText(c, 10, 15, "GBA", rgb(248, 240, 200));
  c.fill(4, 26, 24, 1, rgb(104, 104, 120));
  return finish(c);
}

Canvas drawNdsIcon() {
  Canvas c(32, 32, kKey);
  // A small game card: notched corner, contacts on top, a bright label.
  c.polygon({{6, 2}, {22, 2}, {26, 6}, {26, 30}, {6, 30}}, rgb(56, 56, 64));
  gradient(c, 6, 2, 21, 28, rgb(88, 88, 104), rgb(40, 40, 48));
  for (int k = 0; k < 6; ++k) c.fill(9 + k * 2, 3, 1, 4, rgb(224, 192, 96));
  c.fill(8, 10, 16, 17, rgb(232, 232, 240));
  gradient(c, 9, 11, 14, 15, rgb(248, 248, 248), rgb(200, 200, 216));
  c.fill(9, 11, 14, 6, rgb(152, 0, 72));
  gradient(c, 9, 11, 14, 6, rgb(216, 56, 136), rgb(128, 0, 64));
  drawPixelText(c, 10, 19, "NDS", rgb(64, 16, 48));
  c.set(12, 13, kCyan), c.set(13, 13, kCyan), c.set(14, 14, kCyan), c.set(18, 13, kOrange),
      c.set(19, 14, kOrange);
  return finish(c);
}

Canvas drawPluginIcon() {
  Canvas c(32, 32, kKey);
  // A jigsaw piece: knobs on the top and the right, sockets on the left and the bottom.
  c.roundRect(4, 10, 19, 19, 2, 0);
  c.disc(13.5, 7, 3.8, 0);
  c.fill(12, 9, 4, 3, 0);
  c.disc(26, 19.5, 3.8, 0);
  c.fill(22, 18, 3, 4, 0);
  c.disc(4, 19.5, 3, kKey);
  c.disc(13.5, 29.5, 3, kKey);
  gradient(c, 0, 2, 32, 28, rgb(160, 240, 120), rgb(40, 136, 56));
  c.line(7, 11, 20, 11, rgb(200, 248, 176));
  return finish(c);
}

Canvas drawFolderIcon(bool up) {
  Canvas c(32, 32, kKey);
  c.roundRect(2, 5, 12, 6, 2, rgb(200, 120, 32));
  c.roundRect(2, 8, 28, 20, 2, rgb(216, 136, 40));
  gradient(c, 2, 5, 28, 10, rgb(232, 160, 64), rgb(200, 120, 32));
  // Front panel, slightly open.
  c.polygon({{2, 13}, {30, 13}, {29, 28}, {2, 28}}, 0);
  gradient(c, 2, 13, 29, 15, rgb(255, 224, 136), rgb(232, 152, 48));
  c.line(3, 13, 29, 13, rgb(255, 248, 208));
  if (up) {
    c.polygon(
        {{16, 14.5}, {22.5, 20.5}, {18.6, 20.5}, {18.6, 26}, {13.4, 26}, {13.4, 20.5}, {9.5, 20.5}},
        rgb(24, 120, 168));
    c.polygon({{16, 16}, {21, 20}, {17.8, 20}, {17.8, 25}, {14.2, 25}, {14.2, 20}, {11, 20}},
              kCyan);
  }
  return finish(c);
}

Canvas drawClockIcon() {
  Canvas c(17, 14, kKey);
  c.disc(8.5, 7, 7, rgb(24, 120, 168));
  c.disc(8.5, 7, 5.6, rgb(248, 248, 240));
  c.line(8, 7, 8, 3, rgb(32, 16, 24));
  c.line(8, 7, 11, 7, rgb(32, 16, 24));
  c.set(8, 7, rgb(200, 40, 80));
  c.set(8, 2, rgb(120, 120, 128)), c.set(13, 7, rgb(120, 120, 128)),
      c.set(3, 7, rgb(120, 120, 128)), c.set(8, 11, rgb(120, 120, 128));
  return finish(c);
}

Canvas drawSaveIcon() {
  Canvas c(32, 32, kKey);
  // A floppy disk: body, metal shutter at the top, paper label below.
  c.polygon({{3, 3}, {25, 3}, {29, 7}, {29, 29}, {3, 29}}, 0);
  gradient(c, 3, 3, 27, 27, rgb(72, 120, 216), rgb(32, 56, 136));
  c.fill(9, 3, 14, 9, rgb(200, 208, 216));
  gradient(c, 9, 3, 14, 9, rgb(232, 236, 240), rgb(152, 160, 176));
  c.fill(17, 5, 3, 5, rgb(56, 64, 88));
  c.fill(7, 16, 18, 13, rgb(248, 248, 240));
  c.fill(7, 16, 18, 2, rgb(248, 120, 160));
  for (int k = 0; k < 3; ++k) c.fill(9, 20 + k * 3, 14, 1, rgb(168, 168, 184));
  return finish(c);
}

Canvas drawTextIcon() {
  Canvas c(33, 32, kKey);
  c.polygon({{7, 2}, {21, 2}, {27, 8}, {27, 30}, {7, 30}}, rgb(248, 248, 240));
  gradient(c, 7, 2, 21, 29, rgb(255, 255, 255), rgb(216, 216, 224));
  c.polygon({{21, 2}, {27, 8}, {21, 8}}, rgb(184, 184, 200));
  for (int k = 0; k < 8; ++k) {
    int len = (k % 3 == 2) ? 9 : 14;
    if (k < 2) len = 9;
    c.fill(10, 7 + k * 3 + (k > 1 ? 1 : 0), len, 1, k == 0 ? rgb(152, 0, 72) : rgb(104, 104, 128));
  }
  return finish(c);
}

Canvas drawUnknownIcon() {
  Canvas c(8, 14, kKey);
  static const char* kMark[12] = {"..###.", ".#####", "##..##", "....##", "...##.", "..##..",
                                  "..##..", "..##..", "......", "..##..", "..##..", "......"};
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 6; ++x)
      if (kMark[y][x] == '#') c.set(x + 1, y + 1, 0);
  gradient(c, 0, 0, 8, 14, rgb(255, 224, 160), rgb(232, 136, 48));
  return finish(c);
}

Canvas drawGameIcon() {
  Canvas c(32, 32, kKey);
  // A square cartridge-art tile: sky, a hill, and a round hero in a red cap.
  c.roundRect(0, 0, 32, 32, 4, 0);
  tintField(c, 0, 0, 32, 32, [](int, int j) {
    return lerp({72, 136, 248}, {176, 224, 255}, j / 31.0);
  });
  c.ellipse(24, 36, 22, 12, rgb(64, 176, 72));
  c.ellipse(24, 36, 21, 11, rgb(96, 208, 88));
  c.ellipse(2, 38, 14, 10, rgb(48, 152, 64));
  // Cloud and a star.
  c.disc(6, 6, 2.5, kWhite), c.disc(9, 5, 3, kWhite), c.disc(12, 6.5, 2.2, kWhite);
  c.polygon({{26, 2},
             {27.3, 5.3},
             {30.5, 5.5},
             {28, 7.6},
             {29, 11},
             {26, 9},
             {23, 11},
             {24, 7.6},
             {21.5, 5.5},
             {24.7, 5.3}},
            rgb(248, 216, 48));
  // Hero: face, cap and eyes.
  c.disc(15, 19.5, 7.5, rgb(56, 24, 16));
  c.disc(15, 19.5, 6.5, rgb(248, 200, 152));
  Canvas cap(32, 32, kKey);
  cap.ellipse(15, 15, 8.2, 6.4, 0);
  for (int y = 15; y < 32; ++y) cap.fill(0, y, 32, 1, kKey);
  cap.fill(9, 14, 15, 2, 0);
  tintField(cap, 0, 0, 32, 32, [](int, int j) {
    return lerp({248, 96, 88}, {184, 16, 24}, (j - 8) / 8.0);
  });
  cap.outline(rgb(72, 8, 16));
  c.paste(cap, 0, 0);
  c.disc(15, 11.5, 2.0, kWhite);
  c.fill(12, 18, 2, 3, rgb(24, 24, 40));
  c.fill(17, 18, 2, 3, rgb(24, 24, 40));
  c.set(12, 18, kWhite), c.set(17, 18, kWhite);
  c.line(13, 23, 17, 23, rgb(160, 48, 40));
  c.set(12, 22, rgb(160, 48, 40)), c.set(18, 22, rgb(160, 48, 40));
  c.disc(10.5, 21.5, 1.2, rgb(248, 152, 136)), c.disc(19.5, 21.5, 1.2, rgb(248, 152, 136));
  quantize(c);
  return c;
}

Canvas drawHinge() {
  const int w = 266, h = 86;
  Canvas c(w, h, kBlack);
  // Device body above and below: the dark shell of the two halves.
  paintField(c, 0, 0, w, h, [](int, int j) {
    if (j < 8) return lerp({72, 72, 84}, {40, 40, 48}, j / 7.0);
    return lerp({40, 40, 48}, {72, 72, 84}, (j - 78) / 7.0);
  });
  // The hinge: a light grey cylinder between knuckles at both ends.
  const int top = 7, bottom = 79;
  auto cylinder = [&](double j) {
    double t = (j - top) / double(bottom - top);  // 0..1 across the barrel
    double light = std::sin(t * 3.14159265);
    double hi = std::exp(-std::pow((t - 0.3) / 0.12, 2));
    double v = 112 + 96 * light + 30 * hi;
    return Shade{v, v, v + 8};
  };
  paintField(c, 5, top, w - 10, bottom - top, [&](int, int j) { return cylinder(top + j); });
  // Horizontal grooves either side of the middle.
  for (int y = top + 10; y < bottom - 8; y += 5)
    for (int x : {16, 176})
      for (int i = 0; i < 74; ++i) {
        c.set(x + i, y, mix(c.get(x + i, y), rgb(56, 56, 64), 0.6));
        c.set(x + i, y + 1, mix(c.get(x + i, y + 1), rgb(248, 248, 255), 0.35));
      }
  // Knuckles at the ends, a little darker, with a seam.
  for (int x : {5, w - 15}) {
    paintField(c, x, top - 2, 10, bottom - top + 4, [&](int, int j) {
      Shade s = cylinder(top - 2 + j);
      return Shade{s.r * 0.78, s.g * 0.78, s.b * 0.8};
    });
    c.fill(x == 5 ? 15 : w - 16, top, 1, bottom - top, rgb(64, 64, 72));
  }
  // The lens in the middle and a small microphone hole to its right.
  const double lx = 133, ly = 43;
  c.disc(lx, ly, 12, rgb(72, 72, 80));
  c.disc(lx, ly, 11, rgb(176, 176, 184));
  c.disc(lx, ly, 9, rgb(40, 40, 48));
  c.disc(lx, ly, 7.5, rgb(8, 8, 16));
  c.disc(lx, ly, 4.5, rgb(24, 40, 88));
  c.disc(lx, ly, 2.5, rgb(8, 16, 40));
  c.disc(lx - 3, ly - 3, 1.6, rgb(224, 232, 248));
  c.disc(lx + 3.5, ly + 3, 0.9, rgb(96, 128, 200));
  c.disc(160, ly, 2.6, rgb(96, 96, 104));
  c.disc(160, ly, 1.6, rgb(16, 16, 24));
  // A small status light on the left.
  c.disc(106, ly, 2.2, rgb(96, 96, 104));
  c.disc(106, ly, 1.4, rgb(64, 208, 240));
  quantize(c);
  return c;
}
