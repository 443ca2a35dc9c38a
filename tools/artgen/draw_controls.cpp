// Buttons, marks, the start-menu lamp and triangle, and the clock digits.
#include <algorithm>
#include <cmath>

#include "draw.h"
#include "palette.h"
#include "pictures.h"

namespace {

using Points = std::vector<std::pair<double, double>>;

constexpr Rgb kOutline = rgb(40, 0, 24);

// Glossy magenta body used by every push button of the skin.
void buttonBody(Canvas& c, int x, int y, int w, int h, int r) {
  c.roundRect(x, y, w, h, r, kOutline);
  Canvas body(c.width, c.height, kKey);
  body.roundRect(x + 1, y + 1, w - 2, h - 2, std::max(0, r - 1), 0);
  int ih = h - 2;
  tintField(body, x + 1, y + 1, w - 2, ih, [&](int, int j) {
    if (j == 0) return Shade{240, 120, 184};
    double t = double(j) / std::max(1, ih - 1);
    return t < 0.5 ? lerp({208, 48, 128}, {176, 16, 96}, t * 2)
                   : lerp({136, 0, 72}, {104, 0, 56}, (t - 0.5) * 2);
  });
  c.paste(body, 0, 0);
}

// Orange face, lighter at the top, with a dark rim so the digits read on any backdrop.
void finishDigit(Canvas& c) {
  tintField(c, 0, 0, c.width, c.height, [&](int, int j) {
    return lerp({248, 224, 168}, {232, 136, 48}, double(j) / (c.height - 1));
  });
  c.outline(rgb(48, 16, 8), true);
}

}  // namespace

Canvas drawButton(int width, int height) {
  Canvas c(width, height, kKey);
  buttonBody(c, 0, 0, width, height, 4);
  quantize(c);
  return c;
}

Canvas drawCloseButton(int width, int height) {
  Canvas c(width, height, kKey);
  buttonBody(c, 0, 0, width, height, 3);
  double cx = width / 2.0, cy = height / 2.0, d = std::min(width, height) / 2.0 - 3.2;
  c.thickLine(cx - d, cy - d, cx + d, cy + d, 0.9, kWhite);
  c.thickLine(cx - d, cy + d, cx + d, cy - d, 0.9, kWhite);
  quantize(c);
  return c;
}

Canvas drawSpinButton(bool left) {
  Canvas c(8, 14, kKey);
  buttonBody(c, 0, 0, 8, 14, 3);
  Points arrow =
      left ? Points{{2, 7}, {5.5, 3.5}, {5.5, 10.5}} : Points{{6, 7}, {2.5, 3.5}, {2.5, 10.5}};
  c.polygon(arrow, kOrange);
  quantize(c);
  return c;
}

Canvas drawCheckMark() {
  Canvas c(6, 6, kKey);
  c.thickLine(0.6, 3.0, 2.2, 4.8, 0.75, kCyan);
  c.thickLine(2.2, 4.8, 5.4, 0.8, 0.75, kCyan);
  quantize(c);
  return c;
}

Canvas drawHotkeyLamp(bool active) {
  Canvas c(9, 9, kKey);
  c.disc(4.5, 4.5, 4.5, active ? rgb(8, 56, 80) : rgb(40, 16, 32));
  c.disc(4.5, 4.5, 3.5, active ? kCyan : rgb(88, 40, 72));
  c.disc(4.5, 5.0, 2.2, active ? rgb(40, 160, 208) : rgb(64, 24, 56));
  c.disc(3.5, 3.3, 1.2, active ? rgb(216, 248, 248) : rgb(128, 72, 112));
  quantize(c);
  return c;
}

Canvas drawRadio(bool on) {
  Canvas c(11, 10, kKey);
  c.disc(5.5, 5, 5, rgb(40, 0, 24));
  c.disc(5.5, 5, 4, rgb(200, 120, 160));
  c.disc(5.5, 5, 3, rgb(24, 16, 28));
  if (on) {
    c.disc(5.5, 5, 2.3, kCyan);
    c.set(4, 4, rgb(200, 248, 248));
  }
  quantize(c);
  return c;
}

