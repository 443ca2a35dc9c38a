#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace {

int clampByte(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

Rgb ditheredMix(Rgb a, Rgb b, double t, int x, int y) {
  auto ch = [&](int ca, int cb) { return dither8(ca + (cb - ca) * t, x, y); };
  return rgb(ch(red(a), red(b)), ch(green(a), green(b)), ch(blue(a), blue(b)));
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
  auto ch = [&](int ca, int cb) { return clampByte(ca + (cb - ca) * t); };
  return rgb(ch(red(a), red(b)), ch(green(a), green(b)), ch(blue(a), blue(b)));
}

Rgb shade(Rgb c, double amount) {
  return amount >= 0 ? mix(c, rgb(255, 255, 255), amount) : mix(c, rgb(0, 0, 0), -amount);
}

int dither8(double value, int x, int y) {
  double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
  int step = static_cast<int>(std::floor(value / 8.0 + threshold - 0.5));
  return std::clamp(step, 0, 31) * 8;
}

Canvas::Canvas(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

void Canvas::fill(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Canvas::frame(int x, int y, int w, int h, Rgb c) {
  if (w <= 0 || h <= 0) return;
  fill(x, y, w, 1, c);
  fill(x, y + h - 1, w, 1, c);
  fill(x, y, 1, h, c);
  fill(x + w - 1, y, 1, h, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, Rgb c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Canvas::thickLine(double x0, double y0, double x1, double y1, double radius, Rgb c) {
  double vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
  int minX = static_cast<int>(std::floor(std::min(x0, x1) - radius)) - 1;
  int maxX = static_cast<int>(std::ceil(std::max(x0, x1) + radius)) + 1;
  int minY = static_cast<int>(std::floor(std::min(y0, y1) - radius)) - 1;
  int maxY = static_cast<int>(std::ceil(std::max(y0, y1) + radius)) + 1;
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      double px = x + 0.5 - x0, py = y + 0.5 - y0;
      double t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0, 1.0) : 0.0;
      double dx = px - t * vx, dy = py - t * vy;
      if (dx * dx + dy * dy <= radius * radius) set(x, y, c);
    }
}

void Canvas::roundRect(int x, int y, int w, int h, int r, Rgb c) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      int cx = i < r ? r - i : (i >= w - r ? i - (w - r - 1) : 0);
      int cy = j < r ? r - j : (j >= h - r ? j - (h - r - 1) : 0);
      if (cx > 0 && cy > 0) {
        double dx = cx - 0.5, dy = cy - 0.5;
        if (dx * dx + dy * dy > r * r) continue;
      }
      set(x + i, y + j, c);
    }
}

void Canvas::roundFrame(int x, int y, int w, int h, int r, Rgb c) {
  Canvas mask(w, h, kKey);
  mask.roundRect(0, 0, w, h, r, 0);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      if (mask.get(i, j) == kKey) continue;
      if (mask.get(i - 1, j) == kKey || mask.get(i + 1, j) == kKey || mask.get(i, j - 1) == kKey ||
          mask.get(i, j + 1) == kKey)
        set(x + i, y + j, c);
    }
}

void Canvas::disc(double cx, double cy, double r, Rgb c) { ellipse(cx, cy, r, r, c); }

void Canvas::ellipse(double cx, double cy, double rx, double ry, Rgb c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
    for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) set(x, y, c);
    }
}

void Canvas::ring(double cx, double cy, double r, double thickness, Rgb c) {
  for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
    for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::sqrt(dx * dx + dy * dy);
      if (d <= r && d > r - thickness) set(x, y, c);
    }
}

void Canvas::polygon(const std::vector<std::pair<double, double>>& points, Rgb c) {
  if (points.size() < 3) return;
  double minY = points[0].second, maxY = minY;
  for (auto& p : points) minY = std::min(minY, p.second), maxY = std::max(maxY, p.second);
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
    double py = y + 0.5;
    std::vector<double> xs;
    for (std::size_t i = 0; i < points.size(); ++i) {
      auto [ax, ay] = points[i];
      auto [bx, by] = points[(i + 1) % points.size()];
      if ((ay <= py && by > py) || (by <= py && ay > py))
        xs.push_back(ax + (py - ay) * (bx - ax) / (by - ay));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; ++x)
        set(x, y, c);
  }
}

void Canvas::gradientV(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) {
    double t = h > 1 ? static_cast<double>(j) / (h - 1) : 0.0;
    for (int i = 0; i < w; ++i) set(x + i, y + j, ditheredMix(top, bottom, t, x + i, y + j));
  }
}

void Canvas::gradientH(int x, int y, int w, int h, Rgb left, Rgb right) {
  for (int i = 0; i < w; ++i) {
    double t = w > 1 ? static_cast<double>(i) / (w - 1) : 0.0;
    for (int j = 0; j < h; ++j) set(x + i, y + j, ditheredMix(left, right, t, x + i, y + j));
  }
}

void Canvas::tintV(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) {
    double t = h > 1 ? static_cast<double>(j) / (h - 1) : 0.0;
    for (int i = 0; i < w; ++i)
      if (inside(x + i, y + j) && get(x + i, y + j) != kKey)
        set(x + i, y + j, ditheredMix(top, bottom, t, x + i, y + j));
  }
}

void Canvas::paste(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.height; ++j)
    for (int i = 0; i < src.width; ++i)
      if (src.get(i, j) != kKey) set(x + i, y + j, src.get(i, j));
}

void Canvas::outline(Rgb c, bool diagonals) {
  Canvas before = *this;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (before.get(x, y) != kKey) continue;
      bool touches = false;
      for (int dy = -1; dy <= 1 && !touches; ++dy)
        for (int dx = -1; dx <= 1 && !touches; ++dx) {
          if ((dx == 0 && dy == 0) || (!diagonals && dx != 0 && dy != 0)) continue;
          touches = before.inside(x + dx, y + dy) && before.get(x + dx, y + dy) != kKey;
        }
      if (touches) set(x, y, c);
    }
}

void quantize(Canvas& c) {
  for (Rgb& p : c.pixels) {
    if (p == kKey) continue;
    Rgb q = rgb(red(p) & 0xF8, green(p) & 0xF8, blue(p) & 0xF8);
    p = q == kKey ? rgb(0, 240, 0) : q;
  }
}
