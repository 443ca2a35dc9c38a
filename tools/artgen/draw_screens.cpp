// Full-screen backgrounds, windows and bars.
#include <algorithm>
#include <cmath>

#include "draw.h"
#include "palette.h"

Shade shadeOf(Rgb c) { return {double(red(c)), double(green(c)), double(blue(c))}; }

Shade lerp(Shade a, Shade b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void paintField(Canvas& c, int x, int y, int w, int h,
                const std::function<Shade(int, int)>& colourAt) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      Shade s = colourAt(i, j);
      c.set(
          x + i, y + j,
          rgb(dither8(s.r, x + i, y + j), dither8(s.g, x + i, y + j), dither8(s.b, x + i, y + j)));
    }
}

void tintField(Canvas& c, int x, int y, int w, int h,
               const std::function<Shade(int, int)>& colourAt) {
  Canvas before = c;
  paintField(c, x, y, w, h, colourAt);
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (before.get(i, j) == kKey) c.set(i, j, kKey);
}

namespace {

double smooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

Shade add(Shade a, Shade b, double k) { return {a.r + b.r * k, a.g + b.g * k, a.b + b.b * k}; }

// Soft light falling off with distance from (cx, cy).
double glow(double x, double y, double cx, double cy, double radius) {
  double d = std::hypot(x - cx, y - cy) / radius;
  return 1.0 - smooth(d);
}

// Faint concentric ripples round (cx, cy): 1 on a ring line, 0 between.
double ripples(double x, double y, double cx, double cy, double spacing) {
  double d = std::hypot(x - cx, y - cy);
  double f = std::fmod(d, spacing);
  return f < 1.0 ? 1.0 : 0.0;
}

// The dark plum backdrop the whole skin shares.
Shade backdrop(double y, bool upper) {
  Shade top = upper ? Shade{44, 8, 40} : Shade{14, 12, 22};
  Shade bottom = upper ? Shade{10, 8, 18} : Shade{40, 8, 36};
  return lerp(top, bottom, y / 191.0);
}

// A glossy magenta band of height h (title bars, window headers).
Shade headerShade(int row, int h) {
  if (row == 0) return {232, 96, 160};
  if (row == h - 1) return {72, 0, 40};
  double t = double(row - 1) / std::max(1, h - 3);
  if (t < 0.45) return lerp({200, 32, 112}, {160, 8, 80}, t / 0.45);
  return lerp({128, 0, 64}, {96, 0, 48}, (t - 0.45) / 0.55);
}

// A window: frame, glossy header with a rounded top and a dark body.
Canvas windowBase(int w, int h, int header) {
  Canvas c(w, h, kKey);
  c.roundRect(0, 0, w, h, 4, rgb(96, 0, 48));
  c.fill(0, 4, w, h - 4, rgb(96, 0, 48));
  paintField(c, 1, header, w - 2, h - header - 1, [&](int, int j) {
    return lerp({30, 26, 34}, {18, 16, 24}, double(j) / std::max(1, h - header));
  });
  Canvas head(w, header, kKey);
  head.roundRect(0, 0, w, header + 4, 4, 0);
  tintField(head, 0, 0, w, header, [&](int, int j) { return headerShade(j, header); });
  c.paste(head, 0, 0);
  c.fill(1, header, w - 2, 1, rgb(232, 96, 160));  // thin lit edge under the header
  return c;
}

void inset(Canvas& c, int x, int y, int w, int h, Rgb body) {
  c.fill(x, y, w, h, body);
  c.fill(x, y, w, 1, rgb(8, 4, 8));
  c.fill(x, y, 1, h, rgb(8, 4, 8));
  c.fill(x, y + h - 1, w, 1, rgb(88, 40, 72));
  c.fill(x + w - 1, y, 1, h, rgb(88, 40, 72));
}

}  // namespace

