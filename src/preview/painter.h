// Drawing onto one 256 x 192 handheld screen. Every write goes through this
// class, which clips to the screen, so nothing lands outside it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/image.h"
#include "preview/draw_record.h"

inline constexpr int kScreenWidth = 256;
inline constexpr int kScreenHeight = 192;

// Keys for blitKeyed: the transparent green (0x00F800, which also makes
// 0x00FF00 transparent) and the key that never matches (opaque, clipped).
inline constexpr Color kTransparentGreen = 0x00F800;
inline constexpr Color kOpaqueKey = 0xFFFFFFFF;

// With a record attached, every draw call that reaches the screen also
// appends what it covered, tagged with the current element and with the
// picture or colour field the call names. Without one, the names passed are
// never looked at.
class Painter {
 public:
  explicit Painter(Image& screen);
  Painter(Image& screen, DrawRecord* record, ScreenSide side);

  void drawImage(const Image& image, int x, int y, std::string_view picture = {});  // opaque
  void blitKeyed(const Image& image, int x, int y, Color key, std::string_view picture = {});
  void box(int x, int y, int w, int h, Color color, SkinFieldName colorField = {});
  // w == 1 or h == 1
  void line(int x, int y, int w, int h, Color color, SkinFieldName colorField = {});
  void drawText(int x, int y, std::string_view utf8, Color color, SkinFieldName colorField = {});
  // The whole screen in one colour, as a fresh screen: what was recorded for
  // it is gone from the record too, and the fill itself is nothing to edit.
  void clear(Color color);

  // The section later draw calls are tagged with ("big clock"); empty for
  // things placed by the preview itself.
  void setElement(std::string_view section) { element_ = section; }
  std::string_view element() const { return element_; }

 private:
  void note(int x, int y, int w, int h, std::string_view picture, SkinFieldName color);
  // For a detailed record: a call whose rectangle does not fit the screen.
  void noteIfClipped(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                     std::string_view picture, SkinFieldName color);

  Image& screen_;
  DrawRecord* record_ = nullptr;
  ScreenSide side_ = ScreenSide::Upper;
  std::string_view element_;
};

// Tags what is drawn while it lives with one element, then gives the
// painter back the element it had.
class ElementScope {
 public:
  ElementScope(Painter& painter, std::string_view section)
      : painter_(painter), outer_(painter.element()) {
    painter.setElement(section);
  }
  ~ElementScope() { painter_.setElement(outer_); }
  ElementScope(const ElementScope&) = delete;
  ElementScope& operator=(const ElementScope&) = delete;

 private:
  Painter& painter_;
  std::string_view outer_;
};

// A new black screen image.
Image newScreen();

int textWidth(std::string_view utf8);
// Removes the last character, then more until narrower than `limit`.
std::string fitText(std::string_view utf8, int limit);
// (fieldWidth - textWidth) / 2, rounding towards zero.
int centreOffset(std::string_view utf8, int fieldWidth);
// The rectangle of `source` as a new picture (ClockDigitScratch); parts
// outside the source are left black.
Image grabImage(const Image& source, int x, int y, int w, int h);
