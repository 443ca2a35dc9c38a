// From a thing drawn on the preview to the panel control that edits it:
// an element to its row, a picture to its image button, a text's colour to
// its colour button.
#pragma once

#include <string>
#include <string_view>

#include "i18n/interface_texts.h"
#include "preview/draw_record.h"

struct PanelTarget {
  enum class Kind { None, ElementRow, ImageButton, ColorButton };
  Kind kind = Kind::None;
  int index = -1;  // into the row, image button or colour button table
  int view = -1;   // the ScreenView the control belongs to
  bool operator==(const PanelTarget&) const = default;
};

PanelTarget elementRowTarget(std::string_view section);
PanelTarget imageButtonTarget(std::string_view fileName);
PanelTarget colorButtonTarget(SkinFieldName color);

// The control that edits what the author points at: the element placing
// the item when the panel has a row for it, else the picture, else the
// colour.
PanelTarget targetOf(const DrawItem& item);

// What the status bar calls it: the row's label, the picture's file name,
// or the colour button's label, in the current language.
std::string targetLabel(const PanelTarget& target, const InterfaceTexts& texts);

// Whether an element row has x and y fields a drag can move.
bool isDraggableRow(int row);
