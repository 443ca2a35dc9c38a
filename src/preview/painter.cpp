#include "preview/painter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "preview/preview_font.h"

namespace {

// A span [begin, end) of screen coordinates; empty when begin >= end.
struct Span {
  int begin = 0;
  int end = 0;
  bool empty() const { return begin >= end; }
};

// The part of [start, start + length) that falls inside [0, limit). 64-bit
// arithmetic, so coordinates and sizes near INT_MAX cannot wrap around.
Span clipSpan(std::int64_t start, std::int64_t length, int limit) {
  if (length <= 0 || limit <= 0) return {};
  const std::int64_t lo = std::max<std::int64_t>(start, 0);
  const std::int64_t hi = std::min<std::int64_t>(start + length, limit);
  if (lo >= hi) return {};
  return {static_cast<int>(lo), static_cast<int>(hi)};
}

// A picture whose pixel vector does not match its size is treated as empty:
// reading it would run off the buffer.
bool usable(const Image& image) {
  return !image.empty() &&
         image.pixels.size() >= static_cast<std::size_t>(image.width) * image.height;
}

}  // namespace

Painter::Painter(Image& screen) : screen_(screen) {}

Painter::Painter(Image& screen, DrawRecord* record, ScreenSide side)
    : screen_(screen), record_(record), side_(side) {}

void Painter::note(int x, int y, int w, int h, std::string_view picture, SkinFieldName color) {
  record_->add({side_, {x, y, w, h}, element_, picture, color});
}

void Painter::noteIfClipped(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                            std::string_view picture, SkinFieldName color) {
  if (!record_ || !record_->detailed() || w <= 0 || h <= 0) return;
  if (x >= 0 && y >= 0 && x + w <= screen_.width && y + h <= screen_.height) return;
  auto fit = [](std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN / 2, INT_MAX / 2));
  };
  record_->addClipped({side_, {fit(x), fit(y), fit(w), fit(h)}, element_, picture, color});
}

// Every primitive clips through clipSpan before it touches a pixel.
void Painter::drawImage(const Image& image, int x, int y, std::string_view picture) {
  blitKeyed(image, x, y, kOpaqueKey, picture);
}

void Painter::blitKeyed(const Image& image, int x, int y, Color key, std::string_view picture) {
  if (!usable(image) || !usable(screen_)) return;
  noteIfClipped(x, y, image.width, image.height, picture, {});
  const Span cols = clipSpan(x, image.width, screen_.width);
  const Span rows = clipSpan(y, image.height, screen_.height);
  if (cols.empty() || rows.empty()) return;
  // The whole rectangle counts, keyed-out pixels too: pointing into a gap of
  // an icon still means the icon.
  if (record_)
    note(cols.begin, rows.begin, cols.end - cols.begin, rows.end - rows.begin, picture, {});

  // All reads finish before the first write, even when a screen is copied
  // onto itself.
  const Image* source = &image;
  Image snapshot;
  if (&image == &screen_) {
    snapshot = image;
    source = &snapshot;
  }

  const int srcX = static_cast<int>(cols.begin - static_cast<std::int64_t>(x));
  const std::size_t count = static_cast<std::size_t>(cols.end - cols.begin);
  const bool greenKey = key == kTransparentGreen;
  for (int ty = rows.begin; ty < rows.end; ++ty) {
    const int sy = static_cast<int>(ty - static_cast<std::int64_t>(y));
    const Color* src = source->pixels.data() + static_cast<std::size_t>(sy) * source->width + srcX;
    Color* dst = screen_.pixels.data() + static_cast<std::size_t>(ty) * screen_.width + cols.begin;
    if (key == kOpaqueKey) {
      std::copy(src, src + count, dst);
    } else if (greenKey) {
      for (std::size_t i = 0; i < count; ++i)
        if (src[i] != 0x00F800 && src[i] != 0x00FF00) dst[i] = src[i];
    } else {
      for (std::size_t i = 0; i < count; ++i)
        if (src[i] != key) dst[i] = src[i];
    }
  }
}

