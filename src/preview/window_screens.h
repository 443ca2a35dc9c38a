// Windows and message boxes of the handheld's menu, drawn over the file
// browser and (all but the game settings window) the start menu.
#pragma once

#include <string_view>

#include "preview/menu_coords.h"
#include "preview/painter.h"
#include "preview/preview_sources.h"

// Delete confirmation (3), style change (5) and language change (7).
Image drawMessageBoxScreen(int view, const PreviewSources& sources);
Image drawHelpWindowScreen(const PreviewSources& sources);
Image drawHotkeyWindowScreen(const PreviewSources& sources);
Image drawGameSettingsScreen(const PreviewSources& sources);

// A label centred on its own button. A label at least as wide as the button
// is shortened from its end until it is narrower, so it never spills onto a
// neighbouring button.
void drawButtonLabel(Painter& painter, std::string_view label, Coord buttonX, int buttonWidth,
                     Coord y, Color color);
