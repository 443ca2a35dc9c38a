// The product's own pictures, outside the skin: the application icon and the
// about box banner. Both keep full 8-bit colour; neither goes to the handheld.
#include <algorithm>
#include <cmath>

#include "pictures.h"
#include "pixel_font.h"

namespace {

constexpr Rgb kIconInk = rgb(24, 22, 44);

// Recolours every drawn (non-key) pixel of the rectangle through a smooth
// vertical ramp; full colour, no dithering.
void smoothTintV(Canvas& c, int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) {
    const Rgb colour = mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0.0);
    for (int i = 0; i < w; ++i)
      if (c.inside(x + i, y + j) && c.get(x + i, y + j) != kKey) c.set(x + i, y + j, colour);
  }
}

// Draws in the pixels of the finished icon on a canvas `k` times finer, so
// every straight edge snapped to a whole icon pixel stays sharp when the
// canvas is box-filtered down, and only curves get soft edges.
struct IconPen {
  Canvas& c;
  int k;
  int at(double v) const { return static_cast<int>(std::lround(v * k)); }
  void roundRect(double x, double y, double w, double h, double r, Rgb colour) const {
    c.roundRect(at(x), at(y), at(x + w) - at(x), at(y + h) - at(y), at(r), colour);
  }
  void fill(double x, double y, double w, double h, Rgb colour) const {
    c.fill(at(x), at(y), at(x + w) - at(x), at(y + h) - at(y), colour);
  }
  void tint(double x, double y, double w, double h, Rgb top, Rgb bottom) const {
    smoothTintV(c, at(x), at(y), at(x + w) - at(x), at(y + h) - at(y), top, bottom);
  }
  void stroke(double x0, double y0, double x1, double y1, double radius, Rgb colour) const {
    c.thickLine(x0 * k, y0 * k, x1 * k, y1 * k, radius * k, colour);
  }
  void disc(double x, double y, double r, Rgb colour) const { c.disc(x * k, y * k, r * k, colour); }
};

// One half of the handheld: a rounded shell with an inked rim round a screen.
// Returns the screen rectangle.
struct Box {
  double x, y, w, h;
};
Box drawShell(const IconPen& pen, Box shell, double rim, double bezel, double radius) {
  pen.roundRect(shell.x, shell.y, shell.w, shell.h, radius, kIconInk);
  Box body{shell.x + rim, shell.y + rim, shell.w - 2 * rim, shell.h - 2 * rim};
  pen.roundRect(body.x, body.y, body.w, body.h, std::max(0.0, radius - rim), 0);
  pen.tint(body.x, body.y, body.w, body.h, rgb(236, 238, 246), rgb(176, 182, 204));
  Box screen{body.x + bezel, body.y + bezel, body.w - 2 * bezel, body.h - 2 * bezel};
  if (bezel > 0)
    pen.fill(screen.x - rim / 2, screen.y - rim / 2, screen.w + rim, screen.h + rim,
             rgb(72, 76, 100));
  return screen;
}

IconImage boxFilter(const Canvas& big, int size, int k) {
  IconImage icon;
  icon.size = size;
  icon.rgba.assign(static_cast<std::size_t>(size) * size * 4, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      long r = 0, g = 0, b = 0, n = 0;
      for (int j = 0; j < k; ++j)
        for (int i = 0; i < k; ++i) {
          const Rgb p = big.get(x * k + i, y * k + j);
          if (p == kKey) continue;
          r += red(p), g += green(p), b += blue(p), ++n;
        }
      unsigned char* out = &icon.rgba[(static_cast<std::size_t>(y) * size + x) * 4];
      if (n == 0) continue;
      out[0] = static_cast<unsigned char>((r + n / 2) / n);
      out[1] = static_cast<unsigned char>((g + n / 2) / n);
      out[2] = static_cast<unsigned char>((b + n / 2) / n);
      out[3] = static_cast<unsigned char>((n * 255 + k * k / 2) / (k * k));
    }
  return icon;
}

}  // namespace

