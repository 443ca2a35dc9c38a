#include "preview/preview_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "preview/file_list_screen.h"
#include "preview/menu_screens.h"
#include "preview/painter.h"
#include "preview/upper_screen.h"
#include "skin/builtin_pictures.h"

namespace {

constexpr float kLargestSafeZoom = 16.0f;

using enum UpperScreenKind;
using enum LowerScreenKind;

constexpr ScreenView kViews[kScreenViewCount] = {
    {"LANG_SCREEN_00$", GameInfo, IconView}, {"LANG_SCREEN_01$", FolderInfo, ListView},
    {"LANG_SCREEN_02$", GameInfo, Menu},     {"LANG_SCREEN_03$", GameInfo, Menu},
    {"LANG_SCREEN_04$", GameInfo, Menu},     {"LANG_SCREEN_05$", GameInfo, Menu},
    {"LANG_SCREEN_06$", GameInfo, Menu},     {"LANG_SCREEN_07$", GameInfo, Menu},
    {"LANG_SCREEN_08$", GameInfo, Menu},     {"LANG_SCREEN_09$", GameInfo, Menu},
    {"LANG_SCREEN_10$", GameInfo, Menu},     {"LANG_SCREEN_11$", GameInfo, Menu},
    {"LANG_SCREEN_12$", GameInfo, Menu},     {"LANG_SCREEN_13$", GameInfo, Menu},
};

}  // namespace

void copyInto(Image& target, const Image& source, int x, int y) {
  for (int row = 0; row < source.height; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= target.height) continue;
    const int from = std::max(0, -x);
    const int to = std::min(source.width, target.width - x);
    if (from >= to) continue;
    std::memcpy(&target.at(x + from, ty),
                source.pixels.data() + static_cast<std::size_t>(row) * source.width + from,
                static_cast<std::size_t>(to - from) * sizeof(Color));
  }
}

const ScreenView* screenView(int view) {
  if (view < 0 || view >= kScreenViewCount) return nullptr;
  return &kViews[view];
}

ScreenPair renderScreenView(int view, const PreviewSources& sources, DrawRecord* record) {
  if (record) record->clear();
  ScreenPair screens;
  const ScreenView* info = screenView(view);
  if (!info) return screens;
  screens.upper = info->upper == FolderInfo ? drawFolderInfoScreen(sources, record)
                                            : drawGameInfoScreen(sources, record);
  switch (info->lower) {
    case IconView:
      screens.lower = drawIconView(sources, record);
      break;
    case ListView:
      screens.lower = drawListView(sources, record);
      break;
    case Menu:
      screens.lower = drawMenuScreen(view, sources, record);
      break;
  }
  return screens;
}

const DrawItem* itemAt(const DrawRecord& record, int canvasX, int canvasY) {
  const auto within = [](int value, int start, int length) {
    return value >= start && value < start + length;
  };
  if (within(canvasX, kUpperScreenX, kScreenWidth) && within(canvasY, kUpperScreenY, kScreenHeight))
    return topmostItem(record, ScreenSide::Upper, canvasX - kUpperScreenX, canvasY - kUpperScreenY);
  if (within(canvasX, kLowerScreenX, kScreenWidth) && within(canvasY, kLowerScreenY, kScreenHeight))
    return topmostItem(record, ScreenSide::Lower, canvasX - kLowerScreenX, canvasY - kLowerScreenY);
  return nullptr;
}

Image composeCanvas(const ScreenPair& screens, Color background) {
  Image canvas(kCanvasWidth, kCanvasHeight, background);
  copyInto(canvas, screens.upper, kUpperScreenX, kUpperScreenY);
  copyInto(canvas, builtinHingeStrip(), kHingeX, kHingeY);
  copyInto(canvas, screens.lower, kLowerScreenX, kLowerScreenY);
  return canvas;
}

int zoomedLength(int base, float zoom) {
  // The product is taken in double precision on the float factor: one notch
  // (1.15f, just below 1.15) makes 490 into 563.49999, i.e. 563, where a
  // single-precision product would round to 563.5 and then 564.
  const double length = std::nearbyint(static_cast<double>(base) * static_cast<double>(zoom));
  if (!(length >= 0.0 && length <= 1e9)) return 0;  // not a size at all
  return static_cast<int>(length);
}

bool applyWheelDelta(float& zoom, int delta) {
  if (delta == -120 && zoom > 1.0f) {
    zoom += -0.15f;
    return true;
  }
  if (delta == 120 && zoom < 5.0f) {
    zoom += 0.15f;
    return true;
  }
  return false;
}