void Painter::box(int x, int y, int w, int h, Color color, SkinFieldName colorField) {
  if (!usable(screen_)) return;
  noteIfClipped(x, y, w, h, {}, colorField);
  const Span cols = clipSpan(x, w, screen_.width);
  const Span rows = clipSpan(y, h, screen_.height);
  if (cols.empty() || rows.empty()) return;
  if (record_)
    note(cols.begin, rows.begin, cols.end - cols.begin, rows.end - rows.begin, {}, colorField);
  for (int ty = rows.begin; ty < rows.end; ++ty) {
    Color* row = screen_.pixels.data() + static_cast<std::size_t>(ty) * screen_.width;
    std::fill(row + cols.begin, row + cols.end, color);
  }
}

void Painter::line(int x, int y, int w, int h, Color color, SkinFieldName colorField) {
  if (w <= 0 || h <= 0) return;
  // The lines the screens draw are all horizontal or vertical, which is a
  // one-pixel box.
  if (w == 1 || h == 1) {
    box(x, y, w, h, color, colorField);
    return;
  }
  // A slanted line from (x, y) to (x + w - 1, y + h - 1): one pixel per step
  // of the longer axis, and only the steps that can land on the screen are
  // visited, so a huge line costs no more than a short one.
  if (!usable(screen_)) return;
  const bool wide = w >= h;
  const std::int64_t major = (wide ? w : h) - 1;
  const std::int64_t minor = (wide ? h : w) - 1;
  const std::int64_t origin = wide ? x : y;
  const int limit = wide ? screen_.width : screen_.height;
  const Span steps = clipSpan(origin, major + 1, limit);
  // Bounds of the pixels that landed, for the record.
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (int m = steps.begin; m < steps.end; ++m) {
    const std::int64_t i = m - origin;
    // Rounded to the nearest pixel; the product may exceed 64 bits for huge
    // lines, and a double is exact wherever the line is short enough to matter.
    const auto n = static_cast<std::int64_t>(std::floor(
        static_cast<double>(i) * static_cast<double>(minor) / static_cast<double>(major) + 0.5));
    const std::int64_t px = wide ? m : x + n;
    const std::int64_t py = wide ? y + n : m;
    if (px >= 0 && px < screen_.width && py >= 0 && py < screen_.height) {
      screen_.at(static_cast<int>(px), static_cast<int>(py)) = color;
      if (record_) {
        left = std::min(left, static_cast<int>(px));
        right = std::max(right, static_cast<int>(px));
        top = std::min(top, static_cast<int>(py));
        bottom = std::max(bottom, static_cast<int>(py));
      }
    }
  }
  if (record_ && left <= right) note(left, top, right - left + 1, bottom - top + 1, {}, colorField);
}