IconImage drawAppIcon(int size) {
  const int k = size <= 64 ? 8 : (size <= 256 ? 4 : 2);
  Canvas big(size * k, size * k, kKey);
  const IconPen pen{big, k};
  const double s = size;
  const bool tiny = size <= 16;
  // Measures in icon pixels, rounded so the edges land on whole pixels.
  const double rim = tiny ? 1 : std::max(1.0, std::round(s / 32));
  const double bezel = tiny ? 0 : std::max(1.0, std::round(s / 26));
  const double radius = tiny ? 1 : std::round(s / 14);
  const double margin = tiny ? 1 : std::round(s / 24);
  const double width = s - 2 * margin;
  const double half = std::floor((s - 2 * margin) / 2);

  // Upper screen: the file list the menu shows, a sky-blue page with a
  // highlighted line.
  const Box upper = drawShell(pen, {margin, margin, width, half}, rim, bezel, radius);
  pen.fill(upper.x, upper.y, upper.w, upper.h, 0);
  pen.tint(upper.x, upper.y, upper.w, upper.h, rgb(120, 200, 255), rgb(36, 84, 196));
  if (tiny) {
    pen.fill(upper.x + 1, upper.y + 3, upper.w - 2, 1, rgb(255, 216, 96));
  } else {
    const double line = std::max(1.0, std::round(upper.h / 8));
    const double gap = std::round(upper.h / 5);
    const double left = upper.x + gap;
    pen.fill(left, upper.y + gap, upper.w - 2 * gap, line, rgb(240, 248, 255));
    pen.fill(upper.x + line, upper.y + 2 * gap + line, upper.w - 2 * line, line + 1,
             rgb(255, 204, 80));
    pen.fill(left, upper.y + 3 * gap + 2 * line + 1, upper.w * 0.55, line, rgb(210, 232, 255));
  }

  // Lower screen: three colour swatches, red, green and blue.
  const Box lower =
      drawShell(pen, {margin, margin + half, width, s - 2 * margin - half}, rim, bezel, radius);
  const Rgb swatches[3][2] = {{rgb(255, 120, 104), rgb(214, 40, 48)},
                              {rgb(136, 232, 112), rgb(40, 160, 64)},
                              {rgb(120, 168, 255), rgb(40, 80, 216)}};
  const double gap = tiny ? 0 : std::max(1.0, std::round(s / 40));
  const double step = std::floor((lower.w - 2 * gap) / 3);
  double x = lower.x;
  for (int i = 0; i < 3; ++i) {
    const double w = i == 2 ? lower.x + lower.w - x : step;
    pen.fill(x, lower.y, w, lower.h, 0);
    pen.tint(x, lower.y, w, lower.h, swatches[i][0], swatches[i][1]);
    x += w + gap;
  }

  // From 48 pixels up there is room for the brush that paints with them.
  if (size >= 48) {
    const double u = s / 16;
    const double tipX = 10.6 * u, tipY = 10.3 * u, endX = 15.3 * u, endY = 15.4 * u;
    const double dx = (endX - tipX), dy = (endY - tipY), len = std::hypot(dx, dy);
    auto along = [&](double t, double off) {
      return std::pair{tipX + dx * t - dy / len * off, tipY + dy * t + dx / len * off};
    };
    auto [fx0, fy0] = along(0.30, 0);
    auto [fx1, fy1] = along(0.42, 0);
    auto [hx1, hy1] = along(1.0, 0);
    // Outline first, then the handle, the metal ferrule and the bristles.
    pen.stroke(fx1, fy1, hx1, hy1, 0.85 * u, kIconInk);
    pen.stroke(fx0, fy0, fx1, fy1, 0.95 * u, kIconInk);
    pen.stroke(tipX, tipY, fx0, fy0, 0.8 * u, kIconInk);
    pen.disc(tipX, tipY, 0.75 * u, kIconInk);
    pen.stroke(fx1, fy1, hx1, hy1, 0.55 * u, rgb(196, 72, 40));
    auto [gx0, gy0] = along(0.5, -0.2 * u);
    auto [gx1, gy1] = along(0.95, -0.2 * u);
    pen.stroke(gx0, gy0, gx1, gy1, 0.15 * u, rgb(248, 150, 110));
    pen.stroke(fx0, fy0, fx1, fy1, 0.65 * u, rgb(210, 214, 228));
    pen.stroke(tipX, tipY, fx0, fy0, 0.5 * u, rgb(255, 208, 72));
    pen.disc(tipX, tipY, 0.45 * u, rgb(255, 208, 72));
  }
  return boxFilter(big, size, k);
}

