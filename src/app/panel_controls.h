// The controls of the editing panel: each colour button, image button,
// element row and information field with its place, its label's text key,
// the skin field or picture it edits and the ScreenView it belongs to. The
// window builds its widgets from these tables; the editor writes through
// them.
#pragma once

#include <array>
#include <span>
#include <string_view>

inline constexpr int kNoScreenView = -1;

struct ColorButtonEntry {
  int x, y;                   // 128 x 20 on the colours page
  std::string_view labelKey;  // "LANG_COLOR_gameInfoTextColor$"
  std::string_view key;       // of [global settings]
  int view;
};

struct ImageButtonEntry {
  int x, y;  // 128 x 20 on the images page
  std::string_view labelKey;
  std::string_view fileName;  // skin picture, "icon/cheat.bmp"
  int view;
};

struct FieldRef {
  std::string_view section;  // empty: no field
  std::string_view key;
  bool empty() const { return section.empty(); }
};

struct ElementRowEntry {
  std::string_view labelKey;  // empty for the one row with a fixed label
  bool checkBox;              // the label is a check box editing `checkField`
  FieldRef checkField;
  FieldRef spins[3];  // at x = 205, 265, 325; empty where the row has none
  int view;
};

struct InfoFieldEntry {
  std::string_view labelKey;
  std::string_view key;  // of [SkinInfo]
  bool editable;
};

std::span<const ColorButtonEntry> colorButtonTable();  // 29
std::span<const ImageButtonEntry> imageButtonTable();  // 51
std::span<const ElementRowEntry> elementRowTable();    // 24
std::span<const InfoFieldEntry> infoFieldTable();      // 5

// Element rows: y of row k, the spin boxes' x and their upper limits
// (horizontal positions and widths on the 256-wide screen, vertical ones on
// the 192-high screen).
inline constexpr int elementRowY(int row) { return 5 + 20 * row; }
inline constexpr int kElementSpinX[3] = {205, 265, 325};
inline constexpr int kElementSpinMaximum[3] = {255, 191, 255};
inline constexpr int kElementLabelWidth = 186;
inline constexpr int kElementTextLabelX = 20;
inline constexpr int kElementCheckBoxX = 5;
inline constexpr std::string_view kFixedRowLabel = "LogoOffset";

// The element row label as shown: the text of its key, or the fixed label.
template <typename Texts>
std::string_view elementRowLabel(const ElementRowEntry& row, const Texts& texts) {
  return row.labelKey.empty() ? kFixedRowLabel : std::string_view(texts.text(row.labelKey));
}
