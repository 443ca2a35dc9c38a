// The small drawing toolkit the picture generator paints with: one picture
// of 24-bit colours (red in the low byte, as the program holds them) and a
// handful of shape fills. Everything is whole-pixel and deterministic, so a
// rebuild always yields the same pixels.
#pragma once

#include <cstdint>
#include <vector>

using Rgb = std::uint32_t;

constexpr Rgb rgb(int r, int g, int b) {
  return static_cast<Rgb>(r & 0xFF) | static_cast<Rgb>(g & 0xFF) << 8 |
         static_cast<Rgb>(b & 0xFF) << 16;
}
constexpr int red(Rgb c) { return c & 0xFF; }
constexpr int green(Rgb c) { return (c >> 8) & 0xFF; }
constexpr int blue(Rgb c) { return (c >> 16) & 0xFF; }

// The colour the handheld leaves out when it copies a picture.
constexpr Rgb kKey = rgb(0, 248, 0);

// Colour between a (t = 0) and b (t = 1).
Rgb mix(Rgb a, Rgb b, double t);
// Lighter (amount > 0) or darker (amount < 0) version of a colour.
Rgb shade(Rgb c, double amount);

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Canvas() = default;
  Canvas(int w, int h, Rgb fill = kKey);

  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Rgb get(int x, int y) const { return inside(x, y) ? pixels[y * width + x] : kKey; }
  void set(int x, int y, Rgb c) {
    if (inside(x, y)) pixels[y * width + x] = c;
  }

  void fill(int x, int y, int w, int h, Rgb c);
  void frame(int x, int y, int w, int h, Rgb c);  // one-pixel outline
  void line(int x0, int y0, int x1, int y1, Rgb c);
  void thickLine(double x0, double y0, double x1, double y1, double radius, Rgb c);
  // Rectangle with corners cut round by radius r.
  void roundRect(int x, int y, int w, int h, int r, Rgb c);
  void roundFrame(int x, int y, int w, int h, int r, Rgb c);
  // Circle (or ellipse) tested at pixel centres; centre may be fractional.
  void disc(double cx, double cy, double r, Rgb c);
  void ellipse(double cx, double cy, double rx, double ry, Rgb c);
  void ring(double cx, double cy, double r, double thickness, Rgb c);
  // Convex or concave polygon, filled by the even-odd rule at pixel centres.
  void polygon(const std::vector<std::pair<double, double>>& points, Rgb c);
  // Vertical (top to bottom) or horizontal gradient, ordered-dithered down to
  // the 5-bit steps of the handheld so wide ramps do not band.
  void gradientV(int x, int y, int w, int h, Rgb top, Rgb bottom);
  void gradientH(int x, int y, int w, int h, Rgb left, Rgb right);
  // Recolours every non-key pixel of the rectangle through a gradient whose
  // ends are the given colours, keeping the shape already drawn.
  void tintV(int x, int y, int w, int h, Rgb top, Rgb bottom);
  // Copies another canvas; key pixels of the source are skipped.
  void paste(const Canvas& src, int x, int y);
  // A one-pixel outline of colour c round every shape drawn so far (pixels
  // that are key but touch a non-key pixel).
  void outline(Rgb c, bool diagonals = false);
};

// Ordered-dither a channel value in 0..255 to a multiple of 8 at (x, y).
int dither8(double value, int x, int y);
// Rounds every channel down to a multiple of 8, as the handheld stores it,
// without turning a drawn pixel into the transparent key by accident.
void quantize(Canvas& c);
