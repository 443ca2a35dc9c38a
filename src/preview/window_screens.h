// Windows and message boxes of the handheld's menu, drawn over the file
// browser and (all but the game settings window) the start menu.
#pragma once

#include <string_view>

#include "preview/menu_coords.h"
#include "preview/painter.h"
#include "preview/preview_sources.h"

// Delete confirmation (3), style change (5) and language change (7). With a
// record, what each of these draws is also appended to it (see Painter).
Image drawMessageBoxScreen(int view, const PreviewSources& sources, DrawRecord* record = nullptr);
Image drawHelpWindowScreen(const PreviewSources& sources, DrawRecord* record = nullptr);
Image drawHotkeyWindowScreen(const PreviewSources& sources, DrawRecord* record = nullptr);
Image drawGameSettingsScreen(const PreviewSources& sources, DrawRecord* record = nullptr);

// A label centred on its own button. A label at least as wide as the button
// is shortened from its end until it is narrower, so it never spills onto a
// neighbouring button.
void drawButtonLabel(Painter& painter, std::string_view label, Coord buttonX, int buttonWidth,
                     Coord y, Color color, SkinFieldName colorField = {});