Canvas drawUpperScreen() {
  Canvas c(256, 192, kBlack);
  paintField(c, 0, 0, 256, 192, [](int x, int y) {
    Shade s = backdrop(y, true);
    s = add(s, {96, 8, 64}, 0.45 * glow(x, y, 56, 70, 120));
    s = add(s, {40, 120, 160}, 0.10 * glow(x, y, 30, 180, 90));
    s = add(s, {90, 30, 80}, 0.35 * ripples(x, y, -30, 210, 14) * glow(x, y, -30, 210, 230));
    return s;
  });
  // Emblem on the free left half: two screens joined by a hinge.
  Canvas emblem(80, 100, kKey);
  emblem.roundRect(4, 2, 72, 44, 5, rgb(96, 0, 48));
  emblem.roundRect(6, 4, 68, 40, 4, rgb(16, 10, 22));
  emblem.fill(30, 48, 20, 4, rgb(96, 0, 48));
  emblem.roundRect(4, 54, 72, 44, 5, rgb(96, 0, 48));
  emblem.roundRect(6, 56, 68, 40, 4, rgb(16, 10, 22));
  paintField(emblem, 10, 8, 60, 32, [](int i, int j) {
    return lerp({40, 16, 48}, {24, 8, 32}, (i + j) / 92.0);
  });
  paintField(emblem, 10, 60, 60, 32, [](int i, int j) {
    return lerp({24, 8, 32}, {40, 16, 48}, (i + j) / 92.0);
  });
  std::vector<std::pair<double, double>> star;
  for (int k = 0; k < 10; ++k) {
    double a = -3.14159265 / 2 + k * 3.14159265 / 5, r = k % 2 ? 5.5 : 13;
    star.emplace_back(40 + r * std::cos(a), 25 + r * std::sin(a));
  }
  emblem.polygon(star, rgb(64, 208, 240));
  for (int k = 0; k < 4; ++k) emblem.fill(16 + k * 13, 70, 9, 9, rgb(72, 24, 64));
  emblem.fill(29, 70, 9, 9, rgb(152, 0, 72));
  emblem.fill(16, 84, 48, 2, rgb(72, 24, 64));
  for (int y = 0; y < emblem.height; ++y)
    for (int x = 0; x < emblem.width; ++x)
      if (emblem.get(x, y) != kKey) {
        Rgb under = c.get(20 + x, 40 + y);
        c.set(20 + x, 40 + y, mix(under, emblem.get(x, y), 0.55));
      }
  // Information panel on the right, where the skin puts the game details.
  c.roundRect(120, 22, 131, 158, 6, rgb(96, 0, 48));
  Canvas panel(129, 156, kKey);
  panel.roundRect(0, 0, 129, 156, 5, 0);
  tintField(panel, 0, 0, 129, 156, [](int, int j) {
    return lerp({24, 14, 30}, {12, 10, 18}, j / 155.0);
  });
  c.paste(panel, 121, 23);
  c.fill(126, 23, 119, 1, rgb(184, 40, 112));
  c.fill(162, 28, 1, 36, rgb(56, 16, 48));  // between the icon and the type lines
  c.fill(126, 67, 119, 1, rgb(56, 16, 48));
  c.fill(126, 97, 119, 1, rgb(56, 16, 48));
  // Window for the big clock.
  inset(c, 126, 136, 119, 40, rgb(8, 6, 12));
  paintField(c, 127, 137, 117, 38, [](int, int j) {
    return lerp({10, 8, 16}, {24, 10, 28}, j / 37.0);
  });
  // Thin status rule along the top.
  c.fill(0, 0, 256, 1, rgb(152, 0, 72));
  c.fill(0, 1, 256, 1, rgb(56, 0, 32));
  quantize(c);
  return c;
}

