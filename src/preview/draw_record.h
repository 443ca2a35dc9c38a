// What a render put where: for every picture, box and text drawn onto a
// screen, the rectangle it covered and the skin item it came from, so a point
// of the preview can be traced back to what the author would edit there.
#pragma once

#include <string_view>
#include <vector>

#include "imaging/color.h"

enum class ScreenSide { Upper, Lower };

// A rectangle of screen pixels, [x, x + w) x [y, y + h).
struct DrawRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
  bool operator==(const DrawRect&) const = default;
};

// A field of the settings file by its names, e.g. {"global settings",
// "gameInfoTextColor"}.
struct SkinFieldName {
  std::string_view section;
  std::string_view key;
  bool empty() const { return key.empty(); }
  bool operator==(const SkinFieldName&) const = default;
};

// The colours of the [global settings] section, where every skinned colour
// of the screens lives.
constexpr SkinFieldName globalColor(std::string_view key) { return {"global settings", key}; }

// One draw call. The names are views of text with static storage (the
// renderers' literals), so a record never dangles. An item with all three
// empty was drawn by the preview itself (the sample game icon, the fixed
// white texts): nothing of the skin to edit there, yet it hides what lies
// beneath.
struct DrawItem {
  ScreenSide screen = ScreenSide::Upper;
  DrawRect rect;             // clipped to the screen, never empty
  std::string_view element;  // section placing it, "big clock"; empty when fixed
  std::string_view picture;  // as the picture table names it, "icon/nds.bmp"
  SkinFieldName color;       // the colour a text or box is drawn in
  bool operator==(const DrawItem&) const = default;
};

// One text as drawn, for judging how well it reads: its colour and the
// pixels its cells covered just before it was drawn.
struct TextDraw {
  ScreenSide screen = ScreenSide::Upper;
  DrawRect cells;  // clipped to the screen
  std::string_view element;
  SkinFieldName color;
  Color ink = 0;
  std::vector<Color> under;  // cells.w * cells.h, row by row
};

// A draw call that reached past its screen, with the rectangle it asked for
// (wholly off-screen calls too, which leave no item).
struct ClippedDraw {
  ScreenSide screen = ScreenSide::Upper;
  DrawRect wanted;  // may lie partly or wholly outside 0..255 x 0..191
  std::string_view element;
  std::string_view picture;
  SkinFieldName color;
};

class DrawRecord {
 public:
  // Texts and clipped calls are noted only when asked for: the editor's
  // record for pointing at the preview does without them.
  explicit DrawRecord(bool detailed = false) : detailed_(detailed) {}
  bool detailed() const { return detailed_; }
  const std::vector<TextDraw>& texts() const { return texts_; }
  const std::vector<ClippedDraw>& clipped() const { return clipped_; }
  void addText(TextDraw text) { texts_.push_back(std::move(text)); }
  void addClipped(const ClippedDraw& draw) { clipped_.push_back(draw); }

  const std::vector<DrawItem>& items() const { return items_; }
  bool empty() const { return items_.empty(); }

  // Appends in drawing order. A picture laid as a row of tiles or columns
  // would give one item per copy; a copy that continues the last item into
  // a larger rectangle is folded into it instead, which no hit test can tell
  // apart.
  void add(const DrawItem& item);
  // Drops what one screen held, for a screen that starts over.
  void forget(ScreenSide screen);
  // Capacity is kept, so a record reused for every redraw stops allocating.
  void clear() {
    items_.clear();
    texts_.clear();
    clipped_.clear();
  }

 private:
  std::vector<DrawItem> items_;
  std::vector<TextDraw> texts_;
  std::vector<ClippedDraw> clipped_;
  bool detailed_ = false;
};

// The last item drawn on `screen` that covers screen point (x, y), or nullptr.
const DrawItem* topmostItem(const DrawRecord& record, ScreenSide screen, int x, int y);
