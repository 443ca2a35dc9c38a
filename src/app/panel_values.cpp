#include "app/panel_values.h"

#include "skin/skin_images.h"

Color colorButtonValue(const SkinModel& model, int colorButton) {
  const FieldRef field = colorButtonField(colorButton);
  const Color* value = field.empty() ? nullptr : colorField(model, field.section, field.key);
  return value ? *value : 0;
}

const std::string& infoFieldValue(const SkinModel& model, int infoField) {
  static const std::string none;
  const auto table = infoFieldTable();
  if (infoField < 0 || infoField >= static_cast<int>(table.size())) return none;
  const std::string* field = textField(model, "SkinInfo", table[infoField].key);
  return field ? *field : none;
}

FieldRef colorButtonField(int colorButton) {
  const auto table = colorButtonTable();
  if (colorButton < 0 || colorButton >= static_cast<int>(table.size())) return {};
  return {"global settings", table[colorButton].key};
}

FieldRef editableInfoField(int infoField) {
  const auto table = infoFieldTable();
  if (infoField < 0 || infoField >= static_cast<int>(table.size())) return {};
  if (!table[infoField].editable) return {};
  return {"SkinInfo", table[infoField].key};
}

int imageButtonEntry(int imageButton) {
  const auto table = imageButtonTable();
  if (imageButton < 0 || imageButton >= static_cast<int>(table.size())) return -1;
  return SkinImageTable::indexOf(table[imageButton].fileName);
}

std::string fieldLabel(FieldRef field) {
  return "[" + std::string(field.section) + "] " + std::string(field.key);
}