Canvas drawCheckBox(bool on) {
  Canvas c(11, 10, kKey);
  c.fill(1, 0, 10, 10, rgb(40, 0, 24));
  c.fill(2, 1, 8, 8, rgb(200, 120, 160));
  c.fill(3, 2, 6, 6, rgb(24, 16, 28));
  if (on) {
    c.thickLine(2.0, 4.6, 4.6, 7.6, 0.8, kCyan);
    c.thickLine(4.6, 7.6, 10.2, 0.6, 0.8, kCyan);
  }
  quantize(c);
  return c;
}

Canvas drawTreeFolder() {
  Canvas c(11, 10, kKey);
  c.fill(0, 1, 5, 2, rgb(200, 120, 40));
  c.fill(0, 2, 11, 8, rgb(72, 40, 8));
  c.fill(1, 3, 9, 6, rgb(248, 192, 96));
  c.fill(1, 3, 9, 1, rgb(248, 232, 168));
  c.fill(1, 1, 3, 1, rgb(232, 160, 64));
  quantize(c);
  return c;
}

Canvas drawLamp() {
  Canvas c(22, 38, kKey);
  // A slim light tube, brightest at the row it marks and fading towards its ends.
  c.roundRect(0, 2, 7, 34, 3, rgb(8, 40, 64));
  Canvas tube(22, 38, kKey);
  tube.roundRect(1, 3, 5, 32, 2, 0);
  tintField(tube, 0, 0, 22, 38, [](int i, int j) {
    double t = 1.0 - std::abs(j - 18.5) / 16.0;
    Shade core = lerp({24, 96, 136}, {96, 224, 248}, std::clamp(t * 1.3, 0.0, 1.0));
    if (i == 2 && t > 0.4) core = lerp(core, {232, 252, 255}, (t - 0.4) * 1.4);
    return core;
  });
  c.paste(tube, 0, 0);
  quantize(c);
  return c;
}

Canvas drawTriangle() {
  Canvas c(14, 16, kKey);
  c.polygon({{2, 1}, {13, 8}, {2, 15}}, rgb(8, 48, 72));
  c.polygon({{3, 3}, {11.2, 8}, {3, 13}}, kCyan);
  c.polygon({{3, 3}, {11.2, 8}, {3, 8}}, rgb(152, 232, 248));
  quantize(c);
  return c;
}

Canvas drawBrightnessButton() {
  // Copied without transparency onto the start bar, so it carries the bar's
  // own pixels round its rounded corners.
  Canvas bar = drawStartBar();
  Canvas c(22, 18, kBlack);
  for (int j = 0; j < 18; ++j)
    for (int i = 0; i < 22; ++i) c.set(i, j, bar.get(206 + i, 2 + j));
  buttonBody(c, 0, 1, 22, 16, 4);
  c.disc(11, 9, 3.2, rgb(248, 216, 96));
  for (int k = 0; k < 8; ++k) {
    double a = k * 3.14159265 / 4;
    c.thickLine(11 + std::cos(a) * 4.6, 9 + std::sin(a) * 4.6, 11 + std::cos(a) * 5.8,
                9 + std::sin(a) * 5.8, 0.6, rgb(248, 208, 112));
  }
  quantize(c);
  return c;
}

Canvas drawBackButton() {
  Canvas c(23, 18, kKey);
  buttonBody(c, 0, 1, 23, 16, 4);
  // Curved arrow pointing back (left).
  for (double a = -1.5708; a <= 1.5708; a += 0.05)
    c.thickLine(12 + std::cos(a) * 4, 9 + std::sin(a) * 4, 12 + std::cos(a + 0.05) * 4,
                9 + std::sin(a + 0.05) * 4, 0.8, kCyan);
  c.fill(8, 4, 4, 2, kCyan);
  c.polygon({{4, 5}, {9, 1.5}, {9, 8.5}}, kCyan);
  c.fill(8, 12, 4, 2, kCyan);
  quantize(c);
  return c;
}

