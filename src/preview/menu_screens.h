// Lower screens of the start-menu, window and cheat-list views (2..13).
#pragma once

#include "imaging/image.h"
#include "preview/draw_record.h"
#include "preview/preview_sources.h"

// Renders the lower screen of ScreenView `view` (2..13) into a new screen;
// with a record, what is drawn is also appended to it (see Painter).
Image drawMenuScreen(int view, const PreviewSources& sources, DrawRecord* record = nullptr);
