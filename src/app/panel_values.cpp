#include "app/panel_values.h"

#include "app/panel_controls.h"

Color colorButtonValue(const SkinModel& model, int colorButton) {
  const auto table = colorButtonTable();
  if (colorButton < 0 || colorButton >= static_cast<int>(table.size())) return 0;
  const Color* field = colorField(model, "global settings", table[colorButton].key);
  return field ? *field : 0;
}

const std::string& infoFieldValue(const SkinModel& model, int infoField) {
  static const std::string none;
  const auto table = infoFieldTable();
  if (infoField < 0 || infoField >= static_cast<int>(table.size())) return none;
  const std::string* field = textField(model, "SkinInfo", table[infoField].key);
  return field ? *field : none;
}