Canvas drawCard(bool listView) {
  Canvas c(23, 18, kKey);
  Rgb accent = listView ? kCyan : rgb(248, 168, 72);
  Points card = {{4, 1}, {15, 1}, {18, 4}, {18, 17}, {4, 17}};
  c.polygon(card, rgb(16, 16, 24));
  c.polygon({{5, 2}, {14.6, 2}, {17, 4.4}, {17, 16}, {5, 16}}, rgb(72, 72, 88));
  c.fill(5, 9, 12, 7, rgb(48, 48, 64));
  c.fill(6, 10, 10, 5, accent);
  c.fill(6, 10, 10, 1, shade(accent, 0.5));
  for (int k = 0; k < 4; ++k) c.fill(6 + k * 2, 3, 1, 4, rgb(216, 184, 96));
  quantize(c);
  return c;
}

Canvas drawClearAll() {
  Canvas c(16, 12, kKey);
  c.roundRect(0, 0, 16, 12, 2, kOutline);
  c.roundRect(1, 1, 14, 10, 2, rgb(32, 16, 32));
  for (int k = 0; k < 3; ++k) c.fill(3, 3 + k * 3, 7, 1, kOrange);
  c.thickLine(9.5, 5.5, 13.5, 9.5, 0.8, rgb(248, 72, 96));
  c.thickLine(9.5, 9.5, 13.5, 5.5, 0.8, rgb(248, 72, 96));
  quantize(c);
  return c;
}

Canvas drawClockDigits() {
  // Rounded bold strokes; each digit is a few polylines and elliptic arcs in
  // a 24 x 31 cell, stroked with a round pen.
  Canvas sheet(24, 310, kKey);
  for (int d = 0; d < 10; ++d) {
    Canvas digit(24, 31, kKey);
    std::vector<Points> strokes;
    auto arc = [](double cx, double cy, double rx, double ry, double from, double to) {
      Points p;
      const int steps = 40;
      for (int k = 0; k <= steps; ++k) {
        double a = (from + (to - from) * k / steps) * 3.14159265358979 / 180.0;
        p.emplace_back(cx + rx * std::cos(a), cy + ry * std::sin(a));
      }
      return p;
    };
    auto join = [](Points a, const Points& b) {
      a.insert(a.end(), b.begin(), b.end());
      return a;
    };
    switch (d == 9 ? 6 : d) {
      case 0:
        strokes = {arc(12, 15.5, 6.3, 11, 0, 360)};
        break;
      case 1:
        strokes = {{{8, 8.5}, {12.5, 4.5}, {12.5, 26.5}}};
        break;
      case 2:
        strokes = {join(arc(12, 10.5, 6.3, 6, 190, 395), {{6, 26.5}, {18.5, 26.5}})};
        break;
      case 3:
        strokes = {join(arc(12, 10, 6, 5.5, 200, 450), arc(12, 21, 6.5, 5.5, 270, 520))};
        break;
      case 4:
        strokes = {{{15.5, 26.5}, {15.5, 4.5}, {5.5, 19.5}, {19, 19.5}}};
        break;
      case 5:
        strokes = {join({{18, 4.5}, {7.5, 4.5}, {6.7, 14.5}}, arc(12, 19.7, 6.5, 6.8, 215, 520))};
        break;
      case 6:
        strokes = {arc(12.5, 16, 6.5, 11.5, 295, 165), arc(12, 20.3, 6.3, 6.2, 0, 360)};
        break;
      case 7:
        strokes = {{{5.5, 4.5}, {18.5, 4.5}, {10.5, 26.5}}};
        break;
      case 8:
        strokes = {arc(12, 9.8, 5.5, 5.3, 0, 360), arc(12, 20.8, 6.5, 5.7, 0, 360)};
        break;
    }
    if (d == 9)  // a six turned half round
      for (Points& s : strokes)
        for (auto& [x, y] : s) x = 24 - x, y = 31 - y;
    for (const Points& s : strokes)
      for (std::size_t k = 0; k + 1 < s.size(); ++k)
        digit.thickLine(s[k].first, s[k].second, s[k + 1].first, s[k + 1].second, 2.6, 0);
    finishDigit(digit);
    sheet.paste(digit, 0, d * 31);
  }
  quantize(sheet);
  return sheet;
}

Canvas drawClockColon() {
  Canvas c(10, 31, kKey);
  c.disc(5, 11, 2.8, 0);
  c.disc(5, 21, 2.8, 0);
  finishDigit(c);
  quantize(c);
  return c;
}