Image enlargeCanvas(Image canvas, float zoom) {
  // The wheel stops at 5.05; a factor far beyond that (or not finite) could
  // only come from a bug and would ask for gigabytes, so it is not applied.
  if (!(zoom > 1.0f) || !(zoom <= kLargestSafeZoom) || canvas.empty()) return canvas;
  const int width = zoomedLength(canvas.width, zoom);
  const int height = zoomedLength(canvas.height, zoom);
  if (width <= 0 || height <= 0) return canvas;

  std::vector<int> sourceColumn(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x)
    sourceColumn[x] = static_cast<int>(static_cast<long long>(x) * canvas.width / width);

  // Rows are appended to reserved storage instead of zero-filling the whole
  // enlargement first: the picture is written exactly once. Each source row
  // is widened once into `row` and appended as often as it repeats.
  Image out;
  out.width = width;
  out.height = height;
  out.pixels.reserve(static_cast<std::size_t>(width) * height);
  std::vector<Color> row(static_cast<std::size_t>(width));
  int widenedRow = -1;
  for (int y = 0; y < height; ++y) {
    const int sourceRow = static_cast<int>(static_cast<long long>(y) * canvas.height / height);
    if (sourceRow != widenedRow) {
      const Color* source = &canvas.pixels[static_cast<std::size_t>(sourceRow) * canvas.width];
      for (int x = 0; x < width; ++x) row[x] = source[sourceColumn[x]];
      widenedRow = sourceRow;
    }
    out.pixels.insert(out.pixels.end(), row.begin(), row.end());
  }
  return out;
}

namespace {

bool enlarges(const Image& canvas, float zoom) {
  return zoom > 1.0f && zoom <= kLargestSafeZoom && !canvas.empty() &&
         zoomedLength(canvas.width, zoom) > 0 && zoomedLength(canvas.height, zoom) > 0;
}

}  // namespace

int enlargedLength(int base, float zoom) {
  if (!(zoom > 1.0f) || !(zoom <= kLargestSafeZoom) || base <= 0) return base;
  const int length = zoomedLength(base, zoom);
  return length > 0 ? length : base;
}

void sampleEnlargedCanvas(const Image& canvas, float zoom, int x, int y, int width, int height,
                          std::uint32_t* out, std::size_t stride) {
  if (canvas.empty()) return;
  const bool enlarged = enlarges(canvas, zoom);
  const int fullWidth = enlarged ? zoomedLength(canvas.width, zoom) : canvas.width;
  const int fullHeight = enlarged ? zoomedLength(canvas.height, zoom) : canvas.height;
  const int x0 = std::max(x, 0), x1 = std::min(x + width, fullWidth);
  const int y0 = std::max(y, 0), y1 = std::min(y + height, fullHeight);
  if (x0 >= x1 || y0 >= y1) return;
  const auto screenPixel = [](Color c) {
    return 0xFF000000u | static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
  };
  if (!enlarged) {
    // Natural size, the editor's start and its most common zoom: whole
    // rows, which the compiler turns into wide copies.
    for (int dy = y0; dy < y1; ++dy) {
      const Color* source = &canvas.pixels[static_cast<std::size_t>(dy) * canvas.width + x0];
      std::uint32_t* row = out + static_cast<std::size_t>(dy - y) * stride + (x0 - x);
      for (int i = 0; i < x1 - x0; ++i) row[i] = screenPixel(source[i]);
    }
    return;
  }
  // The same integer mapping as enlargeCanvas: destination d comes from
  // source d * natural / enlarged.
  std::vector<int> sourceColumn(static_cast<std::size_t>(x1 - x0));
  for (int dx = x0; dx < x1; ++dx)
    sourceColumn[dx - x0] = static_cast<int>(static_cast<long long>(dx) * canvas.width / fullWidth);
  for (int dy = y0; dy < y1; ++dy) {
    const int sourceRow = static_cast<int>(static_cast<long long>(dy) * canvas.height / fullHeight);
    const Color* source = &canvas.pixels[static_cast<std::size_t>(sourceRow) * canvas.width];
    std::uint32_t* row = out + static_cast<std::size_t>(dy - y) * stride + (x0 - x);
    for (int i = 0; i < x1 - x0; ++i) row[i] = screenPixel(source[sourceColumn[i]]);
  }
}

Image redrawPreview(int view, float zoom, Color background, const PreviewSources& sources,
                    DrawRecord* record) {
  return enlargeCanvas(composeCanvas(renderScreenView(view, sources, record), background), zoom);
}