Canvas drawLowerScreen() {
  Canvas c(256, 192, kBlack);
  paintField(c, 0, 0, 256, 192, [](int x, int y) {
    Shade s = backdrop(y, false);
    s = add(s, {112, 8, 72}, 0.45 * glow(x, y * 2.2, 128, 420, 230));
    s = add(s, {40, 120, 160}, 0.07 * glow(x, y, 220, 20, 110));
    s = add(s, {80, 24, 72}, 0.30 * ripples(x, y, 290, 230, 14) * glow(x, y, 290, 230, 250));
    return s;
  });
  // Faint shelves under the three icon rows.
  for (int row = 0; row < 3; ++row) {
    int y = 58 + row * 54;
    for (int x = 4; x < 252; ++x) {
      double fade = 1.0 - std::abs(x - 128) / 128.0;
      Rgb under = c.get(x, y);
      c.set(x, y, mix(under, rgb(120, 40, 104), 0.45 * fade));
    }
  }
  quantize(c);
  return c;
}

Canvas drawCheatBackground() {
  Canvas c(256, 192, kBlack);
  paintField(c, 0, 0, 256, 192, [](int x, int y) {
    Shade s = backdrop(y, false);
    return add(s, {80, 8, 56}, 0.35 * glow(x, y, 128, 100, 200));
  });
  // Header with the title and the clear-all control.
  paintField(c, 0, 0, 256, 31, [](int, int j) { return headerShade(j, 31); });
  paintField(c, 0, 1, 256, 29, [](int, int j) { return lerp({96, 8, 56}, {48, 0, 32}, j / 28.0); });
  c.fill(0, 0, 256, 1, rgb(216, 72, 144));
  c.fill(0, 30, 256, 1, rgb(216, 72, 144));
  c.fill(0, 31, 256, 1, rgb(32, 0, 16));
  inset(c, 156, 8, 74, 19, rgb(32, 8, 24));
  // The list, with a stripe for every second entry.
  c.roundRect(9, 33, 238, 150, 4, rgb(96, 0, 48));
  c.roundRect(10, 34, 236, 148, 3, rgb(18, 14, 24));
  for (int k = 0; k < 7; ++k) {
    int y = 36 + k * 20;
    if (k % 2 == 1) c.fill(12, y + 1, 232, 18, rgb(30, 20, 34));
    c.fill(31, y + 4, 1, 12, rgb(48, 24, 48));
  }
  c.fill(10, 178, 236, 1, rgb(56, 16, 48));
  quantize(c);
  return c;
}

Canvas drawHotkeyWindow() {
  Canvas c = windowBase(198, 127, 16);
  for (int k = 0; k < 6; ++k) {
    int y = 24 + k * 12;
    c.fill(6, y, 186, 12, k % 2 ? rgb(34, 26, 38) : rgb(26, 22, 32));
  }
  c.fill(6, 24 + 72, 186, 1, rgb(72, 24, 64));
  c.fill(98, 24, 1, 72, rgb(56, 16, 48));
  quantize(c);
  return c;
}

Canvas drawSettingWindow() {
  // The game title is drawn in the skin's magenta, so this header is a light plate.
  Canvas c = windowBase(198, 104, 16);
  Canvas head(198, 16, kKey);
  head.roundRect(1, 1, 196, 19, 3, 0);
  tintField(head, 0, 0, 198, 16, [](int, int j) {
    return j == 0 ? Shade{248, 240, 248} : lerp({224, 216, 232}, {160, 152, 176}, j / 15.0);
  });
  c.paste(head, 0, 0);
  inset(c, 10, 26, 36, 36, rgb(10, 8, 14));
  c.fill(52, 38, 140, 1, rgb(48, 20, 48));
  c.fill(52, 58, 140, 1, rgb(48, 20, 48));
  c.fill(6, 81, 186, 1, rgb(96, 0, 48));
  c.fill(6, 82, 186, 1, rgb(40, 20, 40));
  quantize(c);
  return c;
}

