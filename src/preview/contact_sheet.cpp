#include "preview/contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "preview/painter.h"
#include "preview/preview_font.h"

namespace {

constexpr Color kSheetBackground = 0x282828;
constexpr Color kTitleColor = 0xFFFFFF;
constexpr Color kCaptionColor = 0xE0E0E0;
constexpr Color kNumberColor = 0xF0C040;  // a light blue (red is the low byte)
constexpr int kMargin = 16;
constexpr int kGap = 14;

// Text in the preview font, every font pixel a scale x scale block.
int drawScaledText(Image& target, int x, int y, std::string_view utf8, Color color, int scale) {
  const PreviewFont& font = PreviewFont::builtin();
  std::size_t pos = 0;
  int pen = x;
  while (pos < utf8.size()) {
    const Glyph& g = font.glyph(nextCodePoint(utf8, pos));
    for (int gy = 0; gy < g.height; ++gy)
      for (int gx = 0; gx < g.width; ++gx) {
        if (!g.bits[static_cast<std::size_t>(gy) * g.width + gx]) continue;
        for (int sy = 0; sy < scale; ++sy)
          for (int sx = 0; sx < scale; ++sx) {
            const int px = pen + (g.left + gx) * scale + sx;
            const int py = y + (g.top + gy) * scale + sy;
            if (px >= 0 && py >= 0 && px < target.width && py < target.height)
              target.at(px, py) = color;
          }
      }
    pen += g.advance * scale;
  }
  return pen - x;
}

// The text cut from its end, with "...", until it fits `width` at `scale`.
std::string fitted(std::string_view text, int width, int scale) {
  const PreviewFont& font = PreviewFont::builtin();
  if (font.textWidth(text) * scale <= width) return std::string(text);
  std::string cut(text);
  while (!cut.empty()) {
    // Drop whole UTF-8 characters.
    do cut.pop_back();
    while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80);
    if (!cut.empty()) cut.pop_back();
    if (font.textWidth(cut + "...") * scale <= width) return cut + "...";
  }
  return {};
}

}  // namespace

std::string_view drawableText(std::string_view text, std::string_view fallback) {
  const PreviewFont& font = PreviewFont::builtin();
  std::size_t pos = 0;
  while (pos < text.size())
    if (!font.has(nextCodePoint(text, pos))) return fallback;
  return text;
}

Image drawContactSheet(const PreviewSources& sources, const ContactSheetTexts& texts,
                       const ContactSheetLayout& layout) {
  const int columns = std::clamp(layout.columns, 1, kScreenViewCount);
  const int rows = (kScreenViewCount + columns - 1) / columns;
  const int cellWidth = enlargedLength(kCanvasWidth, layout.zoom);
  const int cellHeight = enlargedLength(kCanvasHeight, layout.zoom);
  const int captionScale = std::max(1, static_cast<int>(std::floor(layout.zoom)));
  const int lineHeight = PreviewFont::builtin().cellHeight();
  const int captionHeight = lineHeight * captionScale + 4;
  const int titleScale = captionScale * 2;
  const int headerHeight =
      lineHeight * titleScale + (texts.byline.empty() ? 0 : lineHeight * captionScale + 4) + kGap;

  const int width = 2 * kMargin + columns * cellWidth + (columns - 1) * kGap;
  const int height =
      2 * kMargin + headerHeight + rows * (captionHeight + cellHeight) + (rows - 1) * kGap;
  Image sheet(width, height, kSheetBackground);

  const int innerWidth = width - 2 * kMargin;
  drawScaledText(sheet, kMargin, kMargin, fitted(texts.title, innerWidth, titleScale), kTitleColor,
                 titleScale);
  if (!texts.byline.empty())
    drawScaledText(sheet, kMargin, kMargin + lineHeight * titleScale + 4,
                   fitted(texts.byline, innerWidth, captionScale), kCaptionColor, captionScale);

  for (int view = 0; view < kScreenViewCount; ++view) {
    const int x = kMargin + (view % columns) * (cellWidth + kGap);
    const int y = kMargin + headerHeight + (view / columns) * (captionHeight + cellHeight + kGap);
    const std::string number = std::to_string(view + 1);
    const int numberWidth = drawScaledText(sheet, x, y, number, kNumberColor, captionScale);
    const int textX = x + numberWidth + 4 * captionScale;
    drawScaledText(sheet, textX, y,
                   fitted(texts.screenNames[static_cast<std::size_t>(view)],
                          cellWidth - (textX - x), captionScale),
                   kCaptionColor, captionScale);
    const ScreenPair screens = renderScreenView(view, sources);
    copyInto(sheet, enlargeCanvas(composeCanvas(screens, kSheetBackground), layout.zoom), x,
             y + captionHeight);
  }
  return sheet;
}
