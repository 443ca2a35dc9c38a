// The file browser on the lower screen: icon view, list view, and the menu
// backdrop the start-menu and window views are drawn over.
#pragma once

#include "preview/painter.h"
#include "preview/preview_sources.h"

// With a record, what is drawn is also appended to it (see Painter).
Image drawIconView(const PreviewSources& sources, DrawRecord* record = nullptr);
Image drawListView(const PreviewSources& sources, DrawRecord* record = nullptr);

// The icon view with its buttons drawn first and no card icon, as the
// backdrop under menus and windows; draws onto a fresh screen.
void drawMenuBackdrop(Painter& painter, const PreviewSources& sources);