Canvas keyedIcon(const IconImage& icon) {
  Canvas c(icon.size, icon.size, kKey);
  for (int y = 0; y < icon.size; ++y)
    for (int x = 0; x < icon.size; ++x) {
      const unsigned char* p = &icon.rgba[(static_cast<std::size_t>(y) * icon.size + x) * 4];
      if (p[3] < 128) continue;
      const Rgb colour = rgb(p[0], p[1], p[2]);
      c.set(x, y, colour == kKey ? rgb(0, 240, 0) : colour);
    }
  return c;
}

Canvas drawAboutBanner() {
  const int w = 468, h = 60;
  Canvas c(w, h, 0);
  // Night blue into teal, a little darker towards the bottom edge.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double t = double(x) / (w - 1), v = double(y) / (h - 1);
      const Rgb across = mix(rgb(34, 26, 86), rgb(14, 110, 132), t * t * (3 - 2 * t));
      c.set(x, y, mix(across, rgb(8, 8, 24), 0.35 * v));
    }
  // A soft light behind the icon.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < 120; ++x) {
      const double d = std::hypot((x - 34) / 60.0, (y - 30) / 40.0);
      if (d < 1) c.set(x, y, mix(c.get(x, y), rgb(120, 110, 220), 0.35 * (1 - d) * (1 - d)));
    }
  c.fill(0, h - 2, w, 1, rgb(248, 192, 112));
  c.fill(0, h - 1, w, 1, rgb(152, 0, 72));

  // The icon, blended in with its own edges.
  const IconImage icon = drawAppIcon(48);
  const int ix = 10, iy = 5;
  for (int y = 0; y < icon.size; ++y)
    for (int x = 0; x < icon.size; ++x) {
      const unsigned char* p = &icon.rgba[(static_cast<std::size_t>(y) * icon.size + x) * 4];
      if (p[3] == 0) continue;
      c.set(ix + x, iy + y, mix(c.get(ix + x, iy + y), rgb(p[0], p[1], p[2]), p[3] / 255.0));
    }

  const char* title = "Twinscreen Skin Studio";
  const char* tagline = "Skins for two-screen handhelds";
  const int tx = 72, ty = 11, scale = 4;
  drawPixelText(c, tx + 2, ty + 2, title, rgb(10, 10, 30), scale);
  Canvas letters(w, h, kKey);
  drawPixelText(letters, tx, ty, title, 0, scale);
  smoothTintV(letters, tx, ty, w - tx, 5 * scale, rgb(255, 255, 255), rgb(248, 200, 120));
  c.paste(letters, 0, 0);
  drawPixelText(c, tx + 1, 40, tagline, rgb(10, 10, 30), 2);
  drawPixelText(c, tx, 39, tagline, rgb(160, 224, 240), 2);
  // Three colour steps at the right end of the tagline, the handheld's 15 bits.
  const Rgb chips[3] = {rgb(248, 88, 88), rgb(96, 224, 104), rgb(96, 152, 255)};
  const int cx = tx + pixelTextWidth(tagline, 2) + 10;
  for (int i = 0; i < 3; ++i) {
    c.fill(cx + i * 14 + 1, 40, 10, 10, rgb(10, 10, 30));
    c.fill(cx + i * 14, 39, 10, 10, chips[i]);
  }
  return c;
}