Canvas drawProgressWindow() {
  // Kept in full colour: it is carried but never saved through the 5-bit steps.
  Canvas c(198, 93, kKey);
  c.roundRect(0, 0, 198, 93, 4, rgb(96, 0, 48));
  for (int j = 16; j < 92; ++j)
    for (int i = 1; i < 197; ++i)
      c.set(i, j, mix(rgb(30, 26, 34), rgb(18, 16, 24), (j - 16) / 76.0));
  for (int j = 0; j < 16; ++j)
    for (int i = 0; i < 198; ++i)
      if (c.get(i, j) != kKey) {
        Shade s = headerShade(j, 16);
        c.set(i, j, rgb(int(s.r), int(s.g), int(s.b)));
      }
  c.fill(1, 16, 196, 1, rgb(232, 96, 160));
  c.fill(47, 43, 104, 14, rgb(8, 4, 8));
  c.fill(48, 44, 102, 12, rgb(40, 30, 44));
  return c;
}

Canvas drawProgressBar() {
  Canvas c(102, 12, kBlack);
  for (int j = 0; j < 12; ++j) {
    double t = j / 11.0;
    Rgb row = t < 0.4 ? mix(rgb(190, 246, 255), rgb(70, 210, 242), t / 0.4)
                      : mix(rgb(58, 190, 232), rgb(18, 96, 150), (t - 0.4) / 0.6);
    for (int i = 0; i < 102; ++i) c.set(i, j, ((i / 6) % 2) ? shade(row, -0.08) : row);
  }
  return c;
}

Canvas drawStartBar() {
  Canvas c(256, 20, kBlack);
  paintField(c, 0, 0, 256, 20, [](int, int j) {
    if (j == 0) return Shade{224, 80, 152};
    if (j == 1) return Shade{144, 16, 80};
    return lerp({84, 10, 52}, {26, 6, 24}, (j - 2) / 17.0);
  });
  // A recessed tray for the card, brightness and back buttons.
  c.roundRect(174, 2, 82, 18, 4, rgb(12, 4, 12));
  paintField(c, 175, 3, 81, 17, [](int, int j) {
    return lerp({20, 6, 20}, {40, 10, 36}, j / 16.0);
  });
  c.roundRect(175, 3, 81, 17, 3, kKey);
  for (int j = 3; j < 20; ++j)
    for (int i = 175; i < 256; ++i)
      if (c.get(i, j) == kKey) {
        Shade s = lerp({20, 6, 20}, {40, 10, 36}, (j - 3) / 16.0);
        c.set(i, j, rgb(dither8(s.r, i, j), dither8(s.g, i, j), dither8(s.b, i, j)));
      }
  // Tiny grip dots between the start button and the tray.
  for (int k = 0; k < 5; ++k) c.set(70 + k * 4, 10, rgb(136, 40, 104));
  quantize(c);
  return c;
}

Canvas drawStartButton() {
  Canvas c(58, 20, kKey);
  Canvas shape(66, 20, kKey);
  shape.roundRect(-8, 0, 66, 20, 9, 0);
  for (int j = 0; j < 20; ++j)
    for (int i = 0; i < 58; ++i)
      if (shape.get(i, j) != kKey) c.set(i, j, rgb(64, 0, 32));
  Canvas inner(58, 20, kKey);
  inner.roundRect(-8, 1, 65, 18, 8, 0);
  for (int j = 0; j < 20; ++j)
    for (int i = 0; i < 58; ++i)
      if (inner.get(i, j) != kKey) {
        Shade s = j < 9 ? lerp({240, 104, 176}, {200, 32, 120}, (j - 1) / 8.0)
                        : lerp({160, 8, 88}, {104, 0, 56}, (j - 9) / 9.0);
        c.set(i, j, rgb(dither8(s.r, i, j), dither8(s.g, i, j), dither8(s.b, i, j)));
      }
  // Logo: two small screens stacked, in the highlight cyan.
  c.fill(5, 4, 9, 5, rgb(16, 40, 64));
  c.fill(6, 5, 7, 3, rgb(64, 208, 240));
  c.fill(5, 11, 9, 5, rgb(16, 40, 64));
  c.fill(6, 12, 7, 3, rgb(160, 232, 248));
  c.fill(8, 9, 3, 2, rgb(48, 16, 40));
  // The word, drawn with its own bold letters.
  static const char* kWord[7] = {
      ".####.#####..##..####.#####", "##.....##...####.##.##..##.", "##.....##..##.##.##.##..##.",
      ".###...##..##.##.####...##.", "...##..##..######.##.#..##.", "...##..##..##.##.##.##..##.",
      "####...##..##.##.##.##..##.",
  };
  for (int row = 0; row < 7; ++row)
    for (int col = 0; kWord[row][col]; ++col)
      if (kWord[row][col] == '#') {
        c.set(18 + col, 7 + row, rgb(56, 0, 24));
        c.set(17 + col, 6 + row, kWhite);
      }
  quantize(c);
  return c;
}

