// The values the panel's colour buttons and information fields show, read
// from a model by the controls' tables.
#pragma once

#include <string>

#include "imaging/color.h"
#include "skin/skin_model.h"

// The colour of colour button `colorButton`; 0 for no such button.
Color colorButtonValue(const SkinModel& model, int colorButton);
// The text of information field `infoField`; empty for no such field.
const std::string& infoFieldValue(const SkinModel& model, int infoField);