void Painter::drawText(int x, int y, std::string_view utf8, Color color, SkinFieldName colorField) {
  if (!usable(screen_)) return;
  const PreviewFont& font = PreviewFont::builtin();
  const bool detailed = record_ && record_->detailed();
  // The whole text's extent, beyond the screen edge too, and what its
  // cells covered before the ink went on.
  const std::int64_t wholeWidth = detailed ? font.textWidth(utf8) : 0;
  if (detailed && wholeWidth > 0) {
    const Span cellCols = clipSpan(x, wholeWidth, screen_.width);
    const Span cellRows = clipSpan(y, font.cellHeight(), screen_.height);
    if (!cellCols.empty() && !cellRows.empty()) {
      TextDraw text{side_,
                    {cellCols.begin, cellRows.begin, cellCols.end - cellCols.begin,
                     cellRows.end - cellRows.begin},
                    element_,
                    colorField,
                    color,
                    {}};
      text.under.reserve(static_cast<std::size_t>(text.cells.w) * text.cells.h);
      for (int ty = cellRows.begin; ty < cellRows.end; ++ty)
        for (int tx = cellCols.begin; tx < cellCols.end; ++tx)
          text.under.push_back(screen_.at(tx, ty));
      record_->addText(std::move(text));
    }
  }
  std::int64_t pen = x;
  std::size_t pos = 0;
  // A text covers its cells (advance by cell height) and any ink reaching
  // past them; the gaps between letters and words belong to it.
  std::int64_t coverLeft = INT64_MAX, coverRight = INT64_MIN;
  std::int64_t coverTop = y, coverBottom = static_cast<std::int64_t>(y) + font.cellHeight();
  while (pos < utf8.size() && pen < screen_.width) {
    const Glyph& g = font.glyph(nextCodePoint(utf8, pos));
    const std::int64_t left = pen + g.left;
    const std::int64_t top = static_cast<std::int64_t>(y) + g.top;
    if (record_) {
      coverLeft = std::min({coverLeft, pen, left});
      coverRight = std::max({coverRight, pen + g.advance, left + g.width});
      if (g.width > 0 && g.height > 0) {
        coverTop = std::min(coverTop, top);
        coverBottom = std::max(coverBottom, top + g.height);
      }
    }
    const Span cols = clipSpan(left, g.width, screen_.width);
    const Span rows = clipSpan(top, g.height, screen_.height);
    if (!cols.empty() && !rows.empty() &&
        g.bits.size() >= static_cast<std::size_t>(g.width) * g.height) {
      for (int ty = rows.begin; ty < rows.end; ++ty) {
        const std::size_t gy = static_cast<std::size_t>(ty - top);
        for (int tx = cols.begin; tx < cols.end; ++tx) {
          if (g.bits[gy * g.width + static_cast<std::size_t>(tx - left)])
            screen_.at(tx, ty) = color;
        }
      }
    }
    pen += g.advance;
  }
  if (record_ && coverLeft < coverRight) {
    const Span cols = clipSpan(coverLeft, coverRight - coverLeft, screen_.width);
    const Span rows = clipSpan(coverTop, coverBottom - coverTop, screen_.height);
    if (!cols.empty() && !rows.empty())
      note(cols.begin, rows.begin, cols.end - cols.begin, rows.end - rows.begin, {}, colorField);
  }
  if (wholeWidth > 0) noteIfClipped(x, y, wholeWidth, font.cellHeight(), {}, colorField);
}

void Painter::clear(Color color) {
  if (record_) record_->forget(side_);
  if (!usable(screen_)) return;
  std::fill_n(screen_.pixels.begin(), static_cast<std::size_t>(screen_.width) * screen_.height,
              color);
}

Image newScreen() { return Image(kScreenWidth, kScreenHeight, 0); }

int textWidth(std::string_view utf8) { return PreviewFont::builtin().textWidth(utf8); }

std::string fitText(std::string_view utf8, int limit) {
  // Prefix widths of every character boundary; the font has no kerning, so
  // the width of a leading part is the sum of its advances.
  const PreviewFont& font = PreviewFont::builtin();
  std::vector<std::size_t> ends;     // byte offset after each character
  std::vector<std::int64_t> widths;  // width of the text up to that offset
  std::int64_t width = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    width += font.glyph(nextCodePoint(utf8, pos)).advance;
    ends.push_back(pos);
    widths.push_back(width);
  }
  // Drop the last character unconditionally, then keep dropping while the
  // rest is at least as wide as the limit. An empty text ends the loop.
  std::size_t keep = ends.empty() ? 0 : ends.size() - 1;
  while (keep > 0 && widths[keep - 1] >= limit) --keep;
  return std::string(utf8.substr(0, keep == 0 ? 0 : ends[keep - 1]));
}

int centreOffset(std::string_view utf8, int fieldWidth) {
  const std::int64_t offset =
      (static_cast<std::int64_t>(fieldWidth) - textWidth(utf8)) / 2;  // truncates toward zero
  return static_cast<int>(std::clamp<std::int64_t>(offset, INT_MIN, INT_MAX));
}

Image grabImage(const Image& source, int x, int y, int w, int h) {
  // A scratch picture this large is never meant; refusing it keeps a wild
  // size from exhausting memory.
  constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;
  if (w <= 0 || h <= 0 || static_cast<std::int64_t>(w) * h > kMaxPixels) return {};
  Image out(w, h, 0);
  Painter painter(out);
  // The source's origin lands at (-x, -y) in the new picture; whatever the
  // source does not cover stays black.
  if (usable(source)) {
    const std::int64_t ox = -static_cast<std::int64_t>(x);
    const std::int64_t oy = -static_cast<std::int64_t>(y);
    if (ox > INT_MIN && ox <= INT_MAX && oy > INT_MIN && oy <= INT_MAX)
      painter.drawImage(source, static_cast<int>(ox), static_cast<int>(oy));
  }
  return out;
}