Canvas drawSelectBar() {
  Canvas c(256, 42, kKey);
  c.roundRect(0, 4, 256, 34, 6, rgb(56, 0, 32));
  Canvas body(256, 42, kKey);
  body.roundRect(1, 5, 254, 32, 5, 0);
  tintField(body, 0, 5, 256, 32, [](int i, int j) {
    Shade s = j < 2 ? Shade{216, 72, 144} : lerp({150, 10, 78}, {72, 0, 40}, (j - 2) / 29.0);
    return lerp(s, {s.r * 0.55, s.g * 0.55, s.b * 0.7}, std::clamp((i - 150) / 105.0, 0.0, 1.0));
  });
  c.paste(body, 0, 0);
  c.fill(3, 9, 3, 24, rgb(64, 208, 240));
  c.fill(4, 10, 1, 22, rgb(176, 240, 248));
  quantize(c);
  return c;
}

Canvas drawCheatSelectBar() {
  Canvas c(203, 1, kBlack);
  for (int i = 0; i < 203; ++i) {
    double t = 1.0 - std::abs(i - 101) / 101.0;
    c.set(i, 0, mix(rgb(24, 72, 112), rgb(96, 224, 248), smooth(t * 1.6)));
  }
  quantize(c);
  return c;
}

Canvas drawMenuFrame() {
  const int w = 108, h = 116;
  Canvas c(w, h, kKey);
  c.roundRect(0, 0, w, h, 7, rgb(48, 0, 24));
  c.roundRect(1, 1, w - 2, h - 2, 6, rgb(176, 24, 96));
  c.roundRect(2, 2, w - 4, h - 4, 5, rgb(120, 0, 60));
  c.roundRect(4, 4, w - 8, h - 8, 4, rgb(56, 0, 32));
  // Body: vertical shading only, so the middle piece tiles without seams.
  Canvas body(w, h, kKey);
  body.roundRect(5, 5, w - 10, h - 10, 3, 0);
  for (int j = 0; j < h; ++j) {
    Shade s = lerp({34, 22, 38}, {16, 12, 22}, (j - 5) / double(h - 10));
    for (int i = 0; i < w; ++i)
      if (body.get(i, j) != kKey)
        c.set(i, j, rgb(dither8(s.r, 0, j), dither8(s.g, 0, j), dither8(s.b, 0, j)));
  }
  // Lit top edge and a header rule above the first item.
  for (int i = 6; i < w - 6; ++i) c.set(i, 1, rgb(232, 112, 176));
  c.fill(8, 12, w - 16, 1, rgb(88, 16, 64));
  c.fill(8, 13, w - 16, 1, rgb(12, 8, 16));
  quantize(c);
  return c;
}

Canvas drawTitleBar(int width) {
  Canvas c(width, 16, kKey);
  c.roundRect(0, 0, width, 20, 5, 0);
  tintField(c, 0, 0, width, 16, [](int, int j) { return headerShade(j, 16); });
  quantize(c);
  return c;
}

Canvas drawPopSubBar() {
  Canvas c(1, 12, kBlack);
  paintField(c, 0, 0, 1, 12, [](int, int j) {
    if (j == 0) return Shade{232, 104, 168};
    if (j == 11) return Shade{64, 0, 32};
    return lerp({192, 24, 104}, {112, 0, 56}, (j - 1) / 9.0);
  });
  quantize(c);
  return c;
}
