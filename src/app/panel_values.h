// The fields and values behind the panel's controls, read from a model by
// the controls' tables. A control number out of range has no field.
#pragma once

#include <string>

#include "app/panel_controls.h"
#include "imaging/color.h"
#include "skin/skin_model.h"

// The colour of colour button `colorButton`; 0 for no such button.
Color colorButtonValue(const SkinModel& model, int colorButton);
// The text of information field `infoField`; empty for no such field.
const std::string& infoFieldValue(const SkinModel& model, int infoField);

// The field colour button `colorButton` edits.
FieldRef colorButtonField(int colorButton);
// The field information field `infoField` edits; none for the read-only ones.
FieldRef editableInfoField(int infoField);
// The picture-table entry image button `imageButton` replaces, or -1.
int imageButtonEntry(int imageButton);

// "[section] key", as the history names a step.
std::string fieldLabel(FieldRef field);
