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

// Opaque copy at natural size, clipped to the destination.
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

}  // namespace

const ScreenView* screenView(int view) {
  if (view < 0 || view >= kScreenViewCount) return nullptr;
  return &kViews[view];
}

ScreenPair renderScreenView(int view, const PreviewSources& sources) {
  ScreenPair screens;
  const ScreenView* info = screenView(view);
  if (!info) return screens;
  screens.upper =
      info->upper == FolderInfo ? drawFolderInfoScreen(sources) : drawGameInfoScreen(sources);
  switch (info->lower) {
    case IconView:
      screens.lower = drawIconView(sources);
      break;
    case ListView:
      screens.lower = drawListView(sources);
      break;
    case Menu:
      screens.lower = drawMenuScreen(view, sources);
      break;
  }
  return screens;
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

Image redrawPreview(int view, float zoom, Color background, const PreviewSources& sources) {
  return enlargeCanvas(composeCanvas(renderScreenView(view, sources), background), zoom);
}
