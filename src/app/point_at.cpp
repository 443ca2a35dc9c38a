#include "app/point_at.h"

#include "app/panel_controls.h"

PanelTarget elementRowTarget(std::string_view section) {
  if (section.empty()) return {};
  const auto rows = elementRowTable();
  for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
    bool edits = rows[k].checkField.section == section;
    for (const FieldRef& spin : rows[k].spins) edits = edits || spin.section == section;
    if (edits) return {PanelTarget::Kind::ElementRow, k, rows[k].view};
  }
  return {};
}

PanelTarget imageButtonTarget(std::string_view fileName) {
  if (fileName.empty()) return {};
  const auto buttons = imageButtonTable();
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i)
    if (buttons[i].fileName == fileName)
      return {PanelTarget::Kind::ImageButton, i, buttons[i].view};
  return {};
}

PanelTarget colorButtonTarget(SkinFieldName color) {
  if (color.empty() || color.section != "global settings") return {};
  const auto buttons = colorButtonTable();
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i)
    if (buttons[i].key == color.key) return {PanelTarget::Kind::ColorButton, i, buttons[i].view};
  return {};
}

PanelTarget targetOf(const DrawItem& item) {
  if (PanelTarget row = elementRowTarget(item.element); row.kind != PanelTarget::Kind::None)
    return row;
  if (PanelTarget image = imageButtonTarget(item.picture); image.kind != PanelTarget::Kind::None)
    return image;
  return colorButtonTarget(item.color);
}

std::string targetLabel(const PanelTarget& target, const InterfaceTexts& texts) {
  switch (target.kind) {
    case PanelTarget::Kind::ElementRow:
      return std::string(elementRowLabel(elementRowTable()[target.index], texts));
    case PanelTarget::Kind::ImageButton:
      return std::string(imageButtonTable()[target.index].fileName);
    case PanelTarget::Kind::ColorButton:
      return texts.text(colorButtonTable()[target.index].labelKey);
    case PanelTarget::Kind::None:
      break;
  }
  return {};
}

bool isDraggableRow(int row) {
  const auto rows = elementRowTable();
  if (row < 0 || row >= static_cast<int>(rows.size())) return false;
  return rows[row].spins[0].key == "x" && rows[row].spins[1].key == "y" &&
         rows[row].spins[0].section == rows[row].spins[1].section;
}
